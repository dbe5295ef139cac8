#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ambiente_teste.h"
#include "app/campodata.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"
#include "editors/frmcadagenda.h"
#include "editors/principal.h"

using dialogs::Icone;
using dialogs::Resposta;
using editors::Categoria;

namespace {

const QString kErroGravar = QStringLiteral("Ocorreu o seguinte erro ao tentar incluír os dados: ");
const QString kPerguntaDuplicidade =
    QStringLiteral("O telefone cadastrado já existe na agenda deseja continuar assim mesmo?");

// The main window as the editor sees it: only the reloads matter here.
class PrincipalFalso : public editors::Principal {
public:
    PrincipalFalso() { editors::definirPrincipal(this); }
    ~PrincipalFalso() override { editors::definirPrincipal(nullptr); }
    int linhas(Categoria) const override { return 0; }
    std::optional<QString> celulaSelecionada(Categoria, int) const override { return {}; }
    void recarregar(Categoria categoria) override { recargas << categoria; }
    QList<Categoria> recargas;
};

// One open editor, destroyed at the end of the test if the editor did not close itself.
class Editor {
public:
    Editor() : janela_(new editors::frmcadagenda) { janela_->show(); }
    ~Editor() { delete janela_.data(); }
    editors::frmcadagenda* operator->() const { return janela_.data(); }

    template <class T = QWidget>
    T* campo(const char* nome) const {
        return janela_->findChild<T*>(QString::fromLatin1(nome));
    }
    void digitar(const char* nome, const QString& texto) const {
        QWidget* w = campo(nome);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(texto);
        else if (auto* linha = qobject_cast<QLineEdit*>(w))
            linha->setText(texto);
        else if (auto* caixa = qobject_cast<QPlainTextEdit*>(w))
            caixa->setPlainText(texto);
    }
    void apertar(const char* chave) const { campo<QToolButton>(chave)->click(); }
    // As the edit flow leaves it: edit caption, key label and the stored values.
    void abrirParaEdicao(const QString& chave) const {
        janela_->definirLegendaAcao(QStringLiteral("Editar contato"));
        janela_->preencherCampo(QStringLiteral("lblnome"), chave);
    }
    bool fechou() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return janela_.isNull();
    }

private:
    QPointer<editors::frmcadagenda> janela_;
};

QString linhaSoComNome(const QString& nome) {
    QStringList colunas{nome};
    for (int i = 0; i < 21; ++i)
        colunas << QStringLiteral(" ");
    colunas << QStringLiteral("nenhum");
    return colunas.join(QLatin1Char('|'));
}

void guardarContato(AmbienteTeste& amb, const QString& nome, const QString& tel,
                    const QString& local = QStringLiteral("nenhum")) {
    amb.executar("INSERT INTO agenda (nome, tel, cidade, local) VALUES (?, ?, 'Santos ', ?)",
                 {nome, tel, local});
}

QString salvarImagem(const QString& caminho) {
    QImage imagem(60, 30, QImage::Format_RGB32);
    imagem.fill(Qt::darkGreen);
    imagem.save(caminho);
    return caminho;
}

}  // namespace

class TstCadAgenda : public QObject {
    Q_OBJECT
private slots:
    void janelaTemOsCamposNomeadosEmOrdem();
    void focoPintaCamposEData();
    void soComNomeGravaBrancosENenhum();
    void camposGravadosComSuasRegras();
    void nomeVazioAvisaENadaGrava();
    void duplicidadePerguntaAntesDeAdicionar();
    void telefoneComAspasOuCuringaSoCasaComOIgual();
    void carregarOfereceOsValoresGuardados();
    void editarMudaSoAPrimeiraLinhaDaChave();
    void fotoEscolhidaGuardaOCaminho();
    void edicaoMantemCaminhoDaFotoGuardada();
    void falhaAoGravarMantemAJanela();
    void cancelarNaoGrava();
};

