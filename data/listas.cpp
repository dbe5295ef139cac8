#include "data/listas.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "data/banco.h"
#include "data/consultas.h"
#include "data/leitura.h"
#include "data/regras.h"
#include "data/textobr.h"

namespace listas {
namespace {

using categoria::Descricao;
using categoria::Exibicao;
using categoria::Ordem;

// Parses "yyyy/mm/dd" with or without its trailing blank, as stored.
QDate dia(QByteArrayView texto) {
    return regras::dataDoBanco(QString::fromUtf8(texto));
}

void acrescentarCelula(Celulas& celulas, QByteArrayView valor, Exibicao regra, int numero,
                       const QDate& hoje) {
    switch (regra) {
        case Exibicao::Contador:
            celulas.acrescentar(QByteArray::number(numero));
            break;
        case Exibicao::Texto:
            celulas.acrescentar(valor);
            break;
        case Exibicao::ComBranco:
            celulas.acrescentar(valor, " ");
            break;
        case Exibicao::DataComBranco: {
            const QDate d = dia(valor);
            celulas.acrescentar(d.isValid() ? regras::dataParaTela(d).toUtf8() : valor, " ");
            break;
        }
        case Exibicao::Contagem: {
            const QDate d = dia(valor);
            if (d.isValid())
                celulas.acrescentar(QByteArray::number(hoje.daysTo(d)), " dias");
            else
                celulas.acrescentar({});
            break;
        }
    }
}

// The statement's column for each of the list's, -1 when the row lacks it.
std::vector<int> indicesDasColunas(const Descricao& l, const db::Statement& st) {
    std::vector<int> indices;
    for (const categoria::Coluna& c : l.colunas)
        indices.push_back(c.campo ? st.columnIndex(QString::fromUtf8(c.campo)) : -1);
    return indices;
}

// The statement of the full list, as the loaders run it.
bool listaInteira(const Descricao& l, const QString& sql) {
    const QString inteira = QString::fromUtf8(l.consulta);
    return sql == inteira || sql == inteira + QLatin1String(consultas::kOrdemCompromissos);
}

// The whole table read around its damaged pages, then put in the full list's order.
Celulas lerDanificada(const Descricao& l, QString* falha) {
    struct Linha {
        qint64 registro;
        std::vector<QByteArray> valores;  // the list's columns, then the order's
    };
    std::vector<Linha> linhas;
    std::vector<int> indices;
    const std::size_t colunas = l.colunas.size();
    *falha = leitura::lerTabela(
        banco::conexao().banco(), QStringLiteral("select rowid, * from [%1]").arg(l.tabela),
        [&](const db::Statement& st) {
            if (indices.empty()) {
                indices = indicesDasColunas(l, st);
                for (const Ordem& o : l.ordem)
                    indices.push_back(st.columnIndex(QString::fromUtf8(o.coluna)));
            }
            Linha linha{st.value(0).toLongLong(), {}};
            for (int i : indices)
                linha.valores.push_back(i >= 0 ? st.utf8(i).toByteArray() : QByteArray());
            linhas.push_back(std::move(linha));
        });
    std::stable_sort(linhas.begin(), linhas.end(), [&](const Linha& a, const Linha& b) {
        for (std::size_t k = 0; k < l.ordem.size(); ++k) {
            const QByteArray& x = a.valores[colunas + k];
            const QByteArray& y = b.valores[colunas + k];
            const int c = l.ordem[k].comoTexto
                              ? textobr::comparar({x.constData(), std::size_t(x.size())},
                                                  {y.constData(), std::size_t(y.size())})
                              : x.compare(y);
            if (c != 0)
                return c < 0;
        }
        return a.registro < b.registro;
    });
    Celulas celulas{int(colunas)};
    const QDate hoje = regras::hoje();
    for (const Linha& linha : linhas) {
        celulas.novaLinha(linha.registro);
        for (std::size_t i = 0; i < colunas; ++i)
            acrescentarCelula(celulas, linha.valores[i], l.colunas[i].exibicao, celulas.linhas(),
                              hoje);
    }
    return celulas;
}

}  // namespace

QStringList cabecalhos(Categoria c) {
    QStringList r;
    for (const categoria::Coluna& coluna : categoria::descricao(c).colunas)
        r << QString::fromUtf8(coluna.cabecalho);
    return r;
}

int pixels(int centesimosMm, double dpi) {
    return static_cast<int>(std::lround(centesimosMm / 2540.0 * dpi));
}

Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros) {
    return ler(categoria, sql, parametros, {});
}

Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros,
            const std::function<void(const db::Statement&)>& aCadaLinha) {
    const Descricao& l = categoria::descricao(categoria);
    Celulas celulas(int(l.colunas.size()));
    for (std::size_t i = 0; i < l.colunas.size(); ++i)
        if (l.colunas[i].exibicao == Exibicao::Contador)
            celulas.definirContador(int(i));
    try {
        db::Statement st = banco::conexao().banco().prepare(sql);
        st.bind(parametros);
        const std::vector<int> indices = indicesDasColunas(l, st);
        const int registro = st.columnIndex(QString::fromUtf8(l.registro));
        const QDate hoje = regras::hoje();
        while (st.next()) {
            celulas.novaLinha(registro >= 0 ? st.value(registro).toLongLong() : 0);
            const int numero = celulas.linhas();
            // A column the row lacks leaves its cell as a missing value would.
            for (std::size_t i = 0; i < indices.size(); ++i)
                acrescentarCelula(celulas, indices[i] >= 0 ? st.utf8(indices[i]) : QByteArrayView(),
                                  l.colunas[i].exibicao, numero, hoje);
            if (aCadaLinha)
                aCadaLinha(st);
        }
    } catch (const db::DbError& e) {
        // An open that failed has told the user already; the list just stays empty.
        if (!banco::conexao().aberta())
            return celulas;
        if (e.danificado() && listaInteira(l, sql)) {
            QString falha;
            Celulas lidas = lerDanificada(l, &falha);
            for (std::size_t i = 0; i < l.colunas.size(); ++i)
                if (l.colunas[i].exibicao == Exibicao::Contador)
                    lidas.definirContador(int(i));
            lidas.definirFalha(falha.isEmpty() ? e.descricao() : falha);
            return lidas;
        }
        celulas.definirFalha(e.descricao());
    }
    return celulas;
}

}  // namespace listas
