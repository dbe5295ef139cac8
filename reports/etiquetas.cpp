#include "reports/etiquetas.h"

#include <QLocale>
#include <cmath>

#include "data/regras.h"
#include "reports/relatorio.h"

namespace etiquetas {
namespace {

constexpr Modelo kModelos[] = {
    {"Pimaco 6080/6180", 25.4, 69.8, 4.8, 12.7, 12.7, 3},
    {"Pimaco 6081/6181/6281/62581", 25.4, 106.3, 4.8, 12.7, 12.7, 2},
    {"Pimaco 6082/6182/6282/62582", 33.9, 106.3, 4.0, 21.2, 21.2, 2},
    {"Pimaco 6083/6183/6283", 50.8, 106.3, 4.0, 12.7, 12.7, 2},
    {"Pimaco 6084/6184/6284", 84.7, 106.3, 4.0, 12.7, 12.7, 2},
};

QLocale brasil() {
    QLocale l(QLocale::Portuguese, QLocale::Brazil);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

}  // namespace

std::span<const Modelo> modelos() {
    return kModelos;
}

const Modelo* modelo(const QString& nome) {
    for (const Modelo& m : kModelos)
        if (nome == QLatin1String(m.nome))
            return &m;
    return nullptr;
}

Configuracao Configuracao::de(const Modelo& m) {
    Configuracao c;
    c.altura = m.altura;
    c.largura = m.largura;
    c.margemEsquerda = m.margemEsquerda;
    c.margemSuperior = m.margemSuperior;
    c.margemInferior = m.margemInferior;
    c.colunas = m.colunas;
    return c;
}

Geometria::Geometria(const Configuracao& c) : c_(c), colunas_(std::max(1, c.colunas)) {}

int Geometria::linhasPorPagina() const {
    return relatorios::cabem(kAlturaCarta - c_.margemSuperior - c_.margemInferior, c_.altura,
                             kFolga);
}

bool Geometria::cabe() const {
    return c_.largura > 0 && c_.margemEsquerda >= 0 && c_.margemSuperior >= 0 &&
           c_.margemInferior >= 0 && c_.margemEsquerda < kLarguraCarta && linhasPorPagina() > 0 &&
           colunas_ * c_.largura <= kLarguraCarta;
}

int Geometria::brancos(int linhaInicio, int colunaInicio) const {
    // The start is a label of the first sheet: a row past its last is its last row.
    const int linha = std::clamp(linhaInicio, 1, std::max(1, linhasPorPagina()));
    const int coluna = std::clamp(colunaInicio, 1, colunas_);
    return (linha - 1) * colunas_ + (coluna - 1);
}

Geometria::Posicao Geometria::posicao(int n) const {
    const int porFolha = std::max(1, porPagina());
    const int naFolha = n % porFolha;
    return {n / porFolha, c_.margemEsquerda + (naFolha % colunas_) * c_.largura,
            c_.margemSuperior + (naFolha / colunas_) * c_.altura};
}

std::vector<CampoEtiqueta> camposEtiqueta(const std::vector<LinhaCampo>& linhas,
                                          int larguraEtiqueta) {
    std::vector<CampoEtiqueta> r;
    for (const LinhaCampo& l : linhas) {
        if (l.index < 0 || l.index > 4)
            continue;
        CampoEtiqueta c{l.index,
                        l.campo,
                        relatorios::twipsDeMm(l.topo),
                        relatorios::twipsDeMm(l.esquerda),
                        relatorios::twipsDeMm(l.largura),
                        l.formato};
        if (c.esquerda + c.largura > larguraEtiqueta)
            c.largura = std::max(0, larguraEtiqueta - c.esquerda);
        r.push_back(c);
    }
    return r;
}

QString valorEtiqueta(const QString& campo, const std::function<QString(const QString&)>& coluna) {
    if (campo.compare(QLatin1String("cidade"), Qt::CaseInsensitive) == 0)
        // The padding blank of each stored value would double the blanks around the slash.
        return regras::aparado(coluna(QStringLiteral("cidade"))) + QStringLiteral(" / ") +
               regras::aparado(coluna(QStringLiteral("estado")));
    return coluna(campo);
}

std::optional<double> lerNumero(const QString& texto) {
    bool ok = false;
    double v = brasil().toDouble(texto.trimmed(), &ok);
    // A point typed as the decimal mark ("33.9") is not a Brazilian number but is meant as one.
    if (!ok)
        v = QLocale::c().toDouble(texto.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString escreverNumero(double valor) {
    return brasil().toString(valor == 0 ? 0.0 : valor, 'f', QLocale::FloatingPointShortest);
}

QString regraMilimetros(const QString& texto) {
    const std::optional<double> v = lerNumero(texto);
    return v ? escreverNumero(*v) : QStringLiteral("0");
}

QString regraInteiro(const QString& texto, int minimo, int maximo) {
    const std::optional<double> v = lerNumero(texto);
    if (!v)
        return QStringLiteral("1");
    const double inteiro = std::nearbyint(*v);  // the default rounding takes halves to even
    if (inteiro < minimo || inteiro > maximo)
        return QStringLiteral("1");
    return QString::number(qint64(inteiro));
}

}  // namespace etiquetas
