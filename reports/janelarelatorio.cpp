#include "reports/janelarelatorio.h"

#include "data/produto.h"
#include "reports/saida.h"
#include "reports/visualizacao.h"

namespace relatorios {

bool JanelaRelatorio::Rodar() {
    return preparar() && executar(rel_);
}

bool JanelaRelatorio::GravarPdf(const QString& arquivo) {
    return preparar() && gravarPdf(rel_, arquivo);
}

bool JanelaRelatorio::Emitir(Destino& destino) {
    return preparar() && rel_.emitir(destino);
}

Campo& adicionarCampo(Relatorio& rel, TipoBanda banda, const QString& grupo, int indice,
                      QRect posicao, const Fonte& fonte) {
    Campo& c = rel.adicionarCampo(banda, grupo, indice);
    c.esquerda = posicao.left();
    c.topo = posicao.top();
    c.largura = posicao.width();
    c.altura = posicao.height();
    c.fonte = fonte;
    return c;
}

Fonte fonte(const QString& nome, double pontos, bool negrito, bool italico, bool sublinhado) {
    Fonte f;
    f.nome = nome;
    f.pontos = pontos;
    f.negrito = negrito;
    f.italico = italico;
    f.sublinhado = sublinhado;
    return f;
}

void adicionarSumario(Relatorio& rel, int esquerda, int largura) {
    rel.banda(TipoBanda::Sumario).altura = 735;
    const Fonte negrito = fonte(QStringLiteral("Arial"), 9.75, true);
    adicionarCampo(rel, TipoBanda::Sumario, QStringLiteral("lblsumario1"), 0,
                   QRect(esquerda, 120, largura, 240), negrito)
        .legenda = produto::atribuicao();
    adicionarCampo(rel, TipoBanda::Sumario, QStringLiteral("lblsumario2"), 0,
                   QRect(esquerda, 360, largura, 240), negrito)
        .legenda =
        QStringLiteral("Visite nosso site: ") + produto::endereco(produto::Pagina::Inicio);
}

}  // namespace relatorios
