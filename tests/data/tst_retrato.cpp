#include <QRandomGenerator>
#include <QTest>

#include "ambiente_teste.h"
#include "data/banco.h"
#include "data/consultas.h"
#include "data/listas.h"
#include "data/regras.h"
#include "data/retrato.h"
#include "dialogos_roteiro.h"

namespace {

// Every row as "record|cell|cell...", so two lists compare row by row, order included.
QStringList mostrado(const Celulas& c) {
    QStringList r;
    for (int l = 0; l < c.linhas(); ++l)
        r << QString::number(c.registro(l)) + "|" + c.linha(l).join('|');
    return r;
}

QStringList pelaConsulta(Categoria c, const consultas::Consulta& consulta) {
    return mostrado(listas::ler(c, consulta.sql, consulta.parametros));
}

// Names and fields that trip a search: accents, case, apostrophes, wildcards typed as
// text, namesakes stored out of order, blanks, missing values, dates as the forms store
// them and as an older file did.
void arquivoDificil(AmbienteTeste& amb) {
    const char* linhas[][6] = {
        {"Álvaro d'Ávila", "11", "3333-1234", "São Paulo", "1980/03/15 ", "Rua A, 10%"},
        {"alvaro davila", "011", "3333_1234", "sao paulo", "15/03/1980", "Rua B"},
        {"Ana", "21", "9999-0000", "Rio", " 1975/12/01", "Av. 100% Livre"},
        {"Ana", "21", "", "Niterói", "", "_"},
        {"ANA", nullptr, nullptr, nullptr, nullptr, nullptr},
        {"Ção", "%", "%%", "CURITIBA", "2001/01/01 ", "r'ua"},
        {" ", " ", " ", " ", " ", " "},
        {"Zé", "48", "3222-%", "Florianópolis", "1999/09/09 ", "Beco_do_Zé"},
        {"ana", "21", "1", "rio", "1975/12/01 ", "Rua B"},
    };
    for (const auto& l : linhas) {
        QVariantList v;
        for (const char* c : l)
            v << (c ? QVariant(QString::fromUtf8(c)) : QVariant());
        amb.executar(
            "INSERT INTO agenda (nome, ddd, tel, cidade, nascimento, endereco, cel, fax, "
            "msn, skype, estado, bairro) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            v + v.mid(0, 6));
    }
}

}  // namespace

class TstRetrato : public QObject {
    Q_OBJECT
private slots:
    void buscasDaoAsLinhasDasConsultas();
    void senhasEDatasComoAsConsultas();
    void mudancasDeOutroProgramaAparecemNaProximaLeitura();
    void arquivoDanificadoRelatadoUmaVez();
};

void TstRetrato::buscasDaoAsLinhasDasConsultas() {
    AmbienteTeste amb;
    arquivoDificil(amb);
    banco::abrirPadrao();
    const QStringList textos = {
        "",   "a",          "Á",          "ana",        "ANA ", " ana",  "d'á", "'",  "%",
        "_",  "10%",        "%%",         "3333",       "São",  "cao",   "ção", "zé", "1980",
        "15", "15/03/1980", "1975/12/01", "01/12/1975", " ",    "Rua B", "ru",  "__", "%a%a"};
    for (const consultas::CampoBusca& campo : consultas::camposBusca()) {
        const QString entrada = QString::fromUtf8(campo.entrada);
        for (const QString& texto : textos) {
            const std::optional<Celulas> memoria = retrato::contatos(entrada, texto);
            QVERIFY(memoria);
            QCOMPARE(mostrado(*memoria),
                     pelaConsulta(Categoria::Agenda, consultas::contatos(entrada, texto)));
        }
    }
    // The number column counts the rows shown, as the statement's row number did.
    const Celulas anas = *retrato::contatos("Nome do contato", "ana");
    QCOMPARE(anas.linhas(), 4);
    QCOMPARE(anas.celula(3, 0), QString("4"));
    // Many namesakes, stored in no order: the full list and a search keep the engine's order.
    QRandomGenerator aleatorio(7);
    const char* nomes[] = {"Ana", "ana", "ANA", "Ána", "Bia", "bia ", "Bía", ""};
    for (int i = 0; i < 600; ++i)
        amb.executar("INSERT INTO agenda (nome, tel) VALUES (?, ?)",
                     {QString::fromUtf8(nomes[aleatorio.bounded(8)]),
                      QString::number(aleatorio.bounded(100))});
    for (const char* t : {"", "a", "1", "bi"})
        QCOMPARE(mostrado(*retrato::contatos("Telefone", t)),
                 pelaConsulta(Categoria::Agenda, consultas::contatos("Telefone", t)));
    // A field the search does not know is left to the statement.
    QVERIFY(!retrato::contatos("Apelido", "a"));
    QCOMPARE(mostrado(retrato::inteira(Categoria::Agenda)),
             pelaConsulta(Categoria::Agenda, {"select rowid, * from agenda order by nome", {}}));
}

void TstRetrato::senhasEDatasComoAsConsultas() {
    AmbienteTeste amb;
    for (const char* d :
         {"Banco do Brasil", "banco itaú", "Bánco", " banco", "%off", "_x", "b", "Wi-Fi d'casa"})
        amb.executar("INSERT INTO senhas (descricao, senha) VALUES (?, 'x ')",
                     {QString::fromUtf8(d)});
    amb.executar("INSERT INTO senhas (descricao) VALUES (NULL)");
    const char* datas[] = {"2026/12/01", "2026/12/07", "2026/12/07", "2026/12/31",
                           "2027/01/01", "07/12/2026", "2026/12/07 "};
    for (const char* d : datas)
        amb.executar("INSERT INTO compromisso (Data, hora, Titulo) VALUES (?, '10:00', ?)",
                     {d, QString("em ") + d});
    amb.executar("INSERT INTO compromisso (Titulo) VALUES ('sem data')");
    banco::abrirPadrao();
    for (const char* t :
         {"", " ", "b", "B", "ba", "banco ", " banco", "%", "_", "ban%il", "wi-fi d'"}) {
        const std::optional<Celulas> memoria = retrato::senhas(t);
        QVERIFY(memoria);
        QCOMPARE(mostrado(*memoria), pelaConsulta(Categoria::Senhas, consultas::senhas(t)));
    }
    const QDate dias[] = {{2026, 12, 1}, {2026, 12, 7}, {2026, 12, 31}, {2027, 1, 1}, {2020, 1, 1}};
    for (const QDate& de : dias)
        for (const QDate& ate : dias) {
            auto consulta = *consultas::compromissosEntre(de, ate);
            consulta.sql += consultas::kOrdemCompromissos;
            QCOMPARE(mostrado(*retrato::compromissosEntre(de, ate)),
                     pelaConsulta(Categoria::Compromisso, consulta));
        }
}

void TstRetrato::mudancasDeOutroProgramaAparecemNaProximaLeitura() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO agenda (nome, tel) VALUES ('Bia', '1'), ('Caio', '2')");
    banco::abrirPadrao();
    QCOMPARE(retrato::contatos("Nome do contato", "")->linhas(), 2);
    // Another program (another handle on the file) adds, changes and removes.
    amb.executar("INSERT INTO agenda (nome, tel) VALUES ('Bianca', '3')");
    QCOMPARE(retrato::contatos("Nome do contato", "bia")->linhas(), 2);
    amb.executar("UPDATE agenda SET nome = 'Caiobia' WHERE nome = 'Caio'");
    QCOMPARE(retrato::contatos("Nome do contato", "bia")->linhas(), 3);
    amb.executar("DELETE FROM agenda WHERE nome = 'Bia'");
    QCOMPARE(mostrado(*retrato::contatos("Nome do contato", "bia")),
             pelaConsulta(Categoria::Agenda, consultas::contatos("Nome do contato", "bia")));
    // This program's own writes are seen as well.
    banco::conexao().banco().exec("UPDATE agenda SET tel = '99' WHERE nome = 'Bianca'");
    QCOMPARE(retrato::contatos("Telefone", "99")->linhas(), 1);
    // The days left are counted again on another day.
    amb.executar("INSERT INTO compromisso (Data, Titulo) VALUES ('2030/01/10', 'x')");
    regras::fixarHoje(QDate(2030, 1, 1));
    QCOMPARE(retrato::inteira(Categoria::Compromisso).celula(0, 5).trimmed(), QString("9 dias"));
    regras::fixarHoje(QDate(2030, 1, 5));
    QCOMPARE(retrato::inteira(Categoria::Compromisso).celula(0, 5).trimmed(), QString("5 dias"));
    regras::fixarHoje({});
}

void TstRetrato::arquivoDanificadoRelatadoUmaVez() {
    AmbienteTeste amb;
    amb.contatosNumerados(2000);
    amb.danificarMeio();
    banco::abrirPadrao();
    const Celulas primeira = retrato::inteira(Categoria::Agenda);
    QCOMPARE(primeira.falha(), QString("o arquivo de dados está danificado"));
    QVERIFY(primeira.linhas() > 0 && primeira.linhas() < 2000);
    const Celulas segunda = retrato::inteira(Categoria::Agenda);
    QVERIFY(segunda.falha().isEmpty());
    QCOMPARE(mostrado(segunda), mostrado(primeira));
    // Searches of a damaged file go to the statement, which tells its own failure.
    QVERIFY(!retrato::contatos("Nome do contato", "1"));
}

QTEST_MAIN(TstRetrato)
#include "tst_retrato.moc"
