#pragma once

#include "ui/principal.h"

// The add, edit and remove flows, one scheme for the five categories.
namespace editors {

// Shows the category's entry form in add mode.
void adicionar(Categoria categoria);
// Opens the selected row of the category's list in its entry form.
void editar(Categoria categoria);
// Removes the selected row after the "Confirmar?" question, then reloads the list.
void remover(Categoria categoria);

}  // namespace editors
