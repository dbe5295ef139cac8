#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <optional>

#include <sys/stat.h>

#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/listas.h"
#include "data/regras.h"
#include "data/schema.h"
#include "editors/autocompletar.h"
#include "editors/fluxos.h"
#include "editors/formulariosimples.h"
#include "editors/frmcadagenda.h"
#include "editors/frmcadcompromisso.h"
#include "ui/campodata.h"
#include "ui/janelas.h"
#include "ui/principal.h"

using dialogs::Resposta;
using editors::FormularioCadastro;

namespace {

// Stands in for the main window: the rows of each list, the selected one, and every
// reload with whether the shared connection was open at that moment.
class PrincipalFalsa : public ui::Principal {
public:
    PrincipalFalsa() { ui::definirPrincipal(this); }
    ~PrincipalFalsa() override { ui::definirPrincipal(nullptr); }
    // Cells from column 0; `selecionada` -1 for no selection. Each row's record is its
    // entry in `registros`, or else the number in its column 0 (the rowid of the n-th row
    // added, or the appointment's id).
    void definir(Categoria c, const QList<QStringList>& linhas, int selecionada = 0,
                 const QList<qint64>& registros = {}) {
        Celulas celulas(linhas.isEmpty() ? 0 : int(linhas.first().size()));
        for (int i = 0; i < linhas.size(); ++i) {
            celulas.novaLinha(registros.value(i, linhas.at(i).value(0).toLongLong()));
            for (const QString& t : linhas.at(i))
                celulas.acrescentar(t.toUtf8());
        }
        definir(c, celulas, selecionada);
    }
    void definir(Categoria c, const Celulas& celulas, int selecionada) {
        celulas_[c] = celulas;
        selecao_[c] = selecionada;
    }
    const Celulas& celulas(Categoria c) const override {
        static const Celulas vazia;
        const auto it = celulas_.constFind(c);
        return it != celulas_.cend() ? *it : vazia;
    }
    std::optional<int> linhaSelecionada(Categoria c) const override {
        const int s = selecao_.value(c, -1);
        return s >= 0 && s < linhas(c) ? std::optional(s) : std::nullopt;
    }
    void recarregar(Categoria c) override {
        recargas << c;
        abertaNaRecarga << banco::conexao().aberta();
    }
    void recarregarTodas() override {}
    void esvaziarTodas() override {}
    QWidget* janela() override { return nullptr; }
    QAbstractItemView* vista(Categoria) const override { return nullptr; }
    QProgressBar* barraProgresso(Categoria) const override { return nullptr; }
    QList<Categoria> recargas;
    QList<bool> abertaNaRecarga;

private:
    QMap<Categoria, Celulas> celulas_;
    QMap<Categoria, int> selecao_;
};

// What an edit or removal of a record no longer in the file says.
const QString kNaoEncontrado =
    "critico|Erro|Ocorreu o seguinte erro: O registro não foi encontrado no banco de dados.";

FormularioCadastro* aberto(Categoria c) {
    if (c == Categoria::Agenda)
        return janelas::seCarregada<editors::frmcadagenda>();
    if (c == Categoria::Anotacoes)
        return janelas::seCarregada<editors::frmcadanotacoes>();
    if (c == Categoria::Senhas)
        return janelas::seCarregada<editors::frmcadsenhas>();
    if (c == Categoria::Uteis)
        return janelas::seCarregada<editors::frmcadutil>();
    return janelas::seCarregada<editors::frmcadcompromisso>();
}

void guardar(AmbienteTeste& amb, const QString& nome, const QString& tel,
             const QString& local = "nenhum") {
    amb.executar("INSERT INTO agenda (nome, tel, local) VALUES (?, ?, ?)", {nome, tel, local});
}

}  // namespace

// The entry forms driven through the flows, as the main window's commands run them.
class TstEditores : public QObject {
    Q_OBJECT
    std::optional<AmbienteTeste> amb;
    std::optional<DialogosRoteiro> dlg;
    std::optional<PrincipalFalsa> principal;
    // Runs Editar on row `linha` of the list; the category's form, if open.
    FormularioCadastro* editar(Categoria c, const QList<QStringList>& lista, int linha,
                               const QList<qint64>& registros = {}) {
        principal->definir(c, lista, linha, registros);
        editors::editar(c);
        return aberto(c);
    }
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
    void gravarComArquivoOcupadoDizPorque();
    void compromissoVaiParaOArquivoQueEstaLa();
    void janelaCamposOrdemEFoco();
    void completarComoAsBuscas();
    void adicionarGravaAs23Colunas();
    void nomeVazioSoAoAdicionar();
    void duplicidadeDoTelefone();
    void fotoEscolhidaEMantida();
    void doisUsuariosNaoSobrescrevemUmAoOutro();
    void camposIntocadosVoltamComoGuardados();
    void entradaDigitadaNuncaSomeSemPerguntar();
    void caminhoDaFotoNuncaTravaNemViraMarcacao();
    void dataDigitadaComoNoBrasil();
    void dataIlegivelGuardadaVoltaComoEstava();
};

