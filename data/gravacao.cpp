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
        registro.append({st.columnName(i), st.isNull(i) ? QString("") : st.text(i)});
    return registro;
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
    banco.exec(QStringLiteral("UPDATE [%1] SET %2 WHERE %3")
                   .arg(tabela, atribuicoes.join(QStringLiteral(", ")), condicao(colunaChave)),
               valoresSql);
    if (banco.changes() != 1)
        throw RegistroNaoEncontrado();
}

void remover(db::Database& banco, const QString& tabela, const QString& colunaChave,
             const Alvo& alvo) {
    banco.exec(QStringLiteral("DELETE FROM [%1] WHERE %2").arg(tabela, condicao(colunaChave)),
               parametros(alvo));
    if (banco.changes() != 1)
        throw RegistroNaoEncontrado();
}

}  // namespace gravacao
