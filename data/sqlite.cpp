#include "data/sqlite.h"

#include <sqlcipher/sqlite3.h>

#include <QFileInfo>
#include <cerrno>

#include "data/erros.h"
#include "data/textobr.h"

namespace db {
namespace {

QString engineText(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

int engineCode(sqlite3* db) {
    return db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
}

// The engine's failure, described in Portuguese when it is a common one.
DbError engineError(sqlite3* db) {
    const int codigo = engineCode(db);
    const char* arquivo = db ? sqlite3_db_filename(db, "main") : nullptr;
    const QString descricao = erros::doBanco(codigo, db ? sqlite3_system_errno(db) : 0,
                                             arquivo ? QString::fromUtf8(arquivo) : QString());
    return DbError(descricao.isEmpty() ? engineText(db) : descricao, codigo);
}

int& espera() {
    static int ms = 5000;
    return ms;
}

// Files are keyed as SQLCipher 3 writes them, whichever SQLCipher this build links,
// so a file moves between machines and versions unchanged.
int configureCipher(sqlite3* db) {
    QByteArray versao;
    sqlite3_exec(
        db, "PRAGMA cipher_version",
        [](void* destino, int, char** valores, char**) {
            if (valores[0])
                *static_cast<QByteArray*>(destino) = valores[0];
            return 0;
        },
        &versao, nullptr);
    const int principal = versao.left(versao.indexOf('.')).toInt();
    const char* ajustes = principal >= 4 ? "PRAGMA cipher_compatibility = 3;"
                                         : "PRAGMA cipher_page_size = 1024;"
                                           "PRAGMA kdf_iter = 64000;"
                                           "PRAGMA cipher_use_hmac = ON;";
    return sqlite3_exec(db, ajustes, nullptr, nullptr, nullptr);
}

int collatePtbr(void*, int la, const void* a, int lb, const void* b) {
    return textobr::comparar(std::string_view(static_cast<const char*>(a), la),
                             std::string_view(static_cast<const char*>(b), lb));
}

std::string_view argText(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, sqlite3_value_bytes(v)) : std::string_view();
}

// like(pattern, text): accents and case ignored, "%" the only wildcard.
void likePtbr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // Read the pattern first: converting the text may move neither.
    const std::string_view padrao = argText(argv[0]);
    const std::string_view texto = argText(argv[1]);
    sqlite3_result_int(ctx, textobr::combina(padrao, texto) ? 1 : 0);
}

void registerFunctions(sqlite3* db) {
    // Replaces the ASCII-only built-in for the text columns declared NOCASE.
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, collatePtbr);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likePtbr,
                            nullptr, nullptr);
}

}  // namespace

DbError::DbError(const QString& descricao, int codigo)
    : std::runtime_error(descricao.toStdString()), descricao_(descricao), codigo_(codigo) {}

bool DbError::arquivoInacessivel() const {
    return (codigo_ & 0xff) == SQLITE_CANTOPEN;
}

DbError DbError::inacessivel() {
    return DbError(erros::doBanco(SQLITE_CANTOPEN, ENOENT), SQLITE_CANTOPEN);
}

DbError DbError::naoEhBanco(const QString& descricao) {
    return DbError(descricao, SQLITE_NOTADB);
}

bool DbError::ilegivel() const {
    switch (codigo_ & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_IOERR:
        case SQLITE_CORRUPT:
            return true;
        default:
            return false;
    }
}

bool DbError::danificado() const {
    return (codigo_ & 0xff) == SQLITE_CORRUPT;
}

bool DbError::semBanco() const {
    return (codigo_ & 0xff) == SQLITE_NOTADB;
}

int esperaOcupado() {
    return espera();
}

void definirEsperaOcupado(int milissegundos) {
    espera() = milissegundos;
}

Database::~Database() {
    close();
}

void Database::close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    path_.clear();
}

void Database::openWith(const QString& path, const QString& key, int flags) {
    close();
    sqlite3* handle = nullptr;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &handle, flags, nullptr);
    if (rc == SQLITE_OK) {
        // The key check below is the first read: it waits for a busy file like any other.
        sqlite3_busy_timeout(handle, espera());
        const QByteArray k = key.toUtf8();
        rc = sqlite3_key(handle, k.constData(), k.size());
    }
    if (rc == SQLITE_OK)
        rc = configureCipher(handle);
    if (rc == SQLITE_OK) {
        // The key is only checked on the first read; a wrong key reads as "not a database".
        rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const DbError erro = engineError(handle);
        sqlite3_close_v2(handle);
        throw erro;
    }
    // A big page cache keeps decrypted pages between scans of a kept connection.
    sqlite3_exec(handle, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    registerFunctions(handle);
    db_ = handle;
    path_ = path;
}