void TstCadAgenda::janelaTemOsCamposNomeadosEmOrdem() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    Editor f;
    QCOMPARE(f->objectName(), QString("frmcadagenda"));
    QCOMPARE(f->windowTitle(), QString("Agenda de contatos"));
    QCOMPARE(f.campo<QLabel>("lbltitulo")->text(), QString("AGENDA DE CONTATOS"));
    QCOMPARE(f.campo<QLabel>("lbllinha")->text(),
             QString("Utilize está tela para Cadastrar/Editar dados de um contato"));
    auto* xtab = f.campo<QTabWidget>("xtab");
    QCOMPARE(xtab->count(), 2);
    QCOMPARE(xtab->tabText(0), QString("> DADOS PESSOAIS"));
    QCOMPARE(xtab->tabText(1), QString("> DADOS ADICIONAIS"));
    QCOMPARE(f->legendaAcao(), QString("Adicionar Contato"));
    QVERIFY(f->modoAdicionar());
    QCOMPARE(f.campo<QToolButton>("cancelar")->text(), QString("Cancelar"));
    QCOMPARE(f.campo<QLabel>("lbllocal")->text(), QString("nenhum"));
    QVERIFY(f.campo<QLabel>("lbllocal")->isVisible());
    QCOMPARE(f->rotuloChave(), f.campo<QLabel>("lblnome"));
    QCOMPARE(f->rotuloChave()->text(), QString("Label13"));
    QVERIFY(!f->rotuloChave()->isVisible());
    QCOMPARE(f.campo<QLineEdit>("txtddd")->maxLength(), 5);
    QVERIFY(f.campo<CampoData>("cbonascimento")->vazio());
    QCOMPARE(f.campo<QToolButton>("imgfoto")->accessibleName(), QString("Foto do contato"));

    // Keyboard order as the fields are listed, each named by its caption; the
    // picture closes the first page.
    const QList<QPair<QString, QString>> esperados = {
        {"txtnome", "NOME DO CONTATO"},
        {"cbonascimento", "NASCIMENTO"},
        {"txtddd", "DDD"},
        {"txttel", "TELEFONE"},
        {"txtcel", "CELULAR"},
        {"txtnextel", "RADIO/NEXTEL"},
        {"txtfax", "FAX"},
        {"txtmsn", "MSN"},
        {"txtskype", "SKYPE"},
        {"cboestado", "ESTADO"},
        {"cbocidade", "CIDADE"},
        {"cbobairro", "BAIRRO"},
        {"cbocep", "CEP"},
        {"txtendereco", "ENDEREÇO"},
        {"txtEmail", "E-MAIL"},
        {"txtsite", "WEBSITE"},
        {"imgfoto", "Foto do contato"},
        {"txtempresa", "EMPRESA"},
        {"txttelemp", "TELEFONE DE CONTATO"},
        {"txtfaxemp", "FAX"},
        {"txtemailemp", "E-MAIL DE CONTATO"},
        {"txtsiteemp", "SITE DA EMPRESA"},
        {"txtinfo", "INFORMAÇÕES ADICIONAIS"},
    };
    QStringList nomes;
    for (const auto& [nome, rotulo] : esperados) {
        QWidget* w = f.campo(qPrintable(nome));
        QVERIFY2(w, qPrintable(nome));
        QCOMPARE(w->accessibleName(), rotulo);
        nomes << nome;
    }
    // The first page is laid out around its fields: none is squeezed below its size.
    for (int i = 0; i < 17; ++i) {
        QWidget* w = f.campo(qPrintable(nomes.at(i)));
        QVERIFY2(w->width() >= w->minimumSizeHint().width() &&
                     w->height() >= w->minimumSizeHint().height(),
                 qPrintable(nomes.at(i)));
    }
    for (const char* combo : {"cboestado", "cbocidade", "cbobairro", "cbocep", "txtendereco"})
        QVERIFY(f.campo<QComboBox>(combo)->isEditable());
    QVERIFY(qobject_cast<QPlainTextEdit*>(f.campo("txtinfo")));
    QStringList ordem;
    QWidget* w = f.campo("txtnome");
    for (int passos = 0; passos < 200 && ordem.size() < nomes.size(); ++passos) {
        if (nomes.contains(w->objectName()) && !ordem.contains(w->objectName()))
            ordem << w->objectName();
        w = w->nextInFocusChain();
    }
    QCOMPARE(ordem, nomes);

    // Enter on the picture chooses a file, as a click does.
    f.campo("imgfoto")->setFocus();
    QTest::keyClick(f.campo("imgfoto"), Qt::Key_Return);
    QCOMPARE(dlg.chamadas.size(), 1);
    QCOMPARE(dlg.chamadas.first().tipo, QString("abrir"));
}

