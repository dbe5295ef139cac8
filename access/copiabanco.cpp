#include "access/copiabanco.h"

#include <sqlcipher/sqlite3.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>
#include <system_error>

#include "data/erros.h"
#include "data/schema.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace acesso {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void falhar(const QString& motivo) {
    throw db::DbError(erros::doSistema(motivo));
}

fs::path caminho(const QString& arquivo) {
    return fs::path(QDir::toNativeSeparators(arquivo).toStdU16String());
}

bool mesmoArquivo(const QString& a, const QString& b) {
    std::error_code ec;
    return fs::equivalent(caminho(a), caminho(b), ec) && !ec;
}

void abrir(QFileDevice& arquivo, QIODevice::OpenMode modo) {
    if (!arquivo.open(modo))
        falhar(arquivo.errorString());
}

// Checks every write: a full disk can take a write and fail only at the flush. The
// destination is unbuffered, so a failing write tells its reason.
void copiar(QFile& origem, QFileDevice& destino) {
    QByteArray bloco(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 lidos = origem.read(bloco.data(), bloco.size());
        if (lidos < 0)
            falhar(origem.errorString());
        if (lidos == 0)
            break;
        // A short write carries no reason; the next one does.
        for (qint64 escritos = 0; escritos < lidos;) {
            const qint64 n = destino.write(bloco.constData() + escritos, lidos - escritos);
            if (n <= 0)
                falhar(destino.errorString());
            escritos += n;
        }
    }
    if (!destino.flush())
        falhar(destino.errorString());
}

#ifdef Q_OS_UNIX
void sincronizarDescritor(int descritor) {
    if (::fsync(descritor) != 0)
        falhar(QString::fromLocal8Bit(std::strerror(errno)));
}
#endif

// On disk before the rename, so a crash leaves the old file or the whole new one.
void sincronizar(QFileDevice& arquivo) {
#ifdef Q_OS_UNIX
    sincronizarDescritor(arquivo.handle());
#else
    Q_UNUSED(arquivo);
#endif
}

void sincronizarPasta(const QString& pasta) {
#ifdef Q_OS_UNIX
    const int descritor = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY);
    if (descritor < 0)
        return;
    ::fsync(descritor);
    ::close(descritor);
#else
    Q_UNUSED(pasta);
#endif
}

void renomear(const QString& de, const QString& para) {
    std::error_code ec;
    // Replaces `para` in one step, where QFile::rename refuses an existing name.
    fs::rename(caminho(de), caminho(para), ec);
    if (ec)
        falhar(QString::fromStdString(ec.message()));
}

void verificar(const QString& arquivo, const QString& senha) {
    try {
        schema::verificarArquivo(arquivo, senha);
    } catch (const db::DbError&) {
        falhar(kNaoEBanco);
    }
}

// The file about to be replaced goes to anterior(): a second name for it where the
// file system allows, else a copy. `atual` is open on it.
void guardarAnterior(QFile& atual, const QString& banco) {
    const QString destino = anterior(banco);
    const QString provisorio = destino + QStringLiteral(".novo");
    QFile::remove(provisorio);
    std::error_code ec;
    fs::create_hard_link(caminho(banco), caminho(provisorio), ec);
    if (!ec) {
        renomear(provisorio, destino);
        return;
    }
    QSaveFile copia(destino);
    abrir(copia, QIODevice::WriteOnly | QIODevice::Unbuffered);
    copiar(atual, copia);
    if (!copia.commit())
        falhar(copia.errorString());
}

}  // namespace

TravaBanco::TravaBanco(const QString& caminho, const QString& senha, Modo modo) {
    banco_.open(caminho, senha);
    // A read inside a transaction keeps the shared lock until the transaction ends.
    banco_.execScript(modo == Modo::Exclusiva
                          ? QStringLiteral("BEGIN EXCLUSIVE;")
                          : QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_master;"));
}

TravaBanco::~TravaBanco() {
    try {
        banco_.execScript(QStringLiteral("ROLLBACK;"));
    } catch (const db::DbError&) {
        // Closing the connection ends the transaction all the same.
    }
}

QString anterior(const QString& banco) {
    return banco + QStringLiteral(".anterior");
}

void copiarBanco(const QString& banco, const QString& destino, const QString& senha) {
    if (mesmoArquivo(banco, destino))
        falhar(kMesmoArquivo);
    // Opened before the lock and closed after it: closing any descriptor of a file
    // drops every lock the process holds on it.
    QFile origem(banco);
    abrir(origem, QIODevice::ReadOnly);
    QSaveFile copia(destino);
    abrir(copia, QIODevice::WriteOnly | QIODevice::Unbuffered);
    {
        TravaBanco trava(banco, senha, TravaBanco::Modo::Leitura);
        copiar(origem, copia);
    }
    if (!copia.commit())
        falhar(copia.errorString());
}

void restaurarBanco(const QString& origem, const QString& banco, const QString& senha) {
    if (mesmoArquivo(origem, banco))
        falhar(kMesmoArquivo);
    verificar(origem, senha);

    // The copy is made and checked beside the database, then renamed over it in one step.
    const QFileInfo info(banco);
    QTemporaryFile novo(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    abrir(novo, QIODevice::ReadWrite | QIODevice::Unbuffered);
    {
        QFile fonte(origem);
        abrir(fonte, QIODevice::ReadOnly);
        copiar(fonte, novo);
    }
    sincronizar(novo);
    novo.close();
    verificar(novo.fileName(), senha);
    // The restored file is shared as the one it replaces was, not private as a temporary.
    novo.setPermissions(QFileInfo::exists(banco) ? QFile::permissions(banco)
                                                 : QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ReadGroup | QFile::ReadOther);

    QFile atual(banco);
    std::optional<TravaBanco> trava;
    if (QFileInfo::exists(banco)) {
        abrir(atual, QIODevice::ReadOnly);
        // Nobody may be half way through a write to the file being replaced. A file
        // that does not open at all, which is what a restore mends, is replaced all the same.
        try {
            trava.emplace(banco, senha, TravaBanco::Modo::Exclusiva);
        } catch (const db::DbError& e) {
            if (!e.semBanco() && (e.codigo() & 0xff) != SQLITE_CORRUPT)
                throw;
        }
        guardarAnterior(atual, banco);
    }
    renomear(novo.fileName(), banco);
    novo.setAutoRemove(false);
    sincronizarPasta(info.absolutePath());
}

}  // namespace acesso
