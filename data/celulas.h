#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The rows of a list as read from a table: the text of every cell, and beside them the
// record each row came from (its rowid, or the appointment's id), which is not shown.
// Kept as one UTF-8 text with the end of each cell: 100,000 rows cost a few allocations
// instead of a million strings. A search's result is a view of some of the rows of the
// full list, sharing its text: copying Celulas copies two pointers.
class Celulas {
public:
    Celulas() : Celulas(0) {}
    explicit Celulas(int colunas);

    int colunas() const { return colunas_; }
    int linhas() const;
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
    // A column that shows the row's number in the list shown, counted from 1.
    void definirContador(int coluna);

    // The rows `linhas` of these (indices of their rows, in the order to show), sharing the text.
    Celulas escolhidas(std::vector<int> linhas) const;

    // Why the rows stop short of the file's (a damaged file, say); empty when they are whole.
    QString falha() const { return falha_; }
    void definirFalha(const QString& motivo) { falha_ = motivo; }

private:
    struct Dados {
        QByteArray texto;
        std::vector<qsizetype> fins;
        std::vector<qint64> registros;
    };
    // The row of the shared data that row `linha` of these shows; -1 outside them.
    int base(int linha) const;
    Dados& gravaveis();

    int colunas_;
    std::shared_ptr<Dados> dados_;
    std::shared_ptr<const std::vector<int>> escolhidas_;  // null: every row, in order
    std::vector<int> contadores_;
    QString falha_;
};
