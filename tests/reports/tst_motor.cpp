#include <QFontDatabase>
#include <QFontInfo>
#include <QPrinter>
#include <QTest>

#include "apoio_relatorios.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"
#include "reports/relatorio.h"
#include "reports/saida.h"

using namespace relatorios;

namespace {

// Logs every event and fills a field's value with its record number.
class Registro : public relatorios::Eventos {
public:
    QStringList log;
    int registro = 0;
    std::function<void(int)> aoIniciar;
    void inicio(int n) override {
        log << QString("inicio %1").arg(n);
        if (n == 0)
            registro = 0;
        if (aoIniciar)
            aoIniciar(n);
    }
    void proximoRegistro() override {
        log << "proximo";
        ++registro;
    }
    void valorCampo(const QString& campo, QString& valor) override {
        valor = campo + QString::number(registro);
    }
    void inicioBanda(TipoBanda t) override { log << QString("banda %1").arg(int(t)); }
};

// 10000 x 8000 twips of paper, 1000 of margin all round: 8000 x 6000 between them.
void montar(Relatorio& r, int registros) {
    r.papel = QPageSize(QSizeF(500, 400), QPageSize::Point);
    r.margemEsquerda = r.margemDireita = r.margemSuperior = r.margemInferior = 1000;
    r.registros = registros;
    r.banda(TipoBanda::Cabecalho).altura = 1000;
    r.banda(TipoBanda::Detalhe).altura = 300;
    r.banda(TipoBanda::Rodape).altura = 500;
    r.banda(TipoBanda::Sumario).altura = 1000;
    Campo& c = r.adicionarCampo(TipoBanda::Detalhe, "det");
    c.campo = "r";
    c.largura = 3000;
}

QString colocacao(const Colocacao& c) {
    return QString("%1:%2@%3,%4+%5")
        .arg(int(c.tipo))
        .arg(c.registro)
        .arg(c.esquerda)
        .arg(c.topo)
        .arg(c.altura);
}

}  // namespace

class TstMotor : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { regras::fixarAgora({}); }
    void paginasDoModelo();
    void eventosNaOrdemDaImpressao();
    void formulasEmTodasAsPaginas();
    void textoCortadoNaBordaEFormato();
    void escalaUniformeQuandoNaoCabe();
    void errosDoMotor();
    void fontesPeloNome();
};

void TstMotor::paginasDoModelo() {
    Relatorio r;
    montar(r, 40);
    // 6000 − 1000 − 500 leaves 4500 for rows of 300: 15 a page; the summary fits under 10.
    std::optional<Paginacao> p = r.paginar();
    QVERIFY(p);
    QCOMPARE(p->paginas(), 3);
    QCOMPARE(p->linhasPorPagina(), 15);
    QCOMPARE(p->primeiroRegistro(2), 30);
    QCOMPARE(p->registrosNaPagina(2), 10);
    QVERIFY(p->temSumario(2) && !p->temSumario(1));
    QCOMPARE(p->paginaDoRegistro(29), 1);
    QCOMPARE(p->paginaDoRegistro(30), 2);
    const std::vector<Colocacao> segunda = p->colocacoes(1);
    QCOMPARE(segunda.size(), std::size_t(17));
    QCOMPARE(colocacao(segunda.front()), QString("2:-1@1000,1000+1000"));
    QCOMPARE(colocacao(segunda[1]), QString("0:15@1000,2000+300"));
    QCOMPARE(colocacao(segunda[15]), QString("0:29@1000,6200+300"));
    QCOMPARE(colocacao(segunda.back()), QString("7:-1@1000,6500+500"));
    QCOMPARE(colocacao(p->colocacoes(2)[11]), QString("6:-1@1000,5000+1000"));

    // Three full pages leave no room for the summary: it gets a page of its own.
    r.registros = 45;
    p = r.paginar();
    QCOMPARE(p->paginas(), 4);
    QCOMPARE(p->registrosNaPagina(3), 0);
    QCOMPARE(colocacao(p->colocacoes(3)[1]), QString("6:-1@1000,2000+1000"));

    // A band that shrinks to its fields changes how many rows fit.
    Banda& det = r.banda(TipoBanda::Detalhe);
    det.autoencolher = true;
    r.campo("det")->altura = 250;
    QCOMPARE(r.paginar()->linhasPorPagina(), 18);
    det.autoencolher = false;
    det.autoexpandir = true;
    r.campo("det")->topo = 200;
    QCOMPARE(r.paginar()->linhasPorPagina(), 10);

    // Label columns fill across, row by row, one step apart.
    Relatorio e;
    montar(e, 7);
    e.banda(TipoBanda::Detalhe).largura = 2500;
    e.colunas = 3;
    e.espacoColunas = 100;
    for (TipoBanda t : {TipoBanda::Cabecalho, TipoBanda::Rodape, TipoBanda::Sumario})
        e.banda(t).altura = 0;
    p = e.paginar();
    QStringList pos;
    for (const Colocacao& c : p->colocacoes(0))
        if (c.tipo == TipoBanda::Detalhe)
            pos << QString("%1@%2,%3").arg(c.registro).arg(c.esquerda).arg(c.topo);
    QCOMPARE(pos, QStringList({"0@1000,1000", "1@3600,1000", "2@6200,1000", "3@1000,1300",
                               "4@3600,1300", "5@6200,1300", "6@1000,1600"}));
}

