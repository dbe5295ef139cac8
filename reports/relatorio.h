#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

// The small banded report engine the printouts run on. A report holds bands (page
// header, detail, page footer, summary), the bands hold fields and lines; the window
// that owns the report answers its events. Pagination is a plain model read without
// painting; the output (preview, printer, PDF) is in reports/saida.h.
//
// Units: every position, size and margin of the engine is in twips (1440 to the inch,
// 20 to the point, 1440/25.4 to the millimetre) unless its declaration says otherwise.
namespace relatorios {

inline constexpr double kTwipsPorMm = 1440.0 / 25.4;
int twipsDeMm(double mm);
int twipsDeCm(double cm);
double mmDeTwips(double twips);
// A colour written as the platform's blue-green-red value (0xFF0000 is blue).
QColor corBgr(unsigned valor);

// The band kinds by their numbers; detail is the default kind.
enum class TipoBanda { Detalhe = 0, Cabecalho = 2, Sumario = 6, Rodape = 7 };

// The engine's errors are this base plus the offsets below.
inline constexpr int kBaseErro = -2147221504;
enum Erro {
    ErroSemImpressora = 1001,
    ErroSemRegistros = 1002,
    ErroSemDetalhe = 1003,
    ErroGrupos = 1004,
    ErroSomenteAvanco = 1005,
    ErroSemEspaco = 1006,
    ErroEmAndamento = 1007,
};
// Tells the message of an error number as the printouts do, titled "Impressão", through
// the reports of data/avisos.h (the engine shows no window of its own). `descricao` is the
// platform's description, added to an unforeseen error when not empty.
void mostrarErro(int numero, const QString& descricao = {});
// Tells why the rows of a printout could not be read, the same way.
void mostrarFalha(const QString& motivo);

struct Fonte {
    QString nome = QStringLiteral("Arial");
    double pontos = 8.25;  // points, 1/72 inch (20 twips)
    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;
    bool riscado = false;
    bool operator==(const Fonte&) const = default;
};
// The font as painted: sized in twips (pixel size = points × 20), without hinting, so
// measures on screen and on paper agree. Fonts missing here get their nearest
// stand-in ("Arial Black" is heavy Arial).
QFont qfont(const Fonte& fonte);

// Sides of a field's border, or-ed together.
enum Borda { BordaEsquerda = 1, BordaSuperior = 2, BordaDireita = 4, BordaInferior = 8 };

struct Campo {
    QString grupo;  // the indexed group the field belongs to, e.g. "rpf_Det"
    int indice = 0;
    QString legenda;      // printed when `campo` is empty
    QString campo;        // a column of the row source, or a name the field-value event fills
    QString formato;      // "#" stands for a digit, the rest is copied: "#####-###"
    int alinhamento = 0;  // 0 left, 1 right, 2 centre
    Fonte fonte;
    QColor corTexto = Qt::black;
    QColor corFundo;      // invalid: no background
    int bordas = 0;       // Borda flags
    int estiloBorda = 1;  // 1 solid, 2 dashed, 3 dotted; 0 draws none
    QColor corBorda = Qt::black;
    int larguraBorda = 1;  // in screen pixels of 1/96 inch (15 twips)
    int esquerda = 0;      // twips from the band's left edge
    int topo = 0;          // twips from the band's top
    int largura = 1035;    // twips
    int altura = 225;      // twips
    bool imprimir = true;  // print switch: off leaves the field out
    QString tag;
    bool formula = false;  // the caption holds [Pagina], [Paginas], [Hoje], [Hora]; a leading
                           // "=" is dropped
};

struct Linha {
    QString nome;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // twips from the band's top left
    QColor cor = Qt::black;
    int largura = 1;  // screen pixels of 1/96 inch (15 twips)
};

struct Banda {
    TipoBanda tipo = TipoBanda::Detalhe;
    int altura = 0;   // twips
    int largura = 0;  // twips; 0 is the printable width. With label columns, one label's step.
    QColor corFundo;  // invalid: no background
    bool autoexpandir = false;  // grows to reach its lowest printed field
    bool autoencolher = false;  // shrinks to its lowest printed field
    std::deque<Campo> campos;   // a deque: windows keep pointers to fields while adding more
    std::vector<Linha> linhas;

