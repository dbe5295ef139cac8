#include "app/janelas.h"

#include <QApplication>

namespace janelas {

void fecharTodas(QWidget* exceto) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == exceto || !w->isWindow())
            continue;
        w->close();
        w->deleteLater();
    }
}

}  // namespace janelas
