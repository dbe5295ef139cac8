#pragma once

#include <QString>
#include <functional>

namespace db {
class Database;
class Statement;
}  // namespace db

// Reading a whole table from a file that may be damaged.
namespace leitura {

// Runs `selecao` (a "SELECT rowid, ... FROM t" without WHERE or ORDER BY) over the
// whole table in rowid order and hands each row to `linha`. Where a page of the file
// does not read, the rows it held are skipped and the reading goes on past it, so one
// damaged page costs only its own rows. Returns the description of the first failure,
// or empty text when every row was read.
QString lerTabela(db::Database& banco, const QString& selecao,
                  const std::function<void(const db::Statement&)>& linha);

}  // namespace leitura
