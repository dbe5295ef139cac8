#pragma once

#include <QString>
#include <functional>

// How the data layer tells the user that something failed, without knowing about
// windows: start-up installs a handler that shows a message box; tests install their own.
namespace avisos {

using Aviso = std::function<void(const QString& titulo, const QString& texto)>;

// Installs the handler; an empty one makes failures silent.
void definir(Aviso aviso);

// A failure the user must hear about (critical icon).
void erro(const QString& titulo, const QString& texto);

}  // namespace avisos
