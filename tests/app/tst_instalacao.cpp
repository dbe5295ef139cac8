#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ambiente_teste.h"
#include "app/comandos.h"
#include "app/frmprincipal.h"
#include "app/frmrede.h"
#include "app/inicio.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "ui/icones.h"

namespace {

// Visible pixels of a picture: a blank page has none.
int pintados(const QIcon& icone, int tamanho) {
    const QImage img = icone.pixmap(tamanho).toImage().convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) > 0;
    return n;
}

bool executar(const QString& programa, const QStringList& argumentos, QString* saida = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    const bool ok =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (saida)
        *saida = QString::fromLocal8Bit(p.readAll());
    return ok;
}

}  // namespace

class TstInstalacao : public QObject {
    Q_OBJECT
private slots:
    void init() { QIcon::setThemeSearchPaths({}); }
    void figurasDaBarraEIconeDasJanelas();
    void pastaDosDadosDoProgramaOuDoUsuario();
    void instalarPoeProgramaEntradaEIcone();
};

void TstInstalacao::figurasDaBarraEIconeDasJanelas() {
    AmbienteTeste amb;
    QIcon::setThemeName("hicolor");
    icones::preparar();
    frmprincipal w;
    auto* barra = w.findChild<QToolBar*>("tbrbarra");
    QList<QImage> figuras;
    for (const comandos::Botao& b : comandos::barra()) {
        if (!b.chave)
            continue;
        auto* botao = barra->findChild<QToolButton*>(b.chave);
        QVERIFY2(botao, b.chave);
        QVERIFY2(pintados(botao->icon(), 24) > 24 * 24 / 8, b.chave);
        const QImage figura = botao->icon().pixmap(24).toImage();
        QVERIFY2(!figuras.contains(figura), b.chave);
        figuras << figura;
    }
    QCOMPARE(figuras.size(), 6);
    QCOMPARE(barra->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    const QImage programa = icones::programa().pixmap(32).toImage();
    QVERIFY(pintados(icones::programa(), 32) > 32 * 32 / 2);
    QCOMPARE(QGuiApplication::desktopFileName(), QString("varnelo"));
    QCOMPARE(w.windowIcon().pixmap(32).toImage(), programa);
    frmrede rede;
    QCOMPARE(rede.windowIcon().pixmap(32).toImage(), programa);
}

void TstInstalacao::pastaDosDadosDoProgramaOuDoUsuario() {
    AmbienteTeste amb;
    QTemporaryDir dir;
    const QString usuario = dir.path() + "/usuario/Varnelo";
    // A build folder keeps its file beside the program, and a missing one stays missing.
    const QString build = dir.path() + "/build";
    QVERIFY(QDir().mkpath(build));
    QCOMPARE(inicio::pastaDados(build, usuario), build);
    inicio::prepararPastaDados(build, usuario);
    QCOMPARE(configuracoes::pastaPrograma(), build);
    QVERIFY(!QFileInfo::exists(build + "/dados.mde"));
    QVERIFY(!QFileInfo::exists(usuario));

    // A program folder nobody may write, not even root, sends the data to the user's.
    if (!executar("chattr", {"+i", build}))
        QSKIP("chattr +i is not available here");
    const bool escreve = QFileInfo(build).isWritable();
    const QString escolhida = inicio::pastaDados(build, usuario);
    executar("chattr", {"-i", build});
    QVERIFY(!escreve);
    QCOMPARE(escolhida, usuario);
}

void TstInstalacao::instalarPoeProgramaEntradaEIcone() {
#if !defined(VARNELO_BUILD) || !defined(VARNELO_CMAKE)
    QSKIP("built without the build folder to install from");
#else
    AmbienteTeste amb;
    QTemporaryDir prefixo;
    QString saida;
    QVERIFY2(
        executar(VARNELO_CMAKE, {"--install", VARNELO_BUILD, "--prefix", prefixo.path()}, &saida),
        qPrintable(saida));
    const QString bin = prefixo.path() + "/bin/varnelo";
    const QString entrada = prefixo.path() + "/share/applications/varnelo.desktop";
    const QString icone = prefixo.path() + "/share/icons/hicolor/scalable/apps/varnelo.svg";
    QVERIFY(QFileInfo(bin).isExecutable());
    QVERIFY(pintados(QIcon(icone), 48) > 48 * 48 / 2);
    // No database goes into the system's folders: installed beside its desktop entry, the
    // program lays an empty file in the user's folder, and nothing beside itself.
    QDirIterator tudo(prefixo.path(), QDir::Files, QDirIterator::Subdirectories);
    while (tudo.hasNext())
        QVERIFY2(!tudo.next().endsWith(".mde"), qPrintable(tudo.filePath()));
    const QString usuario = prefixo.path() + "/usuario/Varnelo";
    inicio::prepararPastaDados(prefixo.path() + "/bin", usuario);
    QCOMPARE(configuracoes::pastaPrograma(), usuario);
    QCOMPARE(banco::caminhoBanco(banco::arquivobanco), usuario + "/dados.mde");
    schema::verificarArquivo(usuario + "/dados.mde", QString::fromUtf8(banco::kSenhaBanco));
    QCOMPARE(QDir(prefixo.path() + "/bin").entryList(QDir::Files), QStringList("varnelo"));

    QFile arquivo(entrada);
    QVERIFY(arquivo.open(QIODevice::ReadOnly));
    const QStringList linhas = QString::fromUtf8(arquivo.readAll()).split('\n');
    for (const char* linha : {"Type=Application", "Name=Varnelo", "Exec=varnelo", "Icon=varnelo",
                              "Categories=Office;ContactManagement;"})
        QVERIFY2(linhas.contains(linha), linha);
    QVERIFY(linhas.contains(
        "Comment[pt_BR]=Contatos, compromissos, anotações e senhas em um arquivo protegido"));

    const QString validar = QStandardPaths::findExecutable("desktop-file-validate");
    if (validar.isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    QVERIFY2(executar(validar, {entrada}, &saida), qPrintable(saida));
    QCOMPARE(saida.trimmed(), QString());
#endif
}

QTEST_MAIN(TstInstalacao)
#include "tst_instalacao.moc"
