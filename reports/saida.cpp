#include "reports/saida.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "data/arquivos.h"
#include "data/avisos.h"
#include "reports/relatorio.h"

namespace relatorios {
namespace {

class DestinoPintor : public Destino {
public:
    DestinoPintor(QPainter& pintor, QPagedPaintDevice& dispositivo)
        : p_(pintor), dispositivo_(dispositivo) {}

    void comecar(const Paginacao& paginacao) override {
        // Device pixels per twip, then the printable area's corner, then the report's scale.
        QTransform t = QTransform::fromScale(dispositivo_.logicalDpiX() / 1440.0,
                                             dispositivo_.logicalDpiY() / 1440.0);
        t.translate(paginacao.origem().x(), paginacao.origem().y());
        t.scale(paginacao.escala(), paginacao.escala());
        p_.setWorldTransform(t);
        p_.setRenderHint(QPainter::Antialiasing);
    }

    void iniciarPagina(int pagina) override {
        if (pagina > 0)
            dispositivo_.newPage();
    }

    void retangulo(const QRectF& area, const QColor& cor) override { p_.fillRect(area, cor); }

    void linha(const QLineF& l, const QColor& cor, double espessura, int estilo) override {
        QPen caneta(cor, espessura,
                    estilo == 2   ? Qt::DashLine
                    : estilo == 3 ? Qt::DotLine
                                  : Qt::SolidLine);
        caneta.setCapStyle(Qt::FlatCap);
        p_.setPen(caneta);
        p_.drawLine(l);
    }

    void texto(QPointF base, const QString& texto, const Fonte& fonte, const QColor& cor) override {
        if (!temFonte_ || !(fonte == fonte_)) {
            fonte_ = fonte;
            temFonte_ = true;
            p_.setFont(qfont(fonte));
        }
        p_.setPen(cor);
        p_.drawText(base, texto);
    }

private:
    QPainter& p_;
    QPagedPaintDevice& dispositivo_;
    Fonte fonte_;
    bool temFonte_ = false;
};

}  // namespace

bool pintar(Relatorio& relatorio, QPagedPaintDevice& dispositivo) {
    const std::optional<Paginacao> p = relatorio.paginar();
    if (!p) {
        relatorio.soltarDados();
        return false;
    }
    if (auto* impressora = dynamic_cast<QPrinter*>(&dispositivo))
        impressora->setFullPage(true);
    dispositivo.setPageLayout(relatorio.layoutPagina());
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) {
        relatorio.soltarDados();
        relatorio.erro(ErroSemImpressora);
        return false;
    }
    DestinoPintor destino(pintor, dispositivo);
    relatorio.emitir(destino, *p);
    return pintor.end();
}

bool gravarPdf(Relatorio& relatorio, const QString& arquivo) {
    bool pintado = false;
    const QString motivo = arquivos::gravarInteiro(
        arquivo,
        [&](QFileDevice& arquivoPdf) {
            QPdfWriter pdf(&arquivoPdf);
            pdf.setResolution(1200);
            pdf.setTitle(relatorio.titulo);
            pdf.setCreator(QStringLiteral("Varnelo"));
            pintado = pintar(relatorio, pdf);
            // A report that did not run has told why already; nothing is written.
            return pintado ? QString() : QStringLiteral("-");
        },
        arquivos::Acesso::Comum, false);
    if (motivo.isEmpty())
        return true;
    if (pintado || motivo != QLatin1String("-"))
        avisos::erro(QStringLiteral("Salvar PDF"),
                     QStringLiteral("Não foi possível gravar o arquivo ") +
                         QFileInfo(arquivo).fileName() + QStringLiteral(": ") + motivo);
    return false;
}

}  // namespace relatorios
