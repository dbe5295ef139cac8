#include "data/gravacao.h"

#include <QStringList>

namespace gravacao {
namespace {

// A key stored without a value shows as an empty cell, and is matched as one.
QString condicao(const QString& colunaChave) {
    return QStringLiteral("rowid = ? AND CAST(coalesce([%1], '') AS BLOB) = ?").arg(colunaChave);
}

QVariantList parametros(const Alvo& alvo) {
    // The key goes as bytes, so a key the file holds in another encoding still matches.
    return {alvo.registro, QVariant(alvo.chave.isNull() ? QByteArray("") : alvo.chave)};
}

}  // namespace

RegistroNaoEncontrado::RegistroNaoEncontrado()
    : db::DbError(QStringLiteral("O registro não foi encontrado no banco de dados.")) {}

RegistroAlterado::RegistroAlterado()
    : db::DbError(QStringLiteral("O registro foi alterado por outro usuário depois de aberto; "
                                 "feche e abra de novo para ver a versão atual.")) {}

void emTransacao(db::Database& banco, const std::function<void()>& escrever) {
    banco.execScript(QStringLiteral("BEGIN IMMEDIATE;"));
    try {
        escrever();
        banco.execScript(QStringLiteral("COMMIT;"));
    } catch (const db::DbError&) {
        try {
            banco.execScript(QStringLiteral("ROLLBACK;"));
        } catch (const db::DbError&) {
            // A failed COMMIT may have ended the transaction already.
        }
        throw;
    }
}

void inserir(db::Database& banco, const QString& tabela, const QList<Valor>& valores) {
    QStringList colunas, marcas;
    QVariantList parametros;
    for (const Valor& v : valores) {
        colunas << QStringLiteral("[%1]").arg(v.coluna);
        marcas << QStringLiteral("?");
        parametros << v.valor;
    }
    banco.exec(
        QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
            .arg(tabela, colunas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))),
        parametros);
}

std::optional<QList<Valor>> ler(db::Database& banco, const QString& tabela,
                                const QString& colunaChave, const Alvo& alvo) {
    db::Statement st = banco.prepare(
        QStringLiteral("SELECT * FROM [%1] WHERE %2").arg(tabela, condicao(colunaChave)));
    st.bind(parametros(alvo));
    if (!st.next())
        return std::nullopt;
    QList<Valor> registro;
    for (int i = 0; i < st.columnCount(); ++i)
        registro.append({st.columnName(i), st.isNull(i) ? QString("") : st.text(i), st.bruto(i)});
    return registro;
}

QList<QVariant> originais(const QList<Valor>& lidos) {
    QList<QVariant> r;
    for (const Valor& v : lidos)
        r << v.bruto;
    return r;
}

void atualizar(db::Database& banco, const QString& tabela, const QString& colunaChave,
               const Alvo& alvo, const QList<Valor>& valores) {
    QStringList atribuicoes;
    QVariantList valoresSql;
    for (const Valor& v : valores) {
        atribuicoes << QStringLiteral("[%1] = ?").arg(v.coluna);
        valoresSql << v.valor;
    }
    valoresSql << parametros(alvo);
    // Nobody writes between the check and the update.
    emTransacao(banco, [&] {
        if (!alvo.original.isEmpty()) {
            const std::optional<QList<Valor>> agora = ler(banco, tabela, colunaChave, alvo);
            if (!agora)
                throw RegistroNaoEncontrado();
            if (agora->size() != alvo.original.size())
                throw RegistroAlterado();
            for (qsizetype i = 0; i < agora->size(); ++i)
                if (!db::mesmoValor(agora->at(i).bruto, alvo.original.at(i)))
                    throw RegistroAlterado();
        }
        banco.exec(QStringLiteral("UPDATE [%1] SET %2 WHERE %3")
                       .arg(tabela, atribuicoes.join(QStringLiteral(", ")), condicao(colunaChave)),
                   valoresSql);
        if (banco.changes() != 1)
            throw RegistroNaoEncontrado();
    });
}

void remover(db::Database& banco, const QString& tabela, const QString& colunaChave,
             const Alvo& alvo) {
    banco.exec(QStringLiteral("DELETE FROM [%1] WHERE %2").arg(tabela, condicao(colunaChave)),
               parametros(alvo));
    if (banco.changes() != 1)
        throw RegistroNaoEncontrado();
}

}  // namespace gravacao
