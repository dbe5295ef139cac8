#pragma once

class QApplication;

namespace inicio {

// Qt's own Portuguese texts, so standard buttons read "Sim", "Não", "Cancelar".
bool carregarTraducoes(QApplication& app);

// Creates the main window and runs the event loop.
int executar(QApplication& app);

}  // namespace inicio
