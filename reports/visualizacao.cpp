#include "reports/visualizacao.h"

#include <QFileInfo>
#include <QPrinter>

#include "reports/relatorio.h"
#include "reports/saida.h"
#include "ui/dialogs.h"

namespace relatorios {
namespace {

// A name for the file from the title; "/" cannot be in one.
QString nomeSugerido(const QString& titulo) {
    QString nome = titulo;
    nome.replace(QLatin1Char('/'), QLatin1Char('-'));
    return (nome.isEmpty() ? QStringLiteral("relatorio") : nome) + QStringLiteral(".pdf");
}

bool emAndamento = false;

}  // namespace

void salvarPdf(Relatorio& relatorio) {
    QString nome = dialogs::atual().salvarArquivo(QStringLiteral("Salvar PDF"),
                                                  QStringLiteral("Arquivos PDF(*.pdf)|*.pdf"),
                                                  nomeSugerido(relatorio.titulo));
    if (nome.isEmpty())
        return;
    if (QFileInfo(nome).suffix().isEmpty())
        nome += QStringLiteral(".pdf");
    gravarPdf(relatorio, nome);
}

bool executar(Relatorio& relatorio) {
    if (emAndamento) {
        relatorio.erro(ErroEmAndamento);
        return false;
    }
    // Checked before any window opens, so a report that cannot run shows no empty preview.
    const std::optional<Paginacao> paginacao = relatorio.paginar();
    relatorio.soltarDados();
    if (!paginacao)
        return false;
    emAndamento = true;
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setFullPage(true);
    impressora.setPageLayout(relatorio.layoutPagina());
    impressora.setDocName(relatorio.titulo);
    if (relatorio.visualizar) {
        // The preview paints the pages it shows, from the pages laid out here.
        dialogs::PaginasRelatorio paginas;
        paginas.quantidade = paginacao->paginas();
        paginas.papel = relatorio.tamanhoPapel() / 1440.0;
        paginas.pintar = [&relatorio, &paginacao](int primeira, int ultima, double dpi) {
            return imagensDasPaginas(relatorio, *paginacao, primeira, ultima, dpi);
        };
        dialogs::atual().visualizarRelatorio(
            impressora, relatorio.titulo, paginas,
            [&relatorio](QPrinter* p) { pintar(relatorio, *p); },
            [&relatorio] { salvarPdf(relatorio); });
    } else if (!relatorio.selecionarImpressora || dialogs::atual().escolherImpressora(impressora)) {
        pintar(relatorio, impressora);
    }
    emAndamento = false;
    return true;
}

}  // namespace relatorios
