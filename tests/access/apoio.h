#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolBar>

#include "apoio_testes.h"

// A window's labelled boxes as "name:caption:text", with ":#" after those shown as "#",
// then its toolbar as "key:caption" and "-" for separators, as the user sees them.
inline QStringList controles(QWidget* janela) {
    QStringList r;
    for (QLabel* rotulo : janela->findChildren<QLabel*>())
        if (auto* c = qobject_cast<QLineEdit*>(rotulo->buddy()))
            r << c->objectName() + ":" + rotulo->text() + ":" + c->text() +
                     (c->echoMode() != QLineEdit::Password
                          ? QString()
                          : ":" + QString(QChar(c->style()->styleHint(
                                      QStyle::SH_LineEdit_PasswordCharacter, nullptr, c))));
    for (QAction* a : janela->findChild<QToolBar*>("tbropcoes")->actions())
        r << (a->isSeparator() ? QString("-")
                               : a->objectName() + ":" +
                                     janela->findChild<QToolButton*>(a->objectName())->text());
    return r;
}
