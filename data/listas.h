#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

#include "data/categoria.h"
#include "data/celulas.h"
#include "data/sqlite.h"

// The five lists of the main window: how a row of a category's table becomes the cells
// its list shows. No widgets here; what each list shows is in the category's description.
namespace listas {

inline constexpr int kQuantidade = categoria::kQuantidade;

QStringList cabecalhos(Categoria categoria);
// Screen pixels of a width in hundredths of a millimetre.
int pixels(int centesimosMm, double dpi);

// Runs the statement on the shared connection and turns its rows into the cells of
// the category's list. A statement that fails keeps the rows read before and the reason
// (Celulas::falha), unless the connection is not open, whose open has told the user
// already. The full list of a damaged file is read around the damage, so every row the
// file still holds is shown, in the list's order.
Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros = {});
// As ler, handing each row's statement to `aCadaLinha` after its cells; a file read around
// its damage hands none.
Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros,
            const std::function<void(const db::Statement&)>& aCadaLinha);

}  // namespace listas
