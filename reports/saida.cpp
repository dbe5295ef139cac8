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

// Device pixels per twip, then the printable area's corner, then the report's scale.
void ajustar(QPainter& p, const Paginacao& paginacao, double dpiX, double dpiY) {
    QTransform t = QTransform::fromScale(dpiX / 1440.0, dpiY / 1440.0);
    t.translate(paginacao.origem().x(), paginacao.origem().y());
    t.scale(paginacao.escala(), paginacao.escala());
    p.setWorldTransform(t);
    p.setRenderHint(QPainter::Antialiasing);
}

class DestinoPintor : public Destino {
public:
    DestinoPintor(QPainter& pintor, QPagedPaintDevice* dispositivo = nullptr)
        : p_(pintor), dispositivo_(dispositivo) {}

    void comecar(const Paginacao& paginacao) override {
        if (dispositivo_)
            ajustar(p_, paginacao, dispositivo_->logicalDpiX(), dispositivo_->logicalDpiY());
    }

    void iniciarPagina(int pagina) override {
        if (pagina > 0 && dispositivo_)
            dispositivo_->newPage();
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

protected:
    // A painter begun on another picture has its own font again.
    void esquecerFonte() { temFonte_ = false; }
    QPainter& p_;

private:
    QPagedPaintDevice* dispositivo_;
    Fonte fonte_;
    bool temFonte_ = false;
};

// Each page shown on a picture of its own, white as paper.
class DestinoImagens : public DestinoPintor {
public:
    DestinoImagens(QPainter& pintor, QSize tamanho, double dpi)
        : DestinoPintor(pintor), tamanho_(tamanho), dpi_(dpi) {}

    void comecar(const Paginacao& paginacao) override { paginacao_ = &paginacao; }

    void iniciarPagina(int) override {
        if (p_.isActive())
            p_.end();
        QImage imagem(tamanho_, QImage::Format_RGB32);
        imagem.fill(Qt::white);
        imagens.push_back(std::move(imagem));
        p_.begin(&imagens.back());
        ajustar(p_, *paginacao_, dpi_, dpi_);
        esquecerFonte();
    }

    void terminar() override {
        if (p_.isActive())
            p_.end();
    }

    QList<QImage> imagens;

private:
    QSize tamanho_;
    double dpi_;
    const Paginacao* paginacao_ = nullptr;
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
    DestinoPintor destino(pintor, &dispositivo);
    relatorio.emitir(destino, *p);
    return pintor.end();
}

QList<QImage> imagensDasPaginas(Relatorio& relatorio, const Paginacao& paginacao, int primeira,
                                int ultima, double dpi) {
    if (!relatorio.rebobinar()) {
        relatorio.soltarDados();
        return {};
    }
    const QSizeF papel = relatorio.tamanhoPapel() / 1440.0 * dpi;
    QPainter pintor;
    DestinoImagens destino(pintor, papel.toSize(), dpi);
    relatorio.emitir(destino, paginacao, primeira, ultima);
    return destino.imagens;
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
