#include "reports/rlt_listview.h"

#include <QHeaderView>
#include <QTreeView>
#include <cmath>

namespace relatorios {

std::vector<ColunaDisposta> disporColunas(std::span<const ColunaLista> colunas, int disponivel,
                                          int espaco, int* ocupada) {
    std::vector<ColunaDisposta> r;
    r.reserve(colunas.size());
    int x = 0;
    bool cheio = false;
    for (const ColunaLista& c : colunas) {
        // A hidden column stands where the next one starts and takes no space, so its
        // width (whatever it was) cannot push the rest out.
        if (c.oculta) {
            r.push_back({x, false});
            continue;
        }
        if (!cheio && x + c.largura < disponivel) {
            r.push_back({x, true});
            x += c.largura + espaco;
        } else {
            cheio = true;
            r.push_back({x, false});
        }
    }
    if (ocupada)
        *ocupada = x;
    return r;
}

}  // namespace relatorios

using namespace relatorios;

namespace {

Fonte arial(double pontos, bool negrito = false) {
    return fonte(QStringLiteral("Arial"), pontos, negrito);
}

Fonte daLista(const QFont& q) {
    Fonte f = fonte(q.family(), q.pointSizeF() > 0 ? q.pointSizeF() : QFontInfo(q).pointSizeF(),
                    q.bold(), q.italic(), q.underline());
    f.riscado = q.strikeOut();
    return f;
}

int alinhamento(const QVariant& a) {
    const auto flags = Qt::Alignment(a.toInt());
    if (flags & Qt::AlignRight)
        return 1;
    if (flags & Qt::AlignHCenter)
        return 2;
    return 0;
}

}  // namespace

rlt_ListView::rlt_ListView() {
    rel_.papel = QPageSize(QPageSize::A4);
    rel_.orientacao = QPageLayout::Landscape;
    rel_.margemEsquerda = twipsDeCm(3.0);
    rel_.margemDireita = twipsDeCm(2.0);
    rel_.margemSuperior = twipsDeCm(2.0);
    rel_.margemInferior = twipsDeCm(2.0);

    rel_.banda(TipoBanda::Cabecalho).altura = 750;
    titulo_ = &adicionarCampo(rel_, TipoBanda::Cabecalho, QStringLiteral("rpf_Titulo"), 0,
                              QRect(0, 0, 11280, 450),
                              fonte(QStringLiteral("Arial Black"), 14.25, true, true));
    titulo_->legenda = QStringLiteral("Titulo");
    titulo_->alinhamento = 2;
    titulo_->bordas = BordaInferior;
    titulo_->corBorda = corBgr(0xC00000);
    titulo_->larguraBorda = 3;
    Campo& cab = adicionarCampo(rel_, TipoBanda::Cabecalho, QStringLiteral("rpf_Cab"), 0,
                                QRect(0, 525, 1035, 225), arial(8.25, true));
    cab.bordas = BordaInferior;
    cab.corFundo = corBgr(0xE0E0E0);

    Banda& det = rel_.banda(TipoBanda::Detalhe);
    det.altura = 435;
    det.autoexpandir = det.autoencolher = true;
    Campo& celula = adicionarCampo(rel_, TipoBanda::Detalhe, QStringLiteral("rpf_Det"), 0,
                                   QRect(0, 0, 1035, 225), arial(8.25));
    celula.bordas = BordaInferior;
    celula.estiloBorda = 1;

    rel_.banda(TipoBanda::Rodape).altura = 855;
    // The issue line and the page line are the engine's formulas, filled as each page prints.
    Campo& emissao = adicionarCampo(rel_, TipoBanda::Rodape, QStringLiteral("rpfCab1"), 0,
                                    QRect(120, 60, 2955, 225), arial(8.25));
    emissao.legenda = QStringLiteral("Emitido em [Hoje] às [Hora]");
    emissao.formula = true;
    pagina_ = &adicionarCampo(rel_, TipoBanda::Rodape, QStringLiteral("rpfRod2"), 0,
                              QRect(8880, 60, 2475, 225), arial(8.25));
    pagina_->legenda = QStringLiteral("Pagina atual: [Pagina]");
    pagina_->formula = true;
    pagina_->alinhamento = 1;
    linhaRodape_ = &rel_.adicionarLinha(TipoBanda::Rodape, QStringLiteral("lneRod"));
    linhaRodape_->x2 = 11280;

    adicionarSumario(rel_, 0, 11295);
}

