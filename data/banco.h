#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

#include "data/sqlite.h"

// The shared connection and the three routines every window opens the file with.
namespace banco {

// The database password; every caller passes its own copy along.
inline constexpr const char* kSenhaBanco = "tqpmk7vb3wz%&*!#8";

// Set at start-up and passed to every abrirbanco.
extern QString arquivobanco;  // "\dados.mde"
extern QString tipobanco;     // "access"

// The shared connection. abrirbanco opens it for an operation; the removals and
// executarsql mark it closed when done. The keyed handle behind it is kept between
// operations while the file is still the same database, because deriving the key costs
// far more than any statement the program runs.
// Changes whenever what the kept handle reads may have changed: another handle committed,
// this handle wrote, or another file (or the same one again) was opened.
struct Versao {
    quint64 abertura = 0;  // 0: no file open
    qint64 dados = 0;
    qint64 mudancas = 0;
    bool operator==(const Versao&) const = default;
};

class Conexao {
public:
    bool aberta() const { return aberta_; }
    // The file the kept handle is on; empty when there is none.
    QString caminho() const { return banco_.path(); }
    // The open database; throws DbError when abrirbanco did not open it, with the reason
    // the open failed, so a statement that follows a failed open tells the same story.
    db::Database& banco();
    // Opens on the file, reusing the kept handle while it still reads the same database;
    // throws DbError when the file cannot be opened or is not a database of this program.
    void abrir(const QString& caminho, const QString& senha);
    // Whether the file on disk is still the database the handle holds (not replaced or
    // written over by another since it was opened).
    bool aindaOMesmo() const;
    // Ends the operation; the handle stays for the next open of the same file.
    void marcarFechada();
    // Closes the handle for real, so that the file can be copied or replaced.
    void fecharArquivo();
    // What the open handle reads now; a Versao with abertura 0 when it is not open.
    Versao versao();

private:
    bool mesmoArquivo(const QString& caminho, const QString& senha) const;
    void abrirArquivo(const QString& caminho, const QString& senha);
    db::Database banco_;
    QString chaveUsada_;
    QString identidade_;  // which file on its disk
    QByteArray sal_;      // the first bytes, which change when another database is written there
    bool aberta_ = false;
    quint64 aberturas_ = 0;
    std::optional<db::DbError> falha_;  // why the last open failed
};

Conexao& conexao();

// The file that abrirbanco opens under the current settings.
QString caminhoBanco(const QString& arquivo);

// Opens the shared connection on the file the settings name. On failure reports it and
// returns with the connection closed; a file that is missing or not a database of this
// program also sets the settings back to the local file, while a busy one keeps them.
void abrirbanco(const QString& arquivo, const QString& senha, const QString& tipo);

// The login_inicia value of the login row, or empty text. Only the open itself may
// complain, through abrirbanco; a missing row or column is passed over. When the file is
// there but could not be read (busy, failing), `ilegivel` is set, so that start-up can ask
// for the login rather than let anyone in.
QString lerlogininicia(const QString& arquivo, const QString& senha, const QString& tipo,
                       bool* ilegivel = nullptr);

// Runs one statement that returns no rows, then closes the connection.
void executarsql(const QString& sql, const QVariantList& parametros, const QString& arquivo,
                 const QString& senha, const QString& tipo);

// Closes the kept handle for real (around a file copy, and in tests).
void liberarConexoes();

// The condition for a key column matched letter for letter: "[col] = ? COLLATE BINARY".
QString condicaoChave(const QString& coluna);

// The key this session opens the file in use with: the constant, or the one derived from
// the password the user gave for the file.
QString chaveBanco();

// Shorthand for abrirbanco with the module-level texts and the session's key.
void abrirPadrao();
// The connection as the last operation left it, opened first only when it is closed or
// its file has been replaced since.
void abrirSeFechada();

}  // namespace banco
