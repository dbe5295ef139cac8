#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include "access/frmarquivoprotegido.h"
#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/copiabanco.h"
#include "data/schema.h"
#include "ui/janelas.h"
#include "ui/modelolista.h"

#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString kSenha = QString::fromUtf8(banco::kSenhaBanco);
const QString kSalvar =
    "salvar|Realizar backup do banco de dados|Arquivo de banco de dados(*.mde)|*.mde";
const QString kAbrir =
    "abrir|Restaurar backup do banco de dados|Arquivo de banco de dados(*.mde)|*.mde";
const QString kErro = "critico|Erro|Ocorreu o seguinte erro: ";
const QString kRestaurado = "informacao|Backup|Backup restaurado com sucesso!";
const QString kPergunta =
    "pergunta|Backup|Os dados atuais serão substituídos pelos do backup escolhido. Continuar?\n\n"
    "O arquivo atual ficará guardado ao lado, como dados.mde.anterior.|SimNao";
const Categoria kTodas[] = {Categoria::Agenda, Categoria::Compromisso, Categoria::Senhas,
                            Categoria::Uteis, Categoria::Anotacoes};

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void gravar(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

void acrescentar(AmbienteTeste& amb, const QString& marca, int contatos = 1) {
    amb.executar("BEGIN");
    for (int i = 0; i < contatos; ++i)
        amb.executar("INSERT INTO agenda (nome, adicional) VALUES (?, ?)",
                     {QString("%1 %2").arg(marca).arg(i), QString(200, 'x')});
    for (const char* tabela : {"compromisso (Data, hora, Titulo) VALUES ('2030/01/02', '9', ?)",
                               "senhas (descricao, senha) VALUES (?, '1 ')",
                               "uteis (descricao, telefone) VALUES (?, '2 ')",
                               "anotacoes (Titulo, anotacoes) VALUES (?, 'n ')"})
        amb.executar(QString("INSERT INTO ") + tabela, {marca});
    amb.executar("COMMIT");
}

// What the five lists show, cell by cell.
QStringList celulas(const frmprincipal& w) {
    QStringList r;
    for (Categoria c : kTodas)
        for (int i = 0; i < w.modelo(c)->rowCount(); ++i)
            for (int j = 0; j < w.modelo(c)->columnCount(); ++j)
                r << w.modelo(c)->celula(i, j);
    return r;
}

// Also notes, at each message, how many descriptors this process holds on the database file.
class DialogosComDescritores : public DialogosRoteiro {
public:
    QList<int> abertos;
    dialogs::Resposta mensagem(dialogs::Icone icone, const QString& titulo, const QString& texto,
                               dialogs::Botoes botoes) override {
        const QString alvo =
            QFileInfo(banco::caminhoBanco(banco::arquivobanco)).canonicalFilePath();
        int n = 0;
        for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
            n += fd.symLinkTarget() == alvo;
        abertos << n;
        return DialogosRoteiro::mensagem(icone, titulo, texto, botoes);
    }
};

void menu(frmprincipal& w, const char* entrada) {
    w.findChild<QAction*>(entrada)->trigger();
}

QStringList arquivosNaPasta(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files, QDir::Name);
}

}  // namespace

class TstBackup : public QObject {
    Q_OBJECT
private slots:
    void backupMudancasERestauracaoDevolvemAsLinhas();
    void restauracaoRecusadaNaoMudaNada();
    void agemNoBancoDeRede();
    void discoCheioOuPastaImutavelDeixamOBancoInteiro();
    void restauraOQueNaoAbreECopiaEsperaOsEscritores();
    void restauracaoPerguntaEMatadaNaoDeixaRestos();
};

