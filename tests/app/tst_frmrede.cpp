#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "ambiente_teste.h"
#include "app/frmprincipal.h"
#include "app/frmrede.h"
#include "app/janelas.h"
#include "app/modelolista.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"

namespace {

const QString kFalha = "Não foi possível conectar-se ao banco de dados da rede!";

// The settings file as it stands; empty when there is none.
QByteArray configuracoesGravadas(const AmbienteTeste& amb) {
    QFile f(amb.pasta() + "/config/Varnelo/Varnelo.ini");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ler(const char* chave) {
    return configuracoes::ler(chave, "<nada>");
}

// The single window, made as the menu entry makes it.
frmrede& abrir() {
    return janelas::unica<frmrede>();
}

void fechar(frmrede& janela) {
    janela.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QCheckBox* caixa(frmrede& j) {
    return j.findChild<QCheckBox*>("chkrede");
}
QLineEdit* caminho(frmrede& j) {
    return j.findChild<QLineEdit*>("txtbd");
}
QPushButton* botao(frmrede& j, const char* nome) {
    return j.findChild<QPushButton*>(nome);
}

// Every file of the folder with a digest of its bytes, hidden ones included.
QStringList retrato(const QString& pasta) {
    QStringList r;
    for (const QFileInfo& i : QDir(pasta).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(i.filePath());
        f.open(QIODevice::ReadOnly);
        r << i.fileName() + ":" +
                 QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex();
    }
    return r;
}

// One row in each list's table, named after where it lives.
void preencher(const QString& arquivo, const QString& nome) {
    db::Database b;
    b.open(arquivo, QString::fromUtf8(banco::kSenhaBanco));
    b.exec("INSERT INTO agenda (nome, tel) VALUES (?, ' ')", {nome});
    b.exec("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, ' ')", {nome});
    b.exec("INSERT INTO senhas (descricao, senha, adicionais) VALUES (?, ' ', ' ')", {nome});
    b.exec("INSERT INTO uteis (descricao, telefone) VALUES (?, ' ')", {nome});
    b.exec(
        "INSERT INTO compromisso (Data, hora, Titulo, local, descricao) "
        "VALUES ('2030/01/02', ' ', ?, ' ', ' ')",
        {nome});
}

// The key column of every list, in the order of the five tabs.
QStringList primeiras(const frmprincipal& w) {
    QStringList r;
    for (Categoria c : {Categoria::Agenda, Categoria::Compromisso, Categoria::Senhas,
                        Categoria::Uteis, Categoria::Anotacoes}) {
        const int coluna = c == Categoria::Compromisso ? 3 : 1;
        QStringList l;
        for (int i = 0; i < w.modelo(c)->rowCount(); ++i)
            l << w.modelo(c)->celula(i, coluna).trimmed();
        r << l.join(",");
    }
    return r;
}

}  // namespace

class TstFrmrede : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        if (frmrede* j = janelas::seCarregada<frmrede>())
            fechar(*j);
    }
    void semConfiguracoesMostraOLocal();
    void comRedeMostraOCaminhoSalvo();
    void caixaGravaAoClicarEDigitarNao();
    void procurarGravaSoOCaminho();
    void testeNaoCriaNemGrava();
    void fecharRecarregaDoArquivoEscolhido();
    void redeSumidaVoltaAoLocalAoFechar();
};

void TstFrmrede::semConfiguracoesMostraOLocal() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmrede& j = abrir();
    QCOMPARE(j.objectName(), QString("frmrede"));
    QCOMPARE(j.windowTitle(), QString("Trabalhar em rede"));
    QCOMPARE(j.findChild<QLabel*>("lbltitulo")->text(), QString("TRABALHAR EM REDE"));
    QCOMPARE(j.findChild<QLabel*>("lbllinha")->text(),
             QString("Utilize está tela para configurar o programa para trabalhar em rede"));
    QCOMPARE(caixa(j)->text(), QString("Trabalhar em rede"));
    QCOMPARE(botao(j, "cmdlocal")->text(), QString(". . ."));
    QCOMPARE(botao(j, "cmdlocal")->accessibleName(), QString("Procurar banco de dados"));
    QCOMPARE(botao(j, "cmdtestabd")->text(), QString("Testar local"));
    QLabel* rotulo = nullptr;
    for (QLabel* l : j.findChildren<QLabel*>())
        if (l->buddy() == caminho(j))
            rotulo = l;
    QVERIFY(rotulo);
    QCOMPARE(rotulo->text(), QString("Local do Banco de dados:"));
    QCOMPARE(caminho(j)->accessibleName(), QString("Local do Banco de dados"));

    QVERIFY(!caixa(j)->isChecked());
    QCOMPARE(caminho(j)->text(), QDir::toNativeSeparators(amb.arquivo()));
    QVERIFY(!caminho(j)->isEnabled());
    QVERIFY(!botao(j, "cmdlocal")->isEnabled());
    QVERIFY(botao(j, "cmdtestabd")->isEnabled());
    // Loading writes nothing, so no settings file appears.
    QCOMPARE(configuracoesGravadas(amb), QByteArray());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstFrmrede::comRedeMostraOCaminhoSalvo() {
    AmbienteTeste amb;
    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", "/mnt/servidor/dados.mde");
    const QByteArray antes = configuracoesGravadas(amb);
    frmrede& j = abrir();
    QVERIFY(caixa(j)->isChecked());
    QCOMPARE(caminho(j)->text(), QString("/mnt/servidor/dados.mde"));
    QVERIFY(caminho(j)->isEnabled());
    QVERIFY(botao(j, "cmdlocal")->isEnabled());
    QCOMPARE(configuracoesGravadas(amb), antes);
}

