#pragma once

class QWidget;

// Text fields turn light yellow while they hold the focus, and back after.
namespace foco {

// Gives `campo` the focus colour; safe to call more than once.
void destacar(QWidget* campo);

// Gives every text box and combo box under `janela` the focus colour.
void destacarTodos(QWidget* janela);

}  // namespace foco
