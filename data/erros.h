#pragma once

#include <QString>

// The failures a user meets most, described in Portuguese as the rest of the program
// speaks; any other keeps the text of the engine or of the system.
namespace erros {

// An engine result code and the system's error number behind it; empty when the failure
// is not one of the common ones.
QString doBanco(int codigo, int numeroSistema);

// The same, for a failure on the file `arquivo`: a write its folder refused is told as the
// folder's, not as a missing file (the engine's last system error is often a later one).
QString doBanco(int codigo, int numeroSistema, const QString& arquivo);

// Whether it is the folder of `arquivo`, not the file, that refuses writes.
bool pastaSemGravacao(const QString& arquivo);
// How that is told.
QString textoPastaSemGravacao();

// How a damaged file is told.
QString textoDanificado();

// A file operation's error text (as the system words it) in Portuguese when it is a
// common failure; otherwise the text as given.
QString doSistema(const QString& texto);

}  // namespace erros
