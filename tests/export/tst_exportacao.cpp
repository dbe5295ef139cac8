#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include "ambiente_teste.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"

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

// Runs a "Salvar lista" entry from the category's own menu, which is also the list's
// context menu, answering the save dialog with `caminho` and the question with `resposta`.
void salvar(frmprincipal& w, const char* menu, const char* entrada, DialogosRoteiro& dlg,
            const QString& caminho, dialogs::Resposta resposta = dialogs::Resposta::Nao) {
    dlg.arquivos << caminho;
    dlg.respostas << resposta;
    auto* m = w.findChild<QMenu*>(menu);
    QVERIFY2(m, menu);
    QAction* acao = nullptr;
    for (QAction* a : m->findChildren<QAction*>())
        if (a->objectName() == QLatin1String(entrada))
            acao = a;
    QVERIFY2(acao && acao->isEnabled(), entrada);
    acao->trigger();
}

// What the bar went through: "show", "hide" and the values it was given.
class Vigia : public QObject {
public:
    explicit Vigia(QProgressBar* barra) {
        barra->installEventFilter(this);
        connect(barra, &QProgressBar::valueChanged, this,
                [this](int v) { maximo = std::max(maximo, v); });
    }
    QStringList eventos;
    int maximo = -1;

protected:
    bool eventFilter(QObject*, QEvent* ev) override {
        if (ev->type() == QEvent::Show)
            eventos << "show";
        else if (ev->type() == QEvent::Hide)
            eventos << "hide";
        return false;
    }
};

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

}  // namespace

class TstExportacao : public QObject {
    Q_OBJECT
private slots:
    void init() { regras::fixarAgora(kMomento); }
    void cleanup() { regras::fixarAgora({}); }
    void paginaDaAgendaByteAByte();
    void textoDasAnotacoesByteAByte();
    void comentarioDeVariasLinhasFicaNaSuaLinha();
    void dezEntradasComSeusTitulos();
    void cancelarNadaEscreve();
    void destinoSemEscritaMantemOArquivo();
    void discoCheioMantemOArquivo();
};

void TstExportacao::paginaDaAgendaByteAByte() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, email, site) VALUES "
        "('Silva & Filhos <Ltda>', '11', '3333-4444', 'x@y.com.br', ' '), "
        "('Ana d''Ávila', '', ' ', NULL, 'a.com?b=1&c=\"2\"')");
    frmprincipal w;
    w.show();
    auto* barra = w.findChild<QProgressBar*>("barraagenda");
    Vigia vigia(barra);
    const QString caminho = amb.pasta() + "/agenda.html";
    // An existing file is replaced whole.
    gravar(caminho, QByteArray(5000, 'x'));
    salvar(w, "mnuvarnelo", "mnuhtmltel", dlg, caminho, dialogs::Resposta::Sim);

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
                                    "", "", "", "", "", "", "x@y.com.br", " "}};
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
    QCOMPARE(dlg.chamadas[0].tipo, QString("salvar"));
    QCOMPARE(dlg.chamadas[0].titulo, QString("Salvar agenda de telefones em html"));
    QCOMPARE(dlg.chamadas[0].texto, QString("Arquivos HTML(*.html)|*.html"));
    QCOMPARE(dlg.chamadas[0].argumentos, QStringList({""}));
    QCOMPARE(dlg.chamadas[1].icone, dialogs::Icone::Pergunta);
    QCOMPARE(dlg.chamadas[1].titulo, QString("Visualizar"));
    QCOMPARE(dlg.chamadas[1].texto, kPergunta);
    QCOMPARE(dlg.chamadas[1].botoes, dialogs::Botoes::SimNao);
    QCOMPARE(dlg.chamadas[2].tipo, QString("endereco"));
    QCOMPARE(dlg.chamadas[2].texto, caminho);
    // The bar shows while the rows are written and hides after; the cursor is back.
    QCOMPARE(vigia.eventos, QStringList({"show", "hide"}));
    QCOMPARE(vigia.maximo, 100);
    QVERIFY(barra->isHidden());
    QVERIFY(!QApplication::overrideCursor());
    // No temporary file is left beside it.
    QCOMPARE(QDir(amb.pasta()).entryList({"agenda*"}, QDir::Files), QStringList({"agenda.html"}));
}

void TstExportacao::textoDasAnotacoesByteAByte() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO anotacoes (Titulo) VALUES ('Reunião às 8h'), ('Lembrete <urgente> & ''já''')");
    frmprincipal w;
    const QString caminho = amb.pasta() + "/notas";  // no extension is added
    salvar(w, "mnuanotacoes", "mnutxtan", dlg, caminho);
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
    QCOMPARE(dlg.chamadas[0].titulo, QString("Salvar relatório em txt"));
    QCOMPARE(dlg.chamadas[0].texto, QString("Arquivos de Texto(*.txt)|*.txt"));
    // Answering No opens nothing.
    QCOMPARE(dlg.chamadas.size(), 2);
    QCOMPARE(dlg.ultimaMensagem().texto, kPergunta);
}

