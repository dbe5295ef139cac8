#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <QFileInfo>
#include <QPointer>
#include "ambiente_teste.h"
#include "apoio.h"
#include "apoio_testes.h"
#include "data/avisos.h"
#include "data/banco.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"
#include "editors/fluxos.h"
#include "editors/formulariosimples.h"
#include "editors/frmcadagenda.h"
#include "ui/campodata.h"
#include "ui/janelas.h"

namespace {

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

}  // namespace

class TstFrmprincipal : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { frmprincipal::pedidoDeLogin() = nullptr; }
    void janelaListasENomesComoProjetados();
    void inicioComArquivoOcupadoOuAusente();
    void listasDividemALarguraEmQualquerTamanho();
    void camposFicamAmarelosComOFoco();
    void buscaDeContatosESenhasAoDigitar();
    void intervaloDeDatasPedeAsDuas();
    void botoesDoMouseNasListas();
    void mesmoNomeEditadoERemovidoUmAUm();
    void fecharEncerraTudo();
    void arquivoDanificadoNuncaPareceVazio();
};

void TstFrmprincipal::janelaListasENomesComoProjetados() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    QCOMPARE(w.windowTitle(), QString("Varnelo"));
    // The design size is the area under the menu bar.
    QCOMPARE(w.height() - w.menuBar()->sizeHint().height(), int(9720 / 1440.0 * w.logicalDpiY()));
    auto* xtab = w.findChild<QTabWidget*>("xtab");
    QCOMPARE(xtab->count(), 5);
    QCOMPARE(xtab->currentIndex(), 0);
    // Each tab, by its caption, shows the rows of its own table, with the hidden number in
    // column 0 and every other column on show; its export bar waits hidden under the list.
    amb.executar("INSERT INTO agenda (nome) VALUES ('um contato')");
    amb.executar("INSERT INTO compromisso (Data, Titulo) VALUES ('2030/01/02', 'um compromisso')");
    amb.executar("INSERT INTO senhas (descricao) VALUES ('uma senha')");
    amb.executar("INSERT INTO uteis (descricao) VALUES ('um telefone')");
    amb.executar("INSERT INTO anotacoes (Titulo) VALUES ('uma anotação')");
    w.recarregarTodas();
    const std::pair<const char*, const char*> abas[] = {{"Agenda de contatos", "um contato"},
                                                        {"Compromissos", "um compromisso "},
                                                        {"Senhas && Serias", "uma senha"},
                                                        {"Telefones Úteis", "um telefone"},
                                                        {"Anotações", "uma anotação"}};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(xtab->tabText(i), QString::fromUtf8(abas[i].first));
        auto* v = xtab->widget(i)->findChild<QTreeView*>();
        QStringList mostrado;
        for (int c = 0; c < v->model()->columnCount(); ++c) {
            QCOMPARE(v->isColumnHidden(c), c == 0);
            mostrado << v->model()->index(0, c).data().toString();
        }
        QVERIFY2(mostrado.contains(QString::fromUtf8(abas[i].second)),
                 qPrintable(mostrado.join("|")));
        const auto barras = xtab->widget(i)->findChildren<QProgressBar*>();
        QVERIFY(barras.size() == 1 && barras.first()->isHidden());
    }
    QCOMPARE(w.lista(Categoria::Compromisso)->model()->headerData(5, Qt::Horizontal).toString(),
             QString("Estatus"));
    QCOMPARE(controles(w.findChild<QWidget*>("piccontato")),
             QStringList({"[ Filtrar dados por:]cbonome", "cbonome", "txtfiltro"}));
    QCOMPARE(
        controles(w.findChild<QWidget*>("piccompromisso")),
        QStringList({"[Mostrar compromissos entre a data de:]cbodata1", "cbodata1", "[e]cbodata2",
                     "cbodata2", "cmdfiltrar:Verificar", "cmdtudo:Mostrar tudo"}));
    QCOMPARE(controles(w.findChild<QWidget*>("picSenha")),
             QStringList({"[ Filtrar dados por:]txtsenha", "txtsenha"}));
    QCOMPARE(w.findChild<QLabel*>("lblstatus")->text(), QString("  Seja bem vindo ao software"));
    QVERIFY(w.statusBar()->isAncestorOf(w.findChild<QLabel*>("lblstatus")));
    QVERIFY(w.findChild<CampoData*>("cbodata1")->vazio());
    QVERIFY(w.findChild<CampoData*>("cbodata2")->vazio());
    QVERIFY(dlg.chamadas.isEmpty());

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

