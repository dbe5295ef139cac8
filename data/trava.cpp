#include "data/trava.h"

#include <sqlcipher/sqlite3.h>

#include "data/erros.h"

TravaBanco::TravaBanco(const QString& caminho, const QString& senha, Modo modo) {
    banco_.open(caminho, senha);
    // A read inside a transaction keeps the shared lock until the transaction ends.
    banco_.execScript(modo == Modo::Exclusiva
                          ? QStringLiteral("BEGIN EXCLUSIVE;")
                          : QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master;"));
}

QString TravaBanco::verificar() {
    try {
        db::Statement st = banco_.prepare(QStringLiteral("PRAGMA quick_check"));
        const QString r = st.next() ? st.text(0) : QString();
        return r == QLatin1String("ok") ? QString() : erros::doBanco(SQLITE_CORRUPT, 0);
    } catch (const db::DbError& e) {
        return e.descricao();
    }
}

TravaBanco::~TravaBanco() {
    try {
        banco_.execScript(QStringLiteral("ROLLBACK;"));
    } catch (const db::DbError&) {
        // Closing the connection ends the transaction all the same.
    }
}
