#include "ui/visualizador.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/acessivel.h"

namespace {

constexpr int kEspaco = 12;     // screen pixels between pages and around them
constexpr int kGuardadas = 12;  // pages kept painted
constexpr double kZoomMinimo = 0.1, kZoomMaximo = 8;

}  // namespace

// The pages stacked, each painted from the window's kept pictures when it is in sight.
class VistaPaginas : public QWidget {
public:
    explicit VistaPaginas(JanelaVisualizacao& janela) : QWidget(&janela), janela_(janela) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QSize sizeHint() const override {
        const QSize p = janela_.tamanhoPagina();
        return {p.width() + 2 * kEspaco,
                janela_.paginas_.quantidade * (p.height() + kEspaco) + kEspaco};
    }

    QRect retanguloDa(int pagina) const {
        const QSize p = janela_.tamanhoPagina();
        const int x = std::max(kEspaco, (width() - p.width()) / 2);
        return {QPoint(x, kEspaco + pagina * (p.height() + kEspaco)), p};
    }

    // Pages that meet the rows `topo` to `base` of the view.
    std::pair<int, int> paginasEntre(int topo, int base) const {
        const int passo = janela_.tamanhoPagina().height() + kEspaco;
        const int ultima = janela_.paginas_.quantidade - 1;
        return {std::clamp((topo - kEspaco) / std::max(1, passo), 0, ultima),
                std::clamp((base - kEspaco) / std::max(1, passo), 0, ultima)};
    }

protected:
    void paintEvent(QPaintEvent* ev) override {
        QPainter p(this);
        p.fillRect(ev->rect(), palette().color(QPalette::Dark));
        if (janela_.paginas_.quantidade <= 0)
            return;
        const auto [primeira, ultima] = paginasEntre(ev->rect().top(), ev->rect().bottom());
        janela_.pintarFaltando(primeira, ultima);
        for (int k = primeira; k <= ultima; ++k) {
            const QRect r = retanguloDa(k);
            p.fillRect(r.translated(2, 2), palette().color(QPalette::Shadow));
            const QImage& img = janela_.imagem(k);
            if (img.isNull())
                p.fillRect(r, Qt::white);
            else
                p.drawImage(r, img);
        }
    }

private:
    JanelaVisualizacao& janela_;
};

