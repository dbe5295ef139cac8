#pragma once

#include "access/janelaacesso.h"

class QCheckBox;

namespace acesso {

// The administrator's window over the login row: user name, password, e-mail and
// whether the login is asked at start. Each opening reads the row again.
class frmAdmLogin : public JanelaAcesso {
    Q_OBJECT
public:
    explicit frmAdmLogin(QWidget* parent = nullptr);

    // Checks the boxes and writes the row back; the window then closes.
    void salvarlogin();

protected:
    void confirmar() override { salvarlogin(); }
    void cancelar() override { close(); }

private:
    void carregar();

    QLineEdit* txtEmail_ = nullptr;
    QCheckBox* chkUsuario_ = nullptr;
};

// "Alterar login": shows the single window, loading it when it is not open.
void abrirAdmLogin();

}  // namespace acesso
