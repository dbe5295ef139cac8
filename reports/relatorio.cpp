#include "reports/relatorio.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

#include "data/avisos.h"
#include "data/regras.h"

namespace relatorios {
namespace {

// Twips between a border and the text beside it.
constexpr double kRecuo = 45;

struct Mensagem {
    int offset;
    const char* texto;
};

constexpr Mensagem kMensagens[] = {
    {ErroSemImpressora, "É necessário existir uma impressora instalada no Windows"},
    {ErroSemRegistros, "Não há registros a imprimir"},
    {ErroSemDetalhe, "Não foi definida a seção de detalhe do relatório"},
    {ErroGrupos, "A configuração das seções de grupos está incorreta"},
    {ErroSomenteAvanco,
     "Foi definido um cursor do tipo Forward-Only para o recordset do relatório."},
    {ErroSemEspaco,
     "A página configurada para o relatório não possuí espaço suficiente para a impressão"},
    {ErroEmAndamento, "Já existe um relatório em andamento"},
};

// One metrics object per font in use; a run uses a handful.
const QFontMetricsF& medidas(const Fonte& fonte) {
    // Never destroyed: fonts must not outlive the application at exit.
    static auto* cache = new std::deque<std::pair<Fonte, QFontMetricsF>>;
    static std::size_t ultimo = 0;
    if (ultimo < cache->size() && (*cache)[ultimo].first == fonte)
        return (*cache)[ultimo].second;
    for (std::size_t i = 0; i < cache->size(); ++i)
        if ((*cache)[i].first == fonte) {
            ultimo = i;
            return (*cache)[i].second;
        }
    cache->emplace_back(fonte, QFontMetricsF(qfont(fonte)));
    ultimo = cache->size() - 1;
    return cache->back().second;
}

// The longest start of `texto` that fits `largura`, cut between whole characters.
QString cortar(const QString& texto, const QFontMetricsF& fm, double largura) {
    std::vector<int> limites;
    QTextBoundaryFinder bf(QTextBoundaryFinder::Grapheme, texto);
    for (qsizetype p = bf.toNextBoundary(); p > 0; p = bf.toNextBoundary())
        limites.push_back(int(p));
    int baixo = 0, alto = int(limites.size()) - 1, melhor = 0;
    while (baixo <= alto) {
        const int meio = (baixo + alto) / 2;
        if (fm.horizontalAdvance(texto.left(limites[std::size_t(meio)])) <= largura) {
            melhor = limites[std::size_t(meio)];
            baixo = meio + 1;
        } else {
            alto = meio - 1;
        }
    }
    return texto.left(melhor);
}

QString comFormulas(QString texto, int pagina, int paginas, const QDateTime& momento) {
    if (texto.startsWith(QLatin1Char('=')))
        texto.remove(0, 1);
    texto.replace(QLatin1String("[Paginas]"), QString::number(paginas));
    texto.replace(QLatin1String("[Pagina]"), QString::number(pagina));
    texto.replace(QLatin1String("[Hoje]"), momento.date().toString(QStringLiteral("dd/MM/yyyy")));
    texto.replace(QLatin1String("[Hora]"), momento.time().toString(QStringLiteral("hh:mm:ss")));
    return texto;
}

}  // namespace

int twipsDeMm(double mm) {
    return int(std::lround(mm * kTwipsPorMm));
}

int twipsDeCm(double cm) {
    return twipsDeMm(cm * 10.0);
}

double mmDeTwips(double twips) {
    return twips / kTwipsPorMm;
}

QColor corBgr(unsigned valor) {
    return QColor(int(valor & 0xFF), int((valor >> 8) & 0xFF), int((valor >> 16) & 0xFF));
}

void mostrarErro(int numero, const QString& descricao) {
    for (const Mensagem& m : kMensagens)
        if (numero == kBaseErro + m.offset) {
            avisos::informacao(QStringLiteral("Impressão"), QString::fromUtf8(m.texto));
            return;
        }
    // Anything else, negative numbers outside the table included, is unforeseen.
    QString texto =
        QStringLiteral("Erro não previsto:") + QString::number(numero) + QStringLiteral("\r\n");
    if (!descricao.isEmpty())
        texto += descricao + QStringLiteral("\r\n");
    avisos::erro(QStringLiteral("Impressão"), texto);
}

void mostrarFalha(const QString& motivo) {
    avisos::erro(QStringLiteral("Erro"), QStringLiteral("Ocorreu o seguinte erro: ") + motivo);
}

QFont qfont(const Fonte& fonte) {
    QFont f;
    QString nome = fonte.nome;
    QFont::Weight peso = fonte.negrito ? QFont::Bold : QFont::Normal;
    // Without Arial Black fontconfig picks an unrelated sans; the heaviest Arial is nearer.
    static const bool temArialBlack = QFontDatabase::hasFamily(QStringLiteral("Arial Black"));
    if (nome.compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0 && !temArialBlack) {
        nome = QStringLiteral("Arial");
        peso = QFont::Black;
    }
    f.setFamilies({nome});
    f.setPixelSize(std::max(1, int(std::lround(fonte.pontos * 20.0))));
    f.setWeight(peso);
    f.setItalic(fonte.italico);
    f.setUnderline(fonte.sublinhado);
    f.setStrikeOut(fonte.riscado);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QString aplicarFormato(const QString& valor, const QString& formato) {
    if (formato.isEmpty())
        return valor;
    QString digitos;
    for (const QChar c : valor) {
        if (c.isDigit() && c.unicode() < 128)
            digitos += c;
        else if (!QStringLiteral(" -./").contains(c))
            return valor;
    }
    if (digitos.isEmpty())
        return valor;
    // Digits fill the placeholders from the right; a separator is kept only when a digit
    // still stands to its left, and digits beyond the placeholders lead.
    QString saida;
    qsizetype j = digitos.size() - 1;
    for (qsizetype i = formato.size() - 1; i >= 0; --i) {
        const QChar c = formato.at(i);
        if (c == QLatin1Char('#')) {
            if (j >= 0)
                saida.prepend(digitos.at(j--));
        } else if (j >= 0) {
            saida.prepend(c);
        }
    }
    if (j >= 0)
        saida.prepend(digitos.left(j + 1));
    return saida;
}

TextoAjustado ajustarTexto(const QString& texto, const Fonte& fonte, double largura,
                           int alinhamento) {
    if (largura <= 0)
        return {};
    const QFontMetricsF& fm = medidas(fonte);
    const double medida = fm.horizontalAdvance(texto);
    if (medida > largura)
        return {cortar(texto, fm, largura), 0, fm.ascent()};
    const double sobra = largura - medida;
    return {texto, alinhamento == 1 ? sobra : alinhamento == 2 ? sobra / 2 : 0, fm.ascent()};
}

int cabem(double espaco, double passo, double folga) {
    if (passo <= 0 || espaco + folga < passo)
        return 0;
    return int(std::floor((espaco + folga) / passo));
}

int Banda::alturaImpressa() const {
    int fundo = 0;
    for (const Campo& c : campos)
        if (c.imprimir)
            fundo = std::max(fundo, c.topo + c.altura);
    for (const Linha& l : linhas)
        fundo = std::max(fundo, std::max(l.y1, l.y2));
    if ((autoexpandir && fundo > altura) || (autoencolher && fundo < altura))
        return fundo;
    return altura;
}

int Paginacao::paginaDoRegistro(int registro) const {
    const auto it =
        std::upper_bound(paginas_.begin(), paginas_.end(), registro,
                         [](int r, const Pagina& p) { return r < p.primeiro + p.quantidade; });
    return it == paginas_.end() ? -1 : int(it - paginas_.begin());
}

int Paginacao::altura(TipoBanda tipo) const {
    switch (tipo) {
        case TipoBanda::Cabecalho:
            return cabecalho_;
        case TipoBanda::Rodape:
            return rodape_;
        case TipoBanda::Sumario:
            return sumario_;
        case TipoBanda::Detalhe:
            break;
    }
    return detalhe_;
}

std::vector<Colocacao> Paginacao::colocacoes(int pagina) const {
    std::vector<Colocacao> r;
    percorrer(pagina, [&](TipoBanda tipo, int registro, double x, double y, double l, double a) {
        r.push_back({tipo, registro, origemX_ + x * escala_, origemY_ + y * escala_, l * escala_,
                     a * escala_});
    });
    return r;
}

Relatorio::Relatorio(Eventos* eventos) : eventos_(eventos) {
    static Eventos nenhum;
    if (!eventos_)
        eventos_ = &nenhum;
}

Banda& Relatorio::banda(TipoBanda tipo) {
    for (Banda& b : bandas_)
        if (b.tipo == tipo)
            return b;
    bandas_.emplace_back();
    bandas_.back().tipo = tipo;
    return bandas_.back();
}

bool Relatorio::temBanda(TipoBanda tipo) const {
    return std::any_of(bandas_.begin(), bandas_.end(),
                       [tipo](const Banda& b) { return b.tipo == tipo; });
}

Campo& Relatorio::adicionarCampo(TipoBanda tipo, const QString& grupo, int indice) {
    Banda& b = banda(tipo);
    b.campos.emplace_back();
    b.campos.back().grupo = grupo;
    b.campos.back().indice = indice;
    return b.campos.back();
}

Linha& Relatorio::adicionarLinha(TipoBanda tipo, const QString& nome) {
    Banda& b = banda(tipo);
    b.linhas.emplace_back();
    b.linhas.back().nome = nome;
    return b.linhas.back();
}

Campo* Relatorio::campo(const QString& grupo, int indice) {
    for (Banda& b : bandas_)
        for (Campo& c : b.campos)
            if (c.indice == indice && c.grupo == grupo)
                return &c;
    return nullptr;
}

Campo& Relatorio::garantirCampo(const QString& grupo, int indice) {
    if (Campo* c = campo(grupo, indice))
        return *c;
    for (Banda& b : bandas_)
        for (Campo& c : b.campos)
            if (c.indice == 0 && c.grupo == grupo) {
                Campo copia = c;
                copia.indice = indice;
                b.campos.push_back(copia);
                return b.campos.back();
            }
    // A group without its designed first field starts on the detail band.
    return adicionarCampo(TipoBanda::Detalhe, grupo, indice);
}

Linha* Relatorio::linha(const QString& nome) {
    for (Banda& b : bandas_)
        for (Linha& l : b.linhas)
            if (l.nome == nome)
                return &l;
    return nullptr;
}

QPageLayout Relatorio::layoutPagina() const {
    return QPageLayout(papel, orientacao, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

QSizeF Relatorio::tamanhoPapel() const {
    // From the unit the paper is defined in, since Qt rounds its other units (A4 in points).
    QSizeF t;
    switch (papel.definitionUnits()) {
        case QPageSize::Point:
            t = papel.definitionSize() * 20;
            break;
        case QPageSize::Inch:
            t = papel.definitionSize() * 1440;
            break;
        case QPageSize::Pica:
            t = papel.definitionSize() * 240;
            break;
        default:
            t = papel.size(QPageSize::Millimeter) * kTwipsPorMm;
            break;
    }
    if (orientacao == QPageLayout::Landscape)
        t.transpose();
    return t;
}

int Relatorio::larguraPagina() const {
    return int(tamanhoPapel().width() / escala_);
}

int Relatorio::larguraUtil() const {
    return int((tamanhoPapel().width() - margemEsquerda - margemDireita) / escala_);
}

int Relatorio::larguraProjeto() const {
    int largura = 0;
    for (const Banda& b : bandas_) {
        for (const Campo& c : b.campos)
            if (c.imprimir)
                largura = std::max(largura, c.esquerda + c.largura);
        for (const Linha& l : b.linhas)
            largura = std::max(largura, std::max(l.x1, l.x2));
        if (b.tipo == TipoBanda::Detalhe && b.largura > 0) {
            const int n = std::max(1, colunas);
            largura = std::max(largura, n * b.largura + (n - 1) * espacoColunas);
        }
    }
    return largura;
}

void Relatorio::erro(int offset) {
    eventos_->erro(kBaseErro + offset);
}

std::optional<Paginacao> Relatorio::paginar() {
    momento_ = regras::agora();
    paginaAtual_ = 1;
    paginas_ = 0;
    const double larguraPapel = tamanhoPapel().width(), alturaPapel = tamanhoPapel().height();
    const double larguraMargens = larguraPapel - margemEsquerda - margemDireita;
    const double alturaMargens = alturaPapel - margemSuperior - margemInferior;
    escala_ = 1;
    // The design is what the window built before its first run; the start events that
    // follow fit it to the page and must not change the scale between passes.
    if (larguraProjeto_ < 0)
        larguraProjeto_ = larguraProjeto();
    if (!paginaReal && larguraMargens > 0 && larguraProjeto_ > larguraMargens)
        escala_ = larguraMargens / larguraProjeto_;
    const int quantidade = fonte ? fonte->quantidade() : registros;
    if (fonte)
        fonte->inicio();
    // A file that cannot be read is told as such, never as one with nothing to print.
    if (fonte && !fonte->falha().isEmpty()) {
        eventos_->falha(fonte->falha());
        return std::nullopt;
    }
    eventos_->inicio(0);
    if (!temBanda(TipoBanda::Detalhe)) {
        erro(ErroSemDetalhe);
        return std::nullopt;
    }
    if (quantidade <= 0) {
        erro(ErroSemRegistros);
        return std::nullopt;
    }

    Paginacao p;
    p.registros_ = quantidade;
    p.escala_ = escala_;
    p.origemX_ = margemEsquerda;
    p.origemY_ = margemSuperior;
    p.alturaUtil_ = int(alturaMargens / escala_);
    p.larguraUtil_ = larguraUtil();
    auto altura = [this](TipoBanda t) { return temBanda(t) ? banda(t).alturaImpressa() : -1; };
    p.cabecalho_ = altura(TipoBanda::Cabecalho);
    p.rodape_ = altura(TipoBanda::Rodape);
    p.sumario_ = altura(TipoBanda::Sumario);
    const Banda& detalhe = banda(TipoBanda::Detalhe);
    p.detalhe_ = detalhe.alturaImpressa();
    p.colunas_ = std::max(1, colunas);
    p.larguraDetalhe_ = detalhe.largura > 0 ? detalhe.largura : p.larguraUtil_;
    p.passoColuna_ = p.larguraDetalhe_ + espacoColunas;
    const int corpo = p.alturaUtil_ - std::max(p.cabecalho_, 0) - std::max(p.rodape_, 0);
    p.linhas_ = cabem(corpo, p.detalhe_, folgaInferior / escala_);
    const double grade = double(p.colunas_) * p.larguraDetalhe_ + (p.colunas_ - 1) * espacoColunas;
    const bool cabe = margemEsquerda >= 0 && margemDireita >= 0 && margemSuperior >= 0 &&
                      margemInferior >= 0 && larguraMargens > 0 && p.linhas_ > 0 &&
                      p.larguraDetalhe_ > 0 && grade * escala_ <= larguraPapel &&
                      p.sumario_ <= corpo;
    if (!cabe) {
        erro(ErroSemEspaco);
        return std::nullopt;
    }

    const int porPagina = p.linhas_ * p.colunas_;
    p.paginas_.reserve(std::size_t((quantidade + porPagina - 1) / porPagina + 1));
    for (int primeiro = 0; primeiro < quantidade; primeiro += porPagina)
        p.paginas_.push_back({primeiro, std::min(porPagina, quantidade - primeiro), false});
    if (p.sumario_ >= 0) {
        Paginacao::Pagina& ultima = p.paginas_.back();
        const int usadas = (ultima.quantidade + p.colunas_ - 1) / p.colunas_;
        if (usadas * p.detalhe_ + p.sumario_ <= corpo)
            ultima.sumario = true;
        else
            p.paginas_.push_back({quantidade, 0, true});
    }
    paginas_ = p.paginas();
    return p;
}

bool Relatorio::rebobinar() {
    paginaAtual_ = 1;
    if (fonte) {
        fonte->inicio();
        if (!fonte->falha().isEmpty()) {
            eventos_->falha(fonte->falha());
            return false;
        }
    }
    eventos_->inicio(0);
    return true;
}

void Relatorio::soltarDados() {
    if (fonte)
        fonte->terminar();
    eventos_->fimDosDados();
}

bool Relatorio::emitir(Destino& destino) {
    const std::optional<Paginacao> p = paginar();
    if (p)
        emitir(destino, *p);
    else
        soltarDados();
    return p.has_value();
}

void Relatorio::emitir(Destino& destino, const Paginacao& paginacao) {
    emitir(destino, paginacao, 0, paginacao.paginas() - 1);
}

void Relatorio::emitir(Destino& destino, const Paginacao& paginacao, int primeira, int ultima) {
    const Paginacao* p = &paginacao;
    destino.comecar(*p);
    const int ultimo = p->registros() - 1;
    ultima = std::min(ultima, p->paginas() - 1);
    for (int pagina = 0; pagina <= ultima; ++pagina) {
        paginaAtual_ = pagina + 1;
        if (pagina > 0)
            eventos_->inicio(pagina);
        const bool mostrada = pagina >= primeira;
        if (mostrada)
            destino.iniciarPagina(pagina);
        p->percorrer(pagina,
                     [&](TipoBanda tipo, int registro, double x, double y, double l, double a) {
                         if (mostrada)
                             emitirBanda(destino, tipo, QRectF(x, y, l, a));
                         else
                             eventos_->inicioBanda(tipo);
                         // The data moves on right after its record, before the page turns.
                         if (registro >= 0 && registro < ultimo) {
                             if (fonte)
                                 fonte->proximo();
                             eventos_->proximoRegistro();
                         }
                     });
    }
    destino.terminar();
    const QString falha = fonte ? fonte->falha() : QString();
    soltarDados();
    if (!falha.isEmpty())
        eventos_->falha(falha);
}

QString Relatorio::textoDoCampo(const Campo& c) {
    QString texto;
    if (!c.campo.isEmpty()) {
        if (fonte)
            texto = fonte->valor(c.campo);
        eventos_->valorCampo(c.campo, texto);
    } else {
        texto = c.formula ? comFormulas(c.legenda, paginaAtual_, paginas_, momento_) : c.legenda;
    }
    return aplicarFormato(texto, c.formato);
}

void Relatorio::emitirBanda(Destino& destino, TipoBanda tipo, const QRectF& area) {
    eventos_->inicioBanda(tipo);
    Banda& b = banda(tipo);
    if (b.corFundo.isValid())
        destino.retangulo(area, b.corFundo);
    for (const Campo& c : b.campos)
        if (c.imprimir)
            emitirCampo(destino, c, area.topLeft());
    const double x = area.left(), y = area.top();
    for (const Linha& l : b.linhas)
        destino.linha(QLineF(x + l.x1, y + l.y1, x + l.x2, y + l.y2), l.cor, l.largura * 15.0, 1);
}

void Relatorio::emitirCampo(Destino& destino, const Campo& c, QPointF origem) {
    const QRectF caixa(origem.x() + c.esquerda, origem.y() + c.topo, c.largura, c.altura);
    if (c.corFundo.isValid())
        destino.retangulo(caixa, c.corFundo);
    const double espessura = c.larguraBorda * 15.0;
    const bool comBorda = c.bordas && c.estiloBorda > 0;
    const QString texto = textoDoCampo(c);
    if (!texto.isEmpty()) {
        // Text keeps clear of a border beside it.
        const double recuoEsquerdo = comBorda && (c.bordas & BordaEsquerda) ? kRecuo : 0;
        const double recuoDireito = comBorda && (c.bordas & BordaDireita) ? kRecuo : 0;
        const double largura = c.largura - recuoEsquerdo - recuoDireito;
        const TextoAjustado t = ajustarTexto(texto, c.fonte, largura, c.alinhamento);
        if (!t.texto.isEmpty())
            destino.texto(QPointF(caixa.left() + recuoEsquerdo + t.x, caixa.top() + t.base),
                          t.texto, c.fonte, c.corTexto);
    }
    if (!comBorda)
        return;
    const std::pair<int, QLineF> lados[] = {
        {BordaEsquerda, QLineF(caixa.topLeft(), caixa.bottomLeft())},
        {BordaSuperior, QLineF(caixa.topLeft(), caixa.topRight())},
        {BordaDireita, QLineF(caixa.topRight(), caixa.bottomRight())},
        {BordaInferior, QLineF(caixa.bottomLeft(), caixa.bottomRight())},
    };
    for (const auto& [lado, l] : lados)
        if (c.bordas & lado)
            destino.linha(l, c.corBorda, espessura, c.estiloBorda);
}

}  // namespace relatorios
