#include "access/frmlogin.h"

#include <QCloseEvent>
#include <QLineEdit>

#include "access/login.h"
#include "data/banco.h"
#include "data/login.h"
#include "data/sqlite.h"
#include "ui/dialogs.h"
#include "ui/janelas.h"

namespace acesso {

frmlogin::frmlogin(QWidget* parent)
    : JanelaAcesso(QStringLiteral("frmlogin"), QStringLiteral("Sistema de Autenticação"),
                   QStringLiteral("ENTRAR ..."), parent) {
    // The program ends through the login's own buttons, not through Qt's last-window rule.
    fecharOrdem();
}

void frmlogin::verificarlogin() {
    SempreNoTopo(QStringLiteral("desativo"), this);
    // The main window is hidden; the messages of the check belong to this one.
    dialogs::definirJanelaPai(this);
    const QString usuario = txtusuario_->text();
    const QString senha = txtsenha_->text();
    bool confere = false;
    if (!temRecusado(usuario) && !temRecusado(senha)) {
        banco::abrirPadrao();
        try {
            confere = login::confere(banco::conexao().banco(), usuario, senha);
        } catch (const db::DbError&) {
            // A file that cannot be read never lets anyone in.
        }
    }
    if (confere) {
        aceito_ = true;
        if (principal_)
            janelas::mostrar(*principal_);
        hide();
        banco::conexao().marcarFechada();
    } else {
        dialogs::erro(QStringLiteral("Usuário e ou senha inválido, por favor verifique os "
                                     "dados digitados!"),
                      QStringLiteral("Login"));
    }
    dialogs::definirJanelaPai(principal_);
    SempreNoTopo(QStringLiteral("ativo"), this);
}

void frmlogin::closeEvent(QCloseEvent* ev) {
    // Closing the login that waits ends the program; once passed it just goes.
    ev->accept();
    if (!aceito_)
        encerrarPrograma();
}

void pedirLogin(QWidget& principal) {
    principal.hide();
    frmlogin& login = janelas::unica<frmlogin>();
    login.definirPrincipal(&principal);
    janelas::mostrar(login);
}

}  // namespace acesso
