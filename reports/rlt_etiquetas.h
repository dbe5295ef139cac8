#pragma once

#include "data/consultas.h"
#include "reports/etiquetas.h"
#include "reports/fonteconsulta.h"
#include "reports/janelarelatorio.h"

// One address label per contact, in the table's order, on Letter sheets: the label is
// the detail band, repeated across the columns and down the sheet. Blank labels come
// first, so a sheet already started can be used up.
class rlt_Etiquetas : public relatorios::JanelaRelatorio {
public:
    rlt_Etiquetas();  // the designed label; each run lays it out from CamposEtiqueta

    int Colunas = 1;      // label columns, 1 to 255
    int LinhaInicio = 1;  // the label to start at, row and column from 1
    int ColunaInicio = 1;
    double Largura = 0;         // the label's step across, millimetres
    double Altura = 0;          // the label's step down, millimetres
    double MargemEsquerda = 0;  // millimetres
    double MargemSuperior = 0;
    double MargemInferior = 0;

    // The sheet's geometry and columns from a settings record, and back.
    void Definir(const etiquetas::Configuracao& configuracao);
    etiquetas::Configuracao configuracao() const;

    // Prints (or previews) the labels; true when they ran.
    bool Config() { return Rodar(); }

    void inicio(int numero) override;
    void proximoRegistro() override;
    void valorCampo(const QString& campo, QString& valor) override;
    void fimDosDados() override { contatos_.terminar(); }

protected:
    bool preparar() override;

private:
    relatorios::FonteConsulta contatos_{QString::fromUtf8(consultas::kEtiquetas)};
    int brancos_ = 0;
    int restantes_ = 0;
};
