#include "editors/formulario.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/banco.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "ui/acessivel.h"
#include "ui/cabecalho.h"
#include "ui/campodata.h"
#include "ui/dialogs.h"

namespace editors {

FormularioCadastro::FormularioCadastro(const QString& objeto, const QString& legendaJanela,
                                       const QString& tituloCabecalho,
                                       const QString& linhaCabecalho,
                                       const QString& legendaAdicionar, QWidget* parent)
    : JanelaAuxiliar(objeto, legendaJanela, parent), legendaAdicionar_(legendaAdicionar) {
    QWidget* area = montarEsqueleto(cabecalho(tituloCabecalho, linhaCabecalho, this),
                                    legendaAdicionar, QStringLiteral("Cancelar"));
    // The action's caption is the mode; its button follows it, so screen readers hear it.
    acaoOk_ = barraDeOpcoes()->findChild<QAction*>(QStringLiteral("ok"));
    corpo_ = new QVBoxLayout(area);
}

void FormularioCadastro::showEvent(QShowEvent* ev) {
    JanelaAuxiliar::showEvent(ev);
    if (!marcado_)
        marcarInalterado();
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
        fecharSemPerguntar();
    }
}

QStringList FormularioCadastro::estado() const {
    QStringList r;
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString nome = w->objectName();
        if (nome.isEmpty() || nome.startsWith(QLatin1String("qt_")) ||
            (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QComboBox*>(w) ||
            (qobject_cast<QLabel*>(w) && nome.startsWith(QLatin1String("lbl")) &&
             nome != QLatin1String("lbltitulo") && nome != QLatin1String("lbllinha")))
            r << nome + QLatin1Char('=') + textoCampo(nome);
    }
    r.sort();
    return r;
}

bool FormularioCadastro::alterado() const {
    return marcado_ && estado() != inalterado_;
}

void FormularioCadastro::marcarInalterado() {
    inalterado_ = estado();
    marcado_ = true;
}

bool FormularioCadastro::podeDescartar() {
    if (!alterado())
        return true;
    return dialogs::mensagem(
               dialogs::Icone::Pergunta, QStringLiteral("Descartar alterações"),
               QStringLiteral("Descartar as alterações feitas em \"%1\"?").arg(windowTitle()),
               dialogs::Botoes::SimNao) == dialogs::Resposta::Sim;
}

void FormularioCadastro::closeEvent(QCloseEvent* ev) {
    if (!fechamentoLivre() && isVisible() && !podeDescartar()) {
        ev->ignore();
        return;
    }
    JanelaAuxiliar::closeEvent(ev);
}

void FormularioCadastro::preencherColuna(const QString& coluna, const QString& valor,
                                         const QVariant& bruto) {
    const QString controle = controleDaColuna(coluna);
    if (controle.isEmpty())
        return;
    preencherCampo(controle, valor);
    carregados_.insert(coluna.toLower(), {controle, textoCampo(controle), bruto});
}

void FormularioCadastro::preencherCampo(const QString& controle, const QString& valor) {
    QWidget* campo = findChild<QWidget*>(controle);
    if (auto* data = qobject_cast<CampoData*>(campo)) {
        // A stored date the field cannot read is shown as it is, not as another date.
        const QDate d = regras::dataDoBanco(valor);
        if (d.isValid())
            data->definirData(d);
        else
            data->definirTexto(regras::aparado(valor));
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
        if (data->vazio())
            return {};
        const std::optional<QDate> d = data->data();
        return d ? regras::dataParaBanco(*d) : data->textoDigitado();
    }
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
    const QString texto = textoCampo(controle);
    // A field the user left as it was filled is written back exactly as it was stored; the
    // input rules are for what the user types.
    if (!modoAdicionar()) {
        const auto it = carregados_.constFind(coluna.toLower());
        if (it != carregados_.constEnd() && it->bruto.isValid() && it->mostrado == texto)
            return {coluna, it->bruto, {}};
    }
    return {coluna, regras::aplicar(regra, texto), {}};
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
    // It holds stored text, which is never read as markup.
    rotulo->setTextFormat(Qt::PlainText);
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

bool FormularioCadastro::conferirDatas() const {
    QList<CampoData*> digitadas;
    for (CampoData* campo : findChildren<CampoData*>()) {
        // A stored date left as it was shown is written back as stored, read or not.
        const bool comoCarregada =
            !modoAdicionar() &&
            std::any_of(carregados_.cbegin(), carregados_.cend(), [&](const Carregado& c) {
                return c.controle == campo->objectName() && c.mostrado == textoCampo(c.controle);
            });
        if (!comoCarregada)
            digitadas << campo;
    }
    return CampoData::conferir(digitadas, QStringLiteral("Erro"));
}

void FormularioCadastro::gravar(Categoria recarga, const QString& introducaoErro,
                                const std::function<void(db::Database&)>& escrever) {
    if (!conferirDatas())
        return;
    abrirConexao();
    try {
        escrever(banco::conexao().banco());
    } catch (const db::DbError& e) {
        dialogs::erro(introducaoErro + e.descricao());
        // The list shows what the file holds now; the form keeps the user's input.
        if (dynamic_cast<const gravacao::RegistroNaoEncontrado*>(&e) ||
            dynamic_cast<const gravacao::RegistroAlterado*>(&e))
            if (ui::Principal* janela = ui::principal())
                janela->recarregar(recarga);
        return;
    }
    if (ui::Principal* janela = ui::principal())
        janela->recarregar(recarga);
    fecharSemPerguntar();
}

}  // namespace editors
