#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <optional>

#include "ambiente_teste.h"
#include "apoio.h"
#include "editors/autocompletar.h"
#include "editors/frmcadagenda.h"

using dialogs::Resposta;

namespace {

// An open editor, deleted at the end of the test unless it closed itself.
struct Editor {
    QPointer<editors::frmcadagenda> f = new editors::frmcadagenda;
    Editor() { f->show(); }
    ~Editor() { delete f.data(); }
    template <class T = QWidget>
    T* w(const QString& nome) const {
        return f->findChild<T*>(nome);
    }
    // Typed by the user (add) or filled as the edit flow does (edit).
    void por(const QString& nome, const QString& texto) const { f->preencherCampo(nome, texto); }
    // As the edit flow leaves it: the record's rowid and key.
    void editando(const QString& chave, qint64 registro) const {
        f->definirLegendaAcao("Editar contato");
        f->definirAlvo({registro, chave.toUtf8()});
    }
    void ok() const { clicar(f, "ok"); }
    bool fechou() const {
        descartarFechadas();
        return f.isNull();
    }
};

void guardar(AmbienteTeste& amb, const QString& nome, const QString& tel,
             const QString& local = "nenhum") {
    amb.executar("INSERT INTO agenda (nome, tel, local) VALUES (?, ?, ?)", {nome, tel, local});
}

QString imagem(const QString& caminho) {
    QImage img(60, 30, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    img.save(caminho);
    return caminho;
}

}  // namespace

class TstCadAgenda : public QObject {
    Q_OBJECT
    std::optional<AmbienteTeste> amb;
    std::optional<DialogosRoteiro> dlg;
    std::optional<PrincipalFalsa> principal;
private slots:
    void init() {
        amb.emplace();
        dlg.emplace();
        principal.emplace();
    }
    void cleanup() {
        principal.reset();
        dlg.reset();
        amb.reset();
    }
    void janelaCamposOrdemEFoco();
    void completarComoAsBuscas();
    void adicionarGravaAs23Colunas();
    void nomeVazioEChaveMudada();
    void duplicidadeDoTelefone();
    void fotoEscolhidaEMantida();
};

void TstCadAgenda::janelaCamposOrdemEFoco() {
    Editor e;
    QCOMPARE(e.f->windowTitle(), QString("Agenda de contatos"));
    QCOMPARE(e.w<QTabWidget>("xtab")->tabText(1), QString("> DADOS ADICIONAIS"));
    QCOMPARE(e.f->legendaAcao(), QString("Adicionar Contato"));
    QCOMPARE(e.w<QLabel>("lbllocal")->text(), QString("nenhum"));
    QVERIFY(!e.f->rotuloChave()->isVisible());
    QCOMPARE(e.w<QLineEdit>("txtddd")->maxLength(), 5);
    // Keyboard order, each field named by its caption; the picture ends the first page.
    const QStringList campos =
        QString(
            "txtnome|NOME DO CONTATO|cbonascimento|NASCIMENTO|txtddd|DDD|txttel|TELEFONE|txtcel|"
            "CELULAR|txtnextel|RADIO/NEXTEL|txtfax|FAX|txtmsn|MSN|txtskype|SKYPE|cboestado|ESTADO|"
            "cbocidade|CIDADE|cbobairro|BAIRRO|cbocep|CEP|txtendereco|ENDEREÇO|txtEmail|E-MAIL|"
            "txtsite|WEBSITE|imgfoto|Foto do contato|txtempresa|EMPRESA|txttelemp|TELEFONE DE "
            "CONTATO|txtfaxemp|FAX|txtemailemp|E-MAIL DE CONTATO|txtsiteemp|SITE DA "
            "EMPRESA|txtinfo|"
            "INFORMAÇÕES ADICIONAIS")
            .split('|');
    QStringList nomes, ordem;
    for (int i = 0; i < campos.size(); i += 2) {
        QWidget* w = e.w(campos.at(i));
        QCOMPARE(w->accessibleName(), campos.at(i + 1));
        // The first page is laid out around its fields: none is squeezed.
        if (i < 34)
            QVERIFY(w->width() >= w->minimumSizeHint().width());
        nomes << campos.at(i);
    }
    for (QWidget* w = e.w("txtnome"); ordem.size() < nomes.size(); w = w->nextInFocusChain())
        if (nomes.contains(w->objectName()) && !ordem.contains(w->objectName()))
            ordem << w->objectName();
    QCOMPARE(ordem, nomes);
    for (const char* nome : {"txtnome", "cbonascimento", "txtendereco", "txtinfo"}) {
        QFocusEvent entra(QEvent::FocusIn), sai(QEvent::FocusOut);
        QCoreApplication::sendEvent(e.w(nome), &entra);
        QCOMPARE(e.w(nome)->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
        QCoreApplication::sendEvent(e.w(nome), &sai);
        QVERIFY(e.w(nome)->palette().color(QPalette::Base) != QColor(0xFF, 0xFF, 0xC0));
    }
    // Enter on the picture asks for a file, as a click does.
    QTest::keyClick(e.w("imgfoto"), Qt::Key_Return);
    QCOMPARE(dlg->chamadas.value(0).tipo, QString("abrir"));
}

void TstCadAgenda::completarComoAsBuscas() {
    using editors::procurarEntrada;
    const QStringList cidades = {"Santos ", "São Paulo ", "santa Rita "};
    QCOMPARE(procurarEntrada(cidades, "SANT"), 0);
    QCOMPARE(procurarEntrada(cidades, "sao"), 1);
    QCOMPARE(procurarEntrada(cidades, "santa"), 2);
    QCOMPARE(procurarEntrada(cidades, "Santos  "), -1);
    QCOMPARE(procurarEntrada({"Santo ", "Sa_to "}, "sa_"), 1);  // "_" is a letter here
    for (int tecla : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Shift, Qt::Key_Left, Qt::Key_Insert})
        QVERIFY(!editors::teclaCompleta(tecla));

    for (const QString& c : cidades + QStringList{"Santos ", " "})
        amb->executar("INSERT INTO agenda (nome, cidade, endereco) VALUES ('x', ?, ?)",
                      {c, "Rua " + c});
    Editor e;
    auto* cidade = e.w<QComboBox>("cbocidade");
    QCOMPARE(cidade->count(), 4);  // distinct, the empty field as one blank
    QCOMPARE(cidade->itemText(3), QString(" "));
    QCOMPARE(e.w<QComboBox>("txtendereco")->itemText(1), QString("Rua São Paulo "));
    QVERIFY(cidade->currentText().isEmpty() && !cidade->completer());
    QTest::keyClicks(cidade, "sa");
    QCOMPARE(cidade->currentText(), QString("Santos "));
    QCOMPARE(cidade->lineEdit()->cursorPosition(), 2);
    QCOMPARE(cidade->lineEdit()->selectedText(), QString("ntos "));
    QTest::keyClick(cidade, Qt::Key_A, Qt::ControlModifier);  // a shortcut types nothing
    QCOMPARE(cidade->lineEdit()->selectedText(), QString("Santos "));
    cidade->lineEdit()->setSelection(2, 5);
    QTest::keyClicks(cidade, "o");  // typing on replaces the completed part
    QCOMPARE(cidade->currentText(), QString("São Paulo "));
    QCOMPARE(cidade->lineEdit()->selectedText(), QString(" Paulo "));
    QTest::keyClick(cidade, Qt::Key_Delete);
    QCOMPARE(cidade->currentText(), QString("São"));
    QTest::keyClick(cidade, Qt::Key_Backspace);
    QCOMPARE(cidade->currentText(), QString("Sã"));
    cidade->setEditText({});
    QTest::keyClicks(cidade, "SANTx");
    QCOMPARE(cidade->currentText(), QString("Santx"));
    QTest::keyClick(cidade, Qt::Key_Return);
    QCOMPARE(cidade->count(), 4);
}

void TstCadAgenda::adicionarGravaAs23Colunas() {
    {
        Editor e;
        e.por("txtnome", "Fulano");
        e.ok();
        QVERIFY(e.fechou());
    }
    QCOMPARE(amb->valor("SELECT * FROM agenda"), "Fulano" + QString("| ").repeated(21) + "|nenhum");
    Editor e;
    const QStringList campos =
        QString(
            "txtddd|(011)9|txttel|  5555 |txtcel|cel|txtnextel|  |txtfax|fax|txtmsn|msn|txtskype|"
            "sky'pe|cboestado|SP|cbocidade| Sé|cbobairro|bai|cbocep|cep|txtendereco|Rua d'Ouro|"
            "txtEmail|a@b|txtsite|site|cbonascimento|1980/05/01|txtempresa|emp|txttelemp|telemp|"
            "txtfaxemp|faxemp|txtemailemp|c@d|txtsiteemp|siteemp|txtinfo|l1\nl2 ")
            .split('|');
    for (int i = 0; i < campos.size(); i += 2)
        e.por(campos.at(i), campos.at(i + 1));
    e.w<QLineEdit>("txtnome")->setText("  D'Ávila ");
    e.ok();
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->valor("SELECT * FROM agenda WHERE rowid = 2"),
             QString("DÁvila|(011) |5555 |cel | |fax |msn |sky'pe |SP |Sé |bai |cep |Rua d'Ouro "
                     "|a@b |site |1980/05/01 |emp |telemp |faxemp |c@d |siteemp |l1\nl2 |nenhum"));
    QCOMPARE(principal->recargas, QList<Categoria>({Categoria::Agenda, Categoria::Agenda}));
}