void TstCadAgenda::focoPintaCamposEData() {
    AmbienteTeste amb;
    Editor f;
    const QColor amarelo(0xFF, 0xFF, 0xC0);
    for (const char* nome : {"txtnome", "cbonascimento", "cboestado", "txtendereco", "txtinfo"}) {
        QWidget* w = f.campo(nome);
        QFocusEvent entra(QEvent::FocusIn);
        QCoreApplication::sendEvent(w, &entra);
        QCOMPARE(w->palette().color(QPalette::Base), amarelo);
        QFocusEvent sai(QEvent::FocusOut);
        QCoreApplication::sendEvent(w, &sai);
        QVERIFY2(w->palette().color(QPalette::Base) != amarelo, nome);
    }
}

void TstCadAgenda::soComNomeGravaBrancosENenhum() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    Editor f;
    f.digitar("txtnome", "Fulano");
    f.apertar("ok");
    QCOMPARE(amb.linhas("SELECT * FROM agenda"), QStringList{linhaSoComNome("Fulano")});
    QVERIFY(dlg.mensagens().isEmpty());
    QCOMPARE(principal.recargas, QList<Categoria>{Categoria::Agenda});
    QVERIFY(f.fechou());
}

void TstCadAgenda::camposGravadosComSuasRegras() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    Editor f;
    f.digitar("txtnome", "  D'Ávila  ");
    f.campo<CampoData>("cbonascimento")->definirData(QDate(1980, 5, 1));
    f.digitar("txtddd", "(011)9");
    f.digitar("txttel", "  5555-1234  ");
    f.digitar("txtcel", "9");
    f.digitar("txtnextel", "  ");
    f.digitar("txtfax", "fax");
    f.digitar("txtmsn", "msn");
    f.digitar("txtskype", "sky'pe");
    f.digitar("cboestado", "SP");
    f.digitar("cbocidade", " São Paulo");
    f.digitar("cbobairro", "Sé");
    f.digitar("cbocep", "01000-000");
    f.digitar("txtendereco", "Rua d'Ouro, 1");
    f.digitar("txtEmail", "a@b.br");
    f.digitar("txtsite", "www.b.br");
    f.digitar("txtempresa", "ACME");
    f.digitar("txttelemp", "1");
    f.digitar("txtfaxemp", "2");
    f.digitar("txtemailemp", "c@d.br");
    f.digitar("txtsiteemp", "www.d.br");
    f.digitar("txtinfo", "linha 1\nlinha 2 ");
    f.apertar("ok");
    QVERIFY(dlg.mensagens().isEmpty());
    // The area code keeps to five characters; the name loses its blanks and apostrophe.
    QCOMPARE(amb.linhas("SELECT * FROM agenda"),
             QStringList{"DÁvila|(011) |5555-1234 |9 | |fax |msn |sky'pe |SP |São Paulo |Sé "
                         "|01000-000 |Rua d'Ouro, 1 |a@b.br |www.b.br |1980/05/01 |ACME |1 |2 "
                         "|c@d.br |www.d.br |linha 1\nlinha 2 |nenhum"});
    QVERIFY(f.fechou());
}

void TstCadAgenda::nomeVazioAvisaENadaGrava() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    {
        Editor f;
        f.digitar("txtnome", "   ");
        f.digitar("txttel", "123");
        f.apertar("ok");
        QCOMPARE(dlg.mensagens().size(), 1);
        QCOMPARE(dlg.ultimaMensagem().icone, Icone::Exclamacao);
        QCOMPARE(dlg.ultimaMensagem().titulo, QString("Erro"));
        QCOMPARE(dlg.ultimaMensagem().texto, QString("O nome do contato deve ser digitado!"));
        QVERIFY(!f.fechou());
        QCOMPARE(f.campo<QLineEdit>("txttel")->text(), QString("123"));
    }
    // With a known telephone the question comes first, the name check after the Yes.
    guardarContato(amb, "Beltrano", "123 ");
    dlg.limpar();
    {
        Editor f;
        f.digitar("txttel", "123");
        dlg.respostas << Resposta::Sim;
        f.apertar("ok");
        QCOMPARE(dlg.mensagens().size(), 2);
        QCOMPARE(dlg.mensagens().at(0).titulo, QString("Duplicidade!"));
        QCOMPARE(dlg.mensagens().at(1).texto, QString("O nome do contato deve ser digitado!"));
        QVERIFY(!f.fechou());
    }
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("1"));
    QVERIFY(principal.recargas.isEmpty());

    // Editing may empty the name: it is written as empty text, without a message.
    dlg.limpar();
    Editor f;
    f.abrirParaEdicao("Beltrano");
    f->preencherCampo("txttel", "123 ");
    f.apertar("ok");
    QVERIFY(dlg.mensagens().isEmpty());
    QCOMPARE(amb.valor("SELECT nome || '|' || tel FROM agenda"), QString("|123 "));
    QVERIFY(f.fechou());
}

