#include "app/janelas.h"

#include <QApplication>
#include <QCloseEvent>

namespace janelas {

void fecharTodas(QWidget* exceto) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        // The main window's own menus and pop-ups go with it.
        if (w == exceto || !w->isWindow() || (exceto && exceto->isAncestorOf(w)))
            continue;
        w->close();
        w->deleteLater();
    }
}

JanelaAuxiliar::JanelaAuxiliar(const QString& objeto, const QString& titulo, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objeto);
    setWindowTitle(titulo);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QWidget::close);
}

void JanelaAuxiliar::closeEvent(QCloseEvent* ev) {
    // A dialog's own handling would reject, which closes again: the close is simply taken.
    ev->accept();
}

}  // namespace janelas
