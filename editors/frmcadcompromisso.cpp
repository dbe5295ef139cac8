#include "editors/frmcadcompromisso.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <array>

#include "data/banco.h"
#include "data/regras.h"
#include "ui/campodata.h"

namespace editors {

frmcadcompromisso::frmcadcompromisso(QWidget* parent)
    : FormularioCadastro(QStringLiteral("frmcadcompromisso"),
                         QStringLiteral("Cadastro de compromisso"), QStringLiteral("COMPROMISSOS"),
                         QStringLiteral("Utilize está tela para criar/editar seus compromissos"),
                         QStringLiteral("Adicionar Compromisso"), parent) {
    data_ = new CampoData(this);
    data_->setObjectName(QStringLiteral("cbodata"));
    data_->definirObrigatoria(true);
    data_->definirData(regras::hoje());
    adicionarCampo(QStringLiteral("Data:"), data_);
    const auto caixa = [this](const char* controle) {
        return caixaTexto(QString::fromLatin1(controle),
                          categoria::maximo(Categoria::Compromisso, controle));
    };
    adicionarCampo(QStringLiteral("Hora:"), caixa("txthora"));
    adicionarCampo(QStringLiteral("Título:"), caixa("txttitulo"));
    adicionarCampo(QStringLiteral("Local:"), caixa("txtlocal"));
    adicionarCampo(QStringLiteral("Descrição:"), caixaMultilinha(QStringLiteral("txtdescricao")));
    lblid_ = criarRotuloChave(QStringLiteral("lblid"), QStringLiteral("Label6"));
}

namespace {

// The row as it is written, in this order; an edit trims the time without padding it.
std::array<ColunaGravada, 5> colunas(bool adicionando) {
    std::array<ColunaGravada, 5> r;
    const std::span<const ColunaGravada> gravadas =
        categoria::colunasGravadas(Categoria::Compromisso);
    std::copy(gravadas.begin(), gravadas.end(), r.begin());
    if (!adicionando)
        r[1].regra = regras::Regra::Aparado;
    return r;
}

}  // namespace

QList<gravacao::Valor> frmcadcompromisso::valores(bool adicionando) const {
    return FormularioCadastro::valores(colunas(adicionando));
}

QString frmcadcompromisso::controleDaColuna(const QString& coluna) const {
    return procurarControle(colunas(true), coluna);
}

void frmcadcompromisso::abrirConexao() {
    banco::abrirSeFechada();
}

void frmcadcompromisso::adicionar() {
    gravar(Categoria::Compromisso,
           QStringLiteral("Ocorreu o seguinte erro ao tentar cadastrar os dados: "),
           [this](db::Database& b) {
               gravacao::inserir(b, QStringLiteral("compromisso"), valores(true));
           });
}

void frmcadcompromisso::editar() {
    gravar(Categoria::Compromisso,
           QStringLiteral("Ocorreu o seguinte erro ao tentar editar os dados: "),
           [this](db::Database& b) { atualizarAlvo(b, Categoria::Compromisso, valores(false)); });
}

}  // namespace editors
