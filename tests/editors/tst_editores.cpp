#include <QAccessible>
#include <QDateEdit>
#include <QFile>
#include <QTabWidget>
#include <QTest>
#include <optional>

#include "ambiente_teste.h"
#include "apoio.h"
#include "app/janelas.h"
#include "app/listas.h"
#include "data/configuracoes.h"
#include "data/regras.h"
#include "data/schema.h"
#include "editors/fluxos.h"
#include "editors/formulariosimples.h"
#include "editors/frmcadagenda.h"
#include "editors/frmcadcompromisso.h"

using dialogs::Resposta;
using editors::FormularioCadastro;

namespace {
FormularioCadastro* aberto(Categoria c) {
    if (c == Categoria::Anotacoes)
        return janelas::seCarregada<editors::frmcadanotacoes>();
    if (c == Categoria::Senhas)
        return janelas::seCarregada<editors::frmcadsenhas>();
    if (c == Categoria::Uteis)
        return janelas::seCarregada<editors::frmcadutil>();
    return janelas::seCarregada<editors::frmcadcompromisso>();
}
}  // namespace

// The entry forms driven through the flows, as the main window's commands run them.
class TstEditores : public QObject {
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
        janelas::fecharTodas();
        descartarFechadas();
        regras::fixarHoje({});
        principal.reset();
        dlg.reset();
        amb.reset();
    }
    void familiaGuardaCadaColunaPelaSuaRegra();
    void edicaoGravaNoRegistroAberto();
    void compromisso();
    void senhaEditadaNuncaLevaDadosDeOutroRegistro();
    void registroPelaIdentidadeEChave();
    void removerPerguntaConfirmaERecarrega();
    void removerSemSelecaoOuComFalha();
    void contatosNoMesmoEsquema();
    void gravarComArquivoOcupadoDizPorque();
    void compromissoVaiParaOArquivoQueEstaLa();
};

void TstEditores::familiaGuardaCadaColunaPelaSuaRegra() {
    struct Caso {
        Categoria cat;
        QStringList entradas;  // name, text, ...; the key first
        QString tabela, esperado, janela, acao, chaveVazia;
    };
    const Caso casos[] = {
        {Categoria::Anotacoes,
         {"txttitulo", "  Reunião d'obra  ", "txtanotacoes", ""},
         "anotacoes",
         "Reunião dobra| ",
         "Adicionar anotação",
         "Adicionar Anotação",
         "O título da anotação deve ser digitado!"},
        {Categoria::Senhas,
         {"txtdescricao", "  Banco 'A'  ", "txtsenha", "abc", "txtcomentario", "\tl1\nl2\n "},
         "senhas",
         "  Banco A  |abc |\tl1\nl2\n ",  // only blanks are trimmed
         "Adicionar senha/serial",
         "Adicionar senha/serial",
         "A descrição da senha deve ser digitado!"},
        {Categoria::Uteis,
         {"txtdescricao", " Farmácia d'Ajuda ", "txttel", " 3333 "},
         "uteis",
         "Farmácia d'Ajuda|3333 ",
         "Adicionar telefone útil",
         "Adicionar tel útil",
         "A descricao do telefone deve ser digitado!"},
    };
    for (const Caso& c : casos) {
        dlg->limpar();
        principal->recargas.clear();
        editors::adicionar(c.cat);
        FormularioCadastro* form = aberto(c.cat);
        QCOMPARE(form->windowTitle(), c.janela);
        QCOMPARE(form->legendaAcao(), c.acao);
        // A blank key only warns: nothing written, the form stays.
        escrever(form, c.entradas.first(), "   ");
        clicar(form, "ok");
        QVERIFY(form->isVisible());
        for (int i = 0; i < c.entradas.size(); i += 2) {
            QWidget* campo = form->findChild<QWidget*>(c.entradas.at(i));
            QVERIFY(!campo->accessibleName().isEmpty());
            QVERIFY(campo->property("varnelo_foco").toBool());
            escrever(form, c.entradas.at(i), c.entradas.at(i + 1));
        }
        clicar(form, "ok");
        QCOMPARE(amb->linhas("SELECT * FROM " + c.tabela), QStringList{c.esperado});
        QCOMPARE(chamadas(*dlg), QStringList{"exclamacao|Erro|" + c.chaveVazia});
        QCOMPARE(principal->recargas, QList<Categoria>{c.cat});
        descartarFechadas();
        QVERIFY(!aberto(c.cat));  // the next opening starts from the design state
    }
}

