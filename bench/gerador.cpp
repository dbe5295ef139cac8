#include "gerador.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <functional>
#include <random>

#include "data/banco.h"
#include "data/regras.h"
#include "data/schema.h"
#include "data/sqlite.h"

namespace gerador {
namespace {

const QStringList kNomes = {
    "Maria",   "José",     "João",     "Ana",      "Antônio", "Francisco", "Carlos",   "Paulo",
    "Pedro",   "Lucas",    "Luiz",     "Marcos",   "Luís",    "Gabriel",   "Rafael",   "Márcia",
    "Júlia",   "Luíza",    "Letícia",  "Cecília",  "Sérgio",  "Fábio",     "Flávia",   "Vitória",
    "Lúcia",   "Mônica",   "Rogério",  "Otávio",   "Caio",    "Inês",      "Patrícia", "Cláudia",
    "Débora",  "Bárbara",  "Tânia",    "Vânia",    "Célia",   "Raí",       "André",    "Mário",
    "Márcio",  "Fernanda", "Juliana",  "Camila",   "Beatriz", "Larissa",   "Renata",   "Thiago",
    "Gustavo", "Henrique", "Heloísa",  "Simone",   "Adriana", "Eduardo",   "Rodrigo",  "Vinícius",
    "Joaquim", "Benedito", "Raimundo", "Aparecida"};

const QStringList kSobrenomes = {
    "Silva",     "Santos",    "Oliveira", "Souza",     "Rodrigues", "Ferreira",   "Alves",
    "Pereira",   "Lima",      "Gomes",    "Costa",     "Ribeiro",   "Martins",    "Carvalho",
    "Araújo",    "Melo",      "Barbosa",  "Rocha",     "Dias",      "Nascimento", "Andrade",
    "Moreira",   "Nunes",     "Marques",  "Machado",   "Mendes",    "Freitas",    "Cardoso",
    "Ramos",     "Gonçalves", "Santana",  "Teixeira",  "Conceição", "Brandão",    "Magalhães",
    "Simões",    "Falcão",    "Assunção", "Guimarães", "Peçanha",   "Loureiro",   "Queiroz",
    "Sá",        "Paixão",    "Aragão",   "Leão",      "Bezerra",   "Cavalcanti", "Monteiro",
    "Figueiredo"};

struct Cidade {
    const char* nome;
    const char* uf;
    const char* ddd;
};
const Cidade kCidades[] = {
    {"São Paulo", "SP", "11"},     {"Rio de Janeiro", "RJ", "21"}, {"Belo Horizonte", "MG", "31"},
    {"Porto Alegre", "RS", "51"},  {"Salvador", "BA", "71"},       {"Recife", "PE", "81"},
    {"Fortaleza", "CE", "85"},     {"Curitiba", "PR", "41"},       {"Brasília", "DF", "61"},
    {"Goiânia", "GO", "62"},       {"Manaus", "AM", "92"},         {"Belém", "PA", "91"},
    {"Florianópolis", "SC", "48"}, {"Vitória", "ES", "27"},        {"Natal", "RN", "84"},
    {"São Luís", "MA", "98"},      {"João Pessoa", "PB", "83"},    {"Maceió", "AL", "82"},
    {"Cuiabá", "MT", "65"},        {"Campinas", "SP", "19"},       {"Niterói", "RJ", "21"},
    {"Uberlândia", "MG", "34"},    {"Ribeirão Preto", "SP", "16"}, {"Londrina", "PR", "43"}};

const QStringList kRuas = {"Rua das Flores",
                           "Avenida São João",
                           "Rua Tiradentes",
                           "Rua Dom Pedro II",
                           "Avenida Getúlio Vargas",
                           "Rua Sete de Setembro",
                           "Rua Marechal Deodoro",
                           "Rua XV de Novembro",
                           "Avenida Brigadeiro Faria Lima",
                           "Avenida Juscelino Kubitschek",
                           "Rua Padre Anchieta",
                           "Avenida Santos Dumont",
                           "Travessa São José",
                           "Alameda Santos",
                           "Rua Barão do Rio Branco",
                           "Avenida Paulista",
                           "Rua Conceição",
                           "Rua da Consolação"};

const QStringList kBairros = {"Centro",     "Jardim América", "Vila Mariana",     "Copacabana",
                              "Boa Viagem", "Savassi",        "Moinhos de Vento", "Pituba",
                              "Aldeota",    "Batel",          "Itaim Bibi",       "Tijuca",
                              "Liberdade",  "Pinheiros",      "Botafogo",         "Meireles",
                              "Água Verde", "Lourdes",        "Ipanema",          "São Cristóvão"};

const QStringList kProvedores = {"gmail.com",    "hotmail.com",  "uol.com.br", "bol.com.br",
                                 "terra.com.br", "yahoo.com.br", "ig.com.br"};

const QStringList kServicos = {"Pizzaria",    "Farmácia",  "Chaveiro", "Padaria",     "Táxi",
                               "Eletricista", "Encanador", "Pet shop", "Lavanderia",  "Clínica",
                               "Oficina",     "Mercado",   "Açougue",  "Floricultura"};

const QStringList kContas = {"Banco do Brasil", "Caixa",          "Itaú",          "Bradesco",
                             "Nubank",          "Gmail",          "Outlook",       "Windows",
                             "Office",          "Antivírus",      "Wi-Fi de casa", "Netflix",
                             "Prefeitura",      "Receita Federal"};

const QStringList kCompromissos = {"Dentista",
                                   "Reunião de condomínio",
                                   "Médico",
                                   "Aniversário",
                                   "Pagar conta de luz",
                                   "Entrega",
                                   "Reunião com cliente",
                                   "Academia",
                                   "Escola",
                                   "Cartório",
                                   "Viagem",
                                   "Almoço"};

class Sorteio {
public:
    explicit Sorteio(unsigned semente) : gerador_(semente) {}
    int ate(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gerador_); }
    const QString& de(const QStringList& l) { return l.at(ate(int(l.size()))); }
    QString digitos(int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + ate(10));
        return s;
    }
    bool chance(int porcento) { return ate(100) < porcento; }

private:
    std::mt19937 gerador_;
};

