#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ambiente_teste.h"
#include "apoio_relatorios.h"
#include "app/frmprincipal.h"
#include "dialogos_roteiro.h"
#include "reports/etiquetas.h"
#include "reports/frmconfetiqueta.h"
#include "reports/rlt_etiquetas.h"
#include "ui/janelas.h"

using namespace etiquetas;
using relatorios::mmDeTwips;
using relatorios::twipsDeMm;

namespace {

const QString kSemEspaco =
    "A página configurada para o relatório não possuí espaço suficiente para a impressão";

// Where each contact's name was printed: its page, and paper millimetres of its top left.
std::vector<std::pair<int, QPointF>> nomes(const Gravador& g) {
    std::vector<std::pair<int, QPointF>> r;
    for (const Gravador::Texto& t : g.textos) {
        const QPointF subida(0, QFontMetricsF(relatorios::qfont(t.fonte)).ascent());
        if (t.texto.startsWith("Contato"))
            r.push_back({t.pagina, (g.origem + t.base - subida) / relatorios::kTwipsPorMm});
    }
    return r;
}

// A name at `mm` stands on label `p`: the name field sits 240 twips into the label.
bool noLugar(QPointF mm, const Geometria::Posicao& p, double folgaX = 0.05, double folgaY = 0.05) {
    return std::abs(mm.x() - (p.x + mmDeTwips(240))) < folgaX &&
           std::abs(mm.y() - (p.y + mmDeTwips(240))) < folgaY;
}

}  // namespace

class TstEtiquetas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void folhasDeCadaModeloComBrancos();
    void camposDaTabela();
    void geometriaQueNaoCabe();
    void janelaDeConfiguracao();
    void regrasAoSairDosCampos();
    void imprimirPelaJanela();
};

void TstEtiquetas::folhasDeCadaModeloComBrancos() {
    // Whole sheets as the stock is sold: 30, 20, 14, 10 and 6 labels.
    const int porFolha[] = {30, 20, 14, 10, 6};
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 31);
    const Geometria seis(Configuracao::de(modelos()[0]));
    QCOMPARE(seis.brancos(1, 1), 0);
    QCOMPARE(seis.brancos(2, 3), 5);
    QCOMPARE(seis.brancos(1, 9), 2);   // past the last column: the last of its row
    QCOMPARE(seis.brancos(0, -4), 0);  // below 1: taken as 1
    QCOMPARE(seis.brancos(-2, 2), 1);
    QCOMPARE(seis.brancos(99, 1), 27);  // past the last row: the last of the first sheet
    for (std::size_t i = 0; i < modelos().size(); ++i) {
        const Modelo& m = modelos()[i];
        const Geometria geo(Configuracao::de(m));
        QVERIFY(geo.cabe());
        QCOMPARE(geo.porPagina(), porFolha[i]);
        // Across the row first, then down; the next sheet starts at the top again.
        auto em = [&geo](int n) { return QPointF(geo.posicao(n).x, geo.posicao(n).y); };
        QCOMPARE(em(1), QPointF(m.margemEsquerda + m.largura, m.margemSuperior));
        QCOMPARE(em(m.colunas), QPointF(m.margemEsquerda, m.margemSuperior + m.altura));
        QCOMPARE(em(porFolha[i]), QPointF(m.margemEsquerda, m.margemSuperior));
        QCOMPARE(geo.posicao(porFolha[i]).pagina, 1);

        // From row 2, column 2: the blanks print nothing, each name sits on its label.
        rlt_Etiquetas r;
        r.Definir(Configuracao::de(m));
        r.LinhaInicio = r.ColunaInicio = 2;
        const int brancos = m.colunas + 1;
        Gravador g;
        QVERIFY(r.Emitir(g));
        QCOMPARE(g.textos.front().texto, QString("Contato 000"));
        const auto impressos = nomes(g);
        QCOMPARE(int(impressos.size()), 31);
        QCOMPARE(g.paginas, (brancos + 31 + porFolha[i] - 1) / porFolha[i]);
        for (int n = 0; n < 31; ++n) {
            const auto& [pagina, mm] = impressos[std::size_t(n)];
            QCOMPARE(pagina, geo.posicao(brancos + n).pagina);
            QVERIFY2(noLugar(mm, geo.posicao(brancos + n)),
                     qPrintable(QString("%1 label %2").arg(m.nome).arg(n)));
        }
        // A second run (the preview's print button) starts over from the same blanks.
        Gravador outra;
        r.relatorio().emitir(outra);
        QCOMPARE(outra.daPagina(), g.daPagina());
    }
}

