#pragma once

#include "ui/janelas.h"

#include <QWidget>

#include "reports/etiquetas.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The label settings: the sheet's model and geometry, the label to start at, and whether
// to preview. One window for the program, fresh on each opening.
class frmConfEtiqueta : public janelas::JanelaAuxiliar {
    Q_OBJECT
public:
    explicit frmConfEtiqueta(QWidget* parent = nullptr);

    // Loads the preset of the model named `tipo` (any other text keeps the record) and
    // shows the record in the fields.
    void carregarEtiquetas(const QString& tipo);
    const etiquetas::Configuracao& configuracao() const { return config_; }

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    QLineEdit* campo(const char* nome, const char* texto);
    // The field rules, as leaving a field applies them.
    void aplicarRegra(QLineEdit* campo);
    void imprimir();

    etiquetas::Configuracao config_;
    QComboBox* cmbModelo_;
    QLineEdit* txtAltura_;
    QLineEdit* txtLargura_;
    QLineEdit* txtMSup_;
    QLineEdit* txtMInf_;
    QLineEdit* txtMEsq_;
    QLineEdit* txtColunas_;
    QLineEdit* txtLinIni_;
    QLineEdit* txtColIni_;
    QCheckBox* chkVisualizar_;
    QPushButton* cmdImprimir_;
};
