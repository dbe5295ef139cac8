#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

// Lookups the contact form makes in the stored contacts.
namespace contatos {

// The distinct values stored in a column of `agenda` (an address part), NULL left out, in
// the order the engine gives them.
QStringList valoresDistintos(db::Database& banco, const QString& coluna);

// Whether a contact already holds this telephone, compared as stored: padded, letter for
// letter. An empty telephone duplicates nothing.
bool telefoneCadastrado(db::Database& banco, const QString& telefone);

}  // namespace contatos