void TstBackup::backupMudancasERestauracaoDevolvemAsLinhas() {
    AmbienteTeste amb;
    DialogosComDescritores dlg;
    acrescentar(amb, "antes");
    const QString copia = amb.pasta() + "/copia.mde";
    gravar(copia, "uma copia antiga");  // replaced by the backup
    frmprincipal w;
    amb.soltar();
    // Cancelling either dialog does nothing.
    menu(w, "mnufazerback");
    menu(w, "mnurestback");
    const QStringList listasAntes = celulas(w);
    dlg.arquivos << copia;
    menu(w, "mnufazerback");
    QCOMPARE(chamadas(dlg), QStringList({kSalvar, kAbrir, kSalvar,
                                         "informacao|Backup|Backup realizado com sucesso!"}));
    QCOMPARE(dlg.abertos, QList<int>{0});
    QVERIFY(banco::conexao().aberta());
    QCOMPARE(conteudo(copia), conteudo(amb.arquivo()));

    // The restored file is shared as the one it replaces was, not private as a temporary.
    QFile::setPermissions(amb.arquivo(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                             QFile::WriteGroup | QFile::ReadOther);
    const QFile::Permissions permissoes = QFile::permissions(amb.arquivo());
    // Changes to every table, then the backup back twice: the second replaces the kept file.
    for (const char* marca : {"depois", "de novo"}) {
        amb.executar("DELETE FROM agenda");
        acrescentar(amb, marca);
        amb.executar("UPDATE login SET senha = ?", {marca});
        const QByteArray mudado = conteudo(amb.arquivo());
        for (Categoria c : kTodas)
            w.recarregar(c);
        QVERIFY(celulas(w) != listasAntes);
        amb.soltar();
        dlg.limpar();
        dlg.abertos.clear();
        dlg.arquivos << copia;
        dlg.respostas << dialogs::Resposta::Sim;
        menu(w, "mnurestback");
        QCOMPARE(chamadas(dlg), QStringList({kAbrir, kPergunta, kRestaurado}));
        // The file is asked about while open, and replaced with every handle on it closed.
        QCOMPARE(dlg.abertos, QList<int>({1, 0}));
        QCOMPARE(conteudo(amb.arquivo()), conteudo(copia));
        QCOMPARE(celulas(w), listasAntes);
        QCOMPARE(conteudo(copia::anterior(amb.arquivo())), mudado);
        QCOMPARE(QFile::permissions(amb.arquivo()), permissoes);
        QCOMPARE(arquivosNaPasta(amb.pasta()),
                 QStringList({"copia.mde", "dados.mde", "dados.mde.anterior"}));
    }
    // The program goes on writing into the restored file.
    QVERIFY(banco::conexao().aberta());
    banco::conexao().banco().exec("INSERT INTO uteis (descricao) VALUES ('nova')");
    QCOMPARE(amb.valor("SELECT count(*) FROM uteis WHERE descricao = 'nova'"), QString("1"));
}

void TstBackup::restauracaoRecusadaNaoMudaNada() {
    for (const QString caso : {"texto", "outra chave", "cortada", "o proprio banco"}) {
        AmbienteTeste amb;
        DialogosRoteiro dlg;
        acrescentar(amb, "guardado", 300);
        const bool proprio = caso == "o proprio banco";
        const QString escolhido = proprio ? amb.arquivo() : amb.pasta() + "/x.mde";
        const QByteArray tudo = conteudo(amb.arquivo());
        if (caso == "texto")
            gravar(escolhido, "nome;telefone\nAna;123\n");
        else if (caso == "outra chave")
            schema::criarArquivo(escolhido, "outra chave");
        else if (caso == "cortada")
            gravar(escolhido, tudo.left(tudo.size() / 2));
        frmprincipal w;
        // A row the lists have not read: a reload would show it.
        acrescentar(amb, "depois");
        amb.soltar();
        const QStringList listasAntes = celulas(w);
        const QByteArray antes = conteudo(amb.arquivo());
        const QStringList pasta = arquivosNaPasta(amb.pasta());
        dlg.arquivos << escolhido;
        menu(w, "mnurestback");
        if (caso == "outra chave") {
            // Keyed otherwise, it may have a password of its own: asked for, and given up.
            auto* senha = janelas::seCarregada<acesso::frmarquivoprotegido>();
            QVERIFY(senha && senha->isVisible());
            senha->acionar("cancelar");
            QCOMPARE(chamadas(dlg), QStringList({kAbrir}));
        } else {
            QCOMPARE(chamadas(dlg), QStringList({kAbrir, kErro + (proprio ? copia::kMesmoArquivo
                                                                          : copia::kNaoEBanco)}));
        }
        QCOMPARE(conteudo(amb.arquivo()), antes);
        QCOMPARE(arquivosNaPasta(amb.pasta()), pasta);
        QCOMPARE(celulas(w), listasAntes);
        QVERIFY2(banco::conexao().aberta(), qPrintable(caso));
    }
}

void TstBackup::agemNoBancoDeRede() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    QVERIFY(QDir(amb.pasta()).mkdir("rede"));
    const QString rede = amb.pasta() + "/rede/dados.mde";
    QVERIFY(QFile::copy(amb.arquivo(), rede));  // no rows there
    acrescentar(amb, "local");
    amb.soltar();
    const QByteArray local = conteudo(amb.arquivo());
    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", rede);
    frmprincipal w;
    QCOMPARE(w.linhas(Categoria::Uteis), 0);
    const QString copia = amb.pasta() + "/copia.mde";
    dlg.arquivos << copia;
    menu(w, "mnufazerback");
    QCOMPARE(conteudo(copia), conteudo(rede));
    // Not onto the file in use, even by another path to it.
    QVERIFY(QFile::link(amb.pasta() + "/rede", amb.pasta() + "/atalho"));
    dlg.arquivos << amb.pasta() + "/atalho/dados.mde";
    menu(w, "mnufazerback");
    QCOMPARE(chamadas(dlg).last(), kErro + copia::kMesmoArquivo);
    QCOMPARE(conteudo(rede), conteudo(copia));
    // The restore puts the local file's rows into the network file.
    dlg.arquivos << amb.arquivo();
    dlg.respostas << dialogs::Resposta::Sim;
    menu(w, "mnurestback");
    QCOMPARE(chamadas(dlg).last(), kRestaurado);
    QCOMPARE(conteudo(rede), local);
    QCOMPARE(conteudo(amb.arquivo()), local);
    QCOMPARE(conteudo(copia::anterior(rede)), conteudo(copia));
    QCOMPARE(w.linhas(Categoria::Uteis), 1);
    QCOMPARE(configuracoes::ler("RedeLocal"), rede);
}

