#include <QFontDatabase>
#include <QFontInfo>
#include <QPrinter>
#include <QTest>

#include "apoio_relatorios.h"
#include "dialogos_roteiro.h"
#include "reports/relatorio.h"
#include "reports/saida.h"

using namespace relatorios;

namespace {

// 10000 x 8000 twips of paper, 1000 of margin all round: 8000 x 6000 between them.
void montar(Relatorio& r, int registros) {
    r.papel = QPageSize(QSizeF(500, 400), QPageSize::Point);
    r.margemEsquerda = r.margemDireita = r.margemSuperior = r.margemInferior = 1000;
    r.registros = registros;
    r.banda(TipoBanda::Cabecalho).altura = 1000;
    r.banda(TipoBanda::Detalhe).altura = 300;
    r.banda(TipoBanda::Rodape).altura = 500;
    r.banda(TipoBanda::Sumario).altura = 1000;
    r.adicionarCampo(TipoBanda::Detalhe, "det").largura = 3000;
}

QString colocacao(const Colocacao& c) {
    return QString("%1:%2@%3,%4+%5")
        .arg(int(c.tipo))
        .arg(c.registro)
        .arg(c.esquerda)
        .arg(c.topo)
        .arg(c.altura);
}

// A window that fits its layout when the run starts, as the printouts do.
class AoIniciar : public Eventos {
public:
    std::function<void()> fazer;
    void inicio(int) override { fazer(); }
};

}  // namespace

class TstMotor : public QObject {
    Q_OBJECT
private slots:
    void paginasDoModelo();
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
}

void TstMotor::textoCortadoNaBordaEFormato() {
    const Fonte arial;
    const QString longo = "Anotação com um título que não cabe no campo de jeito nenhum";
    const TextoAjustado t = ajustarTexto(longo, arial, 2000, 1);
    QVERIFY(longo.startsWith(t.texto));
    const QFontMetricsF fm(qfont(arial));
    QVERIFY(fm.horizontalAdvance(t.texto) <= 2000);
    QVERIFY(fm.horizontalAdvance(longo.left(t.texto.size() + 1)) > 2000);
    QCOMPARE(t.x, 0.0);  // cut text starts at the left edge, whatever the alignment
    const TextoAjustado direita = ajustarTexto("Pagina atual: 3", arial, 2475, 1);
    QCOMPARE(direita.x + fm.horizontalAdvance("Pagina atual: 3"), 2475.0);
    const TextoAjustado centro = ajustarTexto("abc", arial, 1000, 2);
    QCOMPARE(centro.x, (1000 - fm.horizontalAdvance("abc")) / 2);
    QVERIFY(ajustarTexto("abc", arial, 0, 0).texto.isEmpty());
    // A run prints a field cut the same way, never over the next column.
    Relatorio r;
    montar(r, 1);
    r.campo("det")->legenda = "r0";
    r.campo("det")->largura = 100;
    Gravador g;
    r.emitir(g);
    QCOMPARE(g.daPagina(0), QStringList({"r"}));

    const std::pair<QString, QString> cep[] = {
        {"01310100 ", "01310-100"}, {"01310-100", "01310-100"},
        {"1310100", "1310-100"},    {"123", "123"},
        {"sem CEP ", "sem CEP "},   {" ", " "}};
    for (const auto& [valor, formatado] : cep)
        QCOMPARE(aplicarFormato(valor, "#####-###"), formatado);
    QCOMPARE(aplicarFormato("01310100", ""), QString("01310100"));
}

void TstMotor::escalaUniformeQuandoNaoCabe() {
    AoIniciar ev;
    Relatorio largo(&ev);
    montar(largo, 100);
    largo.campo("det")->largura = 16000;  // twice the 8000 between the margins
    int util = 0;
    ev.fazer = [&] { util = largo.larguraUtil(); };
    std::optional<Paginacao> p = largo.paginar();
    QCOMPARE(p->escala(), 0.5);
    // The window reads the page in the design's twips, so it fills the whole width.
    QCOMPARE(util, 16000);
    // Everything shrinks alike: the page holds twice the height, bands are half as high.
    QCOMPARE(p->linhasPorPagina(), 35);
    QCOMPARE(colocacao(p->colocacoes(0)[1]), QString("0:0@1000,1500+150"));
    // The scale is the design's: fitting widths in the start event does not change it.
    ev.fazer = [&] { largo.campo("det")->largura = 20000; };
    QCOMPARE(largo.paginar()->escala(), 0.5);
    largo.paginaReal = true;
    QCOMPARE(largo.paginar()->escala(), 1.0);
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

    // The engine raises them: no records, no detail band, a page too short or too narrow;
    // none opens a preview or prints.
    dlg.limpar();
    Relatorio vazio, semDetalhe, apertado, estreito;
    montar(vazio, 0);
    semDetalhe.registros = 3;
    montar(apertado, 3);
    apertado.banda(TipoBanda::Detalhe).altura = 5000;
    montar(estreito, 3);
    estreito.colunas = 3;
    estreito.banda(TipoBanda::Detalhe).largura = 4000;  // 12000 on paper 10000 wide
    estreito.paginaReal = true;
    for (Relatorio* r : {&vazio, &semDetalhe, &apertado, &estreito})
        QVERIFY(!executar(*r));
    QStringList vistos;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        vistos << c.tipo + ":" + c.texto;
    QCOMPARE(vistos, QStringList({"mensagem:" + mensagens[1], "mensagem:" + mensagens[2],
                                  "mensagem:" + mensagens[5], "mensagem:" + mensagens[5]}));

    // A report asked for while another one is open is refused; once closed, the next runs.
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
    dlg.aoVisualizar = nullptr;
    QVERIFY(executar(segundo));
}

void TstMotor::fontesPeloNome() {
    if (!QFontDatabase::hasFamily("Liberation Sans"))
        QSKIP("fonts-liberation is not installed");
    // Arial Black is a heavy Arial, not whatever sans fontconfig falls back to.
    Fonte preta;
    preta.nome = "Arial Black";
    QCOMPARE(QFontInfo(qfont(preta)).family(), QString("Liberation Sans"));
    QVERIFY(QFontInfo(qfont(preta)).bold());
    // Twenty twips to the point: 8.25 points are 165 twips high.
    QCOMPARE(qfont(Fonte{}).pixelSize(), 165);
}

QTEST_MAIN(TstMotor)
#include "tst_motor.moc"