void rlt_ListView::Largura(double twips) {
    rel_.banda(TipoBanda::Cabecalho).largura = int(twips);
    rel_.banda(TipoBanda::Detalhe).largura = int(twips);
}

void rlt_ListView::Altura(double twips) {
    rel_.banda(TipoBanda::Cabecalho).altura = int(twips);
    rel_.banda(TipoBanda::Detalhe).altura = int(twips);
}

bool rlt_ListView::preparar() {
    if (!grid_)
        return false;
    if (GapColunas == 0)
        GapColunas = 60;
    const QAbstractItemModel* modelo = grid_->model();
    grid_->viewport()->update();
    rel_.registros = modelo->rowCount();
    for (TipoBanda t : {TipoBanda::Cabecalho, TipoBanda::Detalhe}) {
        rel_.banda(t).autoexpandir = true;
        rel_.banda(t).autoencolher = true;
    }
    const Fonte fonte = daLista(grid_->font());
    const double twipsPorPixel = 1440.0 / grid_->logicalDpiX();
    colunas_ = modelo->columnCount();
    for (int i = 0; i < colunas_; ++i) {
        Campo& cab = rel_.garantirCampo(QStringLiteral("rpf_Cab"), i);
        Campo& det = rel_.garantirCampo(QStringLiteral("rpf_Det"), i);
        const int alinhado =
            alinhamento(modelo->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole));
        cab.imprimir = false;
        cab.fonte = fonte;
        cab.fonte.negrito = true;
        cab.alinhamento = alinhado;
        det.imprimir = false;
        det.campo = QString::number(i);
        det.fonte = fonte;
        det.alinhamento = alinhado;
        const int largura = grid_->header()->isSectionHidden(i)
                                ? 0
                                : int(std::lround(grid_->header()->sectionSize(i) * twipsPorPixel));
        for (Campo* c : {&cab, &det}) {
            if (largura <= 0) {
                c->tag = QStringLiteral("0");
            } else {
                c->tag.clear();
                c->largura = largura;
            }
        }
        cab.legenda = modelo->headerData(i, Qt::Horizontal).toString();
    }
    rel_.titulo = Titulo;
    titulo_->legenda = rel_.titulo;
    return true;
}

void rlt_ListView::inicio(int numero) {
    const int disponivel = rel_.larguraUtil();
    if (numero == 0) {
        const int topo = rel_.campo(QStringLiteral("rpf_Cab"))->topo;
        linhaAtual_ = 1;
        std::vector<ColunaLista> colunas;
        for (int k = 0; k < colunas_; ++k) {
            const Campo* det = rel_.campo(QStringLiteral("rpf_Det"), k);
            colunas.push_back({det->largura, !det->tag.isEmpty()});
        }
        int x = 0;
        const std::vector<ColunaDisposta> dispostas =
            disporColunas(colunas, disponivel, GapColunas, &x);
        for (int k = 0; k < colunas_; ++k) {
            Campo* det = rel_.campo(QStringLiteral("rpf_Det"), k);
            Campo* cab = rel_.campo(QStringLiteral("rpf_Cab"), k);
            det->esquerda = dispostas[std::size_t(k)].esquerda;
            det->imprimir = dispostas[std::size_t(k)].impressa;
            cab->topo = topo;
            cab->esquerda = det->esquerda;
            cab->imprimir = det->imprimir;
        }
        titulo_->esquerda = 0;
        titulo_->topo = 0;
        titulo_->largura = x;
    }
    titulo_->largura = disponivel;
    linhaRodape_->x1 = 0;
    linhaRodape_->x2 = disponivel;
    // The page line ends where the rule does, on whatever paper.
    pagina_->esquerda = std::max(0, disponivel - pagina_->largura);
    for (const char* nome : {"lblsumario1", "lblsumario2"})
        rel_.campo(QString::fromUtf8(nome))->largura = disponivel;
}

void rlt_ListView::proximoRegistro() {
    ++linhaAtual_;
}

void rlt_ListView::valorCampo(const QString& campo, QString& valor) {
    const QAbstractItemModel* modelo = grid_->model();
    valor = modelo->data(modelo->index(linhaAtual_ - 1, campo.toInt())).toString();
}