void TstEditores::familiaGuardaCadaColunaPelaSuaRegra() {
    struct Caso {
        Categoria cat;
        QStringList entradas;  // name, text, ...; the key first
        QString esperado, janela, acao, chaveVazia;
    };
    const Caso casos[] = {
        {Categoria::Anotacoes,
         {"txttitulo", "  Reunião d'obra  ", "txtanotacoes", ""},
         "Reunião dobra| ",
         "Adicionar anotação",
         "Adicionar Anotação",
         "O título da anotação deve ser digitado!"},
        {Categoria::Senhas,
         {"txtdescricao", "  Banco 'A'  ", "txtsenha", "abc", "txtcomentario", "\tl1\nl2\n "},
         "  Banco A  |abc |\tl1\nl2\n ",  // only blanks are trimmed
         "Adicionar senha/serial",
         "Adicionar senha/serial",
         "A descrição da senha deve ser digitado!"},
        {Categoria::Uteis,
         {"txtdescricao", " Farmácia d'Ajuda ", "txttel", " 3333 "},
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
        form->preencherCampo(c.entradas.first(), "   ");
        clicar(form, "ok");
        QVERIFY(form->isVisible());
        for (int i = 0; i < c.entradas.size(); i += 2) {
            QWidget* campo = form->findChild<QWidget*>(c.entradas.at(i));
            QVERIFY(!campo->accessibleName().isEmpty());
            QVERIFY(campo->property("varnelo_foco").toBool());
            form->preencherCampo(c.entradas.at(i), c.entradas.at(i + 1));
        }
        clicar(form, "ok");
        QCOMPARE(amb->linhas(QString("SELECT * FROM ") + categoria::tabela(c.cat)),
                 QStringList{c.esperado});
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
        FormularioCadastro* form = editar(Categoria::Anotacoes, lista, linha, registros);
        form->definirLegendaAcao(acao);
        form->preencherCampo("txttitulo", titulo);
        form->preencherCampo("txtanotacoes", "corpo");
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

    // Renamed by another program while open: the save says so, keeps the input, and the
    // list is read again.
    FormularioCadastro* form = editar(Categoria::Anotacoes, lista, 3, registros);
    amb->executar("UPDATE anotacoes SET Titulo = 'ac' WHERE rowid = 2");
    form->preencherCampo("txttitulo", "x");
    principal->recargas.clear();
    clicar(form, "ok");
    QCOMPARE(ultimaMensagem(*dlg),
             "critico|Erro|Ocorreu o seguinte erro ao tentar incluír os "
             "dados: O registro não foi encontrado no banco de dados.");
    QVERIFY(form->isVisible());
    QCOMPARE(form->textoCampo("txttitulo"), QString("x"));
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Anotacoes});
    QCOMPARE(amb->valor("SELECT * FROM anotacoes WHERE rowid = 2"), QString("ac| "));
}

void TstEditores::compromisso() {
    regras::fixarHoje(QDate(2008, 3, 5));
    editors::adicionar(Categoria::Compromisso);
    FormularioCadastro* form = aberto(Categoria::Compromisso);
    QCOMPARE(form->windowTitle(), QString("Cadastro de compromisso"));
    QCOMPARE(form->legendaAcao(), QString("Adicionar Compromisso"));
    QVERIFY(!form->findChild<QWidget*>("txthora")->property("varnelo_foco").toBool());
    form->preencherCampo("txthora", QString(30, '9'));
    form->preencherCampo("txtlocal", QString(200, 'L'));
    QCOMPARE(form->textoCampo("txthora").size() + form->textoCampo("txtlocal").size(), 20 + 150);
    form->preencherCampo("txthora", "10:00");
    form->preencherCampo("txtlocal", "");
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
    form = editar(Categoria::Compromisso, {{"1", "05/03/2008 "}, {"2", "02/01/2010 "}}, 1);
    QCOMPARE(form->windowTitle(), QString("Editar compromisso"));
    QCOMPARE(form->legendaAcao(), QString("Editar Compromisso"));
    QCOMPARE(form->findChild<CampoData*>("cbodata")->data(), std::optional(QDate(2010, 1, 2)));
    QCOMPARE(form->textoCampo("txttitulo") + form->textoCampo("txtlocal") +
                 form->textoCampo("txtdescricao"),
             QString("DentistaSul exames "));
    form->preencherCampo("txthora", " 9:00 ");
    form->preencherCampo("txttitulo", " Reunião d'obra ");
    // An open connection is written on as it stands, whatever the settings now name.
    configuracoes::gravar("RedeLocal", amb->pasta() + "/rede/dados.mde");
    clicar(form, "ok");
    QCOMPARE(amb->valor("SELECT Data, hora, Titulo FROM compromisso WHERE id = 2"),
             QString("2010/01/02|9:00|Reunião d'obra"));

    // Removed meanwhile: the edit says so; then a failed add keeps what was typed.
    descartarFechadas();
    form = editar(Categoria::Compromisso, {{"1", "05/03/2008 "}}, 0);
    amb->executar("DELETE FROM compromisso WHERE id = 1");
    clicar(form, "ok");
    QCOMPARE(ultimaMensagem(*dlg),
             "critico|Erro|Ocorreu o seguinte erro ao tentar editar os "
             "dados: O registro não foi encontrado no banco de dados.");
    amb->executar("DROP TABLE compromisso");
    editors::adicionar(Categoria::Compromisso);
    form->preencherCampo("txttitulo", "guardado");
    clicar(form, "ok");
    QVERIFY(ultimaMensagem(*dlg).startsWith(
        "critico|Erro|Ocorreu o seguinte erro ao tentar cadastrar os dados: "));
    QVERIFY(form->isVisible());
    QCOMPARE(form->textoCampo("txttitulo"), QString("guardado"));
    // Two saves, and the reload after the record that was gone.
    QCOMPARE(principal->recargas.size(), 3);
}

