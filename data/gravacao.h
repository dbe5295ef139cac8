#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

#include "data/sqlite.h"

// One record of a table as the entry forms and the flows write, read and remove it.
namespace gravacao {

struct Valor {
    QString coluna;
    QVariant valor;
};

// The record an edit or a removal acts on: its rowid and its key exactly as the list read
// it. Both must still match, so two records with one key are told apart, and a record
// whose key another program changed is left alone.
struct Alvo {
    qint64 registro = 0;
    QByteArray chave;
};

// The record is gone, or its key is no longer the one read.
class RegistroNaoEncontrado : public db::DbError {
public:
    RegistroNaoEncontrado();
};

// Adds a row with the columns in the order given.
void inserir(db::Database& banco, const QString& tabela, const QList<Valor>& valores);

// Every column of the record, a missing value as empty text; nullopt when it is not there.
std::optional<QList<Valor>> ler(db::Database& banco, const QString& tabela,
                                const QString& colunaChave, const Alvo& alvo);

// Overwrites the record; throws RegistroNaoEncontrado when it is not there.
void atualizar(db::Database& banco, const QString& tabela, const QString& colunaChave,
               const Alvo& alvo, const QList<Valor>& valores);

// Removes the record alone; throws RegistroNaoEncontrado when it is not there.
void remover(db::Database& banco, const QString& tabela, const QString& colunaChave,
             const Alvo& alvo);

}  // namespace gravacao
