#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>

#include "data/gravacao.h"
#include "data/regras.h"
#include "ui/janelas.h"
#include "ui/principal.h"

class QAction;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolBar;
class QVBoxLayout;

namespace db {
class Database;
}

namespace editors {

// The lead-in of a failed save, the same whether the row was being added or edited
// (the appointment form has its own two).
inline const QString kErroIncluir =
    QStringLiteral("Ocorreu o seguinte erro ao tentar incluír os dados: ");

// A column of the row and the control it is written from, with its storage rule.
using ColunaGravada = categoria::ColunaGravada;

// What the entry forms share: the header strip, the toolbar `tbropcoes` with the
// action button (key "ok") and the cancel button (key "cancelar"), and the mode,
// which is nothing but the action button's caption. Each form is one window,
// destroyed when it closes, so the next opening starts from its design state.
class FormularioCadastro : public janelas::JanelaAuxiliar {
    Q_OBJECT
public:
    FormularioCadastro(const QString& objeto, const QString& legendaJanela,
                       const QString& tituloCabecalho, const QString& linhaCabecalho,
                       const QString& legendaAdicionar, QWidget* parent = nullptr);

    // The action button's caption, which is the mode.
    QString legendaAcao() const;
    void definirLegendaAcao(const QString& legenda);
    // Add mode exactly when the action caption equals the add caption, letter for letter.
    bool modoAdicionar() const;

    virtual void adicionar() = 0;
    virtual void editar() = 0;

    // Shows a stored column in the control it is written from, as the edit flows do;
    // a column the form does not write (the appointment's `id`) is passed over. While the
    // control still shows what it was filled with, an edit writes `bruto` back unchanged,
    // so a value the input rules would alter stays exactly as it was stored; a date field
    // left so is saved even when it cannot read what it shows.
    void preencherColuna(const QString& coluna, const QString& valor, const QVariant& bruto = {});
    // Puts a stored value into the control named `controle`.
    // Text boxes and combo boxes take the text; date fields read it as a stored date.
    virtual void preencherCampo(const QString& controle, const QString& valor);
    // The text of the control named `controle`, as a save reads it: a date as stored, an
    // empty date field as empty text, an unreadable one as typed; empty for no such control.
    QString textoCampo(const QString& controle) const;
    // Forms with pages show their first one when opened by a flow.
    virtual void irParaPrimeiraPagina() {}
    // The hidden label that holds the key of the row being edited.
    virtual QLabel* rotuloChave() const = 0;
    // The record an edit saves to, as the edit flow read it.
    void definirAlvo(const gravacao::Alvo& alvo) { alvo_ = alvo; }

    // Runs the toolbar button with this key ("ok", "cancelar"); any other key does nothing.
    void acionar(const QString& chave) override;

    // Whether the fields hold what the user typed since the form was opened or filled.
    bool alterado() const;
    bool temAlteracoes() const override { return isVisible() && alterado(); }
    // The fields as they are now count as unchanged.
    void marcarInalterado();
    // "Descartar as alterações feitas em …?": true when the form holds no changes or the
    // user lets them go.
    bool podeDescartar();

protected:
    // Esc and the close box ask before changes are thrown away; a save, "Cancelar" and the
    // end of the program close without asking.
    void closeEvent(QCloseEvent* ev) override;
    // Opened, the fields count as unchanged.
    void showEvent(QShowEvent* ev) override;
    // Where the form lays its fields, under the header and the toolbar.
    QVBoxLayout* corpo() const { return corpo_; }
    // The control that `coluna` is written from; empty when the form writes no such column.
    virtual QString controleDaColuna(const QString& coluna) const = 0;
    // The control of `coluna` in a table of the form `valores` reads.
    template <class Tabela>
    static QString procurarControle(const Tabela& colunas, const QString& coluna) {
        for (const auto& c : colunas)
            if (coluna.compare(QString(c.coluna), Qt::CaseInsensitive) == 0)
                return QString(c.controle);
        return {};
    }
    // The row's values read from the controls, each by its rule, in the order given.
    // Any table whose entries have `coluna`, `controle` and `regra` will do.
    template <class Tabela>
    QList<gravacao::Valor> valores(const Tabela& colunas) const {
        QList<gravacao::Valor> linha;
        for (const auto& c : colunas)
            linha.append(valor(c.coluna, c.controle, c.regra));
        return linha;
    }
    // A field with a visible caption that also names it for screen readers.
    static QLabel* legenda(const QString& texto, QWidget* campo);
    // A single-line text box; `maximo` > 0 limits its length.
    QLineEdit* caixaTexto(const QString& objeto, int maximo = 0);
    // A multi-line text box with a vertical scroll bar; Tab moves on, as in the other boxes.
    QPlainTextEdit* caixaMultilinha(const QString& objeto);
    // Adds a field with its caption below the fields added before it.
    void adicionarCampo(const QString& texto, QWidget* campo);
    // A hidden label holding the edit key.
    QLabel* criarRotuloChave(const QString& objeto, const QString& legendaProjeto);
    // Opens the shared connection for a save.
    virtual void abrirConexao();
    // Overwrites the record the edit flow opened, in the category's table.
    void atualizarAlvo(db::Database& banco, Categoria categoria,
                       const QList<gravacao::Valor>& valores) const;
    // One save: refuses a date field the user left unreadable (nothing is written), opens
    // the shared connection, writes through `escrever`, then reloads the
    // category's list and closes. A failure shows "Erro" with `introducaoErro` and the
    // engine's description, and leaves the window open with its input; when the record is
    // gone the list is reloaded too, to show what the file holds.
    void gravar(Categoria recarga, const QString& introducaoErro,
                const std::function<void(db::Database&)>& escrever);

private:
    gravacao::Valor valor(const QString& coluna, const QString& controle,
                          regras::Regra regra) const;
    // Every date field is readable, or holds what it was filled with; else says which not.
    bool conferirDatas() const;
    // The text of every field, in a fixed order.
    QStringList estado() const;
    struct Carregado {
        QString controle;
        QString mostrado;  // the control's text right after it was filled
        QVariant bruto;
    };
    QHash<QString, Carregado> carregados_;  // by lower-case column
    QStringList inalterado_;
    bool marcado_ = false;
    QString legendaAdicionar_;
    QAction* acaoOk_ = nullptr;
    QVBoxLayout* corpo_ = nullptr;
    QFormLayout* campos_ = nullptr;
    std::optional<gravacao::Alvo> alvo_;
};

}  // namespace editors
