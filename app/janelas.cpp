#include "app/janelas.h"

#include <QApplication>

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

}  // namespace janelas