void TstEditores::senhaEditadaNuncaLevaDadosDeOutroRegistro() {
    QVERIFY(!editar(Categoria::Senhas, {}, 0));  // empty list: nothing opens
    amb->executar("INSERT INTO senhas VALUES ('  Banco A  ', 'abc ', 'conta ')");
    // Written by another tool: no password, no comment.
    amb->executar("INSERT INTO senhas (descricao) VALUES ('Banco B')");
    const QList<QStringList> lista{{"1", "  Banco A  "}, {"2", "Banco B"}};
    FormularioCadastro* form = editar(Categoria::Senhas, lista, 0);
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowTitle(), QString("Editar senha/serial"));
    QCOMPARE(form->legendaAcao(), QString("Editar senha/serial"));
    // Screen readers hear the mode the flow set, not the design caption.
    QCOMPARE(QAccessible::queryAccessibleInterface(form->findChild<QToolButton*>("ok"))
                 ->text(QAccessible::Name),
             QString("Editar senha/serial"));
    QCOMPARE(form->textoCampo("txtdescricao") + form->textoCampo("txtsenha") +
                 form->textoCampo("txtcomentario"),
             QString("  Banco A  abc conta "));
    editar(Categoria::Senhas, lista, 1);
    QCOMPARE(form->textoCampo("txtsenha") + form->textoCampo("txtcomentario"), QString());
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT * FROM senhas ORDER BY rowid"),
             QStringList({"  Banco A  |abc |conta ", "Banco B| | "}));

    // Edit A, then add: the same form switches its captions and keeps the fields; with no
    // row selected any more, Editar leaves it adding.
    descartarFechadas();
    form = editar(Categoria::Senhas, lista, 0);
    editors::adicionar(Categoria::Senhas);
    QCOMPARE(form->windowTitle(), QString("Adicionar senha/serial"));
    form->preencherCampo("txtdescricao", "Banco Y");
    editar(Categoria::Senhas, lista, -1);
    QCOMPARE(form->legendaAcao(), QString("Adicionar senha/serial"));
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT * FROM senhas ORDER BY rowid"),
             QStringList({"  Banco A  |abc |conta ", "Banco B| | ", "Banco Y|abc |conta "}));

    // A row gone from the file: said, the list read again, the form left as it was.
    descartarFechadas();
    editors::adicionar(Categoria::Senhas);
    form = aberto(Categoria::Senhas);
    form->preencherCampo("txtsenha", "digitada");
    principal->recargas.clear();
    editar(Categoria::Senhas, {{"1", "sumiu"}}, 0);
    QCOMPARE(chamadas(*dlg), QStringList{kNaoEncontrado});
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Senhas});
    QCOMPARE(form->legendaAcao(), QString("Adicionar senha/serial"));
    QCOMPARE(form->textoCampo("txtsenha"), QString("digitada"));
}

void TstEditores::registroPelaIdentidadeEChave() {
    const QStringList chaves{"a%", "ab", "A%", "a_c", "Ação", "Acao", "d'A", "ab"};
    QList<QStringList> lista;
    for (const QString& c : chaves) {
        amb->executar("INSERT INTO uteis VALUES (?, ?)", {c, QString("tel %1").arg(lista.size())});
        lista << QStringList{QString::number(lista.size() + 1), c};
    }
    for (int i = 0; i < chaves.size(); ++i)
        QCOMPARE(editar(Categoria::Uteis, lista, i)->textoCampo("txttel"),
                 QString("tel %1").arg(i));
    // Of two rows sharing a key, the one chosen is written and removed.
    FormularioCadastro* form = editar(Categoria::Uteis, lista, 7);
    form->preencherCampo("txttel", "mudou");
    clicar(form, "ok");
    QCOMPARE(amb->linhas("SELECT rowid FROM uteis WHERE telefone = 'mudou '"), QStringList{"8"});
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Uteis);
    QCOMPARE(ultimaMensagem(*dlg),
             "informacao|Info|Telefone removido com sucesso do banco de dados!");
    QCOMPARE(amb->linhas("SELECT telefone FROM uteis WHERE descricao = 'ab'"),
             QStringList{"tel 1"});

    // Renamed by another program meanwhile: nothing removed, said, list read again.
    amb->executar("UPDATE uteis SET descricao = 'Ação!' WHERE rowid = 5");
    principal->recargas.clear();
    principal->definir(Categoria::Uteis, lista, 4);
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Uteis);
    QCOMPARE(ultimaMensagem(*dlg), kNaoEncontrado);
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Uteis});
    QCOMPARE(amb->valor("SELECT count(*) FROM uteis"), QString("7"));

    // A key another tool stored as bytes that are no UTF-8 is still removed, alone.
    amb->executar("INSERT INTO uteis VALUES (CAST(X'4361666599' AS TEXT), 'x')");
    banco::abrirPadrao();
    const Celulas lida = listas::ler(
        Categoria::Uteis, QString::fromUtf8(categoria::descricao(Categoria::Uteis).consulta));
    const qint64 registro = amb->valor("SELECT max(rowid) FROM uteis").toLongLong();
    int estranha = 0;
    while (estranha < lida.linhas() && lida.registro(estranha) != registro)
        ++estranha;
    principal->definir(Categoria::Uteis, lida, estranha);
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Uteis);
    QVERIFY(ultimaMensagem(*dlg).startsWith("informacao|"));
    QCOMPARE(amb->linhas("SELECT rowid FROM uteis ORDER BY rowid"),
             QStringList({"1", "2", "3", "4", "5", "6", "7"}));
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
        // The removal closes the connection; every loader opens it again itself, after
        // emptying its list.
        QCOMPARE(principal->abertaNaRecarga, QList<bool>{false});
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

