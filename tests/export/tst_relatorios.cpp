#include <QBuffer>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTest>

#include "export/relatorios.h"
#include "export/saida.h"

namespace {

// A list model with these column titles and rows of cells.
QStandardItemModel* modelo(const QStringList& titulos, const QList<QStringList>& linhas,
                           QObject* dono) {
    auto* m = new QStandardItemModel(int(linhas.size()), int(titulos.size()), dono);
    m->setHorizontalHeaderLabels(titulos);
    for (int r = 0; r < linhas.size(); ++r)
        for (int c = 0; c < titulos.size(); ++c)
            m->setItem(r, c, new QStandardItem(linhas[r].value(c)));
    return m;
}

// What an export writes, cut at its line ends.
QStringList texto(c_relatorios& rel, const QStandardItemModel& m, bool html = false,
                  bool encabezado = true) {
    QBuffer arquivo;
    arquivo.open(QIODevice::WriteOnly);
    Saida s(arquivo);
    const bool ok =
        html ? rel.Exportar_listaparaHTML(m, s) : rel.Exportar_listaparaTXT(s, m, encabezado);
    s.descarregar();
    const QString saida = QString::fromUtf8(arquivo.data());
    if (!ok)
        return {saida.isEmpty() ? "<false>" : "<false, written>"};
    [&] { QVERIFY2(saida.endsWith("\r\n"), qPrintable(saida)); }();
    QStringList linhas = saida.split("\r\n");
    linhas.removeLast();
    return linhas;
}

// A file on a disk that fills up after `espaco` bytes: the write that reaches the end
// is taken in part, the next ones are refused.
class DiscoPequeno : public QIODevice {
public:
    explicit DiscoPequeno(qint64 espaco) : espaco_(espaco) { open(QIODevice::WriteOnly); }
    QByteArray dados;
    int recusas = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* d, qint64 n) override {
        const qint64 cabe = std::min(n, espaco_ - dados.size());
        if (cabe <= 0) {
            ++recusas;
            return -1;
        }
        dados.append(d, cabe);
        return cabe;
    }

private:
    qint64 espaco_;
};

}  // namespace

class TstRelatorios : public QObject {
    Q_OBJECT
private slots:
    void ajustesGuardamOPrimeiroCaractere();
    void tabelaDeTextoAlinhaComDoisBrancos();
    void primeiraColunaAte35SemCortar();
    void colunasCortadasEmMax_LetraForFields();
    void tabelaHtmlEscapaOsTextos();
    void listaVaziaNadaEscreve();
    void barraSobeAte100EVoltaAoInicio();
    void discoCheioParaATabela();
};

void TstRelatorios::ajustesGuardamOPrimeiroCaractere() {
    c_relatorios rel;
    QCOMPARE(rel.mLetraTXT(), QString("*"));
    QCOMPARE(rel.Max_LetraForFields(), qint16(9999));
    QCOMPARE(rel.FieldEncloseCSV(), QString());
    QCOMPARE(rel.FieldSeparatorCSV(), QString(";"));
    QVERIFY(!rel.Progresbar());
    rel.mLetraTXT("=-");
    QCOMPARE(rel.mLetraTXT(), QString("="));
    rel.mLetraTXT("");
    QCOMPARE(rel.mLetraTXT(), QString(" "));
    // A character outside the basic plane is kept whole.
    rel.mLetraTXT("😀x");
    QCOMPARE(rel.mLetraTXT(), QString("😀"));
    rel.FieldEncloseCSV("\"'");
    rel.FieldSeparatorCSV(",;");
    QCOMPARE(rel.FieldEncloseCSV(), QString("\""));
    QCOMPARE(rel.FieldSeparatorCSV(), QString(","));
    rel.FieldSeparatorCSV("");
    QCOMPARE(rel.FieldSeparatorCSV(), QString());
    // Only a progress bar is kept; anything else leaves the exporter without one.
    QProgressBar barra;
    QObject outro;
    rel.Progresbar(&barra);
    QCOMPARE(rel.Progresbar(), &barra);
    rel.Progresbar(&outro);
    QVERIFY(!rel.Progresbar());
    rel.Progresbar(nullptr);
    QVERIFY(!rel.Progresbar());
}