JanelaVisualizacao::JanelaVisualizacao(const QString& titulo, dialogs::PaginasRelatorio paginas,
                                       std::function<void()> imprimir,
                                       std::function<void()> salvarPdf, QWidget* parent)
    : QDialog(parent), paginas_(std::move(paginas)) {
    setObjectName(QStringLiteral("visualizacao"));
    setWindowTitle(titulo);
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("barravisualizacao"));
    auto acao = [&](const char* nome, const QString& texto, const char* icone, QKeySequence atalho,
                    auto&& fazer) {
        QAction* a = barra->addAction(QIcon::fromTheme(QString::fromLatin1(icone)), texto);
        a->setObjectName(QString::fromLatin1(nome));
        a->setShortcut(atalho);
        connect(a, &QAction::triggered, this, fazer);
        if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a))) {
            b->setObjectName(a->objectName());
            b->setAccessibleName(texto);
        }
        return a;
    };
    const int ultima = std::max(0, paginas_.quantidade - 1);
    acao("primeira", QStringLiteral("Primeira página"), "go-first", Qt::CTRL | Qt::Key_Home,
         [this] { irPara(0); });
    acao("anterior", QStringLiteral("Página anterior"), "go-previous", Qt::Key_PageUp,
         [this] { irPara(paginaAtual() - 1); });
    pagina_ = new QSpinBox(barra);
    pagina_->setObjectName(QStringLiteral("pagina"));
    pagina_->setRange(1, ultima + 1);
    pagina_->setAccessibleName(QStringLiteral("Página"));
    barra->addWidget(pagina_);
    auto* total = new QLabel(QStringLiteral(" de %1 ").arg(ultima + 1), barra);
    total->setObjectName(QStringLiteral("lblpaginas"));
    barra->addWidget(total);
    acao("proxima", QStringLiteral("Próxima página"), "go-next", Qt::Key_PageDown,
         [this] { irPara(paginaAtual() + 1); });
    acao("ultima", QStringLiteral("Última página"), "go-last", Qt::CTRL | Qt::Key_End,
         [this, ultima] { irPara(ultima); });
    barra->addSeparator();
    acao("menoszoom", QStringLiteral("Diminuir zoom"), "zoom-out", QKeySequence::ZoomOut,
         [this] { definirZoom(zoom_ / 1.25); });
    acao("maiszoom", QStringLiteral("Aumentar zoom"), "zoom-in", QKeySequence::ZoomIn,
         [this] { definirZoom(zoom_ * 1.25); });
    acao("largura", QStringLiteral("Ajustar à largura"), "zoom-fit-width", {},
         [this] { ajustar(true); });
    acao("inteira", QStringLiteral("Página inteira"), "zoom-fit-best", {},
         [this] { ajustar(false); });
    barra->addSeparator();
    acao("imprimir", QStringLiteral("Imprimir"), "document-print", QKeySequence::Print,
         [imprimir] { imprimir(); });
    QAction* pdf = acao("salvarpdf", QStringLiteral("Salvar PDF"), "document-save-as",
                        QKeySequence::Save, [salvarPdf] { salvarPdf(); });
    if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(pdf)))
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    acessivel::botoesPeloTeclado(barra);

    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("paginas"));
    area_->setAccessibleName(QStringLiteral("Páginas"));
    area_->setWidgetResizable(false);
    area_->setAlignment(Qt::AlignHCenter);
    vista_ = new VistaPaginas(*this);
    area_->setWidget(vista_);
    vista_->resize(vista_->sizeHint());
    connect(area_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &JanelaVisualizacao::atualizarPagina);
    connect(pagina_, &QSpinBox::valueChanged, this, [this](int n) {
        if (!mudandoPagina_)
            irPara(n - 1);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(area_, 1);
    // A page is read at a glance only when the window is large.
    if (const QScreen* tela = screen())
        resize(tela->availableSize() * 0.8);
}

QSize JanelaVisualizacao::tamanhoPagina() const {
    const double dpi = logicalDpiX() * zoom_;
    return (paginas_.papel * dpi).toSize().expandedTo({1, 1});
}

int JanelaVisualizacao::paginaAtual() const {
    const int meio = area_->verticalScrollBar()->value() + area_->viewport()->height() / 2;
    return static_cast<VistaPaginas*>(vista_)->paginasEntre(meio, meio).first;
}

void JanelaVisualizacao::irPara(int pagina) {
    pagina = std::clamp(pagina, 0, std::max(0, paginas_.quantidade - 1));
    const QRect r = static_cast<VistaPaginas*>(vista_)->retanguloDa(pagina);
    area_->verticalScrollBar()->setValue(r.top() - kEspaco);
    atualizarPagina();
}

void JanelaVisualizacao::atualizarPagina() {
    mudandoPagina_ = true;
    pagina_->setValue(paginaAtual() + 1);
    mudandoPagina_ = false;
}

void JanelaVisualizacao::definirZoom(double zoom) {
    const int pagina = paginaAtual();
    zoom_ = std::clamp(zoom, kZoomMinimo, kZoomMaximo);
    guardadas_.clear();
    recentes_.clear();
    vista_->resize(vista_->sizeHint());
    irPara(pagina);
    vista_->update();
}

void JanelaVisualizacao::ajustar(bool largura) {
    const QSizeF papel = paginas_.papel * logicalDpiX();
    const QSize livre = area_->viewport()->size() - QSize(2 * kEspaco, 2 * kEspaco);
    if (papel.isEmpty())
        return;
    const double l = livre.width() / papel.width(), a = livre.height() / papel.height();
    definirZoom(largura ? l : std::min(l, a));
}

void JanelaVisualizacao::pintarFaltando(int primeira, int ultima) {
    while (primeira <= ultima && guardadas_.contains(primeira))
        ++primeira;
    while (ultima >= primeira && guardadas_.contains(ultima))
        --ultima;
    if (primeira > ultima || !paginas_.pintar)
        return;
    const QList<QImage> novas = paginas_.pintar(primeira, ultima, logicalDpiX() * zoom_);
    for (int k = 0; k < novas.size(); ++k) {
        const int pagina = primeira + k;
        pintadas_ << pagina;
        guardadas_.insert(pagina, novas[k]);
        recentes_.removeOne(pagina);
        recentes_.append(pagina);
    }
    while (recentes_.size() > std::max(kGuardadas, int(novas.size())))
        guardadas_.remove(recentes_.takeFirst());
}

const QImage& JanelaVisualizacao::imagem(int pagina) {
    static const QImage vazia;
    const auto it = guardadas_.constFind(pagina);
    return it == guardadas_.constEnd() ? vazia : *it;
}
