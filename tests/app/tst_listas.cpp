#include <QTest>

#include "ambiente_teste.h"
#include "app/consultas.h"
#include "app/listas.h"
#include "data/banco.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"

namespace {

using Linhas = std::vector<QStringList>;

Linhas todas(const Celulas& celulas) {
    Linhas r;
    for (int i = 0; i < celulas.linhas(); ++i)
        r.push_back(celulas.linha(i));
    return r;
}

// One column of every row, as the list shows it.
QStringList coluna(const Linhas& linhas, int c) {
    QStringList r;
    for (const QStringList& l : linhas)
        r << l.value(c);
    return r;
}

Linhas ler(Categoria cat, const QString& sql, const QVariantList& parametros = {}) {
    return todas(listas::ler(cat, sql, parametros));
}

Linhas lerConsulta(Categoria cat, const consultas::Consulta& c) {
    return ler(cat, c.sql, c.parametros);
}

Linhas lerTudo(Categoria cat) {
    return ler(cat, QString::fromUtf8(listas::lista(cat).consulta));
}

void contato(AmbienteTeste& amb, const QString& nome, const QString& tel,
             const QVariant& nascimento = QVariant()) {
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, cel, email, site, nascimento) "
        "VALUES (?, '11 ', ?, NULL, 'x@y.br ', ' ', ?)",
        {nome, tel, nascimento});
}

}  // namespace

class TstListas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { regras::fixarHoje({}); }
    void contatosEmOrdemBrasileiraNumeradosComoLidos();
    void outrasListasLeemSuasColunas();
    void compromissosComBrancosEContagem();
    void consultaQueNaoRodaDeixaListaVazia();
    void buscaDeContatoPorQualquerCampo();
    void textoDeBuscaAchaOQueDiz();
    void buscaPorNascimento();
    void senhasPorComecoDaDescricao();
};

void TstListas::contatosEmOrdemBrasileiraNumeradosComoLidos() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    contato(amb, "Zé Carlos", "1111 ");
    contato(amb, "álvaro Dias", "2222 ");
    contato(amb, "Beto", " ");
    contato(amb, "Alvaro Bento", "3333 ");
    contato(amb, "Beto", "4444 ");
    banco::abrirPadrao();
    const Linhas l = lerTudo(Categoria::Agenda);
    QCOMPARE(coluna(l, 1),
             QStringList({"Alvaro Bento", "álvaro Dias", "Beto", "Beto", "Zé Carlos"}));
    QCOMPARE(coluna(l, 0), QStringList({"1", "2", "3", "4", "5"}));
    // Two contacts with the same name are two rows.
    QCOMPARE(QSet<QString>({l[2][3], l[3][3]}), QSet<QString>({" ", "4444 "}));
    // Stored text is shown unchanged; a column without a value is an empty cell.
    QCOMPARE(l[0].size(), 13);
    QCOMPARE(l[0][2], QString("11 "));
    QCOMPARE(l[0][4], QString());
    QCOMPARE(l[0][11], QString("x@y.br "));
    QCOMPARE(l[0][12], QString(" "));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstListas::outrasListasLeemSuasColunas() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO senhas VALUES ('Windows', 'ABC-123 ', NULL)");
    amb.executar("INSERT INTO uteis VALUES ('Bombeiros', '193 ')");
    amb.executar("INSERT INTO anotacoes VALUES ('Compras', 'leite ')");
    amb.executar("INSERT INTO anotacoes VALUES ('Anotação', 'x ')");
    banco::abrirPadrao();
    QCOMPARE(lerTudo(Categoria::Senhas), Linhas({{"1", "Windows", "ABC-123 ", ""}}));
    QCOMPARE(lerTudo(Categoria::Uteis), Linhas({{"1", "Bombeiros", "193 "}}));
    QCOMPARE(lerTudo(Categoria::Anotacoes), Linhas({{"1", "Anotação"}, {"2", "Compras"}}));
}

void TstListas::compromissosComBrancosEContagem() {
    AmbienteTeste amb;
    regras::fixarHoje(QDate(2026, 3, 1));
    const char* sql = "INSERT INTO compromisso (Data, hora, Titulo, local) VALUES (?, ?, ?, ?)";
    amb.executar(sql, {"2026/03/11", "09:00 ", "Dentista", "Centro "});
    amb.executar(sql, {"2026/03/01", "14:00 ", "Reunião", QVariant()});
    amb.executar(sql, {"2026/02/28", "08:00 ", "Ontem", " "});
    amb.executar(sql, {"2026/03/01", "10:00 ", "Café", "Padaria "});
    amb.executar(sql, {"2025/12/31", "23:00 ", "Virada", " "});
    banco::abrirPadrao();
    const Linhas l = ler(
        Categoria::Compromisso,
        QString::fromUtf8(listas::lista(Categoria::Compromisso).consulta) + " order by data, hora");
    QCOMPARE(l, Linhas({
                    {"5", "31/12/2025 ", "23:00  ", "Virada ", "  ", "-60 dias"},
                    {"3", "28/02/2026 ", "08:00  ", "Ontem ", "  ", "-1 dias"},
                    {"4", "01/03/2026 ", "10:00  ", "Café ", "Padaria  ", "0 dias"},
                    {"2", "01/03/2026 ", "14:00  ", "Reunião ", " ", "0 dias"},
                    {"1", "11/03/2026 ", "09:00  ", "Dentista ", "Centro  ", "10 dias"},
                }));
}