void TstEditores::gravarComArquivoOcupadoDizPorque() {
    if (!TravaExterna::disponivel())
        QSKIP("sqlcipher shell not installed");
    TravaExterna outro(100);
    banco::abrirPadrao();  // the handle kept from an earlier operation
    QVERIFY(outro.prender(amb->arquivo()));
    editors::adicionar(Categoria::Uteis);
    FormularioCadastro* form = aberto(Categoria::Uteis);
    form->preencherCampo("txtdescricao", "Farmácia");
    clicar(form, "ok");
    QVERIFY(outro.soltar());
    // The open says the file is busy, and so does the save; nothing is lost from the form.
    const QString ocupado = ": o arquivo está em uso por outro programa";
    QCOMPARE(chamadas(*dlg),
             QStringList(
                 {"critico|Erro|Ocorreu o seguinte erro ao tentar abrir o banco de dados" + ocupado,
                  "critico|Erro|Ocorreu o seguinte erro ao tentar incluír os dados" + ocupado}));
    QVERIFY(form->isVisible());
    QCOMPARE(form->textoCampo("txtdescricao"), QString("Farmácia"));
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
    aberto(Categoria::Compromisso)->preencherCampo("txttitulo", "Dentista");
    clicar(aberto(Categoria::Compromisso), "ok");
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->linhas("SELECT Titulo FROM compromisso"), QStringList{"Dentista"});
}

void TstEditores::janelaCamposOrdemEFoco() {
    editors::adicionar(Categoria::Agenda);
    FormularioCadastro* f = aberto(Categoria::Agenda);
    QCOMPARE(f->windowTitle(), QString("Adicionar novo contato"));
    QCOMPARE(f->legendaAcao(), QString("Adicionar Contato"));
    QCOMPARE(f->findChild<QTabWidget*>("xtab")->tabText(1), QString("> DADOS ADICIONAIS"));
    QVERIFY(!f->rotuloChave()->isVisible());
    QCOMPARE(f->findChild<QLineEdit*>("txtddd")->maxLength(), 5);
    // Keyboard order, each field named by its caption; the picture ends the first page.
    const QStringList campos =
        QString(
            "txtnome|NOME DO CONTATO|cbonascimento|NASCIMENTO|txtddd|DDD|txttel|TELEFONE|txtcel|"
            "CELULAR|txtnextel|RADIO/NEXTEL|txtfax|FAX|txtmsn|MSN|txtskype|SKYPE|cboestado|ESTADO|"
            "cbocidade|CIDADE|cbobairro|BAIRRO|cbocep|CEP|txtendereco|ENDEREÇO|txtEmail|E-MAIL|"
            "txtsite|WEBSITE|imgfoto|Foto do contato|txtempresa|EMPRESA|txttelemp|TELEFONE DE "
            "CONTATO|txtfaxemp|FAX|txtemailemp|E-MAIL DE CONTATO|txtsiteemp|SITE DA "
            "EMPRESA|txtinfo|INFORMAÇÕES ADICIONAIS")
            .split('|');
    QStringList nomes, ordem;
    for (int i = 0; i < campos.size(); i += 2) {
        QWidget* w = f->findChild<QWidget*>(campos.at(i));
        QCOMPARE(w->accessibleName(), campos.at(i + 1));
        // The first page is laid out around its fields: none is squeezed.
        if (i < 34)
            QVERIFY(w->width() >= w->minimumSizeHint().width());
        nomes << campos.at(i);
    }
    for (QWidget* w = f->findChild<QWidget*>("txtnome"); ordem.size() < nomes.size();
         w = w->nextInFocusChain())
        if (nomes.contains(w->objectName()) && !ordem.contains(w->objectName()))
            ordem << w->objectName();
    QCOMPARE(ordem, nomes);
    for (const char* nome : {"txtnome", "cbonascimento", "txtendereco", "txtinfo"}) {
        QWidget* w = f->findChild<QWidget*>(nome);
        QFocusEvent entra(QEvent::FocusIn), sai(QEvent::FocusOut);
        QCoreApplication::sendEvent(w, &entra);
        QCOMPARE(w->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
        QCoreApplication::sendEvent(w, &sai);
        QVERIFY(w->palette().color(QPalette::Base) != QColor(0xFF, 0xFF, 0xC0));
    }
    // Enter on the picture asks for a file, as a click does.
    QTest::keyClick(f->findChild<QWidget*>("imgfoto"), Qt::Key_Return);
    QCOMPARE(dlg->chamadas.value(0).tipo, QString("abrir"));
    // The keyboard alone: an empty birthday lets Tab go on, Tab reaches the toolbar's
    // buttons and Enter presses one, Esc closes the form as "Cancelar" does.
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    // Opened, the form's focus is on its first page, not on its toolbar.
    QVERIFY(f->findChild<QWidget*>("xtab")->isAncestorOf(QApplication::focusWidget()));
    // The calendar of an empty birthday opens on today and leaves the field empty.
    auto* nascimento = f->findChild<CampoData*>("cbonascimento");
    nascimento->abrirCalendario();
    nascimento->calendario()->window()->hide();
    QVERIFY(nascimento->vazio());
    QCOMPARE(nascimento->calendario()->selectedDate(), regras::hoje());
    f->findChild<QWidget*>("cbonascimento")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->findChild<QWidget*>("txtddd"));
    // The fields come first; Tab from the last one reaches the toolbar's buttons.
    f->findChild<QWidget*>("txtinfo")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* ok = f->findChild<QToolButton*>("ok");
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Return);
    QCOMPARE(dlg->ultimaMensagem().texto, QString("O nome do contato deve ser digitado!"));
    QVERIFY(f->isVisible());
    QTest::keyClick(f, Qt::Key_Escape);
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda));
    QCOMPARE(amb->valor("SELECT count(*) FROM agenda"), QString("0"));
}