void TstCadAgenda::duplicidadePerguntaAntesDeAdicionar() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    guardarContato(amb, "Ana", "5555-1234 ");
    {
        Editor f;
        f.digitar("txtnome", "Bia");
        f.digitar("txttel", " 5555-1234 ");
        dlg.respostas << Resposta::Nao;
        f.apertar("ok");
        QCOMPARE(dlg.mensagens().size(), 1);
        const DialogosRoteiro::Chamada pergunta = dlg.ultimaMensagem();
        QCOMPARE(pergunta.icone, Icone::Pergunta);
        QCOMPARE(pergunta.titulo, QString("Duplicidade!"));
        QCOMPARE(pergunta.texto, kPerguntaDuplicidade);
        QCOMPARE(pergunta.botoes, dialogs::Botoes::SimNao);
        QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("1"));
        QVERIFY(principal.recargas.isEmpty());
        QVERIFY(!f.fechou());

        dlg.respostas << Resposta::Sim;
        f.apertar("ok");
        QCOMPARE(amb.linhas("SELECT nome FROM agenda ORDER BY rowid"), QStringList({"Ana", "Bia"}));
        QVERIFY(f.fechou());
    }
    // Two empty telephones are both one blank: the question is asked.
    guardarContato(amb, "Caio", " ");
    dlg.limpar();
    {
        Editor f;
        f.digitar("txtnome", "Duda");
        dlg.respostas << Resposta::Sim;
        f.apertar("ok");
        QCOMPARE(dlg.mensagens().size(), 1);
        QCOMPARE(dlg.ultimaMensagem().titulo, QString("Duplicidade!"));
        QVERIFY(f.fechou());
    }
    // Another telephone, or the same in edit mode, asks nothing.
    dlg.limpar();
    {
        Editor f;
        f.digitar("txtnome", "Eva");
        f.digitar("txttel", "5555-12345");
        f.apertar("ok");
        QVERIFY(f.fechou());
    }
    {
        Editor f;
        f.abrirParaEdicao("Eva");
        f->preencherCampo("txtnome", "Eva");
        f->preencherCampo("txttel", "5555-1234 ");
        f.apertar("ok");
        QVERIFY(f.fechou());
    }
    QVERIFY(dlg.mensagens().isEmpty());
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda WHERE tel = '5555-1234 '"), QString("3"));
}

void TstCadAgenda::telefoneComAspasOuCuringaSoCasaComOIgual() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    guardarContato(amb, "Ana", "5555-1234 ");
    guardarContato(amb, "Bia", "ramal 'B' ");
    for (const QString& tel : {QString("5%"), QString("%"), QString("5555_1234"),
                               QString("x' OR '1'='1"), QString("5555-1234'")}) {
        Editor f;
        f.digitar("txtnome", "Novo");
        f.digitar("txttel", tel);
        f.apertar("ok");
        QVERIFY2(dlg.mensagens().isEmpty(), qPrintable(tel));
        QVERIFY2(f.fechou(), qPrintable(tel));
    }
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("7"));
    QCOMPARE(amb.valor("SELECT tel FROM agenda WHERE rowid = 6"), QString("x' OR '1'='1 "));

    Editor f;
    f.digitar("txtnome", "Outro");
    f.digitar("txttel", "ramal 'B'");
    dlg.respostas << Resposta::Sim;
    f.apertar("ok");
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Duplicidade!"));
    QVERIFY(f.fechou());
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda WHERE tel = 'ramal ''B'' '"), QString("2"));
}

