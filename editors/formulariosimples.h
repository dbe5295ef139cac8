#pragma once

#include "data/categoria.h"
#include "editors/formulario.h"

namespace editors {

// An entry form over one simple table, built from its description.
class FormularioSimples : public FormularioCadastro {
    Q_OBJECT
public:
    // The category's own form, as its description has it.
    explicit FormularioSimples(Categoria categoria, QWidget* parent = nullptr);

    void adicionar() override;
    void editar() override;
    QLabel* rotuloChave() const override { return rotulo_; }

protected:
    QString controleDaColuna(const QString& coluna) const override {
        return procurarControle(d_.campos, coluna);
    }

private:
    Categoria categoria_;
    const categoria::FormularioSimples& d_;
    QLabel* rotulo_ = nullptr;
};

// The three windows, one type each so that each is a single window of its own.
class frmcadanotacoes : public FormularioSimples {
    Q_OBJECT
public:
    explicit frmcadanotacoes(QWidget* parent = nullptr);
};

class frmcadsenhas : public FormularioSimples {
    Q_OBJECT
public:
    explicit frmcadsenhas(QWidget* parent = nullptr);
};

class frmcadutil : public FormularioSimples {
    Q_OBJECT
public:
    explicit frmcadutil(QWidget* parent = nullptr);
};

}  // namespace editors
