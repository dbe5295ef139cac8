#pragma once

#include <QString>

class QApplication;

namespace inicio {

// Qt's own Portuguese texts, so standard buttons read "Sim", "Não", "Cancelar".
bool carregarTraducoes(QApplication& app);

// Where the local dados.mde lives. The build folder, or a copy of the program the user
// unpacked somewhere, keeps it beside the program. An installed program, one whose
// folder its user cannot write or whose desktop entry sits in the share folder beside
// it, keeps it in `pastaUsuario`: a system folder is no place for one user's records.
QString pastaDados(const QString& pastaPrograma, const QString& pastaUsuario);

// Makes that folder the one the database is looked for in; an installed program lays
// an empty dados.mde there on its first start, as the build does beside the program.
void prepararPastaDados(const QString& pastaPrograma, const QString& pastaUsuario);

// Creates the main window and runs the event loop.
int executar(QApplication& app);

}  // namespace inicio
