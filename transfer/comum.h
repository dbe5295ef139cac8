#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QFileDevice;
class QProgressBar;

namespace db {
class Database;
}

// What the imports and exports share: the file read whole, the question with the counts,
// the progress bar, the whole-or-nothing writer.
namespace transferencia {

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

// The bytes of the file, or nullopt after telling the user under `titulo` why not.
std::optional<QByteArray> lerArquivo(const QString& titulo, const QString& arquivo);

// The shared connection opened for the command; nullptr when its open has told the user
// why not.
db::Database* abrirBanco();

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