void TstEditores::edicaoGravaNoRegistroAberto() {
    amb->executar(
        "INSERT INTO anotacoes VALUES ('a%', ' '), ('ab', ' '), ('A%', ' '), ('a%', ' ')");
    const QList<QStringList> lista{{"1", "a%"}, {"2", "A%"}, {"3", "a%"}, {"4", "ab"}};
    const QList<qint64> registros{1, 3, 4, 2};
    const auto salvar = [&](int linha, const QString& acao, const QString& titulo) {
        principal->definir(Categoria::Anotacoes, lista, linha, registros);
        editors::editar(Categoria::Anotacoes);
        FormularioCadastro* form = aberto(Categoria::Anotacoes);
        form->definirLegendaAcao(acao);
        escrever(form, "txttitulo", titulo);
        escrever(form, "txtanotacoes", "corpo");
        clicar(form, "ok");
        descartarFechadas();
    };
    // The second of two notes named "a%" is the one written; the key itself may change;
    // any caption but the exact add caption edits; editing may empty the key.
    salvar(2, "Editar Anotação", "  novo d'a ");
    salvar(1, "adicionar anotação", "  ");
    QCOMPARE(amb->linhas("SELECT * FROM anotacoes ORDER BY rowid"),
             QStringList({"a%| ", "ab| ", "|corpo ", "novo da|corpo "}));
    QVERIFY(dlg->mensagens().isEmpty());

    // Removed by another program while open: the save says so, keeps the input, and the
    // list is read again.
    principal->definir(Categoria::Anotacoes, lista, 3, registros);
    editors::editar(Categoria::Anotacoes);
    FormularioCadastro* form = aberto(Categoria::Anotacoes);
    amb->executar("DELETE FROM anotacoes WHERE rowid = 2");
    escrever(form, "txttitulo", "x");
    principal->recargas.clear();
    clicar(form, "ok");
    QCOMPARE(ultimaMensagem(*dlg),
             "critico|Erro|Ocorreu o seguinte erro ao tentar incluír os "
             "dados: O registro não foi encontrado no banco de dados.");
    QVERIFY(form->isVisible());
    QCOMPARE(lido(form, "txttitulo"), QString("x"));
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Anotacoes});
    QCOMPARE(amb->valor("SELECT count(*) FROM anotacoes"), QString("3"));
}