void TstFrmprincipal::inicioComArquivoOcupadoOuAusente() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    int pedidos = 0;
    frmprincipal::pedidoDeLogin() = [&pedidos](frmprincipal& j) {
        ++pedidos;
        j.hide();
    };
    {
        frmprincipal desligado;
        QCOMPARE(pedidos, 0);
        QVERIFY(!desligado.aguardaLogin());
    }
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
    {
        frmprincipal ocupado;
        QCOMPARE(pedidos, 1);
        QVERIFY(ocupado.aguardaLogin());
    }
    dialogs::encaminharAvisos();
    db::definirEsperaOcupado(espera);

    // No file at all: each loader's opening says so, and none creates the file.
    banco::liberarConexoes();
    QVERIFY(QFile::remove(amb.arquivo()));
    // The login switch is read through the same opening as the loaders.
    banco::lerlogininicia(banco::arquivobanco, {}, banco::tipobanco);
    const qsizetype doInterruptor = dlg.mensagens().size();
    dlg.limpar();
    {
        frmprincipal w;
        QCOMPARE(dlg.mensagens().size(), doInterruptor + 4);
        for (const DialogosRoteiro::Chamada& c : dlg.mensagens())
            QVERIFY(c.texto.startsWith("Ocorreu o seguinte erro ao tentar abrir o banco de dados"));
        for (Categoria c : kTodas)
            QCOMPARE(w.linhas(c), 0);
    }
    QVERIFY(!QFile::exists(amb.arquivo()));
}

void TstFrmprincipal::listasDividemALarguraEmQualquerTamanho() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
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
    // Too small, or minimized, is no fault.
    w.resize(1, 1);
    QCoreApplication::processEvents();
    w.showMinimized();
    QCoreApplication::processEvents();
    w.AjustarTela();
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
    for (const char* nome : {"txtfiltro", "txtsenha", "cbonome"}) {
        auto* campo = w.findChild<QWidget*>(nome);
        // A combo box that only picks is painted as a button.
        const bool botao = qobject_cast<QComboBox*>(campo);
        const auto fundo = botao ? QPalette::Button : QPalette::Base;
        const auto letra = botao ? QPalette::ButtonText : QPalette::Text;
        QList<QColor> cores;
        for (QEvent::Type tipo : {QEvent::FocusIn, QEvent::FocusOut}) {
            QFocusEvent ev(tipo, Qt::TabFocusReason);
            QApplication::sendEvent(campo, &ev);
            cores << campo->palette().color(fundo) << campo->palette().color(letra);
        }
        QCOMPARE(cores, QList<QColor>({QColor(255, 255, 192), QColor(Qt::black),
                                       escuro.color(fundo), QColor(Qt::white)}));
    }
    QApplication::setPalette(antes);
}

