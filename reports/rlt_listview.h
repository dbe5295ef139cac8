#pragma once

#include <QString>
#include <span>
#include <vector>

#include "reports/janelarelatorio.h"

class QTreeView;

namespace relatorios {

// A list column as the printout lays it out: width in twips; a hidden column takes no
// space and is never printed.
struct ColunaLista {
    int largura;
    bool oculta;
};
struct ColunaDisposta {
    int esquerda;  // twips from the band's left edge
    bool impressa;
};
// Puts the columns side by side, `espaco` twips apart, until one would reach the available
// width: that column and all after it are left out, even narrower ones. `ocupada` gets
// the width the printed columns take, with their gaps.
std::vector<ColunaDisposta> disporColunas(std::span<const ColunaLista> colunas, int disponivel,
                                          int espaco, int* ocupada = nullptr);

}  // namespace relatorios

// Prints any list view as it shows on screen: its columns (titles, widths, alignment,
// font) and its rows in order, on A4 landscape. One window per print command.
class rlt_ListView : public relatorios::JanelaRelatorio {
public:
    rlt_ListView();

    QString Titulo;      // the report's title
    int GapColunas = 0;  // twips between printed columns; 0 means 60

    void Grid(QTreeView* lista) { grid_ = lista; }
    // Width, respectively height, of the header and detail bands, in twips.
    void Largura(double twips);
    void Altura(double twips);
    // Builds the columns from the list and runs the report (preview with "Salvar PDF").
    void Executar() { Rodar(); }

    void inicio(int numero) override;
    void proximoRegistro() override;
    void valorCampo(const QString& campo, QString& valor) override;

protected:
    bool preparar() override;

private:
    QTreeView* grid_ = nullptr;
    int colunas_ = 0;
    int linhaAtual_ = 1;
    relatorios::Campo* titulo_;
    relatorios::Campo* pagina_;
    relatorios::Linha* linhaRodape_;
};
