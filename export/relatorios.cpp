#include "export/relatorios.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QProgressBar>
#include <algorithm>

#include "export/saida.h"

namespace {

// The first column of the text table is never wider than this.
constexpr qsizetype kTetoPrimeira = 35;
constexpr QLatin1StringView kFimDeLinha("\r\n");
constexpr QLatin1StringView kVao("  ");

// Characters as a reader counts them: a surrogate pair is one.
qsizetype comprimento(QStringView texto) {
    qsizetype n = texto.size();
    for (QChar c : texto)
        if (c.isLowSurrogate())
            --n;
    return n;
}

// The first `n` characters, never half a surrogate pair.
QStringView primeiros(QStringView texto, qsizetype n) {
    qsizetype i = 0;
    for (; i < texto.size() && n > 0; --n)
        i += texto.at(i).isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
    return texto.first(i);
}

QString celula(const QAbstractItemModel& lista, int linha, int coluna) {
    return lista.data(lista.index(linha, coluna)).toString();
}

// A cell as one line of the text table: its line breaks become blanks.
QString celulaEmLinha(const QAbstractItemModel& lista, int linha, int coluna) {
    QString s = celula(lista, linha, coluna);
    s.replace(QLatin1StringView("\r\n"), QLatin1StringView(" "));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}

QString cabecalho(const QAbstractItemModel& lista, int coluna) {
    return lista.headerData(coluna, Qt::Horizontal).toString();
}

// Moves the bar on a 0 to 100 scale, told only when the whole number changes. A bar
// paints itself at once on every new value, and a styled one takes near a millisecond
// to paint, so it gets a new picture at most every 40 ms; between pictures its value
// is kept current and painted when the event loop next runs.
class Avanco {
public:
    Avanco(QProgressBar* barra, int total) : barra_(barra), total_(total) {
        if (barra_) {
            pintura_.start();
            barra_->setRange(0, 100);
            definir(0);
        }
    }
    void feitas(int linhas) {
        const int valor = int(qint64(linhas) * 100 / total_);
        if (barra_ && valor != valor_)
            definir(valor);
    }
    // The bar ends back at its start; the caller hides it.
    void fim() {
        if (barra_)
            definir(0);
    }

private:
    void definir(int valor) {
        valor_ = valor;
        const bool adiar = pintura_.elapsed() < kIntervaloMs && barra_->updatesEnabled();
        if (adiar)
            barra_->setUpdatesEnabled(false);
        barra_->setValue(valor);
        if (adiar)
            barra_->setUpdatesEnabled(true);
        else
            pintura_.start();
    }

    static constexpr qint64 kIntervaloMs = 40;
    QProgressBar* barra_;
    int total_;
    int valor_ = 0;
    QElapsedTimer pintura_;
};

// One line of the file, built in place and handed over whole.
class Linha {
public:
    explicit Linha(Saida& saida) : saida_(saida) {}
    QString& texto() { return texto_; }
    // The text, blanks up to `largura` when it is shorter, then the gap.
    void celula(QStringView s, qsizetype largura) {
        texto_ += s;
        texto_.resize(texto_.size() + std::max<qsizetype>(0, largura - comprimento(s)) + 2,
                      QLatin1Char(' '));
    }
    // The text escaped, between its tags.
    void html(QLatin1StringView antes, QStringView s, QLatin1StringView depois) {
        texto_ += antes;
        exportacao::acrescentarHtml(texto_, s);
        texto_ += depois;
    }
    // False once the file has refused a write.
    bool terminar() {
        texto_ += kFimDeLinha;
        saida_ << texto_;
        texto_.resize(0);
        return saida_.ok();
    }

private:
    Saida& saida_;
    QString texto_;
};

}  // namespace