void TstCadAgenda::carregarOfereceOsValoresGuardados() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    for (const char* cidade : {"Santos ", "São Paulo ", "Santos ", "santa Rita ", " "})
        amb.executar(
            "INSERT INTO agenda (nome, estado, cidade, bairro, cep, endereco) "
            "VALUES ('x', 'SP ', ?, 'Centro ', ?, ?)",
            {QString::fromUtf8(cidade), QString::fromUtf8(cidade).trimmed() + "-cep ",
             QString("Rua ") + QString::fromUtf8(cidade)});
    Editor f;
    auto itens = [&f](const char* nome) {
        QStringList r;
        auto* combo = f.campo<QComboBox>(nome);
        for (int i = 0; i < combo->count(); ++i)
            r << combo->itemText(i);
        return r;
    };
    QCOMPARE(itens("cboestado"), QStringList{"SP "});
    QCOMPARE(itens("cbocidade"), QStringList({"Santos ", "São Paulo ", "santa Rita ", " "}));
    QCOMPARE(itens("cbobairro"), QStringList{"Centro "});
    QCOMPARE(itens("cbocep"),
             QStringList({"Santos-cep ", "São Paulo-cep ", "santa Rita-cep ", "-cep "}));
    QCOMPARE(itens("txtendereco"),
             QStringList({"Rua Santos ", "Rua São Paulo ", "Rua santa Rita ", "Rua  "}));
    // Filling the lists leaves every field empty.
    for (const char* nome : {"cboestado", "cbocidade", "cbobairro", "cbocep", "txtendereco"})
        QCOMPARE(f.campo<QComboBox>(nome)->currentText(), QString());

    auto* cidade = f.campo<QComboBox>("cbocidade");
    QTest::keyClicks(cidade, "SANT");
    QCOMPARE(cidade->currentText(), QString("Santos "));
    QCOMPARE(cidade->lineEdit()->selectedText(), QString("os "));
    QTest::keyClicks(f.campo("txtendereco"), "rua s");
    QCOMPARE(f.campo<QComboBox>("txtendereco")->currentText(), QString("Rua Santos "));
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstCadAgenda::editarMudaSoAPrimeiraLinhaDaChave() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    guardarContato(amb, "ana", "0 ");
    guardarContato(amb, "Ana", "1 ");
    guardarContato(amb, "Ana", "2 ");
    Editor f;
    f.abrirParaEdicao("Ana");
    QVERIFY(!f->modoAdicionar());
    f->preencherCampo("txtnome", "Ana");
    f->preencherCampo("txttel", "1 ");
    f->preencherCampo("cbocidade", "Santos ");
    f->preencherCampo("cbonascimento", "1975/12/31 ");
    f->preencherCampo("imgfoto", "nenhum");
    QCOMPARE(f.campo<CampoData>("cbonascimento")->data(),
             std::optional<QDate>(QDate(1975, 12, 31)));
    f.digitar("txttel", "99");
    f.apertar("ok");
    QVERIFY(dlg.mensagens().isEmpty());
    QCOMPARE(amb.linhas("SELECT nome, tel, cidade, nascimento, local FROM agenda ORDER BY rowid"),
             QStringList({"ana|0 |Santos |<null>|nenhum", "Ana|99 |Santos |1975/12/31 |nenhum",
                          "Ana|2 |Santos |<null>|nenhum"}));
    QCOMPARE(principal.recargas, QList<Categoria>{Categoria::Agenda});
    QVERIFY(f.fechou());
}

