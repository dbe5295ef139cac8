#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "access/frmarquivoprotegido.h"
#include "ambiente_teste.h"
#include "apoio.h"
#include "app/frmrede.h"
#include "data/avisos.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"
#include "ui/janelas.h"

namespace {

const QString kSenha = QString::fromUtf8(banco::kSenhaBanco);

// The settings file as it stands; empty when there is none.
QByteArray gravadas(const AmbienteTeste& amb) {
    QFile f(amb.pasta() + "/config/Varnelo/Varnelo.ini");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "EmRede|RedeLocal", "-" for a missing key.
QString salvas() {
    return configuracoes::ler("EmRede", "-") + "|" + configuracoes::ler("RedeLocal", "-");
}

template <class T = QWidget>
T* controle(const char* nome) {
    return janelas::unica<frmrede>().findChild<T*>(nome);
}

// What the window shows: "[x] path" or "[ ] path", then whether path and browse are enabled.
QString tela() {
    return QString("[%1] %2 %3")
        .arg(controle<QCheckBox>("chkrede")->isChecked() ? "x" : " ",
             controle<QLineEdit>("txtbd")->text(),
             controle("txtbd")->isEnabled() && controle("cmdlocal")->isEnabled() ? "on" : "off");
}

void clicar(const char* nome) {
    controle<QAbstractButton>(nome)->click();
}

void fechar() {
    if (frmrede* j = janelas::seCarregada<frmrede>())
        j->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every file of the folder with a digest of its bytes, hidden ones included.
QStringList retrato(const QString& pasta) {
    QStringList r;
    for (const QFileInfo& i : QDir(pasta).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(i.filePath());
        f.open(QIODevice::ReadOnly);
        r << i.fileName() + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex();
    }
    return r;
}

// One row in each list's table, named after the file it lives in.
void preencher(const QString& arquivo, const QString& nome) {
    db::Database b;
    b.open(arquivo, kSenha);
    for (const char* tabela : {"agenda (nome", "anotacoes (Titulo", "senhas (descricao",
                               "uteis (descricao", "compromisso (Data, Titulo"})
        b.exec(QString("INSERT INTO %1) VALUES (%2?)")
                   .arg(tabela, QString(tabela).contains("Data") ? "'2030/01/02', " : ""),
               {nome});
}

// The key of every list's one row, in the order of the five tabs.
QStringList chaves(const frmprincipal& w) {
    QStringList r;
    for (Categoria c : kTodas)
        r << coluna(w, c, c == Categoria::Compromisso ? 3 : 1).join(",").trimmed();
    return r;
}

}  // namespace

class TstFrmrede : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { fechar(); }
    void carregarMostraEGravaSoAoEscolher();
    void testeNaoCriaNemGrava();
    void fecharRecarregaDoArquivoEscolhido();
    void caminhoDigitadoETestadoEhOUsado();
};

void TstFrmrede::carregarMostraEGravaSoAoEscolher() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmrede& j = janelas::unica<frmrede>();
    QCOMPARE(j.windowTitle(), QString("Trabalhar em rede"));
    QCOMPARE(controle<QLabel>("lbltitulo")->text(), QString("TRABALHAR EM REDE"));
    QCOMPARE(controle<QLabel>("lbllinha")->text(),
             QString("Utilize está tela para configurar o programa para trabalhar em rede"));
    QCOMPARE(controle<QCheckBox>("chkrede")->text(), QString("Trabalhar em rede"));
    QCOMPARE(controle<QPushButton>("cmdlocal")->text(), QString(". . ."));
    QCOMPARE(controle("cmdlocal")->accessibleName(), QString("Procurar banco de dados"));
    QCOMPARE(controle<QPushButton>("cmdtestabd")->text(), QString("Testar local"));
    QStringList rotulos;
    for (QLabel* l : j.findChildren<QLabel*>())
        if (l->buddy())
            rotulos << l->text() + ">" + l->buddy()->objectName();
    QCOMPARE(rotulos, QStringList("Local do Banco de dados:>txtbd"));
    QCOMPARE(controle("txtbd")->accessibleName(), QString("Local do Banco de dados"));

    // No settings: the local file, greyed out, and still no settings file after.
    const QString local = QDir::toNativeSeparators(amb.arquivo());
    QCOMPARE(tela(), "[ ] " + local + " off");
    QCOMPARE(gravadas(amb), QByteArray());
    fechar();

    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", "/mnt/servidor/dados.mde");
    QCOMPARE(tela(), QString("[x] /mnt/servidor/dados.mde on"));
    fechar();
    configuracoes::gravar("RedeLocal", "SemRede");
    QCOMPARE(tela(), "[x] " + local + " on");
    QVERIFY(dlg.mensagens().isEmpty());
    fechar();

