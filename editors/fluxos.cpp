#include "editors/fluxos.h"

#include <QLabel>
#include <functional>
#include <optional>

#include "data/banco.h"
#include "data/gravacao.h"
#include "data/sqlite.h"
#include "editors/formulariosimples.h"
#include "editors/frmcadagenda.h"
#include "editors/frmcadcompromisso.h"
#include "ui/dialogs.h"
#include "ui/janelas.h"

namespace editors {
namespace {

template <class T>
FormularioCadastro* pegar(bool criar) {
    return criar ? &janelas::unica<T>() : janelas::seCarregada<T>();
}

// The category's single entry form, made when `criar`; else it only when it is open.
FormularioCadastro* formulario(Categoria c, bool criar = true) {
    switch (c) {
        case Categoria::Agenda:
            return pegar<frmcadagenda>(criar);
        case Categoria::Compromisso:
            return pegar<frmcadcompromisso>(criar);
        case Categoria::Senhas:
            return pegar<frmcadsenhas>(criar);
        case Categoria::Uteis:
            return pegar<frmcadutil>(criar);
        case Categoria::Anotacoes:
            break;
    }
    return pegar<frmcadanotacoes>(criar);
}

// What the flows of one category say; its form comes from the two above.
struct Fluxo : categoria::Fluxo {
    Categoria categoria;
};

QString t(const char* texto) {
    return QString::fromUtf8(texto);
}

Fluxo fluxo(Categoria categoria) {
    return {categoria::descricao(categoria).fluxo, categoria};
}

// An open form holding unsaved input is refilled only when the user lets it go; then it
// starts afresh. False when the user keeps it.
bool liberarFormulario(const Fluxo& f) {
    FormularioCadastro* aberto = formulario(f.categoria, false);
    if (!aberto || !aberto->isVisible() || !aberto->alterado())
        return true;
    if (!aberto->podeDescartar())
        return false;
    delete aberto;
    return true;
}

// Shows the form on its first page and sets the window and action captions; the fields
// stay as they are.
FormularioCadastro* abrirFormulario(const Fluxo& f, const char* janela, const char* acao) {
    FormularioCadastro* form = formulario(f.categoria);
    janelas::mostrar(*form);
    if (janela)
        form->setWindowTitle(t(janela));
    form->definirLegendaAcao(t(acao));
    form->irParaPrimeiraPagina();
    return form;
}

// The record behind a row of the list: its rowid and its key as the list read it.
gravacao::Alvo alvoDaLinha(const ui::Principal& janela, const Fluxo& f, int linha) {
    const Celulas& celulas = janela.celulas(f.categoria);
    return {celulas.registro(linha), celulas.bruta(linha, f.colunaLista).toByteArray(), {}};
}

// The row selected in the category's list; nullopt with none.
std::optional<int> selecionada(const ui::Principal* janela, Categoria categoria) {
    const std::optional<int> linha = janela ? janela->linhaSelecionada(categoria) : std::nullopt;
    return linha && *linha < janela->linhas(categoria) ? linha : std::nullopt;
}

// Runs a step on a record; a failure is told, and a record no longer in the file also has
// the list read again, to show what the file holds.
bool tentar(ui::Principal* janela, const Fluxo& f, const std::function<void()>& passo) {
    try {
        passo();
        return true;
    } catch (const gravacao::RegistroNaoEncontrado& e) {
        dialogs::mostrarErro(e.descricao());
        janela->recarregar(f.categoria);
    } catch (const db::DbError& e) {
        dialogs::mostrarErro(e.descricao());
    }
    return false;
}

}  // namespace

void adicionar(Categoria categoria) {
    const Fluxo f = fluxo(categoria);
    if (liberarFormulario(f))
        abrirFormulario(f, f.janelaAdicionar, f.acaoAdicionar);
}

void editar(Categoria categoria) {
    const Fluxo f = fluxo(categoria);
    ui::Principal* janela = ui::principal();
    // Without a selected row there is nothing to edit; an open form keeps its mode.
    const std::optional<int> linha = selecionada(janela, categoria);
    if (!linha)
        return;
    gravacao::Alvo alvo = alvoDaLinha(*janela, f, *linha);
    const QString colunaChave = t(categoria::colunaChave(categoria));
    banco::abrirSeFechada();
    if (!banco::conexao().aberta())
        return;  // the open has told why
    std::optional<QList<gravacao::Valor>> registro;
    if (!tentar(janela, f, [&] {
            registro = gravacao::ler(banco::conexao().banco(), t(categoria::tabela(categoria)),
                                     colunaChave, alvo);
            if (!registro)
                throw gravacao::RegistroNaoEncontrado();
        }))
        return;
    // Asked only once the record is there to show; keeping the input ends the edit.
    if (!liberarFormulario(f))
        return;
    FormularioCadastro* form = abrirFormulario(f, f.janelaEditar, f.acaoEditar);
    // The save writes only while the record still holds what is shown now.
    alvo.original = gravacao::originais(*registro);
    form->definirAlvo(alvo);
    // Every field the record fills is set, so nothing of an earlier record stays.
    QString chave;
    for (const gravacao::Valor& v : *registro) {
        form->preencherColuna(v.coluna, v.valor.toString(), v.bruto);
        if (v.coluna.compare(colunaChave, Qt::CaseInsensitive) == 0)
            chave = v.valor.toString();
    }
    // The key last: the save overwrites the record it names.
    form->rotuloChave()->setText(chave);
    form->marcarInalterado();
}

void remover(Categoria categoria) {
    const Fluxo f = fluxo(categoria);
    ui::Principal* janela = ui::principal();
    banco::abrirPadrao();
    bool confirmado = false;
    const bool removido = tentar(janela, f, [&] {
        const std::optional<int> linha = selecionada(janela, categoria);
        if (!linha)
            throw db::DbError(QStringLiteral("Nenhum registro selecionado."));
        const QString mostrada = janela->celulas(categoria).celula(*linha, f.colunaPergunta);
        confirmado =
            dialogs::mensagem(dialogs::Icone::Pergunta, QStringLiteral("Confirmar?"),
                              t(f.pergunta) + mostrada + QStringLiteral(" do banco de dados?"),
                              dialogs::Botoes::SimNao) == dialogs::Resposta::Sim;
        if (!confirmado)
            return;
        // A connection the open could not make fails here.
        gravacao::remover(banco::conexao().banco(), t(categoria::tabela(categoria)),
                          t(categoria::colunaChave(categoria)), alvoDaLinha(*janela, f, *linha));
        banco::conexao().marcarFechada();
    });
    if (!removido || !confirmado)
        return;
    dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Info"), t(f.sucesso));
    janela->recarregar(categoria);
}

}  // namespace editors
