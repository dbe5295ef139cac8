#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "ambiente_teste.h"
#include "apoio.h"
#include "dialogos_roteiro.h"

namespace {

// The menu entry reached by its captions from the menu bar, as a user clicks down to it.
QAction* entrada(frmprincipal& w, const QStringList& caminho) {
    QList<QAction*> acoes = w.menuBar()->actions();
    QAction* achada = nullptr;
    for (const QString& legenda : caminho) {
        achada = nullptr;
        for (QAction* a : acoes)
            if (a->text() == legenda && a->isVisible())
                achada = a;
        if (!achada)
            return nullptr;
        acoes = achada->menu() ? achada->menu()->actions() : QList<QAction*>();
    }
    return achada;
}

// Clicks the entry; false when a caption on the way is missing or the entry is disabled.
bool clicar(frmprincipal& w, const QString& caminho) {
    QAction* a = entrada(w, caminho.split(QStringLiteral(" > ")));
    if (!a || !a->isEnabled() || a->menu())
        return false;
    a->trigger();
    return true;
}

// Titles of the windows on show, besides the main window.
QStringList janelasAbertas(const frmprincipal& w) {
    QStringList r;
    for (QWidget* j : QApplication::topLevelWidgets())
        if (j != &w && j->isVisible() && !j->windowTitle().isEmpty())
            r << j->windowTitle();
    r.sort();
    return r;
}

QStringList enderecos(const DialogosRoteiro& dlg, const QString& tipo = "endereco") {
    QStringList r;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        if (c.tipo == tipo)
            r << c.texto;
    return r;
}

void acionar(frmprincipal& w, const char* nome) {
    QAction* a = w.findChild<QAction*>(nome);
    QVERIFY2(a, nome);
    a->trigger();
}

}  // namespace

class TstComandos : public QObject {
    Q_OBJECT
private slots:
    void menuEBarraComoProjetados();
    void entradasIniciamFluxosPaginasEFerramentas();
    void enderecosEFiltrosEntreguesAoSistema();
};

