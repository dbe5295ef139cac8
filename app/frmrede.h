#pragma once

#include "ui/janelas.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Chooses the database file: the local one beside the program, or one on a network
// path. Switching the box or choosing a file changes the settings at once; closing the
// window with the box ticked keeps the path as shown, typed or not, and reloads the main
// window's lists from the file now chosen.
class frmrede : public janelas::JanelaAuxiliar {
    Q_OBJECT
public:
    explicit frmrede(QWidget* parent = nullptr);

    // The local file's full path as the user reads it.
    static QString caminhoLocal();

protected:
    void closeEvent(QCloseEvent* ev) override;

private:
    void carregar();
    void marcar(bool emRede);
    void procurar();
    void testar();
    void habilitar(bool emRede);

    QCheckBox* chkrede_ = nullptr;
    QLineEdit* txtbd_ = nullptr;
    QPushButton* cmdlocal_ = nullptr;
    QPushButton* cmdtestabd_ = nullptr;
};
