#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "access/backup.h"
#include "access/frmarquivoprotegido.h"
#include "access/frmsenhaarquivo.h"
#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "app/frmrede.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/copiabanco.h"
#include "data/schema.h"
#include "ui/janelas.h"
#include "ui/modelolista.h"

using acesso::frmarquivoprotegido;
using acesso::frmsenhaarquivo;

namespace {

const QString kIncorreta = "critico|Arquivo protegido|Senha incorreta.";

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList linhasCom(const QString& arquivo, const QString& chave, const QString& sql) {
    db::Database b;
    b.openReadOnly(arquivo, chave);
    return linhasDe(b, sql);
}

// Gives the file a password as the window would, leaving the session without it.
void proteger(const QString& arquivo, const QString& senha) {
    banco::liberarConexoes();
    copia::trocarChave(arquivo, chave::embutida(), chave::paraSenha(arquivo, senha));
}

// The file protected, its password given for the session; what the file then holds.
QByteArray protegidoNaSessao(const QString& arquivo, const QString& senha) {
    proteger(arquivo, senha);
    chave::definirSenha(senha);
    return conteudo(arquivo);
}

void escrever(QWidget* janela, const char* caixa, const QString& texto) {
    janela->findChild<QLineEdit*>(caixa)->setText(texto);
}

frmarquivoprotegido* pergunta() {
    frmarquivoprotegido* j = janelas::seCarregada<frmarquivoprotegido>();
    return j && j->isVisible() ? j : nullptr;
}

void responder(const QString& senha) {
    QVERIFY(pergunta());
    escrever(pergunta(), "txtsenha", senha);
    clicar(pergunta(), "ok");
}

// Fresh file with one password entry, and the dialogs scripted.
struct Cena {
    Cena() {
        amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Banco', 'segredo ')");
        amb.soltar();
    }
    AmbienteTeste amb;
    DialogosRoteiro dlg;
};

}  // namespace

class TstSenha : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        frmprincipal::pedidoDeSenha() = nullptr;
        encerrarSessao();
    }
    void janelaProtegeOArquivo();
    void confirmacaoVaziaOuErradaNadaMuda();
    void trocaPedeASenhaAtualERetira();
    void inicioPedeASenhaAntesDeTudo();
    void testarLocalPedeASenha();
    void restauroDeBackupComOutraSenha();
};

void TstSenha::janelaProtegeOArquivo() {
    Cena c;
    const QString arquivo = c.amb.arquivo();
    const QByteArray antes = conteudo(arquivo);
    auto& j = janelas::unica<frmsenhaarquivo>();
    QCOMPARE(j.windowTitle(), QString("Senha do arquivo"));
    QVERIFY(!j.findChild<QLineEdit*>("txtatual"));  // no password yet
    QCOMPARE(j.findChild<QLineEdit*>("txtnova")->echoMode(), QLineEdit::Password);
    escrever(&j, "txtnova", "Minha senha ç");
    escrever(&j, "txtconfirma", "Minha senha ç");
    clicar(&j, "ok");
    QCOMPARE(chamadas(c.dlg),
             QStringList({"informacao|Senha do arquivo|O arquivo agora está protegido pela "
                          "senha.\n\nO arquivo como era antes ficou ao lado, em "
                          "dados.mde.anterior, e abre como antes: apague-o quando não precisar "
                          "mais dele."}));
    descartarFechadas();
    QVERIFY(!janelas::seCarregada<frmsenhaarquivo>());

    QCOMPARE(conteudo(copia::anterior(arquivo)), antes);
    QCOMPARE(chave::testar(arquivo, chave::embutida()), chave::Teste::ChaveErrada);
    const QString k = chave::paraSenha(arquivo, "Minha senha ç");
    QCOMPARE(linhasCom(arquivo, k, "SELECT descricao, senha FROM senhas"),
             QStringList({"Banco|segredo "}));
    // The session keeps the password: the program's own opens go on without asking.
    QVERIFY(chave::temSenha());
    banco::abrirPadrao();
    QVERIFY(banco::conexao().aberta());
    QCOMPARE(c.dlg.mensagens().size(), 1);
    if (!QStandardPaths::findExecutable("sqlcipher").isEmpty()) {
        QProcess shell;
        shell.start("sqlcipher", {arquivo});
        shell.write(
            QString("PRAGMA key = \"%1\";\nSELECT descricao FROM senhas;\n").arg(k).toUtf8());
        shell.closeWriteChannel();
        QVERIFY(shell.waitForFinished());
        QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()).trimmed(), QString("Banco"));
    }
}

