#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The key a file is opened with: the built-in one, or one derived from the user's own
// password (docs/chave-do-arquivo.md describes the format for other tools).
namespace chave {

// Pinned: changing any of these makes every protected file unreadable.
inline constexpr std::uint32_t kPassadas = 3;
inline constexpr std::uint32_t kMemoriaKiB = 64 * 1024;
inline constexpr std::uint32_t kFaixas = 1;
inline constexpr int kBytes = 32;
inline constexpr int kBytesSal = 16;

// The built-in key of a file without a password of its own.
QString embutida();

// The file's first 16 bytes: the random salt the engine wrote; empty when shorter.
QByteArray sal(const QString& caminho);

// Argon2id (v1.3) of the password's UTF-8 bytes with `sal`, as the engine's raw key
// "x'<64 hex digits>'". Costs about half a second on purpose.
QString derivar(const QString& senha, const QByteArray& sal);

// Whether the file could be a keyed file of the engine: a whole number of pages, with no
// plain database header.
bool pareceCifrado(const QString& caminho);

enum class Teste { Abre, ChaveErrada, Outro };
// Tries the key on the file, reading only. Outro: missing, busy or not a database of ours
// for another reason than the key.
Teste testar(const QString& caminho, const QString& chave);

// The password of this session, held in memory only. Empty: the built-in key.
void definirSenha(const QString& senha);
void esquecer();
bool temSenha();
// The key this session opens `caminho` with: derived from the session's password for the
// file's salt (remembered per salt), or the built-in key.
QString daSessao(const QString& caminho);
// The key `senha` gives `caminho`; an empty password gives the built-in key.
QString paraSenha(const QString& caminho, const QString& senha);

}  // namespace chave
