#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

namespace db {
class Database;
}

// Every row of a query on an open database, columns joined by "|"; NULL reads as "<null>".
QStringList linhasDe(db::Database& banco, const QString& sql, const QVariantList& parametros = {});

// A private program folder with a fresh dados.mde and private settings, so a
// test never touches the user's own files.
class AmbienteTeste {
public:
    AmbienteTeste();   // lays the folder, the file, and points settings at it
    ~AmbienteTeste();  // drops the kept connection

    QString pasta() const { return dir_.path(); }
    QString arquivo() const;  // the local dados.mde

    // Straight to the file, beside the program's own connection.
    void executar(const QString& sql, const QVariantList& parametros = {});
    // Every row of a query, columns joined by "|"; NULL reads as "<null>".
    QStringList linhas(const QString& sql, const QVariantList& parametros = {});
    QString valor(const QString& sql, const QVariantList& parametros = {});

    // Drops the test's own handle, e.g. before the file is replaced.
    void soltar();

private:
    db::Database& direto();
    QTemporaryDir dir_;
    std::unique_ptr<db::Database> direto_;
};
