#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

#include "data/categoria.h"
#include "data/gravacao.h"

namespace db {
class Database;
class Statement;
}  // namespace db

// Rows read and written many at a time, for the imports and the exports of other formats.
namespace lotes {

// What tells a stored contact from another one of the same name: its telephones and
// e-mail addresses as stored (padded).
struct ContatoGuardado {
    QString nome;
    QStringList telefones;
    QStringList emails;
};
QList<ContatoGuardado> contatosGuardados(db::Database& banco);

// Date, time and title of every stored appointment, without their blanks, as "d|h|t".
QSet<QString> compromissosGuardados(db::Database& banco);

// Adds every row (all of the same columns in the same order) in one write transaction,
// calling `passo` with the number written so far; on any failure nothing stays written and
// the failure is thrown.
void inserirTodos(db::Database& banco, const QString& tabela,
                  const QList<QList<gravacao::Valor>>& linhas,
                  const std::function<void(int)>& passo);

// Every column of each record (a list's rowid, or an appointment's id), in the order given,
// handed to `linha`; a record gone since the list was read is passed over.
void lerRegistros(db::Database& banco, Categoria categoria, std::span<const qint64> registros,
                  const std::function<void(const db::Statement&)>& linha);

}  // namespace lotes
