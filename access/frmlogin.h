#pragma once

#include <QPointer>

#include "access/janelaacesso.h"
#include "access/login.h"

namespace acesso {

// The login at start: the main window waits hidden until the user name and password
// match the login row. Giving up ends the program.
class frmlogin : public JanelaAcesso {
    Q_OBJECT
public:
    explicit frmlogin(QWidget* parent = nullptr);

    // The window shown again after a successful check.
    void definirPrincipal(QWidget* principal) { principal_ = principal; }
    // Checks the two boxes against the login row; every refusal shows the one message.
    void verificarlogin();

protected:
    void confirmar() override { verificarlogin(); }
    void cancelar() override { encerrarPrograma(); }
    void closeEvent(QCloseEvent* ev) override;

private:
    QPointer<QWidget> principal_;
    bool aceito_ = false;
};

// Start-up's login hook: hides the main window and shows the login instead.
void pedirLogin(QWidget& principal);

}  // namespace acesso
