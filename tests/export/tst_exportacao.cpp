#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"
#include "export/relatorios.h"
#include "export/saida.h"

namespace {

const QDateTime kMomento(QDate(2024, 5, 3), QTime(14, 5, 9));
const QString kPergunta =
    "Os dados foram salvos com sucesso para arquivo, deseja abrir o arquivo agora?";

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void gravar(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

// Runs a "Salvar lista" entry, answering the save dialog with `caminho` and the question
// with `resposta`.
void salvar(frmprincipal& w, const QString& entrada, DialogosRoteiro& dlg, const QString& caminho,
            dialogs::Resposta resposta = dialogs::Resposta::Nao) {
    dlg.arquivos << caminho;
    dlg.respostas << resposta;
    auto* acao = w.findChild<QAction*>(entrada);
    QVERIFY2(acao && acao->isEnabled(), qPrintable(entrada));
    acao->trigger();
}

QString dataLonga() {
    return "sexta-feira, 3 de maio de 2024 às 14:05:09 " + kMomento.timeZoneAbbreviation();
}

QByteArray linhas(const QStringList& l) {
    return (l.join("\r\n") + "\r\n").toUtf8();
}

QStringList peHtml() {
    return {"<BR><p><font face='Arial'><center>",
            "Gerado " + dataLonga() + "<br>",
            "<br>",
            "Varnelo<br>",
            "<br>",
            "Varnelo, organizador pessoal de contatos e compromissos<br>",
            "<p><a href='https://www.varnelo.example/'>https://www.varnelo.example/</a></p><br>",
            "</center></font></p>"};
}

// A list model with these column titles and rows of cells.
QStandardItemModel* modelo(const QStringList& titulos, const QList<QStringList>& linhas,
                           QObject* dono) {
    auto* m = new QStandardItemModel(int(linhas.size()), int(titulos.size()), dono);
    m->setHorizontalHeaderLabels(titulos);
    for (int r = 0; r < linhas.size(); ++r)
        for (int c = 0; c < titulos.size(); ++c)
            m->setItem(r, c, new QStandardItem(linhas[r].value(c)));
    return m;
}

// What an export writes, cut at its line ends, after "<false>" when it reports a failure.
QStringList texto(c_relatorios& rel, const QStandardItemModel& m, bool html = false) {
    QBuffer arquivo;
    arquivo.open(QIODevice::WriteOnly);
    Saida s(arquivo);
    const bool ok = html ? rel.Exportar_listaparaHTML(m, s) : rel.Exportar_listaparaTXT(s, m, true);
    s.descarregar();
    QStringList linhas = QString::fromUtf8(arquivo.data()).split("\r\n");
    if (!ok)
        linhas.prepend("<false>");
    return linhas;
}

}  // namespace

class TstExportacao : public QObject {
    Q_OBJECT
private slots:
    void init() { regras::fixarAgora(kMomento); }
    void cleanup() { regras::fixarAgora({}); }
    void paginaDaAgendaByteAByte();
    void textoDasAnotacoesByteAByte();
    void dezEntradasComSeusTitulos();
    void tabelaDeTextoLarguraSemCorte();
    void destinoSemEscritaMantemOArquivo();
    void discoCheioMantemOArquivo();
    void nuncaGravaSobreOBancoEmUso();
    void listaLidaEmParteNaoPassaPorBoa();
};

void TstExportacao::paginaDaAgendaByteAByte() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // An address of two lines keeps its break, and its row stays one line.
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, email, site, endereco) VALUES "
        "('Silva & Filhos <Ltda>', '11', '3333-4444', 'x@y.com.br', ' ', "
        "'Rua 1' || char(13, 10) || 'fundos'), "
        "('Ana d''Ávila', '', ' ', NULL, 'a.com?b=1&c=\"2\"', NULL)");
    frmprincipal w;
    w.show();
    auto* barra = w.findChild<QProgressBar*>("barraagenda");
    int maximo = -1;  // the highest value the bar reached while on screen
    QObject::connect(barra, &QProgressBar::valueChanged, [&](int v) {
        if (barra->isVisible())
            maximo = std::max(maximo, v);
    });
    const QString caminho = amb.pasta() + "/agenda.html";
    // An existing file is replaced whole.
    gravar(caminho, QByteArray(5000, 'x'));
    salvar(w, "mnuhtmltel", dlg, caminho, dialogs::Resposta::Sim);

    QStringList esperado = {"<html>",
                            "<head>",
                            "<meta charset=\"utf-8\">",
                            "<title>Relatórios de agenda de telefones</title>",
                            "<center><b>RELATÓRIOS DE AGENDA DE TELEFONES</b><br></center>",
                            "<br>",
                            "<table border='2' align='center'>",
                            "",
                            "<tr>"};
    for (const char* t : {"ID", "Nome do contato", "DDD", "Telefone", "Celular", "MSN", "Skype",
                          "Estado", "Cidade", "Bairro", "Endereço", "E-mail", "Site"})
        esperado << QString("<TH nowrap bgcolor='#FFFFCC'>%1</th>").arg(t);
    esperado << "</tr>";
    const QStringList celulas[] = {{"1", "Ana d&#39;Ávila", "", " ", "", "", "", "", "", "", "", "",
                                    "a.com?b=1&amp;c=&quot;2&quot;"},
                                   {"2", "Silva &amp; Filhos &lt;Ltda&gt;", "11", "3333-4444", "",
                                    "", "", "", "", "", "Rua 1<br>fundos", "x@y.com.br", " "}};
    for (const QStringList& linha : celulas) {
        esperado << "<tr>";
        for (const QString& c : linha)
            esperado << "<td nowrap>" + c + "&nbsp;</td>";
        esperado << "</tr>";
    }
    esperado << "</table>" << peHtml();
    QCOMPARE(QString::fromUtf8(ler(caminho)), QString::fromUtf8(linhas(esperado)));

    // Dialog, question, then the file handed to the desktop.
    QCOMPARE(dlg.chamadas.size(), 3);
    QCOMPARE(dlg.chamadas[0].texto, QString("Arquivos HTML(*.html)|*.html"));
    QCOMPARE(dlg.chamadas[0].argumentos, QStringList({""}));
    QCOMPARE(dlg.chamadas[1].icone, dialogs::Icone::Pergunta);
    QCOMPARE(dlg.chamadas[1].titulo, QString("Visualizar"));
    QCOMPARE(dlg.chamadas[1].botoes, dialogs::Botoes::SimNao);
    QCOMPARE(dlg.chamadas[2].tipo, QString("endereco"));
    QCOMPARE(dlg.chamadas[2].texto, caminho);
    // The bar shows while the rows are written and hides after; the cursor is back.
    QCOMPARE(maximo, 100);
    QVERIFY(barra->isHidden());
    QVERIFY(!QApplication::overrideCursor());
    // No temporary file is left beside it.
    QCOMPARE(QDir(amb.pasta()).entryList({"agenda*"}, QDir::Files), QStringList({"agenda.html"}));
}

