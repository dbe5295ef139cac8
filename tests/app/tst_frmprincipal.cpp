#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "ambiente_teste.h"
#include "app/caixaescolha.h"
#include "app/campodata.h"
#include "app/comandos.h"
#include "app/frmprincipal.h"
#include "app/janelas.h"
#include "app/listas.h"
#include "app/modelolista.h"
#include "data/avisos.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"
#include "editors/frmcadagenda.h"
#include "fluxos_gravados.h"

namespace {

const Categoria kTodas[] = {Categoria::Agenda, Categoria::Compromisso, Categoria::Senhas,
                            Categoria::Uteis, Categoria::Anotacoes};

// Every cell of one column of a list, read through its model.
QStringList coluna(const frmprincipal& w, Categoria c, int col) {
    QStringList r;
    for (int i = 0; i < w.modelo(c)->rowCount(); ++i)
        r << w.modelo(c)->celula(i, col);
    return r;
}

// The controls of a panel, left to right: labels by their text, the rest by name.
QStringList controles(QWidget* painel) {
    QStringList r;
    for (int i = 0; i < painel->layout()->count(); ++i) {
        QWidget* w = painel->layout()->itemAt(i)->widget();
        if (auto* rotulo = qobject_cast<QLabel*>(w))
            r << "[" + rotulo->text() + "]" + rotulo->buddy()->objectName();
        else if (auto* botao = qobject_cast<QPushButton*>(w))
            r << botao->objectName() + ":" + botao->text();
        else if (w)
            r << w->objectName();
    }
    return r;
}

QColor fundo(QWidget* w, QPalette::ColorRole papel = QPalette::Base) {
    return w->palette().color(papel);
}

void focar(QWidget* w, QEvent::Type tipo) {
    QFocusEvent ev(tipo, Qt::TabFocusReason);
    QApplication::sendEvent(w, &ev);
}

}  // namespace

class TstFrmprincipal : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        regras::fixarHoje({});
        frmprincipal::pedidoDeLogin() = nullptr;
    }
    void janelaEListasComoProjetadas();
    void todoCampoTemNomeAcessivel();
    void inicioPreencheAsCincoListas();
    void inicioSemArquivoAvisaACadaAbertura();
    void loginLigadoEntregaAJanela();
    void listasDividemALarguraEmQualquerTamanho();
    void camposFicamAmarelosComOFoco();
    void cbonomeSoEscolhe();
    void digitarFiltraContatosESenhas();
    void intervaloDeDatasPedeAsDuas();
    void botoesDoMouseNasListas();
    void fluxosLeemALinhaSelecionada();
    void mesmoNomeEditadoERemovidoUmAUm();
    void listaEsvaziadaAntesDoAviso();
    void fecharEncerraTudo();
};

