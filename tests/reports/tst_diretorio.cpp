#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "ambiente_teste.h"
#include "apoio_relatorios.h"
#include "app/frmprincipal.h"
#include "app/modelolista.h"
#include "data/banco.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"
#include "reports/rlt_agenda.h"

using namespace relatorios;

namespace {

void inserirContatos(AmbienteTeste& amb, int quantos) {
    for (int i = 0; i < quantos; ++i)
        amb.executar(
            "INSERT INTO agenda (nome, ddd, tel, cel, msn, email) VALUES "
            "(?, '11 ', ?, '9 ', ' ', ?)",
            {QString("Contato %1").arg(i, 3, 10, QChar('0')),
             QString("5555-%1 ").arg(i, 4, 10, QChar('0')), QString("c%1@exemplo.com.br ").arg(i)});
}

}  // namespace

class TstDiretorio : public QObject {
    Q_OBJECT
private slots:
    void init() { regras::fixarAgora(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58))); }
    void cleanup() { regras::fixarAgora({}); }
    void todosOsContatosPorNome();
    void sombreamentoRecomecaEmCadaPagina();
    void diretorioVazio();
    void diretorioPeloMenuEmPdf();
    void previaAbertaNaoPrendeOArquivo();
};

void TstDiretorio::todosOsContatosPorNome() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, cel, msn, email) VALUES "
        "('Zé', '21 ', '1111 ', '2222 ', 'ze@msn ', 'ze@ex.com '),"
        "('Bruno', ' ', ' ', ' ', ' ', ' '),"
        "('Álvaro', '11 ', '3333 ', ' ', ' ', 'al@ex.com '),"
        "('ana', '31 ', '4444 ', ' ', ' ', ' ')");
    frmprincipal w;
    // The list's filter has no effect on the directory.
    w.findChild<QLineEdit*>("txtfiltro")->setText("Bruno");
    QCOMPARE(w.modelo(Categoria::Agenda)->rowCount(), 1);
    rlt_agenda r;
    Gravador g;
    QVERIFY(r.Emitir(g));
    QStringList nomes;
    for (const Gravador::Texto& t : g.textos)
        if (t.base.x() < 3240 && t.texto != "Nome" && t.base.y() > 930 && t.base.y() < 2000)
            nomes << t.texto;
    QCOMPARE(nomes, QStringList({"Álvaro", "ana", "Bruno", "Zé"}));
    const QStringList textos = g.daPagina(0);
    QCOMPARE(textos.mid(0, 6), QStringList({"LISTA DE CONTATOS DA VARNELO", "Nome", "Telefone",
                                            "Celular", "MSN", "E-mail"}));
    QCOMPARE(textos.mid(6, 6), QStringList({"Álvaro", "11 ", "3333 ", " ", " ", "al@ex.com "}));
    QVERIFY(textos.contains("Emitido em 29/02/2024 às 23:59:58"));
    QVERIFY(textos.contains("Página atual: 1 de 1"));
    // The design is 11415 twips wide; A4 portrait inside 1 cm margins holds 10772.
    QCOMPARE(qRound(r.relatorio().escala() * 11415), 10772);
    QCOMPARE(r.relatorio().larguraUtil(), 11415);
}

void TstDiretorio::sombreamentoRecomecaEmCadaPagina() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 120);
    rlt_agenda r;
    Gravador g;
    QVERIFY(r.Emitir(g));
    QCOMPARE(g.paginas, 3);
    const QColor branco(Qt::white), cinza(0xE0, 0xE0, 0xE0);
    QList<QList<QColor>> porPagina(3);
    for (const Gravador::Retangulo& ret : g.retangulos)
        porPagina[ret.pagina] << ret.cor;
    int linhas = 0;
    for (const QList<QColor>& cores : porPagina) {
        // Odd counts per page make a page end on white, so the restart is seen.
        QVERIFY(!cores.isEmpty());
        for (int i = 0; i < cores.size(); ++i)
            QCOMPARE(cores[i], i % 2 ? cinza : branco);
        linhas += int(cores.size());
    }
    QCOMPARE(linhas, 120);
    QVERIFY(porPagina[0].size() % 2 == 1);
    for (int p = 0; p < 3; ++p)
        QVERIFY(g.daPagina(p).contains(QString("Página atual: %1 de 3").arg(p + 1)));
}

void TstDiretorio::diretorioVazio() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    w.findChild<QAction*>("mnuimprimirtel")->trigger();
    QCOMPARE(dlg.chamadas.size(), 1);
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Informacao);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Impressão"));
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Não há registros a imprimir"));
}

void TstDiretorio::diretorioPeloMenuEmPdf() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 60);
    frmprincipal w;
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("diretorio.pdf");
    dlg.acoesVisualizacao << "pdf";
    dlg.arquivos << pdf;
    w.findChild<QAction*>("mnuimprimirtel")->trigger();
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
            const QString n = QString("%1").arg(contato, 3, 10, QChar('0'));
            QVERIFY2(l.contains(QRegularExpression(
                         QString("Contato %1\\s+11\\s+5555-0%1\\s+9\\s+c%2@exemplo.com.br")
                             .arg(n)
                             .arg(contato))),
                     qPrintable(l));
            ++contato;
        }
    }
    QCOMPARE(contato, 60);
    QVERIFY(paginas[1].contains("Visite nosso site: https://www.varnelo.example/"));
}

void TstDiretorio::previaAbertaNaoPrendeOArquivo() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 3);
    amb.soltar();
    frmprincipal w;
    // While the preview is on screen, another program saves to the same file.
    QString falha = "no preview";
    dlg.aoVisualizar = [&](QPrinter*) {
        const int antes = db::esperaOcupado();
        db::definirEsperaOcupado(200);
        try {
            db::Database outro;
            outro.open(amb.arquivo(), QString::fromUtf8(banco::kSenhaBanco));
            outro.exec("INSERT INTO uteis VALUES ('Outro', '1 ')");
            falha.clear();
        } catch (const db::DbError& e) {
            falha = e.descricao();
        }
        db::definirEsperaOcupado(antes);
    };
    w.findChild<QAction*>("mnuimprimirtel")->trigger();
    QCOMPARE(falha, QString());
}

QTEST_MAIN(TstDiretorio)
#include "tst_diretorio.moc"
