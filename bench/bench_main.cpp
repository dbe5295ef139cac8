// Measures start-up, keystroke search and memory of the main window on a
// generated file, and the same searches straight through SQLCipher as the floor.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/consultas.h"
#include "app/dialogs.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/sqlite.h"
#include "dialogosmudos.h"
#include "gerador.h"

namespace {

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double residenteMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith("VmRSS:"))
            return linha.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// A real key press carrying the letter, accents included.
void digitar(QWidget* campo, const QString& letra) {
    QKeyEvent aperta(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letra);
    QKeyEvent solta(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, letra);
    QApplication::sendEvent(campo, &aperta);
    QApplication::sendEvent(campo, &solta);
}

void imprimir(const char* nome, double valor, const char* unidade) {
    std::printf("%s %.2f %s\n", nome, valor, unidade);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int contatos = 100000;
    bool ok = true;
    const QStringList args = app.arguments();
    const qsizetype i = args.indexOf(QStringLiteral("--contacts"));
    if (i >= 0)
        contatos = args.value(i + 1).toInt(&ok);
    if (!ok || contatos < 0) {
        std::fprintf(stderr, "uso: varnelo_bench [--contacts N]\n");
        return 2;
    }

    QTemporaryDir pasta;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, pasta.path() + "/config");
    configuracoes::definirPastaPrograma(pasta.path());
    const QString arquivo = pasta.path() + QStringLiteral("/dados.mde");
    gerador::gerar(arquivo, contatos, 10000);
    std::fprintf(stderr, "# %d contacts, file %.1f MB\n", contatos,
                 QFileInfo(arquivo).size() / 1048576.0);
    DialogosMudos mudos;
    dialogs::definir(&mudos);
    dialogs::encaminharAvisos();

    QElapsedTimer relogio;
    relogio.start();
    auto* janela = new frmprincipal;
    janela->resize(1024, 700);
    janela->show();
    QCoreApplication::processEvents();
    imprimir("startup_ms", relogio.nsecsElapsed() / 1e6, "ms");
    const double rss = residenteMb();

    // Each query typed one letter at a time, timed from the keystroke to the list shown.
    const QStringList buscas = {QStringLiteral("Márcia"), QStringLiteral("Souza"),
                                QStringLiteral("Pedro"), QStringLiteral("Araújo"),
                                QStringLiteral("Luiz")};
    auto* filtro = janela->findChild<QLineEdit*>(QStringLiteral("txtfiltro"));
    std::vector<double> teclas;
    std::vector<consultas::Consulta> consultasFeitas;
    for (const QString& busca : buscas) {
        filtro->clear();
        QCoreApplication::processEvents();
        for (qsizetype n = 1; n <= busca.size(); ++n) {
            relogio.restart();
            digitar(filtro, busca.mid(n - 1, 1));
            QCoreApplication::processEvents();
            teclas.push_back(relogio.nsecsElapsed() / 1e6);
            consultasFeitas.push_back(
                consultas::contatos(QStringLiteral("Nome do contato"), busca.left(n)));
        }
    }
    delete janela;
    banco::liberarConexoes();

    // The same statements on one warm connection, with a cache that holds the whole file.
    db::Database direto;
    direto.open(arquivo, QString::fromUtf8(banco::kSenhaBanco));
    direto.execScript(
        QStringLiteral("PRAGMA cache_size=-%1").arg(QFileInfo(arquivo).size() / 1024 * 2 + 1024));
    auto rodar = [&direto](const consultas::Consulta& c) {
        db::Statement st = direto.prepare(c.sql);
        st.bind(c.parametros);
        int linhas = 0;
        while (st.next())
            ++linhas;
        return linhas;
    };
    rodar({QStringLiteral("select * from agenda order by nome"), {}});
    std::vector<double> cru;
    for (const consultas::Consulta& c : consultasFeitas) {
        relogio.restart();
        rodar(c);
        cru.push_back(relogio.nsecsElapsed() / 1e6);
    }

    const double medianaTeclas = mediana(teclas), medianaCru = mediana(cru);
    imprimir("keystroke_median_ms", medianaTeclas, "ms");
    imprimir("keystroke_max_ms", *std::max_element(teclas.begin(), teclas.end()), "ms");
    imprimir("raw_query_median_ms", medianaCru, "ms");
    imprimir("keystroke_ratio", medianaTeclas / medianaCru, "x");
    imprimir("rss_mb", rss, "MB");
    dialogs::definir(nullptr);
    return 0;
}
