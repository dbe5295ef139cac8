#include "data/leitura.h"

#include <limits>
#include <optional>

#include "data/sqlite.h"

namespace leitura {
namespace {

constexpr qint64 kMaior = std::numeric_limits<qint64>::max();

// Whether the first row at or after `rowid` reads whole, columns included.
bool legivelDesde(db::Database& banco, const QString& selecao, qint64 rowid) {
    try {
        db::Statement st =
            banco.prepare(selecao + QStringLiteral(" WHERE rowid >= ? ORDER BY rowid LIMIT 1"));
        st.bind({rowid});
        if (st.next())
            for (int i = 0; i < st.columnCount(); ++i)
                st.utf8(i);
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

// The first rowid past `ruim` from which the table reads again; nullopt when none does.
// Reading from `ruim` fails, and goes on failing up to the end of the damaged run, so an
// exponential probe then a halving finds that end in a few dozen seeks.
std::optional<qint64> proximoLegivel(db::Database& banco, const QString& selecao, qint64 ruim) {
    qint64 passo = 1;
    qint64 bom = 0;
    for (;;) {
        const qint64 tentativa = ruim > kMaior - passo ? kMaior : ruim + passo;
        if (legivelDesde(banco, selecao, tentativa)) {
            bom = tentativa;
            break;
        }
        if (tentativa == kMaior)
            return std::nullopt;
        ruim = tentativa;
        passo = passo > kMaior / 2 ? kMaior : passo * 2;
    }
    while (bom - ruim > 1) {
        const qint64 meio = ruim + (bom - ruim) / 2;
        if (legivelDesde(banco, selecao, meio))
            bom = meio;
        else
            ruim = meio;
    }
    return bom;
}

}  // namespace

QString lerTabela(db::Database& banco, const QString& selecao,
                  const std::function<void(const db::Statement&)>& linha) {
    QString primeiraFalha;
    qint64 desde = std::numeric_limits<qint64>::min();
    for (;;) {
        qint64 ultimo = desde;
        bool lido = false;
        try {
            db::Statement st =
                banco.prepare(selecao + QStringLiteral(" WHERE rowid >= ? ORDER BY rowid"));
            st.bind({desde});
            while (st.next()) {
                ultimo = st.value(0).toLongLong();
                lido = true;
                linha(st);
            }
            return primeiraFalha;
        } catch (const db::DbError& e) {
            if (primeiraFalha.isEmpty())
                primeiraFalha = e.descricao();
            // Only damage is skipped; a busy or vanished file gives what was read so far.
            if (!e.danificado())
                return primeiraFalha;
        }
        // The row after `ultimo` failed: go on at the first one that reads again.
        if (lido && ultimo == kMaior)
            return primeiraFalha;
        const qint64 ruim = lido ? ultimo + 1 : desde;
        const std::optional<qint64> proximo = proximoLegivel(banco, selecao, ruim);
        if (!proximo)
            return primeiraFalha;
        desde = *proximo;
    }
}

}  // namespace leitura
