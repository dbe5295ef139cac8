#pragma once

#include <QString>
#include <vector>

// The label layout the file keeps, table CamposEtiqueta.
namespace etiquetas {

// A row of CamposEtiqueta: which field of the label (0 to 4), the `agenda` column (or
// "cidade"), its place from the label's top left and width in millimetres, its format.
struct LinhaCampo {
    int index;
    QString campo;
    double topo;
    double esquerda;
    double largura;
    QString formato;
};

// The rows of CamposEtiqueta on the shared connection; none when it cannot be read.
std::vector<LinhaCampo> lerCamposEtiqueta();

}  // namespace etiquetas