void TstFrmprincipal::janelaEListasComoProjetadas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    QCOMPARE(w.windowTitle(), QString("Varnelo"));
    // The design size is the area under the menu bar.
    QCOMPARE(w.height() - w.menuBar()->sizeHint().height(), int(9720 / 1440.0 * w.logicalDpiY()));
    QVERIFY(w.findChild<QToolBar*>("tbrbarra"));
    auto* xtab = w.findChild<QTabWidget*>("xtab");
    QCOMPARE(xtab->count(), 5);
    QStringList abas;
    for (int i = 0; i < xtab->count(); ++i)
        abas << xtab->tabText(i);
    QCOMPARE(abas, QStringList({"Agenda de contatos", "Compromissos", "Senhas && Serias",
                                "Telefones Úteis", "Anotações"}));
    QCOMPARE(xtab->currentIndex(), 0);
    // Each list and progress bar sits on its own tab; column 0 "ID" is hidden.
    const char* nomes[][2] = {{"lstagenda", "barraagenda"},
                              {"lstcompromisso", "barracompromisso"},
                              {"lstsenhas", "barrasenhas"},
                              {"lstuteis", "barrauteis"},
                              {"lstanotacoes", "barraanotacoes"}};
    const int colunas[] = {13, 6, 4, 3, 2};
    for (int i = 0; i < 5; ++i) {
        QTreeView* v = w.lista(kTodas[i]);
        QCOMPARE(v->objectName(), QString(nomes[i][0]));
        QVERIFY(xtab->widget(i)->isAncestorOf(v));
        auto* barra = xtab->widget(i)->findChild<QProgressBar*>(nomes[i][1]);
        QVERIFY2(barra && barra->isHidden(), nomes[i][1]);
        QCOMPARE(v->model()->columnCount(), colunas[i]);
        QCOMPARE(v->model()->headerData(0, Qt::Horizontal).toString(), QString("ID"));
        for (int c = 0; c < colunas[i]; ++c)
            QCOMPARE(v->isColumnHidden(c), c == 0);
    }
    QCOMPARE(controles(w.findChild<QWidget*>("piccontato")),
             QStringList({"[ Filtrar dados por:]cbonome", "cbonome", "txtfiltro"}));
    QCOMPARE(
        controles(w.findChild<QWidget*>("piccompromisso")),
        QStringList({"[Mostrar compromissos entre a data de:]cbodata1", "cbodata1", "[e]cbodata2",
                     "cbodata2", "cmdfiltrar:Verificar", "cmdtudo:Mostrar tudo"}));
    QCOMPARE(controles(w.findChild<QWidget*>("picSenha")),
             QStringList({"[ Filtrar dados por:]txtsenha", "txtsenha"}));
    QVERIFY(xtab->widget(1)->isAncestorOf(w.findChild<QWidget*>("piccompromisso")));
    QVERIFY(xtab->widget(2)->isAncestorOf(w.findChild<QWidget*>("picSenha")));
    QCOMPARE(w.findChild<QLabel*>("lblstatus")->text(), QString("  Seja bem vindo ao software"));
    QVERIFY(w.statusBar()->isAncestorOf(w.findChild<QLabel*>("lblstatus")));
    QCOMPARE(w.findChild<CaixaEscolha*>("cbonome")->currentText(), QString("Nome do contato"));
    QVERIFY(w.findChild<CampoData*>("cbodata1")->vazio());
    QVERIFY(w.findChild<CampoData*>("cbodata2")->vazio());
    QTreeView* agenda = w.lista(Categoria::Agenda);
    QStringList cab;
    for (int i = 0; i < agenda->model()->columnCount(); ++i)
        cab << agenda->model()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(cab,
             QStringList({"ID", "Nome do contato", "DDD", "Telefone", "Celular", "MSN", "Skype",
                          "Estado", "Cidade", "Bairro", "Endereço", "E-mail", "Site"}));
    const double dpi = agenda->logicalDpiX();
    QCOMPARE(agenda->columnWidth(1), qRound(6244 / 2540.0 * dpi));
    QCOMPARE(w.lista(Categoria::Anotacoes)->columnWidth(1), qRound(19650 / 2540.0 * dpi));
    QCOMPARE(w.lista(Categoria::Compromisso)->model()->headerData(5, Qt::Horizontal).toString(),
             QString("Estatus"));
}

void TstFrmprincipal::todoCampoTemNomeAcessivel() {
    AmbienteTeste amb;
    frmprincipal w;
    QStringList semNome;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        const bool campo = qobject_cast<QAbstractItemView*>(c) || qobject_cast<QComboBox*>(c) ||
                           qobject_cast<QAbstractSpinBox*>(c) || qobject_cast<QLineEdit*>(c);
        // The editors inside combo boxes and date pickers are named by their owner.
        const bool interno = qobject_cast<QComboBox*>(c->parentWidget()) ||
                             qobject_cast<QAbstractSpinBox*>(c->parentWidget()) ||
                             c->objectName().isEmpty();
        if (campo && !interno && c->accessibleName().isEmpty())
            semNome << c->objectName();
    }
    QCOMPARE(semNome, QStringList());
    QCOMPARE(w.lista(Categoria::Senhas)->accessibleName(), QString("Senhas & Serias"));
    QCOMPARE(w.findChild<QWidget*>("cbonome")->accessibleName(), QString("Filtrar dados por"));
    QCOMPARE(w.findChild<QWidget*>("txtfiltro")->accessibleName(), QString("Nome do contato"));
    w.findChild<QComboBox*>("cbonome")->setCurrentIndex(2);
    QCOMPARE(w.findChild<QWidget*>("txtfiltro")->accessibleName(), QString("Telefone"));
}

