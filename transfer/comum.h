#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "data/categoria.h"
#include "data/gravacao.h"
#include "formats/contato.h"

class QFileDevice;
class QProgressBar;

namespace ui {
class Principal;
}

namespace db {
class Database;
}

// What the imports and exports share: the file read whole, the question with the counts,
// the progress bar, the whole-or-nothing writer.
namespace transferencia {

// The shared connection opened for the command; nullptr when its open has told the user
// why not.
db::Database* abrirBanco();

// What an import found, as the question and the messages tell it.
struct Contagem {
    int lidos = 0;
    int novos = 0;
    int cadastrados = 0;
    int ilegiveis = 0;
    int linhaIlegivel = 0;
    int outros = 0;  // entries of other kinds (tasks, changed dates of a series)
    QString texto(const QString& outrosRotulo = {}) const;
};

template <class T>
Contagem contar(const formatos::Leitura<T>& lidos) {
    Contagem c;
    c.lidos = int(lidos.itens.size()) + lidos.ilegiveis;
    c.ilegiveis = lidos.ilegiveis;
    c.linhaIlegivel = lidos.linhaIlegivel;
    c.outros = lidos.outros;
    return c;
}

// What one kind of import says to the user.
struct Importacao {
    QString titulo;        // of every box: "Importar contatos"
    QString filtro;        // of the open dialog
    QString itens;         // "contatos"
    QString pergunta;      // "Deseja gravar os %1 contatos novos na agenda?"
    QString outrosRotulo;  // how entries of other kinds are counted; empty: not at all
    Categoria categoria;
};

// The file given, or the one the user picks, read whole; nullopt when cancelled, or after
// telling why it cannot be read.
std::optional<QByteArray> abrirImportacao(const Importacao& imp, const QString& escolhido,
                                          QString& arquivo);
// Whether the reader knew the file; if not, the user is told why and that nothing was
// written.
bool reconhecido(const Importacao& imp, bool sim, const QString& motivo);

// The file read through `ler` (given the file's name and bytes), and the shared connection
// opened to write it; nullopt when cancelled, refused or unopened, the user told why.
template <class T, class Leitor>
std::optional<formatos::Leitura<T>> lerImportacao(const Importacao& imp, const QString& escolhido,
                                                  Leitor ler, db::Database*& banco) {
    QString arquivo;
    const std::optional<QByteArray> bytes = abrirImportacao(imp, escolhido, arquivo);
    if (!bytes)
        return std::nullopt;
    formatos::Leitura<T> lidos = ler(arquivo, *bytes);
    if (!reconhecido(imp, lidos.reconhecido, lidos.motivo) || !(banco = abrirBanco()))
        return std::nullopt;
    return lidos;
}

// What an export is about to write: the file the user named, the records of the list as it
// shows them, and the shared connection to read them on.
struct Exportacao {
    QString destino;
    std::vector<qint64> registros;
    db::Database* banco = nullptr;
};
// Asks for the file under `titulo`; nullopt when the list is empty (said as `vazia`), when
// the user cancels or when the database does not open.
std::optional<Exportacao> abrirExportacao(ui::Principal& janela, Categoria categoria,
                                          const QString& titulo, const QString& vazia,
                                          const QString& filtro, const QString& nome);
// Tells the counts and asks; false when there is nothing new or the user says Não.
bool confirmar(const Importacao& imp, const Contagem& conta);
// Writes the new rows in one transaction with the list's progress bar, reloads the list
// and says so; on a failure says that nothing was written and returns false.
bool gravarNovas(ui::Principal& janela, db::Database& banco, const Importacao& imp,
                 const QList<QList<gravacao::Valor>>& linhas);

// The bytes of the file, or nullopt after telling the user under `titulo` why not.
std::optional<QByteArray> lerArquivo(const QString& titulo, const QString& arquivo);

// Shows the bar, moves it along `total` steps, and hides it again when it goes.
class Progresso {
public:
    Progresso(QProgressBar* barra, int total);
    ~Progresso();
    void passo(int feitos);

private:
    QProgressBar* barra_;
    int total_;
    int ultimo_ = -1;
};

// The bytes of a file being written, handed to it in large blocks.
class Bloco {
public:
    explicit Bloco(QFileDevice& arquivo) : arquivo_(arquivo) {}
    QByteArray dados;
    // Writes what is held once it is a block, or all of it when `tudo`; false when the
    // file refused it.
    bool soltar(bool tudo = false);

private:
    QFileDevice& arquivo_;
};

// Writes the file whole or not at all through `escrever`; the reason of a failure (the
// database in use refused), or the empty text.
QString gravarArquivo(const QString& destino, const std::function<QString(Bloco&)>& escrever);

// The failure of an import, with the assurance that nothing was written.
void falhaImportacao(const QString& titulo, const QString& motivo);

}  // namespace transferencia
