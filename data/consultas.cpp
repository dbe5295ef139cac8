#include "data/consultas.h"

#include "data/categoria.h"
#include "data/regras.h"
#include "data/sqlite.h"

namespace consultas {
namespace {

constexpr CampoBusca kCampos[] = {
    {"Nome do contato", "nome"}, {"DDD", "ddd"},           {"Telefone", "tel"},
    {"Celular", "cel"},          {"Fax", "fax"},           {"MSN", "msn"},
    {"Skype", "skype"},          {"Estado", "estado"},     {"Cidade", "cidade"},
    {"Bairro", "bairro"},        {"Endereço", "endereco"}, {"Data de nascimento", "nascimento"},
};

}  // namespace

int quantidade(db::Database& banco, const QString& sql) {
    db::Statement st = banco.prepare(QStringLiteral("SELECT count(*) FROM (%1)").arg(sql));
    return st.next() ? st.value(0).toInt() : 0;
}

std::span<const CampoBusca> camposBusca() {
    return kCampos;
}

QString colunaDoCampo(const QString& entrada) {
    for (const CampoBusca& c : kCampos)
        if (entrada == QString::fromUtf8(c.entrada))
            return QString::fromUtf8(c.coluna);
    return {};
}

Consulta contatos(const QString& entrada, const QString& texto) {
    const QString coluna = colunaDoCampo(entrada);
    const QString t = regras::aparado(texto);
    if (coluna == QLatin1String("nascimento")) {
        const QDate dia = regras::dataDigitada(t);
        return {QStringLiteral(
                    "select rowid, * from agenda where (trim(nascimento) like ?) order by nome"),
                {dia.isValid() ? regras::dataParaBanco(dia) : t}};
    }
    // An unknown field leaves the statement invalid, and so the list empty.
    return {QStringLiteral("select rowid, * from agenda where (") + coluna +
                QStringLiteral(" like ?) order by nome"),
            {QLatin1Char('%') + t + QLatin1Char('%')}};
}

Consulta senhas(const QString& texto) {
    if (regras::aparado(texto).isEmpty())
        return {QString::fromUtf8(categoria::descricao(Categoria::Senhas).consulta), {}};
    return {QStringLiteral("select rowid, * from senhas where descricao like ? order by descricao"),
            {texto + QLatin1Char('%')}};
}

std::optional<Consulta> compromissosEntre(const std::optional<QDate>& de,
                                          const std::optional<QDate>& ate) {
    if (!de || !ate)
        return std::nullopt;
    const QDate inicio = std::min(*de, *ate), fim = std::max(*de, *ate);
    return Consulta{QStringLiteral("Select * from compromisso where data between ? AND ?"),
                    {regras::dataParaBanco(inicio), regras::dataParaBanco(fim)}};
}

}  // namespace consultas