void TstFrmprincipal::buscaDeContatosESenhasAoDigitar() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QVariantList contatos[] = {{"Márcia", "3355-1000 ", QVariant()},
                                     {"Marcos", "1000-5500 ", QVariant()},
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
    frmprincipal w;
    auto* cbonome = w.findChild<QComboBox*>("cbonome");
    QVERIFY(!cbonome->isEditable());
    QStringList entradas;
    for (int i = 0; i < cbonome->count(); ++i)
        entradas << cbonome->itemText(i);
    QCOMPARE(entradas,
             QStringList({"Nome do contato", "DDD", "Telefone", "Celular", "Fax", "MSN", "Skype",
                          "Estado", "Cidade", "Bairro", "Endereço", "Data de nascimento"}));
    // Typed letters do not pick an entry; the arrow keys do.
    QTest::keyClicks(cbonome, "Telefone ");
    QCOMPARE(cbonome->currentText(), QString("Nome do contato"));
    QTest::keyClick(cbonome, Qt::Key_Down);
    QTest::keyClick(cbonome, Qt::Key_Down);
    QCOMPARE(cbonome->currentText(), QString("Telefone"));
    // Picking a field does not search again; the next keystroke uses it.
    auto* txtfiltro = w.findChild<QLineEdit*>("txtfiltro");
    txtfiltro->setText("mar");
    QCOMPARE(w.linhas(Categoria::Agenda), 0);
    cbonome->setCurrentIndex(0);
    QCOMPARE(w.linhas(Categoria::Agenda), 0);
    QTest::keyClick(txtfiltro, Qt::Key_End);
    QTest::keyClick(txtfiltro, 'c');
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Márcia", "Marcos"}));
    QCOMPARE(coluna(w, Categoria::Agenda, 0), QStringList({"1", "2"}));
    QTest::keyClick(txtfiltro, 'i');
    QCOMPARE(coluna(w, Categoria::Agenda, 1), QStringList({"Márcia"}));
    // A list reloaded by another flow shows every row; the search text stays.
    w.recarregar(Categoria::Agenda);
    QCOMPARE(w.linhas(Categoria::Agenda), 8);
    QCOMPARE(txtfiltro->text(), QString("marci"));

    const std::tuple<const char*, const char*, QStringList> casos[] = {
        {"Telefone", " 55 ", {"Márcia", "Marcos"}},
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
    for (const auto& [campo, texto, achados] : casos) {
        txtfiltro->clear();
        cbonome->setCurrentText(campo);
        txtfiltro->setText(texto);
        QCOMPARE(coluna(w, Categoria::Agenda, 1), achados);
    }
    // A blank search shows every row, none of them lost.
    txtfiltro->setText("   ");
    QCOMPARE(w.linhas(Categoria::Agenda), 8);

    // Passwords: the descriptions that start with the text as typed.
    auto* txtsenha = w.findChild<QLineEdit*>("txtsenha");
    QTest::keyClicks(txtsenha, "ab");
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"ab x", "Ábaco", "abc"}));
    // The password reload keeps its search.
    w.recarregar(Categoria::Senhas);
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"ab x", "Ábaco", "abc"}));
    txtsenha->setText("ab ");
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({"ab x"}));
    txtsenha->setText(" ab");
    QCOMPARE(coluna(w, Categoria::Senhas, 1), QStringList({" ab"}));
    txtsenha->setText("   ");
    QCOMPARE(w.linhas(Categoria::Senhas), 5);
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstFrmprincipal::intervaloDeDatasPedeAsDuas() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    for (auto [data, hora] : {std::pair{"2026/02/05", "09:00"},
                              {"2026/01/20", "10:00"},
                              {"2026/01/10", "09:00"},
                              {"2026/01/20", "08:00"}})
        amb.executar("INSERT INTO compromisso (Data, hora, Titulo) VALUES (?, ?, 't')",
                     {QString(data), QString(hora)});
    frmprincipal w;
    // Stored out of order, listed by date and hour.
    QCOMPARE(coluna(w, Categoria::Compromisso, 2),
             QStringList({"09:00 ", "08:00 ", "10:00 ", "09:00 "}));
    auto* de = w.findChild<CampoData*>("cbodata1");
    auto* ate = w.findChild<CampoData*>("cbodata2");
    auto* filtrar = w.findChild<QPushButton*>("cmdfiltrar");
    de->definirData(QDate(2026, 1, 15));
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Exclamacao);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Filtrar"));
    QCOMPARE(dlg.ultimaMensagem().texto, QString("As datas devem ser preenchidas!"));
    QCOMPARE(w.linhas(Categoria::Compromisso), 4);
    // A typed date it cannot read is refused on its field, before anything is listed.
    ate->setFocus();
    QTest::keyClicks(ate, "31/02/2026");
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(dlg.mensagens().size(), 2);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Filtrar"));
    QCOMPARE(dlg.ultimaMensagem().texto, QString("A data digitada não é válida: use dd/mm/aaaa."));
    QCOMPARE(ate->selectedText(), QString("31/02/2026"));
    QCOMPARE(w.linhas(Categoria::Compromisso), 4);
    QTest::keyClicks(ate, "28022026");
    QTest::mouseClick(filtrar, Qt::LeftButton);
    QCOMPARE(coluna(w, Categoria::Compromisso, 1),
             QStringList({"20/01/2026 ", "20/01/2026 ", "05/02/2026 "}));
    // Reversed, the range still lists what lies between; one day lists that day.
    const std::tuple<QDate, QDate, QStringList> casos[] = {
        {QDate(2026, 1, 15), QDate(2026, 2, 28), {"20/01/2026 ", "20/01/2026 ", "05/02/2026 "}},
        {QDate(2026, 1, 31), QDate(2026, 1, 1), {"10/01/2026 ", "20/01/2026 ", "20/01/2026 "}},
        {QDate(2026, 2, 5), QDate(2026, 2, 5), {"05/02/2026 "}}};
    for (const auto& [inicio, fim, datas] : casos) {
        de->definirData(inicio);
        ate->definirData(fim);
        QTest::mouseClick(filtrar, Qt::LeftButton);
        QCOMPARE(coluna(w, Categoria::Compromisso, 1), datas);
    }
    QTest::mouseClick(w.findChild<QPushButton*>("cmdtudo"), Qt::LeftButton);
    QCOMPARE(w.linhas(Categoria::Compromisso), 4);
    QCOMPARE(dlg.mensagens().size(), 2);
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
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 5));
        QTest::mouseClick(area, Qt::MiddleButton, {}, QPoint(20, 5));
        QVERIFY(!menu->isVisible());
        QTest::mousePress(area, Qt::RightButton, {}, QPoint(20, 5));
        // The very submenu of "Menu Principal", so its entries act as they do there.
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(w.findChild<QMenu*>("mnu1")->actions().contains(menu->menuAction()));
        QVERIFY((menu->pos() - area->mapToGlobal(QPoint(20, 5))).manhattanLength() < 2);
        menu->close();
        QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 5));
    }
    // The note's right button selected its row, as the flows read it.
    QCOMPARE(w.celulaSelecionada(Categoria::Anotacoes, 1), std::optional<QString>("Nota"));

    // A reload leaves nothing chosen; the list taking the focus frames its first row, which
    // the menu's commands do not take for a choice.
    QTreeView* notas = w.lista(Categoria::Anotacoes);
    w.carregaranotacoes();
    notas->setFocus();
    notas->selectionModel()->setCurrentIndex(notas->model()->index(0, 1),
                                             QItemSelectionModel::NoUpdate);
    QCOMPARE(w.celulaSelecionada(Categoria::Anotacoes, 1), std::nullopt);
    // From the keyboard: the menu key opens the same menu, Enter edits; both choose the
    // row under the frame.
    QContextMenuEvent tecla(QContextMenuEvent::Keyboard, QPoint(), notas->mapToGlobal(QPoint()));
    QCoreApplication::sendEvent(notas, &tecla);
    auto* menu = w.findChild<QMenu*>("mnuanotacoes");
    QVERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(w.celulaSelecionada(Categoria::Anotacoes, 1), std::optional<QString>("Nota"));
    QTest::keyClick(notas, Qt::Key_Return);
    QCOMPARE(FluxosGravados::chamados(),
             QStringList({"editar lstagenda", "editar lstcompromisso", "editar lstsenhas",
                          "editar lstuteis", "editar lstanotacoes", "editar lstanotacoes"}));
}