void TstEtiquetas::camposDaTabela() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, endereco, bairro, cidade, estado, cep) VALUES "
        "('Ana', 'Rua B, 2 ', 'Cambuí ', 'Campinas ', 'SP ', '01310100 ')");
    // Rows indexed outside 0 to 4 are left out; a field reaching past the label's right
    // edge is cut to end there, one starting past it prints nothing.
    amb.executar(
        "INSERT INTO CamposEtiqueta ([Index], Campo, [Top], [Left], Width, Formato) "
        "VALUES (7, 'email', 1, 1, 10, ''), (-1, 'tel', 1, 1, 10, '')");
    amb.executar("UPDATE CamposEtiqueta SET [Left] = 30, Width = 90 WHERE [Index] = 1");
    amb.executar("UPDATE CamposEtiqueta SET [Left] = 70 WHERE [Index] = 2");
    rlt_Etiquetas r;
    r.Definir(Configuracao::de(modelos()[0]));
    Gravador g;
    QVERIFY(r.Emitir(g));
    QCOMPARE(g.daPagina(), QStringList({"Ana", "Rua B, 2 ", "Campinas / SP", "01310-100"}));
    QCOMPARE(g.textos[1].base.x(), double(twipsDeMm(30)));
    QCOMPARE(camposEtiqueta({{5, "x", 1, 1, 10, ""}, {-1, "y", 1, 1, 10, ""}}, 1000).size(),
             std::size_t(0));
    QCOMPARE(r.relatorio().campo("rpfDet", 1)->largura, twipsDeMm(69.8) - twipsDeMm(30));
}

void TstEtiquetas::geometriaQueNaoCabe() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    auto tentar = [&](auto&& ajustar) -> QString {
        rlt_Etiquetas r;
        r.Definir(Configuracao::de(modelos()[2]));
        ajustar(r);
        dlg.limpar();
        const bool rodou = r.Config();
        // The model and the engine agree on what fits.
        if (rodou != Geometria(r.configuracao()).cabe() &&
            amb.valor("SELECT count(*) FROM agenda") != "0")
            return "o modelo discorda";
        return rodou ? QString() : dlg.ultimaMensagem().texto;
    };
    // No contacts: nothing to print.
    QCOMPARE(tentar([](rlt_Etiquetas&) {}), QString("Não há registros a imprimir"));
    inserirContatos(amb, 2);
    QCOMPARE(tentar([](rlt_Etiquetas&) {}), QString());
    QCOMPARE(dlg.chamadas.first().tipo, QString("visualizar"));
    QCOMPARE(dlg.chamadas.first().titulo, QString("Etiquetas"));
    // A label taller than the space between the margins, columns wider than the paper, a
    // label of no size, a margin off the paper.
    QCOMPARE(tentar([](rlt_Etiquetas& r) { r.Altura = 240; }), kSemEspaco);
    QCOMPARE(tentar([](rlt_Etiquetas& r) { r.Colunas = 3; }), kSemEspaco);
    QCOMPARE(tentar([](rlt_Etiquetas& r) {
                 r.Largura = 0;
                 r.Colunas = 1;
             }),
             kSemEspaco);
    QCOMPARE(tentar([](rlt_Etiquetas& r) { r.Altura = 0; }), kSemEspaco);
    QCOMPARE(tentar([](rlt_Etiquetas& r) { r.MargemSuperior = -1; }), kSemEspaco);
    // Just fitting: one row of 237 between 21.2 and 21.2 on 279.4.
    QCOMPARE(tentar([](rlt_Etiquetas& r) { r.Altura = 237; }), QString());
}

