#include <QApplication>
#include <QCalendarWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "apoio_testes.h"
#include "data/regras.h"
#include "ui/campodata.h"

namespace {

const QString kInvalida = "exclamacao|Data|A data digitada não é válida: use dd/mm/aaaa.";

}  // namespace

// The date field as the user types into it.
class TstCampoData : public QObject {
    Q_OBJECT
    std::optional<DialogosRoteiro> dlg;
    std::optional<QWidget> janela;
    CampoData* campo = nullptr;
    CampoData* outro = nullptr;

private slots:
    void init() {
        regras::fixarHoje(QDate(2031, 7, 9));
        dlg.emplace();
        janela.emplace();
        auto* coluna = new QVBoxLayout(&*janela);
        campo = new CampoData;
        outro = new CampoData;
        coluna->addWidget(campo);
        coluna->addWidget(outro);
        janela->show();
        janela->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*janela));
        campo->setFocus();
    }
    void cleanup() {
        janela.reset();
        dlg.reset();
        regras::fixarHoje({});
    }

    void leDiaMesAno_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("data");
        const QDate marco(1980, 3, 15);
        QTest::newRow("barras") << "15/03/1980" << marco;
        QTest::newRow("sem barras") << "15031980" << marco;
        QTest::newRow("um digito") << "1/3/1980" << QDate(1980, 3, 1);
        QTest::newRow("tracos e brancos") << " 15-03-1980 " << marco;
        QTest::newRow("pontos") << "15.03.1980" << marco;
        QTest::newRow("29 de fevereiro") << "29/02/2020" << QDate(2020, 2, 29);
        for (const char* t : {"31/02/2020", "15/03/80", "150380", "15/13/1980", "00/03/1980",
                              "15/03/0000", "1531980", "15/03/19800", "15/031980", "abc", ""})
            QTest::newRow(t) << t << QDate();
    }
    void leDiaMesAno() {
        QFETCH(QString, texto);
        QFETCH(QDate, data);
        QCOMPARE(CampoData::lerData(texto), data);
    }

    void digitadaComBarrasFicaComoDigitada() {
        QTest::keyClicks(campo, "15/03/1980");
        QCOMPARE(campo->data(), std::optional(QDate(1980, 3, 15)));
        QTest::keyClick(campo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), outro);
        QCOMPARE(campo->textoDigitado(), QString("15/03/1980"));
        QVERIFY(CampoData::conferir({campo, outro}, "Data"));
        QVERIFY(dlg->mensagens().isEmpty());
    }

    void digitadaSemBarrasMostraComoFoiLida() {
        // Letters are not taken; the date read is shown with its slashes on leaving.
        QTest::keyClicks(campo, "15a03x1980");
        QCOMPARE(campo->textoDigitado(), QString("15031980"));
        QCOMPARE(campo->data(), std::optional(QDate(1980, 3, 15)));
        QTest::keyClick(campo, Qt::Key_Tab);
        QCOMPARE(campo->textoDigitado(), QString("15/03/1980"));
        QVERIFY(campo->isModified());
    }

    void ilegivelFicaERecusada() {
        QTest::keyClicks(campo, "31/02/2020");
        QTest::keyClick(campo, Qt::Key_Tab);
        QCOMPARE(campo->textoDigitado(), QString("31/02/2020"));
        QVERIFY(!campo->valida());
        QCOMPARE(campo->data(), std::nullopt);
        QVERIFY(!CampoData::conferir({outro, campo}, "Data"));
        QCOMPARE(chamadas(*dlg), QStringList{kInvalida});
        QCOMPARE(QApplication::focusWidget(), campo);
        QCOMPARE(campo->selectedText(), QString("31/02/2020"));
    }

    void vaziaSoQuandoOpcional() {
        QVERIFY(campo->vazio() && campo->valida());
        QVERIFY(CampoData::conferir({campo}, "Data"));
        outro->definirObrigatoria(true);
        outro->definirTexto("  ");
        QVERIFY(!CampoData::conferir({campo, outro}, "Data"));
        QCOMPARE(chamadas(*dlg), QStringList{"exclamacao|Data|A data deve ser preenchida!"});
        QCOMPARE(QApplication::focusWidget(), outro);
        outro->definirData(QDate(2031, 1, 2));
        QCOMPARE(outro->textoDigitado(), QString("02/01/2031"));
        QVERIFY(CampoData::conferir({campo, outro}, "Data"));
    }

    void calendarioPeloTecladoEPeloBotao() {
        auto* botao = campo->findChild<QToolButton*>("btncalendario");
        QVERIFY(botao);
        QCOMPARE(botao->accessibleName(), QString("Abrir calendário"));
        QCOMPARE(campo->calendario()->accessibleName(), QString("Calendário"));
        // An empty field opens on today; Esc leaves it empty.
        QTest::keyClick(campo, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(campo->calendario()->isVisible());
        QCOMPARE(campo->calendario()->selectedDate(), QDate(2031, 7, 9));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!campo->calendario()->isVisible());
        QVERIFY(campo->vazio());
        // Enter on a day takes it.
        QTest::keyClick(campo, Qt::Key_F4);
        QVERIFY(campo->calendario()->isVisible());
        campo->calendario()->setSelectedDate(QDate(1980, 3, 15));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!campo->calendario()->isVisible());
        QCOMPARE(campo->textoDigitado(), QString("15/03/1980"));
        QVERIFY(campo->isModified());
        // The field's date is where the calendar opens.
        botao->click();
        QCOMPARE(campo->calendario()->selectedDate(), QDate(1980, 3, 15));
        campo->calendario()->window()->hide();
    }
};

QTEST_MAIN(TstCampoData)
#include "tst_campodata.moc"
