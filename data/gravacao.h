#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace db {
class Database;
}

// Writing one row of a table from an entry form.
namespace gravacao {

struct Valor {
    QString coluna;
    QVariant valor;
};

// Adds a row with the columns in the order given.
void inserir(db::Database& banco, const QString& tabela, const QList<Valor>& valores);

// Overwrites the first stored row whose key column holds `chave` letter for letter.
// Throws DbError when no row holds it, so the caller reports it like any failed save.
void atualizarPrimeira(db::Database& banco, const QString& tabela, const QString& colunaChave,
                       const QVariant& chave, const QList<Valor>& valores);

}  // namespace gravacao
