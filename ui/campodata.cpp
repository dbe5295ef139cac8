#include "ui/campodata.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/regras.h"
#include "ui/acessivel.h"
#include "ui/dialogs.h"
#include "ui/icones.h"

namespace {

const QString kInvalida = QStringLiteral("A data digitada não é válida: use dd/mm/aaaa.");
const QString kVazia = QStringLiteral("A data deve ser preenchida!");

bool separador(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

}  // namespace

CampoData::CampoData(QWidget* parent) : QLineEdit(parent) {
    setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
    setToolTip(QStringLiteral("dd/mm/aaaa (Alt+Seta para baixo abre o calendário)"));
    QAction* abrir =
        addAction(icones::barra(QStringLiteral("x-office-calendar")), TrailingPosition);
    abrir->setText(QStringLiteral("Abrir calendário"));
    abrir->setToolTip(abrir->text());
    connect(abrir, &QAction::triggered, this, &CampoData::abrirCalendario);
    for (QObject* o : abrir->associatedObjects())
        if (auto* botao = qobject_cast<QToolButton*>(o)) {
            botao->setObjectName(QStringLiteral("btncalendario"));
            botao->setAccessibleName(abrir->text());
        }

    auto* popup = new QFrame(this, Qt::Popup);
    popup->setFrameShape(QFrame::Box);
    popup_ = popup;
    calendario_ = new QCalendarWidget(popup_);
    calendario_->setObjectName(QStringLiteral("calendario"));
    (new QVBoxLayout(popup_))->addWidget(calendario_);
    popup_->layout()->setContentsMargins(0, 0, 0, 0);
    acessivel::nomearCalendario(calendario_);
    connect(calendario_, &QCalendarWidget::clicked, this, &CampoData::escolhida);
    connect(calendario_, &QCalendarWidget::activated, this, &CampoData::escolhida);
    connect(this, &QLineEdit::editingFinished, this, &CampoData::arrumar);
}

QDate CampoData::lerData(const QString& texto) {
    static const QRegularExpression comBarras(
        QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})$"));
    static const QRegularExpression semBarras(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    const QString t = texto.trimmed();
    QRegularExpressionMatch m = comBarras.match(t);
    if (!m.hasMatch())
        m = semBarras.match(t);
    if (!m.hasMatch())
        return {};
    // QDate refuses 31/02 and the year 0 itself: never moved to a neighbouring date.
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

bool CampoData::vazio() const {
    return text().trimmed().isEmpty();
}

void CampoData::limpar() {
    clear();
}

bool CampoData::valida() const {
    return vazio() ? !obrigatoria_ : lerData(text()).isValid();
}

void CampoData::definirTexto(const QString& texto) {
    setText(texto);
}

std::optional<QDate> CampoData::data() const {
    const QDate d = lerData(text());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

void CampoData::definirData(const QDate& d) {
    setText(d.isValid() ? regras::dataParaTela(d) : QString());
}

void CampoData::abrirCalendario() {
    const std::optional<QDate> d = data();
    calendario_->setSelectedDate(d ? *d : regras::hoje());
    popup_->adjustSize();
    // Below the field, or above it when the screen ends first.
    const QRect tela = screen()->availableGeometry();
    QPoint onde = mapToGlobal(QPoint(0, height()));
    if (onde.y() + popup_->height() > tela.bottom())
        onde.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
    onde.setX(std::max(tela.left(), std::min(onde.x(), tela.right() - popup_->width())));
    popup_->move(onde);
    popup_->show();
    calendario_->setFocus(Qt::PopupFocusReason);
}

void CampoData::escolhida(const QDate& d) {
    popup_->hide();
    definirData(d);
    setModified(true);
    setFocus(Qt::OtherFocusReason);
}

void CampoData::arrumar() {
    // A date read in another spelling ("15031980") is shown as it was understood.
    const std::optional<QDate> d = data();
    if (!d || text() == regras::dataParaTela(*d))
        return;
    definirData(*d);
    setModified(true);
}

void CampoData::keyPressEvent(QKeyEvent* ev) {
    const bool altBaixo = ev->key() == Qt::Key_Down && (ev->modifiers() & Qt::AltModifier);
    if (altBaixo || (ev->key() == Qt::Key_F4 && ev->modifiers() == Qt::NoModifier)) {
        abrirCalendario();
        ev->accept();
        return;
    }
    // Letters never belong in a date; digits and the separators do.
    const QString t = ev->text();
    const bool comando = ev->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!comando && t.size() == 1 && t.at(0).isPrint() && !t.at(0).isDigit() &&
        !separador(t.at(0))) {
        ev->accept();
        return;
    }
    QLineEdit::keyPressEvent(ev);
}

bool CampoData::conferir(const QList<CampoData*>& campos, const QString& tituloDaCaixa) {
    for (CampoData* c : campos) {
        if (!c || c->valida())
            continue;
        dialogs::mensagem(dialogs::Icone::Exclamacao, tituloDaCaixa,
                          c->vazio() ? kVazia : kInvalida);
        // A field on a page not shown is brought forward, so the focus can land on it.
        for (QWidget* w = c->parentWidget(); w; w = w->parentWidget())
            if (auto* abas = qobject_cast<QTabWidget*>(w))
                for (int i = 0; i < abas->count(); ++i)
                    if (abas->widget(i)->isAncestorOf(c))
                        abas->setCurrentIndex(i);
        c->setFocus(Qt::OtherFocusReason);
        c->selectAll();
        return false;
    }
    return true;
}
