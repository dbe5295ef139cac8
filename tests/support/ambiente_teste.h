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

    // `n` contacts "Contato 0001" to "Contato n" (in reverse order when `invertidos`), each
    // with a long additional text so they fill many pages.
    void contatosNumerados(int n, bool invertidos = false);
    // Overwrites bytes in the middle of the file, as a failing disk would: one page that no
    // longer reads back. Every handle on the file is dropped first.
    void danificarMeio();

private:
    db::Database& direto();
    QTemporaryDir dir_;
    std::unique_ptr<db::Database> direto_;
};
