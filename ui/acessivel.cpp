#include "ui/acessivel.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

#include "data/regras.h"

namespace acessivel {

QString nome(const QString& legenda) {
    QString t = legenda;
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(QLatin1Char('&'));
    t.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    t = regras::aparado(t);
    if (t.endsWith(QLatin1Char(':')))
        t.chop(1);
    return t;
}

QLabel* rotular(const QString& legenda, QWidget* campo, QWidget* pai) {
    auto* rotulo = new QLabel(legenda, pai);
    rotulo->setBuddy(campo);
    campo->setAccessibleName(nome(legenda));
    if (auto* combo = qobject_cast<QComboBox*>(campo); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(nome(legenda));
    return rotulo;
}

void nomearBarra(QToolBar* barra) {
    barra->setWindowTitle(QStringLiteral("Barra de ferramentas"));
    barra->setAccessibleName(barra->windowTitle());
    for (auto* botao : barra->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        botao->setAccessibleName(QStringLiteral("Mais botões"));
}

namespace {

// Enter on a toolbar button presses it.
class EnterPressiona : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyPress) {
            const int tecla = static_cast<QKeyEvent*>(ev)->key();
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                static_cast<QToolButton*>(obj)->click();
                return true;
            }
        }
        return false;
    }
};

}  // namespace

void botoesPeloTeclado(QToolBar* barra) {
    auto* filtro = new EnterPressiona(barra);
    for (auto* botao : barra->findChildren<QToolButton*>()) {
        if (botao->objectName() == QLatin1String("qt_toolbar_ext_button"))
            continue;
        botao->setFocusPolicy(Qt::TabFocus);
        botao->installEventFilter(filtro);
    }
    // Flat toolbar buttons show no focus of their own.
    barra->setStyleSheet(barra->styleSheet() +
                         QStringLiteral("QToolButton:focus { border: 1px solid "
                                        "palette(highlight); }"));
}

void nomearCalendario(QCalendarWidget* calendario) {
    if (!calendario)
        return;
    calendario->setAccessibleName(QStringLiteral("Calendário"));
    const std::pair<const char*, const char*> nomes[] = {
        {"qt_calendar_calendarview", "Dias do mês"},
        {"qt_calendar_prevmonth", "Mês anterior"},
        {"qt_calendar_nextmonth", "Próximo mês"},
        {"qt_calendar_yearedit", "Ano"},
    };
    for (const auto& [objeto, nome] : nomes)
        if (auto* w = calendario->findChild<QWidget*>(QLatin1String(objeto)))
            w->setAccessibleName(QString::fromUtf8(nome));
}

}  // namespace acessivel
