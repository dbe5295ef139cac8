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

const QColor kAmareloClaro(255, 255, 192);

class CorDeFoco : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() != QEvent::FocusIn && ev->type() != QEvent::FocusOut)
            return false;
        auto* w = static_cast<QWidget*>(obj);
        auto* combo = qobject_cast<QComboBox*>(w);
        // The system's colours come back on leaving, whatever the desktop's scheme.
        const QPalette sistema = QApplication::palette(w);
        QPalette p = w->palette();
        auto pintar = [&](QPalette::ColorRole fundo, QPalette::ColorRole texto) {
            for (QPalette::ColorRole papel : {fundo, texto})
                for (QPalette::ColorGroup grupo :
                     {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                    p.setColor(grupo, papel, sistema.color(grupo, papel));
            if (ev->type() == QEvent::FocusIn) {
                p.setColor(fundo, kAmareloClaro);
                // Light text of a dark scheme would not read on the yellow.
                p.setColor(texto, Qt::black);
            }
        };
        pintar(QPalette::Base, QPalette::Text);
        // A combo box that only picks is painted as a button, not as a text field.
        if (combo && !combo->isEditable())
            pintar(QPalette::Button, QPalette::ButtonText);
        w->setPalette(p);
        if (combo && combo->lineEdit())
            combo->lineEdit()->setPalette(p);
        return false;
    }
};

}  // namespace

void destacar(QWidget* campo) {
    if (!campo || campo->property("varnelo_foco").toBool())
        return;
    campo->setProperty("varnelo_foco", true);
    campo->installEventFilter(new CorDeFoco(campo));
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
