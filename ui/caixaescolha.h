#pragma once

#include <QComboBox>

// A combo box whose text can only be picked, with the arrow keys or the mouse:
// typed characters are discarded instead of jumping to an entry by its letter.
class CaixaEscolha : public QComboBox {
    Q_OBJECT
public:
    explicit CaixaEscolha(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* ev) override;
};