    // Ticking without browsing saves the path shown, the local one here.
    configuracoes::gravar("EmRede", "0");
    clicar("chkrede");
    QCOMPARE(salvas(), "1|" + local);
    QCOMPARE(tela(), "[x] " + local + " on");

    // Browsing saves the chosen path only, and cancelling nothing. "01" would be
    // written back as "1".
    configuracoes::gravar("EmRede", "01");
    dlg.arquivos << ""
                 << "/srv/compartilhado/escritório d'água.mde";
    clicar("cmdlocal");
    QCOMPARE(salvas(), "01|" + local);
    QCOMPARE(tela(), "[x] " + local + " on");
    clicar("cmdlocal");
    QCOMPARE(salvas(), QString("01|/srv/compartilhado/escritório d'água.mde"));
    QCOMPARE(tela(), QString("[x] /srv/compartilhado/escritório d'água.mde on"));
    const DialogosRoteiro::Chamada c = dlg.chamadas.first();
    QCOMPARE(c.tipo + "|" + c.titulo + "|" + c.texto,
             QString("abrir|Abrir Banco de dados em rede|"
                     "Arquivos de Banco de dados do software|*.mde"));
    // The dialog starts in the folder of the file shown.
    QCOMPARE(c.argumentos, QStringList(QDir::toNativeSeparators(amb.pasta())));

    const QByteArray antes = gravadas(amb);
    QTest::keyClicks(controle("txtbd"), "/outro");
    QCOMPARE(gravadas(amb), antes);

    clicar("chkrede");
    QCOMPARE(salvas(), QString("0|SemRede"));
    QCOMPARE(tela(), "[ ] " + local + " off");
    QCOMPARE(configuracoes::ler("BackupID", "-"), QString("-"));
    // Switched as a screen reader does, without a click, it saves all the same.
    controle<QCheckBox>("chkrede")->toggle();
    QCOMPARE(salvas(), "1|" + local);
    QCOMPARE(dlg.chamadas.size(), 2);
}

void TstFrmrede::testeNaoCriaNemGrava() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString rede = amb.pasta() + "/rede/";
    QVERIFY(QDir().mkpath(rede));
    schema::criarArquivo(rede + "bom.mde", kSenha);
    // One keyed otherwise, one keyed as ours but with none of our tables.
    for (auto [nome, senha] : {std::pair{"chave.mde", QString("outra")}, {"alheio.mde", kSenha}}) {
        db::Database b;
        b.create(rede + nome, senha);
        b.exec("CREATE TABLE agenda (nome TEXT)");
    }
    QFile texto(rede + "texto.mde");
    QVERIFY(texto.open(QIODevice::WriteOnly) && texto.write("Isto não é um banco.\n") > 0);
    texto.close();
    configuracoes::gravar("EmRede", "1");
    const QByteArray config = gravadas(amb);
    const QStringList antes = retrato(rede);

    for (const char* arquivo :
         {"bom.mde", "falta.mde", "sem/pasta/dados.mde", "chave.mde", "alheio.mde", "texto.mde"}) {
        dlg.limpar();
        controle<QLineEdit>("txtbd")->setText(QDir::toNativeSeparators(rede + arquivo));
        clicar("cmdtestabd");
        if (arquivo == QLatin1String("chave.mde")) {
            // Keyed otherwise, it may have a password of its own: asked for, and given up.
            auto* senha = janelas::seCarregada<acesso::frmarquivoprotegido>();
            QVERIFY(senha && senha->isVisible());
            senha->findChild<QLineEdit*>("txtsenha")->setText("outra");
            senha->acionar("ok");
            QCOMPARE(dlg.ultimaMensagem().texto, QString("Senha incorreta."));
            senha->acionar("cancelar");
            QCOMPARE(dlg.mensagens().size(), 1);
            continue;
        }
        QCOMPARE(dlg.mensagens().size(), 1);
        const DialogosRoteiro::Chamada m = dlg.ultimaMensagem();
        const bool bom = arquivo == QLatin1String("bom.mde");
        QCOMPARE(m.icone, bom ? dialogs::Icone::Informacao : dialogs::Icone::Critico);
        QCOMPARE(m.titulo + "|" + m.texto,
                 QString(bom ? "Teste de banco de dados|Teste relizado com sucesso!"
                             : "Erro|Não foi possível conectar-se ao banco de dados da rede!"));
    }
    // The box shown cleared, the test still uses the path typed, and saves nothing.
    {
        const QSignalBlocker semGravar(controle<QCheckBox>("chkrede"));
        controle<QCheckBox>("chkrede")->setChecked(false);
    }
    controle<QLineEdit>("txtbd")->setText(rede + "bom.mde");
    clicar("cmdtestabd");
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Teste relizado com sucesso!"));
    QCOMPARE(gravadas(amb), config);
    QCOMPARE(retrato(rede), antes);
}

