#pragma once

#include <QString>

class QCalendarWidget;
class QLabel;
class QToolBar;
class QWidget;

namespace acessivel {

// The name a screen reader gives a field labelled `legenda`: without blanks at the
// ends, mnemonic marks or the closing colon.
QString nome(const QString& legenda);

// A visible label for `campo` that also names it for screen readers.
// An editable combo box's text part is named too, as screen readers land on it.
QLabel* rotular(const QString& legenda, QWidget* campo, QWidget* pai = nullptr);

// Names the toolbar and the button Qt adds when its buttons do not fit.
void nomearBarra(QToolBar* barra);

// Lets the keyboard reach the toolbar's buttons: Tab stops on them, a frame shows which one
// has the focus, and Enter presses it as Space does.
void botoesPeloTeclado(QToolBar* barra);

// Names a calendar and its controls, which Qt leaves without names.
void nomearCalendario(QCalendarWidget* calendario);

}  // namespace acessivel
