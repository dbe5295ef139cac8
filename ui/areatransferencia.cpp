#include "ui/areatransferencia.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QTimer>

namespace areatransferencia {
namespace {

// Only a digest of the secret is kept, to tell whether the clipboard still holds it.
QByteArray& marca() {
    static QByteArray m;
    return m;
}

QByteArray resumo(const QString& texto) {
    return QCryptographicHash::hash(texto.toUtf8(), QCryptographicHash::Sha256);
}

}  // namespace

QTimer* temporizador() {
    static QTimer* t = [] {
        auto* novo = new QTimer(qApp);
        novo->setObjectName(QStringLiteral("temporizadorSegredo"));
        novo->setSingleShot(true);
        novo->setInterval(kDuracaoMs);
        QObject::connect(novo, &QTimer::timeout, novo, &expirar);
        return novo;
    }();
    return t;
}

void copiarSegredo(const QString& texto) {
    QClipboard* area = QGuiApplication::clipboard();
    area->setText(texto);
    marca() = resumo(texto);
    temporizador()->start();
}

void expirar() {
    temporizador()->stop();
    if (marca().isEmpty())
        return;
    QClipboard* area = QGuiApplication::clipboard();
    if (resumo(area->text()) == marca())
        area->clear();
    marca().clear();
}

}  // namespace areatransferencia