void TstRelatorios::tabelaDeTextoAlinhaComDoisBrancos() {
    QObject dono;
    // Widths: the longest of title and cells; an empty title over empty cells is 0 wide.
    auto* m = modelo({"ID", "Nome", "Telefone", ""},
                     {{"1", "Ana", "3333-4444", ""}, {"2", "Zé da Conceição", "", ""}}, &dono);
    c_relatorios rel;
    QCOMPARE(texto(rel, *m), QStringList({
                                 "ID  Nome             Telefone     ",
                                 "**  ***************  *********  *  ",
                                 "1   Ana              3333-4444    ",
                                 "2   Zé da Conceição" + QString(2 + 11 + 2, ' '),
                             }));
    QCOMPARE(rel.larguras(), std::vector<qsizetype>({2, 15, 9, 0}));
    // Without the header rows only the rows are written.
    QCOMPARE(texto(rel, *m, false, false), QStringList({"1   Ana              3333-4444    ",
                                                        "2   Zé da Conceição" + QString(15, ' ')}));
    rel.mLetraTXT("");
    QCOMPARE(texto(rel, *m)[1], QString(2 + 2 + 15 + 2 + 9 + 2 + 1 + 2, ' '));
}

void TstRelatorios::primeiraColunaAte35SemCortar() {
    QObject dono;
    const QString t34(34, 'a'), t35(35, 'b'), t40(40, 'c');
    c_relatorios rel;
    // Exactly 35 sets the width to 35.
    texto(rel, *modelo({"ID", "X"}, {{t35, "x"}, {"1", "y"}}, &dono));
    QCOMPARE(rel.larguras()[0], 35);
    // 34 under a title of 40 leaves the title's width.
    QStringList l = texto(rel, *modelo({t40, "X"}, {{t34, "x"}}, &dono));
    QCOMPARE(rel.larguras()[0], 40);
    QCOMPARE(l[2], t34 + "        x  ");
    // A longer item caps the column at 35 but is written whole, then the gap; so is the
    // title over it.
    l = texto(rel, *modelo({t40, "X"}, {{t40, "x"}, {"1", "y"}}, &dono));
    QCOMPARE(rel.larguras()[0], 35);
    QCOMPARE(l, QStringList({t40 + "  X  ", QString(35, '*') + "  *  ", t40 + "  x  ",
                             "1" + QString(34, ' ') + "  y  "}));
}

void TstRelatorios::colunasCortadasEmMax_LetraForFields() {
    QObject dono;
    const QString longo = "0123456789abcdefghijklmno";  // 25
    c_relatorios rel;
    // The default cap cuts nothing: the column is as wide as its longest text.
    QStringList l = texto(rel, *modelo({"ID", "Nota"}, {{"1", longo}, {"2", "curta"}}, &dono));
    QCOMPARE(l[2], "1   " + longo + "  ");
    QCOMPARE(l[3], "2   curta" + QString(20, ' ') + "  ");
    rel.Max_LetraForFields(10);
    l = texto(rel, *modelo({"ID", "Nota"}, {{"1", longo}, {"2", "curta"}, {"3", ""}}, &dono));
    QCOMPARE(rel.larguras(), std::vector<qsizetype>({2, 10}));
    QCOMPARE(l, QStringList({"ID  Nota        ", "**  **********  ", "1   0123456789  ",
                             "2   curta       ", "3               "}));
    // A cell of exactly the cap is the column's width; a title longer than the capped
    // column is written whole; a cut never splits a character in two.
    l = texto(rel, *modelo({"ID", "Comentários longos", "Fim"},
                           {{"1", "0123456789", "a"}, {"2", "😀😀😀😀😀😀😀😀😀😀😀", "b"}}, &dono));
    QCOMPARE(l, QStringList({"ID  Comentários longos  Fim  ", "**  **********  ***  ",
                             "1   0123456789  a    ", "2   😀😀😀😀😀😀😀😀😀😀  b    "}));
    // The ID column is never cut, whatever the cap.
    rel.Max_LetraForFields(2);
    QCOMPARE(texto(rel, *modelo({"ID", "X"}, {{"12345", "abc"}}, &dono))[2],
             QString("12345  ab  "));
}

