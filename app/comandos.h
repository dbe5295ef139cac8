#pragma once

#include <QString>
#include <QStringList>
#include <span>

#include "data/categoria.h"
#include "data/produto.h"

class QMenuBar;
class QToolBar;

// The command surface of the main window as one table: the menu bar, the toolbar,
// and what every entry does.
namespace comandos {

enum class Acao {
    Nenhuma,  // submenu title or separator
    Adicionar,
    Editar,
    Remover,  // argument: the category
    Etiquetas,
    Diretorio,
    ImprimirLista,
    SalvarHtml,
    SalvarTxt,  // argument: the category
    AcessarSite,
    EnviarEmail,
    AlterarLogin,
    SenhaArquivo,
    Bloquear,
    CopiarSenha,
    MostrarSenhas,
    FazerBackup,
    RestaurarBackup,
    Rede,
    Ferramenta,  // argument: the tool
    Pagina,      // argument: the page
    ImportarContatos,
    ExportarContatos,  // argument: the format
    ImportarCalendario,
    ExportarCalendario,
};

using Pagina = produto::Pagina;
enum class Ferramenta { BlocoDeNotas, Calculadora, Midia, Volume };

struct Comando {
    int nivel;  // 1: menu bar title; n+1 belongs to the nearest n above it
    const char* objeto;
    const char* legenda;  // "-" is a separator
    Acao acao;
    int argumento;
};

// The toolbar's buttons in order.
struct Botao {
    const char* chave;    // nullptr: a separator
    const char* legenda;  // nullptr: a separator
    const char* comando;  // the menu entry it does the same as
    const char* icone;    // themed icon name
};

std::span<const Comando> menu();
std::span<const Botao> barra();
const Comando* comando(const QString& objeto);

// The first program found on the path that stands for the tool here; empty when none is.
QString programaDisponivel(Ferramenta ferramenta);

// Does what an entry does.
void executar(const Comando& comando);
// A toolbar click, dispatched on the button's key; any other key does nothing.
void acionarBotao(const QString& chave);

// The add, edit and remove flows the entries and the lists start; tests replace them.
struct Fluxos {
    void (*adicionar)(Categoria);
    void (*editar)(Categoria);
    void (*remover)(Categoria);
};
Fluxos& fluxos();

// Whether the passwords list shows its "Senha/Serial" column (the setting, on by default),
// put in force on the main window's list.
bool mostrandoSenhas();
void aplicarMostrarSenhas();

// Builds the menu bar and the toolbar from the tables. Menus and actions carry the
// entries' names; toolbar buttons carry their key on the action and on the button.
void montarMenus(QMenuBar* barraMenus);
void montarBarra(QToolBar* barraFerramentas);

}  // namespace comandos
