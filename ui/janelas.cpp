#include "ui/janelas.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/acessivel.h"

namespace janelas {

void fecharTodas(QWidget* exceto) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        // The main window's own menus and pop-ups go with it.
        if (w == exceto || !w->isWindow() || (exceto && exceto->isAncestorOf(w)))
            continue;
        if (auto* auxiliar = qobject_cast<JanelaAuxiliar*>(w))
            auxiliar->fecharSemPerguntar();
        else
            w->close();
        w->deleteLater();
    }
}

JanelaAuxiliar::JanelaAuxiliar(const QString& objeto, const QString& titulo, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objeto);
    setWindowTitle(titulo);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &JanelaAuxiliar::fecharSemPerguntar);
}

bool fecharPerguntando(QWidget* exceto) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* j = qobject_cast<JanelaAuxiliar*>(w);
            j && w != exceto && w->isVisible() && j->temAlteracoes() && !w->close())
            return false;
    return true;
}

void JanelaAuxiliar::fecharSemPerguntar() {
    livre_ = true;
    close();
}

QToolBar* JanelaAuxiliar::criarBarraDeOpcoes(const QString& legendaOk,
                                             const QString& legendaCancelar) {
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("tbropcoes"));
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto& [chave, legenda] : {std::pair{QStringLiteral("ok"), legendaOk},
                                         std::pair{QStringLiteral("cancelar"), legendaCancelar}}) {
        barra->addSeparator();
        QAction* acao = barra->addAction(legenda);
        acao->setObjectName(chave);
        if (QWidget* botao = barra->widgetForAction(acao))
            botao->setObjectName(chave);
        connect(acao, &QAction::triggered, this, [this, chave] { acionar(chave); });
    }
    acessivel::nomearBarra(barra);
    acessivel::botoesPeloTeclado(barra);
    return barra;
}

QWidget* JanelaAuxiliar::montarEsqueleto(QWidget* faixa, const QString& legendaOk,
                                         const QString& legendaCancelar) {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);
    raiz->addWidget(faixa);
    barra_ = criarBarraDeOpcoes(legendaOk, legendaCancelar);
    raiz->addWidget(barra_);
    area_ = new QWidget(this);
    raiz->addWidget(area_, 1);
    return area_;
}

void JanelaAuxiliar::showEvent(QShowEvent* ev) {
    QDialog::showEvent(ev);
    if (area_ && !ordenada_)
        ordenarCampos();
}

void JanelaAuxiliar::ordenarCampos() {
    ordenada_ = true;
    // The toolbar was made before the fields, so it would come first in the keyboard order.
    // A page's tab is no field: typing at once must go into the first one.
    const auto dasAbas = [](QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget())
            if (qobject_cast<QTabBar*>(p))
                return true;
        return qobject_cast<QTabWidget*>(w) != nullptr;
    };
    QWidget* primeiro = nullptr;
    QWidget* ultimo = nullptr;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!area_->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || dasAbas(w))
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

void JanelaAuxiliar::keyPressEvent(QKeyEvent* ev) {
    // A focused button takes its Enter before the window sees it; what reaches here comes
    // from a field, where a dialog would press its default button instead.
    if ((ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter) &&
        !(ev->modifiers() & ~Qt::KeypadModifier)) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(ev);
}

void JanelaAuxiliar::closeEvent(QCloseEvent* ev) {
    // A dialog's own handling would reject, which closes again: the close is simply taken.
    ev->accept();
}

}  // namespace janelas
