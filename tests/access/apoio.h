#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "dialogos_roteiro.h"

// Every call the scripted dialogs saw, one line each: "kind|title|text". Message
// boxes are named by their icon, file dialogs by "abrir"/"salvar" with their filter.
inline QStringList chamadas(const DialogosRoteiro& dlg) {
    const char* icones[] = {"nenhum", "critico", "exclamacao", "informacao", "pergunta"};
    QStringList r;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        r << (c.tipo == "mensagem" ? QString(icones[int(c.icone)]) : c.tipo) + "|" + c.titulo +
                 "|" + c.texto;
    return r;
}

// A window's labelled boxes as "name:caption:text", with ":#" after those shown as "#",
// then its toolbar as "key:caption" and "-" for separators, as the user sees them.
inline QStringList controles(QWidget* janela) {
    QStringList r;
    for (QLabel* rotulo : janela->findChildren<QLabel*>()) {
        auto* c = qobject_cast<QLineEdit*>(rotulo->buddy());
        if (!c)
            continue;
        QString linha = c->objectName() + ":" + rotulo->text() + ":" + c->text();
        if (c->echoMode() == QLineEdit::Password)
            linha += ":" + QString(QChar(c->style()->styleHint(
                               QStyle::SH_LineEdit_PasswordCharacter, nullptr, c)));
        r << linha;
    }
    for (QAction* a : janela->findChild<QToolBar*>("tbropcoes")->actions())
        r << (a->isSeparator() ? QString("-")
                               : a->objectName() + ":" +
                                     janela->findChild<QToolButton*>(a->objectName())->text());
    return r;
}

inline void clicar(QWidget* janela, const char* chave) {
    janela->findChild<QToolButton*>(chave)->click();
}
