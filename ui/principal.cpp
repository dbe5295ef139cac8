#include "ui/principal.h"

namespace ui {
namespace {
Principal* atual = nullptr;
}

Principal* principal() {
    return atual;
}
void definirPrincipal(Principal* janela) {
    atual = janela;
}

}  // namespace ui
