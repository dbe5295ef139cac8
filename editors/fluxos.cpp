#include "editors/fluxos.h"

#include <QLabel>
#include <QStringList>
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

// A stored column and the control of the entry form that shows it.
struct Campo {
    QString coluna;
    QString controle;
};

// Everything the flows of one category need; the five differ only here.
struct Fluxo {
    Categoria categoria;
    FormularioCadastro* (*formulario)();  // the category's single entry form
    QString janelaAdicionar;              // empty: the form keeps its caption
    QString acaoAdicionar;
    QString janelaEditar;
    QString acaoEditar;
    int colunaLista;  // list column holding the key
    QString tabela;
    QString colunaChave;
    QList<Campo> campos;  // filled in this order by the edit flow
    QString rotuloChave;  // the form's hidden label, filled last with the key
    int colunaPergunta;   // list column shown in the removal question
    QString perguntaAntes;
    QString perguntaDepois;
    QString sucesso;
    // The appointment loader reads on the connection as it stands.
    bool abrirAntesDeRecarregar;
};

template <class T>
FormularioCadastro* unica() {
    return &janelas::unica<T>();
}

QString t(const char* texto) {
    return QString::fromUtf8(texto);
}

QList<Campo> campos(std::initializer_list<std::pair<const char*, const char*>> pares) {
    QList<Campo> r;
    for (const auto& [coluna, controle] : pares)
        r.append({t(coluna), t(controle)});
    return r;
}

const QList<Fluxo>& fluxos() {
    static const QList<Fluxo> tabela = {
        {Categoria::Agenda, unica<frmcadagenda>, t("Adicionar novo contato"),
         t("Adicionar Contato"), t("Editar agenda de contato"), t("Editar contato"), 1, t("agenda"),
         t("nome"), campos({{"nome", "txtnome"},         {"ddd", "txtddd"},
                            {"tel", "txttel"},           {"cidade", "cbocidade"},
                            {"estado", "cboestado"},     {"bairro", "cbobairro"},
                            {"msn", "txtmsn"},           {"skype", "txtskype"},
                            {"site", "txtsite"},         {"email", "txtEmail"},
                            {"endereco", "txtendereco"}, {"nascimento", "cbonascimento"},
                            {"cel", "txtcel"},           {"nextel", "txtnextel"},
                            {"fax", "txtfax"},           {"cep", "cbocep"},
                            {"empresa", "txtempresa"},   {"telemp", "txttelemp"},
                            {"faxemp", "txtfaxemp"},     {"emailemp", "txtemailemp"},
                            {"siteemp", "txtsiteemp"},   {"adicional", "txtinfo"},
                            {"local", "imgfoto"}}),
         t("lblnome"), 1, t("Tem certeza que deseja remover o contato "), t(" do banco de dados?"),
         t("Contato removido com sucesso do banco de dados!"), false},
        {Categoria::Anotacoes, unica<frmcadanotacoes>, t("Adicionar anotação"),
         t("Adicionar Anotação"), t("Editar Anotação"), t("Editar Anotação"), 1, t("anotacoes"),
         t("Titulo"), campos({{"Titulo", "txttitulo"}, {"anotacoes", "txtanotacoes"}}),
         t("lblanotacoes"), 1, t("Tem certeza que deseja remover a anotação de título "),
         t(" do banco de dados?"), t("Anotação removida com sucesso do banco de dados!"), false},
        {Categoria::Senhas, unica<frmcadsenhas>, t("Adicionar senha/serial"),
         t("Adicionar senha/serial"), t("Editar senha/serial"), t("Editar senha/serial"), 1,
         t("senhas"), t("descricao"),
         campos({{"descricao", "txtdescricao"},
                 {"senha", "txtsenha"},
                 {"adicionais", "txtcomentario"}}),
         t("lbldescricao"), 1, t("Tem certeza que deseja remover a senha "),
         t(" do banco de dados?"), t("Senha removida com sucesso do banco de dados!"), false},
        {Categoria::Uteis, unica<frmcadutil>, t("Adicionar telefone útil"), t("Adicionar tel útil"),
         t("Editar telefone útil"), t("Editar tel útil"), 1, t("uteis"), t("descricao"),
         campos({{"descricao", "txtdescricao"}, {"telefone", "txttel"}}), t("lbldescricao"), 1,
         t("Tem certeza que deseja remover o telefone "), t(" do banco de dados?"),
         t("Telefone removido com sucesso do banco de dados!"), false},
        {Categoria::Compromisso,
         unica<frmcadcompromisso>,
         {},
         t("Adicionar Compromisso"),
         t("Editar compromisso"),
         t("Editar Compromisso"),
         0,
         t("compromisso"),
         t("id"),
         campos({{"descricao", "txtdescricao"},
                 {"hora", "txthora"},
                 {"local", "txtlocal"},
                 {"Data", "cbodata"},
                 {"Titulo", "txttitulo"}}),
         t("lblid"),
         3,
         t("Tem certeza que deseja remover o compromisso "),
         t(" do banco de dados?"),
         t("Compromisso removido com sucesso do banco de dados!"),
         true},
    };
    return tabela;
}

