#include <QAction>
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

// The menu bar as "level|name|caption", separators as "-", disabled entries marked "(off)".
void percorrer(const QList<QAction*>& acoes, int nivel, QStringList& saida) {
    for (QAction* a : acoes) {
        const QString nome = a->menu() ? a->menu()->objectName() : a->objectName();
        const QString legenda = a->isSeparator() ? QString("-") : a->text();
        saida
            << QString("%1|%2|%3%4").arg(nivel).arg(nome, legenda, a->isEnabled() ? "" : " (off)");
        if (a->menu())
            percorrer(a->menu()->actions(), nivel + 1, saida);
    }
}

// The designed menu bar, "level|name|caption", a few entries to a line.
const char* const kMenuProjetado[] = {
    "1|mnu1|Menu Principal;2|mnuvarnelo|Agenda de telefones",
    "3|mnuadicionartel|Adicionar;3|mnueditartel|Editar;3|mnuremovertel|Remover;3|ag|-",
    "3|mnuimprimir1|Imprimir;4|mnuetiquetas|Etiquetas;4|mnuimprimirtel|lista",
    "3|mnusalvar1|Salvar lista;4|mnuhtmltel|HTML;4|mnutxttel| TXT;3|ag3|-",
    "3|mnuimportartel|Importar contatos...;3|mnuexportartel|Exportar contatos",
    "4|mnuvcftel|vCard (.vcf);4|mnucsvtel|Planilha (.csv)",
    "3|ag2|-;3|mnusite|Acessar site;3|mnuemail|Enviar e-mail",
    "2|mnucompromisso|Compromissos",
    "3|mnuadcomp|Adicionar;3|mnuedcomp|Editar;3|mnurecomp|Remover;3|sav|-",
    "3|mnucomplista|Imprimir Lista;3|mnuhtmlcomp|Salvar lista em HTML",
    "3|mnutxtcomp|Salvar lista em TXT;3|sav2|-",
    "3|mnuimportarcomp|Importar calendário (.ics)...",
    "3|mnuexportarcomp|Exportar calendário (.ics)...;2|mnuanotacoes|Anotações",
    "3|mnuadicionaran|Adicionar;3|mnueditaran|Editar;3|mnuremoveran|Remover;3|an|-",
    "3|mnuimprimiran|Imprimir lista;3|mnuhtmlan|Salvar lista em HTML",
    "3|mnutxtan|Salvar lista em TXT;2|mnusenhas|Senhas e Seriais",
    "3|mnuadicionars|Adicionar;3|mnueditars|Editar;3|mnuremovers|Remover;3|sn|-",
    "3|mnuimprimirsn|Imprimir lista;3|mnuhtmlsn|Salvar lista em HTML",
    "3|mnutxtsn|Salvar lista em TXT;2|mnuuteis|Telefones úteis",
    "3|mnuadicionaru|Adicionar;3|mnueditaru|Editar;3|mnuremoveru|Remover;3|ut|-",
    "3|mnuimprimirut|Imprimir lista;3|mnuhtmlut|Salvar lista em HTML",
    "3|mnutxtut|Salvar lista em TXT;1|mnulogin|Login de usuário;2|mnuadmlogin|Alterar login",
    "1|mnubackup|Backup;2|mnufazerback|Realizar Backup;2|mnurestback|Restaurar Backup",
    "1|mnuferramentas|Ferramentas;2|mnurede|Trabalhar em rede;2|tttt|-",
    "2|mnunotepad|Bloco de notas;2|mnucalc|Calculadora;2|mnuwmp|Windows Media Player",
    "2|mnuvolume|Controle de volume",
    "1|mnusobre|Sobre;2|mnusofwtare|O software;2|mnumanual|Manual On-line;2|afsaf|-",
    "2|mnusuporte|Suporte Técnico;2|mnucontato|Fale conosco",
    "2|mnunewsletter|Boletim de notícias (Newsletter);2|ss|-;2|mnuvisitesite|Visite nosso site",
};

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
    frmprincipal w;
    QStringList menu;
    percorrer(w.menuBar()->actions(), 1, menu);
    QCOMPARE(
        menu,
        QStringList(std::begin(kMenuProjetado), std::end(kMenuProjetado)).join(';').split(';'));

    QStringList botoes;
    for (QAction* a : w.findChild<QToolBar*>("tbrbarra")->actions()) {
        auto* botao = a->isSeparator() ? nullptr : w.findChild<QToolButton*>(a->objectName());
        botoes << (botao ? a->objectName() + "|" + a->text() + (a->isEnabled() ? "" : " (off)")
                         : "-");
    }
    QCOMPARE(botoes, QStringList({"adcontato|Adicionar contato", "adanotacao|Adicionar anotação",
                                  "adsenha|Adicionar Senha/serial", "adutil|Adicionar Tel útil",
                                  "-", "manual|Manual On-line", "etiqueta|Etiquetas"}));
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
