#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "ambiente_teste.h"
#include "data/arquivos.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/copiabanco.h"
#include "data/schema.h"
#include "data/sqlite.h"

namespace {

// The password of the protected file kept with the tests.
const QString kSenhaFixture = QStringLiteral("Senha de teste 1");

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the plain sqlcipher shell reads with this key, or its failure.
QString peloShell(const QString& arquivo, const QString& chave, const QString& sql) {
    QProcess shell;
    shell.start("sqlcipher", {arquivo});
    shell.write(QString("PRAGMA key = \"%1\";\n%2;\n").arg(chave, sql).toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardOutput() + shell.readAllStandardError())
        .trimmed();
}

// The key as an independent reader derives it from the password and the file's first
// bytes (the argon2 module of the system's Python); empty when it cannot.
QString peloArgon2(const QString& senha, const QByteArray& sal) {
    QProcess p;
    p.start("/usr/bin/python3",
            {"-c",
             "import sys\n"
             "from argon2.low_level import hash_secret_raw, Type\n"
             "print(hash_secret_raw(sys.stdin.buffer.read(), bytes.fromhex(sys.argv[1]), "
             "time_cost=3, memory_cost=65536, parallelism=1, hash_len=32, type=Type.ID, "
             "version=19).hex())",
             QString::fromLatin1(sal.toHex())});
    p.write(senha.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished() || p.exitCode() != 0)
        return {};
    return "x'" + QString::fromLatin1(p.readAllStandardOutput()).trimmed().toUpper() + "'";
}

QStringList linhasCom(const QString& arquivo, const QString& chave, const QString& sql) {
    db::Database b;
    b.openReadOnly(arquivo, chave);
    return linhasDe(b, sql);
}

const char* const kTodas =
    "SELECT descricao || '|' || senha FROM senhas UNION ALL SELECT nome FROM agenda "
    "UNION ALL SELECT Titulo FROM anotacoes";

}  // namespace

class TstChave : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        chave::esquecer();
        copia::aoPassoDaTroca() = {};
    }
    void derivacaoFixada();
    void arquivoProtegidoGuardado();
    void protegerTrocarERetirar();
    void falhaEmCadaPassoDeixaOArquivo();
    void sessaoLembraEEsquece();
    void temporariosDaTrocaRemovidos();
    void processoMortoEmCadaPasso();
};

void TstChave::derivacaoFixada() {
    // Values of the reference implementation: changing a parameter fails here first.
    QByteArray sal;
    for (int i = 0; i < 16; ++i)
        sal.append(char(i + '0' + (i >= 10 ? 39 : 0)));
    QCOMPARE(sal, QByteArray("0123456789abcdef"));
    QCOMPARE(chave::derivar("Senha de teste 1", sal),
             QString("x'87A20854D15810E9859B62BBA9E6C3582D65F7BE518C453D422742E223CE3BCB'"));
    QCOMPARE(chave::derivar(QString::fromUtf8("Çãô ção"), sal),
             QString("x'B081CFAF67AC03DAA23EAED68D5A37E2BAABA450767D207AC38E251805F2A3FE'"));
    QCOMPARE(chave::derivar("Senha de teste 1", sal).size(), 67);
}

void TstChave::arquivoProtegidoGuardado() {
    const QString fixture = QFINDTESTDATA("arquivos/protegido.mde");
    QVERIFY(!fixture.isEmpty());
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath("dados.mde");
    QVERIFY(QFile::copy(fixture, arquivo));
    QVERIFY(QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner));
    const QByteArray antes = conteudo(arquivo);

    QVERIFY(chave::pareceCifrado(arquivo));
    QCOMPARE(chave::testar(arquivo, chave::embutida()), chave::Teste::ChaveErrada);
    QCOMPARE(chave::testar(arquivo, chave::paraSenha(arquivo, "senha de teste 1")),
             chave::Teste::ChaveErrada);
    const QString k = chave::paraSenha(arquivo, kSenhaFixture);
    QCOMPARE(chave::testar(arquivo, k), chave::Teste::Abre);
    schema::verificarArquivo(arquivo, k);
    QCOMPARE(linhasCom(arquivo, k, kTodas),
             QStringList({"Banco do Povo|p@ss W0rd ", "Maria Protegida", "Lembrete"}));
    QCOMPARE(conteudo(arquivo), antes);  // refused and accepted tries wrote nothing

    const QString independente = peloArgon2(kSenhaFixture, chave::sal(arquivo));
    if (QStandardPaths::findExecutable("sqlcipher").isEmpty() || independente.isEmpty())
        QSKIP("sqlcipher or Python's argon2 missing");
    QCOMPARE(independente, k);
    QCOMPARE(peloShell(arquivo, independente, "SELECT descricao FROM senhas"),
             QString("Banco do Povo"));
    QVERIFY(peloShell(arquivo, chave::embutida(), "SELECT count(*) FROM senhas")
                .contains("not a database"));
}