void TstEditores::compromisso() {
    regras::fixarHoje(QDate(2008, 3, 5));
    editors::adicionar(Categoria::Compromisso);
    FormularioCadastro* form = aberto(Categoria::Compromisso);
    QCOMPARE(form->windowTitle(), QString("Cadastro de compromisso"));
    QCOMPARE(form->legendaAcao(), QString("Adicionar Compromisso"));
    QVERIFY(!form->findChild<QWidget*>("txthora")->property("varnelo_foco").toBool());
    escrever(form, "txthora", QString(30, '9'));
    escrever(form, "txtlocal", QString(200, 'L'));
    QCOMPARE(lido(form, "txthora").size() + lido(form, "txtlocal").size(), 20 + 150);
    escrever(form, "txthora", "10:00");
    escrever(form, "txtlocal", "");
    // Right after a login the shared connection is closed: the save opens it.
    banco::conexao().marcarFechada();
    clicar(form, "ok");
    QCOMPARE(amb->valor("SELECT * FROM compromisso"), QString("1|2008/03/05|10:00 || | "));
    QCOMPARE(principal->abertaNaRecarga, QList<bool>{true});

    // Edited by its number, from the hidden column; the time loses its blank.
    amb->executar(
        "INSERT INTO compromisso (Data, Titulo, local, descricao) VALUES "
        "('2010/01/02', 'Dentista', 'Sul ', 'exames ')");
    descartarFechadas();
    principal->definir(Categoria::Compromisso, {{"1", "05/03/2008 "}, {"2", "02/01/2010 "}}, 1);
    editors::editar(Categoria::Compromisso);
    form = aberto(Categoria::Compromisso);
    QCOMPARE(form->windowTitle(), QString("Editar compromisso"));
    QCOMPARE(form->legendaAcao(), QString("Editar Compromisso"));
    QCOMPARE(form->findChild<QDateEdit*>("cbodata")->date(), QDate(2010, 1, 2));
    QCOMPARE(lido(form, "txttitulo") + lido(form, "txtlocal") + lido(form, "txtdescricao"),
             QString("DentistaSul exames "));
    escrever(form, "txthora", " 9:00 ");
    escrever(form, "txttitulo", " Reunião d'obra ");
    // An open connection is written on as it stands, whatever the settings now name.
    configuracoes::gravar("RedeLocal", amb->pasta() + "/rede/dados.mde");
    clicar(form, "ok");
    QCOMPARE(amb->valor("SELECT Data, hora, Titulo FROM compromisso WHERE id = 2"),
             QString("2010/01/02|9:00|Reunião d'obra"));

    descartarFechadas();
    form = &janelas::unica<editors::frmcadcompromisso>();
    janelas::mostrar(*form);
    form->definirLegendaAcao("Editar Compromisso");
    clicar(form, "ok");  // its design "Label6" is no appointment number
    QVERIFY(ultimaMensagem(*dlg).startsWith(
        "critico|Erro|Ocorreu o seguinte erro ao tentar editar os dados: "));
    amb->executar("DROP TABLE compromisso");
    form->definirLegendaAcao("Adicionar Compromisso");
    escrever(form, "txttitulo", "guardado");
    clicar(form, "ok");
    QVERIFY(ultimaMensagem(*dlg).startsWith(
        "critico|Erro|Ocorreu o seguinte erro ao tentar cadastrar os dados: "));
    QVERIFY(form->isVisible());
    QCOMPARE(lido(form, "txttitulo"), QString("guardado"));
    // Two saves, and the reload after the record that was not there.
    QCOMPARE(principal->recargas.size(), 3);
}

void TstEditores::senhaEditadaNuncaLevaDadosDeOutroRegistro() {
    editors::editar(Categoria::Senhas);  // empty list: nothing opens
    QVERIFY(!janelas::seCarregada<editors::frmcadsenhas>());
    amb->executar("INSERT INTO senhas VALUES ('  Banco A  ', 'abc ', 'conta ')");
    // Written by another tool: no password, no comment.
    amb->executar("INSERT INTO senhas (descricao) VALUES ('Banco B')");
    const QList<QStringList> lista{{"1", "  Banco A  "}, {"2", "Banco B"}};
    principal->definir(Categoria::Senhas, lista, 0);
    editors::editar(Categoria::Senhas);
    auto* form = janelas::seCarregada<editors::frmcadsenhas>();
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowTitle(), QString("Editar senha/serial"));
    QCOMPARE(form->legendaAcao(), QString("Editar senha/serial"));
    // Screen readers hear the mode the flow set, not the design caption.
    QCOMPARE(QAccessible::queryAccessibleInterface(form->findChild<QToolButton*>("ok"))
                 ->text(QAccessible::Name),
             QString("Editar senha/serial"));
    QCOMPARE(lido(form, "txtdescricao") + lido(form, "txtsenha") + lido(form, "txtcomentario"),
             QString("  Banco A  abc conta "));
    principal->definir(Categoria::Senhas, lista, 1);
    editors::editar(Categoria::Senhas);
    QCOMPARE(lido(form, "txtsenha") + lido(form, "txtcomentario"), QString());
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT * FROM senhas ORDER BY rowid"),
             QStringList({"  Banco A  |abc |conta ", "Banco B| | "}));

    // Edit A, then add: the same form switches its captions and keeps the fields; with no
    // row selected any more, Editar leaves it adding.
    descartarFechadas();
    principal->definir(Categoria::Senhas, lista, 0);
    editors::editar(Categoria::Senhas);
    form = janelas::seCarregada<editors::frmcadsenhas>();
    editors::adicionar(Categoria::Senhas);
    QCOMPARE(janelas::seCarregada<editors::frmcadsenhas>(), form);
    QCOMPARE(form->windowTitle(), QString("Adicionar senha/serial"));
    escrever(form, "txtdescricao", "Banco Y");
    principal->definir(Categoria::Senhas, lista, -1);
    editors::editar(Categoria::Senhas);
    QCOMPARE(form->legendaAcao(), QString("Adicionar senha/serial"));
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT * FROM senhas ORDER BY rowid"),
             QStringList({"  Banco A  |abc |conta ", "Banco B| | ", "Banco Y|abc |conta "}));

    // A row gone from the file: said, the list read again, the form left as it was.
    descartarFechadas();
    editors::adicionar(Categoria::Senhas);
    form = janelas::seCarregada<editors::frmcadsenhas>();
    escrever(form, "txtsenha", "digitada");
    principal->recargas.clear();
    principal->definir(Categoria::Senhas, {{"1", "sumiu"}});
    editors::editar(Categoria::Senhas);
    QCOMPARE(chamadas(*dlg), QStringList{kNaoEncontrado});
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Senhas});
    QCOMPARE(form->legendaAcao(), QString("Adicionar senha/serial"));
    QCOMPARE(lido(form, "txtsenha"), QString("digitada"));
}