void TstFrmprincipal::inicioPreencheAsCincoListas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    regras::fixarHoje(QDate(2026, 5, 10));
    amb.executar("INSERT INTO agenda (nome, tel) VALUES ('Zeca', '1 '), ('Ângela', '2 ')");
    amb.executar(
        "INSERT INTO compromisso (Data, hora, Titulo, local) VALUES "
        "('2026/05/20', '10:00', 'B', ' '), ('2026/05/20', '09:00', 'A', ' ')");
    amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Banco', '9 ')");
    amb.executar("INSERT INTO uteis VALUES ('Polícia', '190 ')");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    frmprincipal w;
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Ângela", "Zeca"}));
    QCOMPARE(coluna(w, Categoria::Compromisso, 3), QStringList({"A ", "B "}));
    QCOMPARE(coluna(w, Categoria::Compromisso, 5), QStringList({"10 dias", "10 dias"}));
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"Banco"}));
    QCOMPARE(coluna(w, Categoria::Uteis, 2), QStringList({"190 "}));
    QCOMPARE(coluna(w, Categoria::Anotacoes, 1), QStringList({"Lembrete"}));
    QVERIFY(dlg.chamadas.isEmpty());
    QVERIFY(!w.aguardaLogin());
    QCOMPARE(editors::principal(), static_cast<editors::Principal*>(&w));
}

void TstFrmprincipal::inicioSemArquivoAvisaACadaAbertura() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.soltar();
    banco::liberarConexoes();
    QVERIFY(QFile::remove(amb.arquivo()));
    // The login switch is read through the same opening as the loaders.
    banco::lerlogininicia(banco::arquivobanco, {}, banco::tipobanco);
    const qsizetype doInterruptor = dlg.mensagens().size();
    dlg.limpar();
    {
        frmprincipal w;
        const QList<DialogosRoteiro::Chamada> m = dlg.mensagens();
        QCOMPARE(m.size(), doInterruptor + 4);
        for (const DialogosRoteiro::Chamada& c : m) {
            QCOMPARE(c.icone, dialogs::Icone::Critico);
            QCOMPARE(c.titulo, QString("Erro"));
            QVERIFY(
                c.texto.startsWith("Ocorreu o seguinte erro ao tentar abrir o banco de dados: "));
        }
        for (Categoria c : kTodas)
            QCOMPARE(w.linhas(c), 0);
    }
    QVERIFY(!QFile::exists(amb.arquivo()));
}

void TstFrmprincipal::loginLigadoEntregaAJanela() {
    AmbienteTeste amb;
    amb.executar("UPDATE login SET login_inicia = '1'");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    {
        // No login window yet: the main window simply shows.
        frmprincipal w;
        QVERIFY(!w.aguardaLogin());
    }
    int pedidos = 0;
    frmprincipal::pedidoDeLogin() = [&pedidos](frmprincipal& j) {
        ++pedidos;
        j.hide();
    };
    frmprincipal w;
    QCOMPARE(pedidos, 1);
    QVERIFY(w.aguardaLogin());
    // The lists are filled while the login waits.
    QCOMPARE(w.linhas(Categoria::Anotacoes), 1);
    amb.executar("UPDATE login SET login_inicia = '0'");
    frmprincipal sem;
    QCOMPARE(pedidos, 1);

    // A file busy at start cannot tell whether a login is due: it is asked, never skipped,
    // though the other program is done by the time the lists load.
    amb.executar("UPDATE login SET login_inicia = '1'");
    amb.soltar();
    banco::liberarConexoes();
    const int espera = db::esperaOcupado();
    db::definirEsperaOcupado(100);
    auto outro = std::make_unique<db::Database>();
    outro->open(amb.arquivo(), QString::fromUtf8(banco::kSenhaBanco));
    outro->execScript("BEGIN EXCLUSIVE;");
    avisos::definir([&](const QString&, const QString&) { outro.reset(); });
    frmprincipal ocupado;
    avisos::definir({});
    db::definirEsperaOcupado(espera);
    QCOMPARE(pedidos, 2);
    QVERIFY(ocupado.aguardaLogin());
}

