#pragma once

#include <QString>
#include <optional>

#include "data/categoria.h"
#include "data/celulas.h"

class QAbstractItemView;
class QProgressBar;
class QWidget;

// What the add, edit and remove flows need of the main window.
namespace ui {

class Principal {
public:
    virtual ~Principal() = default;
    // The rows of the category's list, with the record of each.
    virtual const Celulas& celulas(Categoria categoria) const = 0;
    // The selected row of the category's list; nullopt with no selection.
    virtual std::optional<int> linhaSelecionada(Categoria categoria) const = 0;
    // The category's loader: carregaragenda, ..., or for appointments
    // carregarcompromisso("Select * from compromisso"), the list emptied before the open.
    virtual void recarregar(Categoria categoria) = 0;
    // Every list read again, each emptied before the file is opened.
    virtual void recarregarTodas() = 0;
    // Every list emptied, as when its file is gone.
    virtual void esvaziarTodas() = 0;
    // The main window itself, to know whether it is on screen.
    virtual QWidget* janela() = 0;
    // The list that shows the category, and the bar under it that shows an export's progress.
    virtual QAbstractItemView* vista(Categoria categoria) const = 0;
    virtual QProgressBar* barraProgresso(Categoria categoria) const = 0;

    int linhas(Categoria categoria) const { return celulas(categoria).linhas(); }
    // Text of a cell of the selected row (column 0 is the hidden one); nullopt with no selection.
    std::optional<QString> celulaSelecionada(Categoria categoria, int coluna) const {
        const std::optional<int> linha = linhaSelecionada(categoria);
        return linha ? std::optional(celulas(categoria).celula(*linha, coluna)) : std::nullopt;
    }
};

// The main window as the flows and entry forms reach it; nullptr before it exists.
Principal* principal();
void definirPrincipal(Principal* janela);

}  // namespace ui
