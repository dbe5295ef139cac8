#include <QTest>

#include "data/textobr.h"

class TstTextoBr : public QObject {
    Q_OBJECT
private slots:
    void combinaCuringasEBytesInvalidos();
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

QTEST_APPLESS_MAIN(TstTextoBr)
#include "tst_textobr.moc"