void TstChave::protegerTrocarERetirar() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO senhas (descricao, senha) VALUES ('Conta', 'abc ')");
    amb.soltar();
    const QString arquivo = amb.arquivo();
    const QByteArray sal = chave::sal(arquivo);
    const QByteArray original = conteudo(arquivo);
    const QString a = chave::paraSenha(arquivo, "primeira");
    copia::trocarChave(arquivo, chave::embutida(), a);
    QCOMPARE(chave::sal(arquivo), sal);  // the engine keeps it: the key stays right
    QCOMPARE(conteudo(copia::anterior(arquivo)), original);
    QCOMPARE(chave::testar(arquivo, chave::embutida()), chave::Teste::ChaveErrada);
    QCOMPARE(linhasCom(arquivo, a, "SELECT descricao, senha FROM senhas"),
             QStringList({"Conta|abc "}));
    QCOMPARE(QFile::permissions(arquivo) & 0x0077, QFileDevice::Permissions());

    const QByteArray protegido = conteudo(arquivo);
    const QString b = chave::paraSenha(arquivo, "segunda");
    QVERIFY_THROWS_EXCEPTION(db::DbError, copia::trocarChave(arquivo, b, a));
    QCOMPARE(conteudo(arquivo), protegido);
    copia::trocarChave(arquivo, a, b);
    QCOMPARE(conteudo(copia::anterior(arquivo)), protegido);
    QCOMPARE(chave::testar(arquivo, a), chave::Teste::ChaveErrada);
    QCOMPARE(linhasCom(arquivo, b, "SELECT descricao FROM senhas"), QStringList({"Conta"}));

    copia::trocarChave(arquivo, b, chave::embutida());
    QCOMPARE(linhasCom(arquivo, chave::embutida(), "SELECT descricao FROM senhas"),
             QStringList({"Conta"}));
    const QStringList sobras =
        QDir(amb.pasta()).entryList({"dados.mde.*"}, QDir::Files | QDir::Hidden);
    QCOMPARE(sobras, QStringList({"dados.mde.anterior"}));
}

