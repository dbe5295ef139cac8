#include "editors/formulariosimples.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/dialogs.h"
#include "ui/foco.h"

namespace editors {
namespace {

const categoria::FormularioSimples& formularioDe(Categoria c) {
    return *categoria::descricao(c).formulario;
}

}  // namespace

FormularioSimples::FormularioSimples(Categoria c, QWidget* parent)
    : FormularioCadastro(formularioDe(c).objeto, formularioDe(c).legendaJanela,
                         formularioDe(c).tituloCabecalho, formularioDe(c).linhaCabecalho,
                         formularioDe(c).legendaAdicionar, parent),
      categoria_(c),
      d_(formularioDe(c)) {
    for (const categoria::CampoSimples& campo : d_.campos) {
        QWidget* caixa = campo.multilinha ? static_cast<QWidget*>(caixaMultilinha(campo.controle))
                                          : caixaTexto(campo.controle);
        adicionarCampo(campo.legenda, caixa);
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
    gravar(categoria_, kErroIncluir, [this](db::Database& b) {
        gravacao::inserir(b, categoria::tabela(categoria_), valores(d_.campos));
    });
}

void FormularioSimples::editar() {
    // The record is the one the flow opened, so the key itself may change.
    gravar(categoria_, kErroIncluir,
           [this](db::Database& b) { atualizarAlvo(b, categoria_, valores(d_.campos)); });
}

frmcadanotacoes::frmcadanotacoes(QWidget* parent)
    : FormularioSimples(Categoria::Anotacoes, parent) {}
frmcadsenhas::frmcadsenhas(QWidget* parent) : FormularioSimples(Categoria::Senhas, parent) {}
frmcadutil::frmcadutil(QWidget* parent) : FormularioSimples(Categoria::Uteis, parent) {}

}  // namespace editors