void TstEditores::completarComoAsBuscas() {
    using editors::procurarEntrada;
    const QStringList cidades = {"Santos ", "São Paulo ", "santa Rita "};
    QCOMPARE(procurarEntrada(cidades, "santa"), 2);
    QCOMPARE(procurarEntrada(cidades, "Santos  "), -1);
    QCOMPARE(procurarEntrada({"Santo ", "Sa_to "}, "sa_"), 1);  // "_" is a letter here
    for (int tecla : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Shift, Qt::Key_Left, Qt::Key_Insert})
        QVERIFY(!editors::teclaCompleta(tecla));

    for (const QString& c : cidades + QStringList{"Santos ", " "})
        amb->executar("INSERT INTO agenda (nome, cidade, endereco) VALUES ('x', ?, ?)",
                      {c, "Rua " + c});
    editors::adicionar(Categoria::Agenda);
    auto* cidade = aberto(Categoria::Agenda)->findChild<QComboBox*>("cbocidade");
    QCOMPARE(cidade->count(), 4);  // distinct, the empty field as one blank
    QCOMPARE(cidade->itemText(3), QString(" "));
    QCOMPARE(aberto(Categoria::Agenda)->findChild<QComboBox*>("txtendereco")->itemText(1),
             QString("Rua São Paulo "));
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

void TstEditores::adicionarGravaAs23Colunas() {
    editors::adicionar(Categoria::Agenda);
    aberto(Categoria::Agenda)->preencherCampo("txtnome", "Fulano");
    clicar(aberto(Categoria::Agenda), "ok");
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda));
    QCOMPARE(amb->valor("SELECT * FROM agenda"), "Fulano" + QString("| ").repeated(21) + "|nenhum");
    editors::adicionar(Categoria::Agenda);
    FormularioCadastro* f = aberto(Categoria::Agenda);
    const QStringList campos =
        QString(
            "txtnome|  D'Ávila |txtddd|(011)9|txttel|  5555 |txtcel|cel|txtnextel|  |txtfax|fax|"
            "txtmsn|msn|txtskype|sky'pe|cboestado|SP|cbocidade| Sé|cbobairro|bai|cbocep|cep|"
            "txtendereco|Rua d'Ouro|txtEmail|a@b|txtsite|site|cbonascimento|1980/05/01|"
            "txtempresa|emp|txttelemp|telemp|txtfaxemp|faxemp|txtemailemp|c@d|txtsiteemp|siteemp|"
            "txtinfo|l1\nl2 ")
            .split('|');
    for (int i = 0; i < campos.size(); i += 2)
        f->preencherCampo(campos.at(i), campos.at(i + 1));
    clicar(f, "ok");
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->valor("SELECT * FROM agenda WHERE rowid = 2"),
             QString("DÁvila|(011) |5555 |cel | |fax |msn |sky'pe |SP |Sé |bai |cep |Rua d'Ouro "
                     "|a@b |site |1980/05/01 |emp |telemp |faxemp |c@d |siteemp |l1\nl2 |nenhum"));
    QCOMPARE(principal->recargas, QList<Categoria>({Categoria::Agenda, Categoria::Agenda}));
}

void TstEditores::nomeVazioSoAoAdicionar() {
    guardar(*amb, "Beltrano", "123 ");
    // The telephone question comes first; the name check after its Yes.
    editors::adicionar(Categoria::Agenda);
    FormularioCadastro* f = aberto(Categoria::Agenda);
    f->preencherCampo("txtnome", "   ");
    f->preencherCampo("txttel", "123");
    dlg->respostas << Resposta::Sim;
    clicar(f, "ok");
    QCOMPARE(chamadas(*dlg).size(), 2);
    QVERIFY(chamadas(*dlg).first().startsWith("pergunta|Duplicidade!|"));
    QCOMPARE(ultimaMensagem(*dlg), "exclamacao|Erro|O nome do contato deve ser digitado!");
    QVERIFY(f->isVisible());

    // Editing may empty the name: written as empty text, without a message. The input typed
    // before is let go first, when asked.
    dlg->respostas << Resposta::Sim;
    f = editar(Categoria::Agenda, {{"1", "Beltrano"}}, 0);
    QVERIFY(ultimaMensagem(*dlg).startsWith("pergunta|Descartar alterações|"));
    f->preencherCampo("txtnome", "");
    clicar(f, "ok");
    QCOMPARE(amb->linhas("SELECT nome, tel FROM agenda"), QStringList{"|123 "});
    QCOMPARE(dlg->mensagens().size(), 3);
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda));
}

void TstEditores::duplicidadeDoTelefone() {
    guardar(*amb, "Ana", "5555-1234 ");
    guardar(*amb, "Bia", " ");
    guardar(*amb, "Caio", "ramal 'B' ");
    // The number of messages, negative when the form stayed open.
    auto adicionar = [&](const QString& tel, Resposta resposta) {
        dlg->limpar();
        dlg->respostas.clear();
        if (FormularioCadastro* aberta = aberto(Categoria::Agenda))
            aberta->fecharSemPerguntar();
        descartarFechadas();
        dlg->respostas << resposta;
        editors::adicionar(Categoria::Agenda);
        aberto(Categoria::Agenda)->preencherCampo("txtnome", "Novo");
        aberto(Categoria::Agenda)->preencherCampo("txttel", tel);
        clicar(aberto(Categoria::Agenda), "ok");
        descartarFechadas();
        const int n = static_cast<int>(dlg->mensagens().size());
        return aberto(Categoria::Agenda) ? -n : n;
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
    FormularioCadastro* f = editar(Categoria::Agenda, {{"2", "Bia"}}, 0);
    f->preencherCampo("txttel", "5555-1234");
    clicar(f, "ok");
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda) && dlg->mensagens().isEmpty());
}

