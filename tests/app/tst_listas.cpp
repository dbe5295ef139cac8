#include <QTest>

#include "ambiente_teste.h"
#include "app/consultas.h"
#include "app/listas.h"
#include "data/banco.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"

namespace {

using Linhas = std::vector<QStringList>;

// Every row a statement gives a list, as the list shows it.
Linhas ler(Categoria cat, const QString& sql, const QVariantList& parametros = {}) {
    const Celulas celulas = listas::ler(cat, sql, parametros);
    Linhas r;
    for (int i = 0; i < celulas.linhas(); ++i)
        r.push_back(celulas.linha(i));
    return r;
}

Linhas lerTudo(Categoria cat, const char* ordem = "") {
    return ler(cat, QString::fromUtf8(listas::lista(cat).consulta) + ordem);
}

// The second column of the rows a search finds.
QStringList achados(Categoria cat, const consultas::Consulta& c) {
    QStringList r;
    for (const QStringList& l : ler(cat, c.sql, c.parametros))
        r << l.value(1);
    return r;
}

}  // namespace

class TstListas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { regras::fixarHoje({}); }
    void listasLeemSuasColunas();
    void consultaQueNaoRodaDeixaListaVazia();
    void buscasAchamOQueODigitadoDiz();
};

void TstListas::listasLeemSuasColunas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    regras::fixarHoje(QDate(2026, 3, 1));
    amb.executar("INSERT INTO senhas VALUES ('Windows', 'ABC-123 ', NULL)");
    amb.executar("INSERT INTO uteis VALUES ('Bombeiros', '193 ')");
    amb.executar("INSERT INTO anotacoes VALUES ('Compras', 'leite '), ('Anotação', 'x ')");
    const char* sql = "INSERT INTO compromisso (Data, hora, Titulo, local) VALUES (?, ?, ?, ?)";
    amb.executar(sql, {"2026/03/11", "09:00 ", "Dentista", "Centro "});
    amb.executar(sql, {"2026/03/01", "14:00 ", "Reunião", QVariant()});
    amb.executar(sql, {"2026/02/28", "08:00 ", "Ontem", " "});
    amb.executar(sql, {"2026/03/01", "10:00 ", "Café", "Padaria "});
    amb.executar(sql, {"2025/12/31", "23:00 ", "Virada", " "});
    banco::abrirPadrao();
    QCOMPARE(lerTudo(Categoria::Senhas), Linhas({{"1", "Windows", "ABC-123 ", ""}}));
    QCOMPARE(lerTudo(Categoria::Uteis), Linhas({{"1", "Bombeiros", "193 "}}));
    QCOMPARE(lerTudo(Categoria::Anotacoes), Linhas({{"1", "Anotação"}, {"2", "Compras"}}));
    // Appointments are shown with a blank after each text and count the days from today.
    QCOMPARE(lerTudo(Categoria::Compromisso, " order by data, hora"),
             Linhas({
                 {"5", "31/12/2025 ", "23:00  ", "Virada ", "  ", "-60 dias"},
                 {"3", "28/02/2026 ", "08:00  ", "Ontem ", "  ", "-1 dias"},
                 {"4", "01/03/2026 ", "10:00  ", "Café ", "Padaria  ", "0 dias"},
                 {"2", "01/03/2026 ", "14:00  ", "Reunião ", " ", "0 dias"},
                 {"1", "11/03/2026 ", "09:00  ", "Dentista ", "Centro  ", "10 dias"},
             }));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstListas::consultaQueNaoRodaDeixaListaVazia() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO agenda (nome) VALUES ('Ana')");
    // The appointment loader runs on the connection as it was left: closed here.
    banco::conexao().marcarFechada();
    QVERIFY(lerTudo(Categoria::Agenda).empty());
    banco::abrirPadrao();
    QVERIFY(ler(Categoria::Agenda, "select * from agenda where (", {}).empty());
    QCOMPARE(lerTudo(Categoria::Agenda).size(), std::size_t(1));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstListas::buscasAchamOQueODigitadoDiz() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QVariantList contatos[] = {{"Carla", "3355-1000 ", QVariant()},
                                     {"Bruno", "1000-5500 ", QVariant()},
                                     {"Ana", "1234-0000 ", "1980/05/01 "},
                                     {"Bia", "2 ", "1980/05/10 "},
                                     {"Caio", "3 ", " "},
                                     {"Joana D'Ávila", "1 ", QVariant()},
                                     {"Bar \"do Zé\"", "1 ", QVariant()},
                                     {"[Grupo] Silva", "1 ", QVariant()}};
    for (const QVariantList& c : contatos)
        amb.executar("INSERT INTO agenda (nome, tel, nascimento) VALUES (?, ?, ?)", c);
    for (const char* d : {"abc", "cab", "ab x", "Ábaco", " ab"})
        amb.executar("INSERT INTO senhas (descricao, senha) VALUES (?, '1 ')", {QString(d)});
    banco::abrirPadrao();
    const std::tuple<const char*, const char*, QStringList> casos[] = {
        {"Telefone", " 55 ", {"Bruno", "Carla"}},
        // Apostrophes, quotes and brackets are letters like any other.
        {"Nome do contato", "d'ávila", {"Joana D'Ávila"}},
        {"Nome do contato", "\"do", {"Bar \"do Zé\""}},
        {"Nome do contato", "[grupo]", {"[Grupo] Silva"}},
        {"Nome do contato", "'; drop table agenda; --", {}},
        // A typed date finds the stored one despite its trailing blank, and only that day;
        // text that is no date is matched as typed.
        {"Data de nascimento", "01/05/1980", {"Ana"}},
        {"Data de nascimento", " 1/5/80 ", {"Ana"}},
        {"Data de nascimento", "01-05-1980", {"Ana"}},
        {"Data de nascimento", "1980/05/10", {"Bia"}},
        {"Data de nascimento", "1980/05%", {"Ana", "Bia"}},
        {"Data de nascimento", "1980", {}},
    };
    for (const auto& [campo, texto, esperado] : casos)
        QCOMPARE(achados(Categoria::Agenda, consultas::contatos(campo, texto)), esperado);
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("8"));

    // Passwords: the descriptions that start with the text as typed; a blank text shows all.
    QCOMPARE(achados(Categoria::Senhas, consultas::senhas("ab")),
             QStringList({"ab x", "Ábaco", "abc"}));
    QCOMPARE(achados(Categoria::Senhas, consultas::senhas("ab ")), QStringList({"ab x"}));
    QCOMPARE(achados(Categoria::Senhas, consultas::senhas(" ab")), QStringList({" ab"}));
    QCOMPARE(achados(Categoria::Senhas, consultas::senhas("   ")).size(), 5);
    QVERIFY(dlg.chamadas.isEmpty());
}

QTEST_GUILESS_MAIN(TstListas)
#include "tst_listas.moc"
