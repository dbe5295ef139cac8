#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "data/listas.h"

// The cells of one list, replaced whole on every load so the view lays out once.
class ModeloLista : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloLista(const QStringList& cabecalhos, QObject* parent = nullptr);

    void substituir(Celulas celulas);
    // Empty text outside the rows or columns.
    QString celula(int linha, int coluna) const;
    const Celulas& celulas() const { return celulas_; }
    // Shows every cell of `coluna` as "••••••" (-1: none), on screen and wherever the
    // list is read for its shown text (exports, printouts); celula() keeps the stored text.
    void ocultarColuna(int coluna);
    int colunaOculta() const { return oculta_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList cabecalhos_;
    Celulas celulas_;
    int oculta_ = -1;
};
