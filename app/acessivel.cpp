#include "app/acessivel.h"

#include <QLabel>

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
    return rotulo;
}

}  // namespace acessivel
