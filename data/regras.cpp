#include "data/regras.h"

#include <QStringList>

namespace regras {
namespace {
QDate& diaFixo() {
    static QDate dia;
    return dia;
}
QDateTime& momentoFixo() {
    static QDateTime momento;
    return momento;
}
}  // namespace

QString aparado(const QString& texto) {
    qsizetype ini = 0, fim = texto.size();
    while (ini < fim && texto.at(ini) == QLatin1Char(' '))
        ++ini;
    while (fim > ini && texto.at(fim - 1) == QLatin1Char(' '))
        --fim;
    return texto.mid(ini, fim - ini);
}

QString preenchido(const QString& texto) {
    return aparado(texto) + QLatin1Char(' ');
}

QString semApostrofos(const QString& texto) {
    QString t = texto;
    t.remove(QLatin1Char('\''));
    return t;
}

QString aplicar(Regra regra, const QString& texto) {
    switch (regra) {
        case Regra::Preenchido:
            return preenchido(texto);
        case Regra::Aparado:
            return aparado(texto);
        case Regra::AparadoSemApostrofos:
            return semApostrofos(aparado(texto));
        case Regra::SemApostrofos:
            return semApostrofos(texto);
        case Regra::ComoDigitado:
            break;
    }
    return texto;
}

QString dataParaBanco(const QDate& data) {
    return data.toString(QStringLiteral("yyyy/MM/dd"));
}

QDate dataDoBanco(const QString& texto) {
    return QDate::fromString(aparado(texto), QStringLiteral("yyyy/MM/dd"));
}

QString dataParaTela(const QDate& data) {
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

QDate dataDigitada(const QString& texto) {
    QString t = aparado(texto);
    t.replace(QLatin1Char('-'), QLatin1Char('/'));
    const QStringList partes = t.split(QLatin1Char('/'));
    if (partes.size() != 3)
        return {};
    bool okD, okM, okA;
    const int d = partes.at(0).toInt(&okD), m = partes.at(1).toInt(&okM);
    int a = partes.at(2).toInt(&okA);
    const qsizetype digitos = partes.at(2).size();
    if (!okD || !okM || !okA || (digitos != 2 && digitos != 4))
        return {};
    // Two-digit years as Windows reads them: 30 to 99 in the 1900s, 00 to 29 in the 2000s.
    if (digitos == 2)
        a += a < 30 ? 2000 : 1900;
    return QDate(a, m, d);
}

QDate hoje() {
    return diaFixo().isValid() ? diaFixo() : QDate::currentDate();
}

void fixarHoje(const QDate& dia) {
    diaFixo() = dia;
}

QDateTime agora() {
    if (momentoFixo().isValid())
        return momentoFixo();
    return QDateTime(hoje(), QTime::currentTime());
}

void fixarAgora(const QDateTime& momento) {
    momentoFixo() = momento;
}

}  // namespace regras
