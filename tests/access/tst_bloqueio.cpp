#include <QAction>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "access/bloqueio.h"
#include "access/frmarquivoprotegido.h"
#include "access/frmsenhaarquivo.h"
#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "app/frmprincipal.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/copiabanco.h"
#include "editors/fluxos.h"
#include "ui/janelas.h"
#include "ui/modelolista.h"

using acesso::Bloqueio;
using acesso::frmarquivoprotegido;

namespace {

const QString kSenha = QStringLiteral("trancado");

frmarquivoprotegido* desbloqueio() {
    auto* j = janelas::seCarregada<acesso::frmarquivoprotegido>();
    return j && j->isVisible() ? j : nullptr;
}

void responder(const QString& senha) {
    QVERIFY(desbloqueio());
    desbloqueio()->findChild<QLineEdit*>("txtsenha")->setText(senha);
    clicar(desbloqueio(), "ok");
}

int linhas(frmprincipal& w) {
    return w.modelo(Categoria::Senhas)->rowCount() + w.modelo(Categoria::Anotacoes)->rowCount();
}

// A protected file with a row in two lists, its password in the session, the window open.
struct Cena {
    Cena() {
        amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Banco', 'segredo ')");
        amb.executar("INSERT INTO anotacoes (Titulo, anotacoes) VALUES ('Nota', 'texto ')");
        amb.soltar();
        banco::liberarConexoes();
        copia::trocarChave(amb.arquivo(), chave::embutida(),
                           chave::paraSenha(amb.arquivo(), kSenha));
        chave::definirSenha(kSenha);
        w = std::make_unique<frmprincipal>();
        w->show();
    }
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    std::unique_ptr<frmprincipal> w;
};

// An entry form with input typed and not saved.
QWidget* notaNaoSalva() {
    editors::adicionar(Categoria::Anotacoes);
    QWidget* form = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmcadanotacoes" && w->isVisible())
            form = w;
    if (form)
        form->findChild<QLineEdit*>("txttitulo")->setText("Não salva");
    return form;
}

}  // namespace

class TstBloqueio : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        acesso::definirMinutosOcioso(0);
        encerrarSessao();
    }
    void semSenhaNaoHaOQueBloquear();
    void bloquearEsvaziaFechaEVoltaComASenha();
    void formularioNaoSalvoPerguntaAntes();
    void ociosidadeGuardaOFormulario();
    void bloqueioSobreUmaPerguntaPendente();
    void ociosidadeNaoAgeNoInicio();
};

void TstBloqueio::semSenhaNaoHaOQueBloquear() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Banco', 'segredo ')");
    frmprincipal w;
    w.show();
    QAction* bloquear = w.findChild<QAction*>("mnubloquear");
    QCOMPARE(bloquear->text(), QString("Bloquear"));
    QCOMPARE(bloquear->shortcut(), QKeySequence("Ctrl+L"));
    bloquear->trigger();
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Bloquear"));
    QVERIFY(!acesso::bloqueado());
    QVERIFY(w.isVisible());
    QCOMPARE(w.modelo(Categoria::Senhas)->rowCount(), 1);
}

void TstBloqueio::bloquearEsvaziaFechaEVoltaComASenha() {
    Cena c;
    QCOMPARE(linhas(*c.w), 2);
    acesso::abrirSenhaArquivo();
    QVERIFY(janelas::seCarregada<acesso::frmsenhaarquivo>());
    c.w->findChild<QAction*>("mnubloquear")->trigger();
    descartarFechadas();
    QVERIFY(acesso::bloqueado());
    QCOMPARE(linhas(*c.w), 0);
    QVERIFY(!c.w->isVisible());
    QVERIFY(!janelas::seCarregada<acesso::frmsenhaarquivo>());
    QVERIFY(!banco::conexao().aberta());
    QVERIFY(!chave::temSenha());
    QVERIFY(desbloqueio());

    responder("errada");
    QCOMPARE(ultimaMensagem(c.dlg), QString("critico|Arquivo protegido|Senha incorreta."));
    QVERIFY(acesso::bloqueado());
    responder(kSenha);
    QVERIFY(!acesso::bloqueado());
    QVERIFY(!desbloqueio());
    QVERIFY(c.w->isVisible());
    QCOMPARE(linhas(*c.w), 2);
    QVERIFY(chave::temSenha());
}

