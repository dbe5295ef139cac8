#pragma once

#include <QString>

class QTimer;

// Locking the program over a file with a password: every list emptied, the other windows
// and the connection closed, the session's password forgotten, until the unlock window
// is given the password again.
namespace acesso {

enum class Bloqueio { PeloUsuario, PorOciosidade };

// "Bloquear". By the user, a form with unsaved input asks first (kept, nothing is
// locked); when idle, such a form is hidden with its input and shown again on unlocking.
// A file without a password of its own is not locked: the user is told why. True when
// locked.
bool bloquear(Bloqueio motivo);
bool bloqueado();

// The idle lock: minutes without input before it locks, 0 (the default) for never; kept in
// the settings.
int minutosOcioso();
void definirMinutosOcioso(int minutos);
// Watches the program's input from now on, restarting the idle timer at each.
void vigiarOcioso();
// The idle timer (tests run it out with expirarOcioso()).
QTimer* temporizadorOcioso();
void expirarOcioso();

}  // namespace acesso
