#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cstdio>

#include "access/frmadmlogin.h"
#include "access/frmlogin.h"
#include "access/login.h"
#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "ui/janelas.h"

using acesso::frmAdmLogin;
using acesso::frmlogin;

namespace {

// A window's labelled boxes as "name:caption:text", with ":#" after those shown as "#",
// then its toolbar as "key:caption" and "-" for separators, as the user sees them.
QStringList controles(QWidget* janela) {
    QStringList r;
    for (QLabel* rotulo : janela->findChildren<QLabel*>())
        if (auto* c = qobject_cast<QLineEdit*>(rotulo->buddy()))
            r << c->objectName() + ":" + rotulo->text() + ":" + c->text() +
                     (c->echoMode() != QLineEdit::Password
                          ? QString()
                          : ":" + QString(QChar(c->style()->styleHint(
                                      QStyle::SH_LineEdit_PasswordCharacter, nullptr, c))));
    for (QAction* a : janela->findChild<QToolBar*>("tbropcoes")->actions())
        r << (a->isSeparator() ? QString("-")
                               : a->objectName() + ":" +
                                     janela->findChild<QToolButton*>(a->objectName())->text());
    return r;
}

const QString kRecusa =
    "critico|Login|Usuário e ou senha inválido, por favor verifique os dados digitados!";

void entrar(frmlogin& l, const QString& usuario, const QString& senha) {
    l.findChild<QLineEdit*>("txtusuario")->setText(usuario);
    l.findChild<QLineEdit*>("txtsenha")->setText(senha);
    clicar(&l, "ok");
}

// Runs start-up as inicio::executar does, on the test's own folder, with `roteiro`
// acting in the running event loop; the exit code, or 99 when the program did not end.
int iniciarPrograma(const std::function<void(frmprincipal&, frmlogin&)>& roteiro) {
    QTimer::singleShot(0, [&] {
        auto* w = dynamic_cast<frmprincipal*>(ui::principal());
        if (frmlogin* l = janelas::seCarregada<frmlogin>(); w && l)
            roteiro(*w, *l);
    });
    QObject guarda;  // the guard's timer goes with it
    QTimer::singleShot(30000, &guarda, [] { QCoreApplication::exit(99); });
    frmprincipal::pedidoDeLogin() = acesso::pedirLogin;
    frmprincipal janela;
    if (!janela.aguardaLogin())
        janela.show();
    return QApplication::exec();
}

// A login window in front of a stand-in main window, on a fresh file.
struct Cena {
    Cena() { l.definirPrincipal(&principal); }
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    QWidget principal;
    frmlogin l;
};

const QString kLinha = "SELECT login, senha, email, login_inicia, typeof(email) FROM login";

// The single window as the menu entry opens it: a new one after each closing.
frmAdmLogin* janela() {
    acesso::abrirAdmLogin();
    return janelas::seCarregada<frmAdmLogin>();
}

// Fills the window and presses `botao` (nullptr: the close box); whether it closed.
bool salvar(const QString& usuario, const QString& senha, const QString& email, bool inicia,
            const char* botao = "ok") {
    frmAdmLogin* w = janela();
    w->findChild<QLineEdit*>("txtusuario")->setText(usuario);
    w->findChild<QLineEdit*>("txtsenha")->setText(senha);
    w->findChild<QLineEdit*>("txtEmail")->setText(email);
    w->findChild<QCheckBox*>("chkUsuario")->setChecked(inicia);
    botao ? clicar(w, botao) : void(w->close());
    descartarFechadas();
    return !janelas::seCarregada<frmAdmLogin>();
}

}  // namespace

class TstLogin : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        delete janelas::seCarregada<frmlogin>();
        delete janelas::seCarregada<frmAdmLogin>();
        frmprincipal::pedidoDeLogin() = nullptr;
    }
    void inicioPedeOLoginAteAcertar();
    void cancelarOuFecharEncerram();
    void recusasAntesDeLerOBancoOuSemEle();
    void enterMudaOFocoECoresDasCaixas();
    void sempreNoTopoNaoMoveNemRedimensiona();
    void carregaALinhaPeloMenu();
    void recusaOQueOLoginRecusaEGravaComoDigitado();
};

