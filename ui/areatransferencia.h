#pragma once

#include <QString>

class QTimer;

// A secret put on the clipboard for a while only.
namespace areatransferencia {

inline constexpr int kDuracaoMs = 30000;

// Puts `texto` on the clipboard exactly as given, and clears it after kDuracaoMs unless
// something else has been copied meanwhile.
void copiarSegredo(const QString& texto);

// The timer that clears it (tests run it out with expirar()).
QTimer* temporizador();
// What the timer does when it runs out: clears the clipboard if it still holds the secret.
void expirar();

}  // namespace areatransferencia