void TstBackup::discoCheioOuPastaImutavelDeixamOBancoInteiro() {
    if (::geteuid() != 0)
        QSKIP("needs root for tmpfs and chattr");
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString pequeno = amb.pasta() + "/pequeno.mde";
    QVERIFY(QFile::copy(amb.arquivo(), pequeno));
    // The database in use lives on a small disk; the backup restored is far bigger.
    acrescentar(amb, "grande", 2000);
    amb.soltar();
    const QString grande = amb.arquivo();
    const QString disco = amb.pasta() + "/disco";
    QVERIFY(QDir(amb.pasta()).mkdir("disco"));
    const QByteArray opcoes = QString("size=%1").arg(QFileInfo(pequeno).size() + 16384).toUtf8();
    if (::mount("tmpfs", QFile::encodeName(disco).constData(), "tmpfs", 0, opcoes.constData()))
        QSKIP("tmpfs cannot be mounted here");
    const auto desmontar = qScopeGuard([&] {
        banco::liberarConexoes();
        ::umount(QFile::encodeName(disco).constData());
    });
    const QString rede = disco + "/dados.mde";
    QVERIFY(QFile::copy(pequeno, rede));
    configuracoes::gravar("RedeLocal", rede);
    const QByteArray antes = conteudo(rede);
    frmprincipal w;

    dlg.arquivos << grande;
    dlg.respostas << dialogs::Resposta::Sim;
    menu(w, "mnurestback");
    QCOMPARE(chamadas(dlg).last(), kErro + "não há espaço livre no disco");
    QCOMPARE(conteudo(rede), antes);
    QCOMPARE(arquivosNaPasta(disco), QStringList{"dados.mde"});
    // Nor does a backup onto the full disk leave half a file.
    dlg.arquivos << disco + "/copia.mde";
    gravar(disco + "/enchimento", QByteArray(8192, 'x'));
    menu(w, "mnufazerback");
    QCOMPARE(chamadas(dlg).last(), kErro + "não há espaço livre no disco");
    QCOMPARE(arquivosNaPasta(disco), QStringList({"dados.mde", "enchimento"}));

    // A folder nobody may write to: no temporary file, no replacement.
    banco::liberarConexoes();
    QCOMPARE(::umount(QFile::encodeName(disco).constData()), 0);
    QVERIFY(QFile::copy(pequeno, rede));
    if (QProcess::execute("chattr", {"+i", disco}) != 0)
        QSKIP("chattr +i not available here");
    const auto liberar = qScopeGuard([&] { QProcess::execute("chattr", {"-i", disco}); });
    dlg.arquivos << grande;
    dlg.respostas << dialogs::Resposta::Sim;
    menu(w, "mnurestback");
    QCOMPARE(chamadas(dlg).last(), kErro + "a pasta do arquivo não permite gravação");
    QCOMPARE(conteudo(rede), antes);
    QCOMPARE(arquivosNaPasta(disco), QStringList{"dados.mde"});
    QCOMPARE(w.linhas(Categoria::Agenda), 0);
}