void TstFrmprincipal::mesmoNomeEditadoERemovidoUmAUm() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, tel) VALUES ('Maria', '1 '), ('Maria', '2 '), "
        "('Ana', '3 ')");
    frmprincipal w;
    QTreeView* v = w.lista(Categoria::Agenda);
    QCOMPARE(w.celulaSelecionada(Categoria::Agenda, 0), std::nullopt);
    v->setCurrentIndex(v->model()->index(2, 1));
    comandos::executar(*comandos::comando("mnueditartel"));
    auto* form = janelas::seCarregada<editors::frmcadagenda>();
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->findChild<QLineEdit*>("txttel")->text(), QString("2 "));
    form->findChild<QLineEdit*>("txttel")->setText("22");
    form->findChild<QToolButton*>("ok")->click();
    QCOMPARE(amb.linhas("SELECT nome, tel FROM agenda ORDER BY rowid"),
             QStringList({"Maria|1 ", "Maria|22 ", "Ana|3 "}));
    // The reload after saving empties the selection with the old rows.
    QCOMPARE(w.celulaSelecionada(Categoria::Agenda, 0), std::nullopt);

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
    QCOMPARE(w.celulaSelecionada(Categoria::Agenda, 0), std::nullopt);
    janelas::fecharTodas(&w);
}

