#pragma once

#include "ui/janelas.h"

class QFormLayout;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace acesso {

// What the login and the login settings windows share: the heading with its picture,
// the user name and password boxes with their focus colours, the toolbar `tbropcoes`
// with the action button (key "ok") and "CANCELAR" (key "cancelar"), and Enter,
// which moves the focus on and never submits from a text box.
class JanelaAcesso : public janelas::JanelaAuxiliar {
    Q_OBJECT
public:
    JanelaAcesso(const QString& objeto, const QString& titulo, const QString& legendaOk,
                 QWidget* parent = nullptr);
    // A window of the same make under its own caption, without the user name and password
    // boxes: the fields come from caixa().
    JanelaAcesso(const QString& objeto, const QString& legenda, const QString& titulo,
                 const QString& legendaOk, QWidget* parent = nullptr);

    // Runs the toolbar button with this key; any other key does nothing.
    void acionar(const QString& chave) override;

protected:
    virtual void confirmar() = 0;  // "ok"
    virtual void cancelar() = 0;   // "cancelar"
    // A text box under the ones before it; `oculta` shows every character as "#".
    QLineEdit* caixa(const QString& objeto, const QString& legenda, bool oculta);
    // A row without a caption (a check box carries its own).
    void adicionarLinha(QWidget* campo);
    // Keyboard order: the fields as added, then the toolbar buttons.
    void fecharOrdem();
    bool eventFilter(QObject* obj, QEvent* ev) override;

    QLineEdit* txtusuario_ = nullptr;
    QLineEdit* txtsenha_ = nullptr;

private:
    void montar(const QString& titulo, const QString& legendaOk);
    QFormLayout* campos_ = nullptr;
};

}  // namespace acesso
