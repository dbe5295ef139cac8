#include "reports/impressoes.h"

#include <QTreeView>
#include <cmath>

#include "app/janelas.h"
#include "app/listas.h"
#include "editors/principal.h"
#include "reports/frmconfetiqueta.h"
#include "reports/rlt_agenda.h"
#include "reports/rlt_listview.h"

namespace impressoes {
namespace {

struct ListaImpressa {
    Categoria categoria;
    const char* titulo;
};

constexpr ListaImpressa kListas[] = {
    {Categoria::Anotacoes, "LISTA DE ANOTAÇÕES"},
    {Categoria::Senhas, "LISTA DE SENHAS/SERIAIS"},
    {Categoria::Uteis, "LISTA DE TELEFONES ÚTEIS"},
    {Categoria::Compromisso, "LISTA DE COMPROMISSOS"},
};

void mudarTamanho(QTreeView* lista, double pontos) {
    QFont f = lista->font();
    f.setPointSizeF(pontos);
    lista->setFont(f);
}

}  // namespace

void imprimirLista(Categoria categoria) {
    const ListaImpressa* impressa = nullptr;
    for (const ListaImpressa& l : kListas)
        if (l.categoria == categoria)
            impressa = &l;
    auto* janela = dynamic_cast<QWidget*>(editors::principal());
    auto* lista =
        janela ? janela->findChild<QTreeView*>(QString::fromUtf8(listas::lista(categoria).objeto))
               : nullptr;
    if (!impressa || !lista)
        return;
    const QFont atual = lista->font();
    const double tamanho =
        atual.pointSizeF() > 0 ? atual.pointSizeF() : QFontInfo(atual).pointSizeF();
    const int arredondado = int(std::lround(tamanho));
    // The printout copies the list's font.
    mudarTamanho(lista, 9);
    if (lista->model()->rowCount() > 0) {
        rlt_ListView relatorio;
        relatorio.Grid(lista);
        relatorio.Titulo = QString::fromUtf8(impressa->titulo);
        relatorio.Executar();
    }
    mudarTamanho(lista, arredondado);
}

void imprimirDiretorio() {
    rlt_agenda relatorio;
    relatorio.Config();
}

void mostrarEtiquetas() {
    janelas::mostrar(janelas::unica<frmConfEtiqueta>());
}

}  // namespace impressoes
