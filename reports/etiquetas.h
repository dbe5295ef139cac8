#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "data/camposetiqueta.h"

// Address labels on Pimaco sheets as plain arithmetic: the models, the sheet geometry,
// where each label lands, and the fields of one label. Millimetres unless said otherwise.
namespace etiquetas {

struct Modelo {
    const char* nome;  // as the model list shows it
    double altura;     // label step down the sheet
    double largura;    // label step across the sheet
    double margemEsquerda;
    double margemSuperior;
    double margemInferior;
    int colunas;
};
std::span<const Modelo> modelos();
// The model with exactly this text; nullptr for any other.
const Modelo* modelo(const QString& nome);
inline constexpr const char* kModeloInicial = "Pimaco 6082/6182/6282/62582";

// US Letter, "Carta", the paper of every model.
inline constexpr double kLarguraCarta = 215.9;
inline constexpr double kAlturaCarta = 279.4;
// The models give their steps and margins to a tenth of a millimetre, which adds up to a
// few tenths past the bottom margin on a full sheet (7 rows of 33.9 from 21.2): a row may
// reach this far into it.
inline constexpr double kFolga = 0.5;

// The label settings record, one per run of the program.
struct Configuracao {
    double altura = 0;
    double largura = 0;
    double margemEsquerda = 0;
    double margemSuperior = 0;
    double margemInferior = 0;
    int colunas = 1;  // the paper is always Letter, "Carta"

    static Configuracao de(const Modelo& modelo);
};

// Where the labels of a configuration land on Letter sheets, filled row by row.
class Geometria {
public:
    explicit Geometria(const Configuracao& configuracao);

    // A whole label fits between the margins, and the columns are no wider than the paper.
    bool cabe() const;
    int colunas() const { return colunas_; }
    int linhasPorPagina() const;
    int porPagina() const { return linhasPorPagina() * colunas_; }
    // Labels left blank before the first contact. A start row or column below 1 is 1; a
    // column past the last is the last of its row.
    int brancos(int linhaInicio, int colunaInicio) const;

    struct Posicao {
        int pagina;  // from 0
        double x;    // mm from the paper's left edge to the label's
        double y;    // mm from the paper's top edge to the label's
    };
    // Label number `n` from 0, blanks included.
    Posicao posicao(int n) const;

private:
    Configuracao c_;
    int colunas_;
};

// A field as the label report places it, in twips.
struct CampoEtiqueta {
    int index;
    QString campo;
    int topo;
    int esquerda;
    int largura;
    QString formato;
};
// Rows whose Index is outside 0 to 4 are left out; a width reaching past the label's
// right edge (`larguraEtiqueta`, twips) is cut to end there.
std::vector<CampoEtiqueta> camposEtiqueta(const std::vector<LinhaCampo>& linhas,
                                          int larguraEtiqueta);

// What a label prints for `campo`: "cidade" is the city, " / " and the state; any other
// is the contact's column. `coluna` reads a column of the contact.
QString valorEtiqueta(const QString& campo, const std::function<QString(const QString&)>& coluna);

// The settings window's numbers, in the Brazilian format with a decimal comma.
std::optional<double> lerNumero(const QString& texto);
QString escreverNumero(double valor);
// Leaving a millimetre field: its number written back, or "0" when it is none.
QString regraMilimetros(const QString& texto);
// Leaving a whole-number field: rounded to the nearest (halves to even) and written
// back, or "1" when it is no number or falls outside `minimo` to `maximo`.
QString regraInteiro(const QString& texto, int minimo = -32768, int maximo = 32767);

}  // namespace etiquetas
