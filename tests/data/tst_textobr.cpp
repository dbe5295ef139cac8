#include <QRandomGenerator>
#include <QTest>

#include "data/textobr.h"

class TstTextoBr : public QObject {
    Q_OBJECT
private slots:
    void combinaCuringasEBytesInvalidos();
    void textoDobradoCombinaComoOOriginal();
};

void TstTextoBr::combinaCuringasEBytesInvalidos() {
    using textobr::combina;
    QVERIFY(combina("%ção", "AÇÃO"));
    QVERIFY(combina("a%b%c", "aXXbYYc"));
    QVERIFY(!combina("a%b%c", "aXXbYY"));
    QVERIFY(combina("%%", ""));
    QVERIFY(!combina("a", ""));
    QVERIFY(combina("%a", "banana"));
    // Signs are not letters: × is no capital ÷.
    QVERIFY(!combina("2×3", "2÷3"));

    // Truncated and stray UTF-8 sequences compare as bytes, without reading past the end.
    const std::string cortado = "abc\xC3";
    const std::string solto = "\x80\xBF";
    QVERIFY(combina("abc%", cortado));
    QVERIFY(textobr::comparar(cortado, "abc") > 0);
    QVERIFY(textobr::comparar(solto, solto) == 0);
    QVERIFY(!combina("\xE2\x82", "\xE2"));
}

// The searches fold each stored text once and compare folded bytes; they must agree with
// the engine's `like` on every pattern and text, malformed bytes and wildcards included.
void TstTextoBr::textoDobradoCombinaComoOOriginal() {
    const char* pedacos[] = {"a",    "Á", "ã", "%", "_", "ç", "Ç", "o", "Ó",        "\xC3",
                             "\x80", "'", " ", "ß", "Ж", "ж", "e", "É", "\xE2\x82", "1"};
    QRandomGenerator aleatorio(20261207);
    auto sorteado = [&](int maximo) {
        std::string r;
        for (int n = int(aleatorio.bounded(maximo + 1)); n > 0; --n)
            r += pedacos[aleatorio.bounded(int(std::size(pedacos)))];
        return r;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string padrao = sorteado(4), texto = sorteado(8);
        QVERIFY2(textobr::combina(padrao, texto) ==
                     textobr::combinaDobrado(textobr::dobrado(padrao), textobr::dobrado(texto)),
                 (padrao + " / " + texto).c_str());
    }
    QCOMPARE(textobr::dobrado("ÁLVARO d'Ávila ÇÃO"), std::string("alvaro d'avila cao"));
    QVERIFY(textobr::combinaDobrado("%a%a", "banana"));
    QVERIFY(!textobr::combinaDobrado("ana%ana", "anana"));
}

QTEST_APPLESS_MAIN(TstTextoBr)
#include "tst_textobr.moc"
