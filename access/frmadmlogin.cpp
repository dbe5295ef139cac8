#include "access/frmadmlogin.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

#include "access/login.h"
#include "data/banco.h"
#include "data/login.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "ui/dialogs.h"
#include "ui/janelas.h"

namespace acesso {
namespace {

QString senhaBanco() {
    return banco::chaveBanco();
}

}  // namespace

frmAdmLogin::frmAdmLogin(QWidget* parent)
    : JanelaAcesso(QStringLiteral("frmAdmLogin"), QStringLiteral("Administração de login"),
                   QStringLiteral("SALVAR"), parent) {
    txtEmail_ = caixa(QStringLiteral("txtEmail"), QStringLiteral("E-mail:"), true);
    chkUsuario_ =
        new QCheckBox(QStringLiteral("&Ativar login de usuario ao iniciar o software"), this);
    chkUsuario_->setObjectName(QStringLiteral("chkUsuario"));
    adicionarLinha(chkUsuario_);
    fecharOrdem();
    carregar();
}

void frmAdmLogin::carregar() {
    // The switch is the one start-up reads; it also opens the connection the row is read on.
    chkUsuario_->setChecked(banco::lerlogininicia(banco::arquivobanco, senhaBanco(),
                                                  banco::tipobanco) == QLatin1String("1"));
    try {
        const std::optional<login::Registro> r = login::ler(banco::conexao().banco());
        if (!r)
            return;
        txtusuario_->setText(r->usuario);
        txtsenha_->setText(r->senha);
        txtEmail_->setText(r->email);
        chkUsuario_->setChecked(r->inicia == QLatin1String("1"));
    } catch (const db::DbError&) {
        // What could not be read stays empty.
    }
}

void frmAdmLogin::salvarlogin() {
    const QString usuario = txtusuario_->text();
    const QString senha = txtsenha_->text();
    const QString email = txtEmail_->text();
    const bool inicia = chkUsuario_->isChecked();
    if (inicia && (regras::aparado(email).isEmpty() || usuario.isEmpty() || senha.isEmpty())) {
        dialogs::erro(QStringLiteral("Todos os dados devem ser informados"));
        return;
    }
    // A login the login window would refuse locks everybody out at the next start.
    if (temRecusado(usuario) || temRecusado(senha)) {
        dialogs::erro(
            QStringLiteral("Usuário e senha não podem conter os caracteres ' * % = - # ;"));
        return;
    }
    login::gravar({usuario, senha, email, inicia ? QStringLiteral("1") : QStringLiteral("0")});
    close();
}

void abrirAdmLogin() {
    janelas::mostrar(janelas::unica<frmAdmLogin>());
}

}  // namespace acesso
