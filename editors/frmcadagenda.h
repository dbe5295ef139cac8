#pragma once

#include <functional>

#include "data/gravacao.h"
#include "editors/formulario.h"

class QTabWidget;
class QToolButton;

namespace editors {

// The contact editor: one row of `agenda`, added or overwritten from its two pages of
// fields, with completion of the address fields and a picture file kept by its path.
class frmcadagenda : public FormularioCadastro {
    Q_OBJECT
public:
    explicit frmcadagenda(QWidget* parent = nullptr);

    // Fills the five address combo boxes from the values already stored.
    void carregar();
    void adicionar() override;
    void editar() override;

    // "ok" in add mode asks first when the telephone is already stored.
    void acionar(const QString& chave) override;
    // "lbllocal" takes the stored `local`: the picture is shown and its path kept.
    void preencherCampo(const QString& controle, const QString& valor) override;
    void irParaPrimeiraPagina() override;
    QLabel* rotuloChave() const override { return lblnome_; }

    // Asks for a picture file; a file that is no picture still gives its path.
    void escolherFoto();

protected:
    QString controleDaColuna(const QString& coluna) const override;

private:
    void montarCampos();
    void montarFoto(QWidget* pagina);
    // Shows the picture in `arquivo`; false, and nothing changes, when it is none.
    bool mostrarFoto(const QString& arquivo);
    void semFoto();
    bool telefoneJaCadastrado();

    QTabWidget* xtab_ = nullptr;
    QToolButton* imgfoto_ = nullptr;
    QLabel* lbllocal_ = nullptr;
    QLabel* lblnome_ = nullptr;
};

}  // namespace editors
