#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "data/categoria.h"
#include "data/celulas.h"

// Each list's full rows, read once and kept with what the searches compare (the folded
// text of every searched column), so a keystroke filters memory instead of asking the
// file. Before every use the kept rows are checked against the file: a change made by
// this program, by another program or by another copy running on the same file, or
// another file opened, reads them again. The searches give exactly the rows, in the same
// order, as their statements in consultas.h.
namespace retrato {

// The category's full list. Its failure is set only when the rows were read by this call,
// so a damaged file is reported once, not on every keystroke.
Celulas inteira(Categoria categoria);

// The searches; nullopt where only the statement can answer (a field the search does not
// know, a file read around its damage), and the caller runs the statement.
std::optional<Celulas> contatos(const QString& entrada, const QString& texto);
std::optional<Celulas> senhas(const QString& texto);
std::optional<Celulas> compromissosEntre(const QDate& de, const QDate& ate);

// Forgets every kept list, so the next use reads the file (a lock, a file replaced).
void esquecer();

}  // namespace retrato