void TstRelatorios::tabelaHtmlEscapaOsTextos() {
    QObject dono;
    auto* m = modelo(
        {"ID", "Nome", "Site"},
        {{"1", "<script>alert(1)</script>", ""}, {"2", "Silva & Filhos \"Ltda\" d'Ávila", "a>b"}},
        &dono);
    c_relatorios rel;
    QCOMPARE(
        texto(rel, *m, true),
        QStringList(
            {"<table border='2' align='center'>", "", "<tr>",
             "<TH nowrap bgcolor='#FFFFCC'>ID</th>", "<TH nowrap bgcolor='#FFFFCC'>Nome</th>",
             "<TH nowrap bgcolor='#FFFFCC'>Site</th>", "</tr>", "<tr>", "<td nowrap>1&nbsp;</td>",
             "<td nowrap>&lt;script&gt;alert(1)&lt;/script&gt;&nbsp;</td>",
             "<td nowrap>&nbsp;</td>", "</tr>", "<tr>", "<td nowrap>2&nbsp;</td>",
             "<td nowrap>Silva &amp; Filhos &quot;Ltda&quot; d&#39;Ávila&nbsp;</td>",
             "<td nowrap>a&gt;b&nbsp;</td>", "</tr>", "</table>"}));
}

void TstRelatorios::listaVaziaNadaEscreve() {
    QObject dono;
    auto* m = modelo({"ID", "Nome"}, {}, &dono);
    QProgressBar barra;
    barra.setValue(37);
    c_relatorios rel;
    rel.Progresbar(&barra);
    QCOMPARE(texto(rel, *m), QStringList({"<false>"}));
    QCOMPARE(texto(rel, *m, true), QStringList({"<false>"}));
    QCOMPARE(barra.value(), 37);
}

void TstRelatorios::barraSobeAte100EVoltaAoInicio() {
    QObject dono;
    QList<QStringList> linhas;
    for (int i = 1; i <= 250; ++i)
        linhas << QStringList({QString::number(i), "x"});
    auto* m = modelo({"ID", "Nome"}, linhas, &dono);
    for (bool html : {false, true}) {
        QProgressBar barra;
        barra.setRange(0, 7);
        QList<int> valores;
        connect(&barra, &QProgressBar::valueChanged, [&valores](int v) { valores << v; });
        c_relatorios rel;
        rel.Progresbar(&barra);
        texto(rel, *m, html);
        // Told once per whole number on a 0 to 100 scale, then back at the start.
        QCOMPARE(valores.size(), 102);
        QCOMPARE(valores.first(), 0);
        QCOMPARE(valores.at(100), 100);
        QCOMPARE(valores.last(), 0);
        QCOMPARE(barra.maximum(), 100);
        QVERIFY(std::is_sorted(valores.begin(), valores.end() - 1));
        // Anything but a bar leaves the export without progress, and it still runs.
        valores.clear();
        QObject outro;
        rel.Progresbar(&outro);
        QCOMPARE(texto(rel, *m, html).size(), html ? 1 + 1 + 4 + 250 * 4 + 1 : 252);
        QVERIFY(valores.isEmpty());
    }
}

void TstRelatorios::discoCheioParaATabela() {
    QObject dono;
    QList<QStringList> linhas;
    for (int i = 1; i <= 5000; ++i)
        linhas << QStringList({QString::number(i), "Contato número " + QString::number(i)});
    auto* m = modelo({"ID", "Nome"}, linhas, &dono);
    for (bool html : {false, true}) {
        DiscoPequeno disco(100000);
        Saida s(disco);
        c_relatorios rel;
        QVERIFY(!(html ? rel.Exportar_listaparaHTML(*m, s) : rel.Exportar_listaparaTXT(s, *m)));
        // The part that fitted is written, the rest is refused once and not offered again.
        QVERIFY(!s.descarregar());
        QCOMPARE(disco.dados.size(), 100000);
        QCOMPARE(disco.recusas, 1);
    }
}

QTEST_MAIN(TstRelatorios)
#include "tst_relatorios.moc"
