// Measures start-up, keystroke search, saving the contact list and memory of the
// main window on a generated file, the same searches straight through SQLCipher and over
// the kept rows alone, and the contact directory and address labels written as PDF through the
// report engine.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/consultas.h"
#include "data/copiabanco.h"
#include "data/retrato.h"
#include "data/sqlite.h"
#include "dialogosmudos.h"
#include "formats/vcard.h"
#include "gerador.h"
#include "reports/etiquetas.h"
#include "reports/rlt_agenda.h"
#include "reports/rlt_etiquetas.h"
#include "transfer/transferencia.h"
#include "ui/dialogs.h"
#include "ui/visualizador.h"

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
void digitar(QWidget* campo, int tecla, const QString& letra) {
    QKeyEvent aperta(QEvent::KeyPress, tecla, Qt::NoModifier, letra);
    QKeyEvent solta(QEvent::KeyRelease, tecla, Qt::NoModifier, letra);
    QApplication::sendEvent(campo, &aperta);
    QApplication::sendEvent(campo, &solta);
}

// Counts the paints of a widget.
class ContaPinturas : public QObject {
public:
    int pinturas = 0;

protected:
    bool eventFilter(QObject*, QEvent* ev) override {
        if (ev->type() == QEvent::Paint)
            ++pinturas;
        return false;
    }
};

