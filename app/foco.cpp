#include "app/foco.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
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
        if (ev->type() == QEvent::FocusIn || ev->type() == QEvent::FocusOut) {
            auto* w = static_cast<QWidget*>(obj);
            auto* combo = qobject_cast<QComboBox*>(w);
            QPalette p = w->palette();
            const QPalette padrao = w->style()->standardPalette();
            const bool entra = ev->type() == QEvent::FocusIn;
            // A combo box that only picks is painted as a button, not as a text field.
            const QPalette::ColorRole papel =
                combo && !combo->isEditable() ? QPalette::Button : QPalette::Base;
            p.setColor(QPalette::Base, entra ? kAmareloClaro : padrao.color(QPalette::Base));
            p.setColor(papel, entra ? kAmareloClaro : padrao.color(papel));
            w->setPalette(p);
            if (combo && combo->lineEdit())
                combo->lineEdit()->setPalette(p);
        }
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
