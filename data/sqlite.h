#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// A failed engine call; what() and descricao() carry the engine's own text, codigo() its
// result code (0 for failures found by the program itself).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& descricao, int codigo = 0);
    QString descricao() const { return descricao_; }
    int codigo() const { return codigo_; }
    // Failures the program finds itself, classed as the engine's own would be.
    static DbError inacessivel();  // the file is not there
    static DbError naoEhBanco(const QString& descricao);

    // The file is not there or cannot be reached.
    bool arquivoInacessivel() const;
    // The file is no database, one keyed otherwise, or not one of this program.
    bool semBanco() const;
    // The file is there but could not be read now: busy, damaged, or the disk failing.
    bool ilegivel() const;
    // A page of the file does not read back as it was written.
    bool danificado() const;

private:
    QString descricao_;
    int codigo_;
};

// How long an open or a statement waits for a file another program is writing.
int esperaOcupado();
void definirEsperaOcupado(int milissegundos);  // tests shorten it

class Statement;

// Text bound exactly as these bytes, valid UTF-8 or not: a stored value written back as it was.
struct TextoBruto {
    QByteArray bytes;
};

// Whether two values read with Statement::bruto are the same stored value.
bool mesmoValor(const QVariant& a, const QVariant& b);

// One keyed SQLCipher connection. Opening never creates a file, so a missing
// network file fails instead of leaving an empty database in its place.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file with the key and proves the key by reading the schema.
    void open(const QString& path, const QString& key);
    // Opens an existing file for reading only: nothing is created or written.
    void openReadOnly(const QString& path, const QString& key);
    // Creates a new file (only the step that lays an empty database uses this).
    void create(const QString& path, const QString& key);
    void close();
    // Writes every page again under `key`, in one transaction.
    void rekey(const QString& key);
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    Statement prepare(const QString& sql);
    // Runs one statement that returns no rows, with its values bound in order.
    void exec(const QString& sql, const QVariantList& params = {});
    // Runs a script of several statements without parameters.
    void execScript(const QString& sql);
    int changes() const;
    // Rows changed through this handle since it was opened.
    qint64 totalChanges() const;

private:
    void openWith(const QString& path, const QString& key, int flags);
    sqlite3* db_ = nullptr;
    QString path_;
};

// A prepared statement; values are always bound, columns read by name in any case.
class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    // Binds positional values starting at the first "?".
    Statement& bind(const QVariantList& values);
    Statement& bind(int index, const QVariant& value);
    // Steps to the next row; false at the end.
    bool next();
    // Runs to completion.
    void exec();
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    int columnIndex(const QString& name) const;  // -1 when absent
    bool isNull(int i) const;
    bool isNull(const QString& name) const;
    bool isText(int i) const;
    QString text(int i) const;
    QString text(const QString& name) const;
    // The column's UTF-8 text as the engine holds it, valid until the next step.
    QByteArrayView utf8(int i) const;
    QVariant value(int i) const;  // null QVariant for SQL NULL
    QVariant value(const QString& name) const;
    // The value exactly as stored, to compare or to write back: null, a number, text as
    // TextoBruto, a blob as QByteArray.
    QVariant bruto(int i) const;

private:
    friend class Database;
    Statement(sqlite3* db, sqlite3_stmt* stmt);
    int indexOrThrow(const QString& name) const;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    mutable QVector<QString> names_;  // lower-case column names, filled once
};

}  // namespace db

Q_DECLARE_METATYPE(db::TextoBruto)
