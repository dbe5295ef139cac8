#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "editors/principal.h"

namespace db {
class Database;
}

// The add, edit and remove flows, one scheme for the five categories.
namespace editors {

// Shows the category's entry form in add mode.
void adicionar(Categoria categoria);
// Opens the selected row of the category's list in its entry form.
void editar(Categoria categoria);
// Removes the selected row after the "Confirmar?" question, then reloads the list.
void remover(Categoria categoria);

enum class Operacao { Adicionar, Editar, Remover };
// Whether the main window's entries for this flow have anything to run: adding and
// editing need the category's entry form; removing needs none.
bool disponivel(Categoria categoria, Operacao operacao);

// The statements behind the flows. Keys match letter for letter.

// The first stored row (in storage order) whose `colunaChave` holds `chave`: the values of
// `colunas`, nullopt for a column without a value. nullopt when no row holds the key.
std::optional<QList<std::optional<QString>>> lerPrimeira(db::Database& banco, const QString& tabela,
                                                         const QString& colunaChave,
                                                         const QString& chave,
                                                         const QStringList& colunas);
// Removes every row whose `colunaChave` holds `chave`.
void removerTodas(db::Database& banco, const QString& tabela, const QString& colunaChave,
                  const QString& chave);

}  // namespace editors
