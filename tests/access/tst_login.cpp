#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "access/frmlogin.h"
#include "access/login.h"
#include "ambiente_teste.h"
#include "app/frmprincipal.h"
#include "app/inicio.h"
#include "app/janelas.h"
#include "data/banco.h"
#include "dialogos_roteiro.h"

using acesso::frmlogin;

namespace {

const QString kRecusa = "Usuário e ou senha inválido, por favor verifique os dados digitados!";

QLineEdit* caixa(QWidget* w, const char* nome) {
    return w->findChild<QLineEdit*>(nome);
}

void entrar(frmlogin& l, const QString& usuario, const QString& senha) {
    caixa(&l, "txtusuario")->setText(usuario);
    caixa(&l, "txtsenha")->setText(senha);
    l.findChild<QToolButton*>("ok")->click();
}

// Runs start-up as the program does, with `roteiro` acting in the running event loop;
// the exit code, or 99 when the program did not end by itself.
int iniciarPrograma(const std::function<void()>& roteiro) {
    QTimer::singleShot(0, roteiro);
    QTimer guarda;
    guarda.setSingleShot(true);
    QObject::connect(&guarda, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guarda.start(30000);
    return inicio::executar(*qApp);
}

// A login window in front of a stand-in main window, on a fresh file.
struct Cena {
    Cena() { l.definirPrincipal(&principal); }
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    QWidget principal;
    frmlogin l;
};

bool algumaVisivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

}  // namespace

class TstLogin : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        delete janelas::seCarregada<frmlogin>();
        frmprincipal::pedidoDeLogin() = nullptr;
    }
    void janelaComoProjetada();
    void inicioPedeOLoginAteAcertar();
    void cancelarOuFecharEncerram_data();
    void cancelarOuFecharEncerram();
    void caracteresRecusadosAntesDeLerOBanco_data();
    void caracteresRecusadosAntesDeLerOBanco();
    void loginVazioSoQuandoGuardadoVazio();
    void bancoIlegivelNaoDeixaEntrar();
    void enterMudaOFocoECoresDasCaixas();
    void sempreNoTopoNaoMoveNemRedimensiona();
};

void TstLogin::janelaComoProjetada() {
    AmbienteTeste amb;
    frmlogin l;
    QCOMPARE(l.windowTitle(), QString("Login do usuário"));
    QCOMPARE(l.findChild<QLabel*>("lbltitulo")->text(), QString("Sistema de Autenticação"));
    QStringList rotulos;
    for (QLabel* r : l.findChildren<QLabel*>())
        if (r->buddy())
            rotulos << r->buddy()->objectName() + ":" + r->text() + ":" +
                           r->buddy()->accessibleName();
    QCOMPARE(rotulos, QStringList({"txtusuario:Usuário:Usuário", "txtsenha:Senha::Senha"}));
    QLineEdit* senha = caixa(&l, "txtsenha");
    QCOMPARE(caixa(&l, "txtusuario")->echoMode(), QLineEdit::Normal);
    QCOMPARE(senha->echoMode(), QLineEdit::Password);
    QCOMPARE(senha->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, senha),
             int('#'));
    QStringList barra;
    for (QAction* a : l.findChild<QToolBar*>("tbropcoes")->actions())
        barra << (a->isSeparator()
                      ? "-"
                      : a->objectName() + ":" + l.findChild<QToolButton*>(a->objectName())->text());
    QCOMPARE(barra, QStringList({"-", "ok:ENTRAR ...", "-", "cancelar:CANCELAR"}));
}

void TstLogin::inicioPedeOLoginAteAcertar() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("UPDATE login SET login = 'Usuário', senha = 'Segredo', login_inicia = '1'");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    QStringList visto;
    const int saida = iniciarPrograma([&] {
        auto* w = dynamic_cast<frmprincipal*>(editors::principal());
        frmlogin* l = janelas::seCarregada<frmlogin>();
        if (!w || !l)
            return;
        visto << QString("principal %1, login %2, topo %3")
                     .arg(w->isVisible())
                     .arg(l->isVisible())
                     .arg(l->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const char* errada : {"segredo", "Segredo ", "x"})
            entrar(*l, "Usuário", errada);
        visto << QString("principal %1, topo %2")
                     .arg(w->isVisible())
                     .arg(l->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        entrar(*l, "USUÁRIO", "Segredo");
        visto << QString("principal %1, login %2, notas %3, conexao %4")
                     .arg(w->isVisible())
                     .arg(l->isVisible())
                     .arg(w->linhas(Categoria::Anotacoes))
                     .arg(banco::conexao().aberta());
        w->close();
    });
    QCOMPARE(saida, 0);
    QCOMPARE(visto, QStringList({"principal 0, login 1, topo 0", "principal 0, topo 1",
                                 "principal 1, login 0, notas 1, conexao 0"}));
    QCOMPARE(dlg.mensagens().size(), 3);
    for (const DialogosRoteiro::Chamada& m : dlg.mensagens()) {
        QCOMPARE(m.icone, dialogs::Icone::Critico);
        QCOMPARE(m.titulo, QString("Login"));
        QCOMPARE(m.texto, kRecusa);
    }
    QVERIFY(!algumaVisivel());
}