void TstComandos::menuEBarraComoProjetados() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    FluxosGravados gravados;
    QStringList& fluxos = FluxosGravados::chamados();
    amb.executar("INSERT INTO agenda (nome) VALUES ('um contato')");
    amb.executar("INSERT INTO compromisso (Data, Titulo) VALUES ('2030/01/02', 'um compromisso')");
    amb.executar("INSERT INTO senhas (descricao) VALUES ('uma senha')");
    amb.executar("INSERT INTO uteis (descricao) VALUES ('um telefone')");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('uma anotação')");
    frmprincipal w;
    w.show();
    // Each category's menu starts that category's flows on its own list.
    const std::pair<const char*, const char*> menus[] = {{"Agenda de telefones", "lstagenda"},
                                                         {"Compromissos", "lstcompromisso"},
                                                         {"Anotações", "lstanotacoes"},
                                                         {"Senhas e Seriais", "lstsenhas"},
                                                         {"Telefones úteis", "lstuteis"}};
    for (const auto& [menu, lista] : menus) {
        fluxos.clear();
        const QString raiz = "Menu Principal > " + QString::fromUtf8(menu) + " > ";
        for (const char* fluxo : {"Adicionar", "Editar", "Remover"})
            QVERIFY2(clicar(w, raiz + fluxo), menu);
        QCOMPARE(fluxos, QStringList({QString("adicionar ") + lista, QString("editar ") + lista,
                                      QString("remover ") + lista}));
    }

    // The save entries ask where to save the page or the table; cancelled, nothing is written.
    const QStringList salvar = {
        "Agenda de telefones > Salvar lista > HTML", "Agenda de telefones > Salvar lista >  TXT",
        "Compromissos > Salvar lista em HTML",       "Compromissos > Salvar lista em TXT",
        "Anotações > Salvar lista em HTML",          "Anotações > Salvar lista em TXT",
        "Senhas e Seriais > Salvar lista em HTML",   "Senhas e Seriais > Salvar lista em TXT",
        "Telefones úteis > Salvar lista em HTML",    "Telefones úteis > Salvar lista em TXT"};
    for (const QString& caminho : salvar) {
        dlg.limpar();
        QVERIFY2(clicar(w, "Menu Principal > " + caminho), qPrintable(caminho));
        QCOMPARE(dlg.chamadas.size(), 1);
        QCOMPARE(dlg.chamadas[0].tipo, QString("salvar"));
        QVERIFY2(dlg.chamadas[0].texto.contains(caminho.endsWith("HTML") ? "*.htm" : "*.txt"),
                 qPrintable(dlg.chamadas[0].texto));
    }

    // The entries that move contacts and appointments in and out ask for their file first.
    const std::pair<const char*, const char*> arquivos[] = {
        {"Agenda de telefones > Importar contatos...", "abrir|Importar contatos"},
        {"Agenda de telefones > Exportar contatos > vCard (.vcf)", "salvar|Exportar contatos"},
        {"Agenda de telefones > Exportar contatos > Planilha (.csv)", "salvar|Exportar contatos"},
        {"Compromissos > Importar calendário (.ics)...", "abrir|Importar calendário"},
        {"Compromissos > Exportar calendário (.ics)...", "salvar|Exportar calendário"}};
    for (const auto& [caminho, pedido] : arquivos) {
        dlg.limpar();
        QVERIFY2(clicar(w, "Menu Principal > " + QString::fromUtf8(caminho)), caminho);
        QCOMPARE(dlg.chamadas.size(), 1);
        QCOMPARE(dlg.chamadas[0].tipo + "|" + dlg.chamadas[0].titulo, QString::fromUtf8(pedido));
    }

    // The print entries show a preview, the contacts' one under "Imprimir".
    for (const char* caminho :
         {"Agenda de telefones > Imprimir > lista", "Compromissos > Imprimir Lista",
          "Anotações > Imprimir lista", "Senhas e Seriais > Imprimir lista",
          "Telefones úteis > Imprimir lista"}) {
        dlg.limpar();
        QVERIFY2(clicar(w, "Menu Principal > " + QString::fromUtf8(caminho)), caminho);
        QCOMPARE(dlg.chamadas.size(), 1);
        QCOMPARE(dlg.chamadas[0].tipo, QString("visualizar"));
    }

    // Backup asks for the copy's name, restore for the backup; cancelled, nothing changes.
    dlg.limpar();
    QVERIFY(clicar(w, "Backup > Realizar Backup"));
    QVERIFY(clicar(w, "Backup > Restaurar Backup"));
    QCOMPARE(dlg.chamadas.size(), 2);
    QCOMPARE(dlg.chamadas[0].tipo + "|" + dlg.chamadas[0].titulo,
             QString("salvar|Realizar backup do banco de dados"));
    QCOMPARE(dlg.chamadas[1].tipo + "|" + dlg.chamadas[1].titulo,
             QString("abrir|Restaurar backup do banco de dados"));

    // Windows of their own: the labels' layout, the login's administration, the network.
    QVERIFY(clicar(w, "Menu Principal > Agenda de telefones > Imprimir > Etiquetas"));
    QVERIFY(clicar(w, "Login de usuário > Alterar login"));
    QVERIFY(clicar(w, "Ferramentas > Trabalhar em rede"));
    QCOMPARE(janelasAbertas(w),
             QStringList({"Configurar etiquetas", "Login do usuário", "Trabalhar em rede"}));

    // The toolbar offers the four additions, the manual and the labels, by caption.
    QStringList botoes;
    for (QAction* a : w.findChild<QToolBar*>("tbrbarra")->actions())
        if (!a->isSeparator())
            botoes << a->text();
    QCOMPARE(botoes,
             QStringList({"Adicionar contato", "Adicionar anotação", "Adicionar Senha/serial",
                          "Adicionar Tel útil", "Manual On-line", "Etiquetas"}));
    QVERIFY(!clicar(w, "Menu Principal > Agenda de telefones > Exportar tudo"));
}