void TstCadAgenda::nomeVazioEChaveMudada() {
    guardar(*amb, "Beltrano", "123 ");
    {
        // The telephone question comes first; the name check after its Yes.
        Editor e;
        e.por("txtnome", "   ");
        e.por("txttel", "123");
        dlg->respostas << Resposta::Sim;
        e.ok();
        QCOMPARE(dlg->mensagens().size(), 2);
        QCOMPARE(dlg->mensagens().at(0).titulo, QString("Duplicidade!"));
        QCOMPARE(ultimaMensagem(*dlg), "exclamacao|Erro|O nome do contato deve ser digitado!");
        QVERIFY(!e.fechou());
    }
    {
        // Editing may empty the name: written as empty text, without a message.
        Editor e;
        e.editando("Beltrano", 1);
        e.por("txttel", "123 ");
        e.ok();
        QCOMPARE(amb->linhas("SELECT nome, tel FROM agenda"), QStringList{"|123 "});
        QCOMPARE(dlg->mensagens().size(), 2);
        QVERIFY(e.fechou());
    }
    // The record's key changed since it was read: said, the input kept, the list read again.
    principal->recargas.clear();
    Editor e;
    e.editando("Ninguém", 1);
    e.por("txtnome", "Alguém");
    e.ok();
    QVERIFY(
        ultimaMensagem(*dlg).startsWith("critico|Erro|Ocorreu o seguinte erro ao tentar "
                                        "incluír os dados: O registro não foi encontrado"));
    QVERIFY(!e.fechou() && e.f->isVisible());
    QCOMPARE(e.w<QLineEdit>("txtnome")->text(), QString("Alguém"));
    QCOMPARE(amb->linhas("SELECT nome, tel FROM agenda"), QStringList{"|123 "});
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Agenda});
}

