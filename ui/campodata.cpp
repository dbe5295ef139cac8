#include "ui/campodata.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "data/regras.h"
#include "ui/acessivel.h"

CampoData::CampoData(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    acessivel::nomearCalendario(this);
    // The day before the earliest real date stands for "no date" and shows as a blank.
    setMinimumDate(sentinela());
    setSpecialValueText(QStringLiteral(" "));
    setDate(sentinela());
    connect(this, &QDateEdit::dateChanged, this, &CampoData::alterado);
}

QDate CampoData::sentinela() {
    return QDate(1752, 9, 14);
}

bool CampoData::vazio() const {
    return date() == sentinela();
}

void CampoData::limpar() {
    setDate(sentinela());
}

std::optional<QDate> CampoData::data() const {
    if (vazio())
        return std::nullopt;
    return date();
}

void CampoData::definirData(const QDate& d) {
    if (d.isValid() && d > sentinela())
        setDate(d);
    else
        limpar();
}

void CampoData::keyPressEvent(QKeyEvent* ev) {
    const bool apagar = ev->key() == Qt::Key_Delete || ev->key() == Qt::Key_Backspace;
    if (apagar && (vazio() || lineEdit()->selectedText() == lineEdit()->text())) {
        limpar();
        ev->accept();
        return;
    }
    if (vazio() && !ev->text().isEmpty() && ev->text().at(0).isDigit()) {
        // Typing into an empty picker starts from today, then edits the day.
        setDate(regras::hoje());
        setSelectedSection(QDateTimeEdit::DaySection);
    }
    QDateEdit::keyPressEvent(ev);
}

bool CampoData::focusNextPrevChild(bool proximo) {
    // An empty picker has no day, month or year to move through: Tab leaves it.
    if (vazio())
        return QWidget::focusNextPrevChild(proximo);
    return QDateEdit::focusNextPrevChild(proximo);
}

void CampoData::mousePressEvent(QMouseEvent* ev) {
    // The calendar of an empty picker opens on today rather than on 1752; silently, or the
    // picker would take today's date before anything is chosen.
    if (vazio()) {
        const QSignalBlocker calado(calendarWidget());
        calendarWidget()->setSelectedDate(regras::hoje());
    }
    QDateEdit::mousePressEvent(ev);
}
