#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>

#include "ambiente_teste.h"
#include "data/arquivos.h"
#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/leitura.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"

namespace {

const QString kSenha = QString::fromUtf8(banco::kSenhaBanco);
const QString kProprio = "o arquivo escolhido é o próprio banco de dados em uso";

QByteArray conteudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int modo(const QString& caminho) {
    struct stat st {};
    return ::stat(QFile::encodeName(caminho).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

QString escreverTexto(const QString& destino, const QByteArray& texto,
                      arquivos::Acesso acesso = arquivos::Acesso::Comum) {
    return arquivos::gravarInteiro(
        destino,
        [&](QFileDevice& f) {
            return f.write(texto) == texto.size() ? QString() : f.errorString();
        },
        acesso);
}

bool chattr(const QString& opcao, const QString& caminho) {
    return QProcess::execute("chattr", {opcao, caminho}) == 0;
}

}  // namespace

class TstArquivos : public QObject {
    Q_OBJECT
private slots:
    void nadaGravaSobreOBancoNemSuaCopia();
    void arquivoInteiroEPrivado();
    void fotoSoDeArquivoComum();
    void temporariosDoProgramaESoEles();
    void tabelaDanificadaLidaEmVolta();
    void configuracoesQueNaoGravamSaoDitas();
};

void TstArquivos::nadaGravaSobreOBancoNemSuaCopia() {
    AmbienteTeste amb;
    const QByteArray banco = conteudo(amb.arquivo());
    QVERIFY(QFile::copy(amb.arquivo(), arquivos::anterior(amb.arquivo())));
    QVERIFY(QFile::link(amb.arquivo(), amb.pasta() + "/atalho.mde"));
    QVERIFY(::link(QFile::encodeName(amb.arquivo()).constData(),
                   QFile::encodeName(amb.pasta() + "/outro-nome.mde").constData()) == 0);
    QVERIFY(QDir(amb.pasta()).mkdir("sub"));
    const QString antes = amb.pasta() + "/sub/../dados.mde.anterior";
    const std::pair<QString, QString> casos[] = {
        {amb.arquivo(), kProprio},
        {amb.pasta() + "/atalho.mde", kProprio},
        {amb.pasta() + "/outro-nome.mde", kProprio},
        {amb.pasta() + "/sub/../dados.mde", kProprio},
        {antes, "o arquivo escolhido é a cópia do banco de dados guardada como dados.mde.anterior"},
        {amb.arquivo() + "-journal", "o arquivo escolhido é o diário do banco de dados em uso"},
    };
    for (const auto& [destino, motivo] : casos) {
        QCOMPARE(escreverTexto(destino, "<html>"), motivo);
        QCOMPARE(conteudo(amb.arquivo()), banco);
    }
    QVERIFY(!QFileInfo::exists(amb.arquivo() + "-journal"));
    // The network file in use is guarded the same way, and the local one is free then.
    const QString rede = amb.pasta() + "/rede.mde";
    QVERIFY(QFile::copy(amb.arquivo(), rede));
    configuracoes::gravar("RedeLocal", rede);
    QCOMPARE(escreverTexto(rede, "x"), kProprio);
    QCOMPARE(escreverTexto(amb.pasta() + "/livre.html", "ok"), QString());
    QCOMPARE(conteudo(amb.pasta() + "/livre.html"), QByteArray("ok"));
}

void TstArquivos::arquivoInteiroEPrivado() {
    AmbienteTeste amb;
    // A new database is its user's alone, and so is a new copy of one.
    QCOMPARE(modo(amb.arquivo()), 0600);
    const QString copia = amb.pasta() + "/copia.mde";
    QCOMPARE(escreverTexto(copia, "1", arquivos::Acesso::Privado), QString());
    QCOMPARE(modo(copia), 0600);
    // An existing file keeps its mode, whoever may read it.
    QVERIFY(::chmod(QFile::encodeName(copia).constData(), 0644) == 0);
    QCOMPARE(escreverTexto(copia, "22", arquivos::Acesso::Privado), QString());
    QCOMPARE(conteudo(copia), QByteArray("22"));
    QCOMPARE(modo(copia), 0644);
    // A writer that fails leaves the old file whole, and no temporary behind.
    const QString motivo = arquivos::gravarInteiro(copia, [](QFileDevice& f) {
        f.write("metade");
        return QStringLiteral("o disco falhou");
    });
    QCOMPARE(motivo, QString("o disco falhou"));
    QCOMPARE(conteudo(copia), QByteArray("22"));
    QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files).size(), 2);
}

