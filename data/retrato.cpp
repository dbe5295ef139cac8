#include "data/retrato.h"

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
    bool buscavel = false;  // every row's searched columns are kept
    Celulas lista;
    std::vector<Coluna> colunas;  // in the order of camposDe()
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
Guardado& atual(Categoria c) {
    Guardado& g = guardados()[std::size_t(c)];
    const banco::Versao versao = banco::conexao().versao();
    const QDate dia = regras::hoje();
    if (g.lido && versao.abertura != 0 && versao == g.versao && dia == g.dia) {
        g.lista.definirFalha({});
        return g;
    }
    const std::vector<Campo> campos = camposDe(c);
    std::vector<int> indices;
    std::vector<Coluna> colunas(campos.size());
    bool porLinha = false;
    Celulas lista = listas::ler(c, consultaInteira(c), {}, [&](const db::Statement& st) {
        if (!porLinha) {
            porLinha = true;
            for (const Campo& campo : campos)
                indices.push_back(st.columnIndex(QString::fromUtf8(campo.coluna)));
        }
        for (std::size_t k = 0; k < campos.size(); ++k) {
            const int i = indices[k];
            if (i < 0 || st.isNull(i) || (!campos[k].dobrar && !st.isText(i))) {
                colunas[k].acrescentar({}, true);
                continue;
            }
            const QByteArrayView bruto = st.utf8(i);
            std::string_view v(bruto.data(), std::size_t(bruto.size()));
            if (campos[k].aparar)
                v = aparado(v);
            if (campos[k].dobrar)
                colunas[k].acrescentar(textobr::dobrado(v), false);
            else
                colunas[k].acrescentar(v, false);
        }
    });
    const QString falha = lista.falha();
    g.lista = std::move(lista);
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
    const Coluna& coluna = g.colunas[campo];
    std::vector<int> linhas;
    for (std::size_t l = 0; l < coluna.fins.size(); ++l)
        if (!coluna.nulos[l] && textobr::combinaDobrado(dobrado, coluna.valor(l)))
            linhas.push_back(int(l));
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
