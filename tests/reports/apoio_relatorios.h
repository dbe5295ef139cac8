#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <vector>

#include "reports/relatorio.h"

// Records what a run prints, page by page, in the engine's design twips.
class Gravador : public relatorios::Destino {
public:
    struct Texto {
        int pagina;
        QPointF base;
        QString texto;
        relatorios::Fonte fonte;
    };
    struct Retangulo {
        int pagina;
        QRectF area;
        QColor cor;
    };

    int paginas = 0;
    QPointF origem;  // paper twips of the printable area's corner
    std::vector<Texto> textos;
    std::vector<Retangulo> retangulos;

    void comecar(const relatorios::Paginacao& p) override {
        paginas = p.paginas();
        origem = p.origem();
    }
    void iniciarPagina(int p) override { pagina_ = p; }
    void retangulo(const QRectF& area, const QColor& cor) override {
        retangulos.push_back({pagina_, area, cor});
    }
    void linha(const QLineF&, const QColor&, double, int) override {}
    void texto(QPointF base, const QString& t, const relatorios::Fonte& f, const QColor&) override {
        textos.push_back({pagina_, base, t, f});
    }

    // The texts of one page (or of all pages with -1), in printing order.
    QStringList daPagina(int pagina = -1) const {
        QStringList r;
        for (const Texto& t : textos)
            if (pagina < 0 || t.pagina == pagina)
                r << t.texto;
        return r;
    }

private:
    int pagina_ = -1;
};

// The text of a PDF as `pdftotext -layout` reads it; empty when the tool is missing.
inline QString textoDoPdf(const QString& arquivo, const QStringList& opcoes = {"-layout"}) {
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programa.isEmpty())
        return {};
    QProcess p;
    p.start(programa, opcoes + QStringList{arquivo, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, split at the form feeds pdftotext puts between pages.
inline QStringList paginasDoPdf(const QString& arquivo) {
    QStringList paginas = textoDoPdf(arquivo).split(QLatin1Char('\f'));
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty())
        paginas.removeLast();
    return paginas;
}
