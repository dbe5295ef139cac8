#include "data/celulas.h"

QByteArrayView Celulas::bruta(int linha, int coluna) const {
    if (linha < 0 || linha >= linhas() || coluna < 0 || coluna >= colunas_)
        return {};
    const std::size_t k = std::size_t(linha) * std::size_t(colunas_) + std::size_t(coluna);
    if (k >= fins_.size())
        return {};
    const qsizetype inicio = k ? fins_[k - 1] : 0;
    return QByteArrayView(texto_.constData() + inicio, fins_[k] - inicio);
}

QString Celulas::celula(int linha, int coluna) const {
    return QString::fromUtf8(bruta(linha, coluna));
}

QStringList Celulas::linha(int linha) const {
    QStringList r;
    for (int c = 0; c < colunas_; ++c)
        r << celula(linha, c);
    return r;
}

qint64 Celulas::registro(int linha) const {
    return linha >= 0 && linha < linhas() ? registros_[std::size_t(linha)] : 0;
}

void Celulas::novaLinha(qint64 registro) {
    // A row left short by a failed read is completed with empty cells.
    while (fins_.size() < registros_.size() * std::size_t(colunas_))
        fins_.push_back(texto_.size());
    registros_.push_back(registro);
}

void Celulas::acrescentar(QByteArrayView texto, QByteArrayView resto) {
    texto_.append(texto);
    texto_.append(resto);
    fins_.push_back(texto_.size());
}
