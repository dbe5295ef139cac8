#include <unistd.h>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "ambiente_teste.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/erros.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"

using dialogs::Icone;

namespace {
const QString kSenha = QString::fromUtf8(banco::kSenhaBanco);
const QString kLead = QStringLiteral("Ocorreu o seguinte erro ao tentar abrir o banco de dados: ");
const QString kTail =
    QStringLiteral(" o banco de dados foi definido como local, reinicie o software.");

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The description of the failure a call raises; empty when it does not fail.
QString falha(const std::function<void()>& chamada) {
    try {
        chamada();
    } catch (const db::DbError& e) {
        return e.descricao();
    }
    return {};
}

// Every row of a query on the program's own connection, opened as every loader opens it.
QStringList doPrograma(const QString& sql, const QVariantList& parametros = {}) {
    banco::abrirPadrao();
    return linhasDe(banco::conexao().banco(), sql, parametros);
}
}  // namespace

class TstBanco : public QObject {
    Q_OBJECT
private slots:
    void arquivoNovoTemTabelasEEtiqueta();
    void arquivoAusenteAvisaENaoECriado();
    void arquivoQueNaoEhDoProgramaFicaComoEsta();
    void valoresVoltamEComparamSemAcento();
    void executarsqlELerlogininicia();
    void arquivoTrocadoOuReescritoEhRelido();
    void arquivoOcupadoEsperaEMantemARede();
    void arquivoDeReferenciaEShellDoSqlcipher();
    void falhasComunsDitasEmPortugues();
};

void TstBanco::arquivoNovoTemTabelasEEtiqueta() {
    AmbienteTeste amb;
    QCOMPARE(amb.linhas("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                        "'sqlite%' ORDER BY name COLLATE NOCASE"),
             QStringList({"agenda", "anotacoes", "CamposEtiqueta", "compromisso", "login", "senhas",
                          "uteis"}));
    // Positions are millimetres; the fields must fit the narrowest label of 69.8 mm.
    QCOMPARE(amb.valor("SELECT round([Top], 2) FROM CamposEtiqueta WHERE [Index]=3"),
             QString("21.17"));
    QVERIFY(amb.valor("SELECT max([Left] + Width) FROM CamposEtiqueta").toDouble() <= 69.8);
    // The database numbers appointments itself, and never reuses a number.
    const char* sql = "INSERT INTO compromisso (Data, hora) VALUES ('2026/12/06', '10:00 ')";
    amb.executar(sql);
    amb.executar(sql);
    amb.executar("DELETE FROM compromisso WHERE id = 2");
    amb.executar(sql);
    QCOMPARE(amb.linhas("SELECT id FROM compromisso ORDER BY id"), QStringList({"1", "3"}));
    // The file cannot be read without the key.
    db::Database sem;
    QVERIFY_THROWS_EXCEPTION(db::DbError, sem.open(amb.arquivo(), QString()));
}

void TstBanco::arquivoAusenteAvisaENaoECriado() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // A network file out of reach: said, and the settings go back to the local file.
    const QString rede = amb.pasta() + "/compartilhado/dados.mde";
    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", rede);
    configuracoes::gravar("BackupID", "7");
    banco::abrirPadrao();
    QVERIFY(!banco::conexao().aberta());
    QCOMPARE(dlg.mensagens().size(), 1);
    const auto m = dlg.ultimaMensagem();
    QCOMPARE(m.icone, Icone::Critico);
    QCOMPARE(m.titulo, QString("Erro"));
    QCOMPARE(m.texto, kLead + "o arquivo não foi encontrado" + kTail);
    QCOMPARE(QStringList({configuracoes::ler("EmRede"), configuracoes::ler("RedeLocal"),
                          configuracoes::ler("BackupID")}),
             QStringList({"0", "SemRede", "0"}));
    QVERIFY(!QFile::exists(rede));
    // Every later call opens the local file quietly.
    banco::abrirPadrao();
    QVERIFY(banco::conexao().aberta());
    QCOMPARE(dlg.mensagens().size(), 1);

    // The local file missing: every open fails and says so, and none creates it.
    banco::liberarConexoes();
    amb.soltar();
    QVERIFY(QFile::remove(amb.arquivo()));
    banco::abrirPadrao();
    // Reading the login switch adds no message of its own to the open's.
    QVERIFY(banco::lerlogininicia({}, {}, banco::tipobanco).isEmpty());
    QCOMPARE(dlg.mensagens().size(), 3);
    QCOMPARE(dlg.ultimaMensagem().texto, kLead + "o arquivo não foi encontrado" + kTail);
    QVERIFY(!QFile::exists(amb.arquivo()));
    QVERIFY_THROWS_EXCEPTION(db::DbError, banco::conexao().banco());
}

