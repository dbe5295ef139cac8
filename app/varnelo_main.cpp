#include <QApplication>

#include "app/inicio.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Varnelo"));
    app.setOrganizationName(QStringLiteral("Varnelo"));
    inicio::carregarTraducoes(app);
    return inicio::executar(app);
}
