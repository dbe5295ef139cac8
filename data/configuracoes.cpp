#include "data/configuracoes.h"

#include <QCoreApplication>
#include <QSettings>

namespace configuracoes {
namespace {

QString& pastaDefinida() {
    static QString pasta;
    return pasta;
}

QSettings abrir() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnelo"),
                     QStringLiteral("Varnelo"));
}

const QString kSecao = QStringLiteral("Configurações");

}  // namespace

QString ler(const QString& chave, const QString& padrao) {
    QSettings s = abrir();
    s.beginGroup(kSecao);
    return s.value(chave, padrao).toString();
}

void gravar(const QString& chave, const QString& valor) {
    QSettings s = abrir();
    s.beginGroup(kSecao);
    s.setValue(chave, valor);
    s.endGroup();
    s.sync();
}

QString pastaPrograma() {
    if (!pastaDefinida().isEmpty())
        return pastaDefinida();
    return QCoreApplication::applicationDirPath();
}

void definirPastaPrograma(const QString& pasta) {
    pastaDefinida() = pasta;
}

QString naPastaPrograma(const QString& arquivo) {
    QString nome = arquivo;
    nome.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return pastaPrograma() + nome;
}

}  // namespace configuracoes