void TstEtiquetas::janelaDeConfiguracao() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    w.findChild<QAction*>("mnuetiquetas")->trigger();
    frmConfEtiqueta* janela = janelas::seCarregada<frmConfEtiqueta>();
    QVERIFY(janela && janela->isVisible());
    // The toolbar's button shows the same window.
    qobject_cast<QToolButton*>(w.findChild<QToolBar*>("tbrbarra")->findChild<QWidget*>("etiqueta"))
        ->click();
    QCOMPARE(janelas::seCarregada<frmConfEtiqueta>(), janela);

    auto* modelo = janela->findChild<QComboBox*>("cmbModelo");
    QStringList itens;
    for (int i = 0; i < modelo->count(); ++i)
        itens << modelo->itemText(i);
    QCOMPARE(itens, QStringList({"Pimaco 6080/6180", "Pimaco 6081/6181/6281/62581",
                                 "Pimaco 6082/6182/6282/62582", "Pimaco 6083/6183/6283",
                                 "Pimaco 6084/6184/6284"}));
    auto campos = [janela] {
        QStringList r;
        for (const char* n : {"txtAltura", "txtLargura", "txtMSup", "txtMInf", "txtMEsq",
                              "txtColunas", "txtLinIni", "txtColIni"})
            r << janela->findChild<QLineEdit*>(n)->text();
        return r;
    };
    // Opening shows the default model and its preset.
    QCOMPARE(modelo->currentText(), QString("Pimaco 6082/6182/6282/62582"));
    QCOMPARE(campos(), QStringList({"33,9", "106,3", "21,2", "21,2", "4", "2", "1", "1"}));
    modelo->setCurrentIndex(0);
    QCOMPARE(campos(), QStringList({"25,4", "69,8", "12,7", "12,7", "4,8", "3", "1", "1"}));
    // Another text keeps the record and shows it again.
    janela->findChild<QLineEdit*>("txtAltura")->setText("99");
    janela->carregarEtiquetas("Pimaco 9999");
    QCOMPARE(campos().first(), QString("25,4"));
    QCOMPARE(janela->configuracao().colunas, 3);

    // Captions name the fields for screen readers.
    QStringList rotulos;
    for (QLabel* l : janela->findChildren<QLabel*>())
        if (l->buddy())
            rotulos << l->text() + "=" + l->buddy()->objectName() + ":" +
                           l->buddy()->accessibleName();
    rotulos.sort();
    QCOMPARE(rotulos, QStringList({"Altura:=txtAltura:Altura", "Coluna=txtColIni:Coluna",
                                   "Colunas:=txtColunas:Colunas", "Largura:=txtLargura:Largura",
                                   "Linha=txtLinIni:Linha", "Margem Esq:=txtMEsq:Margem Esq",
                                   "Margem Inf:=txtMInf:Margem Inf",
                                   "Margem Sup:=txtMSup:Margem Sup", "Modelo=cmbModelo:Modelo"}));
    QCOMPARE(janela->findChild<QCheckBox*>("chkVisualizar")->text(),
             QString("Visualizar Impressão"));
    QCOMPARE(janela->findChild<QPushButton*>("cmdImprimir")->text(), QString("IMPRIMIR"));

    // Fields turn light yellow while they hold the focus.
    QLineEdit* altura = janela->findChild<QLineEdit*>("txtAltura");
    QFocusEvent entra(QEvent::FocusIn);
    QApplication::sendEvent(altura, &entra);
    QCOMPARE(altura->palette().color(QPalette::Base), QColor(255, 255, 192));
    // Enter in a field moves on and prints nothing: only the button prints.
    janela->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(janela));
    altura->setFocus();
    QTest::keyClick(altura, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), janela->findChild<QWidget*>("txtLargura"));
    QVERIFY(dlg.chamadas.isEmpty());
    janela->close();
}