void TstFrmprincipal::listasDividemALarguraEmQualquerTamanho() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    w.resize(1000, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* xtab = w.findChild<QTabWidget*>("xtab");
    for (QSize tamanho : {QSize(1000, 700), QSize(1300, 900), QSize(800, 500)}) {
        w.resize(tamanho);
        QCoreApplication::processEvents();
        QList<QRect> r;
        for (int i = 0; i < 5; ++i) {
            xtab->setCurrentIndex(i);
            r << w.lista(kTodas[i])->geometry();
        }
        xtab->setCurrentIndex(0);
        QVERIFY(r[0].width() > xtab->width() - 40);
        for (const QRect& g : r)
            QCOMPARE(g.width(), r[0].width());
        // The two lists without a search panel stand higher and so are taller.
        QCOMPARE(r[1].height(), r[0].height());
        QCOMPARE(r[2].height(), r[0].height());
        QVERIFY(r[4].height() > r[0].height());
        QCOMPARE(r[3].height(), r[4].height());
        QVERIFY(r[4].y() < r[0].y());
    }
    w.resize(1, 1);
    QCoreApplication::processEvents();
    w.showMinimized();
    QCoreApplication::processEvents();
    w.AjustarTela();
    w.showNormal();
    QCoreApplication::processEvents();
    for (Categoria c : kTodas)
        QVERIFY(w.lista(c)->height() >= 0);
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstFrmprincipal::camposFicamAmarelosComOFoco() {
    AmbienteTeste amb;
    // A dark desktop scheme: leaving a field brings its colours back, not the style's.
    const QPalette antes = QApplication::palette();
    QPalette escuro = antes;
    escuro.setColor(QPalette::Base, QColor(30, 30, 30));
    escuro.setColor(QPalette::Button, QColor(40, 40, 40));
    escuro.setColor(QPalette::Text, Qt::white);
    escuro.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(escuro);
    frmprincipal w;
    const QColor amarelo(255, 255, 192);
    for (const char* nome : {"txtfiltro", "txtsenha", "cbonome"}) {
        auto* campo = w.findChild<QWidget*>(nome);
        const bool botao = qobject_cast<QComboBox*>(campo);
        const QPalette::ColorRole papel = botao ? QPalette::Button : QPalette::Base;
        const QPalette::ColorRole letra = botao ? QPalette::ButtonText : QPalette::Text;
        focar(campo, QEvent::FocusIn);
        QCOMPARE(fundo(campo, papel), amarelo);
        QCOMPARE(fundo(campo, letra), QColor(Qt::black));
        focar(campo, QEvent::FocusOut);
        QCOMPARE(fundo(campo, papel), escuro.color(papel));
        QCOMPARE(fundo(campo, letra), QColor(Qt::white));
    }
    QApplication::setPalette(antes);
}

void TstFrmprincipal::cbonomeSoEscolhe() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO agenda (nome, tel) VALUES ('Ana', '5555 '), ('Bia', '1234 ')");
    frmprincipal w;
    auto* cbonome = w.findChild<QComboBox*>("cbonome");
    QVERIFY(!cbonome->isEditable());
    QStringList entradas;
    for (int i = 0; i < cbonome->count(); ++i)
        entradas << cbonome->itemText(i);
    QCOMPARE(entradas,
             QStringList({"Nome do contato", "DDD", "Telefone", "Celular", "Fax", "MSN", "Skype",
                          "Estado", "Cidade", "Bairro", "Endereço", "Data de nascimento"}));
    QTest::keyClicks(cbonome, "Telefone");
    QCOMPARE(cbonome->currentText(), QString("Nome do contato"));
    QTest::keyClick(cbonome, Qt::Key_Space);
    QVERIFY(!cbonome->view()->isVisible());
    QTest::keyClick(cbonome, Qt::Key_Down);
    QTest::keyClick(cbonome, Qt::Key_Down);
    QCOMPARE(cbonome->currentText(), QString("Telefone"));
    // Picking a field does not search again; the next keystroke uses it.
    auto* txtfiltro = w.findChild<QLineEdit*>("txtfiltro");
    txtfiltro->setText("ana");
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList());
    cbonome->setCurrentIndex(0);
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList());
    QTest::keyClick(txtfiltro, Qt::Key_End);
    QTest::keyClick(txtfiltro, ' ');
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Ana"}));
}