void TstEditores::fotoEscolhidaEMantida() {
    QVERIFY(QDir(amb->pasta()).mkdir("Fotos d'Ana"));
    const QString foto = amb->pasta() + "/Fotos d'Ana/rosto.png";
    QImage imagem(60, 30, QImage::Format_RGB32);
    imagem.fill(Qt::darkGreen);
    QVERIFY(imagem.save(foto));
    const QString sumida = amb->pasta() + "/apagada.jpg";
    const QString texto = amb->pasta() + "/notas.bmp";
    QFile arquivo(texto);
    QVERIFY(arquivo.open(QIODevice::WriteOnly) && arquivo.write("não é imagem") > 0);
    arquivo.close();
    // Chosen: the picture is shown fitted; a file that is no picture still gives its path.
    for (bool gravar : {false, true}) {
        editors::adicionar(Categoria::Agenda);
        FormularioCadastro* f = aberto(Categoria::Agenda);
        auto* botao = f->findChild<QToolButton*>("imgfoto");
        dlg->limpar();
        dlg->arquivos << foto << "" << texto;
        botao->click();
        QCOMPARE(chamadas(*dlg), QStringList{"abrir|Carregar imagem do contato|Arquivos de "
                                             "imagens|*.bmp;*.jpg;*.jpeg;*.png;*.gif"});
        QCOMPARE(botao->icon().availableSizes().value(0), QSize(120, 60));  // same shape
        const qint64 mostrada = botao->icon().cacheKey();
        botao->click();  // cancelled: nothing changes
        QCOMPARE(f->textoCampo("lbllocal"), foto);
        botao->click();  // no picture: the image stays, the path is taken
        QCOMPARE(botao->icon().cacheKey(), mostrada);
        QCOMPARE(f->textoCampo("lbllocal"), texto);
        f->preencherCampo("txtnome", "Com foto");
        clicar(f, gravar ? "ok" : "cancelar");
        descartarFechadas();
        QVERIFY(!aberto(Categoria::Agenda));
    }

    // Edited: the record fills the form on its first page, whichever page was showing; a
    // stored path is kept, though a file that is gone shows no picture; NULL is padded.
    amb->executar(
        "INSERT INTO agenda (nome, tel, nascimento, cidade, local) VALUES "
        "('Ana', '1 ', '1980/05/01 ', 'Santos ', ?), ('Bia', '2 ', NULL, NULL, ?)",
        {foto, sumida});
    const QList<QStringList> lista{{"2", "Ana"}, {"3", "Bia"}};
    for (int i : {0, 1}) {
        editors::adicionar(Categoria::Agenda);
        aberto(Categoria::Agenda)->findChild<QTabWidget*>("xtab")->setCurrentIndex(1);
        FormularioCadastro* f = editar(Categoria::Agenda, lista, i);
        QCOMPARE(f->windowTitle(), QString("Editar agenda de contato"));
        QCOMPARE(f->legendaAcao(), QString("Editar contato"));
        QCOMPARE(f->findChild<QTabWidget*>("xtab")->currentIndex(), 0);
        QCOMPARE(f->findChild<QToolButton*>("imgfoto")->icon().isNull(), i == 1);
        QCOMPARE(f->textoCampo("lbllocal"), i == 0 ? foto : sumida);
        QCOMPARE(
            f->textoCampo("txttel") + f->textoCampo("cbocidade") + f->textoCampo("cbonascimento"),
            i == 0 ? "1 Santos 1980/05/01" : "2 ");
        if (i == 1)
            f->preencherCampo("txttel", "11");
        clicar(f, "ok");
        descartarFechadas();
    }
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->linhas("SELECT nome, tel, nascimento, cidade, ddd, local FROM agenda"),
             QStringList({"Com foto| | | | |" + texto, "Ana|1 |1980/05/01 |Santos | |" + foto,
                          "Bia|11 | | | |" + sumida}));
    QCOMPARE(principal->recargas.size(), 3);
}

void TstEditores::doisUsuariosNaoSobrescrevemUmAoOutro() {
    const QString alterado =
        "critico|Erro|Ocorreu o seguinte erro ao tentar %1 os dados: O registro foi alterado por "
        "outro usuário depois de aberto; feche e abra de novo para ver a versão atual.";
    amb->executar("INSERT INTO agenda (nome, tel, endereco) VALUES ('Ana', '1111 ', 'Rua A ')");
    amb->executar("INSERT INTO compromisso (Data, hora, Titulo) VALUES ('2030/01/02', '9', 'Ir')");
    // The other running copy of the program: a connection of its own on the same file.
    db::Database outro;
    outro.open(amb->arquivo(), QString::fromUtf8(banco::kSenhaBanco));

    FormularioCadastro* f = editar(Categoria::Agenda, {{"1", "Ana"}}, 0);
    outro.exec("UPDATE agenda SET tel = '2222 ' WHERE nome = 'Ana'");
    f->preencherCampo("txtendereco", "Rua B");
    principal->recargas.clear();
    clicar(f, "ok");
    QCOMPARE(ultimaMensagem(*dlg), alterado.arg("incluír"));
    // Nothing written, the other's change kept, the form open with the user's input and the
    // list read again to show what the file holds.
    QCOMPARE(amb->linhas("SELECT tel, endereco FROM agenda"), QStringList{"2222 |Rua A "});
    QVERIFY(f->isVisible());
    QCOMPARE(f->textoCampo("txtendereco"), QString("Rua B"));
    QCOMPARE(principal->recargas, QList<Categoria>{Categoria::Agenda});
    // Opened again, the current version is saved.
    f->fecharSemPerguntar();
    descartarFechadas();
    f = editar(Categoria::Agenda, {{"1", "Ana"}}, 0);
    QCOMPARE(f->textoCampo("txttel"), QString("2222 "));
    f->preencherCampo("txtendereco", "Rua B");
    clicar(f, "ok");
    QCOMPARE(amb->linhas("SELECT tel, endereco FROM agenda"), QStringList{"2222 |Rua B "});

    // The appointment form keeps to the same rule; a removal of a changed record removes it.
    descartarFechadas();
    dlg->limpar();
    f = editar(Categoria::Compromisso, {{"1", "02/01/2030 "}}, 0);
    outro.exec("UPDATE compromisso SET local = 'Sala 2 '");
    f->preencherCampo("txttitulo", "Ir cedo");
    clicar(f, "ok");
    QCOMPARE(ultimaMensagem(*dlg), alterado.arg("editar"));
    QCOMPARE(amb->valor("SELECT Titulo, local FROM compromisso"), QString("Ir|Sala 2 "));
    principal->definir(Categoria::Compromisso, {{"1", "02/01/2030 ", "9 ", "Ir "}});
    dlg->respostas << Resposta::Sim;
    editors::remover(Categoria::Compromisso);
    QCOMPARE(amb->valor("SELECT count(*) FROM compromisso"), QString("0"));
}

