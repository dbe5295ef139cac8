#pragma once

#include "access/janelaacesso.h"

class QLabel;
class QSpinBox;

namespace acesso {

// "Senha do arquivo": gives the file in use a password of the user's own, changes it, or
// (the new boxes left empty) takes it away, going back to the built-in key.
class frmsenhaarquivo : public JanelaAcesso {
    Q_OBJECT
public:
    explicit frmsenhaarquivo(QWidget* parent = nullptr);

    // Checks the boxes and keys the file anew; the window closes once it is done.
    void salvar();

protected:
    void confirmar() override { salvar(); }
    void cancelar() override { close(); }
    void closeEvent(QCloseEvent* ev) override;

private:
    bool protegido_ = false;
    QLineEdit* txtatual_ = nullptr;
    QLineEdit* txtnova_ = nullptr;
    QLineEdit* txtconfirma_ = nullptr;
    QSpinBox* spnbloqueio_ = nullptr;
};

// "Senha do arquivo...": shows the single window.
void abrirSenhaArquivo();

}  // namespace acesso
