#include "editors/principal.h"

namespace editors {
namespace {
Principal* atual = nullptr;
}

Principal* principal() {
    return atual;
}
void definirPrincipal(Principal* janela) {
    atual = janela;
}

}  // namespace editors