void TstLogin::cancelarOuFecharEncerram_data() {
    QTest::addColumn<bool>("cancelar");
    QTest::newRow("CANCELAR") << true;
    QTest::newRow("caixa de fechar") << false;
}

void TstLogin::cancelarOuFecharEncerram() {
    QFETCH(bool, cancelar);
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("UPDATE login SET login_inicia = '1'");
    bool pedido = false;
    const int saida = iniciarPrograma([&] {
        frmlogin* l = janelas::seCarregada<frmlogin>();
        if (!l)
            return;
        pedido = l->isVisible() && !dynamic_cast<QWidget*>(editors::principal())->isVisible();
        if (cancelar)
            l->findChild<QToolButton*>("cancelar")->click();
        else
            l->close();
    });
    QCOMPARE(saida, 0);
    QVERIFY(pedido);
    QVERIFY(!algumaVisivel());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstLogin::caracteresRecusadosAntesDeLerOBanco_data() {
    QTest::addColumn<QString>("caractere");
    for (const char* c = acesso::kRecusados; *c; ++c)
        QTest::newRow(QByteArray(1, *c).constData()) << QString(QChar(*c));
}

void TstLogin::caracteresRecusadosAntesDeLerOBanco() {
    QFETCH(QString, caractere);
    Cena c;
    auto& [amb, dlg, principal, l] = c;
    // Refused even when the stored login holds that very character.
    const QString usuario = "a" + caractere + "b";
    amb.executar("UPDATE login SET login = ?, senha = ?", {usuario, usuario});
    for (int lado = 0; lado < 2; ++lado) {
        banco::liberarConexoes();
        entrar(l, lado ? "ab" : usuario, lado ? usuario : "ab");
        QCOMPARE(dlg.ultimaMensagem().texto, kRecusa);
        QVERIFY(!banco::conexao().aberta());
    }
    QCOMPARE(dlg.mensagens().size(), 2);
    QVERIFY(!principal.isVisible());
    QCOMPARE(caixa(&l, "txtusuario")->text(), QString("ab"));
}

void TstLogin::loginVazioSoQuandoGuardadoVazio() {
    Cena c;
    auto& [amb, dlg, principal, l] = c;
    entrar(l, "", "");
    QCOMPARE(dlg.mensagens().size(), 1);
    // A stored blank is no empty password: both are compared as typed.
    amb.executar("UPDATE login SET login = 'admin', senha = ' '");
    entrar(l, "admin", "");
    QCOMPARE(dlg.mensagens().size(), 2);
    amb.executar("UPDATE login SET login = '', senha = NULL");
    entrar(l, "", "");
    QCOMPARE(dlg.mensagens().size(), 2);
    QVERIFY(principal.isVisible());
    QVERIFY(!l.isVisible());
}

void TstLogin::bancoIlegivelNaoDeixaEntrar() {
    Cena c;
    auto& [amb, dlg, principal, l] = c;
    amb.soltar();
    banco::liberarConexoes();
    QVERIFY(QFile::remove(amb.arquivo()));
    entrar(l, "admin", "admin");
    const QList<DialogosRoteiro::Chamada> m = dlg.mensagens();
    QCOMPARE(m.size(), 2);
    QVERIFY(m.at(0).texto.startsWith("Ocorreu o seguinte erro ao tentar abrir o banco de dados: "));
    QCOMPARE(m.at(1).texto, kRecusa);
    QVERIFY(!principal.isVisible());
}

void TstLogin::enterMudaOFocoECoresDasCaixas() {
    Cena c;
    auto& [amb, dlg, principal, l] = c;
    l.show();
    QVERIFY(QTest::qWaitForWindowActive(&l));
    QLineEdit* usuario = caixa(&l, "txtusuario");
    QLineEdit* senha = caixa(&l, "txtsenha");
    auto cores = [&] {
        return QStringList{usuario->palette().color(QPalette::Base).name(),
                           senha->palette().color(QPalette::Base).name()};
    };
    QCOMPARE(QApplication::focusWidget(), usuario);
    QCOMPARE(cores(), QStringList({"#ffffc0", "#ffffff"}));
    QTest::keyClicks(usuario, "admin");
    QTest::keyClick(usuario, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), senha);
    QCOMPARE(cores(), QStringList({"#ffffff", "#ffffc0"}));
    QTest::keyClicks(senha, "admin");
    QTest::keyClick(senha, Qt::Key_Enter);
    // Enter never submits from a box: the focus went on to "ENTRAR ...".
    QCOMPARE(QApplication::focusWidget(), l.findChild<QToolButton*>("ok"));
    QCOMPARE(cores(), QStringList({"#ffffff", "#ffffff"}));
    QVERIFY(!principal.isVisible());
    QVERIFY(dlg.chamadas.isEmpty());
    // On the button, Enter presses it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(principal.isVisible());
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstLogin::sempreNoTopoNaoMoveNemRedimensiona() {
    QWidget w;
    w.setGeometry(100, 120, 300, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect antes = w.geometry();
    for (const char* palavra : {"ativo", "outra", "desativo", "Ativo"}) {
        const bool esperado = QString(palavra) == "ativo" || QString(palavra) == "outra";
        acesso::SempreNoTopo(palavra, &w);
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), esperado);
        QCOMPARE(w.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), esperado);
        QVERIFY(w.isVisible());
        QCOMPARE(w.geometry(), antes);
    }
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
