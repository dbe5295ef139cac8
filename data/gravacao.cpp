#include "data/gravacao.h"

#include <QStringList>

#include "data/banco.h"
#include "data/sqlite.h"

namespace gravacao {

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

void atualizarPrimeira(db::Database& banco, const QString& tabela, const QString& colunaChave,
                       const QVariant& chave, const QList<Valor>& valores) {
    QStringList atribuicoes;
    QVariantList parametros;
    for (const Valor& v : valores) {
        atribuicoes << QStringLiteral("[%1] = ?").arg(v.coluna);
        parametros << v.valor;
    }
    parametros << chave;
    // Rows sharing a key are told apart by storage order: the first one is changed.
    banco.exec(
        QStringLiteral("UPDATE [%1] SET %2 WHERE rowid = (SELECT rowid FROM [%1] WHERE %3 "
                       "ORDER BY rowid LIMIT 1)")
            .arg(tabela, atribuicoes.join(QStringLiteral(", ")), banco::condicaoChave(colunaChave)),
        parametros);
    if (banco.changes() == 0)
        throw db::DbError(
            QStringLiteral("O registro a editar não foi encontrado no banco de dados."));
}

}  // namespace gravacao
