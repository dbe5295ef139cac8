#include <QCheckBox>
#include <QPointer>
#include <QTest>

#include "access/frmadmlogin.h"
#include "access/login.h"
#include "ambiente_teste.h"
#include "apoio.h"
#include "app/frmprincipal.h"
#include "app/janelas.h"

using acesso::frmAdmLogin;

namespace {

const QString kLinha = "SELECT login, senha, email, login_inicia, typeof(email) FROM login";
const QString kTodos = "critico|Erro|Todos os dados devem ser informados";
const QString kRecusados =
    "critico|Erro|Usuário e senha não podem conter os caracteres ' * % = - # ;";

// The single window as the menu entry opens it: a new one after each closing.
frmAdmLogin* janela() {
    acesso::abrirAdmLogin();
    return janelas::seCarregada<frmAdmLogin>();
}

void preencher(const QString& usuario, const QString& senha, const QString& email, bool inicia) {
    janela()->findChild<QLineEdit*>("txtusuario")->setText(usuario);
    janela()->findChild<QLineEdit*>("txtsenha")->setText(senha);
    janela()->findChild<QLineEdit*>("txtEmail")->setText(email);
    janela()->findChild<QCheckBox*>("chkUsuario")->setChecked(inicia);
}

bool fechada() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !janelas::seCarregada<frmAdmLogin>();
}

}  // namespace

class TstAdmLogin : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { delete janelas::seCarregada<frmAdmLogin>(); }
    void carregaALinhaPeloMenu();
    void salvaComoDigitadoEFechaDeTresModos();
    void recusasNaoGravamEDeixamAberta();
};

void TstAdmLogin::carregaALinhaPeloMenu() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "UPDATE login SET login = ' Ana ', senha = 's3#', email = 'a@b', "
        "login_inicia = '1'");
    frmprincipal principal;
    principal.findChild<QAction*>("mnuadmlogin")->trigger();
    frmAdmLogin* w = janelas::seCarregada<frmAdmLogin>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(janela(), w);
    QCOMPARE(w->windowTitle(), QString("Login do usuário"));
    QCOMPARE(w->findChild<QLabel*>("lbltitulo")->text(), QString("Administração de login"));
    QCOMPARE(controles(w),
             QStringList({"txtusuario:Usuário: Ana ", "txtsenha:Senha::s3#:#",
                          "txtEmail:E-mail::a@b:#", "-", "ok:SALVAR", "-", "cancelar:CANCELAR"}));
    auto* chk = w->findChild<QCheckBox*>("chkUsuario");
    QCOMPARE(chk->text(), QString("&Ativar login de usuario ao iniciar o software"));
    QCOMPARE(chk->shortcut(), QKeySequence("Alt+A"));
    QVERIFY(chk->isChecked());
    // Only "1" ticks the box, as only "1" asks for the login at start.
    clicar(w, "cancelar");
    QVERIFY(fechada());
    amb.executar("UPDATE login SET login_inicia = ' 1'");
    QVERIFY(!janela()->findChild<QCheckBox*>("chkUsuario")->isChecked());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstAdmLogin::salvaComoDigitadoEFechaDeTresModos() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // Switch off: nothing is required, empty values are written as empty text.
    preencher("", "", "", false);
    clicar(janela(), "ok");
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), QString("|||0|text"));
    // Blanks, and an apostrophe or a refused character in the e-mail, are kept as typed.
    const QString guardado = " Jo | | o'neil#@x.com |1|text";
    preencher(" Jo ", " ", " o'neil#@x.com ", true);
    clicar(janela(), "ok");
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), guardado);
    // CANCELAR and the close box write nothing.
    preencher("outro", "outra", "o@x", false);
    clicar(janela(), "cancelar");
    QVERIFY(fechada());
    preencher("outro", "outra", "o@x", false);
    QVERIFY(janela()->close());
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), guardado);
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstAdmLogin::recusasNaoGravamEDeixamAberta() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString antes = amb.valor(kLinha);
    const QPointer<frmAdmLogin> aberta = janela();
    QStringList esperadas;
    auto salvar = [&](const QString& u, const QString& s, const QString& e, bool inicia,
                      const QString& mensagem) {
        preencher(u, s, e, inicia);
        clicar(janela(), "ok");
        esperadas << mensagem;
    };
    salvar("u", "s", "   ", true, kTodos);
    salvar("", "s", "e", true, kTodos);
    salvar("u", "", "e", true, kTodos);
    for (const char* c = acesso::kRecusados; *c; ++c) {
        salvar(QString("u%1").arg(*c), "s", "e", false, kRecusados);
        salvar("u", QString("s%1").arg(*c), "e", true, kRecusados);
    }
    QVERIFY(!fechada() && janela() == aberta);
    QCOMPARE(chamadas(dlg), esperadas);
    QCOMPARE(amb.valor(kLinha), antes);
}

QTEST_MAIN(TstAdmLogin)
#include "tst_admlogin.moc"
