#include "data/login.h"

#include "data/banco.h"
#include "data/sqlite.h"

namespace login {

std::optional<Registro> ler(db::Database& banco) {
    db::Statement st = banco.prepare(QStringLiteral("SELECT * FROM login WHERE ID = ?"));
    st.bind({1});
    if (!st.next())
        return std::nullopt;
    return Registro{st.text(QStringLiteral("login")), st.text(QStringLiteral("senha")),
                    st.text(QStringLiteral("email")), st.text(QStringLiteral("login_inicia"))};
}

void gravar(const Registro& r) {
    banco::executarsql(QStringLiteral("UPDATE login SET login = ?, senha = ?, email = ?, "
                                      "login_inicia = ? WHERE ID = 1"),
                       {r.usuario, r.senha, r.email, r.inicia}, banco::arquivobanco,
                       banco::chaveBanco(), banco::tipobanco);
}

bool confere(db::Database& banco, const QString& usuario, const QString& senha) {
    // The engine compares letter case only for ASCII; the user name is compared here.
    db::Statement st = banco.prepare(
        QStringLiteral("SELECT [login] FROM login WHERE coalesce([senha], '') = ? COLLATE BINARY"));
    st.bind({senha});
    while (st.next())
        if (st.text(0).compare(usuario, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace login
