#pragma once

#include <QStringList>

class QComboBox;

// Completion of the address combo boxes from the values already stored.
namespace editors {

// The first entry, in list order, that begins with `digitado`, ignoring letter case and
// accents as the searches do; -1 when none does or nothing was typed.
int procurarEntrada(const QStringList& entradas, const QString& digitado);

// Only keys that produce text complete; Backspace, Delete, arrows, Tab, Enter and the
// modifiers never do, so the user can always take back a completion.
bool teclaCompleta(int tecla);

// Runs after each key release in `combo`: the text becomes the first matching entry with
// the caret after the typed characters and the rest selected, so typing on replaces it.
void autocompletar(int tecla, QComboBox* combo);

// Makes `combo` editable, completing on key release instead of with Qt's own completer,
// and never adding what is typed to its list.
void ligarAutocompletar(QComboBox* combo);

}  // namespace editors
