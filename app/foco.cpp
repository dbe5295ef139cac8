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
            QPalette p = w->palette();
            const QColor cor = ev->type() == QEvent::FocusIn
                                   ? kAmareloClaro
                                   : w->style()->standardPalette().color(QPalette::Base);
            p.setColor(QPalette::Base, cor);
            w->setPalette(p);
            if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
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
