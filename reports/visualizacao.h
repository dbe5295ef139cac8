#pragma once

namespace relatorios {

class Relatorio;

// The report on screen: its preview window, the printer choice and "Salvar PDF".

// Asks for a PDF file name ("Salvar PDF") and writes the report there; a cancelled
// name writes nothing.
void salvarPdf(Relatorio& relatorio);

// Runs the report as its switches say: the preview window (with Qt's print button and
// "Salvar PDF"), or the printer choice and printing. A report that cannot run raises its
// error and shows no window. Returns when the user is done; true when it ran.
bool executar(Relatorio& relatorio);

}  // namespace relatorios