void TstEditores::camposIntocadosVoltamComoGuardados() {
    // Written by an older file or another tool: an apostrophe the form would drop, a date it
    // cannot read, blanks it would trim, bytes that are not UTF-8.
    amb->executar(
        "INSERT INTO agenda (nome, tel, nascimento, estado, bairro, local) VALUES "
        "('D''Ávila', '1 ', '15/03/1980', '  SP', CAST(x'42e1' AS TEXT), 'nenhum')");
    amb->executar("INSERT INTO anotacoes VALUES ('Nota d''Ana ', 'texto')");
    const QString antes = amb->valor("SELECT nome, nascimento, estado, hex(bairro) FROM agenda");
    FormularioCadastro* f = editar(Categoria::Agenda, {{"1", "D'Ávila"}}, 0);
    f->preencherCampo("txttel", "123");
    clicar(f, "ok");
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->valor("SELECT nome, nascimento, estado, hex(bairro) FROM agenda"), antes);
    QCOMPARE(amb->valor("SELECT tel, typeof(bairro) FROM agenda"), QString("123 |text"));
    // What the user types still follows the rules.
    descartarFechadas();
    f = editar(Categoria::Agenda, {{"1", "D'Ávila"}}, 0);
    f->preencherCampo("txtnome", " O'Neil ");
    f->preencherCampo("cboestado", "RJ");
    clicar(f, "ok");
    QCOMPARE(amb->valor("SELECT nome, estado, nascimento FROM agenda"),
             QString("ONeil|RJ |15/03/1980"));

    descartarFechadas();
    f = editar(Categoria::Anotacoes, {{"1", "Nota d'Ana "}}, 0);
    f->preencherCampo("txtanotacoes", "outro texto");
    clicar(f, "ok");
    QCOMPARE(amb->valor("SELECT * FROM anotacoes"), QString("Nota d'Ana |outro texto "));
}

void TstEditores::entradaDigitadaNuncaSomeSemPerguntar() {
    const QString pergunta =
        "pergunta|Descartar alterações|Descartar as alterações feitas em \"%1\"?|SimNao";
    editors::adicionar(Categoria::Agenda);
    FormularioCadastro* f = aberto(Categoria::Agenda);
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    // Opened, the name field has the focus: a name typed at once goes there.
    QCOMPARE(QApplication::focusWidget(), f->findChild<QWidget*>("txtnome"));
    QTest::keyClicks(QApplication::focusWidget(), "Fulano");
    QCOMPARE(f->textoCampo("txtnome"), QString("Fulano"));
    // Another add asks first; No keeps the form as it is.
    editors::adicionar(Categoria::Agenda);
    QCOMPARE(chamadas(*dlg), QStringList{pergunta.arg("Adicionar novo contato")});
    QCOMPARE(aberto(Categoria::Agenda), f);
    QCOMPARE(f->textoCampo("txtnome"), QString("Fulano"));
    // Esc asks too, even where the field's list takes the key first.
    QTest::keyClick(f, Qt::Key_Escape);
    QCOMPARE(dlg->mensagens().size(), 2);
    QVERIFY(f->isVisible());
    // An edit of another record asks; Yes starts the form afresh on that record.
    amb->executar("INSERT INTO agenda (nome, tel) VALUES ('Ana', '1 ')");
    dlg->respostas << Resposta::Sim;
    f = editar(Categoria::Agenda, {{"1", "Ana"}}, 0);
    QCOMPARE(chamadas(*dlg).last(), pergunta.arg("Adicionar novo contato"));
    QCOMPARE(f->textoCampo("txtnome") + f->textoCampo("txttel"), QString("Ana1 "));
    // Unchanged, nothing is asked: Esc closes, and so does a refill.
    dlg->limpar();
    f = editar(Categoria::Agenda, {{"1", "Ana"}}, 0);
    QTest::keyClick(f, Qt::Key_Escape);
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda));
    // Esc on typed input, Yes: the form goes and nothing is written.
    editors::adicionar(Categoria::Uteis);
    f = aberto(Categoria::Uteis);
    f->preencherCampo("txtdescricao", "Pizzaria");
    dlg->respostas << Resposta::Sim;
    QTest::keyClick(f, Qt::Key_Escape);
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Uteis));
    QCOMPARE(chamadas(*dlg), QStringList{pergunta.arg("Adicionar telefone útil")});
    // "Cancelar" is the user's own choice: it asks nothing.
    editors::adicionar(Categoria::Uteis);
    aberto(Categoria::Uteis)->preencherCampo("txtdescricao", "Pizzaria");
    clicar(aberto(Categoria::Uteis), "cancelar");
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Uteis));
    QCOMPARE(dlg->mensagens().size(), 1);
    QCOMPARE(amb->valor("SELECT count(*) FROM uteis"), QString("0"));
}