void TstCadAgenda::fotoEscolhidaGuardaOCaminho() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    const QString jpg = salvarImagem(amb.pasta() + "/rosto.jpg");
    const QString texto = amb.pasta() + "/notas.bmp";
    QFile arquivo(texto);
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("isto não é uma imagem");
    arquivo.close();

    Editor f;
    auto* foto = f.campo<QToolButton>("imgfoto");
    auto* local = f.campo<QLabel>("lbllocal");
    QVERIFY(foto->icon().isNull());

    dlg.arquivos << jpg;
    foto->click();
    QCOMPARE(dlg.chamadas.size(), 1);
    QCOMPARE(dlg.chamadas.first().titulo, QString("Carregar imagem do contato"));
    QCOMPARE(dlg.chamadas.first().texto,
             QString("Arquivos de imagens|*.bmp;*.jpg;*.jpeg;*.png;*.gif"));
    QVERIFY(!foto->icon().isNull());
    QCOMPARE(local->text(), jpg);
    // Scaled to fit the frame, keeping its shape.
    QCOMPARE(foto->icon().availableSizes().value(0), QSize(120, 60));

    // Cancelling changes nothing; a file that is no picture changes only the path.
    const qint64 mostrada = foto->icon().cacheKey();
    foto->click();
    QCOMPARE(local->text(), jpg);
    dlg.arquivos << texto;
    foto->click();
    QCOMPARE(foto->icon().cacheKey(), mostrada);
    QCOMPARE(local->text(), texto);

    f.digitar("txtnome", "Com foto");
    f.apertar("ok");
    QCOMPARE(amb.valor("SELECT local FROM agenda"), texto);
    QVERIFY(f.fechou());
}

void TstCadAgenda::edicaoMantemCaminhoDaFotoGuardada() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    QVERIFY(QDir().mkpath(amb.pasta() + "/Fotos d'Ana"));
    const QString png = salvarImagem(amb.pasta() + "/Fotos d'Ana/rosto.png");
    const QString sumida = amb.pasta() + "/apagada.png";
    guardarContato(amb, "Ana", "1 ", png);
    guardarContato(amb, "Bia", "2 ", sumida);

    for (const QString& caminho : {png, sumida}) {
        const QString nome = caminho == png ? "Ana" : "Bia";
        Editor f;
        f.abrirParaEdicao(nome);
        f->preencherCampo("txtnome", nome);
        f->preencherCampo("imgfoto", caminho);
        QCOMPARE(f.campo<QToolButton>("imgfoto")->icon().isNull(), caminho == sumida);
        QCOMPARE(f.campo<QLabel>("lbllocal")->text(), caminho);
        f.apertar("ok");
        QVERIFY(f.fechou());
    }
    QCOMPARE(amb.linhas("SELECT local FROM agenda ORDER BY rowid"), QStringList({png, sumida}));
    QVERIFY(dlg.mensagens().isEmpty());
}

void TstCadAgenda::falhaAoGravarMantemAJanela() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    {
        // The row to overwrite is gone.
        Editor f;
        f.abrirParaEdicao("Ninguém");
        f.digitar("txtnome", "Alguém");
        f.apertar("ok");
        QCOMPARE(dlg.mensagens().size(), 1);
        QCOMPARE(dlg.ultimaMensagem().icone, Icone::Critico);
        QCOMPARE(dlg.ultimaMensagem().titulo, QString("Erro"));
        QCOMPARE(dlg.ultimaMensagem().texto,
                 kErroGravar + "O registro a editar não foi encontrado no banco de dados.");
        QVERIFY(!f.fechou());
        QCOMPARE(f.campo<QLineEdit>("txtnome")->text(), QString("Alguém"));
    }
    // The database refuses the row: the message carries the engine's description.
    dlg.limpar();
    Editor f;
    f.digitar("txtnome", "Fulano");
    amb.executar("DROP TABLE agenda");
    f.apertar("ok");
    QCOMPARE(dlg.ultimaMensagem().icone, Icone::Critico);
    QVERIFY(dlg.ultimaMensagem().texto.startsWith(kErroGravar));
    QVERIFY(dlg.ultimaMensagem().texto.contains("agenda"));
    QVERIFY(!f.fechou());
    QVERIFY(f->isVisible());
    QVERIFY(principal.recargas.isEmpty());
}

void TstCadAgenda::cancelarNaoGrava() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    PrincipalFalso principal;
    Editor f;
    f.digitar("txtnome", "Fulano");
    dlg.arquivos << salvarImagem(amb.pasta() + "/rosto.png");
    f.campo<QToolButton>("imgfoto")->click();
    f.apertar("cancelar");
    QVERIFY(f.fechou());
    QCOMPARE(amb.valor("SELECT count(*) FROM agenda"), QString("0"));
    QVERIFY(principal.recargas.isEmpty());
    QVERIFY(dlg.mensagens().isEmpty());
}

QTEST_MAIN(TstCadAgenda)
#include "tst_cadagenda.moc"
