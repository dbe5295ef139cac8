#pragma once

#include <QDate>
#include <QLineEdit>
#include <QList>
#include <optional>

class QCalendarWidget;

// A date typed "dd/mm/aaaa", with or without the slashes, with a calendar beside it
// (its button, Alt+Down or F4). Text it cannot read stays as typed, so nothing ever
// turns into another date; conferir() refuses it before anything is saved.
class CampoData : public QLineEdit {
    Q_OBJECT
public:
    explicit CampoData(QWidget* parent = nullptr);

    // "15/03/1980", "1/3/1980" and "15031980"; also with "-" or "." between. Years have
    // four digits. Invalid for anything else.
    static QDate lerData(const QString& texto);

    bool vazio() const;
    void limpar();
    // Readable, or empty when the date may be left out.
    bool valida() const;
    QString textoDigitado() const { return text(); }
    // Shows `texto` as it is, read or not (a stored value the field cannot read).
    void definirTexto(const QString& texto);
    std::optional<QDate> data() const;    // nullopt when empty or unreadable
    void definirData(const QDate& data);  // an invalid date empties it
    void definirObrigatoria(bool obrigatoria) { obrigatoria_ = obrigatoria; }
    bool obrigatoria() const { return obrigatoria_; }

    QCalendarWidget* calendario() const { return calendario_; }
    // Opens on the field's date, or on today when it has none.
    void abrirCalendario();

    // The first field that cannot be saved gets "A data digitada não é válida: use
    // dd/mm/aaaa." or "A data deve ser preenchida!" under `tituloDaCaixa`, and the focus.
    static bool conferir(const QList<CampoData*>& campos, const QString& tituloDaCaixa);

protected:
    void keyPressEvent(QKeyEvent* ev) override;

private:
    void escolhida(const QDate& data);
    void arrumar();

    QWidget* popup_ = nullptr;
    QCalendarWidget* calendario_ = nullptr;
    bool obrigatoria_ = false;
};
