#include "export/saida.h"

#include <QIODevice>

namespace {
constexpr qsizetype kBloco = 64 * 1024;
}

Saida& Saida::operator<<(QStringView texto) {
    const qsizetype antes = bloco_.size();
    bloco_.resize(antes + utf8_.requiredSpace(texto.size()));
    char* fim = utf8_.appendToBuffer(bloco_.data() + antes, texto);
    bloco_.resize(fim - bloco_.constData());
    if (bloco_.size() >= kBloco)
        descarregar();
    return *this;
}

bool Saida::descarregar() {
    for (qsizetype feito = 0; ok_ && feito < bloco_.size();) {
        const qint64 n = dispositivo_.write(bloco_.constData() + feito, bloco_.size() - feito);
        if (n <= 0)
            ok_ = false;
        else
            feito += n;
    }
    bloco_.resize(0);
    return ok_;
}
