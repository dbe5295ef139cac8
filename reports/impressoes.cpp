#include "reports/impressoes.h"

#include <QTreeView>
#include <cmath>

#include "reports/frmconfetiqueta.h"
#include "reports/rlt_agenda.h"
#include "reports/rlt_listview.h"
#include "ui/dialogs.h"
#include "ui/janelas.h"
#include "ui/principal.h"

namespace impressoes {
namespace {

void mudarTamanho(QTreeView* lista, double pontos) {
    QFont f = lista->font();
    f.setPointSizeF(pontos);
    lista->setFont(f);
}

}  // namespace

void imprimirLista(Categoria categoria) {
    const char* titulo = categoria::descricao(categoria).tituloImpressao;
    ui::Principal* janela = ui::principal();
    auto* lista = janela ? qobject_cast<QTreeView*>(janela->vista(categoria)) : nullptr;
    if (!titulo || !lista)
        return;
    // What a list could not read is not printed either: the user hears it before the preview.
    if (const QString falha = janela->celulas(categoria).falha();
        !falha.isEmpty() && lista->model()->rowCount() > 0)
        dialogs::mostrarErro(falha +
                             QStringLiteral("; a impressão contém apenas as linhas que puderam "
                                            "ser lidas"));
    const QFont atual = lista->font();
    const double tamanho =
        atual.pointSizeF() > 0 ? atual.pointSizeF() : QFontInfo(atual).pointSizeF();
    const int arredondado = int(std::lround(tamanho));
    // The printout copies the list's font.
    mudarTamanho(lista, 9);
    if (lista->model()->rowCount() > 0) {
        rlt_ListView relatorio;
        relatorio.Grid(lista);
        relatorio.Titulo = QString::fromUtf8(titulo);
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
