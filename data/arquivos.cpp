#include "data/arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include "data/banco.h"
#include "data/erros.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace arquivos {
namespace {

QString absoluto(const QString& caminho) {
    return QDir::cleanPath(QFileInfo(caminho).absoluteFilePath());
}

// The name a link leads to, even when nothing is there yet.
QString destinoDoNome(const QString& caminho) {
    const QFileInfo info(caminho);
    if (info.isSymLink())
        return absoluto(QDir(info.absolutePath()).absoluteFilePath(info.symLinkTarget()));
    return absoluto(caminho);
}

bool mesmo(const QString& a, const QString& b) {
    return destinoDoNome(a) == destinoDoNome(b) || mesmoArquivo(a, b);
}

}  // namespace

QString identidade(const QString& caminho) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(caminho).constData(), &st) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(st.st_dev).arg(st.st_ino);
#else
    const QFileInfo fi(caminho);
    if (!fi.exists())
        return {};
    return fi.canonicalFilePath().toLower();
#endif
}

bool mesmoArquivo(const QString& a, const QString& b) {
    const QString ia = identidade(a);
    return !ia.isEmpty() && ia == identidade(b);
}

QString anterior(const QString& banco) {
    return banco + QStringLiteral(".anterior");
}

QString recusa(const QString& destino) {
    QStringList bancos{banco::caminhoBanco(banco::arquivobanco)};
    if (const QString aberto = banco::conexao().caminho(); !aberto.isEmpty())
        bancos << aberto;
    for (const QString& b : bancos) {
        if (mesmo(destino, b))
            return QStringLiteral("o arquivo escolhido é o próprio banco de dados em uso");
        if (mesmo(destino, anterior(b)))
            return QStringLiteral(
                       "o arquivo escolhido é a cópia do banco de dados guardada "
                       "como %1")
                .arg(QFileInfo(anterior(b)).fileName());
        if (mesmo(destino, b + QStringLiteral("-journal")))
            return QStringLiteral("o arquivo escolhido é o diário do banco de dados em uso");
    }
    return {};
}

QString gravarInteiro(const QString& destino, const std::function<QString(QFileDevice&)>& escrever,
                      Acesso acesso, bool semBuffer) {
    if (const QString r = recusa(destino); !r.isEmpty())
        return r;
    const bool existia = QFileInfo::exists(destino);
    QSaveFile arquivo(destino);
    QIODevice::OpenMode modo = QIODevice::WriteOnly;
    if (semBuffer)
        modo |= QIODevice::Unbuffered;
    if (!arquivo.open(modo))
        return erros::pastaSemGravacao(destino) ? erros::textoPastaSemGravacao()
                                                : erros::doSistema(arquivo.errorString());
    if (!existia && acesso == Acesso::Privado)
        arquivo.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QString motivo = escrever(arquivo);
    // A full disk can let commit() succeed after a failed write, so the writes decide.
    if (motivo.isEmpty() && !arquivo.flush())
        motivo = arquivo.errorString();
    if (!motivo.isEmpty()) {
        arquivo.cancelWriting();
        return erros::doSistema(motivo);
    }
    if (!arquivo.commit())
        return erros::doSistema(arquivo.errorString());
    return {};
}

std::optional<QByteArray> lerRegular(const QString& caminho, qint64 limite) {
    if (caminho.isEmpty())
        return std::nullopt;
#ifdef Q_OS_UNIX
    // Non-blocking, so a FIFO or a device under that name cannot hold the program.
    const int fd = ::open(QFile::encodeName(caminho).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > limite) {
        ::close(fd);
        return std::nullopt;
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes = f.read(limite + 1);
#else
    const QFileInfo info(caminho);
    if (!info.isFile() || info.size() > limite)
        return std::nullopt;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.read(limite + 1);
#endif
    if (bytes.size() > limite)
        return std::nullopt;
    return bytes;
}

bool criarPrivado(const QString& caminho) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(caminho).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    QFile f(caminho);
    if (f.exists() || !f.open(QIODevice::WriteOnly))
        return false;
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
#endif
}

QString modeloTemporario(const QString& banco, const QString& finalidade) {
    return banco + QLatin1Char('.') + finalidade + QStringLiteral("-XXXXXX");
}

void removerTemporarios(const QString& banco) {
    const QFileInfo info(banco);
    const QDir pasta = info.absoluteDir();
    const QString nome = info.fileName();
    QFile::remove(pasta.filePath(anterior(nome) + QStringLiteral(".novo")));
    const QRegularExpression nosso(
        QStringLiteral("^%1\\.(restaurando|senha)-[A-Za-z0-9]{6}(-journal)?$")
            .arg(QRegularExpression::escape(nome)));
    for (const QString& f : pasta.entryList({nome + QStringLiteral(".*")}, QDir::Files))
        if (nosso.match(f).hasMatch())
            QFile::remove(pasta.filePath(f));
}

}  // namespace arquivos