// Cards as a phone exports them: name, two numbers, e-mail, address, a note.
QByteArray cartoes(int n) {
    QByteArray r;
    for (int i = 0; i < n; ++i) {
        formatos::Contato c;
        c[formatos::Campo::Nome] =
            QStringLiteral("Importado %1 Araújo").arg(i, 5, 10, QLatin1Char('0'));
        c[formatos::Campo::Ddd] = QStringLiteral("11");
        c[formatos::Campo::Tel] = QStringLiteral("3%1").arg(1000000 + i);
        c[formatos::Campo::Cel] = QStringLiteral("9%1").arg(80000000 + i);
        c[formatos::Campo::Email] = QStringLiteral("importado%1@exemplo.com.br").arg(i);
        c[formatos::Campo::Endereco] = QStringLiteral("Rua São João, %1").arg(i);
        c[formatos::Campo::Cidade] = QStringLiteral("São Paulo");
        c[formatos::Campo::Estado] = QStringLiteral("SP");
        c[formatos::Campo::Adicional] = QStringLiteral("Conhecido da feira; gosta de café");
        formatos::vcard::escrever(c, {}, r);
    }
    return r;
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

    // A user's typing, timed from each key to the list shown: each name letter by letter
    // (the first letter matches most of the file), one backspace, the box cleared; a "%"
    // typed as text; then the telephone field.
    auto* filtro = janela->findChild<QLineEdit*>(QStringLiteral("txtfiltro"));
    auto* campo = janela->findChild<QComboBox*>(QStringLiteral("cbonome"));
    std::vector<double> teclas;
    std::vector<consultas::Consulta> consultasFeitas;
    std::vector<std::pair<QString, QString>> buscasFeitas;
    const auto tecla = [&](int codigo, const QString& letra) {
        relogio.restart();
        digitar(filtro, codigo, letra);
        QCoreApplication::processEvents();
        teclas.push_back(relogio.nsecsElapsed() / 1e6);
        consultasFeitas.push_back(consultas::contatos(campo->currentText(), filtro->text()));
        buscasFeitas.emplace_back(campo->currentText(), filtro->text());
    };
    const auto escrever = [&](const QString& texto, bool corrigir) {
        for (const QChar letra : texto)
            tecla(Qt::Key_unknown, letra);
        if (corrigir)
            tecla(Qt::Key_Backspace, {});
        filtro->selectAll();
        tecla(Qt::Key_Delete, {});
    };
    for (const char* nome : {"Márcia", "Souza", "Pedro", "Araújo", "Luiz"})
        escrever(QString::fromUtf8(nome), true);
    escrever(QStringLiteral("a%o"), false);
    campo->setCurrentText(QStringLiteral("Telefone"));
    escrever(QStringLiteral("9876"), true);
    campo->setCurrentText(QStringLiteral("Nome do contato"));

    // The floor: the same searches over the kept rows, with no list to show.
    std::vector<double> piso;
    for (const auto& [entrada, texto] : buscasFeitas) {
        relogio.restart();
        const std::optional<Celulas> achadas = retrato::contatos(entrada, texto);
        piso.push_back(relogio.nsecsElapsed() / 1e6);
        if (!achadas)
            std::fprintf(stderr, "a busca não veio da memória\n");
    }

    // The whole contact list saved both ways through the window's own members, the
    // progress bar shown and moved as a user sees it.
    filtro->clear();
    QCoreApplication::processEvents();
    auto* barra = janela->findChild<QProgressBar*>(QStringLiteral("barraagenda"));
    ContaPinturas conta;
    barra->installEventFilter(&conta);
    std::vector<double> pinturas;
    const auto medirExportacao = [&](void (frmprincipal::*membro)(), const char* nome) {
        mudos.arquivo = pasta.filePath(QLatin1String(nome));
        std::vector<double> vezes;
        for (int n = 0; n < 3; ++n) {
            conta.pinturas = 0;
            relogio.restart();
            (janela->*membro)();
            vezes.push_back(relogio.nsecsElapsed() / 1e6);
            pinturas.push_back(conta.pinturas);
            QCoreApplication::processEvents();
        }
        std::fprintf(stderr, "# %s: %d rows, %.1f MB\n", nome, janela->linhas(Categoria::Agenda),
                     QFileInfo(mudos.arquivo).size() / 1048576.0);
        return mediana(vezes);
    };
    const double html = medirExportacao(&frmprincipal::htmlagenda, "agenda.html");
    const double txt = medirExportacao(&frmprincipal::txtagenda, "agenda.txt");

    // The whole list out as cards, then 10,000 cards of a phone in, asked and written in one
    // transaction and the list read again, through the commands of the menus.
    mudos.noticias = true;
    std::vector<double> vcf;
    mudos.arquivo = pasta.filePath(QStringLiteral("agenda.vcf"));
    for (int n = 0; n < 3; ++n) {
        relogio.restart();
        transferencia::exportarContatos(*janela, transferencia::Formato::Vcard);
        vcf.push_back(relogio.nsecsElapsed() / 1e6);
    }
    std::fprintf(stderr, "# agenda.vcf: %.1f MB\n", QFileInfo(mudos.arquivo).size() / 1048576.0);
    const QString entrada = pasta.filePath(QStringLiteral("telefone.vcf"));
    {
        QFile f(entrada);
        if (!f.open(QIODevice::WriteOnly) || f.write(cartoes(10000)) < 0)
            std::fprintf(stderr, "os cartões não foram gravados\n");
    }
    mudos.sim = true;
    const int antes = janela->linhas(Categoria::Agenda);
    relogio.restart();
    transferencia::importarContatos(*janela, entrada);
    const double importacao = relogio.nsecsElapsed() / 1e6;
    mudos.sim = mudos.noticias = false;
    std::fprintf(stderr, "# telefone.vcf: %d cards imported\n",
                 janela->linhas(Categoria::Agenda) - antes);
    // What the bar costs one export: the paints counted above, each priced by painting
    // the shown bar, and a hundred changes of value made between paints, priced as the
    // exporter makes them. Timed apart, since the load of the machine moves a whole
    // export by more than the bar costs.
    barra->show();
    barra->parentWidget()->layout()->activate();
    relogio.restart();
    for (int v = 0; v < 100; ++v)
        barra->repaint();
    const double pintura = relogio.nsecsElapsed() / 1e6 / 100;
    relogio.restart();
    for (int v = 0; v <= 100; ++v) {
        barra->setUpdatesEnabled(false);
        barra->setValue(v);
        barra->setUpdatesEnabled(true);
    }
    const double mudancas = relogio.nsecsElapsed() / 1e6;
    barra->hide();
    const double custoBarra = mediana(pinturas) * pintura + mudancas;
    std::fprintf(stderr, "# progress bar: %.0f paints of %.2f ms, 101 changes in %.2f ms\n",
                 mediana(pinturas), pintura, mudancas);
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
    imprimir("floor_median_ms", mediana(piso), "ms");
    imprimir("export_html_ms", html, "ms");
    imprimir("export_txt_ms", txt, "ms");
    imprimir("export_progress_ms", custoBarra, "ms");
    imprimir("export_vcf_ms", mediana(vcf), "ms");
    imprimir("import_vcf_ms", importacao, "ms");
    imprimir("rss_mb", rss, "MB");

    // The directory of every contact, written as PDF with no window.
    {
        rlt_agenda diretorio;
        relogio.restart();
        const bool gravou = diretorio.GravarPdf(pasta.path() + QStringLiteral("/diretorio.pdf"));
        const double ms = relogio.nsecsElapsed() / 1e6;
        if (!gravou)
            std::fprintf(stderr, "o diretório não foi gravado\n");
        imprimir("directory_pdf_ms", ms, "ms");
        imprimir("directory_pages", diretorio.relatorio().paginas(), "pages");
        imprimir("directory_rss_mb", residenteMb(), "MB");
    }

    // The directory's preview, as the menu opens it: from the command to its first page on
    // screen, then paged to the end; the memory after both.
    {
        rlt_agenda diretorio;
        double abrir = 0, fim = 0;
        int pintadas = 0;
        mudos.aoVisualizar = [&](const QString& titulo, const dialogs::PaginasRelatorio& p) {
            JanelaVisualizacao janela(
                titulo, p, [] {}, [] {});
            janela.resize(1024, 700);
            janela.show();
            janela.grab();
            abrir = relogio.nsecsElapsed() / 1e6;
            relogio.restart();
            janela.irPara(p.quantidade - 1);
            janela.grab();
            fim = relogio.nsecsElapsed() / 1e6;
            pintadas = int(janela.pintadas().size());
        };
        relogio.restart();
        diretorio.Config();
        mudos.aoVisualizar = nullptr;
        imprimir("preview_open_ms", abrir, "ms");
        imprimir("preview_last_page_ms", fim, "ms");
        imprimir("preview_rss_mb", residenteMb(), "MB");
        std::fprintf(stderr, "# preview: %d pages painted\n", pintadas);
    }

    // Labels of every contact on Pimaco 6080 (30 a sheet), written as PDF with no window.
    {
        rlt_Etiquetas rotulos;
        rotulos.Definir(etiquetas::Configuracao::de(etiquetas::modelos()[0]));
        relogio.restart();
        if (!rotulos.GravarPdf(pasta.path() + QStringLiteral("/etiquetas.pdf")))
            std::fprintf(stderr, "as etiquetas não foram gravadas\n");
        imprimir("labels_pdf_ms", relogio.nsecsElapsed() / 1e6, "ms");
    }
    // One key derivation, then the generated file given a password and opened with it as
    // the unlock window does: the key derived from the file's salt, the file opened and read.
    {
        std::vector<double> kdf;
        const QByteArray sal = chave::sal(arquivo);
        for (int n = 0; n < 3; ++n) {
            relogio.restart();
            chave::derivar(QStringLiteral("uma senha de bancada"), sal);
            kdf.push_back(relogio.nsecsElapsed() / 1e6);
        }
        imprimir("kdf_ms", mediana(kdf), "ms");
        direto.close();
        relogio.restart();
        copia::trocarChave(arquivo, chave::embutida(),
                           chave::paraSenha(arquivo, QStringLiteral("uma senha de bancada")));
        std::fprintf(stderr, "# rekey of the whole file: %.0f ms\n", relogio.nsecsElapsed() / 1e6);
        std::vector<double> abrir;
        for (int n = 0; n < 3; ++n) {
            relogio.restart();
            const QString k = chave::paraSenha(arquivo, QStringLiteral("uma senha de bancada"));
            if (chave::testar(arquivo, k) != chave::Teste::Abre)
                std::fprintf(stderr, "o arquivo protegido não abriu\n");
            abrir.push_back(relogio.nsecsElapsed() / 1e6);
        }
        imprimir("unlock_ms", mediana(abrir), "ms");
    }
    dialogs::definir(nullptr);
    return 0;
}
