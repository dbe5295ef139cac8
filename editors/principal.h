#pragma once

#include <QString>
#include <optional>

#include "data/categoria.h"

class QWidget;

// What the add, edit and remove flows need of the main window.
namespace editors {

class Principal {
public:
    virtual ~Principal() = default;
    // Number of rows in the category's list.
    virtual int linhas(Categoria categoria) const = 0;
    // Text of a cell of the selected row (column 0 is the hidden one); nullopt with no selection.
    virtual std::optional<QString> celulaSelecionada(Categoria categoria, int coluna) const = 0;
    // The category's loader: carregaragenda, ..., or for appointments
    // carregarcompromisso("Select * from compromisso") on the connection as it stands.
    virtual void recarregar(Categoria categoria) = 0;
};

// The main window as the flows and entry forms reach it; nullptr before it exists.
Principal* principal();
void definirPrincipal(Principal* janela);

}  // namespace editors
