#pragma once

#include <QIcon>
#include <QString>

// The program's pictures: its own icon, and the toolbar's taken from the desktop's
// icon theme with drawings of its own behind them, so no button is ever blank.
namespace icones {

// The program's icon, drawn for it.
QIcon programa();

// The picture of a themed name: the desktop theme's, else the program's own drawing.
QIcon barra(const QString& nome);

// Gives every window the program's icon and, on a desktop that names no icon theme
// of its own, lets themed pictures come from Adwaita.
void preparar();

}  // namespace icones
