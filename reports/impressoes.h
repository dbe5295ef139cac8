#pragma once

#include "data/categoria.h"

// What the print entries of the main window start.
namespace impressoes {

// Prints a list as it shows, with the list's font at 9 points for the run and back at its
// whole-point size after; a list without rows opens nothing.
void imprimirLista(Categoria categoria);
// The contact directory.
void imprimirDiretorio();
// Shows the label settings window.
void mostrarEtiquetas();

}  // namespace impressoes