    // Height as printed, after growing or shrinking to its fields.
    int alturaImpressa() const;
};

// The events a report window answers.
class Eventos {
public:
    virtual ~Eventos() = default;
    // Raised with 0 when a run starts (rewind the data, lay out fields), then with the
    // page's index (1, 2, …) as each further page starts.
    virtual void inicio(int /*numero*/) {}
    // Raised between two detail records: move the data on.
    virtual void proximoRegistro() {}
    // Fills the value of a field whose `campo` is set; the row source's column is in
    // `valor` already. Empty text prints nothing.
    virtual void valorCampo(const QString& /*campo*/, QString& /*valor*/) {}
    // Raised before each band is printed; the window may recolour bands.
    virtual void inicioBanda(TipoBanda /*tipo*/) {}
    // The pass is over: a window reading its own rows lets go of them (and of the file's
    // read lock, which would hold off other programs' writes while a preview is open).
    virtual void fimDosDados() {}
    // The base plus an offset of Erro. The default shows its message.
    virtual void erro(int numero) { mostrarErro(numero); }
    // The rows could not be read (a damaged or busy file): `motivo` says why. The default
    // shows it as the program's other failures are shown.
    virtual void falha(const QString& motivo) { mostrarFalha(motivo); }
};

// Rows the report reads by itself: the engine rewinds it at the start, reads each field's
// column and moves it on between records.
class FonteLinhas {
public:
    virtual ~FonteLinhas() = default;
    virtual int quantidade() = 0;  // rows, asked once per run
    virtual void inicio() = 0;     // to the first row
    virtual void proximo() = 0;
    virtual QString valor(const QString& coluna) = 0;  // empty for no such column
    // The pass is over: what it holds of the file (a read lock) is let go.
    virtual void terminar() {}
    // Why the rows could not all be read; empty while they could.
    virtual QString falha() const { return {}; }
};

// A band where it lands: twips from the paper's top left corner, after scaling.
struct Colocacao {
    TipoBanda tipo;
    int registro;  // detail records from 0; -1 for other bands
    double esquerda, topo, largura, altura;
};

// The pages of one run, worked out before anything is painted. Every band has one height
// for the whole run (fields are single lines, clipped), so a page is told by its first
// record and count: the model holds a few integers per page.
class Paginacao {
public:
    int paginas() const { return int(paginas_.size()); }
    int registros() const { return registros_; }
    double escala() const { return escala_; }
    // Records of a page (from 0) as first and count.
    int primeiroRegistro(int pagina) const { return paginas_[std::size_t(pagina)].primeiro; }
    int registrosNaPagina(int pagina) const { return paginas_[std::size_t(pagina)].quantidade; }
    bool temSumario(int pagina) const { return paginas_[std::size_t(pagina)].sumario; }
    int paginaDoRegistro(int registro) const;
    // Every band of the page in printing order: header, details, summary, footer.
    std::vector<Colocacao> colocacoes(int pagina) const;
    // Paper twips of the printable area's top left corner.
    QPointF origem() const { return {origemX_, origemY_}; }
    // Design twips between the margins (the page's height divided by the scale).
    int alturaUtil() const { return alturaUtil_; }
    int larguraUtil() const { return larguraUtil_; }
    int linhasPorPagina() const { return linhas_; }
    int colunas() const { return colunas_; }
    int altura(TipoBanda tipo) const;

    // The same bands in design twips of the printable area, before the scale.
    template <class F>
    void percorrer(int pagina, F&& f) const;

private:
    friend class Relatorio;
    struct Pagina {
        int primeiro;
        int quantidade;
        bool sumario;
    };
    std::vector<Pagina> paginas_;
    int registros_ = 0;
    double escala_ = 1;
    double origemX_ = 0, origemY_ = 0;
    int alturaUtil_ = 0, larguraUtil_ = 0;
    int cabecalho_ = -1, detalhe_ = 0, rodape_ = -1, sumario_ = -1;  // heights; -1: no band
    int larguraDetalhe_ = 0, passoColuna_ = 0, colunas_ = 1, linhas_ = 0;
};

template <class F>
void Paginacao::percorrer(int pagina, F&& f) const {
    const Pagina& p = paginas_[std::size_t(pagina)];
    if (cabecalho_ >= 0)
        f(TipoBanda::Cabecalho, -1, 0.0, 0.0, double(larguraUtil_), double(cabecalho_));
    const int topo = std::max(cabecalho_, 0);
    for (int j = 0; j < p.quantidade; ++j)
        f(TipoBanda::Detalhe, p.primeiro + j, double((j % colunas_) * passoColuna_),
          double(topo + (j / colunas_) * detalhe_), double(larguraDetalhe_), double(detalhe_));
    if (p.sumario) {
        const int usadas = (p.quantidade + colunas_ - 1) / colunas_;
        f(TipoBanda::Sumario, -1, 0.0, double(topo + usadas * detalhe_), double(larguraUtil_),
          double(sumario_));
    }
    if (rodape_ >= 0)
        f(TipoBanda::Rodape, -1, 0.0, double(alturaUtil_ - rodape_), double(larguraUtil_),
          double(rodape_));
}

// Receives what a run prints, in design twips of the page's printable area (paper
// position = origin + design × scale). The painter on paper is one; tests record.
class Destino {
public:
    virtual ~Destino() = default;
    virtual void comecar(const Paginacao& /*paginacao*/) {}
    virtual void iniciarPagina(int pagina) = 0;  // from 0
    virtual void retangulo(const QRectF& area, const QColor& cor) = 0;
    virtual void linha(const QLineF& linha, const QColor& cor, double espessura, int estilo) = 0;
    // `texto` already fits its field; `base` is its baseline's left end.
    virtual void texto(QPointF base, const QString& texto, const Fonte& fonte,
                       const QColor& cor) = 0;
    virtual void terminar() {}
};

// Applies a "#" format to a value made of digits (separators " -./" allowed and dropped);
// anything else is returned as it is.
QString aplicarFormato(const QString& valor, const QString& formato);

class Relatorio {
public:
    explicit Relatorio(Eventos* eventos = nullptr);
    Relatorio(const Relatorio&) = delete;
    Relatorio& operator=(const Relatorio&) = delete;