void TstSenha::confirmacaoVaziaOuErradaNadaMuda() {
    Cena c;
    const QString arquivo = c.amb.arquivo();
    const QByteArray antes = conteudo(arquivo);
    acesso::abrirSenhaArquivo();
    auto& j = janelas::unica<frmsenhaarquivo>();
    clicar(&j, "ok");
    escrever(&j, "txtnova", "uma");
    clicar(&j, "ok");
    escrever(&j, "txtconfirma", "outra");
    clicar(&j, "ok");
    QCOMPARE(chamadas(c.dlg),
             QStringList({"exclamacao|Senha do arquivo|Digite a nova senha duas vezes.",
                          "exclamacao|Senha do arquivo|Digite a nova senha também em \"Confirme "
                          "a nova senha\".",
                          "exclamacao|Senha do arquivo|A confirmação não confere com a nova "
                          "senha. Digite-a de novo."}));
    QVERIFY(j.isVisible());
    QCOMPARE(conteudo(arquivo), antes);
    QVERIFY(!QFileInfo::exists(copia::anterior(arquivo)));
    QVERIFY(!chave::temSenha());
}

void TstSenha::trocaPedeASenhaAtualERetira() {
    Cena c;
    const QString arquivo = c.amb.arquivo();
    const QByteArray protegido = protegidoNaSessao(arquivo, "velha");
    {
        auto& j = janelas::unica<frmsenhaarquivo>();
        QVERIFY(j.findChild<QLineEdit*>("txtatual"));
        escrever(&j, "txtatual", "errada");
        escrever(&j, "txtnova", "nova");
        escrever(&j, "txtconfirma", "nova");
        clicar(&j, "ok");
        QCOMPARE(ultimaMensagem(c.dlg), QString("critico|Senha do arquivo|Senha incorreta."));
        QCOMPARE(conteudo(arquivo), protegido);
        escrever(&j, "txtatual", "velha");
        clicar(&j, "ok");
        QVERIFY(ultimaMensagem(c.dlg).startsWith(
            "informacao|Senha do arquivo|A senha do arquivo foi alterada.\n\n"));
    }
    descartarFechadas();
    QCOMPARE(chave::testar(arquivo, chave::paraSenha(arquivo, "velha")), chave::Teste::ChaveErrada);
    QCOMPARE(linhasCom(arquivo, chave::paraSenha(arquivo, "nova"), "SELECT descricao FROM senhas"),
             QStringList({"Banco"}));
    QCOMPARE(banco::chaveBanco(), chave::paraSenha(arquivo, "nova"));

    // The new boxes left empty take the password away.
    auto& j = janelas::unica<frmsenhaarquivo>();
    escrever(&j, "txtatual", "nova");
    clicar(&j, "ok");
    QCOMPARE(ultimaMensagem(c.dlg),
             QString("informacao|Senha do arquivo|A senha do arquivo foi retirada."));
    QCOMPARE(linhasCom(arquivo, chave::embutida(), "SELECT descricao FROM senhas"),
             QStringList({"Banco"}));
    QVERIFY(!chave::temSenha());
}