void TstFrmrede::caixaGravaAoClicarEDigitarNao() {
    AmbienteTeste amb;
    frmrede& j = abrir();
    // Ticking without browsing saves the path the box shows, the local one here.
    QTest::mouseClick(caixa(j), Qt::LeftButton);
    QCOMPARE(ler("EmRede"), QString("1"));
    QCOMPARE(ler("RedeLocal"), QDir::toNativeSeparators(amb.arquivo()));
    QVERIFY(caminho(j)->isEnabled());
    QVERIFY(botao(j, "cmdlocal")->isEnabled());

    const QByteArray antes = configuracoesGravadas(amb);
    QTest::keyClicks(caminho(j), "/outro/lugar");
    QCOMPARE(configuracoesGravadas(amb), antes);

    QTest::mouseClick(caixa(j), Qt::LeftButton);
    QCOMPARE(ler("EmRede"), QString("0"));
    QCOMPARE(ler("RedeLocal"), QString("SemRede"));
    QCOMPARE(caminho(j)->text(), QDir::toNativeSeparators(amb.arquivo()));
    QVERIFY(!caminho(j)->isEnabled());
    QVERIFY(!botao(j, "cmdlocal")->isEnabled());
    QCOMPARE(ler("BackupID"), QString("<nada>"));
}

void TstFrmrede::procurarGravaSoOCaminho() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // "01" reads as ticked; written again it would read "1".
    configuracoes::gravar("EmRede", "01");
    frmrede& j = abrir();
    QVERIFY(caixa(j)->isChecked());

    dlg.arquivos << "";
    botao(j, "cmdlocal")->click();
    QCOMPARE(ler("RedeLocal"), QString("<nada>"));
    QCOMPARE(caminho(j)->text(), QDir::toNativeSeparators(amb.arquivo()));

    dlg.arquivos << "/srv/compartilhado/escritório d'água.mde";
    botao(j, "cmdlocal")->click();
    QCOMPARE(caminho(j)->text(), QString("/srv/compartilhado/escritório d'água.mde"));
    QCOMPARE(ler("RedeLocal"), QString("/srv/compartilhado/escritório d'água.mde"));
    QCOMPARE(ler("EmRede"), QString("01"));

    QCOMPARE(dlg.chamadas.size(), 2);
    const DialogosRoteiro::Chamada c = dlg.chamadas.first();
    QCOMPARE(c.tipo, QString("abrir"));
    QCOMPARE(c.titulo, QString("Abrir Banco de dados em rede"));
    QCOMPARE(c.texto, QString("Arquivos de Banco de dados do software|*.mde"));
    // The dialog starts in the folder of the file shown.
    QCOMPARE(c.argumentos, QStringList({QDir::toNativeSeparators(amb.pasta())}));
}

void TstFrmrede::testeNaoCriaNemGrava() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString outra = amb.pasta() + "/rede";
    QVERIFY(QDir().mkpath(outra));
    schema::criarArquivo(outra + "/bom.mde", QString::fromUtf8(banco::kSenhaBanco));
    {
        db::Database b;
        b.create(outra + "/chave.mde", "outra senha qualquer");
        b.exec("CREATE TABLE agenda (nome TEXT)");
        b.close();
        b.create(outra + "/alheio.mde", QString::fromUtf8(banco::kSenhaBanco));
        b.exec("CREATE TABLE agenda (nome TEXT)");
    }
    QFile texto(outra + "/texto.mde");
    QVERIFY(texto.open(QIODevice::WriteOnly));
    texto.write("Isto não é um banco de dados.\n");
    texto.close();

    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", "SemRede");
    frmrede& j = abrir();
    const QByteArray config = configuracoesGravadas(amb);
    const QStringList antes = retrato(outra);

    struct Caso {
        QString caminho;
        bool bom;
    };
    const Caso casos[] = {{outra + "/bom.mde", true},
                          {outra + "/falta.mde", false},
                          {outra + "/sem/pasta/dados.mde", false},
                          {outra + "/chave.mde", false},
                          {outra + "/alheio.mde", false},
                          {outra + "/texto.mde", false}};
    for (const Caso& c : casos) {
        dlg.limpar();
        caminho(j)->setText(QDir::toNativeSeparators(c.caminho));
        botao(j, "cmdtestabd")->click();
        QCOMPARE(dlg.mensagens().size(), 1);
        const DialogosRoteiro::Chamada m = dlg.ultimaMensagem();
        if (c.bom) {
            QCOMPARE(m.icone, dialogs::Icone::Informacao);
            QCOMPARE(m.titulo, QString("Teste de banco de dados"));
            QCOMPARE(m.texto, QString("Teste relizado com sucesso!"));
        } else {
            QVERIFY2(m.icone == dialogs::Icone::Critico, qPrintable(c.caminho));
            QCOMPARE(m.titulo, QString("Erro"));
            QCOMPARE(m.texto, kFalha);
        }
    }
    // The test used the text box whatever the box says, and left everything as it was.
    caixa(j)->click();
    QCOMPARE(ler("EmRede"), QString("0"));
    const QByteArray desmarcada = configuracoesGravadas(amb);
    caminho(j)->setText(outra + "/bom.mde");
    dlg.limpar();
    botao(j, "cmdtestabd")->click();
    QCOMPARE(dlg.ultimaMensagem().texto, QString("Teste relizado com sucesso!"));
    QCOMPARE(configuracoesGravadas(amb), desmarcada);
    QVERIFY(config != desmarcada);

    QCOMPARE(retrato(outra), antes);
}

