#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text comparison as a Brazilian reader expects: letter case and accents do not
// count ("são" finds "São", Álvaro sorts beside Alvaro). Works on UTF-8 bytes
// straight from the engine, without allocating, because it runs once per row.
namespace textobr {

// The base letter of a code point, lower case and without accent.
char32_t dobrar(char32_t c);

// Collation: folded comparison first, raw bytes only to break ties.
int comparar(std::string_view a, std::string_view b);

// `like` with "%" as the only wildcard; every other character stands for itself.
bool combina(std::string_view padrao, std::string_view texto);

// Whether the folded text of `texto` starts with the folded `prefixo`.
bool comecaCom(std::string_view texto, std::string_view prefixo);

// The text with every character folded (malformed bytes read as `combina` reads them), as
// UTF-8: `combinaDobrado(dobrado(p), dobrado(t)) == combina(p, t)`, and a search folds each
// stored text once instead of on every keystroke.
std::string dobrado(std::string_view texto);
bool combinaDobrado(std::string_view padrao, std::string_view texto);

}  // namespace textobr