void TstEditores::registroPelaIdentidadeEChave() {
    const QStringList chaves{"a%", "ab", "A%", "a_c", "Ação", "Acao", "d'A", "ab"};
    QList<QStringList> lista;
    for (const QString& c : chaves) {
        amb->executar("INSERT INTO uteis VALUES (?, ?)", {c, QString("tel %1").arg(lista.size())});
        lista << QStringList{QString::number(lista.size() + 1), c};
    }
    for (int i = 0; i < chaves.size(); ++i) {
        principal->definir(Categoria::Uteis, lista, i);
        editors::editar(Categoria::Uteis);
        QCOMPARE(lido(janelas::seCarregada<editors::frmcadutil>(), "txttel"),
                 QString("tel %1").arg(i));
    }
    // Of two rows sharing a key, the one chosen is written and removed.
    principal->definir(Categoria::Uteis, lista, 7);
    editors::editar(Categoria::Uteis);
    auto* form = janelas::seCarregada<editors::frmcadutil>();
    escrever(form, "txttel", "mudou");
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT rowid FROM uteis WHERE telefone = 'mudou '"), QStringList{"8"});
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Uteis);
    QCOMPARE(ultimaMensagem(*dlg),
             "informacao|Info|Telefone removido com sucesso do banco de dados!");
    QCOMPARE(amb->linhas("SELECT telefone FROM uteis WHERE descricao = 'ab'"),
             QStringList{"tel 1"});

    // Gone, or renamed by another program meanwhile: nothing removed, said, list read again.
    amb->executar("DELETE FROM uteis WHERE rowid = 1");
    amb->executar("UPDATE uteis SET descricao = 'Ação!' WHERE rowid = 5");
    for (int linha : {0, 4}) {
        principal->recargas.clear();
        principal->definir(Categoria::Uteis, lista, linha);
        dlg->respostas << Resposta::Sim;
        editors::remover(Categoria::Uteis);
        QCOMPARE(ultimaMensagem(*dlg), kNaoEncontrado);
        QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Uteis});
    }
    QCOMPARE(amb->valor("SELECT count(*) FROM uteis"), QString("6"));

    // A key another tool stored as bytes that are no UTF-8 is still removed, alone.
    amb->executar("INSERT INTO uteis VALUES (CAST(X'4361666599' AS TEXT), 'x')");
    banco::abrirPadrao();
    const Celulas lida =
        listas::ler(Categoria::Uteis, QString::fromUtf8(listas::lista(Categoria::Uteis).consulta));
    const qint64 registro = amb->valor("SELECT max(rowid) FROM uteis").toLongLong();
    int estranha = 0;
    while (estranha < lida.linhas() && lida.registro(estranha) != registro)
        ++estranha;
    principal->definir(Categoria::Uteis, lida, estranha);
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Uteis);
    QVERIFY(ultimaMensagem(*dlg).startsWith("informacao|"));
    QCOMPARE(amb->linhas("SELECT rowid FROM uteis ORDER BY rowid"),
             QStringList({"2", "3", "4", "5", "6", "7"}));
}

