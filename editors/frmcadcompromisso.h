#pragma once

#include <QList>

#include "data/gravacao.h"
#include "editors/formulario.h"

class CampoData;

namespace editors {

// The appointment form. Rows are known by their number `id`, kept in the hidden `lblid`;
// there is no empty-field check and, unlike the other forms, no focus colour.
class frmcadcompromisso : public FormularioCadastro {
    Q_OBJECT
public:
    explicit frmcadcompromisso(QWidget* parent = nullptr);

    void adicionar() override;
    void editar() override;
    QLabel* rotuloChave() const override { return lblid_; }

protected:
    QString controleDaColuna(const QString& coluna) const override;
    // Writes on the shared connection as the last operation left it, opening it only
    // when it is closed (right after a login, for instance).
    void abrirConexao() override;

private:
    // `hora` is padded when the row is added and only trimmed when it is edited.
    QList<gravacao::Valor> valores(bool adicionando) const;
    CampoData* data_ = nullptr;
    QLabel* lblid_ = nullptr;
};

}  // namespace editors