void TstMotor::eventosNaOrdemDaImpressao() {
    Registro ev;
    Relatorio r(&ev);
    montar(r, 16);
    Gravador g;
    QVERIFY(r.emitir(g));
    // Data moves on after each record but the last, before the page turns; each further
    // page starts with its number before its header.
    const qsizetype virada = ev.log.indexOf("inicio 1");
    QCOMPARE(ev.log.mid(virada - 3, 7), QStringList({"banda 0", "proximo", "banda 7", "inicio 1",
                                                     "banda 2", "banda 0", "banda 6"}));
    QCOMPARE(ev.log.count("proximo"), 15);
    QCOMPARE(ev.log.first(), QString("inicio 0"));
    QCOMPARE(ev.log.last(), QString("banda 7"));
    QCOMPARE(g.daPagina(1), QStringList({"r15"}));
    // Every run rewinds: the same texts again.
    const QStringList antes = g.daPagina();
    Gravador outra;
    r.emitir(outra);
    QCOMPARE(outra.daPagina(), antes);
}

void TstMotor::formulasEmTodasAsPaginas() {
    regras::fixarAgora(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    Relatorio r;
    montar(r, 40);
    Campo& f = r.adicionarCampo(TipoBanda::Rodape, "rpfRod");
    f.legenda = "=Página [Pagina] de [Paginas] em [Hoje] às [Hora]";
    f.formula = true;
    f.largura = 6000;
    Campo& literal = r.adicionarCampo(TipoBanda::Cabecalho, "sem");
    literal.legenda = "[Pagina]";
    Gravador g;
    QVERIFY(r.emitir(g));
    QCOMPARE(g.paginas, 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList textos = g.daPagina(i);
        QCOMPARE(textos.first(), QString("[Pagina]"));
        QCOMPARE(textos.last(), QString("Página %1 de 3 em 05/03/2024 às 14:07:09").arg(i + 1));
    }
}

void TstMotor::textoCortadoNaBordaEFormato() {
    const Fonte arial;
    const QString longo = "Anotação com um título que não cabe no campo de jeito nenhum";
    const TextoAjustado t = ajustarTexto(longo, arial, 2000, 1);
    QVERIFY(longo.startsWith(t.texto));
    QVERIFY(t.texto.size() < longo.size());
    const QFontMetricsF fm(qfont(arial));
    QVERIFY(fm.horizontalAdvance(t.texto) <= 2000);
    QVERIFY(fm.horizontalAdvance(longo.left(t.texto.size() + 1)) > 2000);
    QCOMPARE(t.x, 0.0);  // cut text starts at the left edge, whatever the alignment
    const TextoAjustado direita = ajustarTexto("Pagina atual: 3", arial, 2475, 1);
    QCOMPARE(direita.x + fm.horizontalAdvance("Pagina atual: 3"), 2475.0);
    const TextoAjustado centro = ajustarTexto("abc", arial, 1000, 2);
    QCOMPARE(centro.x, (1000 - fm.horizontalAdvance("abc")) / 2);
    QVERIFY(ajustarTexto("abc", arial, 0, 0).texto.isEmpty());

    QCOMPARE(aplicarFormato("01310100 ", "#####-###"), QString("01310-100"));
    QCOMPARE(aplicarFormato("01310-100", "#####-###"), QString("01310-100"));
    QCOMPARE(aplicarFormato("1310100", "#####-###"), QString("1310-100"));
    QCOMPARE(aplicarFormato("123", "#####-###"), QString("123"));
    QCOMPARE(aplicarFormato("sem CEP ", "#####-###"), QString("sem CEP "));
    QCOMPARE(aplicarFormato(" ", "#####-###"), QString(" "));
    QCOMPARE(aplicarFormato("01310100", ""), QString("01310100"));

    // In a run, the field's value is cut and formatted as above.
    Registro ev;
    Relatorio r(&ev);
    montar(r, 1);
    r.campo("det")->largura = 300;
    Campo& cep = r.adicionarCampo(TipoBanda::Detalhe, "cep");
    cep.legenda = "04567890";
    cep.formato = "#####-###";
    cep.esquerda = 4000;
    Gravador g;
    r.emitir(g);
    QCOMPARE(g.daPagina(0).size(), 2);
    QVERIFY(QString("r0").startsWith(g.daPagina(0).at(0)));
    QVERIFY(g.daPagina(0).at(0).size() < 4);
    QCOMPARE(g.daPagina(0).at(1), QString("04567-890"));
}

void TstMotor::escalaUniformeQuandoNaoCabe() {
    Relatorio r;
    montar(r, 100);
    int util = 0;
    Registro ev;
    Relatorio largo(&ev);
    montar(largo, 100);
    largo.campo("det")->largura = 16000;  // twice the 8000 between the margins
    ev.aoIniciar = [&](int) { util = largo.larguraUtil(); };
    std::optional<Paginacao> p = largo.paginar();
    QCOMPARE(p->escala(), 0.5);
    // The window reads the page in the design's twips, so it fills the whole width.
    QCOMPARE(util, 16000);
    QCOMPARE(largo.larguraPagina(), 20000);
    // Everything shrinks alike: the page holds twice the height, bands are half as high.
    QCOMPARE(p->linhasPorPagina(), 35);
    QCOMPARE(colocacao(p->colocacoes(0)[1]), QString("0:0@1000,1500+150"));
    // The scale is the design's: fitting widths in the start event does not change it.
    ev.aoIniciar = [&](int) { largo.campo("det")->largura = 20000; };
    QCOMPARE(largo.paginar()->escala(), 0.5);
    largo.paginaReal = true;
    QCOMPARE(largo.paginar()->escala(), 1.0);
    QCOMPARE(r.paginar()->escala(), 1.0);
}

void TstMotor::errosDoMotor() {
    DialogosRoteiro dlg;
    const QStringList mensagens = {
        "É necessário existir uma impressora instalada no Windows",
        "Não há registros a imprimir",
        "Não foi definida a seção de detalhe do relatório",
        "A configuração das seções de grupos está incorreta",
        "Foi definido um cursor do tipo Forward-Only para o recordset do relatório.",
        "A página configurada para o relatório não possuí espaço suficiente para a impressão",
        "Já existe um relatório em andamento"};
    for (int i = 0; i < mensagens.size(); ++i) {
        mostrarErro(kBaseErro + 1001 + i);
        QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Informacao);
        QCOMPARE(dlg.ultimaMensagem().titulo, QString("Impressão"));
        QCOMPARE(dlg.ultimaMensagem().texto, mensagens[i]);
    }
    mostrarErro(5);
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Critico);
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Erro não previsto:5\r\n"));
    mostrarErro(0, "disco cheio");
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Erro não previsto:0\r\ndisco cheio\r\n"));
    mostrarErro(kBaseErro + 2000);
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Erro não previsto:%1\r\n").arg(kBaseErro + 2000));

    // The engine raises them: no records, no detail band, a page too small; none opens a
    // preview or prints.
    dlg.limpar();
    Relatorio vazio;
    montar(vazio, 0);
    QVERIFY(!executar(vazio));
    Relatorio semDetalhe;
    semDetalhe.registros = 3;
    QVERIFY(!executar(semDetalhe));
    Relatorio apertado;
    montar(apertado, 3);
    apertado.banda(TipoBanda::Detalhe).altura = 5000;
    QVERIFY(!executar(apertado));
    Relatorio estreito;
    montar(estreito, 3);
    estreito.colunas = 3;
    estreito.banda(TipoBanda::Detalhe).largura = 4000;  // 12000 on paper 10000 wide
    estreito.paginaReal = true;
    QVERIFY(!executar(estreito));
    QStringList vistos;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        vistos << c.tipo + ":" + c.texto;
    QCOMPARE(vistos, QStringList({"mensagem:" + mensagens[1], "mensagem:" + mensagens[2],
                                  "mensagem:" + mensagens[5], "mensagem:" + mensagens[5]}));

    // A report asked for while another one is open is refused.
    dlg.limpar();
    Relatorio primeiro, segundo;
    montar(primeiro, 2);
    montar(segundo, 2);
    primeiro.titulo = "Primeiro";
    dlg.aoVisualizar = [&](QPrinter*) { QVERIFY(!executar(segundo)); };
    QVERIFY(executar(primeiro));
    QCOMPARE(dlg.chamadas.size(), 2);
    QCOMPARE(dlg.chamadas[0].titulo, QString("Primeiro"));
    QCOMPARE(dlg.chamadas[1].texto, mensagens[6]);
    // Once closed, the next one runs.
    dlg.aoVisualizar = nullptr;
    QVERIFY(executar(segundo));
}

void TstMotor::fontesPeloNome() {
    if (!QFontDatabase::hasFamily("Liberation Sans") ||
        !QFontDatabase::hasFamily("Liberation Serif"))
        QSKIP("fonts-liberation is not installed");
    auto familia = [](const char* nome, bool negrito = false) {
        Fonte f;
        f.nome = nome;
        f.negrito = negrito;
        return QFontInfo(qfont(f));
    };
    QCOMPARE(familia("Arial").family(), QString("Liberation Sans"));
    QCOMPARE(familia("Times New Roman").family(), QString("Liberation Serif"));
    // Arial Black is a heavy Arial, not whatever sans fontconfig falls back to.
    const QFontInfo preta = familia("Arial Black");
    QCOMPARE(preta.family(), QString("Liberation Sans"));
    QVERIFY(preta.bold());
    // Twenty twips to the point: 8.25 points are 165 twips high.
    QCOMPARE(qfont(Fonte{}).pixelSize(), 165);
}

QTEST_MAIN(TstMotor)
#include "tst_motor.moc"