void TstSenha::inicioPedeASenhaAntesDeTudo() {
    Cena c;
    proteger(c.amb.arquivo(), "abre-te");
    const QByteArray protegido = conteudo(c.amb.arquivo());
    frmprincipal::pedidoDeSenha() = acesso::desbloquearInicio;
    frmprincipal w;
    QVERIFY(w.aguardaLogin());
    QVERIFY(pergunta());
    QCOMPARE(pergunta()->windowTitle(), QString("Arquivo protegido"));
    QCOMPARE(w.modelo(Categoria::Senhas)->rowCount(), 0);
    QVERIFY(c.dlg.chamadas.isEmpty());  // nothing read the file before the question
    c.dlg.respostas << dialogs::Resposta::Ok << dialogs::Resposta::Ok;
    responder("errada");
    QCOMPARE(chamadas(c.dlg), QStringList({kIncorreta}));
    QVERIFY(pergunta());  // asked again
    // Enter in the one field enters as the button does.
    escrever(pergunta(), "txtsenha", "errada de novo");
    QTest::keyClick(pergunta()->findChild<QLineEdit*>("txtsenha"), Qt::Key_Return);
    QCOMPARE(chamadas(c.dlg), QStringList({kIncorreta, kIncorreta}));
    QVERIFY(!w.isVisible());
    responder("abre-te");
    QVERIFY(!pergunta());
    QVERIFY(w.isVisible());
    QVERIFY(!w.aguardaLogin());
    QCOMPARE(w.modelo(Categoria::Senhas)->celula(0, 1), QString("Banco"));
    QCOMPARE(c.dlg.mensagens().size(), 2);
    QCOMPARE(conteudo(c.amb.arquivo()), protegido);  // refused and accepted tries wrote nothing
}

void TstSenha::testarLocalPedeASenha() {
    Cena c;
    const QString outro = c.amb.pasta() + "/rede.mde";
    QVERIFY(schema::criarArquivo(outro, chave::embutida()));
    proteger(outro, "da rede");
    auto& rede = janelas::unica<frmrede>();
    escrever(&rede, "txtbd", QDir::toNativeSeparators(outro));
    auto testar = [&] { rede.findChild<QAbstractButton*>("cmdtestabd")->click(); };

    testar();
    QVERIFY(pergunta());
    clicar(pergunta(), "cancelar");  // given up: no test, no message
    QVERIFY(!pergunta());
    QVERIFY(c.dlg.chamadas.isEmpty());

    testar();
    responder("errada");
    responder("da rede");
    QCOMPARE(chamadas(c.dlg), QStringList({kIncorreta,
                                           "informacao|Teste de banco de dados|Teste relizado com "
                                           "sucesso!"}));
    QCOMPARE(configuracoes::ler("RedeLocal", "SemRede"), QString("SemRede"));  // saves nothing
}

void TstSenha::restauroDeBackupComOutraSenha() {
    Cena c;
    const QString arquivo = c.amb.arquivo();
    const QByteArray atual = protegidoNaSessao(arquivo, "atual");
    // A backup of another file, with a password of its own.
    const QString backup = c.amb.pasta() + "/copia.mde";
    QVERIFY(schema::criarArquivo(backup, chave::embutida()));
    {
        db::Database b;
        b.open(backup, chave::embutida());
        b.exec("INSERT INTO senhas (descricao, senha) VALUES ('Do backup', 'x ')");
    }
    proteger(backup, "do backup");
    const QByteArray copiaBackup = conteudo(backup);

    c.dlg.arquivos << backup;
    acesso::restaurarBackup();
    QVERIFY(pergunta());
    clicar(pergunta(), "cancelar");  // given up: nothing asked, nothing changed
    QCOMPARE(conteudo(arquivo), atual);

    c.dlg.arquivos << backup;
    c.dlg.respostas << dialogs::Resposta::Ok << dialogs::Resposta::Sim;
    acesso::restaurarBackup();
    responder("atual");  // the file in use's password is not the backup's
    responder("do backup");
    const QStringList vistas = chamadas(c.dlg);
    QCOMPARE(vistas.size(), 5);
    QCOMPARE(vistas.at(2), kIncorreta);
    QVERIFY(vistas.at(3).startsWith("pergunta|Backup|"));
    QCOMPARE(vistas.at(4), QString("informacao|Backup|Backup restaurado com sucesso!"));
    QCOMPARE(conteudo(arquivo), copiaBackup);
    QCOMPARE(conteudo(copia::anterior(arquivo)), atual);
    QCOMPARE(conteudo(backup), copiaBackup);
    // The session follows the file in use.
    QCOMPARE(banco::chaveBanco(), chave::paraSenha(arquivo, "do backup"));
    banco::abrirPadrao();
    QCOMPARE(linhasDe(banco::conexao().banco(), "SELECT descricao FROM senhas"),
             QStringList({"Do backup"}));
}

QTEST_MAIN(TstSenha)
#include "tst_senha.moc"