void TstArquivos::fotoSoDeArquivoComum() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fila");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    // Nobody writes into the FIFO: a blocking open would never return.
    QVERIFY(!arquivos::lerRegular(fifo, 1000));
    QVERIFY(!arquivos::lerRegular(dir.path(), 1000));
    QVERIFY(!arquivos::lerRegular("/dev/zero", 1000));
    QVERIFY(!arquivos::lerRegular(dir.filePath("nada"), 1000));
    const QString foto = dir.filePath("foto.png");
    QFile f(foto);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(10, 'p'));
    f.close();
    QCOMPARE(arquivos::lerRegular(foto, 10).value_or("?"), QByteArray(10, 'p'));
    QVERIFY(!arquivos::lerRegular(foto, 9));
    QVERIFY(QFile::link(foto, dir.filePath("link.png")));
    QCOMPARE(arquivos::lerRegular(dir.filePath("link.png"), 10).value_or("?"), QByteArray(10, 'p'));
}

void TstArquivos::temporariosDoProgramaESoEles() {
    AmbienteTeste amb;
    const QStringList nossos{"dados.mde.anterior.novo", "dados.mde.restaurando-a1B2c3",
                             "dados.mde.senha-Zz9yY8"};
    const QStringList alheios{"dados.mde.anterior", "dados.mde.backup", "dados.mde.restaurando-ab",
                              "outro.mde.restaurando-a1B2c3", "dados.mde.restaurando-a1B2c3.txt"};
    for (const QString& nome : nossos + alheios) {
        QFile f(amb.pasta() + "/" + nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFileInfo(arquivos::modeloTemporario(amb.arquivo(), "restaurando"))
                .fileName()
                .startsWith("dados.mde.restaurando-"));
    arquivos::removerTemporarios(amb.arquivo());
    QStringList restantes = QDir(amb.pasta()).entryList(QDir::Files);
    QStringList esperados = alheios + QStringList{"dados.mde"};
    restantes.sort();
    esperados.sort();
    QCOMPARE(restantes, esperados);
}

void TstArquivos::tabelaDanificadaLidaEmVolta() {
    AmbienteTeste amb;
    amb.contatosNumerados(2000);
    amb.danificarMeio();

    db::Database banco;
    banco.open(amb.arquivo(), kSenha);
    QStringList lidos;
    const QString falha = leitura::lerTabela(banco, "SELECT rowid, nome FROM agenda",
                                             [&](const db::Statement& st) { lidos << st.text(1); });
    QCOMPARE(falha, QString("o arquivo de dados está danificado"));
    // Only the rows of the damaged page are missing: those before and after it are read.
    QVERIFY2(lidos.size() > 1900 && lidos.size() < 2000, qPrintable(QString::number(lidos.size())));
    QCOMPARE(lidos.first(), QString("Contato 0001"));
    QCOMPARE(lidos.last(), QString("Contato 2000"));
    QCOMPARE(lidos.removeDuplicates(), 0);
    // A whole file reads whole, and says nothing.
    AmbienteTeste limpo;
    limpo.executar("INSERT INTO uteis (descricao) VALUES ('a'), ('b')");
    db::Database outro;
    outro.open(limpo.arquivo(), kSenha);
    int n = 0;
    QCOMPARE(
        leitura::lerTabela(outro, "SELECT rowid FROM uteis", [&](const db::Statement&) { ++n; }),
        QString());
    QCOMPARE(n, 2);
}

void TstArquivos::configuracoesQueNaoGravamSaoDitas() {
    if (::geteuid() != 0)
        QSKIP("needs root for chattr");
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    QVERIFY(configuracoes::gravar("EmRede", "0"));
    const QString arquivo =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Varnelo", "Varnelo").fileName();
    QVERIFY(QFileInfo::exists(arquivo));
    if (!chattr("+i", arquivo))
        QSKIP("chattr +i not available here");
    const auto liberar = qScopeGuard([&] { chattr("-i", arquivo); });
    QVERIFY(!configuracoes::gravar({{"EmRede", "1"}, {"RedeLocal", "/mnt/x/dados.mde"}}));
    // One message for the values written together, with the reason.
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(dlg.ultimaMensagem().titulo, QString("Erro"));
    QCOMPARE(dlg.ultimaMensagem().texto,
             QString("Não foi possível gravar as configurações: o arquivo ou a pasta não permite "
                     "gravação"));
    QCOMPARE(configuracoes::ler("EmRede"), QString("0"));
}

QTEST_GUILESS_MAIN(TstArquivos)
#include "tst_arquivos.moc"