void TstEditores::removerPerguntaConfirmaERecarrega() {
    const std::tuple<Categoria, const char*, QStringList, const char*, const char*> casos[] = {
        {Categoria::Agenda,
         "agenda (nome) VALUES ('Ana')",
         {"1", "Ana"},
         "o contato Ana",
         "Contato removido"},
        {Categoria::Anotacoes,
         "anotacoes VALUES ('Lista', ' ')",
         {"1", "Lista"},
         "a anotação de título Lista",
         "Anotação removida"},
        {Categoria::Senhas,
         "senhas VALUES ('Wi-fi', ' ', ' ')",
         {"1", "Wi-fi"},
         "a senha Wi-fi",
         "Senha removida"},
        {Categoria::Uteis,
         "uteis VALUES ('Táxi', ' ')",
         {"1", "Táxi"},
         "o telefone Táxi",
         "Telefone removido"},
        // Asked by its title, removed by its number.
        {Categoria::Compromisso,
         "compromisso (id, Titulo) VALUES (7, 'Dentista'), (8, 'Dentista')",
         {"8", "06/03/2008 ", "  ", "Dentista ", "  ", "0 dias"},
         "o compromisso Dentista ",
         "Compromisso removido"},
    };
    for (const auto& [cat, insercao, linha, alvo, sucesso] : casos) {
        dlg->limpar();
        principal->recargas.clear();
        principal->abertaNaRecarga.clear();
        amb->executar(QString("INSERT INTO ") + insercao);
        const QString todas = "SELECT * FROM " + QString(insercao).section(' ', 0, 0);
        const QStringList antes = amb->linhas(todas);
        const QString pergunta = "pergunta|Confirmar?|Tem certeza que deseja remover " +
                                 QString::fromUtf8(alvo) + " do banco de dados?|SimNao";
        principal->definir(cat, {linha});
        dlg->respostas << Resposta::Nao << Resposta::Sim;
        editors::remover(cat);
        QCOMPARE(chamadas(*dlg), QStringList{pergunta});
        QCOMPARE(amb->linhas(todas), antes);
        QVERIFY(principal->recargas.isEmpty());

        editors::remover(cat);
        QCOMPARE(chamadas(*dlg), QStringList({pergunta, pergunta,
                                              "informacao|Info|" + QString::fromUtf8(sucesso) +
                                                  " com sucesso do banco de dados!"}));
        QCOMPARE(amb->linhas(todas).size(), cat == Categoria::Compromisso ? 1 : 0);
        QCOMPARE(principal->recargas, QList<Categoria>{cat});
        // The removal closes the connection; the appointment loader needs it opened again.
        QCOMPARE(principal->abertaNaRecarga, QList<bool>{cat == Categoria::Compromisso});
    }
}

void TstEditores::removerSemSelecaoOuComFalha() {
    editors::remover(Categoria::Anotacoes);  // empty list: no question
    principal->definir(Categoria::Anotacoes, {{"1", "x"}});
    // The file is gone: the open complains, the question is still asked, the deletion fails.
    amb->soltar();
    banco::liberarConexoes();
    QVERIFY(QFile::remove(amb->arquivo()));
    dlg->respostas << Resposta::Ok << Resposta::Sim;
    editors::remover(Categoria::Anotacoes);
    const QStringList m = chamadas(*dlg);
    QCOMPARE(m.size(), 4);
    QCOMPARE(m[0], "critico|Erro|Ocorreu o seguinte erro: Nenhum registro selecionado.");
    QVERIFY(
        m[1].startsWith("critico|Erro|Ocorreu o seguinte erro ao tentar abrir o banco de "
                        "dados: "));
    QVERIFY(m[2].startsWith("pergunta|Confirmar?|"));
    QVERIFY(m[3].startsWith("critico|Erro|Ocorreu o seguinte erro: "));
    QVERIFY(principal->recargas.isEmpty());
}

