#pragma once

#include <QString>

// The failures a user meets most, described in Portuguese as the rest of the program
// speaks; any other keeps the text of the engine or of the system.
namespace erros {

// An engine result code and the system's error number behind it; empty when the failure
// is not one of the common ones.
QString doBanco(int codigo, int numeroSistema);

// A file operation's error text (as the system words it) in Portuguese when it is a
// common failure; otherwise the text as given.
QString doSistema(const QString& texto);

}  // namespace erros