void TstEtiquetas::regrasAoSairDosCampos() {
    // Millimetres in the Brazilian format, "0" when no number; whole numbers rounded
    // with halves to even, "1" when no number or out of range (1 to 255 for the columns).
    AmbienteTeste amb;
    frmConfEtiqueta janela;
    // What is typed, then what leaving the field leaves in it.
    const std::pair<const char*, QStringList> casos[] = {
        {"txtAltura", {"abc", "0", "nan", "0"}},
        {"txtLargura", {" 12,50 ", "12,5", "70,25", "70,25"}},
        {"txtMSup", {"1.234,5", "1234,5"}},
        {"txtMInf", {"33.9", "33,9"}},
        {"txtMEsq", {"", "0"}},
        {"txtColunas", {"2,5", "2", "3,5", "4", "2,51", "3", "0", "1", "256", "1", "255", "255"}},
        {"txtLinIni", {"x", "1", "-3", "-3", "40000", "1"}},
        {"txtColIni", {"-0,4", "0", "4,5", "4"}},
    };
    for (const auto& [nome, pares] : casos) {
        QLineEdit* c = janela.findChild<QLineEdit*>(nome);
        for (qsizetype i = 0; i < pares.size(); i += 2) {
            c->setText(pares[i]);
            QFocusEvent sai(QEvent::FocusOut);
            QApplication::sendEvent(c, &sai);
            QCOMPARE(c->text(), pares[i + 1]);
        }
    }
}

void TstEtiquetas::imprimirPelaJanela() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    inserirContatos(amb, 7);
    QTemporaryDir pasta;
    auto janela = [] {
        auto* j = new frmConfEtiqueta;
        j->show();
        j->findChild<QComboBox*>("cmbModelo")->setCurrentIndex(0);
        j->findChild<QLineEdit*>("txtLinIni")->setText("2");
        j->findChild<QLineEdit*>("txtColIni")->setText("3");
        return QPointer<frmConfEtiqueta>(j);
    };
    // Preview ticked: the preview, saved as PDF; the settings close.
    QPointer<frmConfEtiqueta> j = janela();
    j->findChild<QCheckBox*>("chkVisualizar")->setChecked(true);
    dlg.acoesVisualizacao << "pdf";
    dlg.arquivos << pasta.filePath("etiquetas.pdf");
    j->findChild<QPushButton*>("cmdImprimir")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!j);
    QCOMPARE(dlg.chamadas.first().tipo, QString("visualizar"));
    QVERIFY(QFile::exists(pasta.filePath("etiquetas.pdf")));

    // Not ticked: the printer choice, then printing; refused, nothing is printed.
    dlg.limpar();
    dlg.arquivoImpressora = pasta.filePath("impressas.pdf");
    dlg.impressoraAceita = false;
    janela()->findChild<QPushButton*>("cmdImprimir")->click();
    QCOMPARE(dlg.chamadas.size(), 1);
    QCOMPARE(dlg.chamadas.first().tipo, QString("impressora"));
    QVERIFY(!QFile::exists(pasta.filePath("impressas.pdf")));
    dlg.impressoraAceita = true;
    janela()->findChild<QPushButton*>("cmdImprimir")->click();
    QVERIFY(QFile::exists(pasta.filePath("impressas.pdf")));

    // A geometry that cannot fit says so and leaves the settings open to be corrected.
    dlg.limpar();
    j = janela();
    j->findChild<QLineEdit*>("txtAltura")->setText("500");
    j->findChild<QPushButton*>("cmdImprimir")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(j && j->isVisible());
    QCOMPARE(dlg.ultimaMensagem().texto, kSemEspaco);
    j->close();

    // In the PDF each name stands where its label is: start row 2 and column 3 on three
    // columns put the first contact on the sixth label.
    const QString caixas = textoDoPdf(pasta.filePath("etiquetas.pdf"), {"-bbox"});
    if (caixas.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const Geometria geo(Configuracao::de(modelos()[0]));
    const QRegularExpression palavra(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Contato</word>");
    auto it = palavra.globalMatch(caixas);
    for (int n = 5; n < 12; ++n) {
        QVERIFY(it.hasNext());
        const QRegularExpressionMatch m = it.next();
        const QPointF mm(m.captured(1).toDouble(), m.captured(2).toDouble());
        QVERIFY2(noLugar(mm * 25.4 / 72, geo.posicao(n), 0.3, 0.5), qPrintable(m.captured()));
    }
    QVERIFY(!it.hasNext());
}

QTEST_MAIN(TstEtiquetas)
#include "tst_etiquetas.moc"
