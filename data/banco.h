#pragma once

#include <QString>
#include <QVariantList>

#include "data/sqlite.h"

// The shared connection and the three routines every window opens the file with.
namespace banco {

// The database password; every caller passes its own copy along.
inline constexpr const char* kSenhaBanco = "tqpmk7vb3wz%&*!#8";

// Set at start-up and passed to every abrirbanco.
extern QString arquivobanco;  // "\dados.mde"
extern QString tipobanco;     // "access"

// The shared connection. It is logically opened by abrirbanco and closed by the
// removals and executarsql; the keyed handle behind it is kept between
// operations while the same file is named, because deriving the key costs far
// more than any statement the program runs.
class Conexao {
public:
    bool aberta() const { return aberta_; }
    // The open database; throws DbError when abrirbanco did not open it.
    db::Database& banco();
    void fechar() { aberta_ = false; }
    // Opens on the file, reusing the kept handle when it is the same file and key.
    void abrir(const QString& caminho, const QString& senha);
    // Closes the kept handle for real.
    void liberar();

private:
    db::Database banco_;
    QString chaveUsada_;
    QString identidade_;
    bool aberta_ = false;
};

Conexao& conexao();

// The file that abrirbanco opens under the current settings.
QString caminhoBanco(const QString& arquivo);

// Opens the shared connection on the file the settings name. On failure shows the
// message, resets the settings to the local file and returns with it closed.
void abrirbanco(const QString& arquivo, const QString& senha, const QString& tipo);

// The login_inicia value of the login row, or empty text. Only the open itself may
// complain, through abrirbanco; a missing row or column is passed over.
QString lerlogininicia(const QString& arquivo, const QString& senha, const QString& tipo);

// Runs one statement that returns no rows, then closes the connection.
void executarsql(const QString& sql, const QVariantList& parametros, const QString& arquivo,
                 const QString& senha, const QString& tipo);

// Really closes the kept handle (around a file copy, and in tests).
void liberarConexoes();

// The condition for a key column matched letter for letter: "[col] = ? COLLATE BINARY".
QString condicaoChave(const QString& coluna);

// Shorthand for abrirbanco with the module-level texts and the constant.
void abrirPadrao();
// The connection as the last operation left it, opened first only when it is closed.
void abrirSeFechada();

}  // namespace banco
