#pragma once

#include "reports/relatorio.h"

namespace relatorios {

// What every report window shares: the report it designs and answers, and the three ways
// to run it. A window gets its data ready in preparar().
class JanelaRelatorio : public Eventos {
public:
    Relatorio& relatorio() { return rel_; }

    // The run as the report's switches say (preview, or printer choice and printing);
    // false when it could not run.
    bool Rodar();
    // Written straight to a PDF file, without a window.
    bool GravarPdf(const QString& arquivo);
    // Printed to any destination, e.g. one that only records.
    bool Emitir(Destino& destino);

protected:
    // False when there is nothing to run; the user has been told why.
    virtual bool preparar() = 0;

    Relatorio rel_{this};
};

// A field placed on a band: positions and sizes in twips.
Campo& adicionarCampo(Relatorio& rel, TipoBanda banda, const QString& grupo, int indice,
                      QRect posicao, const Fonte& fonte);
Fonte fonte(const QString& nome, double pontos, bool negrito = false, bool italico = false,
            bool sublinhado = false);
// The summary of the lists and the directory: the maker's line and its site, in two bold
// labels at `esquerda` (twips).
void adicionarSumario(Relatorio& rel, int esquerda, int largura);

}  // namespace relatorios