void Database::open(const QString& path, const QString& key) {
    // One thread uses a connection; the engine's own locking would only cost time.
    openWith(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
}

void Database::openReadOnly(const QString& path, const QString& key) {
    openWith(path, key, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
}

void Database::create(const QString& path, const QString& key) {
    openWith(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

void Database::rekey(const QString& key) {
    if (!db_)
        throw DbError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    const QByteArray k = key.toUtf8();
    if (sqlite3_rekey(db_, k.constData(), k.size()) != SQLITE_OK)
        throw engineError(db_);
}

Statement Database::prepare(const QString& sql) {
    if (!db_)
        throw DbError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    const QByteArray s = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, s.constData(), s.size(), &st, nullptr) != SQLITE_OK) {
        const DbError erro = engineError(db_);
        sqlite3_finalize(st);
        throw erro;
    }
    if (!st)
        throw DbError(QStringLiteral("empty statement"));
    return Statement(db_, st);
}

void Database::exec(const QString& sql, const QVariantList& params) {
    Statement st = prepare(sql);
    st.bind(params);
    st.exec();
}

void Database::execScript(const QString& sql) {
    if (!db_)
        throw DbError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        sqlite3_free(err);
        throw engineError(db_);
    }
}

int Database::changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}

qint64 Database::totalChanges() const {
    return db_ ? sqlite3_total_changes(db_) : 0;
}

Statement::Statement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}

Statement::Statement(Statement&& o) noexcept
    : db_(o.db_), stmt_(o.stmt_), names_(std::move(o.names_)) {
    o.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(stmt_);
        db_ = o.db_;
        stmt_ = o.stmt_;
        names_ = std::move(o.names_);
        o.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
    return *this;
}

bool mesmoValor(const QVariant& a, const QVariant& b) {
    const bool ta = a.metaType() == QMetaType::fromType<TextoBruto>();
    const bool tb = b.metaType() == QMetaType::fromType<TextoBruto>();
    if (ta || tb)
        return ta && tb && a.value<TextoBruto>().bytes == b.value<TextoBruto>().bytes;
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a.metaType() == b.metaType() && a == b;
}

Statement& Statement::bind(int index, const QVariant& v) {
    int rc;
    if (v.metaType() == QMetaType::fromType<TextoBruto>()) {
        const QByteArray t = v.value<TextoBruto>().bytes;
        rc = sqlite3_bind_text(stmt_, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    } else if (v.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(stmt_, index, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt_, index, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc =
                    sqlite3_bind_blob(stmt_, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, index, t.constData(), t.size(), SQLITE_TRANSIENT);
            }
        }
    }
    if (rc != SQLITE_OK)
        throw engineError(db_);
    return *this;
}

bool Statement::next() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const DbError erro = engineError(db_);
    sqlite3_reset(stmt_);
    throw erro;
}

void Statement::exec() {
    while (next()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

int Statement::columnIndex(const QString& name) const {
    if (names_.isEmpty()) {
        const int n = columnCount();
        names_.reserve(n);
        for (int i = 0; i < n; ++i)
            names_.append(columnName(i).toLower());
    }
    return names_.indexOf(name.toLower());
}

int Statement::indexOrThrow(const QString& name) const {
    const int i = columnIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("no such column: %1").arg(name));
    return i;
}

bool Statement::isNull(int i) const {
    return sqlite3_column_type(stmt_, i) == SQLITE_NULL;
}
bool Statement::isText(int i) const {
    return sqlite3_column_type(stmt_, i) == SQLITE_TEXT;
}
bool Statement::isNull(const QString& name) const {
    return isNull(indexOrThrow(name));
}

QString Statement::text(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, i)) : QString();
}
QByteArrayView Statement::utf8(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return p ? QByteArrayView(p, sqlite3_column_bytes(stmt_, i)) : QByteArrayView();
}

QString Statement::text(const QString& name) const {
    return text(indexOrThrow(name));
}

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, i));
        default:
            return QVariant(text(i));
    }
}
QVariant Statement::bruto(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_TEXT:
            return QVariant::fromValue(TextoBruto{utf8(i).toByteArray()});
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
            return QVariant(QByteArray(p, sqlite3_column_bytes(stmt_, i)));
        }
        default:
            return value(i);
    }
}

QVariant Statement::value(const QString& name) const {
    return value(indexOrThrow(name));
}

}  // namespace db