void TstFrmrede::fecharRecarregaDoArquivoEscolhido() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    preencher(amb.arquivo(), "Local");
    const QString outro = amb.pasta() + "/servidor/dados.mde";
    QVERIFY(QDir().mkpath(amb.pasta() + "/servidor"));
    schema::criarArquivo(outro, kSenha);
    preencher(outro, "Servidor");

    frmprincipal w;
    w.show();
    QCOMPARE(chaves(w), QStringList(5, "Local"));
    // A search typed on the contact tab stays in force through the reload.
    w.findChild<QLineEdit*>("txtfiltro")->setText("Serv");

    w.findChild<QAction*>("mnurede")->trigger();
    frmrede* j = janelas::seCarregada<frmrede>();
    w.findChild<QAction*>("mnurede")->trigger();
    QCOMPARE(janelas::seCarregada<frmrede>(), j);
    QVERIFY(j->isVisible() && !j->isModal() && w.isEnabled());

    clicar("chkrede");
    dlg.arquivos << outro;
    clicar("cmdlocal");
    QCOMPARE(chaves(w), QStringList({""}) + QStringList(4, "Local"));
    fechar();
    QCOMPARE(chaves(w), QStringList(5, "Servidor"));
    QCOMPARE(banco::conexao().banco().path(), QFileInfo(outro).absoluteFilePath());

    // Back to the local file.
    clicar("chkrede");
    fechar();
    w.findChild<QLineEdit*>("txtfiltro")->clear();
    QCOMPARE(chaves(w), QStringList(5, "Local"));
    QVERIFY(dlg.mensagens().isEmpty());

    // A chosen file gone: the first reload says so once, every list emptied before the
    // message, and goes back to the local file; the rest follow it.
    clicar("chkrede");
    dlg.arquivos << amb.pasta() + "/sumiu/dados.mde" << amb.pasta() + "/sumiu/dados.mde";
    clicar("cmdlocal");
    QStringList vistos;
    avisos::definir(
        [&](const QString&, const QString& texto) { vistos << chaves(w).join(",") + "|" + texto; });
    fechar();
    dialogs::encaminharAvisos();
    QCOMPARE(vistos, QStringList(",,,,|Ocorreu o seguinte erro ao tentar abrir "
                                 "o banco de dados: o arquivo não foi encontrado o banco de dados "
                                 "foi definido como local, reinicie o software."));
    QCOMPARE(chaves(w).mid(1), QStringList(4, "Local"));

    // Closing along with the main window reloads nothing, so says nothing.
    dlg.limpar();
    clicar("chkrede");
    clicar("cmdlocal");
    w.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!janelas::seCarregada<frmrede>());
    QVERIFY(dlg.mensagens().isEmpty());
}

void TstFrmrede::caminhoDigitadoETestadoEhOUsado() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    preencher(amb.arquivo(), "Local");
    const QString servidor = amb.pasta() + "/servidor/dados.mde";
    QVERIFY(QDir().mkpath(amb.pasta() + "/servidor"));
    schema::criarArquivo(servidor, kSenha);
    preencher(servidor, "Servidor");
    frmprincipal w;
    w.show();
    janelas::mostrar(janelas::unica<frmrede>());
    clicar("chkrede");
    // Typed, not browsed: the test reads it, and closing keeps it as the file in use.
    controle<QLineEdit>("txtbd")->setText(servidor);
    clicar("cmdtestabd");
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Teste relizado com sucesso!"));
    fechar();
    QCOMPARE(salvas(), "1|" + servidor);
    QCOMPARE(chaves(w), QStringList(5, "Servidor"));
    // Opened again, the window shows it; unticked, the local file comes back.
    janelas::mostrar(janelas::unica<frmrede>());
    QCOMPARE(tela(), "[x] " + servidor + " on");
    clicar("chkrede");
    fechar();
    QCOMPARE(salvas(), QString("0|SemRede"));
    QCOMPARE(chaves(w), QStringList(5, "Local"));
}

QTEST_MAIN(TstFrmrede)
#include "tst_frmrede.moc"
