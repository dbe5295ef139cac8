#include "app/inicio.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "access/frmlogin.h"
#include "app/dialogs.h"
#include "app/frmprincipal.h"

namespace inicio {

bool carregarTraducoes(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* qt = new QTranslator(&app);
    if (!qt->load(QStringLiteral("qtbase_pt_BR"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    app.installTranslator(qt);
    return true;
}

int executar(QApplication& app) {
    dialogs::encaminharAvisos();
    frmprincipal::pedidoDeLogin() = acesso::pedirLogin;
    frmprincipal janela;
    if (!janela.aguardaLogin())
        janela.show();
    return app.exec();
}

}  // namespace inicio