void TstLogin::inicioPedeOLoginAteAcertar() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("UPDATE login SET login = 'Usuário', senha = 'Segredo', login_inicia = '1'");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    QStringList visto;
    auto estado = [&](frmprincipal& w, frmlogin& l) {
        visto << QString("principal %1, login %2, topo %3, notas %4, conexao %5")
                     .arg(w.isVisible())
                     .arg(l.isVisible())
                     .arg(l.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
                     .arg(w.linhas(Categoria::Anotacoes))
                     .arg(banco::conexao().aberta());
    };
    const int saida = iniciarPrograma([&](frmprincipal& w, frmlogin& l) {
        QCOMPARE(l.windowTitle(), QString("Login do usuário"));
        QCOMPARE(l.findChild<QLabel*>("lbltitulo")->text(), QString("Sistema de Autenticação"));
        QCOMPARE(controles(&l), QStringList({"txtusuario:Usuário:", "txtsenha:Senha:::#", "-",
                                             "ok:ENTRAR ...", "-", "cancelar:CANCELAR"}));
        estado(w, l);
        for (const char* errada : {"segredo", "Segredo ", "x"})
            entrar(l, "Usuário", errada);
        estado(w, l);
        entrar(l, "USUÁRIO", "Segredo");
        estado(w, l);
        w.close();
    });
    QCOMPARE(saida, 0);
    QCOMPARE(visto, QStringList({"principal 0, login 1, topo 0, notas 1, conexao 1",
                                 "principal 0, login 1, topo 1, notas 1, conexao 1",
                                 "principal 1, login 0, topo 1, notas 1, conexao 0"}));
    QCOMPARE(chamadas(dlg), QStringList({kRecusa, kRecusa, kRecusa}));
    QVERIFY(!algumaVisivel());
}

void TstLogin::cancelarOuFecharEncerram() {
    for (bool cancelar : {true, false}) {
        AmbienteTeste amb;
        DialogosRoteiro dlg;
        amb.executar("UPDATE login SET login_inicia = '1'");
        bool pedido = false;
        const int saida = iniciarPrograma([&](frmprincipal& w, frmlogin& l) {
            pedido = l.isVisible() && !w.isVisible();
            cancelar ? clicar(&l, "cancelar") : void(l.close());
        });
        QCOMPARE(saida, 0);
        QVERIFY(pedido && !algumaVisivel() && dlg.chamadas.isEmpty());
    }
}

void TstLogin::recusasAntesDeLerOBancoOuSemEle() {
    Cena c;
    QStringList esperadas;
    for (const char* r = acesso::kRecusados; *r; ++r) {
        // Refused even when the stored login holds that very character.
        const QString usuario = QString("a%1b").arg(*r);
        c.amb.executar("UPDATE login SET login = ?, senha = ?", {usuario, usuario});
        banco::liberarConexoes();
        entrar(c.l, usuario, "ab");
        entrar(c.l, "ab", usuario);
        QVERIFY2(!banco::conexao().aberta(), r);
        esperadas << kRecusa << kRecusa;
    }
    // Empty only matches empty: a stored blank is no empty password.
    entrar(c.l, "", "");
    c.amb.executar("UPDATE login SET login = 'admin', senha = ' '");
    entrar(c.l, "admin", "");
    esperadas << kRecusa << kRecusa;
    QCOMPARE(chamadas(c.dlg), esperadas);
    c.amb.executar("UPDATE login SET login = '', senha = NULL");
    // A file that cannot be read lets nobody in, after the opening's own message.
    c.dlg.limpar();
    c.amb.soltar();
    banco::liberarConexoes();
    const QByteArray arquivo = QFile::encodeName(c.amb.arquivo());
    QCOMPARE(std::rename(arquivo, arquivo + ".fora"), 0);
    entrar(c.l, "", "");
    QCOMPARE(c.dlg.mensagens().size(), 2);
    QVERIFY(c.dlg.mensagens().at(0).texto.startsWith("Ocorreu o seguinte erro ao tentar abrir"));
    QCOMPARE(chamadas(c.dlg).last(), kRecusa);
    QVERIFY(!c.principal.isVisible());
    QCOMPARE(std::rename(arquivo + ".fora", arquivo), 0);
    entrar(c.l, "", "");
    QCOMPARE(c.dlg.mensagens().size(), 2);
    QVERIFY(c.principal.isVisible() && !c.l.isVisible());
}

