#include "ui/caixaescolha.h"

#include <QKeyEvent>
#include <QListView>

namespace {

bool digitado(const QKeyEvent* ev) {
    const QString t = ev->text();
    return !t.isEmpty() && t.at(0).isPrint();
}

// The open list would otherwise also jump by typed letter.
class ListaSemBusca : public QListView {
public:
    using QListView::QListView;
    void keyboardSearch(const QString&) override {}
};

}  // namespace

CaixaEscolha::CaixaEscolha(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setView(new ListaSemBusca(this));
}

void CaixaEscolha::keyPressEvent(QKeyEvent* ev) {
    if (digitado(ev)) {
        ev->accept();
        return;
    }
    QComboBox::keyPressEvent(ev);
}
