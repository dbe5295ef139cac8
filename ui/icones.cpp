#include "ui/icones.h"

#include <QApplication>

namespace icones {

QIcon programa() {
    return QIcon(QStringLiteral(":/icones/varnelo.svg"));
}

QIcon barra(const QString& nome) {
    return QIcon::fromTheme(nome, QIcon(QStringLiteral(":/icones/%1.svg").arg(nome)));
}

void preparar() {
    QApplication::setWindowIcon(programa());
    // Lets the desktop match the windows with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnelo"));
    const QString reserva = QIcon::fallbackThemeName();
    if (reserva.isEmpty() || reserva == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

}  // namespace icones
