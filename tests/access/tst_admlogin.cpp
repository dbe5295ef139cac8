#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "access/frmadmlogin.h"
#include "access/login.h"
#include "ambiente_teste.h"
#include "app/frmprincipal.h"
#include "app/janelas.h"
#include "dialogos_roteiro.h"

using acesso::frmAdmLogin;

namespace {

const QString kLinha = "SELECT login, senha, email, login_inicia, typeof(email) FROM login";
const QString kRecusados = "Usuário e senha não podem conter os caracteres ' * % = - # ;";

// The single window as the menu entry opens it.
frmAdmLogin* abrir() {
    acesso::abrirAdmLogin();
    return janelas::seCarregada<frmAdmLogin>();
}

void preencher(QWidget* w, const QString& usuario, const QString& senha, const QString& email,
               bool inicia) {
    w->findChild<QLineEdit*>("txtusuario")->setText(usuario);
    w->findChild<QLineEdit*>("txtsenha")->setText(senha);
    w->findChild<QLineEdit*>("txtEmail")->setText(email);
    w->findChild<QCheckBox*>("chkUsuario")->setChecked(inicia);
}

void clicar(QWidget* w, const char* chave) {
    w->findChild<QToolButton*>(chave)->click();
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
    void janelaCarregaALinhaPeloMenu();
    void salvaComoDigitadoEFecha();
    void recusasNaoGravamEDeixamAberta();
};

void TstAdmLogin::janelaCarregaALinhaPeloMenu() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "UPDATE login SET login = ' Ana ', senha = 's3#nha', email = 'a@b', "
        "login_inicia = '1'");
    frmprincipal principal;
    principal.findChild<QAction*>("mnuadmlogin")->trigger();
    frmAdmLogin* w = janelas::seCarregada<frmAdmLogin>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(abrir(), w);
    QCOMPARE(w->windowTitle(), QString("Login do usuário"));
    QCOMPARE(w->findChild<QLabel*>("lbltitulo")->text(), QString("Administração de login"));
    QStringList campos;
    for (QLabel* r : w->findChildren<QLabel*>())
        if (auto* c = qobject_cast<QLineEdit*>(r->buddy()))
            campos << QString("%1:%2:%3%4")
                          .arg(c->objectName(), r->text(), c->text())
                          .arg(c->echoMode() != QLineEdit::Password
                                   ? QString()
                                   : ":" +
                                         QString(QChar(c->style()->styleHint(
                                             QStyle::SH_LineEdit_PasswordCharacter, nullptr, c))));
    QCOMPARE(campos, QStringList({"txtusuario:Usuário: Ana ", "txtsenha:Senha::s3#nha:#",
                                  "txtEmail:E-mail::a@b:#"}));
    auto* chk = w->findChild<QCheckBox*>("chkUsuario");
    QCOMPARE(chk->text(), QString("&Ativar login de usuario ao iniciar o software"));
    QCOMPARE(chk->shortcut(), QKeySequence("Alt+A"));
    QVERIFY(chk->isChecked());
    QStringList barra;
    for (QAction* a : w->findChild<QToolBar*>("tbropcoes")->actions())
        barra << (a->isSeparator() ? "-" : a->objectName() + ":" + a->text());
    QCOMPARE(barra, QStringList({"-", "ok:SALVAR", "-", "cancelar:CANCELAR"}));
    // Only "1" ticks the box, as only "1" asks for the login at start.
    clicar(w, "cancelar");
    QVERIFY(fechada());
    amb.executar("UPDATE login SET login_inicia = ' 1'");
    QVERIFY(!abrir()->findChild<QCheckBox*>("chkUsuario")->isChecked());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstAdmLogin::salvaComoDigitadoEFecha() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // Switch off: nothing is required, empty values are written as empty text.
    preencher(abrir(), "", "", "", false);
    clicar(abrir(), "ok");
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), QString("|||0|text"));
    // Blanks and an apostrophe in the e-mail are kept as typed.
    preencher(abrir(), " Jo ", "Se nha", " o'neil@x.com ", true);
    clicar(abrir(), "ok");
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), QString(" Jo |Se nha| o'neil@x.com |1|text"));
    // CANCELAR and the close box write nothing.
    preencher(abrir(), "outro", "outra", "o@x", false);
    clicar(abrir(), "cancelar");
    QVERIFY(fechada());
    preencher(abrir(), "outro", "outra", "o@x", false);
    QVERIFY(abrir()->close());
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), QString(" Jo |Se nha| o'neil@x.com |1|text"));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstAdmLogin::recusasNaoGravamEDeixamAberta() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString antes = amb.valor(kLinha);
    struct Caso {
        QString usuario, senha, email;
        bool inicia;
        QString mensagem;
    };
    QList<Caso> casos = {
        {"u", "s", "   ", true, "Todos os dados devem ser informados"},
        {"", "s", "e", true, "Todos os dados devem ser informados"},
        {"u", "", "e", true, "Todos os dados devem ser informados"},
    };
    for (const char* c = acesso::kRecusados; *c; ++c) {
        casos << Caso{QString("u%1").arg(*c), "s", "e", false, kRecusados};
        casos << Caso{"u", QString("s%1").arg(*c), "e", true, kRecusados};
    }
    for (const Caso& c : casos) {
        dlg.limpar();
        preencher(abrir(), c.usuario, c.senha, c.email, c.inicia);
        clicar(abrir(), "ok");
        QVERIFY(!fechada());
        QCOMPARE(dlg.mensagens().size(), 1);
        QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Critico);
        QCOMPARE(dlg.ultimaMensagem().titulo, QString("Erro"));
        QCOMPARE(dlg.ultimaMensagem().texto, c.mensagem);
        QCOMPARE(amb.valor(kLinha), antes);
    }
    // Blanks pass the check, and the login's refused characters are the e-mail's own.
    dlg.limpar();
    preencher(abrir(), " ", " ", "#;'@x", true);
    clicar(abrir(), "ok");
    QVERIFY(fechada());
    QCOMPARE(amb.valor(kLinha), QString(" | |#;'@x|1|text"));
    QVERIFY(dlg.chamadas.isEmpty());
}

QTEST_MAIN(TstAdmLogin)
#include "tst_admlogin.moc"
