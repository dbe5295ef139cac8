#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>

#include "ui/visualizador.h"

namespace {

// A report of `n` pages of A4 whose painting is recorded: each page a plain picture.
struct Paginas {
    QList<std::pair<int, int>> pedidos;
    QList<double> resolucoes;
    dialogs::PaginasRelatorio de(int n) {
        return {n, QSizeF(8.27, 11.69), [this](int primeira, int ultima, double dpi) {
                    pedidos << std::pair(primeira, ultima);
                    resolucoes << dpi;
                    QList<QImage> r;
                    for (int k = primeira; k <= ultima; ++k) {
                        QImage img((QSizeF(8.27, 11.69) * dpi).toSize(), QImage::Format_RGB32);
                        img.fill(QColor::fromHsv(k % 360, 200, 200));
                        r << img;
                    }
                    return r;
                }};
    }
};

void acionar(QDialog& janela, const char* nome) {
    QAction* a = janela.findChild<QAction*>(nome);
    QVERIFY2(a, nome);
    a->trigger();
}

}  // namespace

class TstVisualizador : public QObject {
    Q_OBJECT
private slots:
    void abrePintandoSoAsPaginasVistas();
    void botoesDaBarra();
};

void TstVisualizador::abrePintandoSoAsPaginasVistas() {
    Paginas p;
    JanelaVisualizacao janela(
        "Lista de contatos", p.de(2000), [] {}, [] {});
    janela.resize(800, 600);
    janela.show();
    janela.grab();
    // Opening 2,000 pages paints the one or two in sight, once.
    QVERIFY(!janela.pintadas().isEmpty());
    QVERIFY2(janela.pintadas().size() <= 2, qPrintable(QString::number(janela.pintadas().size())));
    QCOMPARE(janela.pintadas().first(), 0);
    janela.grab();
    QVERIFY(janela.pintadas().size() <= 2);
    QCOMPARE(janela.findChild<QLabel*>("lblpaginas")->text(), QString(" de 2000 "));
    QCOMPARE(janela.windowTitle(), QString("Lista de contatos"));

    // To the end: the last page is painted, the ones between are not.
    acionar(janela, "ultima");
    janela.grab();
    QCOMPARE(janela.paginaAtual(), 1999);
    QCOMPARE(janela.findChild<QSpinBox*>("pagina")->value(), 2000);
    QVERIFY(janela.pintadas().contains(1999));
    QVERIFY(janela.pintadas().size() <= 5);
    // The page typed in the box is the one shown.
    janela.findChild<QSpinBox*>("pagina")->setValue(1000);
    janela.grab();
    QCOMPARE(janela.paginaAtual(), 999);
    QVERIFY(janela.pintadas().contains(999));

    // A larger zoom paints the page again, sharper.
    const double antes = p.resolucoes.last();
    acionar(janela, "maiszoom");
    janela.grab();
    QVERIFY(p.resolucoes.last() > antes);
    QCOMPARE(janela.paginaAtual(), 999);
    // What it keeps is a few pages, however far the user pages.
    for (int k = 0; k < 40; ++k)
        acionar(janela, "proxima");
    janela.grab();
    QCOMPARE(janela.paginaAtual(), 1039);
}

void TstVisualizador::botoesDaBarra() {
    Paginas p;
    int impressoes = 0, pdfs = 0;
    JanelaVisualizacao janela(
        "Etiquetas", p.de(3), [&] { ++impressoes; }, [&] { ++pdfs; });
    QStringList legendas;
    for (QAction* a : janela.findChild<QToolBar*>()->actions())
        if (!a->isSeparator() && !a->text().isEmpty())
            legendas << a->text();
    // Paging, zoom, printing and saving; nothing that would change the report's paper.
    QCOMPARE(legendas,
             QStringList({"Primeira página", "Página anterior", "Próxima página", "Última página",
                          "Diminuir zoom", "Aumentar zoom", "Ajustar à largura", "Página inteira",
                          "Imprimir", "Salvar PDF"}));
    QCOMPARE(janela.findChild<QAction*>("imprimir")->shortcut(), QKeySequence(QKeySequence::Print));
    QCOMPARE(janela.findChild<QAction*>("salvarpdf")->shortcut(), QKeySequence(QKeySequence::Save));
    acionar(janela, "imprimir");
    acionar(janela, "salvarpdf");
    QCOMPARE(impressoes, 1);
    QCOMPARE(pdfs, 1);
    // Zoom stays within reason however often it is pressed.
    for (int k = 0; k < 50; ++k)
        acionar(janela, "menoszoom");
    QVERIFY(janela.zoom() >= 0.1);
}

QTEST_MAIN(TstVisualizador)
#include "tst_visualizador.moc"