void TstExportacao::textoDasAnotacoesByteAByte() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // A title of two lines stays on its row's line, its break a blank.
    amb.executar(
        "INSERT INTO anotacoes (Titulo) VALUES ('Reunião' || char(13, 10) || 'às 8h'), "
        "('Lembrete <urgente> & ''já''')");
    frmprincipal w;
    const QString caminho = amb.pasta() + "/notas";  // no extension is added
    salvar(w, "mnutxtan", dlg, caminho);
    QCOMPARE(QString::fromUtf8(ler(caminho)),
             QString::fromUtf8(linhas({
                 "Relatórios de Anotações",
                 "",
                 "ID  Título da anotação         ",
                 "**  *************************  ",
                 "1   Lembrete <urgente> & 'já'  ",
                 "2   Reunião às 8h              ",
                 "",
                 "Gerado " + dataLonga(),
                 "",
                 "Varnelo",
                 "",
                 "Varnelo, organizador pessoal de contatos e compromissos",
                 "https://www.varnelo.example/",
             })));
    QCOMPARE(dlg.chamadas[0].texto, QString("Arquivos de Texto(*.txt)|*.txt"));
    // Answering No opens nothing.
    QCOMPARE(dlg.chamadas.size(), 2);
}

void TstExportacao::dezEntradasComSeusTitulos() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO agenda (nome) VALUES ('Ana')");
    amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Banco', '9'), ('Email', '8')");
    amb.executar("INSERT INTO uteis VALUES ('Polícia', '190')");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    // No appointments: the file holds head and foot only, and the question is still asked.
    frmprincipal w;
    w.show();
    // The entries are "mnuhtml" and "mnutxt" followed by the list's suffix.
    struct Caso {
        const char *sufixo, *dialogo, *relatorio;
        int linhas;
    };
    const Caso casos[] = {
        {"tel", "Salvar agenda de telefones em ", "Relatórios de agenda de telefones", 1},
        {"comp", "Salvar compromissos em ", "Relatórios de compromissos", 0},
        {"sn", "Salvar senha/serial em ", "Relatórios de Senha/Serial", 2},
        {"ut", "Salvar telefone útil em ", "Relatórios de telefones úteis", 1},
        {"an", "Salvar relatório em ", "Relatórios de Anotações", 1},
    };
    for (const Caso& c : casos) {
        const QString titulo = c.relatorio;
        for (bool html : {true, false}) {
            const QString entrada = (html ? "mnuhtml" : "mnutxt") + QString(c.sufixo);
            const QString caminho = amb.pasta() + "/" + entrada;
            // Cancelling the dialog writes nothing, says nothing and shows no bar.
            dlg.limpar();
            const QStringList antes = QDir(amb.pasta()).entryList(QDir::Files);
            salvar(w, entrada, dlg, "");
            QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files), antes);
            QCOMPARE(dlg.chamadas.size(), 1);
            for (const QProgressBar* barra : w.findChildren<QProgressBar*>())
                QVERIFY(barra->isHidden());
            salvar(w, entrada, dlg, caminho);
            QCOMPARE(dlg.chamadas.size(), 3);
            QCOMPARE(dlg.chamadas[1].titulo, c.dialogo + QString(html ? "html" : "txt"));
            QCOMPARE(dlg.chamadas[2].texto, kPergunta);
            const QStringList l = QString::fromUtf8(ler(caminho)).split("\r\n");
            if (html) {
                QCOMPARE(l.mid(3, 2),
                         QStringList({"<title>" + titulo + "</title>",
                                      "<center><b>" + titulo.toUpper() + "</b><br></center>"}));
                // The header row and one row per list row; none at all for an empty list.
                QCOMPARE(l.count("<tr>"), c.linhas ? c.linhas + 1 : 0);
            } else {
                QCOMPARE(l.first(), titulo);
                // Title, blank, two header rows, the rows, then the seven lines of the foot.
                QCOMPARE(l.size(), 2 + (c.linhas ? 2 + c.linhas : 0) + 7 + 1);
            }
        }
    }
}

