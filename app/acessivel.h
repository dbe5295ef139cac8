#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace acessivel {

// The name a screen reader gives a field labelled `legenda`: without blanks at the
// ends, mnemonic marks or the closing colon.
QString nome(const QString& legenda);

// A visible label for `campo` that also names it for screen readers.
QLabel* rotular(const QString& legenda, QWidget* campo, QWidget* pai = nullptr);

}  // namespace acessivel
