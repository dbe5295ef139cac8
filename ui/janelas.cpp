#include "ui/janelas.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolBar>

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
