#pragma once

#include <QStringList>

#include "app/comandos.h"
#include "app/listas.h"

// Records the add, edit and remove flows the window starts ("editar lstagenda"),
// instead of opening the entry forms, while it lives.
class FluxosGravados {
public:
    FluxosGravados() {
        chamados().clear();
        comandos::fluxos() = {[](Categoria c) { gravar("adicionar", c); },
                              [](Categoria c) { gravar("editar", c); },
                              [](Categoria c) { gravar("remover", c); }};
    }
    ~FluxosGravados() { comandos::fluxos() = antes_; }

    static QStringList& chamados() {
        static QStringList lista;
        return lista;
    }

private:
    static void gravar(const char* fluxo, Categoria c) {
        chamados() << QStringLiteral("%1 %2").arg(QLatin1String(fluxo),
                                                  QLatin1String(listas::lista(c).objeto));
    }
    comandos::Fluxos antes_ = comandos::fluxos();
};
