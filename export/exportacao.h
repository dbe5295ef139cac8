#pragma once

#include "data/categoria.h"

namespace ui {
class Principal;
}

namespace exportacao {

enum class Formato { Html, Txt };

// Saves what the category's list on `janela` shows, as a page or a text table, in a
// file the user names: head, table, foot. The old file stays whole until the new one
// is; a file that cannot be written is reported. Then offers to open the file.
void salvarLista(ui::Principal& janela, Categoria categoria, Formato formato);

}  // namespace exportacao
