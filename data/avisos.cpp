#include "data/avisos.h"

namespace avisos {
namespace {
Aviso& instalado() {
    static Aviso aviso;
    return aviso;
}
Aviso& informativo() {
    static Aviso aviso;
    return aviso;
}
}  // namespace

void definir(Aviso aviso) {
    instalado() = std::move(aviso);
}

void definirInformativo(Aviso aviso) {
    informativo() = std::move(aviso);
}

void erro(const QString& titulo, const QString& texto) {
    if (instalado())
        instalado()(titulo, texto);
}

void informacao(const QString& titulo, const QString& texto) {
    if (informativo())
        informativo()(titulo, texto);
}

}  // namespace avisos
