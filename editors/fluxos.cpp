#include "editors/fluxos.h"

namespace editors {

// Filled in with the entry forms.
void adicionar(Categoria) {}
void editar(Categoria) {}
void remover(Categoria) {}

}  // namespace editors
