#pragma once

// The five kinds of record, each kept in its own table.
enum class Categoria { Agenda, Compromisso, Senhas, Uteis, Anotacoes };

namespace categoria {

inline constexpr int kQuantidade = 5;

// The table that holds the category's rows.
const char* tabela(Categoria c);
// The column a user knows a row by ("nome", "id", "descricao", "descricao", "Titulo").
const char* colunaChave(Categoria c);

}  // namespace categoria
