#include "editors/formulariosimples.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/dialogs.h"
#include "app/foco.h"

namespace editors {
namespace {

using regras::Regra;

const DescricaoSimples& anotacoes() {
    static const DescricaoSimples d{
        QStringLiteral("frmcadanotacoes"),
        QStringLiteral("anotacoes"),
        QStringLiteral("Anotações"),
        QStringLiteral("ANOTAÇÕES"),
        QStringLiteral("Utilize está tela para criar/editar suas anotações"),
        QStringLiteral("Adicionar Anotação"),
        {{QStringLiteral("txttitulo"), QStringLiteral("Titulo"), Regra::AparadoSemApostrofos, false,
          QStringLiteral("Título:")},
         {QStringLiteral("txtanotacoes"), QStringLiteral("anotacoes"), Regra::Preenchido, true,
          QStringLiteral("Anotação:")}},
        QStringLiteral("lblanotacoes"),
        QStringLiteral("O título da anotação deve ser digitado!"),
        Categoria::Anotacoes};
    return d;
}

const DescricaoSimples& senhas() {
    static const DescricaoSimples d{
        QStringLiteral("frmcadsenhas"),
        QStringLiteral("senhas"),
        QStringLiteral("Senhas"),
        QStringLiteral("SENHAS/SERIAIS"),
        QStringLiteral("Utilize está tela para criar/editar senhas e/ou seriais "),
        QStringLiteral("Adicionar senha/serial"),
        {{QStringLiteral("txtdescricao"), QStringLiteral("descricao"), Regra::SemApostrofos, false,
          QStringLiteral("Descrição:")},
         {QStringLiteral("txtsenha"), QStringLiteral("senha"), Regra::Preenchido, false,
          QStringLiteral("Senha/Serial:")},
         {QStringLiteral("txtcomentario"), QStringLiteral("adicionais"), Regra::Preenchido, true,
          QStringLiteral("Comentários:")}},
        QStringLiteral("lbldescricao"),
        QStringLiteral("A descrição da senha deve ser digitado!"),
        Categoria::Senhas};
    return d;
}

const DescricaoSimples& uteis() {
    static const DescricaoSimples d{
        QStringLiteral("frmcadutil"),
        QStringLiteral("uteis"),
        QStringLiteral("Adicionar telefone útil"),
        QStringLiteral("TELEFONE ÚTIL"),
        QStringLiteral("Utilize está tela para criar/editar telefones úteis"),
        QStringLiteral("Adicionar tel útil"),
        {{QStringLiteral("txtdescricao"), QStringLiteral("descricao"), Regra::Aparado, false,
          QStringLiteral("Descrição:")},
         {QStringLiteral("txttel"), QStringLiteral("telefone"), Regra::Preenchido, false,
          QStringLiteral("Telefone:")}},
        QStringLiteral("lbldescricao"),
        QStringLiteral("A descricao do telefone deve ser digitado!"),
        Categoria::Uteis};
    return d;
}

}  // namespace

FormularioSimples::FormularioSimples(const DescricaoSimples& descricao, QWidget* parent)
    : FormularioCadastro(descricao.objeto, descricao.legendaJanela, descricao.tituloCabecalho,
                         descricao.linhaCabecalho, descricao.legendaAdicionar, parent),
      d_(descricao) {
    for (const CampoSimples& c : d_.campos) {
        QWidget* caixa = c.multilinha ? static_cast<QWidget*>(caixaMultilinha(c.controle))
                                      : caixaTexto(c.controle);
        adicionarCampo(c.legenda, caixa);
    }
    rotulo_ = criarRotuloChave(d_.rotuloChave, QString());
    foco::destacarTodos(this);
}

void FormularioSimples::adicionar() {
    if (regras::aparado(textoCampo(d_.campos.first().controle)).isEmpty()) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, QStringLiteral("Erro"),
                          d_.mensagemChaveVazia);
        return;
    }
    gravar(d_.recarga, kErroIncluir,
           [this](db::Database& b) { gravacao::inserir(b, d_.tabela, valores(d_.campos)); });
}

void FormularioSimples::editar() {
    // The row is the one the flow put in the hidden label, so the key itself may change.
    gravar(d_.recarga, kErroIncluir, [this](db::Database& b) {
        gravacao::atualizarPrimeira(b, d_.tabela, d_.campos.first().coluna, rotulo_->text(),
                                    valores(d_.campos));
    });
}

frmcadanotacoes::frmcadanotacoes(QWidget* parent) : FormularioSimples(anotacoes(), parent) {}
frmcadsenhas::frmcadsenhas(QWidget* parent) : FormularioSimples(senhas(), parent) {}
frmcadutil::frmcadutil(QWidget* parent) : FormularioSimples(uteis(), parent) {}

}  // namespace editors
