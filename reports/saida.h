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
// (the user is told, through data/avisos.h).
bool gravarPdf(Relatorio& relatorio, const QString& arquivo);

}  // namespace relatorios