void TstFrmrede::fecharRecarregaDoArquivoEscolhido() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    preencher(amb.arquivo(), "Local");
    const QString outro = amb.pasta() + "/servidor/dados.mde";
    QVERIFY(QDir().mkpath(amb.pasta() + "/servidor"));
    schema::criarArquivo(outro, QString::fromUtf8(banco::kSenhaBanco));
    preencher(outro, "Servidor");

    frmprincipal w;
    w.show();
    QCOMPARE(primeiras(w), QStringList(5, "Local"));
    // A search typed on the contact tab stays in force through the reload.
    w.findChild<QLineEdit*>("txtfiltro")->setText("Serv");
    QCOMPARE(primeiras(w).first(), QString());

    w.findChild<QAction*>("mnurede")->trigger();
    w.findChild<QAction*>("mnurede")->trigger();
    frmrede* j = janelas::seCarregada<frmrede>();
    QVERIFY(j && j->isVisible());
    const QWidgetList janelas = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(janelas.begin(), janelas.end(),
                           [](QWidget* t) { return qobject_cast<frmrede*>(t) != nullptr; }),
             1);
    QVERIFY(!j->isModal());
    QVERIFY(w.isEnabled());

    caixa(*j)->click();
    dlg.arquivos << outro;
    botao(*j, "cmdlocal")->click();
    // Nothing reloads before the window closes.
    QCOMPARE(primeiras(w).mid(1), QStringList(4, "Local"));
    fechar(*j);
    QVERIFY(!janelas::seCarregada<frmrede>());
    QCOMPARE(primeiras(w), QStringList(5, "Servidor"));
    QCOMPARE(banco::conexao().banco().path(), QFileInfo(outro).absoluteFilePath());

    // A row added to the network file by someone else shows on the next reload.
    {
        db::Database b;
        b.open(outro, QString::fromUtf8(banco::kSenhaBanco));
        b.exec("INSERT INTO agenda (nome) VALUES ('Servidor 2')");
    }
    frmrede& k = abrir();
    QVERIFY(caixa(k)->isChecked());
    QCOMPARE(caminho(k)->text(), QDir::toNativeSeparators(outro));
    fechar(k);
    QCOMPARE(primeiras(w).first(), QString("Servidor,Servidor 2"));

    // Back to the local file.
    frmrede& l = abrir();
    caixa(l)->click();
    fechar(l);
    w.findChild<QLineEdit*>("txtfiltro")->clear();
    QCOMPARE(primeiras(w), QStringList(5, "Local"));
    QVERIFY(dlg.mensagens().isEmpty());
}

void TstFrmrede::redeSumidaVoltaAoLocalAoFechar() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    preencher(amb.arquivo(), "Local");
    frmprincipal w;
    w.show();
    frmrede& j = abrir();
    caixa(j)->click();
    dlg.arquivos << amb.pasta() + "/sumiu/dados.mde";
    botao(j, "cmdlocal")->click();
    fechar(j);
    // The first reload says so once and goes back to the local file; the rest follow it.
    QCOMPARE(dlg.mensagens().size(), 1);
    QVERIFY(dlg.ultimaMensagem().texto.startsWith(
        "Ocorreu o seguinte erro ao tentar abrir o banco de dados: "));
    QCOMPARE(ler("EmRede"), QString("0"));
    QCOMPARE(ler("RedeLocal"), QString("SemRede"));
    QCOMPARE(primeiras(w).mid(1), QStringList(4, "Local"));
    QVERIFY(!QFileInfo::exists(amb.pasta() + "/sumiu"));

    // Closing with the main window gone away reloads nothing and says nothing.
    dlg.limpar();
    frmrede& k = abrir();
    caixa(k)->click();
    dlg.arquivos << amb.pasta() + "/sumiu/dados.mde";
    botao(k, "cmdlocal")->click();
    w.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!janelas::seCarregada<frmrede>());
    QVERIFY(dlg.mensagens().isEmpty());
}

QTEST_MAIN(TstFrmrede)
#include "tst_frmrede.moc"
