#include "editors/formulariosimples.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/dialogs.h"
#include "ui/foco.h"

namespace editors {
namespace {

using regras::Regra;

constexpr CampoSimples kCamposAnotacoes[] = {
    {"txttitulo", "Titulo", Regra::AparadoSemApostrofos, false, "Título:"},
    {"txtanotacoes", "anotacoes", Regra::Preenchido, true, "Anotação:"},
};
constexpr DescricaoSimples kAnotacoes{
    "frmcadanotacoes",    "Anotações",
    "ANOTAÇÕES",          "Utilize está tela para criar/editar suas anotações",
    "Adicionar Anotação", kCamposAnotacoes,
    "lblanotacoes",       "O título da anotação deve ser digitado!",
    Categoria::Anotacoes};

constexpr CampoSimples kCamposSenhas[] = {
    {"txtdescricao", "descricao", Regra::SemApostrofos, false, "Descrição:"},
    {"txtsenha", "senha", Regra::Preenchido, false, "Senha/Serial:"},
    {"txtcomentario", "adicionais", Regra::Preenchido, true, "Comentários:"},
};
constexpr DescricaoSimples kSenhas{
    "frmcadsenhas",           "Senhas",
    "SENHAS/SERIAIS",         "Utilize está tela para criar/editar senhas e/ou seriais ",
    "Adicionar senha/serial", kCamposSenhas,
    "lbldescricao",           "A descrição da senha deve ser digitado!",
    Categoria::Senhas};

constexpr CampoSimples kCamposUteis[] = {
    {"txtdescricao", "descricao", Regra::Aparado, false, "Descrição:"},
    {"txttel", "telefone", Regra::Preenchido, false, "Telefone:"},
};
constexpr DescricaoSimples kUteis{
    "frmcadutil",         "Adicionar telefone útil",
    "TELEFONE ÚTIL",      "Utilize está tela para criar/editar telefones úteis",
    "Adicionar tel útil", kCamposUteis,
    "lbldescricao",       "A descricao do telefone deve ser digitado!",
    Categoria::Uteis};

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
    if (regras::aparado(textoCampo(d_.campos.front().controle)).isEmpty()) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, QStringLiteral("Erro"),
                          d_.mensagemChaveVazia);
        return;
    }
    gravar(d_.categoria, kErroIncluir, [this](db::Database& b) {
        gravacao::inserir(b, categoria::tabela(d_.categoria), valores(d_.campos));
    });
}

void FormularioSimples::editar() {
    // The record is the one the flow opened, so the key itself may change.
    gravar(d_.categoria, kErroIncluir,
           [this](db::Database& b) { atualizarAlvo(b, d_.categoria, valores(d_.campos)); });
}

frmcadanotacoes::frmcadanotacoes(QWidget* parent) : FormularioSimples(kAnotacoes, parent) {}
frmcadsenhas::frmcadsenhas(QWidget* parent) : FormularioSimples(kSenhas, parent) {}
frmcadutil::frmcadutil(QWidget* parent) : FormularioSimples(kUteis, parent) {}

}  // namespace editors
