#include "data/retrato.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "data/banco.h"
#include "data/consultas.h"
#include "data/erros.h"
#include "data/listas.h"
#include "data/regras.h"
#include "data/textobr.h"

namespace retrato {
namespace {

// One searched column of every row: its text (folded, or as stored), and which rows hold
// no value, which no search matches.
struct Coluna {
    std::string texto;
    std::vector<std::uint32_t> fins;
    std::vector<bool> nulos;
    bool dobrar = false;  // still to be folded, on the first search that needs it

    // Folding every searched column at start would cost what the first search of each
    // field costs alone.
    void dobrarSeFalta() {
        if (!dobrar)
            return;
        std::string dobrado;
        dobrado.reserve(texto.size());
        std::vector<std::uint32_t> novos;
        novos.reserve(fins.size());
        for (std::size_t l = 0; l < fins.size(); ++l) {
            dobrado += textobr::dobrado(valor(l));
            novos.push_back(std::uint32_t(dobrado.size()));
        }
        texto = std::move(dobrado);
        fins = std::move(novos);
        dobrar = false;
    }

    void acrescentar(std::string_view valor, bool nulo) {
        texto.append(valor);
        fins.push_back(std::uint32_t(texto.size()));
        nulos.push_back(nulo);
    }
    std::string_view valor(std::size_t linha) const {
        const std::uint32_t inicio = linha ? fins[linha - 1] : 0;
        return std::string_view(texto).substr(inicio, fins[linha] - inicio);
    }
};

struct Guardado {
    banco::Versao versao;
    QDate dia;  // the day the days-left column was counted on
    bool lido = false;
    bool buscavel = false;        // every row's searched columns are kept
    Celulas lista;                // the full list, in its order
    std::vector<int> ordem;       // the table row each position shows; empty: the same
    std::vector<Coluna> colunas;  // in the order of camposDe(), in the table's order
};

std::array<Guardado, categoria::kQuantidade>& guardados() {
    static std::array<Guardado, categoria::kQuantidade> g;
    return g;
}

// The stored columns a category's searches compare. The birth date is compared trimmed,
// as its statement trims it; the appointments' date as stored, as `between` compares it.
struct Campo {
    const char* coluna;
    bool dobrar;
    bool aparar;
};

std::vector<Campo> camposDe(Categoria c) {
    std::vector<Campo> r;
    switch (c) {
        case Categoria::Agenda:
            for (const consultas::CampoBusca& b : consultas::camposBusca())
                r.push_back({b.coluna, true, std::string_view(b.coluna) == "nascimento"});
            break;
        case Categoria::Senhas:
            r.push_back({"descricao", true, false});
            break;
        case Categoria::Compromisso:
            r.push_back({"data", false, false});
            break;
        default:
            break;
    }
    return r;
}

std::string_view aparado(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

QString consultaInteira(Categoria c) {
    QString sql = QString::fromUtf8(categoria::descricao(c).consulta);
    if (c == Categoria::Compromisso)
        sql += QLatin1String(consultas::kOrdemCompromissos);
    return sql;
}

// The kept rows, read again when the file or the day changed since.
// Row positions of the full list, from the rows in the table's order: sorted on the list's
// order as the engine sorts it (no value first, then the Brazilian comparison for text
// columns, byte order for the others), namesakes in the table's order.
std::vector<int> ordenar(const categoria::Descricao& l, const std::vector<Coluna>& chaves,
                         std::size_t linhas) {
    std::vector<int> ordem(linhas);
    for (std::size_t i = 0; i < linhas; ++i)
        ordem[i] = int(i);
    std::vector<Coluna> dobradas = chaves;
    for (Coluna& d : dobradas) {
        d.dobrar = true;
        d.dobrarSeFalta();
    }
    std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
        for (std::size_t k = 0; k < chaves.size(); ++k) {
            const Coluna& cru = chaves[k];
            if (cru.nulos[std::size_t(a)] || cru.nulos[std::size_t(b)]) {
                if (cru.nulos[std::size_t(a)] != cru.nulos[std::size_t(b)])
                    return bool(cru.nulos[std::size_t(a)]);
                continue;
            }
            int comp = 0;
            if (l.ordem[k].comoTexto)
                comp = dobradas[k].valor(std::size_t(a)).compare(dobradas[k].valor(std::size_t(b)));
            if (comp == 0)
                comp = cru.valor(std::size_t(a)).compare(cru.valor(std::size_t(b)));
            if (comp != 0)
                return comp < 0;
        }
        return false;
    });
    return ordem;
}

void acrescentarValor(Coluna& coluna, const db::Statement& st, int i, bool soTexto, bool aparar) {
    if (i < 0 || st.isNull(i) || (soTexto && !st.isText(i))) {
        coluna.acrescentar({}, true);
        return;
    }
    const QByteArrayView bruto = st.utf8(i);
    const std::string_view v(bruto.data(), std::size_t(bruto.size()));
    coluna.acrescentar(aparar ? aparado(v) : v, false);
}

// The kept rows, read again when the file or the day changed since.
Guardado& atual(Categoria c) {
    Guardado& g = guardados()[std::size_t(c)];
    const banco::Versao versao = banco::conexao().versao();
    const QDate dia = regras::hoje();
    if (g.lido && versao.abertura != 0 && versao == g.versao && dia == g.dia) {
        g.lista.definirFalha({});
        return g;
    }
    const categoria::Descricao& l = categoria::descricao(c);
    // The appointments come in order from their index; the other lists sort faster here
    // than through the engine's collation.
    const bool ordenarAqui = c != Categoria::Compromisso;
    const std::vector<Campo> campos = camposDe(c);
    std::vector<int> indices, indicesOrdem;
    std::vector<Coluna> colunas(campos.size()), chaves(ordenarAqui ? l.ordem.size() : 0);
    bool porLinha = false;
    const QString sql = ordenarAqui ? QStringLiteral("select rowid, * from [%1]").arg(l.tabela)
                                    : consultaInteira(c);
    Celulas lista = listas::ler(c, sql, {}, [&](const db::Statement& st) {
        if (!porLinha) {
            porLinha = true;
            for (const Campo& campo : campos)
                indices.push_back(st.columnIndex(QString::fromUtf8(campo.coluna)));
            for (std::size_t k = 0; k < chaves.size(); ++k)
                indicesOrdem.push_back(st.columnIndex(QString::fromUtf8(l.ordem[k].coluna)));
        }
        for (std::size_t k = 0; k < campos.size(); ++k)
            acrescentarValor(colunas[k], st, indices[k], !campos[k].dobrar, campos[k].aparar);
        for (std::size_t k = 0; k < chaves.size(); ++k)
            acrescentarValor(chaves[k], st, indicesOrdem[k], false, false);
    });
    QString falha = lista.falha();
    g.ordem.clear();
    if (!falha.isEmpty() && ordenarAqui && banco::conexao().aberta()) {
        // Read through the list's own statement, which reads a damaged file around its damage.
        lista = listas::ler(c, consultaInteira(c));
        falha = lista.falha();
    } else if (ordenarAqui) {
        g.ordem = ordenar(l, chaves, std::size_t(lista.linhas()));
        lista = lista.escolhidas(g.ordem);
    }
    for (std::size_t k = 0; k < campos.size(); ++k)
        colunas[k].dobrar = campos[k].dobrar;
    g.lista = std::move(lista);
    g.lista.definirFalha(falha);
    g.colunas = std::move(colunas);
    g.buscavel = falha.isEmpty();
    // A damaged file is kept as read around the damage; a busy or failing one is read
    // again next time.
    g.lido = falha.isEmpty() || falha == erros::textoDanificado();
    // A commit by another while reading reads again next time; reading around damage moves
    // the engine's count by itself, so a damaged file is kept as it was after the read.
    g.versao = falha == erros::textoDanificado() ? banco::conexao().versao() : versao;
    g.dia = dia;
    return g;
}

std::optional<Celulas> filtrar(Categoria c, std::size_t campo, const QString& padrao) {
    Guardado& g = atual(c);
    if (!g.buscavel || campo >= g.colunas.size())
        return std::nullopt;
    const QByteArray p = padrao.toUtf8();
    const std::string dobrado = textobr::dobrado(std::string_view(p.constData(), p.size()));
    Coluna& coluna = g.colunas[campo];
    coluna.dobrarSeFalta();
    std::vector<int> linhas;
    for (std::size_t posicao = 0; posicao < coluna.fins.size(); ++posicao) {
        const std::size_t l = g.ordem.empty() ? posicao : std::size_t(g.ordem[posicao]);
        if (!coluna.nulos[l] && textobr::combinaDobrado(dobrado, coluna.valor(l)))
            linhas.push_back(int(posicao));
    }
    return g.lista.escolhidas(std::move(linhas));
}

}  // namespace

