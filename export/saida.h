#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

class QIODevice;

// Text for an export file, in UTF-8, handed to an open device in large blocks. A
// block the device takes only in part is offered again, so a full disk ends in a
// refused write whose reason the device keeps; nothing is written after that.
class Saida {
public:
    explicit Saida(QIODevice& dispositivo) : dispositivo_(dispositivo) {}

    Saida& operator<<(QStringView texto);
    // Hands what is held to the device; false once the device has refused a write.
    bool descarregar();
    bool ok() const { return ok_; }

private:
    QIODevice& dispositivo_;
    QStringEncoder utf8_{QStringEncoder::Utf8};
    QByteArray bloco_;
    bool ok_ = true;
};
