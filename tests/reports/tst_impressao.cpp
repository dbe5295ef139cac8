#include <unistd.h>
#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "ambiente_teste.h"
#include "apoio_relatorios.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"
#include "reports/etiquetas.h"
#include "reports/rlt_agenda.h"
#include "reports/rlt_etiquetas.h"
#include "reports/rlt_listview.h"
#include "reports/saida.h"
#include "reports/visualizacao.h"
#include "ui/modelolista.h"

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
    return QString::asprintf("%d:%d@%g,%g+%g", int(c.tipo), c.registro, c.esquerda, c.topo,
                             c.altura);
}

// A window that fits its layout when the run starts, as the printouts do.
class AoIniciar : public Eventos {
public:
    std::function<void(int)> fazer;
    void inicio(int numero) override { fazer(numero); }
};

QStringList dispostas(std::initializer_list<ColunaLista> colunas, int disponivel) {
    int ocupada = 0;
    const std::vector<ColunaLista> v(colunas);
    QStringList r;
    for (const ColunaDisposta& d : disporColunas(v, disponivel, 60, &ocupada))
        r << QString("%1%2").arg(d.esquerda).arg(d.impressa ? "" : "-");
    r << QString("=%1").arg(ocupada);
    return r;
}

// The printed columns of a list printout while its preview is open: "left:title".
QStringList colunasImpressas(rlt_ListView& r) {
    QStringList impressas;
    for (int k = 0; const Campo* det = r.relatorio().campo("rpf_Det", k); ++k)
        if (det->imprimir)
            impressas << QString("%1:%2")
                             .arg(det->esquerda)
                             .arg(r.relatorio().campo("rpf_Cab", k)->legenda);
    return impressas;
}

void acionar(frmprincipal& w, const char* nome) {
    w.findChild<QAction*>(nome)->trigger();
}

}  // namespace

class TstImpressao : public QObject {
    Q_OBJECT
private slots:
    void init() {
        regras::fixarHoje(QDate(2024, 7, 9));
        regras::fixarAgora(QDateTime(QDate(2024, 7, 9), QTime(8, 5, 3)));
    }
    void cleanup() {
        regras::fixarHoje({});
        regras::fixarAgora({});
    }
    void paginasDoModelo();
    void textoCortadoNaBordaEFormato();
    void escalaUniformeQuandoNaoCabe();
    void errosDoMotor();
    void fontesPeloNome();
    void colunasLadoALado();
    void larguraDaTelaEmTwips();
    void listasPeloMenu();
    void discoCheioNaoDeixaArquivo();
    void diretorioPorNomeEmFaixas();
    void diretorioPeloMenuEmPdf();
    void previaPintaSoAsPaginasPedidas();
};

