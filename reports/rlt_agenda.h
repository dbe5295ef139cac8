#pragma once

#include "data/consultas.h"
#include "reports/fonteconsulta.h"
#include "reports/janelarelatorio.h"

// The telephone directory: every contact of the table by name, on A4 portrait, rows
// shaded in turn starting white on every page.
class rlt_agenda : public relatorios::JanelaRelatorio {
public:
    rlt_agenda();

    // Prints (or previews) the directory.
    void Config() { Rodar(); }

    void inicio(int numero) override;
    void proximoRegistro() override;
    void inicioBanda(relatorios::TipoBanda tipo) override;

protected:
    bool preparar() override;

private:
    relatorios::FonteConsulta contatos_{QString::fromUtf8(consultas::kDiretorio)};
    relatorios::Campo* titulo_;
};