void TstEditores::caminhoDaFotoNuncaTravaNemViraMarcacao() {
    const QString fifo = amb->pasta() + "/fila";
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString marcacao = "<b>negrito</b><img src='" + amb->pasta() + "/x.png'>";
    amb->executar("INSERT INTO agenda (nome, local) VALUES ('Fila', ?), ('Marca', ?)",
                  {fifo, marcacao});
    for (int i : {0, 1}) {
        // A FIFO nobody writes to: opening it for reading would never return.
        FormularioCadastro* f = editar(Categoria::Agenda, {{"1", "Fila"}, {"2", "Marca"}}, i);
        QVERIFY(f->findChild<QToolButton*>("imgfoto")->icon().isNull());
        auto* local = f->findChild<QLabel*>("lbllocal");
        QCOMPARE(local->textFormat(), Qt::PlainText);
        QCOMPARE(local->text(), i == 0 ? fifo : marcacao);
        f->preencherCampo("txttel", "9");
        clicar(f, "ok");
        descartarFechadas();
    }
    QCOMPARE(amb->linhas("SELECT local FROM agenda"), QStringList({fifo, marcacao}));
}

void TstEditores::dataDigitadaComoNoBrasil() {
    const QString invalida = "exclamacao|Erro|A data digitada não é válida: use dd/mm/aaaa.";
    regras::fixarHoje(QDate(2031, 7, 9));
    editors::adicionar(Categoria::Agenda);
    FormularioCadastro* f = aberto(Categoria::Agenda);
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    f->preencherCampo("txtnome", "Ana");
    auto* nascimento = f->findChild<CampoData*>("cbonascimento");
    nascimento->setFocus();
    QTest::keyClicks(nascimento, "31/02/2020");
    // Refused on the page that shows it, with nothing written.
    auto* abas = f->findChild<QTabWidget*>("xtab");
    abas->setCurrentIndex(1);
    clicar(f, "ok");
    QCOMPARE(chamadas(*dlg), QStringList{invalida});
    QCOMPARE(abas->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), nascimento);
    QCOMPARE(nascimento->textoDigitado(), QString("31/02/2020"));
    QCOMPARE(amb->valor("SELECT count(*) FROM agenda"), QString("0"));
    QTest::keyClicks(nascimento, "15/03/1980");
    QTest::keyClick(nascimento, Qt::Key_Tab);
    QCOMPARE(nascimento->textoDigitado(), QString("15/03/1980"));
    clicar(f, "ok");
    descartarFechadas();
    QVERIFY(!aberto(Categoria::Agenda));

    editors::adicionar(Categoria::Agenda);
    f = aberto(Categoria::Agenda);
    f->preencherCampo("txtnome", "Bia");
    QTest::keyClicks(f->findChild<CampoData*>("cbonascimento"), "01021990");
    clicar(f, "ok");
    QCOMPARE(chamadas(*dlg), QStringList{invalida});
    QCOMPARE(amb->linhas("SELECT nome, nascimento FROM agenda"),
             QStringList({"Ana|1980/03/15 ", "Bia|1990/02/01 "}));

    // The appointment's date is obligatory: emptied, it is refused; typed, it is saved.
    descartarFechadas();
    dlg->limpar();
    editors::adicionar(Categoria::Compromisso);
    f = aberto(Categoria::Compromisso);
    auto* data = f->findChild<CampoData*>("cbodata");
    QCOMPARE(data->textoDigitado(), QString("09/07/2031"));
    data->selectAll();
    QTest::keyClick(data, Qt::Key_Backspace);
    clicar(f, "ok");
    QCOMPARE(chamadas(*dlg), QStringList{"exclamacao|Erro|A data deve ser preenchida!"});
    QTest::keyClicks(data, "5/3/2008");
    clicar(f, "ok");
    QCOMPARE(amb->valor("SELECT Data FROM compromisso"), QString("2008/03/05"));
}

void TstEditores::dataIlegivelGuardadaVoltaComoEstava() {
    amb->executar(
        "INSERT INTO compromisso (Data, hora, Titulo) VALUES ('sem data', '9:00', 'a'), "
        "(NULL, '9:00', 'b')");
    const QList<QStringList> lista{{"1", "sem data"}, {"2", ""}};
    for (int i : {0, 1}) {
        FormularioCadastro* f = editar(Categoria::Compromisso, lista, i);
        QCOMPARE(f->findChild<CampoData*>("cbodata")->textoDigitado(),
                 QString(i == 0 ? "sem data" : ""));
        f->preencherCampo("txttitulo", "novo");
        clicar(f, "ok");
        descartarFechadas();
    }
    // No message for either; a missing date comes back as every missing column does.
    QVERIFY(dlg->mensagens().isEmpty());
    QCOMPARE(amb->linhas("SELECT quote(Data), Titulo FROM compromisso"),
             QStringList({"'sem data'|novo", "''|novo"}));
    // Typed over, the same field must be readable.
    FormularioCadastro* f = editar(Categoria::Compromisso, lista, 0);
    QTest::keyClicks(f->findChild<CampoData*>("cbodata"), "x1");
    clicar(f, "ok");
    QCOMPARE(ultimaMensagem(*dlg),
             QString("exclamacao|Erro|A data digitada não é válida: use dd/mm/aaaa."));
    QCOMPARE(amb->valor("SELECT Data FROM compromisso WHERE id = 1"), QString("sem data"));
}

QTEST_MAIN(TstEditores)
#include "tst_editores.moc"
