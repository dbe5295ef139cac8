#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QFileDevice;

// Files the program writes and reads beside the database, and the rules that keep the
// database safe from them.
namespace arquivos {

// Which file on which disk (device and inode), so two names of one file are told apart
// from two files; empty when there is no such file.
QString identidade(const QString& caminho);
bool mesmoArquivo(const QString& a, const QString& b);

// Where a restore or a change of password keeps the file it replaced.
QString anterior(const QString& banco);

// Why a file the user named must not be written: the database in use, its kept copy or
// its journal, whatever name or link leads there; empty when it may be written.
QString recusa(const QString& destino);

// Who may read a file the program creates: database copies are the user's alone, exports
// follow the desktop's default.
enum class Acesso { Comum, Privado };

// Writes `destino` whole or not at all: the old file stays until the new one is complete
// and on disk. `escrever` fills the device and returns the reason it failed, or empty
// text. An existing file keeps its permissions. Returns the reason of a failure (the
// refusal of the database included), or empty text.
QString gravarInteiro(const QString& destino, const std::function<QString(QFileDevice&)>& escrever,
                      Acesso acesso = Acesso::Comum, bool semBuffer = true);

// The bytes of a regular file of at most `limite` bytes; nullopt for anything else (a
// folder, a FIFO, a device, a file too large), without ever blocking on the open.
std::optional<QByteArray> lerRegular(const QString& caminho, qint64 limite);

// Creates an empty file only the user may read and write; false when it exists already or
// cannot be made.
bool criarPrivado(const QString& caminho);

// The names the program gives its own temporary copies beside the database.
QString modeloTemporario(const QString& banco, const QString& finalidade);
// Removes those copies left behind by a run that was killed, and nothing else.
void removerTemporarios(const QString& banco);

}  // namespace arquivos
