#include "ui/foco.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace foco {
namespace {

// 0xC0FFFF, blue-green-red.
const QColor kAmareloClaro(255, 255, 192);

class CorDeFoco : public QObject {
public:
    CorDeFoco(QWidget* campo, Fundo fundo) : QObject(campo), fundo_(fundo) {}
    void pintar(QWidget* w, bool comFoco) const {
        auto* combo = qobject_cast<QComboBox*>(w);
        // The system's colours come back on leaving, whatever the desktop's scheme.
        const QPalette sistema = QApplication::palette(w);
        QPalette p = w->palette();
        auto cores = [&](QPalette::ColorRole fundo, QPalette::ColorRole texto) {
            for (QPalette::ColorRole papel : {fundo, texto})
                for (QPalette::ColorGroup grupo :
                     {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                    p.setColor(grupo, papel, sistema.color(grupo, papel));
            if (comFoco || fundo_ == Fundo::Branco) {
                p.setColor(fundo, comFoco ? kAmareloClaro : QColor(Qt::white));
                // Light text of a dark scheme would not read on the light background.
                p.setColor(texto, Qt::black);
            }
        };
        cores(QPalette::Base, QPalette::Text);
        // A combo box that only picks is painted as a button, not as a text field.
        if (combo && !combo->isEditable())
            cores(QPalette::Button, QPalette::ButtonText);
        w->setPalette(p);
        if (combo && combo->lineEdit())
            combo->lineEdit()->setPalette(p);
    }

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::FocusIn || ev->type() == QEvent::FocusOut)
            pintar(static_cast<QWidget*>(obj), ev->type() == QEvent::FocusIn);
        return false;
    }

private:
    Fundo fundo_;
};

}  // namespace

void destacar(QWidget* campo, Fundo fundo) {
    if (!campo || campo->property("varnelo_foco").toBool())
        return;
    campo->setProperty("varnelo_foco", true);
    auto* cor = new CorDeFoco(campo, fundo);
    campo->installEventFilter(cor);
    if (fundo == Fundo::Branco)
        cor->pintar(campo, campo->hasFocus());
}

void destacarTodos(QWidget* janela) {
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
            destacar(w);
    }
}

}  // namespace foco
