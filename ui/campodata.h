#pragma once

#include <QDate>
#include <QDateEdit>
#include <optional>

// A date picker that may also be empty, as the search range and the birthday need.
// Delete or Backspace over the whole text empties it; typing or the calendar fills it.
class CampoData : public QDateEdit {
    Q_OBJECT
public:
    explicit CampoData(QWidget* parent = nullptr);

    bool vazio() const;
    void limpar();
    std::optional<QDate> data() const;    // nullopt when empty
    void definirData(const QDate& data);  // an invalid date empties it

signals:
    void alterado();

protected:
    void keyPressEvent(QKeyEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    bool focusNextPrevChild(bool proximo) override;

private:
    static QDate sentinela();
};