void TstFrmprincipal::fecharEncerraTudo() {
    AmbienteTeste amb;
    auto* w = new frmprincipal;
    w->show();
    QPointer<QWidget> outra = new QWidget;
    outra->show();
    // A form with unsaved input asks first; keeping it keeps the program open.
    DialogosRoteiro dlg;
    editors::adicionar(Categoria::Uteis);
    auto* form = qobject_cast<janelas::JanelaAuxiliar*>(
        QApplication::activeModalWidget() ? nullptr : janelas::seCarregada<editors::frmcadutil>());
    QVERIFY(form);
    form->findChild<QLineEdit*>("txtdescricao")->setText("Pizzaria");
    QVERIFY(!w->close());
    QVERIFY(w->isVisible() && form->isVisible() && outra->isVisible());
    QCOMPARE(dlg.ultimaMensagem().texto,
             QString("Descartar as alterações feitas em \"Adicionar telefone útil\"?"));
    dlg.respostas << dialogs::Resposta::Sim;
    QVERIFY(w->close());
    QVERIFY(!outra || !outra->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!outra);
    QVERIFY(!janelas::seCarregada<editors::frmcadutil>());
    delete w;
    QCOMPARE(ui::principal(), nullptr);
}

void TstFrmprincipal::arquivoDanificadoNuncaPareceVazio() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO uteis VALUES ('Polícia', '190 ')");
    amb.contatosNumerados(2000, true);
    amb.danificarMeio();

    frmprincipal w;
    // One message for the start, with the reason; the rows the file still holds, in order.
    QCOMPARE(chamadas(dlg),
             QStringList{"critico|Erro|Ocorreu o seguinte erro ao ler os dados: o arquivo de dados "
                         "está danificado. As listas mostram apenas os registros que puderam ser "
                         "lidos."});
    const QStringList nomes = coluna(w, Categoria::Agenda, 1);
    QVERIFY2(nomes.size() > 1900 && nomes.size() < 2000, qPrintable(QString::number(nomes.size())));
    QCOMPARE(nomes.first(), QString("Contato 0001"));
    QCOMPARE(nomes.last(), QString("Contato 2000"));
    QStringList ordenados = nomes;
    ordenados.sort();
    QCOMPARE(nomes, ordenados);
    QCOMPARE(coluna(w, Categoria::Agenda, 0).last(), QString::number(nomes.size()));
    QCOMPARE(w.linhas(Categoria::Uteis), 1);
    // The directory reads the file itself: it says why, never "nothing to print".
    dlg.limpar();
    w.findChild<QAction*>("mnuimprimirtel")->trigger();
    QCOMPARE(
        chamadas(dlg),
        QStringList{"critico|Erro|Ocorreu o seguinte erro: o arquivo de dados está danificado"});
    // A backup of it is made, and never called a good one.
    dlg.limpar();
    const QString copia = amb.pasta() + "/copia.mde";
    dlg.arquivos << copia;
    w.findChild<QAction*>("mnufazerback")->trigger();
    QCOMPARE(chamadas(dlg).mid(1),
             QStringList{"critico|Backup|A cópia foi gravada, mas o arquivo de dados está "
                         "danificado: a cópia contém os mesmos danos e não serve como um backup "
                         "bom. Guarde também um backup anterior."});
    QCOMPARE(QFileInfo(copia).size(), QFileInfo(amb.arquivo()).size());
}

QTEST_MAIN(TstFrmprincipal)
#include "tst_frmprincipal.moc"