void TstChave::falhaEmCadaPassoDeixaOArquivo() {
    AmbienteTeste amb;
    amb.executar("INSERT INTO agenda (nome) VALUES ('Ana')");
    amb.soltar();
    const QString arquivo = amb.arquivo();
    const QString nova = chave::paraSenha(arquivo, "nova");
    const QByteArray antes = conteudo(arquivo);
    for (const char* parada : {"trava", "anterior", "copia", "rekey", "verificada"}) {
        copia::aoPassoDaTroca() = [parada](const char* passo) {
            if (qstrcmp(passo, parada) == 0)
                throw db::DbError("morto");
        };
        QVERIFY_THROWS_EXCEPTION(db::DbError, copia::trocarChave(arquivo, chave::embutida(), nova));
        QCOMPARE(conteudo(arquivo), antes);
        QCOMPARE(linhasCom(arquivo, chave::embutida(), "SELECT nome FROM agenda"),
                 QStringList({"Ana"}));
        const QStringList restos =
            QDir(amb.pasta()).entryList({"dados.mde.senha-*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(restos.isEmpty(), parada);
    }
    // Stopped after the rename, the file is whole under the new key.
    copia::aoPassoDaTroca() = [](const char* passo) {
        if (qstrcmp(passo, "renomeada") == 0)
            throw db::DbError("morto");
    };
    QVERIFY_THROWS_EXCEPTION(db::DbError, copia::trocarChave(arquivo, chave::embutida(), nova));
    QCOMPARE(linhasCom(arquivo, nova, "SELECT nome FROM agenda"), QStringList({"Ana"}));
}

void TstChave::sessaoLembraEEsquece() {
    AmbienteTeste amb;
    const QString arquivo = amb.arquivo();
    QVERIFY(!chave::temSenha());
    QCOMPARE(chave::daSessao(arquivo), chave::embutida());
    QCOMPARE(banco::chaveBanco(), chave::embutida());
    chave::definirSenha("minha");
    QVERIFY(chave::temSenha());
    QCOMPARE(chave::daSessao(arquivo), chave::paraSenha(arquivo, "minha"));
    QCOMPARE(banco::chaveBanco(), chave::daSessao(arquivo));
    // The session's password is another file's: the file without one still opens.
    banco::abrirPadrao();
    QVERIFY(banco::conexao().aberta());
    chave::esquecer();
    QVERIFY(!chave::temSenha());
    QCOMPARE(chave::daSessao(arquivo), chave::embutida());
}

void TstChave::temporariosDaTrocaRemovidos() {
    // A kill during the rekey leaves its copy and the copy's journal; the next start
    // removes them and nothing else.
    AmbienteTeste amb;
    const QString base = amb.arquivo();
    const QStringList nossos = {base + ".senha-Ab12Cd", base + ".senha-Ab12Cd-journal"};
    const QStringList alheios = {base + ".senha-Ab12Cd-journal.txt", base + ".senha",
                                 base + ".anterior"};
    for (const QString& f : nossos + alheios) {
        QFile a(f);
        QVERIFY(a.open(QIODevice::WriteOnly));
    }
    arquivos::removerTemporarios(base);
    for (const QString& f : nossos)
        QVERIFY2(!QFileInfo::exists(f), qPrintable(f));
    for (const QString& f : alheios)
        QVERIFY2(QFileInfo::exists(f), qPrintable(f));
}

void TstChave::processoMortoEmCadaPasso() {
    // A real kill: another process rekeys, tells each step and waits there for the word
    // to go on; it is killed at that step instead.
    for (const char* parada : {"trava", "anterior", "copia", "rekey", "verificada", "renomeada"}) {
        AmbienteTeste amb;
        amb.contatosNumerados(300);
        amb.soltar();
        banco::liberarConexoes();
        const QString arquivo = amb.arquivo();
        const QString k = chave::paraSenha(arquivo, "nova");
        QProcess filho;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VARNELO_TROCA_ARQUIVO", arquivo);
        env.insert("VARNELO_TROCA_CHAVE", k);
        filho.setProcessEnvironment(env);
        filho.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(filho.waitForStarted());
        QString visto;
        while (visto != QLatin1String(parada)) {
            if (!filho.canReadLine())
                QVERIFY2(filho.waitForReadyRead(), parada);
            else if ((visto = QString::fromLatin1(filho.readLine()).trimmed()) != parada)
                filho.write("segue\n");
        }
        filho.kill();
        QVERIFY(filho.waitForFinished());
        // Whole under one key or the other, every row there.
        const QString chaveFinal =
            chave::testar(arquivo, chave::embutida()) == chave::Teste::Abre ? chave::embutida() : k;
        QCOMPARE(chave::testar(arquivo, chaveFinal), chave::Teste::Abre);
        QCOMPARE(chaveFinal == k, qstrcmp(parada, "renomeada") == 0);
        schema::verificarArquivo(arquivo, chaveFinal);
        QCOMPARE(linhasCom(arquivo, chaveFinal, "SELECT count(*) FROM agenda"),
                 QStringList({"300"}));
        arquivos::removerTemporarios(arquivo);
        const QStringList sobras =
            QDir(amb.pasta()).entryList({"dados.mde.*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(sobras.isEmpty() || sobras == QStringList({"dados.mde.anterior"}),
                 qPrintable(sobras.join(' ')));
    }
}

// As the other process of processoMortoEmCadaPasso: rekeys the file, stopping at each step.
int trocarNoFilho() {
    copia::aoPassoDaTroca() = [](const char* passo) {
        std::printf("%s\n", passo);
        std::fflush(stdout);
        char linha[16];
        if (!std::fgets(linha, sizeof linha, stdin))
            std::exit(3);
    };
    try {
        copia::trocarChave(qEnvironmentVariable("VARNELO_TROCA_ARQUIVO"), chave::embutida(),
                           qEnvironmentVariable("VARNELO_TROCA_CHAVE"));
    } catch (const db::DbError&) {
        return 2;
    }
    return 0;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("VARNELO_TROCA_ARQUIVO"))
        return trocarNoFilho();
    TstChave t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_chave.moc"
