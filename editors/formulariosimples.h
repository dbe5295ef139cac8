#pragma once

#include <QList>
#include <QString>

#include "data/gravacao.h"
#include "data/regras.h"
#include "editors/formulario.h"

namespace editors {

// One text box of a simple entry form and how its column is written.
struct CampoSimples {
    QString controle;  // the text box's name, e.g. txttitulo
    QString coluna;
    regras::Regra regra;
    bool multilinha = false;
    QString legenda;  // visible caption, also the screen readers' name
};

// All that tells the note, password and useful-phone forms apart.
struct DescricaoSimples {
    QString objeto;
    QString tabela;
    QString legendaJanela;  // at design; the flows set their own
    QString tituloCabecalho;
    QString linhaCabecalho;
    QString legendaAdicionar;
    QList<CampoSimples> campos;  // the first is the key
    QString rotuloChave;         // the hidden label holding the edit key
    QString mensagemChaveVazia;
    Categoria recarga;
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
    DescricaoSimples d_;
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