void TstImpressao::paginasDoModelo() {
    AoIniciar ev;
    Relatorio r(&ev);
    montar(r, 40);
    // Each page starts with its number, before its header is printed.
    r.adicionarCampo(TipoBanda::Cabecalho, "cab").largura = 3000;
    ev.fazer = [&r](int n) { r.campo("cab")->legenda = QString::number(n); };
    Gravador g;
    QVERIFY(r.emitir(g));
    QCOMPARE(g.daPagina(), QStringList({"0", "1", "2"}));
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

void TstImpressao::textoCortadoNaBordaEFormato() {
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

void TstImpressao::escalaUniformeQuandoNaoCabe() {
    AoIniciar ev;
    Relatorio largo(&ev);
    montar(largo, 100);
    largo.campo("det")->largura = 16000;  // twice the 8000 between the margins
    int util = 0;
    ev.fazer = [&](int) { util = largo.larguraUtil(); };
    std::optional<Paginacao> p = largo.paginar();
    QCOMPARE(p->escala(), 0.5);
    // The window reads the page in the design's twips, so it fills the whole width.
    QCOMPARE(util, 16000);
    // Everything shrinks alike: the page holds twice the height, bands are half as high.
    QCOMPARE(p->linhasPorPagina(), 35);
    QCOMPARE(colocacao(p->colocacoes(0)[1]), QString("0:0@1000,1500+150"));
    // The scale is the design's: fitting widths in the start event does not change it.
    ev.fazer = [&](int) { largo.campo("det")->largura = 20000; };
    QCOMPARE(largo.paginar()->escala(), 0.5);
    largo.paginaReal = true;
    QCOMPARE(largo.paginar()->escala(), 1.0);
}

void TstImpressao::errosDoMotor() {
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

    // Raised by the engine (no records: see the directory); none opens a preview or prints.
    dlg.limpar();
    Relatorio semDetalhe, apertado, estreito;
    semDetalhe.registros = 3;
    montar(apertado, 3);
    apertado.banda(TipoBanda::Detalhe).altura = 5000;
    montar(estreito, 3);
    estreito.colunas = 3;
    estreito.banda(TipoBanda::Detalhe).largura = 4000;  // 12000 on paper 10000 wide
    estreito.paginaReal = true;
    for (Relatorio* r : {&semDetalhe, &apertado, &estreito})
        QVERIFY(!executar(*r));
    QStringList vistos;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        vistos << c.tipo + ":" + c.texto;
    QCOMPARE(vistos, QStringList({"mensagem:" + mensagens[2], "mensagem:" + mensagens[5],
                                  "mensagem:" + mensagens[5]}));

    // A report asked for while another one is open is refused; once closed, the next runs.
    dlg.limpar();
    Relatorio primeiro, segundo;
    montar(primeiro, 2);
    montar(segundo, 2);
    dlg.aoVisualizar = [&](QPrinter*) { QVERIFY(!executar(segundo)); };
    QVERIFY(executar(primeiro));
    QCOMPARE(dlg.chamadas.size(), 2);
    QCOMPARE(dlg.chamadas[1].texto, mensagens[6]);
    dlg.aoVisualizar = nullptr;
    QVERIFY(executar(segundo));
}

void TstImpressao::fontesPeloNome() {
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

void TstImpressao::colunasLadoALado() {
    // The default gap puts 1000 and 1500 at 0 and 1060.
    QCOMPARE(dispostas({{1000, false}, {1500, false}}, 14003), QStringList({"0", "1060", "=2620"}));
    // The column that would reach the width is left out, and every one after it, even
    // one narrow enough; reaching it exactly counts as reaching.
    QCOMPARE(dispostas({{5000, false}, {8943, false}, {100, false}}, 14003),
             QStringList({"0", "5060-", "5060-", "=5060"}));
    QCOMPARE(dispostas({{5000, false}, {8942, false}}, 14003),
             QStringList({"0", "5060", "=14062"}));
    // Hidden columns take no space, whatever width they last had.
    QCOMPARE(dispostas({{1035, true}, {1000, false}, {20000, true}, {1500, false}}, 14003),
             QStringList({"0-", "0", "1060-", "1060", "=2620"}));
}

void TstImpressao::larguraDaTelaEmTwips() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO senhas (descricao, senha, adicionais) VALUES ('Editor', 'X1 ', 'a ')");
    amb.executar(
        "INSERT INTO compromisso (Data, hora, Titulo, local, descricao) VALUES "
        "('2024/07/10', '10:00 ', 'Dentista ', 'Centro ', ' ')");
    amb.executar("INSERT INTO uteis (descricao, telefone) VALUES ('Táxi', '3333-0000 ')");
    amb.executar("INSERT INTO anotacoes (Titulo, anotacoes) VALUES ('Lembrete', 'x ')");
    frmprincipal w;
    QStringList vistas;
    auto imprimir = [&](Categoria c) {
        rlt_ListView r;
        r.Grid(w.lista(c));
        dlg.aoVisualizar = [&](QPrinter*) { vistas = colunasImpressas(r); };
        r.Executar();
        return vistas;
    };
    const double twipsPorPixel = 1440.0 / w.lista(Categoria::Senhas)->logicalDpiX();
    auto twips = [&](int centesimos) {
        return int(std::lround(listas::pixels(centesimos, 1440.0 / twipsPorPixel) * twipsPorPixel));
    };
    // At the widths the lists open with, A4 landscape holds every column of the four.
    const int nome = twips(7479), senha = twips(5362);
    QCOMPARE(imprimir(Categoria::Senhas),
             QStringList({"0:Nome do software/senha", QString("%1:Senha/Serial").arg(nome + 60),
                          QString("%1:Comentários").arg(nome + senha + 120)}));
    QCOMPARE(imprimir(Categoria::Compromisso).size(), 5);
    QCOMPARE(imprimir(Categoria::Uteis).size(), 2);
    QCOMPARE(imprimir(Categoria::Anotacoes), QStringList({"0:Título da anotação"}));
    // A column widened on screen pushes the rest out.
    w.lista(Categoria::Senhas)->header()->resizeSection(1, int(12000 / twipsPorPixel));
    QCOMPARE(imprimir(Categoria::Senhas).size(), 1);
}

void TstImpressao::listasPeloMenu() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    QStringList titulos;
    for (int i = 0; i < 80; ++i)
        titulos << QString("Anotação %1 sobre São João").arg(i, 2, 10, QChar('0'));
    for (int i = titulos.size() - 1; i >= 0; --i)
        amb.executar("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, 'x ')", {titulos[i]});
    amb.executar("INSERT INTO uteis (descricao, telefone) VALUES ('Pizzaria', '3030-4040 ')");
    frmprincipal w;
    // An empty list opens nothing, and its font comes back rounded all the same.
    QTreeView* senhas = w.lista(Categoria::Senhas);
    QFont f = senhas->font();
    f.setPointSizeF(10.75);
    senhas->setFont(f);
    acionar(w, "mnuimprimirsn");
    acionar(w, "mnucomplista");
    QVERIFY(dlg.chamadas.isEmpty());
    QCOMPARE(senhas->font().pointSizeF(), 11.0);

    QTreeView* lista = w.lista(Categoria::Anotacoes);
    QFont fonte = lista->font();
    fonte.setPointSizeF(8.25);
    lista->setFont(fonte);
    double duranteAImpressao = 0;
    dlg.aoVisualizar = [&](QPrinter*) { duranteAImpressao = lista->font().pointSizeF(); };
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("anotacoes.pdf");
    dlg.acoesVisualizacao << "pdf";
    dlg.arquivos << pasta.filePath("anotacoes");
    acionar(w, "mnuimprimiran");
    // The printout runs with the list at 9 points; after it the size is a whole number.
    QCOMPARE(duranteAImpressao, 9.0);
    QCOMPARE(lista->font().pointSizeF(), 8.0);
    QCOMPARE(dlg.chamadas.size(), 2);
    QCOMPARE(dlg.chamadas[0].tipo, QString("visualizar"));
    QCOMPARE(dlg.chamadas[0].titulo, QString("LISTA DE ANOTAÇÕES"));
    QCOMPARE(dlg.chamadas[1].tipo, QString("salvar"));
    QCOMPARE(dlg.chamadas[1].titulo, QString("Salvar PDF"));
    QCOMPARE(dlg.chamadas[1].texto, QString("Arquivos PDF(*.pdf)|*.pdf"));
    QVERIFY(QFile::exists(pdf));  // the missing ".pdf" is added

    // Another list: no file name, then a printer refused: nothing is written and nothing is said.
    dlg.acoesVisualizacao << "pdf"
                          << "imprimir";
    dlg.arquivos << "";
    dlg.impressoraAceita = false;
    dlg.arquivoImpressora = pasta.filePath("impresso.pdf");
    acionar(w, "mnuimprimirut");
    QVERIFY(dlg.mensagens().isEmpty());
    QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList({"anotacoes.pdf"}));
    // A printer chosen in the preview prints the whole list.
    dlg.acoesVisualizacao << "imprimir";
    dlg.impressoraAceita = true;
    acionar(w, "mnuimprimirut");
    QVERIFY(QFile::exists(pasta.filePath("impresso.pdf")));

    const QStringList paginas = paginasDoPdf(pdf);
    if (paginas.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString impresso = textoDoPdf(pasta.filePath("impresso.pdf"));
    QVERIFY(impresso.contains("LISTA DE TELEFONES ÚTEIS"));
    QVERIFY(impresso.contains(QRegularExpression("Pizzaria\\s+3030-4040")));
    QCOMPARE(paginas.size(), 3);
    QStringList linhas;
    for (int i = 0; i < paginas.size(); ++i) {
        const QString& p = paginas[i];
        QVERIFY(p.contains("LISTA DE ANOTAÇÕES"));
        QVERIFY(p.contains("Título da anotação"));
        QVERIFY(p.contains("Emitido em 09/07/2024 às 08:05:03"));
        QVERIFY(p.contains(QRegularExpression(QString("Pagina atual: %1\\s*$").arg(i + 1),
                                              QRegularExpression::MultilineOption)));
        for (const QString& l : p.split('\n'))
            if (l.trimmed().startsWith("Anotação "))
                linhas << l.trimmed();
    }
    QCOMPARE(linhas, titulos);
    QVERIFY(paginas.last().contains("Varnelo, organizador pessoal de contatos e compromissos"));
    QVERIFY(paginas.last().contains("Visite nosso site: https://www.varnelo.example/"));
    QVERIFY(!paginas.first().contains("Visite nosso site"));
}

void TstImpressao::discoCheioNaoDeixaArquivo() {
    QTemporaryDir pasta;
    if (geteuid() != 0)
        QSKIP("mounting a small disk needs root");
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", pasta.path()}) != 0)
        QSKIP("tmpfs cannot be mounted here");
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    for (int i = 0; i < 200; ++i)
        amb.executar("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, 'x ')",
                     {QString("Anotação %1").arg(i)});
    frmprincipal w;
    dlg.acoesVisualizacao << "pdf";
    dlg.arquivos << pasta.filePath("cheio.pdf");
    acionar(w, "mnuimprimiran");
    const QStringList sobras = QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden);
    QProcess::execute("umount", {pasta.path()});
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Critico);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Salvar PDF"));
    QVERIFY2(dlg.ultimaMensagem().texto.startsWith("Não foi possível gravar o arquivo cheio.pdf: "),
             qPrintable(dlg.ultimaMensagem().texto));
    QVERIFY2(sobras.isEmpty(), qPrintable(sobras.join(",")));
}

