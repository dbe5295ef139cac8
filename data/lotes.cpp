#include "data/lotes.h"

#include <QStringList>

#include "data/regras.h"
#include "data/sqlite.h"

namespace lotes {

QList<ContatoGuardado> contatosGuardados(db::Database& banco) {
    QList<ContatoGuardado> r;
    db::Statement st = banco.prepare(QStringLiteral(
        "SELECT nome, tel, cel, telemp, nextel, fax, faxemp, email, emailemp FROM agenda"));
    while (st.next()) {
        ContatoGuardado c;
        c.nome = st.text(0);
        for (int i = 1; i <= 6; ++i)
            c.telefones << st.text(i);
        c.emails << st.text(7) << st.text(8);
        r << c;
    }
    return r;
}

QSet<QString> compromissosGuardados(db::Database& banco) {
    QSet<QString> r;
    db::Statement st = banco.prepare(QStringLiteral("SELECT Data, hora, Titulo FROM compromisso"));
    while (st.next())
        r.insert(regras::aparado(st.text(0)) + QLatin1Char('|') + regras::aparado(st.text(1)) +
                 QLatin1Char('|') + regras::aparado(st.text(2)));
    return r;
}

void inserirTodos(db::Database& banco, const QString& tabela,
                  const QList<QList<gravacao::Valor>>& linhas,
                  const std::function<void(int)>& passo) {
    if (linhas.isEmpty())
        return;
    // One statement for all, the columns named as the first row names them.
    QStringList colunas, marcas;
    for (const gravacao::Valor& v : linhas.first()) {
        colunas << QStringLiteral("[%1]").arg(v.coluna);
        marcas << QStringLiteral("?");
    }
    gravacao::emTransacao(banco, [&] {
        db::Statement st = banco.prepare(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                             .arg(tabela, colunas.join(QStringLiteral(", ")),
                                                  marcas.join(QStringLiteral(", "))));
        int feitas = 0;
        for (const QList<gravacao::Valor>& l : linhas) {
            st.reset();
            for (int i = 0; i < l.size(); ++i)
                st.bind(i + 1, l[i].valor);
            st.exec();
            if (passo)
                passo(++feitas);
        }
    });
}

void lerRegistros(db::Database& banco, Categoria categoria, std::span<const qint64> registros,
                  const std::function<void(const db::Statement&)>& linha) {
    const categoria::Descricao& d = categoria::descricao(categoria);
    db::Statement st = banco.prepare(QStringLiteral("SELECT * FROM [%1] WHERE %2 = ?")
                                         .arg(QLatin1String(d.tabela), QLatin1String(d.registro)));
    // One read transaction: one lock and one look at the file for all the lookups.
    banco.execScript(QStringLiteral("BEGIN;"));
    try {
        for (const qint64 r : registros) {
            st.reset();
            st.bind(1, r);
            if (st.next())
                linha(st);
        }
    } catch (const db::DbError&) {
        st.reset();
        banco.execScript(QStringLiteral("ROLLBACK;"));
        throw;
    }
    st.reset();
    banco.execScript(QStringLiteral("COMMIT;"));
}

}  // namespace lotes
