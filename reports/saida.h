#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace relatorios {

class Relatorio;
class Paginacao;

// Paints the whole report page after page on a printer or a PDF writer, whose page is
// set to the report's paper, addressed from the paper's edge. False when the report did
// not run (its error event raised).
bool pintar(Relatorio& relatorio, QPagedPaintDevice& dispositivo);

// The pages `primeira` to `ultima` (from 0) of the pages `paginacao` laid out, as pictures
// of the whole paper at `dpi` dots an inch, for a preview that paints only what it shows.
// The rows are read again from the start; empty when they cannot be read (the failure
// told).
QList<QImage> imagensDasPaginas(Relatorio& relatorio, const Paginacao& paginacao, int primeira,
                                int ultima, double dpi);

// Writes the whole report as PDF, streaming page by page into a file that replaces
// `arquivo` only when complete. False when the report did not run or the file failed
// (the user is told, through data/avisos.h).
bool gravarPdf(Relatorio& relatorio, const QString& arquivo);

}  // namespace relatorios
