#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <span>
#include <vector>

#include "data/categoria.h"
#include "data/celulas.h"

// The five lists of the main window as data: what each shows and how a row of
// its table becomes cells. No widgets here.
namespace listas {

enum class Regra {
    Contador,       // row number in query order
    Texto,          // the value as read; no value leaves the cell empty
    ComBranco,      // the value followed by one blank, so no value shows as a blank
    DataComBranco,  // a stored date shown "dd/mm/yyyy", followed by one blank
    Contagem,       // days from today to a stored date, then " dias"
};

struct Coluna {
    const char* cabecalho;
    int largura;  // hundredths of a millimetre; 0 hides the column
    const char* campo;
    Regra regra;
};

// A column the full list is sorted on, and whether it compares as the Brazilian reader
// expects (the NOCASE text columns) or byte for byte.
struct Ordem {
    const char* coluna;
    bool comoTexto;
};

struct Lista {
    Categoria categoria;
    const char* objeto;    // the list widget
    const char* aba;       // tab caption as stored ("&&" shows one "&")
    const char* menu;      // context menu, the category's submenu
    const char* barra;     // export progress bar
    const char* consulta;  // statement of the full list
    const char* registro;  // the column that tells the row's record: "rowid", or "id"
    std::span<const Coluna> colunas;
    std::span<const Ordem> ordem;  // the full list's order, for rows read past damage
};

inline constexpr int kQuantidade = categoria::kQuantidade;

// In tab order: contacts, appointments, passwords, useful phones, notes.
const Lista& lista(Categoria categoria);
Categoria categoriaDaAba(int aba);

QStringList cabecalhos(const Lista& lista);
// Screen pixels of a width in hundredths of a millimetre.
int pixels(int centesimosMm, double dpi);

// Runs the statement on the shared connection and turns its rows into the cells of
// the category's list. A statement that fails keeps the rows read before and the reason
// (Celulas::falha), unless the connection is not open, whose open has told the user
// already. The full list of a damaged file is read around the damage, so every row the
// file still holds is shown, in the list's order.
Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros = {});

}  // namespace listas
