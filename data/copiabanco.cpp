#include "data/copiabanco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "data/arquivos.h"
#include "data/erros.h"
#include "data/schema.h"
#include "data/trava.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#endif

namespace copia {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void falhar(const QString& motivo) {
    throw db::DbError(erros::doSistema(motivo));
}

fs::path caminho(const QString& arquivo) {
    return fs::path(QDir::toNativeSeparators(arquivo).toStdU16String());
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

// A write refused by the folder is told as the folder's.
QString motivoNaPasta(const QString& arquivo, const QString& motivo) {
    return erros::pastaSemGravacao(arquivo) ? erros::textoPastaSemGravacao() : motivo;
}

void verificar(const QString& arquivo, const QString& senha) {
    try {
        schema::verificarArquivo(arquivo, senha);
    } catch (const db::DbError&) {
        falhar(kNaoEBanco);
    }
}

// The file about to be replaced goes to anterior(): a second name for it where the
// file system allows, else a copy only its user may read. `atual` is open on it. Either
// is made under a name the next start removes, should the program be killed meanwhile.
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
    if (!arquivos::criarPrivado(provisorio))
        falhar(motivoNaPasta(provisorio, erros::doSistema(qt_error_string(errno))));
    QFile copia(provisorio);
    abrir(copia, QIODevice::WriteOnly | QIODevice::Unbuffered);
    copiar(atual, copia);
    sincronizar(copia);
    copia.close();
    renomear(provisorio, destino);
}

}  // namespace

QString anterior(const QString& banco) {
    return arquivos::anterior(banco);
}

QString copiarBanco(const QString& banco, const QString& destino, const QString& senha) {
    if (arquivos::mesmoArquivo(banco, destino))
        falhar(kMesmoArquivo);
    if (const QString recusa = arquivos::recusa(destino); !recusa.isEmpty())
        falhar(recusa);
    // Opened before the lock and closed after it: closing any descriptor of a file
    // drops every lock the process holds on it.
    QFile origem(banco);
    abrir(origem, QIODevice::ReadOnly);
    TravaBanco trava(banco, senha, TravaBanco::Modo::Leitura);
    // A damaged file is copied all the same (a copy is worth keeping), but never as a good one.
    const QString dano = trava.verificar();
    const QString motivo = arquivos::gravarInteiro(
        destino,
        [&](QFileDevice& copia) {
            try {
                copiar(origem, copia);
            } catch (const db::DbError& e) {
                return e.descricao();
            }
            return QString();
        },
        arquivos::Acesso::Privado);
    if (!motivo.isEmpty())
        throw db::DbError(motivo);
    return dano;
}

void restaurarBanco(const QString& origem, const QString& banco, const QString& chaveOrigem,
                    const QString& chaveAtual) {
    if (arquivos::mesmoArquivo(origem, banco))
        falhar(kMesmoArquivo);
    verificar(origem, chaveOrigem);
    arquivos::removerTemporarios(banco);

    // The copy is made and checked beside the database, then renamed over it in one step.
    const QFileInfo info(banco);
    QTemporaryFile novo(
        arquivos::modeloTemporario(info.absoluteFilePath(), QStringLiteral("restaurando")));
    if (!static_cast<QFileDevice&>(novo).open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        falhar(motivoNaPasta(banco, erros::doSistema(novo.errorString())));
    {
        QFile fonte(origem);
        abrir(fonte, QIODevice::ReadOnly);
        copiar(fonte, novo);
    }
    sincronizar(novo);
    novo.close();
    verificar(novo.fileName(), chaveOrigem);
    // The restored file is shared as the one it replaces was; a new one is its user's alone.
    novo.setPermissions(QFileInfo::exists(banco) ? QFile::permissions(banco)
                                                 : QFile::ReadOwner | QFile::WriteOwner);

    QFile atual(banco);
    std::optional<TravaBanco> trava;
    if (QFileInfo::exists(banco)) {
        abrir(atual, QIODevice::ReadOnly);
        // Nobody may be half way through a write to the file being replaced. A file
        // that does not open at all, which is what a restore mends, is replaced all the same.
        try {
            trava.emplace(banco, chaveAtual, TravaBanco::Modo::Exclusiva);
        } catch (const db::DbError& e) {
            if (!e.semBanco() && !e.danificado())
                throw;
        }
        guardarAnterior(atual, banco);
    }
    renomear(novo.fileName(), banco);
    novo.setAutoRemove(false);
    sincronizarPasta(info.absolutePath());
}

std::function<void(const char*)>& aoPassoDaTroca() {
    static std::function<void(const char*)> gancho;
    return gancho;
}

void trocarChave(const QString& banco, const QString& chaveAtual, const QString& chaveNova) {
    const auto passo = [](const char* nome) {
        if (aoPassoDaTroca())
            aoPassoDaTroca()(nome);
    };
    arquivos::removerTemporarios(banco);
    const QFileInfo info(banco);
    // Opened before the lock and closed after it, as in the restore.
    QFile atual(banco);
    abrir(atual, QIODevice::ReadOnly);
    // Nobody else may write while the copy that gets the new key is taken.
    TravaBanco trava(banco, chaveAtual, TravaBanco::Modo::Exclusiva);
    passo("trava");
    guardarAnterior(atual, banco);
    passo("anterior");

    QTemporaryFile novo(
        arquivos::modeloTemporario(info.absoluteFilePath(), QStringLiteral("senha")));
    if (!static_cast<QFileDevice&>(novo).open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        falhar(motivoNaPasta(banco, erros::doSistema(novo.errorString())));
    if (!atual.seek(0))
        falhar(atual.errorString());
    copiar(atual, novo);
    sincronizar(novo);
    novo.close();
    passo("copia");
    {
        db::Database copia;
        copia.open(novo.fileName(), chaveAtual);
        copia.rekey(chaveNova);
    }
    passo("rekey");
    verificar(novo.fileName(), chaveNova);
    passo("verificada");
    novo.setPermissions(QFile::permissions(banco));
    renomear(novo.fileName(), banco);
    novo.setAutoRemove(false);
    sincronizarPasta(info.absolutePath());
    passo("renomeada");
}

}  // namespace copia
