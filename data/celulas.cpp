#include "data/celulas.h"

#include <algorithm>

Celulas::Celulas(int colunas) : colunas_(colunas), dados_(std::make_shared<Dados>()) {}

int Celulas::linhas() const {
    return escolhidas_ ? int(escolhidas_->size()) : int(dados_->registros.size());
}

int Celulas::base(int linha) const {
    if (linha < 0 || linha >= linhas())
        return -1;
    return escolhidas_ ? (*escolhidas_)[std::size_t(linha)] : linha;
}

QByteArrayView Celulas::bruta(int linha, int coluna) const {
    const int b = base(linha);
    if (b < 0 || coluna < 0 || coluna >= colunas_)
        return {};
    const std::size_t k = std::size_t(b) * std::size_t(colunas_) + std::size_t(coluna);
    if (k >= dados_->fins.size())
        return {};
    const qsizetype inicio = k ? dados_->fins[k - 1] : 0;
    return QByteArrayView(dados_->texto.constData() + inicio, dados_->fins[k] - inicio);
}

QString Celulas::celula(int linha, int coluna) const {
    if (escolhidas_ && base(linha) >= 0 &&
        std::find(contadores_.begin(), contadores_.end(), coluna) != contadores_.end())
        return QString::number(linha + 1);
    return QString::fromUtf8(bruta(linha, coluna));
}

QStringList Celulas::linha(int linha) const {
    QStringList r;
    for (int c = 0; c < colunas_; ++c)
        r << celula(linha, c);
    return r;
}

qint64 Celulas::registro(int linha) const {
    const int b = base(linha);
    return b >= 0 ? dados_->registros[std::size_t(b)] : 0;
}

Celulas::Dados& Celulas::gravaveis() {
    // Rows are added only while reading, before the rows are shared; a shared text is never
    // written through.
    if (dados_.use_count() > 1 || escolhidas_) {
        auto copia = std::make_shared<Dados>(*dados_);
        dados_ = std::move(copia);
        escolhidas_.reset();
    }
    return *dados_;
}

void Celulas::novaLinha(qint64 registro) {
    Dados& d = gravaveis();
    // A row left short by a failed read is completed with empty cells.
    while (d.fins.size() < d.registros.size() * std::size_t(colunas_))
        d.fins.push_back(d.texto.size());
    d.registros.push_back(registro);
}

void Celulas::acrescentar(QByteArrayView texto, QByteArrayView resto) {
    Dados& d = gravaveis();
    d.texto.append(texto);
    d.texto.append(resto);
    d.fins.push_back(d.texto.size());
}

void Celulas::definirContador(int coluna) {
    contadores_.push_back(coluna);
}

Celulas Celulas::escolhidas(std::vector<int> linhas) const {
    Celulas r = *this;
    if (escolhidas_)
        for (int& l : linhas)
            l = (*escolhidas_)[std::size_t(l)];
    r.escolhidas_ = std::make_shared<const std::vector<int>>(std::move(linhas));
    r.falha_.clear();
    return r;
}