void TstEditores::contatosNoMesmoEsquema() {
    amb->executar(
        "INSERT INTO agenda (nome, tel, nascimento, cidade, local) VALUES (?, ?, ?, ?, ?)",
        {"Ana", "5555 ", "1980/05/01 ", "Santos ", amb->pasta() + "/sumiu.png"});
    amb->executar("INSERT INTO agenda (nome, tel) VALUES ('ana', '1 ')");
    principal->definir(Categoria::Agenda, {{"1", "Ana"}});
    editors::adicionar(Categoria::Agenda);
    auto* form = janelas::seCarregada<editors::frmcadagenda>();
    QVERIFY(form && form->isVisible());
    QCOMPARE(form->windowTitle(), QString("Adicionar novo contato"));
    QCOMPARE(form->legendaAcao(), QString("Adicionar Contato"));
    // Editing shows the record on the first page, whichever page was showing.
    form->findChild<QTabWidget*>("xtab")->setCurrentIndex(1);
    editors::editar(Categoria::Agenda);
    QCOMPARE(form->windowTitle(), QString("Editar agenda de contato"));
    QCOMPARE(form->legendaAcao(), QString("Editar contato"));
    QCOMPARE(form->findChild<QTabWidget*>("xtab")->currentIndex(), 0);
    QCOMPARE(lido(form, "txttel"), QString("5555 "));
    QCOMPARE(form->textoCampo("cbocidade"), QString("Santos "));
    QCOMPARE(form->textoCampo("cbonascimento"), QString("1980/05/01"));
    QCOMPARE(form->textoCampo("lbllocal"), amb->pasta() + "/sumiu.png");

    // Saved untouched, the row keeps its values and picture path; what had none is padded.
    clicar(form, "ok");
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->linhas("SELECT tel, nascimento, cidade, local, ddd FROM agenda ORDER BY rowid"),
             QStringList({"5555 |1980/05/01 |Santos |" + amb->pasta() + "/sumiu.png| ",
                          "1 |<null>|<null>|<null>|<null>"}));
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Agenda});
}

void TstEditores::gravarComArquivoOcupadoDizPorque() {
    if (!TravaExterna::disponivel())
        QSKIP("sqlcipher shell not installed");
    banco::abrirPadrao();  // the handle kept from an earlier operation
    TravaExterna outro(amb->arquivo(), 100);
    QVERIFY(outro.presa());
    editors::adicionar(Categoria::Uteis);
    FormularioCadastro* form = aberto(Categoria::Uteis);
    escrever(form, "txtdescricao", "Farmácia");
    clicar(form, "ok");
    QVERIFY(outro.soltar());
    // The open says the file is busy, and so does the save; nothing is lost from the form.
    const QString ocupado = ": o arquivo está em uso por outro programa";
    QCOMPARE(chamadas(*dlg),
             QStringList(
                 {"critico|Erro|Ocorreu o seguinte erro ao tentar abrir o banco de dados" + ocupado,
                  "critico|Erro|Ocorreu o seguinte erro ao tentar incluír os dados" + ocupado}));
    QVERIFY(form->isVisible());
    QCOMPARE(lido(form, "txtdescricao"), QString("Farmácia"));
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT descricao FROM uteis"), QStringList{"Farmácia"});
}

void TstEditores::compromissoVaiParaOArquivoQueEstaLa() {
    banco::abrirPadrao();  // left open by the lists, as the appointment form expects
    amb->soltar();
    // Another program puts a restored copy in the file's place.
    const QString copia = amb->pasta() + "/copia.mde";
    QVERIFY(schema::criarArquivo(copia, QString::fromUtf8(banco::kSenhaBanco)));
    QVERIFY(QFile::rename(amb->arquivo(), amb->pasta() + "/antigo.mde"));
    QVERIFY(QFile::rename(copia, amb->arquivo()));
    editors::adicionar(Categoria::Compromisso);
    escrever(aberto(Categoria::Compromisso), "txttitulo", "Dentista");
    clicar(aberto(Categoria::Compromisso), "ok");
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->linhas("SELECT Titulo FROM compromisso"), QStringList{"Dentista"});
}

QTEST_MAIN(TstEditores)
#include "tst_editores.moc"
