#include "data/chave.h"

#include <argon2.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstring>

#include "data/banco.h"
#include "data/schema.h"
#include "data/sqlite.h"

namespace chave {
namespace {

struct Sessao {
    QByteArray senha;                   // UTF-8; wiped when forgotten
    QHash<QByteArray, QString> porSal;  // a derivation costs half a second: once per salt
};

Sessao& sessao() {
    static Sessao s;
    return s;
}

void apagar(QByteArray& bytes) {
    if (!bytes.isEmpty())
        explicit_bzero(bytes.data(), std::size_t(bytes.size()));
    bytes.clear();
}

}  // namespace

QString embutida() {
    return QString::fromUtf8(banco::kSenhaBanco);
}

QByteArray sal(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray s = f.read(kBytesSal);
    return s.size() == kBytesSal ? s : QByteArray();
}

QString derivar(const QString& senha, const QByteArray& sal) {
    QByteArray utf8 = senha.toUtf8();
    unsigned char saida[kBytes];
    const int r = argon2_hash(kPassadas, kMemoriaKiB, kFaixas, utf8.constData(),
                              std::size_t(utf8.size()), sal.constData(), std::size_t(sal.size()),
                              saida, kBytes, nullptr, 0, Argon2_id, ARGON2_VERSION_13);
    apagar(utf8);
    if (r != ARGON2_OK)
        throw db::DbError(QString::fromUtf8(argon2_error_message(r)));
    const QByteArray bruta(reinterpret_cast<const char*>(saida), kBytes);
    explicit_bzero(saida, sizeof saida);
    return QStringLiteral("x'%1'").arg(QString::fromLatin1(bruta.toHex().toUpper()));
}

bool pareceCifrado(const QString& caminho) {
    const QFileInfo info(caminho);
    if (!info.isFile() || info.size() < 1024 || info.size() % 1024 != 0)
        return false;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return !f.read(16).startsWith(QByteArrayLiteral("SQLite format 3"));
}

Teste testar(const QString& caminho, const QString& chave) {
    db::Database banco;
    try {
        banco.openReadOnly(caminho, chave);
    } catch (const db::DbError& e) {
        // The engine tells a wrong key only as "not a database".
        return e.semBanco() && pareceCifrado(caminho) ? Teste::ChaveErrada : Teste::Outro;
    }
    try {
        schema::verificarTabelas(banco);
    } catch (const db::DbError&) {
        return Teste::Outro;  // opens, but holds something else
    }
    return Teste::Abre;
}

void definirSenha(const QString& senha) {
    esquecer();
    sessao().senha = senha.toUtf8();
}

void esquecer() {
    Sessao& s = sessao();
    apagar(s.senha);
    for (QString& k : s.porSal)
        k.fill(QLatin1Char('0'));
    s.porSal.clear();
}

bool temSenha() {
    return !sessao().senha.isEmpty();
}

QString paraSenha(const QString& caminho, const QString& senha) {
    if (senha.isEmpty())
        return embutida();
    const QByteArray s = sal(caminho);
    // A file too short to hold a salt is no keyed file; the open tells why.
    return s.isEmpty() ? embutida() : derivar(senha, s);
}

QString daSessao(const QString& caminho) {
    Sessao& s = sessao();
    if (s.senha.isEmpty())
        return embutida();
    const QByteArray salDoArquivo = sal(caminho);
    if (salDoArquivo.isEmpty())
        return embutida();
    auto it = s.porSal.constFind(salDoArquivo);
    if (it != s.porSal.constEnd())
        return *it;
    const QString k = derivar(QString::fromUtf8(s.senha), salDoArquivo);
    s.porSal.insert(salDoArquivo, k);
    return k;
}

}  // namespace chave
