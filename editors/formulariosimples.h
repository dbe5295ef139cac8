#pragma once

#include <span>

#include "data/regras.h"
#include "editors/formulario.h"

namespace editors {

// One text box of a simple entry form and how its column is written.
struct CampoSimples {
    const char* controle;  // the text box's name, e.g. txttitulo
    const char* coluna;
    regras::Regra regra;
    bool multilinha;
    const char* legenda;  // visible caption, also the screen readers' name
};

// All that tells the note, password and useful-phone forms apart.
struct DescricaoSimples {
    const char* objeto;
    const char* legendaJanela;  // at design; the flows set their own
    const char* tituloCabecalho;
    const char* linhaCabecalho;
    const char* legendaAdicionar;
    std::span<const CampoSimples> campos;  // the first is the key
    const char* rotuloChave;               // the hidden label holding the edit key
    const char* mensagemChaveVazia;
    Categoria categoria;  // its table, and the list reloaded after a save
};

// An entry form over one simple table, built from its description.
class FormularioSimples : public FormularioCadastro {
    Q_OBJECT
public:
    explicit FormularioSimples(const DescricaoSimples& descricao, QWidget* parent = nullptr);

    void adicionar() override;
    void editar() override;
    QLabel* rotuloChave() const override { return rotulo_; }

protected:
    QString controleDaColuna(const QString& coluna) const override {
        return procurarControle(d_.campos, coluna);
    }

private:
    const DescricaoSimples& d_;
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
