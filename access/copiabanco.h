#pragma once

#include <QString>

#include "data/sqlite.h"
#include "data/trava.h"

// The database file copied out and put back whole. Every failure throws DbError
// with the reason; the database file is then as it was.
namespace acesso {

// Why a restore refuses the file chosen.
inline const QString kNaoEBanco =
    QStringLiteral("o arquivo escolhido não é um banco de dados do Varnelo");
inline const QString kMesmoArquivo =
    QStringLiteral("o arquivo escolhido é o próprio banco de dados em uso");

// Copies the database file to `destino` byte for byte, as it stands between two
// writes. A file of that name is replaced only by a whole copy; a new one is its user's
// alone. The file in use is checked first: a damaged one is copied all the same, and the
// reason is returned (empty when the file is whole). The database itself, its kept copy and
// its journal are never written over.
QString copiarBanco(const QString& banco, const QString& destino, const QString& senha);

// Puts a copy of `origem` in the place of the database file once it proves to be a
// database of this program, keeping the file it replaces as anterior(banco).
void restaurarBanco(const QString& origem, const QString& banco, const QString& senha);

// Where a restore keeps the file it replaced: one copy, replaced by the next restore.
QString anterior(const QString& banco);

}  // namespace acesso
