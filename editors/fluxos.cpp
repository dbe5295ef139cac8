#include "editors/fluxos.h"

#include <QLabel>
#include <optional>

#include "app/dialogs.h"
#include "app/janelas.h"
#include "data/banco.h"
#include "data/sqlite.h"
#include "editors/formulariosimples.h"
#include "editors/frmcadagenda.h"
#include "editors/frmcadcompromisso.h"

namespace editors {
namespace {

template <class T>
FormularioCadastro* unica() {
    return &janelas::unica<T>();
}

// Everything the flows of one category need; the five differ only here.
struct Fluxo {
    Categoria categoria;
    FormularioCadastro* (*formulario)();  // the category's single entry form
    const char* janelaAdicionar;          // nullptr: the form keeps its caption
    const char* acaoAdicionar;
    const char* janelaEditar;
    const char* acaoEditar;
    const char* tabela;
    const char* colunaChave;
    int colunaLista;       // list column holding the key
    int colunaPergunta;    // list column shown in the removal question
    const char* pergunta;  // followed by the shown column and " do banco de dados?"
    const char* sucesso;
    bool abrirAntesDeRecarregar;  // the appointment loader reads on the connection as it stands
};

constexpr Fluxo kFluxos[] = {
    {Categoria::Agenda, unica<frmcadagenda>, "Adicionar novo contato", "Adicionar Contato",
     "Editar agenda de contato", "Editar contato", "agenda", "nome", 1, 1,
     "Tem certeza que deseja remover o contato ", "Contato removido com sucesso do banco de dados!",
     false},
    {Categoria::Anotacoes, unica<frmcadanotacoes>, "Adicionar anotação", "Adicionar Anotação",
     "Editar Anotação", "Editar Anotação", "anotacoes", "Titulo", 1, 1,
     "Tem certeza que deseja remover a anotação de título ",
     "Anotação removida com sucesso do banco de dados!", false},
    {Categoria::Senhas, unica<frmcadsenhas>, "Adicionar senha/serial", "Adicionar senha/serial",
     "Editar senha/serial", "Editar senha/serial", "senhas", "descricao", 1, 1,
     "Tem certeza que deseja remover a senha ", "Senha removida com sucesso do banco de dados!",
     false},
    {Categoria::Uteis, unica<frmcadutil>, "Adicionar telefone útil", "Adicionar tel útil",
     "Editar telefone útil", "Editar tel útil", "uteis", "descricao", 1, 1,
     "Tem certeza que deseja remover o telefone ",
     "Telefone removido com sucesso do banco de dados!", false},
    // Found by its number in the hidden column; asked about by its title.
    {Categoria::Compromisso, unica<frmcadcompromisso>, nullptr, "Adicionar Compromisso",
     "Editar compromisso", "Editar Compromisso", "compromisso", "id", 0, 3,
     "Tem certeza que deseja remover o compromisso ",
     "Compromisso removido com sucesso do banco de dados!", true},
};

QString t(const char* texto) {
    return QString::fromUtf8(texto);
}

const Fluxo& fluxo(Categoria categoria) {
    for (const Fluxo& f : kFluxos)
        if (f.categoria == categoria)
            return f;
    Q_UNREACHABLE();
}

// Shows the form on its first page and sets the window and action captions; the fields
// stay as they are.
FormularioCadastro* abrirFormulario(const Fluxo& f, const char* janela, const char* acao) {
    FormularioCadastro* form = f.formulario();
    janelas::mostrar(*form);
    if (janela)
        form->setWindowTitle(t(janela));
    form->definirLegendaAcao(t(acao));
    form->irParaPrimeiraPagina();
    return form;
}

// The stored columns that hold a value in the first row (in storage order, the one the save
// overwrites) whose key holds `chave` letter for letter. Nothing when no row holds the key
// or the lookup fails: the edit flow passes over.
QList<std::pair<QString, QString>> lerRegistro(const Fluxo& f, const QString& chave) {
    QList<std::pair<QString, QString>> registro;
    try {
        banco::abrirSeFechada();
        db::Statement st = banco::conexao().banco().prepare(
            QStringLiteral("SELECT * FROM [%1] WHERE %2 ORDER BY rowid")
                .arg(t(f.tabela), banco::condicaoChave(t(f.colunaChave))));
        st.bind({chave});
        if (st.next())
            for (int i = 0; i < st.columnCount(); ++i)
                if (!st.isNull(i))
                    registro.append({st.columnName(i), st.text(i)});
    } catch (const db::DbError&) {
    }
    return registro;
}

}  // namespace

void adicionar(Categoria categoria) {
    const Fluxo& f = fluxo(categoria);
    abrirFormulario(f, f.janelaAdicionar, f.acaoAdicionar);
}

void editar(Categoria categoria) {
    const Fluxo& f = fluxo(categoria);
    Principal* janela = principal();
    if (!janela || janela->linhas(categoria) == 0)
        return;
    const std::optional<QString> chave = janela->celulaSelecionada(categoria, f.colunaLista);
    const auto registro = chave ? lerRegistro(f, *chave) : QList<std::pair<QString, QString>>();
    FormularioCadastro* form = abrirFormulario(f, f.janelaEditar, f.acaoEditar);
    for (const auto& [coluna, valor] : registro)
        form->preencherColuna(coluna, valor);
    // The key last: the save overwrites the row it names.
    if (chave)
        form->rotuloChave()->setText(*chave);
}

void remover(Categoria categoria) {
    const Fluxo& f = fluxo(categoria);
    Principal* janela = principal();
    banco::abrirPadrao();
    try {
        const std::optional<QString> chave =
            janela ? janela->celulaSelecionada(categoria, f.colunaLista) : std::nullopt;
        if (!chave)
            throw db::DbError(QStringLiteral("Nenhum registro selecionado."));
        const QString mostrada =
            janela->celulaSelecionada(categoria, f.colunaPergunta).value_or(*chave);
        if (dialogs::mensagem(dialogs::Icone::Pergunta, QStringLiteral("Confirmar?"),
                              t(f.pergunta) + mostrada + QStringLiteral(" do banco de dados?"),
                              dialogs::Botoes::SimNao) != dialogs::Resposta::Sim)
            return;
        // Every row holding the key goes; a connection the open could not make fails here.
        banco::conexao().banco().exec(QStringLiteral("DELETE FROM [%1] WHERE %2")
                                          .arg(t(f.tabela), banco::condicaoChave(t(f.colunaChave))),
                                      {*chave});
        banco::conexao().fechar();
    } catch (const db::DbError& e) {
        dialogs::mensagem(dialogs::Icone::Critico, QStringLiteral("Erro"),
                          QStringLiteral("Ocorreu o seguinte erro: ") + e.descricao());
        return;
    }
    dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Info"), t(f.sucesso));
    if (f.abrirAntesDeRecarregar)
        banco::abrirPadrao();
    if (janela)
        janela->recarregar(categoria);
}

}  // namespace editors
