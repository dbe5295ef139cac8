#pragma once

#include <QStringList>

#include "app/comandos.h"
#include "app/frmprincipal.h"
#include "data/listas.h"
#include "ui/modelolista.h"

// The five lists in the order of their tabs.
inline constexpr Categoria kTodas[] = {Categoria::Agenda, Categoria::Compromisso, Categoria::Senhas,
                                       Categoria::Uteis, Categoria::Anotacoes};

// Every cell of one column of a list, read through its model.
inline QStringList coluna(const frmprincipal& w, Categoria c, int col) {
    QStringList r;
    for (int i = 0; i < w.modelo(c)->rowCount(); ++i)
        r << w.modelo(c)->celula(i, col);
    return r;
}

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
                                                  QLatin1String(categoria::descricao(c).lista));
    }
    comandos::Fluxos antes_ = comandos::fluxos();
};