void TstBanco::arquivoQueNaoEhDoProgramaFicaComoEsta() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.soltar();
    const QByteArray antes = conteudo(amb.arquivo());
    db::Database b;
    QCOMPARE(falha([&] { b.open(amb.arquivo(), "outra senha"); }),
             QString("o arquivo não é um banco de dados ou foi gravado com outra senha"));
    QCOMPARE(conteudo(amb.arquivo()), antes);
    QVERIFY(!QFile::exists(amb.arquivo() + "-journal"));

    const QString texto = amb.pasta() + "/nota.txt";
    QFile f(texto);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("isto não é um banco de dados\n") > 0);
    f.close();
    configuracoes::gravar("RedeLocal", texto);
    banco::abrirPadrao();
    QCOMPARE(dlg.ultimaMensagem().texto,
             kLead + "o arquivo não é um banco de dados ou foi gravado com outra senha" + kTail);
    QCOMPARE(conteudo(texto), QByteArray("isto não é um banco de dados\n"));

    // Keyed like ours, but holding none of our tables: back to the local file.
    const QString estranho = amb.pasta() + "/estranho.mde";
    b.create(estranho, kSenha);
    b.exec("CREATE TABLE outra (x)");
    b.close();
    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", estranho);
    banco::abrirPadrao();
    QCOMPARE(dlg.ultimaMensagem().texto,
             kLead + "o arquivo escolhido não é um banco de dados do Varnelo" + kTail);
    QCOMPARE(configuracoes::ler("RedeLocal"), QString("SemRede"));
    banco::abrirPadrao();
    QCOMPARE(banco::conexao().banco().path(), amb.arquivo());
}

void TstBanco::valoresVoltamEComparamSemAcento() {
    AmbienteTeste amb;
    banco::abrirPadrao();
    db::Database& b = banco::conexao().banco();
    const QStringList valores = {"D'Ávila \"o velho\"", "100% certo", "a_b [c]",
                                 QString(10000, QChar(u'ç')), "'; DROP TABLE agenda; --"};
    for (const QString& v : valores)
        b.exec("INSERT INTO anotacoes (Titulo, anotacoes) VALUES (?, ?)", {v, v + " "});
    b.exec("INSERT INTO uteis (descricao, telefone) VALUES (?, ?)", {QString(""), QVariant()});

    // Columns are found by name in any letter case.
    db::Statement st = b.prepare("SELECT titulo, ANOTACOES FROM anotacoes ORDER BY rowid");
    QStringList lidos;
    while (st.next()) {
        QCOMPARE(st.text("Anotacoes"), st.text("TITULO") + " ");
        lidos << st.text("titulo");
    }
    QCOMPARE(lidos, valores);

    // Empty text and a missing value stay distinguishable.
    db::Statement u = b.prepare("SELECT * FROM uteis");
    QVERIFY(u.next());
    QVERIFY(!u.isNull("descricao"));
    QVERIFY(u.text("descricao").isEmpty());
    QVERIFY(u.isNull("telefone"));
    QVERIFY(!u.value("telefone").isValid());
    QVERIFY_THROWS_EXCEPTION(db::DbError, u.text("naoexiste"));
    QVERIFY_THROWS_EXCEPTION(db::DbError, b.prepare("SELECT * FROM naoexiste"));

    // Comparing and ordering ignore accents and letter case.
    for (const char* nome : {"Zé", "Bruno", "Álvaro", "alvaro", "São Paulo", "João", "ana_b",
                             "anaxb", "Élida", "Eduardo"})
        b.exec("INSERT INTO agenda (nome) VALUES (?)", {QString::fromUtf8(nome)});
    const QString sql = "select nome from agenda where nome like ? order by nome";
    QCOMPARE(doPrograma(sql, {"%"}), QStringList({"alvaro", "Álvaro", "ana_b", "anaxb", "Bruno",
                                                  "Eduardo", "Élida", "João", "São Paulo", "Zé"}));
    QCOMPARE(doPrograma(sql, {"%são%"}), QStringList{"São Paulo"});
    QCOMPARE(doPrograma(sql, {"JOAO"}), QStringList{"João"});
    // "_" is a letter like any other; only "%" is a wildcard.
    QCOMPARE(doPrograma(sql, {"%a_b%"}), QStringList{"ana_b"});
    QCOMPARE(doPrograma(sql, {"%v%o"}), QStringList({"alvaro", "Álvaro"}));
    QVERIFY(doPrograma(sql, {""}).isEmpty());
}

