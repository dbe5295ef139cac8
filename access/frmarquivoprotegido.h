#pragma once

#include <functional>
#include <optional>

#include "access/janelaacesso.h"

class QLabel;

namespace acesso {

// "Arquivo protegido": asks the password of a file that does not open with the built-in
// key. A wrong password says so and asks again; the window never blocks the others.
class frmarquivoprotegido : public JanelaAcesso {
    Q_OBJECT
public:
    using AoEntrar = std::function<void(const QString& senha, const QString& chave)>;
    explicit frmarquivoprotegido(QWidget* parent = nullptr);

    // Asks for `caminho`; `aoEntrar` runs once the password opens it, `aoCancelar` when
    // the user gives up. A question still pending is given up first.
    void perguntar(const QString& caminho, AoEntrar aoEntrar, std::function<void()> aoCancelar);

protected:
    void confirmar() override;
    void cancelar() override { close(); }
    void closeEvent(QCloseEvent* ev) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    QLabel* lblarquivo_ = nullptr;
    QString caminho_;
    AoEntrar aoEntrar_;
    std::function<void()> aoCancelar_;
};

// How `caminho` opens in this session, told to `aoAbrir` with its key and, when this was
// learned now, its password (empty: the built-in key; nullopt: the session's own). At once
// when the session's key or the built-in one opens it; after asking, when it is a protected
// file; else with the session's key, so the caller's open fails with its usual message.
using AoAbrir = std::function<void(const QString& chave, const std::optional<QString>& senha)>;
void comChave(const QString& caminho, AoAbrir aoAbrir, std::function<void()> aoCancelar = {});

// Start-up's hook: the file in use, asked for when protected before anything else reads
// it; cancelling ends the program. The session keeps the password given.
void desbloquearInicio(const QString& caminho, std::function<void()> continuar);

}  // namespace acesso