void TstComandos::entradasIniciamFluxosPaginasEFerramentas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    FluxosGravados gravados;
    QStringList& fluxos = FluxosGravados::chamados();
    frmprincipal w;
    for (const char* nome : {"mnuadicionartel", "mnueditaran", "mnuremovers", "mnuedcomp",
                             "mnurecomp", "mnuadicionaru", "mnueditartel", "mnuremoveru"})
        acionar(w, nome);
    // The toolbar's first four keys add, as their menu entries do; unknown keys do nothing.
    for (const char* chave : {"adcontato", "adanotacao", "adsenha", "adutil"})
        w.findChild<QToolBar*>("tbrbarra")->findChild<QToolButton*>(chave)->click();
    comandos::acionarBotao("desconhecida");
    comandos::acionarBotao("");
    QCOMPARE(fluxos,
             QStringList({"adicionar lstagenda", "editar lstanotacoes", "remover lstsenhas",
                          "editar lstcompromisso", "remover lstcompromisso", "adicionar lstuteis",
                          "editar lstagenda", "remover lstuteis", "adicionar lstagenda",
                          "adicionar lstanotacoes", "adicionar lstsenhas", "adicionar lstuteis"}));

    for (const char* nome :
         {"mnusofwtare", "mnumanual", "mnusuporte", "mnucontato", "mnunewsletter", "mnuvisitesite"})
        acionar(w, nome);
    comandos::acionarBotao("manual");
    const QString site = "https://www.varnelo.example/";
    QCOMPARE(enderecos(dlg),
             QStringList({site + "software", site + "manual", site + "suporte", site + "contato",
                          site + "newsletter", site, site + "manual"}));

    // The first stand-in found is started; a tool with none installed does nothing.
    QTemporaryDir bin;
    for (const char* nome : {"kcalc", "xcalc", "mpv"}) {
        QFile f(bin.filePath(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    const QByteArray caminho = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    for (const char* nome : {"mnunotepad", "mnucalc", "mnuwmp", "mnuvolume"})
        acionar(w, nome);
    qputenv("PATH", caminho);
    QCOMPARE(enderecos(dlg, "programa"), QStringList({bin.filePath("kcalc"), bin.filePath("mpv")}));
}

void TstComandos::enderecosEFiltrosEntreguesAoSistema() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, email, site) VALUES "
        "('Ana', ' ana@exemplo.com.br ', 'www.ana.com.br '), ('Bia', ' ', ' ')");
    frmprincipal w;
    QTreeView* lista = w.lista(Categoria::Agenda);
    // Without a selected contact nothing happens; an empty e-mail starts a message without
    // an addressee; an empty site opens nothing.
    for (int linha : {-1, 0, 1}) {
        lista->setCurrentIndex(lista->model()->index(linha, 1));
        acionar(w, "mnusite");
        acionar(w, "mnuemail");
    }
    QCOMPARE(enderecos(dlg),
             QStringList({"http://www.ana.com.br", "mailto:ana@exemplo.com.br", "mailto:"}));
    // A stored address that would add headers or attachments is handed on as an address.
    amb.executar("UPDATE agenda SET email = 'x@y?attach=/etc/passwd&cc=z ' WHERE nome = 'Bia'");
    w.carregaragenda();
    lista->setCurrentIndex(lista->model()->index(1, 1));
    dlg.limpar();
    acionar(w, "mnuemail");
    QCOMPARE(enderecos(dlg), QStringList{"mailto:x@y%3Fattach=%2Fetc%2Fpasswd&cc=z"});
    // Only web pages: a stored path to a program, or another scheme, is never handed on.
    QCOMPARE(produto::enderecoWeb(" HTTPS://Exemplo.com.br/a?b=1 "),
             QString("HTTPS://Exemplo.com.br/a?b=1"));
    QCOMPARE(produto::enderecoWeb("http://x"), QString("http://x"));
    for (const char* outro : {"/usr/bin/xterm", "file:///etc/passwd", "javascript:alert(1)",
                              "exemplo.com.br", "smb://servidor/x", "C:\\Windows\\calc.exe", " "})
        QCOMPARE(produto::enderecoWeb(outro), QString());

    // Filters for the file dialogs: a description that already shows its patterns is not
    // given them twice.
    QCOMPARE(dialogs::filtroQt("Arquivo de banco de dados(*.mde)|*.mde"),
             QString("Arquivo de banco de dados(*.mde)"));
    QCOMPARE(dialogs::filtroQt("Arquivos de imagens|*.bmp;*.jpg|Todos|*"),
             QString("Arquivos de imagens (*.bmp *.jpg);;Todos (*)"));
}

QTEST_MAIN(TstComandos)
#include "tst_comandos.moc"
