#include "app/inicio.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include "access/bloqueio.h"
#include "access/frmarquivoprotegido.h"
#include "access/frmlogin.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "ui/areatransferencia.h"
#include "ui/dialogs.h"
#include "ui/icones.h"

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

QString pastaDados(const QString& pastaPrograma, const QString& pastaUsuario) {
    const QDir programa(pastaPrograma);
    const bool instalado = !QFileInfo(pastaPrograma).isWritable() ||
                           QFileInfo::exists(programa.filePath(
                               QStringLiteral("../share/applications/varnelo.desktop")));
    return instalado ? pastaUsuario : pastaPrograma;
}

void prepararPastaDados(const QString& pastaPrograma, const QString& pastaUsuario) {
    const QString pasta = pastaDados(pastaPrograma, pastaUsuario);
    configuracoes::definirPastaPrograma(pasta);
    if (pasta == pastaPrograma)
        return;
    // A failure here shows as the usual message when the file is first opened.
    try {
        if (QDir().mkpath(pasta))
            schema::criarArquivo(configuracoes::naPastaPrograma(QStringLiteral("\\dados.mde")),
                                 QString::fromUtf8(banco::kSenhaBanco));
    } catch (const db::DbError&) {
    }
}

int executar(QApplication& app) {
    dialogs::encaminharAvisos();
    icones::preparar();
    prepararPastaDados(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Varnelo"));
    frmprincipal::pedidoDeLogin() = acesso::pedirLogin;
    frmprincipal::pedidoDeSenha() = acesso::desbloquearInicio;
    // Nothing of a password outlives the program: the session's, nor one left copied.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [] {
        areatransferencia::expirar();
        chave::esquecer();
    });
    frmprincipal janela;
    if (!janela.aguardaLogin())
        janela.show();
    acesso::vigiarOcioso();
    return app.exec();
}

}  // namespace inicio