void TstLogin::enterMudaOFocoECoresDasCaixas() {
    Cena c;
    c.l.show();
    QVERIFY(QTest::qWaitForWindowActive(&c.l));
    auto* usuario = c.l.findChild<QLineEdit*>("txtusuario");
    auto* senha = c.l.findChild<QLineEdit*>("txtsenha");
    auto foco = [&] {
        return QStringList{QApplication::focusWidget()->objectName(),
                           usuario->palette().color(QPalette::Base).name(),
                           senha->palette().color(QPalette::Base).name()};
    };
    QCOMPARE(foco(), QStringList({"txtusuario", "#ffffc0", "#ffffff"}));
    QTest::keyClicks(usuario, "admin");
    QTest::keyClick(usuario, Qt::Key_Return);
    QCOMPARE(foco(), QStringList({"txtsenha", "#ffffff", "#ffffc0"}));
    QTest::keyClicks(senha, "admin");
    QTest::keyClick(senha, Qt::Key_Enter);
    // Enter never submits from a box: the focus went on to "ENTRAR ...", where it does.
    QCOMPARE(foco(), QStringList({"ok", "#ffffff", "#ffffff"}));
    QVERIFY(!c.principal.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(c.principal.isVisible());
    QVERIFY(c.dlg.chamadas.isEmpty());
}

void TstLogin::sempreNoTopoNaoMoveNemRedimensiona() {
    QWidget w;
    w.setGeometry(100, 120, 300, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Any word but "ativo" and "desativo" leaves the window as it is.
    for (const char* palavra : {"ativo", "outra", "desativo", "Ativo"}) {
        const bool esperado = QString(palavra) == "ativo" || QString(palavra) == "outra";
        acesso::SempreNoTopo(palavra, &w);
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), esperado);
        QCOMPARE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), esperado);
        QVERIFY(w.isVisible());
        QCOMPARE(w.geometry(), QRect(100, 120, 300, 200));
    }
}

void TstLogin::carregaALinhaPeloMenu() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "UPDATE login SET login = ' Ana ', senha = 's3#', email = 'a@b', login_inicia = '1'");
    frmprincipal principal;
    principal.findChild<QAction*>("mnuadmlogin")->trigger();
    frmAdmLogin* w = janelas::seCarregada<frmAdmLogin>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QString("Login do usuário"));
    QCOMPARE(w->findChild<QLabel*>("lbltitulo")->text(), QString("Administração de login"));
    QCOMPARE(controles(w),
             QStringList({"txtusuario:Usuário: Ana ", "txtsenha:Senha::s3#:#",
                          "txtEmail:E-mail::a@b:#", "-", "ok:SALVAR", "-", "cancelar:CANCELAR"}));
    auto* chk = w->findChild<QCheckBox*>("chkUsuario");
    QCOMPARE(chk->text(), QString("&Ativar login de usuario ao iniciar o software"));
    QVERIFY(chk->isChecked());
    // Only "1" ticks the box, as only "1" asks for the login at start.
    clicar(w, "cancelar");
    descartarFechadas();
    amb.executar("UPDATE login SET login_inicia = ' 1'");
    QVERIFY(!janela()->findChild<QCheckBox*>("chkUsuario")->isChecked());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstLogin::recusaOQueOLoginRecusaEGravaComoDigitado() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString kTodos = "critico|Erro|Todos os dados devem ser informados";
    const QString kRecusados =
        "critico|Erro|Usuário e senha não podem conter os caracteres ' * % = - # ;";
    // A refusal writes nothing and leaves the same window open.
    const QString antes = amb.valor(kLinha);
    const QPointer<frmAdmLogin> aberta = janela();
    QStringList esperadas;
    auto recusar = [&](const QString& u, const QString& s, const QString& e, bool inicia,
                       const QString& mensagem) {
        QVERIFY(!salvar(u, s, e, inicia));
        esperadas << mensagem;
    };
    recusar("u", "s", "   ", true, kTodos);
    recusar("", "s", "e", true, kTodos);
    recusar("u", "", "e", true, kTodos);
    for (const char* c = acesso::kRecusados; *c; ++c) {
        recusar(QString("u%1").arg(*c), "s", "e", false, kRecusados);
        recusar("u", QString("s%1").arg(*c), "e", true, kRecusados);
    }
    QCOMPARE(janela(), aberta.data());
    QCOMPARE(chamadas(dlg), esperadas);
    QCOMPARE(amb.valor(kLinha), antes);

    // Switch off: nothing is required, empty values are written as empty text.
    QVERIFY(salvar("", "", "", false));
    QCOMPARE(amb.valor(kLinha), QString("|||0|text"));
    // Blanks, and an apostrophe or a refused character in the e-mail, are kept as typed.
    QVERIFY(salvar(" Jo ", " ", " o'neil#@x.com ", true));
    // CANCELAR and the close box write nothing.
    QVERIFY(salvar("outro", "outra", "o@x", false, "cancelar"));
    QVERIFY(salvar("outro", "outra", "o@x", false, nullptr));
    QCOMPARE(amb.valor(kLinha), QString(" Jo | | o'neil#@x.com |1|text"));
    QCOMPARE(chamadas(dlg), esperadas);
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