void TstBanco::executarsqlELerlogininicia() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // The login switch: file and key are always the program's own, whatever is passed.
    const QString tipo = banco::tipobanco;
    QCOMPARE(banco::lerlogininicia("x", "y", tipo), QString("0"));
    amb.executar("UPDATE login SET login_inicia=NULL");
    QVERIFY(banco::lerlogininicia("x", "y", tipo) != "1");

    banco::executarsql("UPDATE login SET login=? WHERE ID=1", {"o'Brien"}, banco::arquivobanco,
                       kSenha, banco::tipobanco);
    QVERIFY(!banco::conexao().aberta());
    QCOMPARE(amb.valor("SELECT login FROM login"), QString("o'Brien"));
    amb.executar("DELETE FROM login");
    QVERIFY(banco::lerlogininicia("x", "y", tipo).isEmpty());
    QVERIFY(dlg.chamadas.isEmpty());

    banco::executarsql("UPDATE semtabela SET x=1", {}, banco::arquivobanco, kSenha,
                       banco::tipobanco);
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().icone, Icone::Critico);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Varnelo"));
    QCOMPARE(dlg.ultimaMensagem().texto,
             QString("Ocorreu o seguinte erro: no such table: semtabela"));
    QVERIFY(banco::conexao().aberta());
}

void TstBanco::arquivoTrocadoOuReescritoEhRelido() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    banco::abrirPadrao();
    banco::conexao().banco().exec("INSERT INTO uteis (descricao) VALUES ('velho')");
    amb.soltar();
    // Another database of the program, with a salt of its own, changed elsewhere.
    auto outro = [&](const QString& nome, const QString& origem, const char* descricao) {
        const QString caminho = amb.pasta() + "/" + nome;
        QVERIFY(origem.isEmpty() ? schema::criarArquivo(caminho, kSenha)
                                 : QFile::copy(origem, caminho));
        db::Database b;
        b.open(caminho, kSenha);
        b.exec("DELETE FROM uteis");
        b.exec("INSERT INTO uteis (descricao) VALUES (?)", {QString(descricao)});
    };
    // Put in its place, as a restore does: what the next open sees.
    outro("trocado.mde", amb.arquivo(), "trocado");
    QVERIFY(QFile::remove(amb.arquivo()));
    QVERIFY(QFile::rename(amb.pasta() + "/trocado.mde", amb.arquivo()));
    QCOMPARE(doPrograma("SELECT descricao FROM uteis"), QStringList{"trocado"});
    // Same file, same inode: only its bytes change, as a copy over a share does; first
    // from another database, then from a copy of this one (same salt, other rows).
    for (auto [nome, origem, descricao] :
         {std::tuple{"novo.mde", "", "novo"}, {"copia.mde", "dados.mde", "mudado"}}) {
        outro(nome, *origem ? amb.pasta() + "/" + origem : QString(), descricao);
        const QByteArray bytes = conteudo(amb.pasta() + "/" + nome);
        QFile f(amb.arquivo());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
        f.close();
        QCOMPARE(doPrograma("SELECT descricao FROM uteis"), QStringList{descricao});
    }
    QVERIFY(dlg.chamadas.isEmpty());
}

