#include "data/banco.h"

#include <QFile>
#include <QFileInfo>

#include "data/arquivos.h"
#include "data/avisos.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/schema.h"

namespace banco {

QString arquivobanco = QStringLiteral("\\dados.mde");
QString tipobanco = QStringLiteral("access");

namespace {

QByteArray lerSal(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.read(16) : QByteArray();
}

}  // namespace

db::Database& Conexao::banco() {
    if (!aberta_)
        throw falha_.value_or(
            db::DbError(QStringLiteral("A conexão com o banco de dados está fechada.")));
    return banco_;
}

bool Conexao::mesmoArquivo(const QString& caminho, const QString& senha) const {
    if (!banco_.isOpen() || banco_.path() != caminho || chaveUsada_ != senha)
        return false;
    const QString identidade = arquivos::identidade(caminho);
    return !identidade.isEmpty() && identidade == identidade_ && lerSal(caminho) == sal_;
}

bool Conexao::aindaOMesmo() const {
    return mesmoArquivo(banco_.path(), chaveUsada_);
}

void Conexao::abrir(const QString& caminho, const QString& senha) {
    try {
        abrirArquivo(caminho, senha);
        falha_.reset();
    } catch (const db::DbError& e) {
        falha_ = e;
        throw;
    }
}

void Conexao::abrirArquivo(const QString& caminho, const QString& senha) {
    aberta_ = false;
    const QString absoluto = QFileInfo(caminho).absoluteFilePath();
    if (mesmoArquivo(absoluto, senha)) {
        // Written over in place by a database with the same salt: only a read tells. A busy
        // file fails here as it would on a new handle.
        try {
            banco_.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).next();
            aberta_ = true;
            return;
        } catch (const db::DbError& e) {
            if (!e.semBanco())
                throw;
        }
    }
    fecharArquivo();
    banco_.open(absoluto, senha);
    try {
        schema::verificarTabelas(banco_);
    } catch (const db::DbError&) {
        banco_.close();
        throw;
    }
    chaveUsada_ = senha;
    identidade_ = arquivos::identidade(absoluto);
    sal_ = lerSal(absoluto);
    ++aberturas_;
    aberta_ = true;
}

void Conexao::marcarFechada() {
    aberta_ = false;
    falha_.reset();
}

void Conexao::fecharArquivo() {
    marcarFechada();
    banco_.close();
    chaveUsada_.clear();
    identidade_.clear();
    sal_.clear();
}

Versao Conexao::versao() {
    if (!aberta_ || !banco_.isOpen())
        return {};
    try {
        db::Statement st = banco_.prepare(QStringLiteral("PRAGMA data_version"));
        if (!st.next())
            return {};
        return {aberturas_, st.value(0).toLongLong(), banco_.totalChanges()};
    } catch (const db::DbError&) {
        return {};
    }
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
    conexao().marcarFechada();
    if (!tipo.isEmpty() && tipo != QLatin1String("access"))
        return;
    const QString caminho = caminhoBanco(arquivo);
    try {
        try {
            conexao().abrir(caminho, senha);
        } catch (const db::DbError& e) {
            // The session's password is another file's: this one may have none.
            if (!e.semBanco() || senha == chave::embutida())
                throw;
            conexao().abrir(caminho, chave::embutida());
        }
    } catch (const db::DbError& e) {
        const QString lead =
            QStringLiteral("Ocorreu o seguinte erro ao tentar abrir o banco de dados: ");
        // A busy or failing file is still the user's database: the settings stay on it.
        if (!e.arquivoInacessivel() && !e.semBanco()) {
            avisos::erro(QStringLiteral("Erro"), lead + e.descricao());
            return;
        }
        avisos::erro(QStringLiteral("Erro"),
                     lead + e.descricao() +
                         QStringLiteral(" o banco de dados foi definido como local, reinicie o "
                                        "software."));
        configuracoes::gravar({{QStringLiteral("EmRede"), QStringLiteral("0")},
                               {QStringLiteral("RedeLocal"), QStringLiteral("SemRede")},
                               {QStringLiteral("BackupID"), QStringLiteral("0")}});
    }
}

QString chaveBanco() {
    try {
        return chave::daSessao(caminhoBanco(arquivobanco));
    } catch (const db::DbError&) {
        // No memory for the derivation: the open then fails as with a wrong key.
        return chave::embutida();
    }
}

void abrirPadrao() {
    abrirbanco(arquivobanco, chaveBanco(), tipobanco);
}

void abrirSeFechada() {
    if (!conexao().aberta() || !conexao().aindaOMesmo())
        abrirPadrao();
}

QString lerlogininicia(const QString&, const QString&, const QString& tipo, bool* ilegivel) {
    if (ilegivel)
        *ilegivel = false;
    // Always the program's own file and key, whatever the caller passes.
    const QString antes = caminhoBanco(arquivobanco);
    abrirbanco(arquivobanco, chaveBanco(), tipo);
    // A network file that failed has set the settings back to the local file, whose switch
    // is the one that counts now.
    if (!conexao().aberta() && caminhoBanco(arquivobanco) != antes)
        abrirbanco(arquivobanco, chaveBanco(), tipo);
    try {
        db::Statement st = conexao().banco().prepare(
            QStringLiteral("SELECT [login_inicia] FROM login where id=1"));
        if (st.next())
            return st.text(QStringLiteral("login_inicia"));
    } catch (const db::DbError& e) {
        // A missing file, or one that is no database, holds nothing to protect.
        if (ilegivel)
            *ilegivel = e.ilegivel();
    }
    return {};
}

void executarsql(const QString& sql, const QVariantList& parametros, const QString& arquivo,
                 const QString& senha, const QString& tipo) {
    abrirbanco(arquivo, senha, tipo);
    try {
        conexao().banco().exec(sql, parametros);
        conexao().marcarFechada();
    } catch (const db::DbError& e) {
        avisos::erro(QStringLiteral("Varnelo"),
                     QStringLiteral("Ocorreu o seguinte erro: ") + e.descricao());
    }
}

void liberarConexoes() {
    conexao().fecharArquivo();
}

QString condicaoChave(const QString& coluna) {
    return QStringLiteral("[%1] = ? COLLATE BINARY").arg(coluna);
}

}  // namespace banco
