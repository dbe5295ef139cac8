#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The rows of a list as read from a table: the text of every cell, and beside them the
// record each row came from (its rowid, or the appointment's id), which is not shown.
// Kept as one UTF-8 text with the end of each cell: 100,000 rows cost a few allocations
// instead of a million strings.
class Celulas {
public:
    explicit Celulas(int colunas = 0) : colunas_(colunas) {}

    int colunas() const { return colunas_; }
    int linhas() const { return int(registros_.size()); }
    // Empty text outside the rows and columns.
    QString celula(int linha, int coluna) const;
    // The cell's bytes exactly as the file holds them, valid UTF-8 or not.
    QByteArrayView bruta(int linha, int coluna) const;
    QStringList linha(int linha) const;
    // The record of a row; 0 outside the rows.
    qint64 registro(int linha) const;

    // Starts the next row, then its cells follow one by one.
    void novaLinha(qint64 registro);
    // Adds the next cell of the current row, made of `texto` followed by `resto`.
    void acrescentar(QByteArrayView texto, QByteArrayView resto = {});

    // Why the rows stop short of the file's (a damaged file, say); empty when they are whole.
    QString falha() const { return falha_; }
    void definirFalha(const QString& motivo) { falha_ = motivo; }

private:
    int colunas_;
    QByteArray texto_;
    std::vector<qsizetype> fins_;
    std::vector<qint64> registros_;
    QString falha_;
};