void TstBanco::arquivoOcupadoEsperaEMantemARede() {
    if (QStandardPaths::findExecutable("sqlcipher").isEmpty())
        QSKIP("sqlcipher shell not installed");
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    const QString rede = amb.pasta() + "/rede.mde";
    QVERIFY(QFile::copy(amb.arquivo(), rede));
    configuracoes::gravar("EmRede", "1");
    configuracoes::gravar("RedeLocal", rede);
    // Another program holds the write lock through the whole wait.
    QProcess outro;
    outro.start("sqlcipher", {rede});
    QVERIFY(outro.waitForStarted());
    outro.write(
        QString("PRAGMA key='%1';\nBEGIN EXCLUSIVE;\nSELECT 'preso';\n").arg(kSenha).toUtf8());
    QVERIFY(outro.waitForReadyRead());
    QCOMPARE(outro.readAllStandardOutput(), QByteArray("preso\n"));

    const int antes = db::esperaOcupado();
    db::definirEsperaOcupado(400);
    QElapsedTimer relogio;
    relogio.start();
    banco::abrirPadrao();
    const qint64 esperou = relogio.elapsed();
    db::definirEsperaOcupado(antes);
    QVERIFY2(esperou >= 300, qPrintable(QString::number(esperou)));
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().icone, Icone::Critico);
    // Nothing was set back to local, so the message does not say it was.
    QCOMPARE(dlg.ultimaMensagem().texto, kLead + "o arquivo está em uso por outro programa");
    // A statement that follows tells the same reason.
    QCOMPARE(falha([] { banco::conexao().banco(); }),
             QString("o arquivo está em uso por outro programa"));
    QCOMPARE(configuracoes::ler("EmRede") + "|" + configuracoes::ler("RedeLocal"), "1|" + rede);

    outro.write("COMMIT;\n.quit\n");
    outro.closeWriteChannel();
    QVERIFY(outro.waitForFinished());
    banco::abrirPadrao();
    QVERIFY(banco::conexao().aberta());
    QCOMPARE(banco::conexao().banco().path(), rede);
    QCOMPARE(dlg.mensagens().size(), 1);
}

