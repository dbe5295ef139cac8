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
    const bool pode = relatorio.paginar().has_value();
    relatorio.soltarDados();
    if (!pode)
        return false;
    emAndamento = true;
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setFullPage(true);
    impressora.setPageLayout(relatorio.layoutPagina());
    impressora.setDocName(relatorio.titulo);
    if (relatorio.visualizar) {
        dialogs::atual().visualizarRelatorio(
            impressora, relatorio.titulo, [&relatorio](QPrinter* p) { pintar(relatorio, *p); },
            [&relatorio] { salvarPdf(relatorio); });
    } else if (!relatorio.selecionarImpressora || dialogs::atual().escolherImpressora(impressora)) {
        pintar(relatorio, impressora);
    }
    emAndamento = false;
    return true;
}

}  // namespace relatorios
