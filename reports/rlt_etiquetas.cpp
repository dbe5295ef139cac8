#include "reports/rlt_etiquetas.h"

#include "data/banco.h"

using namespace relatorios;

namespace {

struct Desenho {
    int index;
    const char* campo;
    int topo;  // twips
    double pontos;
    bool negrito;
    const char* formato;
};

constexpr Desenho kCampos[] = {
    {0, "Nome", 240, 9, true, ""},
    {1, "endereco", 480, 9, false, ""},
    {2, "bairro", 720, 9, false, ""},
    {4, "cidade", 960, 9, false, ""},
    {3, "cep", 1200, 9.75, true, "#####-###"},
};

}  // namespace

rlt_Etiquetas::rlt_Etiquetas() {
    rel_.titulo = QStringLiteral("Etiquetas");
    rel_.paginaReal = true;
    rel_.papel = QPageSize(QPageSize::Letter);  // paper code 1, "Carta"
    rel_.margemDireita = 0;
    for (const Desenho& d : kCampos) {
        Campo& c = adicionarCampo(rel_, TipoBanda::Detalhe, QStringLiteral("rpfDet"), d.index,
                                  QRect(240, d.topo, twipsDeMm(65), 225),
                                  fonte(QStringLiteral("Arial"), d.pontos, d.negrito));
        c.campo = QString::fromUtf8(d.campo);
        c.formato = QString::fromUtf8(d.formato);
    }
}

void rlt_Etiquetas::Definir(const etiquetas::Configuracao& c) {
    Altura = c.altura;
    Largura = c.largura;
    MargemEsquerda = c.margemEsquerda;
    MargemSuperior = c.margemSuperior;
    MargemInferior = c.margemInferior;
    Colunas = c.colunas;
}

etiquetas::Configuracao rlt_Etiquetas::configuracao() const {
    etiquetas::Configuracao c;
    c.altura = Altura;
    c.largura = Largura;
    c.margemEsquerda = MargemEsquerda;
    c.margemSuperior = MargemSuperior;
    c.margemInferior = MargemInferior;
    c.colunas = Colunas;
    return c;
}

bool rlt_Etiquetas::preparar() {
    banco::abrirPadrao();
    // A file that would not open has told the user so already.
    if (!banco::conexao().aberta())
        return false;
    const etiquetas::Geometria geometria(configuracao());
    // No whole label between the margins (a width of 0, say) prints nothing.
    if (!geometria.cabe()) {
        rel_.erro(relatorios::ErroSemEspaco);
        return false;
    }

    // The engine's label layout: one label a detail band, the columns side by side.
    Banda& det = rel_.banda(TipoBanda::Detalhe);
    det.largura = twipsDeMm(Largura);
    det.altura = twipsDeMm(Altura);
    rel_.colunas = geometria.colunas();
    rel_.espacoColunas = 0;
    rel_.margemEsquerda = twipsDeMm(MargemEsquerda);
    rel_.margemSuperior = twipsDeMm(MargemSuperior);
    rel_.margemInferior = twipsDeMm(MargemInferior);
    rel_.folgaInferior = twipsDeMm(etiquetas::kFolga);
    // Fields are cut at this label's right edge, whatever label the design had.
    const std::vector<etiquetas::LinhaCampo> linhas = etiquetas::lerCamposEtiqueta();
    for (const etiquetas::CampoEtiqueta& e : etiquetas::camposEtiqueta(linhas, det.largura)) {
        Campo& campo = rel_.garantirCampo(QStringLiteral("rpfDet"), e.index);
        campo.campo = e.campo;
        campo.topo = e.topo;
        campo.esquerda = e.esquerda;
        campo.largura = e.largura;
        campo.formato = e.formato;
    }

    brancos_ = geometria.brancos(LinhaInicio, ColunaInicio);
    const int contatos = contatos_.quantidade();
    if (!contatos_.falha().isEmpty()) {
        falha(contatos_.falha());
        return false;
    }
    rel_.registros = contatos > 0 ? brancos_ + contatos : 0;
    return true;
}

void rlt_Etiquetas::inicio(int numero) {
    // Every run starts from the first contact and the first blank.
    if (numero == 0) {
        contatos_.inicio();
        restantes_ = brancos_;
    }
}

void rlt_Etiquetas::proximoRegistro() {
    if (restantes_ < 1)
        contatos_.proximo();
    else
        --restantes_;
}

void rlt_Etiquetas::valorCampo(const QString& campo, QString& valor) {
    if (restantes_ >= 1) {
        valor.clear();
        return;
    }
    valor = etiquetas::valorEtiqueta(
        campo, [this](const QString& coluna) { return contatos_.valor(coluna); });
}
