#pragma once

#include <QPointer>
#include <QWidget>

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

// Closes and destroys every top-level window but `exceto`; the program ends with the main window.
void fecharTodas(QWidget* exceto = nullptr);

}  // namespace janelas
