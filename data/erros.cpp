#include "data/erros.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace erros {
namespace {

const QString kEmUso = QStringLiteral("o arquivo está em uso por outro programa");
const QString kSoLeitura = QStringLiteral("o arquivo ou a pasta não permite gravação");
const QString kDiscoCheio = QStringLiteral("não há espaço livre no disco");
const QString kNaoEhBanco =
    QStringLiteral("o arquivo não é um banco de dados ou foi gravado com outra senha");
const QString kAusente = QStringLiteral("o arquivo não foi encontrado");
const QString kEntradaSaida = QStringLiteral("erro de leitura ou gravação no disco");
const QString kDanificado = QStringLiteral("o arquivo de dados está danificado");
const QString kPasta = QStringLiteral("a pasta do arquivo não permite gravação");
const QString kSubstituido = QStringLiteral("o arquivo foi substituído por outro programa");

// The system's own words for an error number, as the file operations report it.
QString textoDoSistema(int numero) {
    return QString::fromLocal8Bit(std::strerror(numero));
}

QString doNumero(int numero) {
    switch (numero) {
        case ENOENT:
        case ENOTDIR:
            return kAusente;
        case EACCES:
        case EPERM:
        case EROFS:
            return kSoLeitura;
        case ENOSPC:
        case EDQUOT:
            return kDiscoCheio;
        case EIO:
            return kEntradaSaida;
        case EBUSY:
        case ETXTBSY:
            return kEmUso;
        default:
            return {};
    }
}

}  // namespace

QString doBanco(int codigo, int numeroSistema) {
    switch (codigo & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return kEmUso;
        case SQLITE_READONLY:
            // Another program renamed or replaced the file under the open connection.
            if (codigo == SQLITE_READONLY_DBMOVED)
                return kSubstituido;
            return kSoLeitura;
        case SQLITE_PERM:
            return kSoLeitura;
        case SQLITE_CORRUPT:
            return kDanificado;
        case SQLITE_FULL:
            return kDiscoCheio;
        case SQLITE_NOTADB:
            return kNaoEhBanco;
        case SQLITE_CANTOPEN: {
            const QString pelo = doNumero(numeroSistema);
            return pelo.isEmpty() ? kAusente : pelo;
        }
        case SQLITE_IOERR: {
            const QString pelo = doNumero(numeroSistema);
            return pelo.isEmpty() ? kEntradaSaida : pelo;
        }
        default:
            return {};
    }
}

QString doBanco(int codigo, int numeroSistema, const QString& arquivo) {
    const int primario = codigo & 0xff;
    const bool gravacao = primario == SQLITE_CANTOPEN || primario == SQLITE_IOERR ||
                          (primario == SQLITE_READONLY && codigo != SQLITE_READONLY_DBMOVED);
    // The journal beside the file could not be made: the file is there, its folder refuses.
    if (gravacao && !arquivo.isEmpty() && QFileInfo::exists(arquivo) && pastaSemGravacao(arquivo))
        return kPasta;
    return doBanco(codigo, numeroSistema);
}

bool pastaSemGravacao(const QString& arquivo) {
#ifdef Q_OS_UNIX
    const QByteArray pasta = QFile::encodeName(QFileInfo(arquivo).absolutePath());
    if (::access(pasta.constData(), W_OK) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
#else
    return !QFileInfo(QFileInfo(arquivo).absolutePath()).isWritable();
#endif
}

QString textoDanificado() {
    return kDanificado;
}

QString textoPastaSemGravacao() {
    return kPasta;
}

QString doSistema(const QString& texto) {
    // As the C library words it, or as Qt does (and translates) for the commonest ones.
    for (int numero : {ENOENT, ENOTDIR, EACCES, EPERM, EROFS, ENOSPC, EDQUOT, EIO, EBUSY, ETXTBSY})
        if (texto == textoDoSistema(numero) || texto == qt_error_string(numero))
            return doNumero(numero);
    return texto;
}

}  // namespace erros
