#include "data/contatos.h"

#include "data/banco.h"
#include "data/regras.h"
#include "data/sqlite.h"

namespace contatos {

QStringList valoresDistintos(db::Database& banco, const QString& coluna) {
    QStringList r;
    db::Statement st =
        banco.prepare(QStringLiteral("select DISTINCT [%1] from [agenda]").arg(coluna));
    while (st.next())
        if (!st.isNull(0))
            r << st.text(0);
    return r;
}

bool telefoneCadastrado(db::Database& banco, const QString& telefone) {
    if (regras::aparado(telefone).isEmpty())
        return false;
    db::Statement st = banco.prepare(QStringLiteral("SELECT 1 FROM agenda WHERE %1 LIMIT 1")
                                         .arg(banco::condicaoChave(QStringLiteral("tel"))));
    st.bind({regras::preenchido(telefone)});
    return st.next();
}

}  // namespace contatos