void TstExportacao::tabelaDeTextoLarguraSemCorte() {
    QObject dono;
    c_relatorios rel;
    // A list without rows writes nothing, either way.
    auto* vazia = modelo({"ID", "Nome"}, {}, &dono);
    QCOMPARE(texto(rel, *vazia), QStringList({"<false>", ""}));
    QCOMPARE(texto(rel, *vazia, true), QStringList({"<false>", ""}));

    const QString t34(34, 'a'), t35(35, 'b'), t40(40, 'c');
    // The first column: exactly 35 sets the width to 35; 34 under a title of 40 leaves 40.
    texto(rel, *modelo({"ID", "X"}, {{t35, "x"}, {"1", "y"}}, &dono));
    QCOMPARE(rel.larguras()[0], 35);
    QStringList l = texto(rel, *modelo({t40, "X"}, {{t34, "x"}}, &dono));
    QCOMPARE(rel.larguras()[0], 40);
    QCOMPARE(l[2], t34 + "        x  ");
    // A longer item caps the column at 35 but is written whole, then the gap, as is its title.
    l = texto(rel, *modelo({t40, "X"}, {{t40, "x"}, {"1", "y"}}, &dono));
    QCOMPARE(rel.larguras()[0], 35);
    QCOMPARE(l, QStringList({t40 + "  X  ", QString(35, '*') + "  *  ", t40 + "  x  ",
                             "1" + QString(34, ' ') + "  y  ", ""}));

    // The other columns are capped at Max_LetraForFields, and a longer text is still written
    // whole (no export loses text): it pushes the rest of its line along.
    rel.Max_LetraForFields(10);
    l = texto(
        rel, *modelo({"ID", "Nota", "Fim"},
                     {{"1", "0123456789abcdefghijklmno", "a"}, {"2", "curta", "b"}, {"3", "", "c"}},
                     &dono));
    QCOMPARE(l, QStringList({"ID  Nota        Fim  ", "**  **********  ***  ",
                             "1   0123456789abcdefghijklmno  a    ", "2   curta       b    ",
                             "3               c    ", ""}));
    // A comment of 12,003 characters comes out whole at the default cap.
    rel.Max_LetraForFields(9999);
    const QString longo = QString(12000, 'x') + "fim";
    QCOMPARE(texto(rel, *modelo({"ID", "Comentários"}, {{"1", longo}}, &dono))[2],
             "1   " + longo + "  ");
    // The ID column is never cut, whatever the cap.
    rel.Max_LetraForFields(2);
    QCOMPARE(texto(rel, *modelo({"ID", "X"}, {{"12345", "abc"}}, &dono))[2],
             QString("12345  abc  "));

    // The underline's fill keeps its first character, whole outside the basic plane too, or
    // a blank.
    const std::pair<QString, QString> letras[] = {{"=-", "="}, {"", " "}, {"😀x", "😀"}};
    for (const auto& [dada, guardada] : letras) {
        rel.mLetraTXT(dada);
        QCOMPARE(rel.mLetraTXT(), guardada);
    }
}