bool c_relatorios::Exportar_listaparaTXT(Saida& ArquivoTemp, const QAbstractItemModel& ListView,
                                         bool Encabezado) {
    const int linhas = ListView.rowCount(), colunas = ListView.columnCount();
    if (linhas == 0)
        return false;
    const auto teto = [this](int coluna) {
        return coluna == 0 ? kTetoPrimeira : qsizetype(maxLetra_);
    };
    larguras_.assign(std::size_t(colunas), 0);
    for (int c = 0; c < colunas; ++c)
        larguras_[std::size_t(c)] = comprimento(cabecalho(ListView, c));
    for (int r = 0; r < linhas; ++r) {
        for (int c = 0; c < colunas; ++c) {
            const qsizetype n = comprimento(celulaEmLinha(ListView, r, c));
            qsizetype& largura = larguras_[std::size_t(c)];
            // A cell at the cap sets the width to it, even under a longer title.
            if (n >= teto(c))
                largura = teto(c);
            else if (n > largura)
                largura = n;
        }
    }

    Linha linha(ArquivoTemp);
    if (Encabezado) {
        for (int c = 0; c < colunas; ++c)
            linha.celula(cabecalho(ListView, c), larguras_[std::size_t(c)]);
        if (!linha.terminar())
            return false;
        for (int c = 0; c < colunas; ++c)
            linha.celula(letra_.repeated(std::max<qsizetype>(1, larguras_[std::size_t(c)])), 0);
        if (!linha.terminar())
            return false;
    }
    Avanco avanco(barra_, linhas);
    for (int r = 0; r < linhas; ++r) {
        for (int c = 0; c < colunas; ++c) {
            // No text is ever cut: one wider than its column is written whole and pushes
            // the rest of its line along.
            linha.celula(celulaEmLinha(ListView, r, c), larguras_[std::size_t(c)]);
        }
        if (!linha.terminar())
            return false;
        avanco.feitas(r + 1);
    }
    avanco.fim();
    return true;
}

bool c_relatorios::Exportar_listaparaHTML(const QAbstractItemModel& ListView, Saida& TempFile) {
    const int linhas = ListView.rowCount(), colunas = ListView.columnCount();
    if (linhas == 0)
        return false;
    Linha linha(TempFile);
    linha.texto() += QLatin1StringView("<table border='2' align='center'>\r\n");
    if (!linha.terminar())
        return false;
    linha.texto() += QLatin1StringView("<tr>\r\n");
    for (int c = 0; c < colunas; ++c)
        linha.html(QLatin1StringView("<TH nowrap bgcolor='#FFFFCC'>"), cabecalho(ListView, c),
                   QLatin1StringView("</th>\r\n"));
    linha.texto() += QLatin1StringView("</tr>");
    if (!linha.terminar())
        return false;
    Avanco avanco(barra_, linhas);
    for (int r = 0; r < linhas; ++r) {
        linha.texto() += QLatin1StringView("<tr>\r\n");
        // Every cell, empty or not, ends in a hard blank so the browser draws its border.
        for (int c = 0; c < colunas; ++c)
            linha.html(QLatin1StringView("<td nowrap>"), celula(ListView, r, c),
                       QLatin1StringView("&nbsp;</td>\r\n"));
        linha.texto() += QLatin1StringView("</tr>");
        if (!linha.terminar())
            return false;
        avanco.feitas(r + 1);
    }
    linha.texto() += QLatin1StringView("</table>");
    if (!linha.terminar())
        return false;
    avanco.fim();
    return true;
}

void c_relatorios::Max_LetraForFields(qint16 vnewval) {
    maxLetra_ = std::max<qint16>(0, vnewval);
}

void c_relatorios::mLetraTXT(const QString& vnewval) {
    letra_ = vnewval.isEmpty() ? QStringLiteral(" ") : primeiros(vnewval, 1).toString();
}

void c_relatorios::FieldEncloseCSV(const QString& vnewval) {
    delimitador_ = primeiros(vnewval, 1).toString();
}

void c_relatorios::FieldSeparatorCSV(const QString& vnewval) {
    separador_ = primeiros(vnewval, 1).toString();
}

void c_relatorios::Progresbar(QObject* ProgressBar) {
    barra_ = qobject_cast<QProgressBar*>(ProgressBar);
}

namespace exportacao {

void acrescentarHtml(QString& destino, QStringView texto) {
    for (QChar c : texto) {
        switch (c.unicode()) {
            case '<':
                destino += QLatin1StringView("&lt;");
                break;
            case '>':
                destino += QLatin1StringView("&gt;");
                break;
            case '&':
                destino += QLatin1StringView("&amp;");
                break;
            case '"':
                destino += QLatin1StringView("&quot;");
                break;
            case '\'':
                destino += QLatin1StringView("&#39;");
                break;
            // A comment of several lines keeps its breaks, and its row stays one line.
            case '\n':
                destino += QLatin1StringView("<br>");
                break;
            case '\r':
                break;
            default:
                destino += c;
        }
    }
}

QString escaparHtml(QStringView texto) {
    QString r;
    r.reserve(texto.size());
    acrescentarHtml(r, texto);
    return r;
}

}  // namespace exportacao
