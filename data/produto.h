#pragma once

#include <QString>

// The program as its maker presents it: the pages of its site, and the line that names it
// in the foot of exported files and printed lists.
namespace produto {

enum class Pagina { Produto, Manual, Suporte, Contato, Boletim, Inicio };

// The page's address, all on the maker's site.
QString endereco(Pagina pagina);
// The line that names the maker.
QString atribuicao();

// The address "Acessar site" opens for a stored site: http and https addresses as they are,
// "www." ones as http; empty for anything else (a path, another scheme), which is not opened.
QString enderecoWeb(const QString& site);

}  // namespace produto
