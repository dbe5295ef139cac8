#include "data/categoria.h"

namespace categoria {
namespace {

struct Tabela {
    const char* nome;
    const char* chave;
};

// In the order of the enumeration.
constexpr Tabela kTabelas[kQuantidade] = {
    {"agenda", "nome"},     {"compromisso", "id"},   {"senhas", "descricao"},
    {"uteis", "descricao"}, {"anotacoes", "Titulo"},
};

}  // namespace

const char* tabela(Categoria c) {
    return kTabelas[static_cast<int>(c)].nome;
}

const char* colunaChave(Categoria c) {
    return kTabelas[static_cast<int>(c)].chave;
}

}  // namespace categoria
