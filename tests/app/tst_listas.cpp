#include <QTest>

#include "ambiente_teste.h"
#include "data/banco.h"
#include "data/listas.h"
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
    return ler(cat, QString::fromUtf8(categoria::descricao(cat).consulta) + ordem);
}

}  // namespace

class TstListas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { regras::fixarHoje({}); }
    void listasLeemSuasColunasOuNada();
};

void TstListas::listasLeemSuasColunasOuNada() {
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

    // A statement that cannot run leaves the list empty, quietly; so does a connection left
    // closed, which the appointment loader runs on as it was left.
    QVERIFY(ler(Categoria::Senhas, "select * from senhas where (").empty());
    banco::conexao().marcarFechada();
    QVERIFY(lerTudo(Categoria::Senhas).empty());
    QVERIFY(dlg.chamadas.isEmpty());
}

QTEST_GUILESS_MAIN(TstListas)
#include "tst_listas.moc"