void TstCadAgenda::duplicidadeDoTelefone() {
    guardar(*amb, "Ana", "5555-1234 ");
    guardar(*amb, "Bia", " ");
    guardar(*amb, "Caio", "ramal 'B' ");
    auto adicionar = [&](const QString& tel, Resposta resposta) {
        dlg->limpar();
        dlg->respostas.clear();
        dlg->respostas << resposta;
        Editor e;
        e.por("txtnome", "Novo");
        e.por("txttel", tel);
        e.ok();
        const int n = static_cast<int>(dlg->mensagens().size());
        return e.fechou() ? n : -n;
    };
    // Asked, No: nothing written and the window stays; Yes: added.
    QCOMPARE(adicionar(" 5555-1234 ", Resposta::Nao), -1);
    QCOMPARE(ultimaMensagem(*dlg),
             "pergunta|Duplicidade!|O telefone cadastrado já existe na "
             "agenda deseja continuar assim mesmo?|SimNao");
    QVERIFY(principal->recargas.isEmpty());
    QCOMPARE(adicionar("5555-1234", Resposta::Sim), 1);
    // No telephone duplicates nothing, though both are stored as one blank.
    QCOMPARE(adicionar("  ", Resposta::Nao), 0);
    QCOMPARE(adicionar("ramal 'B'", Resposta::Sim), 1);
    // Quotes and wildcards are plain text: no question, no failure.
    for (const char* tel : {"5%", "%", "5555_1234", "x' OR '1'='1"})
        QCOMPARE(adicionar(tel, Resposta::Nao), 0);
    QCOMPARE(amb->valor("SELECT count(*) FROM agenda"), QString("10"));
    QCOMPARE(amb->valor("SELECT tel FROM agenda WHERE rowid = 10"), QString("x' OR '1'='1 "));
    // Editing asks nothing.
    dlg->limpar();
    Editor e;
    e.editando("Bia", 2);
    e.por("txtnome", "Bia");
    e.por("txttel", "5555-1234");
    e.ok();
    QVERIFY(e.fechou() && dlg->mensagens().isEmpty());
}