void TstFrmprincipal::digitarFiltraContatosESenhas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, tel) VALUES ('Márcia', '1 '), ('Marcos', '2 '), "
        "('Paulo', '3 ')");
    amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('abc', '1 '), ('cab', '2 ')");
    frmprincipal w;
    auto* txtfiltro = w.findChild<QLineEdit*>("txtfiltro");
    QTest::keyClicks(txtfiltro, "marc");
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Márcia", "Marcos"}));
    QCOMPARE(coluna(w, Categoria::Agenda, 0), QStringList({"1", "2"}));
    QTest::keyClick(txtfiltro, 'i');
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Márcia"}));
    // A list reloaded by another flow shows every row; the search text stays.
    w.recarregar(Categoria::Agenda);
    QCOMPARE(w.linhas(Categoria::Agenda), 3);
    QCOMPARE(txtfiltro->text(), QString("marci"));
    txtfiltro->setText("   ");
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Márcia", "Marcos", "Paulo"}));
    auto* txtsenha = w.findChild<QLineEdit*>("txtsenha");
    QTest::keyClicks(txtsenha, "ab");
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"abc"}));
    // The password reload keeps its search.
    w.recarregar(Categoria::Senhas);
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"abc"}));
    txtsenha->clear();
    QCOMPARE(w.linhas(Categoria::Senhas), 2);
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstFrmprincipal::intervaloDeDatasPedeAsDuas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    for (const char* d : {"2026/01/10", "2026/01/20", "2026/02/05"})
        amb.executar("INSERT INTO compromisso (Data, hora, Titulo) VALUES (?, '1', 't')",
                     {QString(d)});
    frmprincipal w;
    auto* de = w.findChild<CampoData*>("cbodata1");
    auto* ate = w.findChild<CampoData*>("cbodata2");
    auto* filtrar = w.findChild<QPushButton*>("cmdfiltrar");
    de->definirData(QDate(2026, 1, 15));
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Exclamacao);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Filtrar"));
    QCOMPARE(dlg.ultimaMensagem().texto, QString("As datas devem ser preenchidas!"));
    QCOMPARE(w.linhas(Categoria::Compromisso), 3);
    ate->definirData(QDate(2026, 2, 28));
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(coluna(w, Categoria::Compromisso, 1), QStringList({"20/01/2026 ", "05/02/2026 "}));
    // Reversed, the range still lists what lies between; one day lists that day.
    de->definirData(QDate(2026, 1, 31));
    ate->definirData(QDate(2026, 1, 1));
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(coluna(w, Categoria::Compromisso, 1), QStringList({"10/01/2026 ", "20/01/2026 "}));
    de->definirData(QDate(2026, 2, 5));
    ate->definirData(QDate(2026, 2, 5));
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(coluna(w, Categoria::Compromisso, 1), QStringList({"05/02/2026 "}));
    QTest::mouseClick(w.findChild<QPushButton*>("cmdtudo"), Qt::LeftButton);
    QCOMPARE(w.linhas(Categoria::Compromisso), 3);
    QCOMPARE(dlg.mensagens().size(), 1);
}