void TstExportacao::comentarioDeVariasLinhasFicaNaSuaLinha() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO senhas VALUES ('Banco', '1 ', 'conta 1' || char(13, 10) || 'ag 2 ')");
    frmprincipal w;
    const QString txt = amb.pasta() + "/senhas.txt", html = amb.pasta() + "/senhas.html";
    salvar(w, "mnusenhas", "mnutxtsn", dlg, txt);
    salvar(w, "mnusenhas", "mnuhtmlsn", dlg, html);
    // One line a row, every line ended by CR LF; the page keeps the break as a break.
    const QByteArray texto = ler(txt);
    QCOMPARE(texto.count('\n'), texto.count("\r\n"));
    QVERIFY(texto.contains("1   Banco                   1             conta 1 ag 2   \r\n"));
    const QByteArray pagina = ler(html);
    QCOMPARE(pagina.count('\n'), pagina.count("\r\n"));
    QVERIFY(pagina.contains("<td nowrap>conta 1<br>ag 2 &nbsp;</td>"));
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
    struct Caso {
        const char* menu;
        const char* entrada;
        const char* dialogo;
        const char* relatorio;
        int linhas;
    };
    const Caso casos[] = {
        {"mnusalvar1", "mnuhtmltel", "Salvar agenda de telefones em html",
         "Relatórios de agenda de telefones", 1},
        {"mnusalvar1", "mnutxttel", "Salvar agenda de telefones em txt",
         "Relatórios de agenda de telefones", 1},
        {"mnucompromisso", "mnuhtmlcomp", "Salvar compromissos em html",
         "Relatórios de compromissos", 0},
        {"mnucompromisso", "mnutxtcomp", "Salvar compromissos em txt", "Relatórios de compromissos",
         0},
        {"mnusenhas", "mnuhtmlsn", "Salvar senha/serial em html", "Relatórios de Senha/Serial", 2},
        {"mnusenhas", "mnutxtsn", "Salvar senha/serial em txt", "Relatórios de Senha/Serial", 2},
        {"mnuuteis", "mnuhtmlut", "Salvar telefone útil em html", "Relatórios de telefones úteis",
         1},
        {"mnuuteis", "mnutxtut", "Salvar telefone útil em txt", "Relatórios de telefones úteis", 1},
        {"mnuanotacoes", "mnuhtmlan", "Salvar relatório em html", "Relatórios de Anotações", 1},
        {"mnuanotacoes", "mnutxtan", "Salvar relatório em txt", "Relatórios de Anotações", 1},
    };
    for (const Caso& c : casos) {
        dlg.limpar();
        const bool html = QByteArray(c.entrada).contains("html");
        const QString caminho = amb.pasta() + "/" + c.entrada;
        salvar(w, c.menu, c.entrada, dlg, caminho);
        QCOMPARE(dlg.chamadas.value(0).titulo, QString(c.dialogo));
        QCOMPARE(dlg.ultimaMensagem().texto, kPergunta);
        const QStringList l = QString::fromUtf8(ler(caminho)).split("\r\n");
        const QString titulo = QString(c.relatorio);
        if (html) {
            QCOMPARE(l.mid(3, 2),
                     QStringList({"<title>" + titulo + "</title>",
                                  "<center><b>" + titulo.toUpper() + "</b><br></center>"}));
            // The header row and one row per list row; none at all for an empty list.
            QCOMPARE(l.count("<tr>"), c.linhas ? c.linhas + 1 : 0);
            QCOMPARE(l.mid(l.size() - 9), peHtml() << "");
        } else {
            QCOMPARE(l.first(), titulo);
            // Title, blank, two header rows, the rows, then the seven lines of the foot.
            QCOMPARE(l.size(), 2 + (c.linhas ? 2 + c.linhas : 0) + 7 + 1);
        }
    }
}

void TstExportacao::cancelarNadaEscreve() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO uteis VALUES ('Polícia', '190')");
    frmprincipal w;
    w.show();
    auto* barra = w.findChild<QProgressBar*>("barrauteis");
    Vigia vigia(barra);
    const QStringList antes = QDir(amb.pasta()).entryList(QDir::Files);
    salvar(w, "mnuuteis", "mnuhtmlut", dlg, "");
    salvar(w, "mnuuteis", "mnutxtut", dlg, "");
    QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files), antes);
    QCOMPARE(dlg.chamadas.size(), 2);
    QVERIFY(dlg.mensagens().isEmpty());
    QVERIFY(vigia.eventos.isEmpty());
    QVERIFY(barra->isHidden());
}

namespace {

// Runs `comando`; false when it fails, so a test can skip what this machine cannot do.
bool rodar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    return p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

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
    salvar(w, "mnuanotacoes", "mnuhtmlan", dlg, amb.pasta());
    conferirFalha(dlg, amb.pasta() + "/nada", "<missing>");
    QVERIFY(QFileInfo(amb.pasta()).isDir());

    if (geteuid() != 0)
        QSKIP("a folder nobody may write needs root (chattr +i)");
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("notas.txt");
    gravar(caminho, "antigo\r\n");
    if (!rodar("chattr", {"+i", pasta.path()}))
        QSKIP("chattr +i is not available here");
    dlg.limpar();
    salvar(w, "mnuanotacoes", "mnutxtan", dlg, caminho);
    rodar("chattr", {"-i", pasta.path()});
    conferirFalha(dlg, caminho, "antigo\r\n");
    QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList({"notas.txt"}));
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
    if (!rodar("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", pasta.path()}))
        QSKIP("tmpfs cannot be mounted here");
    const QString caminho = pasta.filePath("agenda.html");
    gravar(caminho, "antigo");
    for (const char* entrada : {"mnuhtmltel", "mnutxttel"}) {
        dlg.limpar();
        salvar(w, "mnusalvar1", entrada, dlg, caminho);
        conferirFalha(dlg, caminho, "antigo");
        // The half-written temporary file is gone too.
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList({"agenda.html"}));
    }
    QVERIFY(rodar("umount", {pasta.path()}));
}

QTEST_MAIN(TstExportacao)
#include "tst_exportacao.moc"
