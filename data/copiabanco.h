#pragma once

#include <QString>
#include <functional>

#include "data/sqlite.h"
#include "data/trava.h"

// The database file copied out and put back whole. Every failure throws DbError
// with the reason; the database file is then as it was.
namespace copia {

// Why a restore refuses the file chosen.
inline const QString kNaoEBanco =
    QStringLiteral("o arquivo escolhido não é um banco de dados do Varnelo");
inline const QString kMesmoArquivo =
    QStringLiteral("o arquivo escolhido é o próprio banco de dados em uso");

// Copies the database file to `destino` byte for byte, as it stands between two
// writes. A file of that name is replaced only by a whole copy; a new one is its user's
// alone. The file in use is checked first: a damaged one is copied all the same, and the
// reason is returned (empty when the file is whole). The database itself, its kept copy and
// its journal are never written over.
QString copiarBanco(const QString& banco, const QString& destino, const QString& senha);

// Puts a copy of `origem` in the place of the database file once it proves to be a
// database of this program, keeping the file it replaces as anterior(banco). The backup
// opens with `chaveOrigem`, the file it replaces with `chaveAtual`.
void restaurarBanco(const QString& origem, const QString& banco, const QString& chaveOrigem,
                    const QString& chaveAtual);

// Keys the database file with `chaveNova` instead of `chaveAtual`. The file is copied to
// anterior(banco) first; the new key is written on a copy beside it, which replaces the
// file only once it opens with the new key and reads whole. A failure or a kill at any
// step leaves the file as it was, under its old key.
void trocarChave(const QString& banco, const QString& chaveAtual, const QString& chaveNova);

// Called with the name of each step of trocarChave as it is done, so a test can stop there.
std::function<void(const char* passo)>& aoPassoDaTroca();

// Where a restore keeps the file it replaced: one copy, replaced by the next restore.
QString anterior(const QString& banco);

}  // namespace copia