void TstCadAgenda::fotoEscolhidaEMantida() {
    QVERIFY(QDir(amb->pasta()).mkdir("Fotos d'Ana"));
    const QString foto = imagem(amb->pasta() + "/Fotos d'Ana/rosto.png");
    const QString sumida = amb->pasta() + "/apagada.jpg";
    const QString texto = amb->pasta() + "/notas.bmp";
    QFile arquivo(texto);
    QVERIFY(arquivo.open(QIODevice::WriteOnly) && arquivo.write("não é imagem") > 0);
    arquivo.close();
    // Chosen: the picture is shown fitted; a file that is no picture still gives its path.
    for (bool gravar : {false, true}) {
        Editor e;
        auto* botao = e.w<QToolButton>("imgfoto");
        dlg->limpar();
        dlg->arquivos << foto << "" << texto;
        botao->click();
        QCOMPARE(chamadas(*dlg), QStringList{"abrir|Carregar imagem do contato|Arquivos de "
                                             "imagens|*.bmp;*.jpg;*.jpeg;*.png;*.gif"});
        QCOMPARE(botao->icon().availableSizes().value(0), QSize(120, 60));  // same shape
        const qint64 mostrada = botao->icon().cacheKey();
        botao->click();  // cancelled: nothing changes
        QCOMPARE(e.w<QLabel>("lbllocal")->text(), foto);
        botao->click();  // no picture: the image stays, the path is taken
        QCOMPARE(botao->icon().cacheKey(), mostrada);
        QCOMPARE(e.w<QLabel>("lbllocal")->text(), texto);
        e.por("txtnome", "Com foto");
        clicar(e.f, gravar ? "ok" : "cancelar");
        QVERIFY(e.fechou());
    }
    QCOMPARE(amb->linhas("SELECT local FROM agenda"), QStringList{texto});

    // Edited, a stored path is kept; a file that is gone shows no picture.
    guardar(*amb, "Ana", "1 ", foto);
    guardar(*amb, "Bia", "2 ", sumida);
    for (const QString& local : {foto, sumida}) {
        const bool existe = local == foto;
        Editor e;
        e.editando(existe ? "Ana" : "Bia", existe ? 2 : 3);
        e.por("txtnome", existe ? "Ana" : "Bia");
        e.por("txttel", existe ? "10 " : "11 ");
        e.por("cbonascimento", existe ? "1975/12/31 " : " ");
        e.por("lbllocal", local);
        QCOMPARE(e.w<QToolButton>("imgfoto")->icon().isNull(), !existe);
        QCOMPARE(e.w<QLabel>("lbllocal")->text(), local);
        e.ok();
        QVERIFY(e.fechou());
    }
    QCOMPARE(amb->linhas("SELECT nome, tel, nascimento, local FROM agenda WHERE rowid > 1"),
             QStringList({"Ana|10 |1975/12/31 |" + foto, "Bia|11 | |" + sumida}));
    QCOMPARE(principal->recargas.size(), 3);
}

QTEST_MAIN(TstCadAgenda)
#include "tst_cadagenda.moc"