void TstImpressao::diretorioPorNomeEmFaixas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, cel, msn, email) VALUES "
        "('Zé', '21 ', '1111 ', '2222 ', 'ze@msn ', 'ze@ex.com '),"
        "('Bruno', ' ', ' ', ' ', ' ', ' '),"
        "('Álvaro', '11 ', '3333 ', '4444 ', 'al@msn ', 'al@ex.com '),"
        "('ana', '31 ', '4444 ', ' ', ' ', ' ')");
    inserirContatos(amb, 116);
    frmprincipal w;
    // The list's filter has no effect on the directory.
    w.findChild<QLineEdit*>("txtfiltro")->setText("Bruno");
    QCOMPARE(w.modelo(Categoria::Agenda)->rowCount(), 1);
    rlt_agenda r;
    Gravador g;
    QVERIFY(r.Emitir(g));
    QStringList nomes;
    for (const Gravador::Texto& t : g.textos)
        if (QStringList({"Zé", "Bruno", "Álvaro", "ana"}).contains(t.texto))
            nomes << t.texto;
    QCOMPARE(nomes, QStringList({"Álvaro", "ana", "Bruno", "Zé"}));
    QCOMPARE(g.daPagina(0).mid(6, 6),
             QStringList({"Álvaro", "11 ", "3333 ", "4444 ", "al@msn ", "al@ex.com "}));
    // The design is 11415 twips wide; A4 portrait inside 1 cm margins holds 10772.
    QCOMPARE(qRound(r.relatorio().escala() * 11415), 10772);
    QCOMPARE(r.relatorio().larguraUtil(), 11415);

    // Rows alternate white and grey, starting white on every page.
    QCOMPARE(g.paginas, 3);
    QList<QList<QColor>> porPagina(3);
    for (const Gravador::Retangulo& ret : g.retangulos)
        porPagina[ret.pagina] << ret.cor;
    int linhas = 0;
    for (const QList<QColor>& cores : porPagina) {
        QVERIFY(!cores.isEmpty());
        for (int i = 0; i < cores.size(); ++i)
            QCOMPARE(cores[i], i % 2 ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::white));
        linhas += int(cores.size());
    }
    QCOMPARE(linhas, 120);
    // An odd count makes the first page end on white, so the restart is seen.
    QVERIFY(porPagina[0].size() % 2 == 1);
}