void TstBloqueio::formularioNaoSalvoPerguntaAntes() {
    Cena c;
    QWidget* form = notaNaoSalva();
    QVERIFY(form);
    c.dlg.respostas << dialogs::Resposta::Nao;  // keep the input
    QVERIFY(!acesso::bloquear(Bloqueio::PeloUsuario));
    QCOMPARE(c.dlg.ultimaMensagem().titulo, QString("Descartar alterações"));
    QVERIFY(form->isVisible());
    QVERIFY(c.w->isVisible());
    QCOMPARE(linhas(*c.w), 2);

    c.dlg.respostas << dialogs::Resposta::Sim;  // discard it
    QVERIFY(acesso::bloquear(Bloqueio::PeloUsuario));
    descartarFechadas();
    QVERIFY(acesso::bloqueado());
    responder(kSenha);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(w->objectName() != "frmcadanotacoes" || !w->isVisible());
}

void TstBloqueio::ociosidadeGuardaOFormulario() {
    Cena c;
    acesso::abrirSenhaArquivo();
    auto* minutos = janelas::unica<acesso::frmsenhaarquivo>().findChild<QSpinBox*>("spnbloqueio");
    QCOMPARE(minutos->value(), 0);  // off by default
    QVERIFY(!acesso::temporizadorOcioso()->isActive());
    minutos->setValue(5);
    QCOMPARE(configuracoes::ler("BloquearApos"), QString("5"));
    QVERIFY(acesso::temporizadorOcioso()->isActive());
    QCOMPARE(acesso::temporizadorOcioso()->interval(), 5 * 60000);

    QWidget* form = notaNaoSalva();
    QVERIFY(form);
    c.dlg.limpar();
    acesso::expirarOcioso();  // five minutes without input
    QVERIFY(acesso::bloqueado());
    QVERIFY(c.dlg.chamadas.isEmpty());  // nothing asked
    QVERIFY(!form->isVisible());
    QVERIFY(!janelas::seCarregada<acesso::frmsenhaarquivo>() ||
            !janelas::seCarregada<acesso::frmsenhaarquivo>()->isVisible());
    QVERIFY(!acesso::temporizadorOcioso()->isActive());
    descartarFechadas();
    responder(kSenha);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit*>("txttitulo")->text(), QString("Não salva"));
    QVERIFY(acesso::temporizadorOcioso()->isActive());
}

void TstBloqueio::bloqueioSobreUmaPerguntaPendente() {
    Cena c;
    bool cancelada = false;
    // Another file's password asked for (a network test, say), then the lock by hand.
    acesso::comChave(
        c.amb.arquivo(), [](const QString&, const std::optional<QString>&) {},
        [&cancelada] { cancelada = true; });
    QVERIFY(!desbloqueio());  // the session's password opens it: nothing asked
    chave::esquecer();
    acesso::comChave(
        c.amb.arquivo(), [](const QString&, const std::optional<QString>&) {},
        [&cancelada] { cancelada = true; });
    QVERIFY(desbloqueio());
    chave::definirSenha(kSenha);
    QVERIFY(acesso::bloquear(Bloqueio::PeloUsuario));
    QVERIFY(cancelada);
    descartarFechadas();
    QVERIFY(desbloqueio());  // the unlock window is there to stay
    responder(kSenha);
    QVERIFY(c.w->isVisible());
    QCOMPARE(linhas(*c.w), 2);
}

void TstBloqueio::ociosidadeNaoAgeNoInicio() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.soltar();
    banco::liberarConexoes();
    copia::trocarChave(amb.arquivo(), chave::embutida(), chave::paraSenha(amb.arquivo(), kSenha));
    acesso::definirMinutosOcioso(1);
    frmprincipal::pedidoDeSenha() = acesso::desbloquearInicio;
    frmprincipal w;
    frmprincipal::pedidoDeSenha() = nullptr;
    QVERIFY(desbloqueio());
    acesso::expirarOcioso();  // a minute at the start-up's question
    QVERIFY(!acesso::bloqueado());
    QVERIFY(desbloqueio());
    QVERIFY(dlg.chamadas.isEmpty());
    responder(kSenha);
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TstBloqueio)
#include "tst_bloqueio.moc"
