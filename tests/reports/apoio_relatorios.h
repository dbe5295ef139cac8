#pragma once

#include <QProcess>
#include <QStringList>
#include <vector>

#include "ambiente_teste.h"
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
    void retangulo(const QRectF&, const QColor& cor) override {
        retangulos.push_back({pagina_, cor});
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
    QProcess p;
    p.start(QStringLiteral("pdftotext"), opcoes + QStringList{arquivo, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, split at the form feed pdftotext puts after each.
inline QStringList paginasDoPdf(const QString& arquivo) {
    return textoDoPdf(arquivo).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

// Contacts "Contato 000" on, with telephones, e-mail and address, in one statement.
inline void inserirContatos(AmbienteTeste& amb, int quantos) {
    amb.executar(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
        "INSERT INTO agenda (nome, ddd, tel, cel, msn, email, endereco, bairro, cidade, estado, "
        "cep) SELECT printf('Contato %03d', i), '11 ', printf('5555-%04d ', i), '9 ', ' ', "
        "printf('c%d@exemplo.com.br ', i), 'Rua A, 1 ', 'Centro ', 'Campinas ', 'SP ', "
        "'13010100 ' FROM n",
        {quantos});
}
