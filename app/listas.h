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

struct Lista {
    Categoria categoria;
    const char* objeto;    // the list widget
    const char* aba;       // tab caption as stored ("&&" shows one "&")
    const char* menu;      // context menu, the category's submenu
    const char* barra;     // export progress bar
    const char* consulta;  // statement of the full list
    const char* registro;  // the column that tells the row's record: "rowid", or "id"
    std::span<const Coluna> colunas;
};

inline constexpr int kQuantidade = categoria::kQuantidade;

// In tab order: contacts, appointments, passwords, useful phones, notes.
const Lista& lista(Categoria categoria);
Categoria categoriaDaAba(int aba);

QStringList cabecalhos(const Lista& lista);
// Screen pixels of a width in hundredths of a millimetre.
int pixels(int centesimosMm, double dpi);

// Runs the statement on the shared connection and turns its rows into the cells of
// the category's list. A statement that cannot run gives no rows and no message;
// a statement that fails half way keeps the rows read before.
Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros = {});

}  // namespace listas
