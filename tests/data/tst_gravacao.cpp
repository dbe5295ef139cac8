#include <QTest>

#include "ambiente_teste.h"
#include "data/banco.h"
#include "data/gravacao.h"
#include "data/regras.h"
#include "data/sqlite.h"

using regras::Regra;

class TstGravacao : public QObject {
    Q_OBJECT
private slots:
    void regrasDeColuna();
    void inserirGuardaOsValoresComoVieram();
    void atualizarSoAPrimeiraDaChaveExata();
};

void TstGravacao::regrasDeColuna() {
    using regras::aplicar;
    QCOMPARE(aplicar(Regra::Preenchido, "  11 5555-1234 "), QString("11 5555-1234 "));
    QCOMPARE(aplicar(Regra::Preenchido, "   "), QString(" "));
    QCOMPARE(aplicar(Regra::AparadoSemApostrofos, "  Reunião d'obra  "), QString("Reunião dobra"));
    QCOMPARE(aplicar(Regra::SemApostrofos, "  Banco 'A'  "), QString("  Banco A  "));
    QCOMPARE(aplicar(Regra::Aparado, " Farmácia d'Ajuda "), QString("Farmácia d'Ajuda"));
    // Only blanks are trimmed; a tab or line break inside a field is content.
    QCOMPARE(aplicar(Regra::Aparado, "\tx\n"), QString("\tx\n"));
    QCOMPARE(regras::dataParaBanco(QDate(2008, 3, 5)), QString("2008/03/05"));
    QCOMPARE(regras::dataDoBanco("1980/05/01 "), QDate(1980, 5, 1));
    QVERIFY(!regras::dataDoBanco(" ").isValid());
    QCOMPARE(regras::dataDigitada("1/5/1980"), QDate(1980, 5, 1));
    QVERIFY(!regras::dataDigitada("31/02/1980").isValid());
    QVERIFY(!regras::dataDigitada("ontem").isValid());
}

void TstGravacao::inserirGuardaOsValoresComoVieram() {
    AmbienteTeste amb;
    banco::abrirPadrao();
    gravacao::inserir(banco::conexao().banco(), "uteis",
                      {{"descricao", "Farmácia d'Ajuda"}, {"telefone", "100% \"ok\" "}});
    QCOMPARE(amb.linhas("SELECT descricao, telefone FROM uteis"),
             QStringList{"Farmácia d'Ajuda|100% \"ok\" "});
}

void TstGravacao::atualizarSoAPrimeiraDaChaveExata() {
    AmbienteTeste amb;
    for (const char* t : {"a%", "ab", "A%", "a%"})
        amb.executar("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, ' ')",
                     {QString::fromUtf8(t)});
    banco::abrirPadrao();
    db::Database& b = banco::conexao().banco();
    gravacao::atualizarPrimeira(b, "anotacoes", "Titulo", "a%", {{"anotacoes", "nova "}});
    QCOMPARE(amb.linhas("SELECT Titulo, anotacoes FROM anotacoes ORDER BY rowid"),
             QStringList({"a%|nova ", "ab| ", "A%| ", "a%| "}));
    try {
        gravacao::atualizarPrimeira(b, "anotacoes", "Titulo", "x", {{"anotacoes", "y"}});
        QFAIL("a missing row was reported as saved");
    } catch (const db::DbError& e) {
        QVERIFY(!e.descricao().isEmpty());
    }
    // Appointments are found by their number, given as the list shows it.
    amb.executar("INSERT INTO compromisso (Data, hora) VALUES ('2026/01/02', '9h ')");
    gravacao::atualizarPrimeira(b, "compromisso", "id", "1", {{"hora", "10h"}});
    QCOMPARE(amb.valor("SELECT hora FROM compromisso WHERE id = 1"), QString("10h"));
    QVERIFY_THROWS_EXCEPTION(
        db::DbError, gravacao::atualizarPrimeira(b, "compromisso", "id", "99", {{"hora", "x"}}));
}

QTEST_GUILESS_MAIN(TstGravacao)
#include "tst_gravacao.moc"
