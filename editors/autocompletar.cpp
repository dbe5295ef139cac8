#include "editors/autocompletar.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "data/textobr.h"

namespace editors {
namespace {

class AoSoltarTecla : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyRelease) {
            const auto* tecla = static_cast<QKeyEvent*>(ev);
            // Ctrl+A, Ctrl+C and the like type nothing, so they must not complete either.
            const bool atalho =
                tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            autocompletar(atalho ? 0 : tecla->key(), static_cast<QComboBox*>(obj));
        }
        return false;
    }
};

}  // namespace

int procurarEntrada(const QStringList& entradas, const QString& digitado) {
    if (digitado.isEmpty())
        return -1;
    const QByteArray prefixo = digitado.toUtf8();
    for (qsizetype i = 0; i < entradas.size(); ++i) {
        const QByteArray entrada = entradas.at(i).toUtf8();
        if (textobr::comecaCom(std::string_view(entrada.constData(), entrada.size()),
                               std::string_view(prefixo.constData(), prefixo.size())))
            return static_cast<int>(i);
    }
    return -1;
}

bool teclaCompleta(int tecla) {
    // Qt codes below Escape are the printable characters, space included.
    return tecla >= Qt::Key_Space && tecla < Qt::Key_Escape;
}

void autocompletar(int tecla, QComboBox* combo) {
    QLineEdit* linha = combo->lineEdit();
    if (!linha || linha->text().isEmpty() || !teclaCompleta(tecla))
        return;
    const QString digitado = linha->text();
    QStringList entradas;
    entradas.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        entradas << combo->itemText(i);
    const int achada = procurarEntrada(entradas, digitado);
    if (achada < 0)
        return;
    combo->setCurrentIndex(achada);
    const QString completo = combo->itemText(achada);
    linha->setText(completo);
    // Caret after the typed characters, the completed part selected behind it.
    const int n = static_cast<int>(digitado.size());
    linha->setCursorPosition(static_cast<int>(completo.size()));
    linha->cursorBackward(true, static_cast<int>(completo.size()) - n);
}

void ligarAutocompletar(QComboBox* combo) {
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->installEventFilter(new AoSoltarTecla(combo));
}

}  // namespace editors
