#pragma once

#include <QCoreApplication>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QToolButton>

#include "data/banco.h"
#include "editors/principal.h"

// Stands in for the main window: the rows of each list, the selected one, and every
// reload with whether the shared connection was open at that moment.
class PrincipalFalsa : public editors::Principal {
public:
    PrincipalFalsa() { editors::definirPrincipal(this); }
    ~PrincipalFalsa() override { editors::definirPrincipal(nullptr); }
    // Cells from column 0; `selecionada` -1 for no selection.
    void definir(Categoria c, const QList<QStringList>& linhas, int selecionada = 0) {
        linhas_[c] = linhas;
        selecao_[c] = selecionada;
    }
    int linhas(Categoria c) const override { return linhas_.value(c).size(); }
    std::optional<QString> celulaSelecionada(Categoria c, int coluna) const override {
        const QStringList linha = linhas_.value(c).value(selecao_.value(c, -1));
        return coluna < linha.size() ? std::optional(linha.at(coluna)) : std::nullopt;
    }
    void recarregar(Categoria c) override {
        recargas << c;
        abertaNaRecarga << banco::conexao().aberta();
    }
    QList<Categoria> recargas;
    QList<bool> abertaNaRecarga;

private:
    QMap<Categoria, QList<QStringList>> linhas_;
    QMap<Categoria, int> selecao_;
};

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

// Presses a toolbar button of the form by its key.
inline void clicar(QWidget* form, const char* chave) {
    form->findChild<QToolButton*>(chave)->click();
}

// Lets closed forms be destroyed, so the next opening starts afresh.
inline void descartarFechadas() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