// E-mail and web names are written without accents or blanks.
QString simples(const QString& t) {
    QString s = t.normalized(QString::NormalizationForm_D).toLower();
    s.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    return s;
}

QString p(const QString& t) {
    return regras::preenchido(t);
}

void inserir(db::Database& bd, const QString& sql, int n,
             const std::function<QVariantList(int)>& linha) {
    db::Statement st = bd.prepare(sql);
    for (int i = 0; i < n; ++i) {
        st.bind(linha(i));
        st.exec();
        st.reset();
    }
}

}  // namespace

void gerar(const QString& caminho, int contatos, int outros) {
    schema::criarArquivo(caminho, QString::fromUtf8(banco::kSenhaBanco));
    db::Database bd;
    bd.open(caminho, QString::fromUtf8(banco::kSenhaBanco));
    bd.execScript(QStringLiteral("BEGIN"));
    Sorteio s(20240601);
    const QDate hoje = regras::hoje();

    inserir(
        bd,
        QStringLiteral("INSERT INTO agenda (nome, ddd, tel, cel, nextel, fax, msn, skype, "
                       "estado, cidade, bairro, cep, endereco, email, site, nascimento, "
                       "empresa, telemp, faxemp, emailemp, siteemp, adicional, local) VALUES "
                       "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        contatos, [&](int) {
            const QString nome = s.de(kNomes), sobrenome = s.de(kSobrenomes);
            QString completo = nome + ' ' + sobrenome;
            if (s.chance(60))
                completo += ' ' + s.de(kSobrenomes);
            const Cidade& c = kCidades[s.ate(int(std::size(kCidades)))];
            const QString email =
                simples(nome) + '.' + simples(sobrenome) + '@' + s.de(kProvedores);
            const QDate nasc = QDate(1940, 1, 1).addDays(s.ate(365 * 65));
            return QVariantList{
                completo,
                p(c.ddd),
                p(QStringLiteral("3%1-%2").arg(s.digitos(3), s.digitos(4))),
                p(s.chance(80) ? QStringLiteral("9%1-%2").arg(s.digitos(4), s.digitos(4))
                               : QString()),
                p({}),
                p(s.chance(15) ? QStringLiteral("3%1-%2").arg(s.digitos(3), s.digitos(4))
                               : QString()),
                p(s.chance(20) ? simples(nome) + QStringLiteral("@hotmail.com") : QString()),
                p(s.chance(25) ? simples(nome) + '.' + simples(sobrenome) : QString()),
                p(QLatin1String(c.uf)),
                p(QString::fromUtf8(c.nome)),
                p(s.de(kBairros)),
                p(QStringLiteral("%1-%2").arg(s.digitos(5), s.digitos(3))),
                p(s.de(kRuas) + QStringLiteral(", ") + QString::number(1 + s.ate(3000))),
                p(email),
                p(s.chance(10) ? QStringLiteral("www.%1.com.br").arg(simples(sobrenome))
                               : QString()),
                regras::preenchido(regras::dataParaBanco(nasc)),
                p(s.chance(30) ? s.de(kSobrenomes) + QStringLiteral(" & Filhos Ltda.") : QString()),
                p({}),
                p({}),
                p({}),
                p({}),
                p(s.chance(10) ? QStringLiteral("Conhecido(a) de %1").arg(s.de(kNomes))
                               : QString()),
                QStringLiteral("nenhum")};
        });

    inserir(bd, QStringLiteral("INSERT INTO uteis (descricao, telefone) VALUES (?, ?)"), outros,
            [&](int i) {
                return QVariantList{
                    QStringLiteral("%1 %2 %3").arg(s.de(kServicos), s.de(kSobrenomes)).arg(i),
                    p(QStringLiteral("(%1) 3%2-%3")
                          .arg(QLatin1String(kCidades[s.ate(int(std::size(kCidades)))].ddd),
                               s.digitos(3), s.digitos(4)))};
            });

    inserir(bd, QStringLiteral("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, ?)"), outros,
            [&](int i) {
                return QVariantList{
                    QStringLiteral("Lembrete %1 sobre %2").arg(i).arg(s.de(kCompromissos)),
                    p(QStringLiteral("Falar com %1 %2 sobre o orçamento; levar documentos.")
                          .arg(s.de(kNomes), s.de(kSobrenomes)))};
            });

    inserir(bd,
            QStringLiteral("INSERT INTO senhas (descricao, senha, adicionais) VALUES (?, ?, ?)"),
            outros, [&](int i) {
                return QVariantList{
                    QStringLiteral("%1 %2").arg(s.de(kContas)).arg(i),
                    p(s.digitos(4) + s.de(kNomes).left(3) + s.digitos(3)),
                    p(s.chance(40) ? QStringLiteral("Conta de %1").arg(s.de(kNomes)) : QString())};
            });

    inserir(bd,
            QStringLiteral("INSERT INTO compromisso (Data, hora, Titulo, local, descricao) "
                           "VALUES (?, ?, ?, ?, ?)"),
            outros, [&](int) {
                const QDate dia = hoje.addDays(s.ate(730) - 365);
                return QVariantList{
                    regras::dataParaBanco(dia),
                    p(QStringLiteral("%1:%2")
                          .arg(7 + s.ate(13), 2, 10, QChar(u'0'))
                          .arg(s.ate(4) * 15, 2, 10, QChar(u'0'))),
                    s.de(kCompromissos) + ' ' + s.de(kNomes),
                    p(s.de(kBairros) + QStringLiteral(", ") +
                      QString::fromUtf8(kCidades[s.ate(int(std::size(kCidades)))].nome)),
                    p(QStringLiteral("Confirmar um dia antes."))};
            });

    bd.execScript(QStringLiteral("COMMIT"));
}

}  // namespace gerador
