#pragma once

#include <QString>

// Lays a keyed file with realistic Brazilian rows: `contatos` contacts and
// `outros` rows of every other kind, in one transaction.
namespace gerador {

void gerar(const QString& caminho, int contatos, int outros);

}  // namespace gerador
