#include "reports/fonteconsulta.h"

#include "data/banco.h"
#include "data/consultas.h"

namespace relatorios {

int FonteConsulta::quantidade() {
    try {
        const int n = consultas::quantidade(banco::conexao().banco(), sql_);
        falha_.clear();
        return n;
    } catch (const db::DbError& e) {
        falha_ = e.descricao();
        return 0;
    }
}

void FonteConsulta::inicio() {
    st_.reset();
    temLinha_ = false;
    indices_.clear();
    try {
        st_.emplace(banco::conexao().banco().prepare(sql_));
        temLinha_ = st_->next();
    } catch (const db::DbError& e) {
        falha_ = e.descricao();
        st_.reset();
        temLinha_ = false;
    }
}

void FonteConsulta::proximo() {
    if (!temLinha_)
        return;
    try {
        temLinha_ = st_->next();
    } catch (const db::DbError& e) {
        falha_ = e.descricao();
        temLinha_ = false;
    }
}

void FonteConsulta::terminar() {
    // A statement left on a row keeps the file locked against other writers.
    st_.reset();
    temLinha_ = false;
}

QString FonteConsulta::valor(const QString& coluna) {
    if (!temLinha_)
        return {};
    auto it = indices_.constFind(coluna);
    if (it == indices_.constEnd())
        it = indices_.insert(coluna, st_->columnIndex(coluna));
    if (*it < 0)
        return {};
    const QByteArrayView texto = st_->utf8(*it);
    return QString::fromUtf8(texto.data(), texto.size());
}

}  // namespace relatorios
