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

class TstAdmLogin : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { delete janelas::seCarregada<frmAdmLogin>(); }
    void carregaALinhaPeloMenu();
    void recusaOQueOLoginRecusaEGravaComoDigitado();
};

void TstAdmLogin::carregaALinhaPeloMenu() {
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

void TstAdmLogin::recusaOQueOLoginRecusaEGravaComoDigitado() {
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

QTEST_MAIN(TstAdmLogin)
#include "tst_admlogin.moc"