Celulas inteira(Categoria c) {
    return atual(c).lista;
}

std::optional<Celulas> contatos(const QString& entrada, const QString& texto) {
    const consultas::Consulta consulta = consultas::contatos(entrada, texto);
    const QString coluna = consultas::colunaDoCampo(entrada);
    const auto campos = consultas::camposBusca();
    for (std::size_t k = 0; k < campos.size(); ++k)
        if (coluna == QLatin1String(campos[k].coluna))
            return filtrar(Categoria::Agenda, k, consulta.parametros.value(0).toString());
    return std::nullopt;
}

std::optional<Celulas> senhas(const QString& texto) {
    const consultas::Consulta consulta = consultas::senhas(texto);
    if (consulta.parametros.isEmpty())
        return inteira(Categoria::Senhas);
    return filtrar(Categoria::Senhas, 0, consulta.parametros.value(0).toString());
}

std::optional<Celulas> compromissosEntre(const QDate& de, const QDate& ate) {
    const auto consulta = consultas::compromissosEntre(de, ate);
    Guardado& g = atual(Categoria::Compromisso);
    if (!consulta || !g.buscavel || g.colunas.empty())
        return std::nullopt;
    const QByteArray inicio = consulta->parametros.value(0).toString().toUtf8();
    const QByteArray fim = consulta->parametros.value(1).toString().toUtf8();
    const std::string_view a(inicio.constData(), inicio.size()), b(fim.constData(), fim.size());
    const Coluna& datas = g.colunas[0];
    std::vector<int> linhas;
    for (std::size_t l = 0; l < datas.fins.size(); ++l) {
        const std::string_view d = datas.valor(l);
        if (!datas.nulos[l] && d >= a && d <= b)
            linhas.push_back(int(l));
    }
    return g.lista.escolhidas(std::move(linhas));
}

void esquecer() {
    for (Guardado& g : guardados())
        g = Guardado{};
}

}  // namespace retrato