void TstFrmprincipal::botoesDoMouseNasListas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    FluxosGravados gravados;
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Nota')");
    frmprincipal w;
    w.resize(900, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const char* menus[] = {"mnuvarnelo", "mnucompromisso", "mnusenhas", "mnuuteis", "mnuanotacoes"};
    auto* xtab = w.findChild<QTabWidget*>("xtab");
    for (int i = 0; i < 5; ++i) {
        xtab->setCurrentIndex(i);
        QWidget* area = w.lista(kTodas[i])->viewport();
        auto* menu = w.findChild<QMenu*>(menus[i]);
        QVERIFY(menu);
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(20, 5));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(20, 5));
        QTest::mousePress(area, Qt::MiddleButton, {}, QPoint(20, 5));
        QTest::mouseRelease(area, Qt::MiddleButton, {}, QPoint(20, 5));
        QVERIFY(!menu->isVisible());
        QTest::mousePress(area, Qt::RightButton, {}, QPoint(20, 5));
        // The very submenu of "Menu Principal", so its entries act as they do there.
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(w.findChild<QMenu*>("mnu1")->actions().contains(menu->menuAction()));
        QVERIFY((menu->pos() - area->mapToGlobal(QPoint(20, 5))).manhattanLength() < 2);
        menu->close();
        QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 5));
    }
    QCOMPARE(FluxosGravados::chamados(),
             QStringList({"editar lstagenda", "editar lstcompromisso", "editar lstsenhas",
                          "editar lstuteis", "editar lstanotacoes"}));
    // The note's right button selected its row, as the flows read it.
    QCOMPARE(w.celulaSelecionada(Categoria::Anotacoes, 1), std::optional<QString>("Nota"));

    // From the keyboard: the menu key opens the same menu, Enter edits.
    FluxosGravados::chamados().clear();
    QTreeView* notas = w.lista(Categoria::Anotacoes);
    notas->setFocus();
    notas->setCurrentIndex(notas->model()->index(0, 1));
    QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(), notas->mapToGlobal(QPoint()));
    QCoreApplication::sendEvent(notas, &tecla);
    auto* menu = w.findChild<QMenu*>("mnuanotacoes");
    QVERIFY(menu->isVisible());
    menu->close();
    QTest::keyClick(notas, Qt::Key_Return);
    QCOMPARE(FluxosGravados::chamados(), QStringList{"editar lstanotacoes"});
}

void TstFrmprincipal::fluxosLeemALinhaSelecionada() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO compromisso (Data, hora, Titulo) VALUES ('2026/01/10', '9', 'x')");
    frmprincipal w;
    QTreeView* v = w.lista(Categoria::Compromisso);
    QCOMPARE(w.linhas(Categoria::Compromisso), 1);
    QCOMPARE(w.celulaSelecionada(Categoria::Compromisso, 0), std::nullopt);
    v->setCurrentIndex(v->model()->index(0, 2));
    QCOMPARE(w.celulaSelecionada(Categoria::Compromisso, 0), std::optional<QString>("1"));
    QCOMPARE(w.celulaSelecionada(Categoria::Compromisso, 3), std::optional<QString>("x "));
    // A reload empties the selection with the old rows.
    amb.executar("DELETE FROM compromisso");
    banco::abrirPadrao();
    w.recarregar(Categoria::Compromisso);
    QCOMPARE(w.linhas(Categoria::Compromisso), 0);
    QCOMPARE(w.celulaSelecionada(Categoria::Compromisso, 0), std::nullopt);
}

