#pragma once

#include <QString>

class QWidget;

// What the login at start decides, apart from its window.
namespace acesso {

// The characters the login refuses in a user name or password, in the order checked.
inline constexpr const char* kRecusados = "'*%=-#;";

// True when `texto` holds a character the login refuses.
bool temRecusado(const QString& texto);

// "ativo" keeps the window above the windows that are not always on top, "desativo"
// lets it go; any other word does nothing. The window neither moves nor resizes.
void SempreNoTopo(const QString& palavra, QWidget* janela);

// Ends the program at once: every window goes and none is asked first.
void encerrarPrograma();

}  // namespace acesso