void TstListas::consultaQueNaoRodaDeixaListaVazia() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    contato(amb, "Ana", "1 ");
    // The appointment loader runs on the connection as it was left: closed here.
    banco::conexao().marcarFechada();
    QVERIFY(lerTudo(Categoria::Agenda).empty());
    banco::abrirPadrao();
    QVERIFY(ler(Categoria::Agenda, "select * from agenda where (", {}).empty());
    QCOMPARE(lerTudo(Categoria::Agenda).size(), std::size_t(1));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstListas::buscaDeContatoPorQualquerCampo() {
    AmbienteTeste amb;
    contato(amb, "Carla", "3355-1000 ");
    contato(amb, "Bruno", "1000-5500 ");
    contato(amb, "Ana", "1234-0000 ");
    amb.executar("UPDATE agenda SET cidade = 'São José ' WHERE nome = 'Ana'");
    banco::abrirPadrao();
    QCOMPARE(coluna(lerConsulta(Categoria::Agenda, consultas::contatos("Telefone", " 55 ")), 1),
             QStringList({"Bruno", "Carla"}));
    // Case and accents do not count.
    QCOMPARE(coluna(lerConsulta(Categoria::Agenda, consultas::contatos("Cidade", "sao jose")), 1),
             QStringList({"Ana"}));
    QCOMPARE(consultas::colunaDoCampo("Endereço"), QString("endereco"));
    QCOMPARE(consultas::colunaDoCampo("endereço"), QString());
}

void TstListas::textoDeBuscaAchaOQueDiz() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    for (const char* nome :
         {"Joana D'Ávila", "Bar \"do Zé\"", "ana_maria", "anaXmaria", "[Grupo] Silva", "Silveira"})
        contato(amb, nome, "1 ");
    banco::abrirPadrao();
    auto busca = [](const QString& texto) {
        return coluna(lerConsulta(Categoria::Agenda, consultas::contatos("Nome do contato", texto)),
                      1);
    };
    QCOMPARE(busca("d'ávila"), QStringList({"Joana D'Ávila"}));
    QCOMPARE(busca("\"do"), QStringList({"Bar \"do Zé\""}));
    QCOMPARE(busca("a_m"), QStringList({"ana_maria"}));
    QCOMPARE(busca("[grupo]"), QStringList({"[Grupo] Silva"}));
    QCOMPARE(busca("sil%a"), QStringList({"[Grupo] Silva", "Silveira"}));
    QCOMPARE(busca("'; drop table agenda; --"), QStringList());
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("6"));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstListas::buscaPorNascimento() {
    AmbienteTeste amb;
    contato(amb, "Ana", "1 ", "1980/05/01 ");
    contato(amb, "Bia", "2 ", "1980/05/10 ");
    contato(amb, "Caio", "3 ", " ");
    banco::abrirPadrao();
    auto busca = [](const QString& texto) {
        return coluna(
            lerConsulta(Categoria::Agenda, consultas::contatos("Data de nascimento", texto)), 1);
    };
    // A typed date finds the stored one despite its trailing blank, and only that day.
    QCOMPARE(busca("01/05/1980"), QStringList({"Ana"}));
    QCOMPARE(busca(" 1/5/80 "), QStringList({"Ana"}));
    QCOMPARE(busca("01-05-1980"), QStringList({"Ana"}));
    // Text that is no date is matched as typed.
    QCOMPARE(busca("1980/05/10"), QStringList({"Bia"}));
    QCOMPARE(busca("1980/05%"), QStringList({"Ana", "Bia"}));
    QCOMPARE(busca("1980"), QStringList());
}

void TstListas::senhasPorComecoDaDescricao() {
    AmbienteTeste amb;
    for (const char* d : {"abc", "cab", "ab x", "Ábaco", " ab"})
        amb.executar("INSERT INTO senhas (descricao, senha) VALUES (?, '1 ')", {QString(d)});
    banco::abrirPadrao();
    auto busca = [](const QString& texto) {
        return coluna(lerConsulta(Categoria::Senhas, consultas::senhas(texto)), 1);
    };
    QCOMPARE(busca("ab"), QStringList({"ab x", "Ábaco", "abc"}));
    QCOMPARE(busca("ab "), QStringList({"ab x"}));
    QCOMPARE(busca(" ab"), QStringList({" ab"}));
    QCOMPARE(busca("   ").size(), 5);
}

QTEST_GUILESS_MAIN(TstListas)
#include "tst_listas.moc"
