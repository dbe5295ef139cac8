#pragma once

class QWidget;

// Text fields turn light yellow while they hold the focus, and back after.
namespace foco {

// What a field shows while it does not hold the focus: the system's colours, or plain white
// (the login windows).
enum class Fundo { Sistema, Branco };

// Gives `campo` the focus colour; safe to call more than once.
void destacar(QWidget* campo, Fundo fundo = Fundo::Sistema);

// Gives every text box and combo box under `janela` the focus colour.
void destacarTodos(QWidget* janela);

}  // namespace foco