namespace {

// A failed save: one critical message with the reason, no question, the old file intact.
void conferirFalha(const DialogosRoteiro& dlg, const QString& caminho, const QByteArray& antes) {
    const QList<DialogosRoteiro::Chamada> m = dlg.mensagens();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].icone, dialogs::Icone::Critico);
    QCOMPARE(m[0].titulo, QString("Erro"));
    QVERIFY2(m[0].texto.startsWith("Ocorreu o seguinte erro: ") &&
                 m[0].texto.size() > QString("Ocorreu o seguinte erro: ").size() &&
                 !m[0].texto.contains("Unknown error"),
             qPrintable(m[0].texto));
    QCOMPARE(ler(caminho), antes);
}

}  // namespace

void TstExportacao::destinoSemEscritaMantemOArquivo() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    frmprincipal w;
    // A path that is a folder.
    salvar(w, "mnuhtmlan", dlg, amb.pasta());
    conferirFalha(dlg, amb.pasta() + "/nada", "<missing>");
    QVERIFY(QFileInfo(amb.pasta()).isDir());

    if (geteuid() != 0)
        QSKIP("a folder nobody may write needs root (chattr +i)");
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("notas.txt");
    gravar(caminho, "antigo\r\n");
    if (QProcess::execute("chattr", {"+i", pasta.path()}) != 0)
        QSKIP("chattr +i is not available here");
    dlg.limpar();
    salvar(w, "mnutxtan", dlg, caminho);
    QProcess::execute("chattr", {"-i", pasta.path()});
    conferirFalha(dlg, caminho, "antigo\r\n");
    QVERIFY(w.findChild<QProgressBar*>("barraanotacoes")->isHidden());
    QVERIFY(!QApplication::overrideCursor());
}

