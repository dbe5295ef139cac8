#include "app/acessivel.h"

#include <QComboBox>
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

}  // namespace acessivel