void TstFrmprincipal::mesmoNomeEditadoERemovidoUmAUm() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, tel) VALUES ('Maria', '1 '), ('Maria', '2 '), "
        "('Ana', '3 ')");
    frmprincipal w;
    QTreeView* v = w.lista(Categoria::Agenda);
    // Each row carries its record, apart from the row number it shows.
    const Celulas& c = w.celulas(Categoria::Agenda);
    QCOMPARE(c.linha(1).mid(0, 4), QStringList({"2", "Maria", "", "1 "}));
    QCOMPARE(QList<qint64>({c.registro(0), c.registro(1), c.registro(2)}),
             QList<qint64>({3, 1, 2}));
    QCOMPARE(w.modelo(Categoria::Agenda)->columnCount(), 13);

    v->setCurrentIndex(v->model()->index(2, 1));
    comandos::executar(*comandos::comando("mnueditartel"));
    auto* form = janelas::seCarregada<editors::frmcadagenda>();
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->findChild<QLineEdit*>("txttel")->text(), QString("2 "));
    form->findChild<QLineEdit*>("txttel")->setText("22");
    form->findChild<QToolButton*>("ok")->click();
    QCOMPARE(amb.linhas("SELECT nome, tel FROM agenda ORDER BY rowid"),
             QStringList({"Maria|1 ", "Maria|22 ", "Ana|3 "}));

    // The row asked about is the one removed, alone.
    v->setCurrentIndex(v->model()->index(1, 1));
    QCOMPARE(w.celulaSelecionada(Categoria::Agenda, 3), std::optional<QString>("1 "));
    dlg.respostas << dialogs::Resposta::Sim;
    comandos::executar(*comandos::comando("mnuremovertel"));
    QCOMPARE(dlg.ultimaMensagem().texto,
             QString("Contato removido com sucesso do banco de dados!"));
    QCOMPARE(amb.linhas("SELECT nome, tel FROM agenda ORDER BY rowid"),
             QStringList({"Maria|22 ", "Ana|3 "}));
    QCOMPARE(coluna(w, Categoria::Agenda, 3), QStringList({"3 ", "22 "}));

    // Removed meanwhile by another program: nothing said to be removed, the list read again.
    v->setCurrentIndex(v->model()->index(1, 1));
    amb.executar("DELETE FROM agenda WHERE nome = 'Maria'");
    dlg.respostas << dialogs::Resposta::Sim;
    comandos::executar(*comandos::comando("mnuremovertel"));
    QCOMPARE(dlg.ultimaMensagem().texto,
             QString("Ocorreu o seguinte erro: O registro não foi encontrado no banco de dados."));
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Ana"}));
    janelas::fecharTodas(&w);
}

void TstFrmprincipal::listaEsvaziadaAntesDoAviso() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('Lembrete')");
    frmprincipal w;
    QCOMPARE(w.linhas(Categoria::Anotacoes), 1);
    configuracoes::gravar("RedeLocal", amb.pasta() + "/sumiu/dados.mde");
    QList<int> linhasNoAviso;
    avisos::definir(
        [&](const QString&, const QString&) { linhasNoAviso << w.linhas(Categoria::Anotacoes); });
    w.carregaranotacoes();
    // The old rows are not shown under a message that says the file could not be read.
    QCOMPARE(linhasNoAviso, QList<int>{0});
    // The local file is read again at once.
    QCOMPARE(w.linhas(Categoria::Anotacoes), 0);
    w.carregaranotacoes();
    QCOMPARE(w.linhas(Categoria::Anotacoes), 1);
}

void TstFrmprincipal::fecharEncerraTudo() {
    AmbienteTeste amb;
    auto* w = new frmprincipal;
    w->show();
    QPointer<QWidget> outra = new QWidget;
    outra->setWindowTitle("Editor");
    outra->show();
    QVERIFY(w->close());
    QVERIFY(!outra || !outra->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!outra);
    delete w;
    QCOMPARE(editors::principal(), nullptr);
}

QTEST_MAIN(TstFrmprincipal)
#include "tst_frmprincipal.moc"