void TstBanco::arquivoDeReferenciaEShellDoSqlcipher() {
    // Written once by this program and kept as it was: whatever SQLCipher a build links,
    // the key settings must still read it.
    const QString referencia = QFINDTESTDATA("arquivos/referencia.mde");
    QVERIFY(!referencia.isEmpty());
    QCOMPARE(QFileInfo(referencia).size() % 1024, 0);
    QTemporaryDir pasta;
    const QString copia = pasta.filePath("dados.mde");
    QVERIFY(QFile::copy(referencia, copia));
    QVERIFY(QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner));
    schema::verificarArquivo(copia, kSenha);
    db::Database b;
    b.open(copia, kSenha);
    QCOMPARE(linhasDe(b,
                      "SELECT nome, tel, cidade FROM agenda UNION ALL SELECT Titulo, anotacoes, '' "
                      "FROM anotacoes UNION ALL SELECT Titulo, Data, hora FROM compromisso"),
             QStringList({"João d'Ávila|5555-1234 |São Paulo ", "Lembrete|Comprar pão |",
                          "Ceia|2026/12/24|20:00 "}));

    // The file stays usable from the plain sqlcipher shell, which knows nothing of
    // the program's comparison; what it writes the program then sorts its own way.
    if (QStandardPaths::findExecutable("sqlcipher").isEmpty())
        QSKIP("sqlcipher shell not installed");
    AmbienteTeste amb;
    amb.soltar();
    QProcess shell;
    shell.start("sqlcipher", {amb.arquivo()});
    QVERIFY(shell.waitForStarted());
    shell.write(QString("PRAGMA key='%1';\n"
                        "INSERT INTO agenda (nome, tel) VALUES ('Zé', '1 '), ('Álvaro', '2 '),"
                        " ('bruno', '3 ');\n"
                        "SELECT count(*) FROM agenda WHERE nome = 'bruno';\n"
                        "SELECT nome FROM agenda ORDER BY nome LIMIT 1;\n")
                    .arg(kSenha)
                    .toUtf8());
    shell.closeWriteChannel();
    QVERIFY(shell.waitForFinished());
    QCOMPARE(shell.readAllStandardError(), QByteArray());
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("1\nbruno\n"));
    QCOMPARE(doPrograma("select nome from agenda order by nome"),
             QStringList({"Álvaro", "bruno", "Zé"}));
}

void TstBanco::falhasComunsDitasEmPortugues() {
    // Any other failure keeps the system's own words.
    QCOMPARE(erros::doSistema("Something else"), QString("Something else"));

    AmbienteTeste amb;
    DialogosRoteiro dlg;
    auto inserir = [] {
        banco::abrirPadrao();
        return falha([] {
            banco::conexao().banco().exec("INSERT INTO anotacoes VALUES (?, ?)",
                                          {"x", QString(200000, 'x')});
        });
    };
    if (getuid() != 0)
        QSKIP("needs root for chattr and mount");
    // A file nobody may write, not even its owner.
    amb.soltar();
    banco::liberarConexoes();
    if (QProcess::execute("chattr", {"+i", amb.arquivo()}) == 0) {
        const QString erro = inserir();
        QProcess::execute("chattr", {"-i", amb.arquivo()});
        QCOMPARE(erro, QString("o arquivo ou a pasta não permite gravação"));
    }
    banco::liberarConexoes();
    // A folder nobody may write: the file is there, its journal cannot be made beside it.
    if (QProcess::execute("chattr", {"+i", amb.pasta()}) == 0) {
        const QString erro = inserir();
        QProcess::execute("chattr", {"-i", amb.pasta()});
        QCOMPARE(erro, QString("a pasta do arquivo não permite gravação"));
    }
    banco::liberarConexoes();
    // Another program puts a file in its place between the open and the write (while a
    // removal asks its question, say).
    {
        db::Database aberto;
        aberto.open(amb.arquivo(), kSenha);
        const QString novo = amb.pasta() + "/novo.mde";
        QVERIFY(QFile::copy(amb.arquivo(), novo));
        QVERIFY(::rename(QFile::encodeName(novo).constData(),
                         QFile::encodeName(amb.arquivo()).constData()) == 0);
        QCOMPARE(falha([&] { aberto.exec("DELETE FROM login"); }),
                 QString("o arquivo foi substituído por outro programa"));
    }
    // A disk with no room left.
    QTemporaryDir pequeno;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", pequeno.path()}) != 0)
        QSKIP("cannot mount a small tmpfs here");
    const QString cheio = pequeno.filePath("dados.mde");
    const bool copiado = QFile::copy(amb.arquivo(), cheio);
    configuracoes::gravar("RedeLocal", cheio);
    const QString erro = copiado ? inserir() : QString();
    banco::liberarConexoes();
    QProcess::execute("umount", {pequeno.path()});
    QVERIFY(copiado);
    QCOMPARE(erro, QString("não há espaço livre no disco"));
    QVERIFY(dlg.chamadas.isEmpty());
}

QTEST_GUILESS_MAIN(TstBanco)
#include "tst_banco.moc"
