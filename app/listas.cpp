#include "app/listas.h"

#include <QDate>
#include <cmath>

#include "data/banco.h"
#include "data/regras.h"

namespace listas {
namespace {

constexpr Coluna kAgenda[] = {
    {"ID", 0, nullptr, Regra::Contador},          {"Nome do contato", 6244, "nome", Regra::Texto},
    {"DDD", 1482, "ddd", Regra::Texto},           {"Telefone", 3246, "tel", Regra::Texto},
    {"Celular", 3246, "cel", Regra::Texto},       {"MSN", 2540, "msn", Regra::Texto},
    {"Skype", 2540, "skype", Regra::Texto},       {"Estado", 2893, "estado", Regra::Texto},
    {"Cidade", 3422, "cidade", Regra::Texto},     {"Bairro", 3598, "bairro", Regra::Texto},
    {"Endereço", 4128, "endereco", Regra::Texto}, {"E-mail", 3598, "email", Regra::Texto},
    {"Site", 3598, "site", Regra::Texto},
};

constexpr Coluna kCompromisso[] = {
    {"ID", 0, "id", Regra::Texto},
    {"Data", 2187, "Data", Regra::DataComBranco},
    {"Hora", 2187, "hora", Regra::ComBranco},
    {"Título do compromisso", 6244, "Titulo", Regra::ComBranco},
    {"Local do compromisso", 6244, "local", Regra::ComBranco},
    {"Estatus", 2540, "Data", Regra::Contagem},
};

constexpr Coluna kSenhas[] = {
    {"ID", 0, nullptr, Regra::Contador},
    {"Nome do software/senha", 7479, "descricao", Regra::Texto},
    {"Senha/Serial", 5362, "senha", Regra::Texto},
    {"Comentários", 9066, "adicionais", Regra::Texto},
};

constexpr Coluna kUteis[] = {
    {"ID", 0, nullptr, Regra::Contador},
    {"Descrição", 14182, "descricao", Regra::Texto},
    {"Telefone", 5539, "telefone", Regra::Texto},
};

constexpr Coluna kAnotacoes[] = {
    {"ID", 0, nullptr, Regra::Contador},
    {"Título da anotação", 19650, "Titulo", Regra::Texto},
};

const Lista kListas[kQuantidade] = {
    {Categoria::Agenda, "lstagenda", "Agenda de contatos", "mnuvarnelo", "barraagenda",
     "select rowid, * from agenda order by nome", "rowid", kAgenda},
    {Categoria::Compromisso, "lstcompromisso", "Compromissos", "mnucompromisso", "barracompromisso",
     "Select * from compromisso", "id", kCompromisso},
    {Categoria::Senhas, "lstsenhas", "Senhas && Serias", "mnusenhas", "barrasenhas",
     "select rowid, * from senhas order by descricao", "rowid", kSenhas},
    {Categoria::Uteis, "lstuteis", "Telefones Úteis", "mnuuteis", "barrauteis",
     "select rowid, * from uteis order by descricao", "rowid", kUteis},
    {Categoria::Anotacoes, "lstanotacoes", "Anotações", "mnuanotacoes", "barraanotacoes",
     "select rowid, * from anotacoes order by titulo", "rowid", kAnotacoes},
};

// Parses "yyyy/mm/dd" with or without its trailing blank, as stored.
QDate dia(QByteArrayView texto) {
    return regras::dataDoBanco(QString::fromUtf8(texto));
}

void acrescentarCelula(Celulas& celulas, const db::Statement& st, Regra regra, int indice,
                       int numero, const QDate& hoje) {
    // A column the row lacks leaves its cell as a missing value would.
    const QByteArrayView valor = indice >= 0 ? st.utf8(indice) : QByteArrayView();
    switch (regra) {
        case Regra::Contador:
            celulas.acrescentar(QByteArray::number(numero));
            break;
        case Regra::Texto:
            celulas.acrescentar(valor);
            break;
        case Regra::ComBranco:
            celulas.acrescentar(valor, " ");
            break;
        case Regra::DataComBranco: {
            const QDate d = dia(valor);
            celulas.acrescentar(d.isValid() ? regras::dataParaTela(d).toUtf8() : valor, " ");
            break;
        }
        case Regra::Contagem: {
            const QDate d = dia(valor);
            if (d.isValid())
                celulas.acrescentar(QByteArray::number(hoje.daysTo(d)), " dias");
            else
                celulas.acrescentar({});
            break;
        }
    }
}

}  // namespace

const Lista& lista(Categoria categoria) {
    return kListas[static_cast<int>(categoria)];
}

Categoria categoriaDaAba(int aba) {
    return kListas[qBound(0, aba, kQuantidade - 1)].categoria;
}

QStringList cabecalhos(const Lista& lista) {
    QStringList r;
    for (const Coluna& c : lista.colunas)
        r << QString::fromUtf8(c.cabecalho);
    return r;
}

int pixels(int centesimosMm, double dpi) {
    return static_cast<int>(std::lround(centesimosMm / 2540.0 * dpi));
}

Celulas ler(Categoria categoria, const QString& sql, const QVariantList& parametros) {
    const Lista& l = lista(categoria);
    Celulas celulas(int(l.colunas.size()));
    try {
        db::Statement st = banco::conexao().banco().prepare(sql);
        st.bind(parametros);
        std::vector<int> indices;
        for (const Coluna& c : l.colunas)
            indices.push_back(c.campo ? st.columnIndex(QString::fromUtf8(c.campo)) : -1);
        const int registro = st.columnIndex(QString::fromUtf8(l.registro));
        const QDate hoje = regras::hoje();
        while (st.next()) {
            celulas.novaLinha(registro >= 0 ? st.value(registro).toLongLong() : 0);
            const int numero = celulas.linhas();
            for (std::size_t i = 0; i < indices.size(); ++i)
                acrescentarCelula(celulas, st, l.colunas[i].regra, indices[i], numero, hoje);
        }
    } catch (const db::DbError&) {
        // Lists pass over what cannot be read.
    }
    return celulas;
}

}  // namespace listas
