#include "editors/formulario.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/acessivel.h"
#include "app/cabecalho.h"
#include "app/campodata.h"
#include "app/dialogs.h"
#include "data/banco.h"
#include "data/regras.h"
#include "data/sqlite.h"

namespace editors {

FormularioCadastro::FormularioCadastro(const QString& objeto, const QString& legendaJanela,
                                       const QString& tituloCabecalho,
                                       const QString& linhaCabecalho,
                                       const QString& legendaAdicionar, QWidget* parent)
    : JanelaAuxiliar(objeto, legendaJanela, parent), legendaAdicionar_(legendaAdicionar) {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);

    raiz->addWidget(cabecalho(tituloCabecalho, linhaCabecalho, this));

    barra_ = criarBarraDeOpcoes(legendaAdicionar, QStringLiteral("Cancelar"));
    // The action's caption is the mode; its button follows it, so screen readers hear it.
    acaoOk_ = barra_->findChild<QAction*>(QStringLiteral("ok"));
    raiz->addWidget(barra_);

    area_ = new QWidget(this);
    corpo_ = new QVBoxLayout(area_);
    raiz->addWidget(area_, 1);
}

void FormularioCadastro::showEvent(QShowEvent* ev) {
    JanelaAuxiliar::showEvent(ev);
    if (ordenada_)
        return;
    ordenada_ = true;
    // The toolbar was made before the fields, so it would come first in the keyboard order.
    QWidget* primeiro = nullptr;
    QWidget* ultimo = nullptr;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!area_->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (!primeiro)
            primeiro = w;
        ultimo = w;
    }
    if (!ultimo)
        return;
    for (const char* chave : {"ok", "cancelar"}) {
        QWidget* botao = barra_->findChild<QWidget*>(QLatin1String(chave));
        setTabOrder(ultimo, botao);
        ultimo = botao;
    }
    primeiro->setFocus();
}

QString FormularioCadastro::legendaAcao() const {
    return acaoOk_->text();
}

void FormularioCadastro::definirLegendaAcao(const QString& legenda) {
    acaoOk_->setText(legenda);
}

bool FormularioCadastro::modoAdicionar() const {
    return acaoOk_->text() == legendaAdicionar_;
}

void FormularioCadastro::acionar(const QString& chave) {
    if (chave == QLatin1String("ok")) {
        if (modoAdicionar())
            adicionar();
        else
            editar();
    } else if (chave == QLatin1String("cancelar")) {
        close();
    }
}

void FormularioCadastro::preencherColuna(const QString& coluna, const QString& valor) {
    const QString controle = controleDaColuna(coluna);
    if (!controle.isEmpty())
        preencherCampo(controle, valor);
}

void FormularioCadastro::preencherCampo(const QString& controle, const QString& valor) {
    QWidget* campo = findChild<QWidget*>(controle);
    if (auto* data = qobject_cast<CampoData*>(campo)) {
        data->definirData(regras::dataDoBanco(valor));
    } else if (auto* dataFixa = qobject_cast<QDateEdit*>(campo)) {
        // A picker cannot be empty: a record without a date shows today, not the last one.
        const QDate d = regras::dataDoBanco(valor);
        dataFixa->setDate(d.isValid() ? d : regras::hoje());
    } else if (auto* combo = qobject_cast<QComboBox*>(campo)) {
        combo->setEditText(valor);
    } else if (auto* linha = qobject_cast<QLineEdit*>(campo)) {
        linha->setText(valor);
    } else if (auto* texto = qobject_cast<QPlainTextEdit*>(campo)) {
        texto->setPlainText(valor);
    } else if (auto* rotulo = qobject_cast<QLabel*>(campo)) {
        rotulo->setText(valor);
    }
}

QString FormularioCadastro::textoCampo(const QString& controle) const {
    QWidget* campo = findChild<QWidget*>(controle);
    if (auto* data = qobject_cast<CampoData*>(campo)) {
        const std::optional<QDate> d = data->data();
        return d ? regras::dataParaBanco(*d) : QString();
    }
    if (auto* dataFixa = qobject_cast<QDateEdit*>(campo))
        return regras::dataParaBanco(dataFixa->date());
    if (auto* combo = qobject_cast<QComboBox*>(campo))
        return combo->currentText();
    if (auto* linha = qobject_cast<QLineEdit*>(campo))
        return linha->text();
    if (auto* texto = qobject_cast<QPlainTextEdit*>(campo))
        return texto->toPlainText();
    if (auto* rotulo = qobject_cast<QLabel*>(campo))
        return rotulo->text();
    return {};
}

gravacao::Valor FormularioCadastro::valor(const QString& coluna, const QString& controle,
                                          regras::Regra regra) const {
    return {coluna, regras::aplicar(regra, textoCampo(controle))};
}

QLabel* FormularioCadastro::legenda(const QString& texto, QWidget* campo) {
    return acessivel::rotular(texto, campo);
}

QLineEdit* FormularioCadastro::caixaTexto(const QString& objeto, int maximo) {
    auto* caixa = new QLineEdit(this);
    caixa->setObjectName(objeto);
    if (maximo > 0)
        caixa->setMaxLength(maximo);
    return caixa;
}

QPlainTextEdit* FormularioCadastro::caixaMultilinha(const QString& objeto) {
    auto* caixa = new QPlainTextEdit(this);
    caixa->setObjectName(objeto);
    caixa->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    caixa->setTabChangesFocus(true);
    return caixa;
}

void FormularioCadastro::adicionarCampo(const QString& texto, QWidget* campo) {
    if (!campos_) {
        campos_ = new QFormLayout();
        corpo_->addLayout(campos_);
    }
    campos_->addRow(legenda(texto, campo), campo);
}

QLabel* FormularioCadastro::criarRotuloChave(const QString& objeto, const QString& legendaProjeto) {
    auto* rotulo = new QLabel(legendaProjeto, this);
    rotulo->setObjectName(objeto);
    rotulo->hide();
    return rotulo;
}

void FormularioCadastro::abrirConexao() {
    banco::abrirPadrao();
}

void FormularioCadastro::atualizarAlvo(db::Database& banco, Categoria categoria,
                                       const QList<gravacao::Valor>& valores) const {
    if (!alvo_)
        throw gravacao::RegistroNaoEncontrado();
    gravacao::atualizar(banco, QString::fromUtf8(categoria::tabela(categoria)),
                        QString::fromUtf8(categoria::colunaChave(categoria)), *alvo_, valores);
}

void FormularioCadastro::gravar(Categoria recarga, const QString& introducaoErro,
                                const std::function<void(db::Database&)>& escrever) {
    abrirConexao();
    try {
        escrever(banco::conexao().banco());
    } catch (const db::DbError& e) {
        dialogs::mensagem(dialogs::Icone::Critico, QStringLiteral("Erro"),
                          introducaoErro + e.descricao());
        if (dynamic_cast<const gravacao::RegistroNaoEncontrado*>(&e))
            if (Principal* janela = principal())
                janela->recarregar(recarga);
        return;
    }
    if (Principal* janela = principal())
        janela->recarregar(recarga);
    close();
}

}  // namespace editors
