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
#include "ui/icones.h"

namespace acesso {
namespace {

const QColor kAmareloClaro(255, 255, 192);  // 0xC0FFFF, blue-green-red

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

void pintar(QLineEdit* caixa, const QColor& cor) {
    QPalette p = caixa->palette();
    p.setColor(QPalette::Base, cor);
    // The light background needs dark text under a dark desktop scheme too.
    p.setColor(QPalette::Text, Qt::black);
    caixa->setPalette(p);
}

}  // namespace

JanelaAcesso::JanelaAcesso(const QString& objeto, const QString& titulo, const QString& legendaOk,
                           QWidget* parent)
    : JanelaAuxiliar(objeto, QStringLiteral("Login do usuário"), parent) {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);
    raiz->setSizeConstraint(QLayout::SetFixedSize);

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
    raiz->addWidget(faixa);

    barra_ = criarBarraDeOpcoes(legendaOk, QStringLiteral("CANCELAR"));
    // A toolbar would drop the trailing "..." of "ENTRAR ...".
    barra_->findChild<QAction*>(QStringLiteral("ok"))->setIconText(legendaOk);
    raiz->addWidget(barra_);

    auto* area = new QWidget(this);
    campos_ = new QFormLayout(area);
    raiz->addWidget(area);

    txtusuario_ = caixa(QStringLiteral("txtusuario"), QStringLiteral("Usuário"), false);
    txtsenha_ = caixa(QStringLiteral("txtsenha"), QStringLiteral("Senha:"), true);
    pintar(txtusuario_, Qt::white);
    pintar(txtsenha_, Qt::white);
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
    ordem_ << c;
    return c;
}

void JanelaAcesso::adicionarLinha(QWidget* campo) {
    campos_->addRow(campo);
    ordem_ << campo;
}

void JanelaAcesso::fecharOrdem() {
    QList<QWidget*> cadeia = ordem_;
    for (const char* chave : {"ok", "cancelar"})
        cadeia << barra_->findChild<QToolButton*>(QLatin1String(chave));
    for (qsizetype i = 1; i < cadeia.size(); ++i)
        setTabOrder(cadeia.at(i - 1), cadeia.at(i));
    txtusuario_->setFocus();
}

void JanelaAcesso::colorir(QLineEdit* focada) {
    // Only the box with the focus is yellow; the other one is plain white.
    pintar(txtusuario_, focada == txtusuario_ ? kAmareloClaro : Qt::white);
    pintar(txtsenha_, focada == txtsenha_ ? kAmareloClaro : Qt::white);
}

bool JanelaAcesso::eventFilter(QObject* obj, QEvent* ev) {
    if (ehEnter(ev)) {
        focusNextChild();
        return true;
    }
    if (obj == txtusuario_ || obj == txtsenha_) {
        if (ev->type() == QEvent::FocusIn)
            colorir(static_cast<QLineEdit*>(obj));
        else if (ev->type() == QEvent::FocusOut)
            colorir(nullptr);
    }
    return JanelaAuxiliar::eventFilter(obj, ev);
}

}  // namespace acesso
