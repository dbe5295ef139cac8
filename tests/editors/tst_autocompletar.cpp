#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "editors/autocompletar.h"

namespace {
// Stored city values carry the blank of padded columns.
const QStringList kCidades = {"Santos ", "São Paulo ", "santa Rita "};
}  // namespace

class TstAutocompletar : public QObject {
    Q_OBJECT
private slots:
    void primeiraEntradaQueComecaComODigitado();
    void soTeclasDeTextoCompletam();
    void digitarNaCaixaCompletaESelecionaORestante();
    void apagarNuncaCompletaENadaEntraNaLista();
};

void TstAutocompletar::primeiraEntradaQueComecaComODigitado() {
    using editors::procurarEntrada;
    QCOMPARE(procurarEntrada(kCidades, "sa"), 0);
    QCOMPARE(procurarEntrada(kCidades, "SANT"), 0);
    // Accents do not count, as in the searches.
    QCOMPARE(procurarEntrada(kCidades, "sao"), 1);
    QCOMPARE(procurarEntrada(kCidades, "SÃO P"), 1);
    QCOMPARE(procurarEntrada(kCidades, "santa"), 2);
    QCOMPARE(procurarEntrada(kCidades, "Santos "), 0);
    QCOMPARE(procurarEntrada(kCidades, "Santos  "), -1);
    QCOMPARE(procurarEntrada(kCidades, "x"), -1);
    QCOMPARE(procurarEntrada(kCidades, ""), -1);
    QCOMPARE(procurarEntrada({}, "s"), -1);
    // "%" and "_" are letters here, not wildcards.
    QCOMPARE(procurarEntrada({"Sa_to ", "S%"}, "s%"), 1);
    QCOMPARE(procurarEntrada({"Santo ", "Sa_to "}, "sa_"), 1);
}

void TstAutocompletar::soTeclasDeTextoCompletam() {
    for (int tecla : {int(Qt::Key_A), int(Qt::Key_Z), int(Qt::Key_0), int(Qt::Key_Space),
                      int(Qt::Key_Ccedilla), int(Qt::Key_Atilde), int(Qt::Key_Minus)})
        QVERIFY2(editors::teclaCompleta(tecla), qPrintable(QString::number(tecla, 16)));
    for (int tecla :
         {int(Qt::Key_Backspace), int(Qt::Key_Delete), int(Qt::Key_Tab), int(Qt::Key_Return),
          int(Qt::Key_Enter), int(Qt::Key_Escape), int(Qt::Key_Shift), int(Qt::Key_Control),
          int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_Up), int(Qt::Key_Down),
          int(Qt::Key_Home), int(Qt::Key_End), int(Qt::Key_PageUp), int(Qt::Key_Insert), 0})
        QVERIFY2(!editors::teclaCompleta(tecla), qPrintable(QString::number(tecla, 16)));
}

void TstAutocompletar::digitarNaCaixaCompletaESelecionaORestante() {
    QComboBox combo;
    editors::ligarAutocompletar(&combo);
    combo.addItems(kCidades);
    combo.setEditText({});
    QLineEdit* linha = combo.lineEdit();

    QTest::keyClicks(&combo, "sa");
    QCOMPARE(combo.currentText(), QString("Santos "));
    QCOMPARE(linha->cursorPosition(), 2);
    QCOMPARE(linha->selectionStart(), 2);
    QCOMPARE(linha->selectedText(), QString("ntos "));

    // Typing on replaces the completed part and completes again.
    QTest::keyClicks(&combo, "nta ");
    QCOMPARE(combo.currentText(), QString("santa Rita "));
    QCOMPARE(linha->selectedText(), QString("Rita "));

    combo.setEditText({});
    QTest::keyClicks(&combo, "SANT");
    QCOMPARE(combo.currentText(), QString("Santos "));
    QCOMPARE(linha->selectedText(), QString("os "));

    // A letter no entry begins with leaves the text as typed.
    combo.setEditText({});
    QTest::keyClicks(&combo, "x");
    QCOMPARE(combo.currentText(), QString("x"));
    QVERIFY(!linha->hasSelectedText());
}

void TstAutocompletar::apagarNuncaCompletaENadaEntraNaLista() {
    QComboBox combo;
    editors::ligarAutocompletar(&combo);
    combo.addItems(kCidades);
    combo.setEditText({});
    QVERIFY(!combo.completer());

    // The completed text is the entry's own, so taking back the rest leaves "Sa".
    QTest::keyClicks(&combo, "sa");
    QTest::keyClick(&combo, Qt::Key_Backspace);
    QCOMPARE(combo.currentText(), QString("Sa"));
    QTest::keyClick(&combo, Qt::Key_Backspace);
    QCOMPARE(combo.currentText(), QString("S"));

    QTest::keyClick(&combo, Qt::Key_A);
    QCOMPARE(combo.currentText(), QString("Santos "));
    QTest::keyClick(&combo, Qt::Key_Delete);
    QCOMPARE(combo.currentText(), QString("Sa"));

    // What is typed is a value for the row, not a new list entry.
    combo.setEditText("Campinas");
    QTest::keyClick(&combo, Qt::Key_Return);
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.currentText(), QString("Campinas"));
}

QTEST_MAIN(TstAutocompletar)
#include "tst_autocompletar.moc"
