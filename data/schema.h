#pragma once

#include <QString>

namespace db {
class Database;
}

namespace schema {

// Login values of a new file; the administrator changes them in the program.
inline constexpr const char* kLoginInicial = "admin";
inline constexpr const char* kSenhaInicial = "admin";

// Lays the seven tables, the login row and the label layout on an empty file.
void criar(db::Database& banco);

// Throws DbError (as "not a database") unless the open file holds the seven tables.
void verificarTabelas(db::Database& banco);

// Checks that `caminho` is a database of this program: it opens with the key and holds
// the seven tables, and every page reads. Reads only; throws DbError with the reason otherwise.
void verificarArquivo(const QString& caminho, const QString& senha);

// Creates a keyed file at `caminho` unless one is already there; true when created.
bool criarArquivo(const QString& caminho, const QString& senha);

}  // namespace schema
