#include "ui/modelolista.h"

ModeloLista::ModeloLista(const QStringList& cabecalhos, QObject* parent)
    : QAbstractTableModel(parent), cabecalhos_(cabecalhos) {}

void ModeloLista::substituir(Celulas celulas) {
    beginResetModel();
    celulas_ = std::move(celulas);
    endResetModel();
}

QString ModeloLista::celula(int linha, int coluna) const {
    return celulas_.celula(linha, coluna);
}

int ModeloLista::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : celulas_.linhas();
}

int ModeloLista::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(cabecalhos_.size());
}

QVariant ModeloLista::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    if (index.column() == oculta_)
        return QStringLiteral("••••••");
    return celula(index.row(), index.column());
}

void ModeloLista::ocultarColuna(int coluna) {
    if (coluna == oculta_)
        return;
    oculta_ = coluna;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QVariant ModeloLista::headerData(int secao, Qt::Orientation orientacao, int role) const {
    if (orientacao != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return cabecalhos_.value(secao);
}
