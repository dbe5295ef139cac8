#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

class QToolBar;

// Every window but the main one exists once, is made on first use and is shown
// without blocking the main window.
namespace janelas {

template <class T>
QPointer<T>& ponteiro() {
    static QPointer<T> janela;
    return janela;
}

// The single window of T, made on first use.
template <class T>
T& unica() {
    QPointer<T>& janela = ponteiro<T>();
    if (!janela)
        janela = new T();
    return *janela;
}

// The single window of T if it has been made, else nullptr.
template <class T>
T* seCarregada() {
    return ponteiro<T>().data();
}

// Shows the window without blocking and brings it forward.
inline void mostrar(QWidget& janela) {
    janela.show();
    janela.raise();
    janela.activateWindow();
}

// Closes and destroys every top-level window but `exceto`, asking nothing; the program ends
// with the main window.
void fecharTodas(QWidget* exceto = nullptr);
// Closes the side windows with unsaved input but `exceto` as their close box would, so
// each asks first; false, with the rest left open, as soon as one stays.
bool fecharPerguntando(QWidget* exceto = nullptr);

// A window beside the main one (an entry form, a settings window): a dialog to screen
// readers, closed by Esc as by its close box, with Enter pressing the focused button. It
// never blocks the main window, is destroyed when it closes, and never keeps the program
// running on its own.
class JanelaAuxiliar : public QDialog {
    Q_OBJECT
public:
    JanelaAuxiliar(const QString& objeto, const QString& titulo, QWidget* parent = nullptr);
    // Esc closes the window as its close box does, through closeEvent.
    void reject() override { close(); }
    // Runs the toolbar button with this key; any other key does nothing.
    virtual void acionar(const QString& /*chave*/) {}
    // Closes without any question the window would ask (the program is ending, or the
    // user has chosen already).
    void fecharSemPerguntar();
    // Whether closing would lose what the user typed.
    virtual bool temAlteracoes() const { return false; }

protected:
    bool fechamentoLivre() const { return livre_; }
    void closeEvent(QCloseEvent* ev) override;
    // Enter in a field moves the focus on; it never presses a button the user is not on.
    void keyPressEvent(QKeyEvent* ev) override;
    // The toolbar `tbropcoes`: a separator, the action button (key "ok"), a separator and
    // the cancel button (key "cancelar"). Each button carries its key as its name and runs
    // acionar(); screen readers name them and the keyboard reaches them.
    QToolBar* criarBarraDeOpcoes(const QString& legendaOk, const QString& legendaCancelar);

    // The skeleton of the entry forms and the login windows: `faixa` (the header strip) on
    // top, the options toolbar under it, then the area of the fields, which is returned.
    // Shown, the fields come first in the keyboard order (the tabs of a page left out), then
    // the toolbar's buttons, and the first field has the focus.
    QWidget* montarEsqueleto(QWidget* faixa, const QString& legendaOk,
                             const QString& legendaCancelar);
    QToolBar* barraDeOpcoes() const { return barra_; }
    QWidget* areaDosCampos() const { return area_; }
    // Puts the fields then the toolbar in the keyboard order and the focus on the first field.
    void ordenarCampos();
    void showEvent(QShowEvent* ev) override;

private:
    bool livre_ = false;
    QToolBar* barra_ = nullptr;
    QWidget* area_ = nullptr;
    bool ordenada_ = false;
};

}  // namespace janelas