void TstBackup::restauraOQueNaoAbreECopiaEsperaOsEscritores() {
    AmbienteTeste amb;
    acrescentar(amb, "guardado");
    amb.soltar();
    const QString copia = amb.pasta() + "/copia.mde";
    copia::copiarBanco(amb.arquivo(), copia, kSenha);
    const QByteArray guardado = conteudo(copia);
    // Mending a file that no longer opens, or is gone, is what a restore is for.
    gravar(amb.arquivo(), QByteArray(8192, 'x'));
    copia::restaurarBanco(copia, amb.arquivo(), kSenha, kSenha);
    QCOMPARE(conteudo(amb.arquivo()), guardado);
    QCOMPARE(conteudo(copia::anterior(amb.arquivo())), QByteArray(8192, 'x'));
    QVERIFY(QFile::remove(amb.arquivo()));
    copia::restaurarBanco(copia, amb.arquivo(), kSenha, kSenha);
    QCOMPARE(conteudo(amb.arquivo()), guardado);
    QVERIFY(QFile::remove(copia));

    if (!TravaExterna::disponivel())
        QSKIP("sqlcipher shell not installed");
    auto escrever = [&] {
        QProcess shell;
        shell.start("sqlcipher", {amb.arquivo()});
        shell.write(QString("PRAGMA key='%1';\nINSERT INTO uteis (descricao) VALUES ('x');\n")
                        .arg(kSenha)
                        .toUtf8());
        shell.closeWriteChannel();
        shell.waitForFinished();
        return QString::fromUtf8(shell.readAllStandardError());
    };
    {
        TravaBanco trava(amb.arquivo(), kSenha, TravaBanco::Modo::Leitura);
        QVERIFY(escrever().contains("database is locked"));
    }
    QCOMPARE(escrever(), QString());
    // The backup takes that lock: a writer half way through keeps it from copying.
    TravaExterna escritor(200);
    QVERIFY(escritor.prender(amb.arquivo()));
    QVERIFY_THROWS_EXCEPTION(db::DbError, copia::copiarBanco(amb.arquivo(), copia, kSenha));
    QVERIFY(escritor.soltar());
    QVERIFY(!QFile::exists(copia));
}

void TstBackup::restauracaoPerguntaEMatadaNaoDeixaRestos() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString copia = amb.pasta() + "/copia.mde";
    acrescentar(amb, "na copia");
    amb.soltar();
    {
        frmprincipal w;
        // The backup is its user's alone; a backup over an existing file keeps that file's mode.
        dlg.arquivos << copia;
        menu(w, "mnufazerback");
        QCOMPARE(QFile::permissions(copia),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QVERIFY(QFile::setPermissions(copia, QFile::permissions(copia) | QFile::ReadOther));
        dlg.arquivos << copia;
        menu(w, "mnufazerback");
        QVERIFY(QFile::permissions(copia) & QFile::ReadOther);
        amb.executar("DELETE FROM agenda");
        amb.soltar();
        w.recarregarTodas();
        // Asked first, and No changes nothing at all.
        const QByteArray atual = conteudo(amb.arquivo());
        dlg.limpar();
        dlg.arquivos << copia;
        menu(w, "mnurestback");
        QCOMPARE(chamadas(dlg), QStringList({kAbrir, kPergunta}));
        QCOMPARE(conteudo(amb.arquivo()), atual);
        QCOMPARE(w.linhas(Categoria::Agenda), 0);
        QVERIFY(!QFileInfo::exists(copia::anterior(amb.arquivo())));
    }
    // A restore killed half way left its copies beside the file: the next start removes them,
    // and only them.
    for (const char* nome :
         {"dados.mde.restaurando-Ab12Cd", "dados.mde.anterior.novo", "dados.mde.backup"})
        gravar(amb.pasta() + "/" + nome, QByteArray(4096, 'x'));
    frmprincipal w;
    QCOMPARE(arquivosNaPasta(amb.pasta()),
             QStringList({"copia.mde", "dados.mde", "dados.mde.backup"}));
    dlg.arquivos << copia;
    dlg.respostas << dialogs::Resposta::Sim;
    menu(w, "mnurestback");
    QCOMPARE(chamadas(dlg).last(), kRestaurado);
    QCOMPARE(w.linhas(Categoria::Agenda), 1);
    // The file it replaced is kept beside it, as private as the file was.
    QCOMPARE(QFile::permissions(copia::anterior(amb.arquivo())), QFile::permissions(amb.arquivo()));
    QCOMPARE(QFile::permissions(amb.arquivo()) & (QFile::ReadOther | QFile::ReadGroup),
             QFile::Permissions());
}

QTEST_MAIN(TstBackup)
#include "tst_backup.moc"
