#include "data/banco.h"

#include <QFileInfo>

#include "data/avisos.h"
#include "data/configuracoes.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace banco {

QString arquivobanco = QStringLiteral("\\dados.mde");
QString tipobanco = QStringLiteral("access");

namespace {

// Tells apart a file replaced under the same name from the one the handle holds.
QString identidadeArquivo(const QString& caminho) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(caminho).constData(), &st) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino);
#else
    const QFileInfo fi(caminho);
    if (!fi.exists())
        return {};
    return fi.canonicalFilePath() + QLatin1Char('|') +
           QString::number(fi.birthTime().toMSecsSinceEpoch());
#endif
}

}  // namespace

db::Database& Conexao::banco() {
    if (!aberta_)
        throw db::DbError(QStringLiteral("A conexão com o banco de dados está fechada."));
    return banco_;
}

void Conexao::abrir(const QString& caminho, const QString& senha) {
    aberta_ = false;
    const QString absoluto = QFileInfo(caminho).absoluteFilePath();
    const QString identidade = identidadeArquivo(absoluto);
    if (banco_.isOpen() && !identidade.isEmpty() && banco_.path() == absoluto &&
        chaveUsada_ == senha && identidade_ == identidade) {
        aberta_ = true;
        return;
    }
    banco_.close();
    chaveUsada_.clear();
    identidade_.clear();
    banco_.open(absoluto, senha);
    chaveUsada_ = senha;
    identidade_ = identidade;
    aberta_ = true;
}

Conexao& conexao() {
    static Conexao c;
    return c;
}

QString caminhoBanco(const QString& arquivo) {
    const QString caminho =
        configuracoes::ler(QStringLiteral("RedeLocal"), QStringLiteral("SemRede"));
    if (caminho == QLatin1String("SemRede"))
        return configuracoes::naPastaPrograma(arquivo);
    return caminho;
}

void abrirbanco(const QString& arquivo, const QString& senha, const QString& tipo) {
    conexao().fechar();
    if (!tipo.isEmpty() && tipo != QLatin1String("access"))
        return;
    try {
        conexao().abrir(caminhoBanco(arquivo), senha);
    } catch (const db::DbError& e) {
        avisos::erro(QStringLiteral("Erro"),
                     QStringLiteral("Ocorreu o seguinte erro ao tentar abrir o banco de dados: ") +
                         e.descricao() +
                         QStringLiteral(" o banco de dados foi definido como local, reinicie o "
                                        "software."));
        configuracoes::gravar(QStringLiteral("EmRede"), QStringLiteral("0"));
        configuracoes::gravar(QStringLiteral("RedeLocal"), QStringLiteral("SemRede"));
        configuracoes::gravar(QStringLiteral("BackupID"), QStringLiteral("0"));
    }
}

void abrirPadrao() {
    abrirbanco(arquivobanco, QString::fromUtf8(kSenhaBanco), tipobanco);
}

void abrirSeFechada() {
    if (!conexao().aberta())
        abrirPadrao();
}

QString lerlogininicia(const QString&, const QString&, const QString& tipo) {
    // Always the program's own file and key, whatever the caller passes.
    abrirbanco(arquivobanco, QString::fromUtf8(kSenhaBanco), tipo);
    try {
        db::Statement st = conexao().banco().prepare(
            QStringLiteral("SELECT [login_inicia] FROM login where id=1"));
        if (st.next())
            return st.text(QStringLiteral("login_inicia"));
    } catch (const db::DbError&) {
    }
    return {};
}

void executarsql(const QString& sql, const QVariantList& parametros, const QString& arquivo,
                 const QString& senha, const QString& tipo) {
    abrirbanco(arquivo, senha, tipo);
    try {
        conexao().banco().exec(sql, parametros);
        conexao().fechar();
    } catch (const db::DbError& e) {
        avisos::erro(QStringLiteral("Varnelo"),
                     QStringLiteral("Ocorreu o seguinte erro: ") + e.descricao());
    }
}

void Conexao::liberar() {
    aberta_ = false;
    banco_.close();
    chaveUsada_.clear();
    identidade_.clear();
}

void liberarConexoes() {
    conexao().liberar();
}

QString condicaoChave(const QString& coluna) {
    return QStringLiteral("[%1] = ? COLLATE BINARY").arg(coluna);
}

}  // namespace banco
