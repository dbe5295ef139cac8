#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

#include "data/sqlite.h"

// One record of a table as the entry forms and the flows write, read and remove it.
namespace gravacao {

struct Valor {
    QString coluna;
    QVariant valor;  // what is written; as read, the text shown
    QVariant bruto;  // as read: the value exactly as stored (db::Statement::bruto)
};

// The record an edit or a removal acts on: its rowid and its key exactly as the list read
// it. Both must still match, so two records with one key are told apart, and a record
// whose key another program changed is left alone.
struct Alvo {
    qint64 registro = 0;
    QByteArray chave;
    // Every column as the form loaded it; an update writes only while the record still
    // holds exactly these. Empty: not checked.
    QList<QVariant> original;
};

// The record is gone, or its key is no longer the one read.
class RegistroNaoEncontrado : public db::DbError {
public:
    RegistroNaoEncontrado();
};

// Someone else wrote the record after it was loaded.
class RegistroAlterado : public db::DbError {
public:
    RegistroAlterado();
};

// Runs `escrever` in one write transaction, reserved at once so nobody writes in between:
// all of it stays written, or after a failure nothing does and the failure is thrown.
void emTransacao(db::Database& banco, const std::function<void()>& escrever);

// Adds a row with the columns in the order given.
void inserir(db::Database& banco, const QString& tabela, const QList<Valor>& valores);

// Every column of the record, a missing value as empty text; nullopt when it is not there.
std::optional<QList<Valor>> ler(db::Database& banco, const QString& tabela,
                                const QString& colunaChave, const Alvo& alvo);

// What an update checks against: the stored values of a record as ler() read them.
QList<QVariant> originais(const QList<Valor>& lidos);

// Overwrites the record, checking and writing in one write transaction; throws
// RegistroNaoEncontrado when it is not there, RegistroAlterado when it no longer holds
// what the target was loaded with, and then writes nothing.
void atualizar(db::Database& banco, const QString& tabela, const QString& colunaChave,
               const Alvo& alvo, const QList<Valor>& valores);

// Removes the record alone; throws RegistroNaoEncontrado when it is not there.
void remover(db::Database& banco, const QString& tabela, const QString& colunaChave,
             const Alvo& alvo);

}  // namespace gravacao
