#pragma once

#include <QString>
#include <functional>

// How the layers without windows (the data, the report engine) tell the user that something
// failed: start-up installs a handler that shows a message box; tests install their own.
namespace avisos {

using Aviso = std::function<void(const QString& titulo, const QString& texto)>;

// Installs the handler; an empty one makes failures silent.
void definir(Aviso aviso);
// The same for news that is no failure (the information icon).
void definirInformativo(Aviso aviso);

// A failure the user must hear about (critical icon).
void erro(const QString& titulo, const QString& texto);
// Something the user should know that is no failure ("nothing to print").
void informacao(const QString& titulo, const QString& texto);

}  // namespace avisos
