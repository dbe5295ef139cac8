#pragma once

#include <QString>
#include <optional>

namespace db {
class Database;
}

// The login row (ID 1) of the file: who may pass the login at start, and whether it is asked.
namespace login {

struct Registro {
    QString usuario;
    QString senha;
    QString email;
    QString inicia;  // "1": the login is asked at start
};

// The row as stored; nullopt when there is none.
std::optional<Registro> ler(db::Database& banco);

// Writes the row through executarsql, whose failure box tells the user.
void gravar(const Registro& registro);

// True when the row holds this user name, in any letter case, and exactly this password.
// Both are bound, never spliced into the statement.
bool confere(db::Database& banco, const QString& usuario, const QString& senha);

}  // namespace login