void TstImpressao::diretorioPeloMenuEmPdf() {
    regras::fixarAgora(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    // An empty file: the engine's error, and no empty preview.
    acionar(w, "mnuimprimirtel");
    QCOMPARE(dlg.chamadas.size(), 1);
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Não há registros a imprimir"));

    dlg.limpar();
    inserirContatos(amb, 60);
    // While the preview is on screen, another program saves to the same file.
    dlg.aoVisualizar = [&](QPrinter*) { amb.executar("INSERT INTO uteis VALUES ('Outro', '1 ')"); };
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("diretorio.pdf");
    dlg.acoesVisualizacao << "pdf";
    dlg.arquivos << pdf;
    acionar(w, "mnuimprimirtel");
    QCOMPARE(amb.valor("SELECT count(*) FROM uteis"), QString("1"));
    QCOMPARE(dlg.chamadas.first().titulo, QString("Lista de contatos"));
    QVERIFY(dlg.mensagens().isEmpty());
    const QStringList paginas = paginasDoPdf(pdf);
    if (paginas.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QCOMPARE(paginas.size(), 2);
    int contato = 0;
    for (int i = 0; i < 2; ++i) {
        QVERIFY(paginas[i].contains("LISTA DE CONTATOS DA VARNELO"));
        QVERIFY(paginas[i].contains(
            QRegularExpression("Nome\\s+Telefone\\s+Celular\\s+MSN\\s+E-mail")));
        QVERIFY(paginas[i].contains("Emitido em 29/02/2024 às 23:59:58"));
        QVERIFY(paginas[i].contains(QString("Página atual: %1 de 2").arg(i + 1)));
        for (const QString& l : paginas[i].split('\n')) {
            if (!l.trimmed().startsWith("Contato"))
                continue;
            const QString linha =
                QString::asprintf("Contato %03d\\s+11\\s+5555-%04d\\s+9\\s+c%d@exemplo.com.br",
                                  contato, contato, contato);
            QVERIFY2(l.contains(QRegularExpression(linha)), qPrintable(l));
            ++contato;
        }
    }
    QCOMPARE(contato, 60);
    QVERIFY(paginas[1].contains("Visite nosso site: https://www.varnelo.example/"));

    // "Salvar PDF" onto the database in use, by any name, writes nothing and says why.
    dlg.limpar();
    dlg.aoVisualizar = nullptr;
    amb.soltar();
    const auto bytes = [&] {
        QFile f(amb.arquivo());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray banco = bytes();
    QVERIFY(QFile::link(amb.arquivo(), pasta.filePath("atalho.pdf")));
    dlg.acoesVisualizacao << "pdf"
                          << "pdf";
    dlg.arquivos << amb.arquivo() << pasta.filePath("atalho.pdf");
    acionar(w, "mnuimprimirtel");
    const QString recusa =
        "critico|Salvar PDF|Não foi possível gravar o arquivo %1: o arquivo "
        "escolhido é o próprio banco de dados em uso";
    QCOMPARE(chamadas(dlg).filter("critico"),
             QStringList({recusa.arg("dados.mde"), recusa.arg("atalho.pdf")}));
    QCOMPARE(bytes(), banco);
}

void TstImpressao::previaPintaSoAsPaginasPedidas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 300);
    frmprincipal w;
    bool visto = false;
    dlg.aoVisualizar = [&](QPrinter*) {
        const dialogs::PaginasRelatorio& p = dlg.paginasVistas;
        QVERIFY(p.quantidade > 3);
        QCOMPARE(p.papel.toSize(), QSizeF(8.27, 11.69).toSize());
        // A page painted alone is the page painted in the run of them all: the bands'
        // alternating colours and the page numbers carry over the pages not painted.
        const QList<QImage> todas = p.pintar(0, p.quantidade - 1, 30);
        QCOMPARE(todas.size(), p.quantidade);
        for (int k : {1, 2, p.quantidade - 1}) {
            const QList<QImage> so = p.pintar(k, k, 30);
            QCOMPARE(so.size(), 1);
            QVERIFY2(so.first() == todas[k], qPrintable(QString::number(k)));
        }
        QVERIFY(todas[0] != todas[1]);
        QCOMPARE(p.pintar(p.quantidade, p.quantidade + 3, 30).size(), 0);
        // A page shows ink, not an empty sheet.
        QImage branca(todas[0].size(), todas[0].format());
        branca.fill(Qt::white);
        QVERIFY(todas.last() != branca);
        visto = true;
    };
    acionar(w, "mnuimprimirtel");
    QVERIFY(visto);

    // The labels' preview and the printer it asks for carry the sheet's Letter paper.
    rlt_Etiquetas etiquetas;
    etiquetas.Definir(etiquetas::Configuracao::de(etiquetas::modelos()[0]));
    QTemporaryDir pasta;
    // A label page painted after others in one run is the page painted alone.
    bool etiquetasVistas = false;
    dlg.aoVisualizar = [&](QPrinter*) {
        const dialogs::PaginasRelatorio& p = dlg.paginasVistas;
        QVERIFY(p.quantidade >= 3);
        const QList<QImage> tres = p.pintar(0, 2, 30);
        QCOMPARE(tres.size(), 3);
        QVERIFY(p.pintar(2, 2, 30).first() == tres[2]);
        etiquetasVistas = true;
    };
    dlg.arquivoImpressora = pasta.filePath("etiquetas.pdf");
    dlg.acoesVisualizacao << "imprimir";
    QVERIFY(etiquetas.Config());
    QCOMPARE(dlg.paginasVistas.papel.toSize(), QSizeF(8.5, 11).toSize());
    QCOMPARE(dlg.papelImpressora.id(), QPageSize::Letter);
    QVERIFY(etiquetasVistas);
    QVERIFY(QFile::exists(dlg.arquivoImpressora));
}

QTEST_MAIN(TstImpressao)
#include "tst_impressao.moc"