const Fluxo& fluxo(Categoria categoria) {
    for (const Fluxo& f : fluxos())
        if (f.categoria == categoria)
            return f;
    Q_UNREACHABLE();
}

// Shows the form on its first page and sets the window and action captions; the fields
// stay as they are.
FormularioCadastro* abrirFormulario(const Fluxo& f, const QString& janela, const QString& acao) {
    FormularioCadastro* form = f.formulario();
    janelas::mostrar(*form);
    if (!janela.isEmpty())
        form->setWindowTitle(janela);
    form->definirLegendaAcao(acao);
    form->irParaPrimeiraPagina();
    return form;
}

// The values of the form's columns in the first row (in storage order, the one the save
// overwrites) whose key holds `chave` letter for letter, nullopt for a column without a
// value. Nothing when no row holds the key or the lookup fails: the edit flow passes over.
std::optional<QList<std::optional<QString>>> lerRegistro(const Fluxo& f, const QString& chave) {
    try {
        if (!banco::conexao().aberta())
            banco::abrirPadrao();
        db::Statement st = banco::conexao().banco().prepare(
            QStringLiteral("SELECT * FROM [%1] WHERE %2 ORDER BY rowid")
                .arg(f.tabela, banco::condicaoChave(f.colunaChave)));
        st.bind({chave});
        if (!st.next())
            return std::nullopt;
        QList<std::optional<QString>> valores;
        for (const Campo& c : f.campos) {
            const int i = st.columnIndex(c.coluna);
            valores.append(i < 0 || st.isNull(i) ? std::nullopt : std::optional(st.text(i)));
        }
        return valores;
    } catch (const db::DbError&) {
        return std::nullopt;
    }
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
    std::optional<QList<std::optional<QString>>> valores;
    if (chave)
        valores = lerRegistro(f, *chave);
    FormularioCadastro* form = abrirFormulario(f, f.janelaEditar, f.acaoEditar);
    if (valores) {
        for (qsizetype i = 0; i < f.campos.size(); ++i)
            if (const std::optional<QString>& v = valores->at(i))
                form->preencherCampo(f.campos.at(i).controle, *v);
    }
    if (chave)
        form->preencherCampo(f.rotuloChave, *chave);
}

void remover(Categoria categoria) {
    const Fluxo& f = fluxo(categoria);
    Principal* janela = principal();
    banco::abrirPadrao();
    try {
        db::Database& banco = banco::conexao().banco();
        const std::optional<QString> chave =
            janela ? janela->celulaSelecionada(categoria, f.colunaLista) : std::nullopt;
        if (!chave)
            throw db::DbError(QStringLiteral("Nenhum registro selecionado."));
        const QString mostrada =
            janela->celulaSelecionada(categoria, f.colunaPergunta).value_or(*chave);
        if (dialogs::mensagem(dialogs::Icone::Pergunta, QStringLiteral("Confirmar?"),
                              f.perguntaAntes + mostrada + f.perguntaDepois,
                              dialogs::Botoes::SimNao) != dialogs::Resposta::Sim)
            return;
        // Every row holding the key goes.
        banco.exec(QStringLiteral("DELETE FROM [%1] WHERE %2")
                       .arg(f.tabela, banco::condicaoChave(f.colunaChave)),
                   {*chave});
        banco::conexao().fechar();
    } catch (const db::DbError& e) {
        dialogs::mensagem(dialogs::Icone::Critico, QStringLiteral("Erro"),
                          QStringLiteral("Ocorreu o seguinte erro: ") + e.descricao());
        return;
    }
    dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Info"), f.sucesso);
    if (f.abrirAntesDeRecarregar)
        banco::abrirPadrao();
    if (janela)
        janela->recarregar(categoria);
}

}  // namespace editors
