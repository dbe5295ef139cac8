#include "access/janelaacesso.h"

#include <QAction>
#include <QFormLayout>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/acessivel.h"
#include "ui/cabecalho.h"
#include "ui/foco.h"
#include "ui/icones.h"

namespace acesso {
namespace {

// Password boxes show "#" for every character, whatever the desktop's style uses.
class EstiloOculto : public QProxyStyle {
public:
    int styleHint(StyleHint dica, const QStyleOption* opcao, const QWidget* widget,
                  QStyleHintReturn* retorno) const override {
        if (dica == SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(dica, opcao, widget, retorno);
    }
};

bool ehEnter(QEvent* ev) {
    if (ev->type() != QEvent::KeyPress)
        return false;
    const int tecla = static_cast<QKeyEvent*>(ev)->key();
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

}  // namespace

JanelaAcesso::JanelaAcesso(const QString& objeto, const QString& titulo, const QString& legendaOk,
                           QWidget* parent)
    : JanelaAuxiliar(objeto, QStringLiteral("Login do usuário"), parent) {
    montar(titulo, legendaOk);
    txtusuario_ = caixa(QStringLiteral("txtusuario"), QStringLiteral("Usuário"), false);
    txtsenha_ = caixa(QStringLiteral("txtsenha"), QStringLiteral("Senha:"), true);
    // Only the box with the focus is yellow; the other one is plain white.
    foco::destacar(txtusuario_, foco::Fundo::Branco);
    foco::destacar(txtsenha_, foco::Fundo::Branco);
}

JanelaAcesso::JanelaAcesso(const QString& objeto, const QString& legenda, const QString& titulo,
                           const QString& legendaOk, QWidget* parent)
    : JanelaAuxiliar(objeto, legenda, parent) {
    montar(titulo, legendaOk);
}

void JanelaAcesso::montar(const QString& titulo, const QString& legendaOk) {
    // The common heading strip, laid left to right with the picture before the title.
    QFrame* faixa = cabecalho(titulo, QString(), this);
    faixa->findChild<QLabel*>(QStringLiteral("lbllinha"))->hide();
    if (auto* linha = qobject_cast<QBoxLayout*>(faixa->layout())) {
        linha->setDirection(QBoxLayout::LeftToRight);
        auto* figura = new QLabel(faixa);
        figura->setObjectName(QStringLiteral("imglogin"));
        figura->setPixmap(icones::barra(QStringLiteral("dialog-password")).pixmap(48, 48));
        linha->insertWidget(0, figura);
        linha->setStretchFactor(faixa->findChild<QLabel*>(QStringLiteral("lbltitulo")), 1);
    }
    QWidget* area = montarEsqueleto(faixa, legendaOk, QStringLiteral("CANCELAR"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A toolbar would drop the trailing "..." of "ENTRAR ...".
    barraDeOpcoes()->findChild<QAction*>(QStringLiteral("ok"))->setIconText(legendaOk);
    campos_ = new QFormLayout(area);
}

void JanelaAcesso::acionar(const QString& chave) {
    if (chave == QLatin1String("ok"))
        confirmar();
    else if (chave == QLatin1String("cancelar"))
        cancelar();
}

QLineEdit* JanelaAcesso::caixa(const QString& objeto, const QString& legenda, bool oculta) {
    auto* c = new QLineEdit(this);
    c->setObjectName(objeto);
    if (oculta) {
        auto* estilo = new EstiloOculto;
        estilo->setParent(c);
        c->setStyle(estilo);
        c->setEchoMode(QLineEdit::Password);
    }
    c->installEventFilter(this);
    campos_->addRow(acessivel::rotular(legenda, c), c);
    return c;
}

void JanelaAcesso::adicionarLinha(QWidget* campo) {
    campos_->addRow(campo);
}

void JanelaAcesso::fecharOrdem() {
    ordenarCampos();
}

bool JanelaAcesso::eventFilter(QObject* obj, QEvent* ev) {
    if (ehEnter(ev)) {
        focusNextChild();
        return true;
    }
    return JanelaAuxiliar::eventFilter(obj, ev);
}

}  // namespace acesso
