#include "reports/rlt_agenda.h"

#include "data/banco.h"

using namespace relatorios;

namespace {

const QColor kBranco = corBgr(0xFFFFFF);
const QColor kCinza = corBgr(0xE0E0E0);

struct Coluna {
    const char* texto;  // a column title, or the `agenda` column of a row's field
    int esquerda;
    int largura;
    bool borda;  // a rule on its left edge parts it from the column before
};

constexpr Coluna kTitulos[] = {
    {"Nome", 120, 3105, false}, {"Telefone", 3240, 1575, false}, {"Celular", 4800, 1215, false},
    {"MSN", 6000, 2535, false}, {"E-mail", 8520, 2895, false},
};
constexpr Coluna kCampos[] = {
    {"nome", 120, 3105, false}, {"ddd", 3240, 375, true},  {"tel", 3600, 1215, false},
    {"cel", 4800, 1215, true},  {"msn", 6000, 2535, true}, {"email", 8520, 2895, true},
};
// The right edge of the e-mail column: the design's width.
constexpr int kLarguraProjeto = 8520 + 2895;

// A line across the design, `topo` twips down its band.
void linha(Relatorio& rel, TipoBanda banda, const char* nome, int topo) {
    Linha& l = rel.adicionarLinha(banda, QString::fromUtf8(nome));
    l.y1 = l.y2 = topo;
    l.x2 = kLarguraProjeto;
}

}  // namespace

rlt_agenda::rlt_agenda() {
    rel_.titulo = QStringLiteral("Lista de contatos");
    rel_.papel = QPageSize(QPageSize::A4);
    rel_.orientacao = QPageLayout::Portrait;
    rel_.margemEsquerda = rel_.margemDireita = twipsDeCm(1.0);
    rel_.margemSuperior = rel_.margemInferior = twipsDeCm(1.5);
    const QString arial = QStringLiteral("Arial"), times = QStringLiteral("Times New Roman");

    rel_.banda(TipoBanda::Cabecalho).altura = 930;
    titulo_ = &adicionarCampo(rel_, TipoBanda::Cabecalho, QStringLiteral("rpfTitulo"), 0,
                              QRect(120, 135, 11265, 360), fonte(arial, 15.75, true, true, true));
    titulo_->alinhamento = 2;
    titulo_->corTexto = corBgr(0xFF0000);
    for (int i = 0; i < int(std::size(kTitulos)); ++i) {
        const Coluna& t = kTitulos[i];
        adicionarCampo(rel_, TipoBanda::Cabecalho, QStringLiteral("rpfCab"), i,
                       QRect(t.esquerda, 660, t.largura, 225), fonte(times, 9.75, true))
            .legenda = QString::fromUtf8(t.texto);
    }
    linha(rel_, TipoBanda::Cabecalho, "lneCab", 900);

    Banda& det = rel_.banda(TipoBanda::Detalhe);
    det.altura = 270;
    det.corFundo = kBranco;
    for (int i = 0; i < int(std::size(kCampos)); ++i) {
        const Coluna& d = kCampos[i];
        Campo& c = adicionarCampo(rel_, TipoBanda::Detalhe, QStringLiteral("rpfDet"), i,
                                  QRect(d.esquerda, 15, d.largura, 225), fonte(times, 9.75));
        c.campo = QString::fromUtf8(d.texto);
        if (d.borda)
            c.bordas = BordaEsquerda;
    }
    linha(rel_, TipoBanda::Detalhe, "Line1", 240);

    rel_.banda(TipoBanda::Rodape).altura = 600;
    Campo& emissao = adicionarCampo(rel_, TipoBanda::Rodape, QStringLiteral("rpfCab"), 7,
                                    QRect(240, 60, 2955, 225), fonte(arial, 8.25));
    emissao.legenda = QStringLiteral("=Emitido em [Hoje] às [Hora]");
    emissao.formula = true;
    Campo& pagina = adicionarCampo(rel_, TipoBanda::Rodape, QStringLiteral("rpfRod"), 0,
                                   QRect(8760, 60, 2475, 225), fonte(arial, 8.25));
    pagina.legenda = QStringLiteral("=Página atual: [Pagina] de [Paginas]");
    pagina.formula = true;
    pagina.alinhamento = 1;
    linha(rel_, TipoBanda::Rodape, "lneRod", 0);

    adicionarSumario(rel_, 120, 10695);
}

bool rlt_agenda::preparar() {
    banco::abrirPadrao();
    // A file that would not open has told the user so already.
    if (!banco::conexao().aberta())
        return false;
    rel_.fonte = &contatos_;
    return true;
}

void rlt_agenda::inicio(int) {
    titulo_->legenda = QStringLiteral("LISTA DE CONTATOS DA VARNELO");
    const int largura = rel_.larguraUtil();
    for (const char* nome : {"lneCab", "Line1", "lneRod"}) {
        Linha* l = rel_.linha(QString::fromUtf8(nome));
        l->x1 = 0;
        l->x2 = largura;
    }
    for (const char* nome : {"rpfTitulo", "lblsumario1", "lblsumario2"})
        rel_.campo(QString::fromUtf8(nome))->largura = largura;
}

void rlt_agenda::inicioBanda(TipoBanda tipo) {
    if (tipo == TipoBanda::Cabecalho)
        rel_.banda(TipoBanda::Detalhe).corFundo = kBranco;
}

void rlt_agenda::proximoRegistro() {
    Banda& det = rel_.banda(TipoBanda::Detalhe);
    det.corFundo = det.corFundo == kBranco ? kCinza : kBranco;
}
