#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>

#include "ui/dialogs.h"

class QLabel;
class QScrollArea;
class QSpinBox;

// The preview of a report: the pages one under the other, painted only when they come
// into sight and kept for a few pages, so it opens as fast on 2,000 pages as on 2. The
// buttons page, zoom, print and save as PDF; none changes the paper or the orientation,
// which are the report's.
class JanelaVisualizacao : public QDialog {
    Q_OBJECT
public:
    JanelaVisualizacao(const QString& titulo, dialogs::PaginasRelatorio paginas,
                       std::function<void()> imprimir, std::function<void()> salvarPdf,
                       QWidget* parent = nullptr);

    // The page in the middle of the window, from 0.
    int paginaAtual() const;
    void irPara(int pagina);
    double zoom() const { return zoom_; }
    void definirZoom(double zoom);
    // The pages painted so far, in the order asked; for the tests and the benchmark.
    const QList<int>& pintadas() const { return pintadas_; }

private:
    friend class VistaPaginas;
    const QImage& imagem(int pagina);
    void pintarFaltando(int primeira, int ultima);
    QSize tamanhoPagina() const;
    void atualizarPagina();
    void ajustar(bool largura);

    dialogs::PaginasRelatorio paginas_;
    double zoom_ = 1;
    QScrollArea* area_ = nullptr;
    QWidget* vista_ = nullptr;
    QSpinBox* pagina_ = nullptr;
    QHash<int, QImage> guardadas_;
    QList<int> recentes_;
    QList<int> pintadas_;
    bool mudandoPagina_ = false;
};
