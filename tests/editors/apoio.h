#pragma once

#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>

#include "apoio_testes.h"
#include "data/banco.h"
#include "editors/principal.h"

// Stands in for the main window: the rows of each list, the selected one, and every
// reload with whether the shared connection was open at that moment.
class PrincipalFalsa : public editors::Principal {
public:
    PrincipalFalsa() { editors::definirPrincipal(this); }
    ~PrincipalFalsa() override { editors::definirPrincipal(nullptr); }
    // Cells from column 0; `selecionada` -1 for no selection. Each row's record is its
    // entry in `registros`, or else the number in its column 0 (the rowid of the n-th row
    // added, or the appointment's id).
    void definir(Categoria c, const QList<QStringList>& linhas, int selecionada = 0,
                 const QList<qint64>& registros = {}) {
        Celulas celulas(linhas.isEmpty() ? 0 : int(linhas.first().size()));
        for (int i = 0; i < linhas.size(); ++i) {
            celulas.novaLinha(registros.value(i, linhas.at(i).value(0).toLongLong()));
            for (const QString& t : linhas.at(i))
                celulas.acrescentar(t.toUtf8());
        }
        definir(c, celulas, selecionada);
    }
    void definir(Categoria c, const Celulas& celulas, int selecionada) {
        celulas_[c] = celulas;
        selecao_[c] = selecionada;
    }
    const Celulas& celulas(Categoria c) const override {
        static const Celulas vazia;
        const auto it = celulas_.constFind(c);
        return it != celulas_.cend() ? *it : vazia;
    }
    std::optional<int> linhaSelecionada(Categoria c) const override {
        const int s = selecao_.value(c, -1);
        return s >= 0 && s < linhas(c) ? std::optional(s) : std::nullopt;
    }
    void recarregar(Categoria c) override {
        recargas << c;
        abertaNaRecarga << banco::conexao().aberta();
    }
    QList<Categoria> recargas;
    QList<bool> abertaNaRecarga;

private:
    QMap<Categoria, Celulas> celulas_;
    QMap<Categoria, int> selecao_;
};

// What an edit or removal of a record no longer in the file says.
inline const QString kNaoEncontrado =
    "critico|Erro|Ocorreu o seguinte erro: O registro não foi encontrado no banco de dados.";

// Fills or reads a text box of a form by its name.
inline void escrever(QWidget* form, const QString& nome, const QString& texto) {
    if (auto* linha = form->findChild<QLineEdit*>(nome))
        linha->setText(texto);
    else
        form->findChild<QPlainTextEdit*>(nome)->setPlainText(texto);
}
inline QString lido(QWidget* form, const QString& nome) {
    if (auto* linha = form->findChild<QLineEdit*>(nome))
        return linha->text();
    return form->findChild<QPlainTextEdit*>(nome)->toPlainText();
}
