#include "access/login.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace acesso {

bool temRecusado(const QString& texto) {
    for (const char* c = kRecusados; *c; ++c)
        if (texto.contains(QLatin1Char(*c)))
            return true;
    return false;
}

void SempreNoTopo(const QString& palavra, QWidget* janela) {
    bool ativo;
    if (palavra == QLatin1String("ativo"))
        ativo = true;
    else if (palavra == QLatin1String("desativo"))
        ativo = false;
    else
        return;
    if (!janela || janela->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == ativo)
        return;
    const Qt::WindowFlags flags = janela->windowFlags() ^ Qt::WindowStaysOnTopHint;
    if (QWindow* janelaNativa = janela->windowHandle()) {
        // Setting the widget's flags would recreate the window, hiding and placing it anew.
        janela->overrideWindowFlags(flags);
        janelaNativa->setFlags(flags);
    } else {
        janela->setWindowFlags(flags);
    }
}

void encerrarPrograma() {
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

}  // namespace acesso
