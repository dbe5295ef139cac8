#pragma once

#include <QString>

class QPagedPaintDevice;

namespace relatorios {

class Relatorio;

// Paints the whole report page after page on a printer or a PDF writer, whose page is
// set to the report's paper, addressed from the paper's edge. False when the report did
// not run (its error event raised).
bool pintar(Relatorio& relatorio, QPagedPaintDevice& dispositivo);

// Writes the whole report as PDF, streaming page by page into a file that replaces
// `arquivo` only when complete. False when the report did not run or the file failed
// (the user is told).
bool gravarPdf(Relatorio& relatorio, const QString& arquivo);

// Asks for a PDF file name ("Salvar PDF") and writes the report there; a cancelled
// name writes nothing.
void salvarPdf(Relatorio& relatorio);

// Runs the report as its switches say: the preview window (with Qt's print button and
// "Salvar PDF"), or the printer choice and printing. A report that cannot run raises its
// error and shows no window. Returns when the user is done; true when it ran.
bool executar(Relatorio& relatorio);

}  // namespace relatorios
