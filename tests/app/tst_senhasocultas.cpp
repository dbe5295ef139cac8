#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "../reports/apoio_relatorios.h"
#include "ambiente_teste.h"
#include "apoio.h"
#include "app/frmprincipal.h"
#include "data/configuracoes.h"
#include "dialogos_roteiro.h"
#include "ui/areatransferencia.h"

namespace {

const QString kOculta = QString::fromUtf8("••••••");

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void acionar(frmprincipal& w, const char* entrada) {
    auto* acao = w.findChild<QAction*>(entrada);
    QVERIFY2(acao, entrada);
    acao->trigger();
}

void escolher(frmprincipal& w, int linha) {
    QTreeView* lista = w.lista(Categoria::Senhas);
    lista->setCurrentIndex(lista->model()->index(linha, 1));
}

// What the passwords list shows in its "Senha/Serial" column.
QStringList mostradas(frmprincipal& w) {
    QStringList r;
    QAbstractItemModel* m = w.lista(Categoria::Senhas)->model();
    for (int i = 0; i < m->rowCount(); ++i)
        r << m->data(m->index(i, 2)).toString();
    return r;
}

struct Cena {
    Cena() {
        amb.executar(
            "INSERT INTO senhas (descricao, senha, adicionais) VALUES "
            "('Banco', ' p@ss W0rd  ', 'conta '), ('Correio', 'x y ', ' ')");
        amb.soltar();
    }
    AmbienteTeste amb;
    DialogosRoteiro dlg;
};

}  // namespace

class TstSenhasOcultas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        areatransferencia::expirar();
        QGuiApplication::clipboard()->clear();
    }
    void copiarSenhaSemOBrancoELimpaDepois();
    void ctrlCNaListaCopiaASenha();
    void outraCopiaNaoEApagada();
    void mostrarSenhasGuardadoEExportado();
};

void TstSenhasOcultas::copiarSenhaSemOBrancoELimpaDepois() {
    Cena c;
    frmprincipal w;
    acionar(w, "mnucopiarsenha");  // nothing chosen: nothing copied
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    escolher(w, 0);
    acionar(w, "mnucopiarsenha");
    // Exactly as typed: the design's one padding blank goes, the user's own blanks stay.
    QCOMPARE(QGuiApplication::clipboard()->text(), QString(" p@ss W0rd "));
    QTimer* t = areatransferencia::temporizador();
    QVERIFY(t->isActive());
    QCOMPARE(t->interval(), 30000);
    areatransferencia::expirar();  // the 30 seconds run out
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QVERIFY(!t->isActive());
    QCOMPARE(w.findChild<QAction*>("mnucopiarsenha")->shortcut(), QKeySequence(QKeySequence::Copy));
    QVERIFY(c.dlg.chamadas.isEmpty());
}

void TstSenhasOcultas::ctrlCNaListaCopiaASenha() {
    Cena c;
    frmprincipal w;
    escolher(w, 1);
    QTest::keyClick(w.lista(Categoria::Senhas), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("x y"));
}

void TstSenhasOcultas::outraCopiaNaoEApagada() {
    Cena c;
    frmprincipal w;
    escolher(w, 0);
    acionar(w, "mnucopiarsenha");
    QGuiApplication::clipboard()->setText("outra coisa");
    areatransferencia::expirar();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("outra coisa"));
}

void TstSenhasOcultas::mostrarSenhasGuardadoEExportado() {
    Cena c;
    {
        frmprincipal w;
        QAction* mostrar = w.findChild<QAction*>("mnumostrarsenhas");
        QVERIFY(mostrar->isCheckable() && mostrar->isChecked());  // ticked by default
        QCOMPARE(mostradas(w), QStringList({" p@ss W0rd  ", "x y "}));
        acionar(w, "mnumostrarsenhas");
        QVERIFY(!mostrar->isChecked());
        QCOMPARE(mostradas(w), QStringList({kOculta, kOculta}));
        QCOMPARE(configuracoes::ler("MostrarSenhas"), QString("0"));
        // Copying still gives the password itself.
        escolher(w, 1);
        acionar(w, "mnucopiarsenha");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("x y"));
    }
    // Kept in the settings; the export shows what the list shows.
    frmprincipal w;
    QVERIFY(!w.findChild<QAction*>("mnumostrarsenhas")->isChecked());
    QCOMPARE(mostradas(w), QStringList({kOculta, kOculta}));
    const QString txt = c.amb.pasta() + "/senhas.txt";
    c.dlg.arquivos << txt;
    c.dlg.respostas << dialogs::Resposta::Nao;
    acionar(w, "mnutxtsn");
    const QString texto = QString::fromUtf8(ler(txt));
    QVERIFY2(texto.contains(kOculta), qPrintable(texto));
    QVERIFY(!texto.contains("p@ss"));
    // And so does the printout.
    const QString pdf = c.amb.pasta() + "/senhas.pdf";
    c.dlg.acoesVisualizacao << "pdf";
    c.dlg.arquivos << pdf;
    acionar(w, "mnuimprimirsn");
    const QString impresso = textoDoPdf(pdf);
    QVERIFY2(impresso.contains(kOculta) && impresso.contains("Correio"), qPrintable(impresso));
    QVERIFY(!impresso.contains("p@ss"));
    acionar(w, "mnumostrarsenhas");
    QCOMPARE(mostradas(w), QStringList({" p@ss W0rd  ", "x y "}));
    QCOMPARE(configuracoes::ler("MostrarSenhas"), QString("1"));
}

QTEST_MAIN(TstSenhasOcultas)
#include "tst_senhasocultas.moc"