void TstExportacao::discoCheioMantemOArquivo() {
    if (geteuid() != 0)
        QSKIP("a full disk needs root (mount -t tmpfs)");
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // Far more than the disk holds.
    amb.executar(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
        "INSERT INTO agenda (nome, tel, email) SELECT 'Contato ' || i, '3333-' || i, "
        "'contato' || i || '@exemplo.com.br' FROM n");
    frmprincipal w;
    QTemporaryDir pasta;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", pasta.path()}) != 0)
        QSKIP("tmpfs cannot be mounted here");
    const QString caminho = pasta.filePath("agenda.html");
    gravar(caminho, "antigo");
    for (const char* entrada : {"mnuhtmltel", "mnutxttel"}) {
        dlg.limpar();
        salvar(w, entrada, dlg, caminho);
        conferirFalha(dlg, caminho, "antigo");
        // The half-written temporary file is gone too.
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList({"agenda.html"}));
    }
    QCOMPARE(QProcess::execute("umount", {pasta.path()}), 0);
}

void TstExportacao::nuncaGravaSobreOBancoEmUso() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO agenda (nome) VALUES ('Ana')");
    amb.executar("INSERT INTO compromisso (Data, Titulo) VALUES ('2030/01/01', 'Ir')");
    amb.executar("INSERT INTO senhas (descricao) VALUES ('Banco')");
    amb.executar("INSERT INTO uteis (descricao) VALUES ('Polícia')");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    amb.soltar();
    frmprincipal w;
    QVERIFY(QFile::copy(amb.arquivo(), amb.arquivo() + ".anterior"));
    QVERIFY(QFile::link(amb.arquivo(), amb.pasta() + "/atalho.html"));
    QVERIFY(::link(QFile::encodeName(amb.arquivo()).constData(),
                   QFile::encodeName(amb.pasta() + "/duro.txt").constData()) == 0);
    const QByteArray banco = ler(amb.arquivo()), anterior = ler(amb.arquivo() + ".anterior");
    const QString proprio = "o arquivo escolhido é o próprio banco de dados em uso";
    const std::pair<QString, QString> destinos[] = {
        {amb.arquivo(), proprio},
        {amb.pasta() + "/atalho.html", proprio},
        {amb.pasta() + "/duro.txt", proprio},
        {amb.arquivo() + ".anterior",
         "o arquivo escolhido é a cópia do banco de dados guardada como dados.mde.anterior"},
    };
    for (const char* entrada : {"mnuhtmltel", "mnutxttel", "mnuhtmlcomp", "mnutxtcomp", "mnuhtmlsn",
                                "mnutxtsn", "mnuhtmlut", "mnutxtut", "mnuhtmlan", "mnutxtan"}) {
        for (const auto& [destino, motivo] : destinos) {
            dlg.limpar();
            salvar(w, entrada, dlg, destino);
            QCOMPARE(chamadas(dlg).mid(1),
                     QStringList{"critico|Erro|Ocorreu o seguinte erro: " + motivo});
        }
    }
    QCOMPARE(ler(amb.arquivo()), banco);
    QCOMPARE(ler(amb.arquivo() + ".anterior"), anterior);
    // The program still reads its file.
    w.recarregarTodas();
    QCOMPARE(w.linhas(Categoria::Anotacoes), 1);
}

void TstExportacao::listaLidaEmParteNaoPassaPorBoa() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.contatosNumerados(1500);
    amb.danificarMeio();
    frmprincipal w;
    dlg.limpar();
    const QString caminho = amb.pasta() + "/agenda.txt";
    salvar(w, "mnutxttel", dlg, caminho);
    // What the list shows is saved, and the message says it is not the whole file.
    QCOMPARE(chamadas(dlg).mid(1),
             QStringList{"critico|Erro|Ocorreu o seguinte erro: o arquivo de dados está "
                         "danificado; o arquivo salvo contém apenas as linhas que puderam ser "
                         "lidas"});
    const QStringList salvas = QString::fromUtf8(ler(caminho)).split("\r\n").filter("Contato ");
    QCOMPARE(salvas.size(), w.linhas(Categoria::Agenda));
    QVERIFY(salvas.size() > 1400 && salvas.size() < 1500);
}

QTEST_MAIN(TstExportacao)
#include "tst_exportacao.moc"
