// Pictures of the five tabs and of the network window on a generated file, for the
// user guide: scripts/capturas [folder] runs it under Xvfb. Nothing of the user's own
// is read or written: the file and the settings live in a throwaway folder.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>

#include "app/frmprincipal.h"
#include "app/frmrede.h"
#include "app/inicio.h"
#include "data/configuracoes.h"
#include "data/listas.h"
#include "data/regras.h"
#include "dialogosmudos.h"
#include "gerador.h"
#include "ui/dialogs.h"
#include "ui/icones.h"

namespace {

// A window as it is painted, in at most 256 colours and fully compressed, so the file
// stays small.
bool salvar(QWidget& janela, const QString& arquivo) {
    QApplication::processEvents();
    const QImage imagem = janela.grab().toImage().convertToFormat(
        QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!imagem.save(arquivo, "PNG", 0)) {
        std::fprintf(stderr, "não foi possível gravar %s\n", qPrintable(arquivo));
        return false;
    }
    std::printf("%s\n", qPrintable(arquivo));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Varnelo"));
    app.setOrganizationName(QStringLiteral("Varnelo"));
    const QString saida = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QTemporaryDir pasta;
    if (!pasta.isValid() || !QDir().mkpath(saida))
        return 1;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, pasta.path());
    configuracoes::definirPastaPrograma(pasta.path());
    // One fixed day, so the countdown of the appointments reads the same every time.
    regras::fixarHoje(QDate(2025, 3, 14));
    gerador::gerar(pasta.path() + QStringLiteral("/dados.mde"), 60, 30);

    DialogosMudos mudos;
    dialogs::definir(&mudos);
    dialogs::encaminharAvisos();
    inicio::carregarTraducoes(app);
    icones::preparar();

    frmprincipal janela;
    janela.show();
    auto* abas = janela.findChild<QTabWidget*>(QStringLiteral("xtab"));
    const char* nomes[] = {"agenda", "compromissos", "senhas", "uteis", "anotacoes"};
    bool ok = true;
    for (int i = 0; i < listas::kQuantidade; ++i) {
        abas->setCurrentIndex(i);
        QTreeView* lista = janela.lista(categoria::daAba(i));
        lista->setCurrentIndex(lista->model()->index(2, 1));
        ok &= salvar(janela,
                     QDir(saida).filePath(
                         QStringLiteral("aba-%1-%2.png").arg(i + 1).arg(QLatin1String(nomes[i]))));
    }
    abas->setCurrentIndex(0);

    // As a user who keeps the file on a server sees the window; it is not opened here.
    configuracoes::gravar(QStringLiteral("EmRede"), QStringLiteral("1"));
    configuracoes::gravar(QStringLiteral("RedeLocal"),
                          QStringLiteral("/mnt/servidor/escritorio/dados.mde"));
    frmrede rede;
    rede.show();
    ok &= salvar(rede, QDir(saida).filePath(QStringLiteral("trabalhar-em-rede.png")));
    return ok && mudos.mensagens == 0 ? 0 : 1;
}