    // Settings.
    QString titulo;
    QPageSize papel{QPageSize::A4};
    QPageLayout::Orientation orientacao = QPageLayout::Portrait;
    // Margins: twips from the paper's edges.
    int margemEsquerda = twipsDeCm(2.0);
    int margemDireita = twipsDeCm(2.0);
    int margemSuperior = twipsDeCm(2.0);
    int margemInferior = twipsDeCm(2.0);
    int registros = 0;             // detail records when there is no row source
    FonteLinhas* fonte = nullptr;  // when set, the rows and the record count come from it
    int colunas = 1;               // label columns: details side by side, filled row by row
    int espacoColunas = 0;         // twips between label columns
    int folgaInferior = 0;         // twips a detail row may reach into the bottom margin
    bool paginaReal = false;       // printed at its real size; otherwise a design wider than the
                                   // printable width is shrunk uniformly to fit
    bool visualizar = true;        // preview switch; off prints directly
    bool selecionarImpressora = true;  // printing asks for the printer first

    Banda& banda(TipoBanda tipo);  // made on first use
    bool temBanda(TipoBanda tipo) const;
    // Adds a designed field to a band.
    Campo& adicionarCampo(TipoBanda tipo, const QString& grupo, int indice = 0);
    Linha& adicionarLinha(TipoBanda tipo, const QString& nome);
    // The field of the group with that index; nullptr when there is none.
    Campo* campo(const QString& grupo, int indice = 0);
    // Makes sure the group has that index: a new field copies index 0, on its band.
    Campo& garantirCampo(const QString& grupo, int indice);
    Linha* linha(const QString& nome);

    // Read back while running.
    QPageLayout layoutPagina() const;
    QSizeF tamanhoPapel() const;  // twips, as the orientation turns it
    double escala() const { return escala_; }
    // The paper's width and the width between the margins in the design's twips, i.e.
    // divided by the scale when the report is shrunk to fit.
    int larguraPagina() const;
    int larguraUtil() const;
    int paginaAtual() const { return paginaAtual_; }  // from 1 while printing
    int paginas() const { return paginas_; }          // known in the printing pass

    // First pass: raises start 0, checks the report and works out its pages.
    // On a fault raises the error event and returns nothing.
    std::optional<Paginacao> paginar();
    // Back to the first row for another pass over the pages paginar() laid out, without
    // counting the rows again; false (the failure told) when they cannot be read.
    bool rebobinar();
    // Lets go of the rows a pass left open, and with them the file's read lock.
    void soltarDados();
    // Second pass: prints every page to `destino`. False when the report did not run.
    bool emitir(Destino& destino);
    // The second pass right after paginar() gave `paginacao`, with the data still rewound.
    void emitir(Destino& destino, const Paginacao& paginacao);
    // The same for the pages `primeira` to `ultima` only: the pages before them are run
    // through (their rows and events, which carry state from page to page) without
    // being laid out, and the pass stops after `ultima`.
    void emitir(Destino& destino, const Paginacao& paginacao, int primeira, int ultima);
    // Raises the error event with the base plus `offset`.
    void erro(int offset);

private:
    void emitirBanda(Destino& destino, TipoBanda tipo, const QRectF& area);
    void emitirCampo(Destino& destino, const Campo& campo, QPointF origem);
    QString textoDoCampo(const Campo& campo);
    int larguraProjeto() const;

    Eventos* eventos_;
    std::deque<Banda> bandas_;  // a deque: references to bands stay valid
    double escala_ = 1;
    int larguraProjeto_ = -1;  // twips, measured at the first run
    int paginaAtual_ = 0;
    int paginas_ = 0;
    QDateTime momento_;
};

// A field's text as it is printed: cut at the field's right edge between whole characters
// when too wide (then from the left edge), otherwise placed by the alignment. `x` and
// `base` (the baseline) are twips from the field's top left.
struct TextoAjustado {
    QString texto;
    double x = 0;
    double base = 0;
};
TextoAjustado ajustarTexto(const QString& texto, const Fonte& fonte, double largura,
                           int alinhamento);

// Rows that fit a space one after another, with `folga` allowed past its end.
int cabem(double espaco, double passo, double folga = 0);

}  // namespace relatorios
