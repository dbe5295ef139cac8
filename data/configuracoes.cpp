#include "data/configuracoes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include "data/avisos.h"
#include "data/erros.h"

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

// QSettings keeps no reason of its own: the file, then its folder, are asked for one.
QString motivo(const QString& arquivo) {
    QFile f(arquivo);
    if (QFileInfo::exists(arquivo) && !f.open(QIODevice::ReadWrite | QIODevice::Append))
        return erros::doSistema(f.errorString());
    f.close();
    const QString pasta = QFileInfo(arquivo).absolutePath();
    if (!QFileInfo::exists(pasta) && !QDir().mkpath(pasta))
        return erros::textoPastaSemGravacao();
    QTemporaryFile t(pasta + QStringLiteral("/.varnelo-XXXXXX"));
    if (!t.open())
        return erros::pastaSemGravacao(arquivo) ? erros::textoPastaSemGravacao()
                                                : erros::doSistema(t.errorString());
    return QStringLiteral("o arquivo de configurações não pôde ser gravado");
}

}  // namespace

QString ler(const QString& chave, const QString& padrao) {
    QSettings s = abrir();
    s.beginGroup(kSecao);
    return s.value(chave, padrao).toString();
}

bool gravar(const QString& chave, const QString& valor) {
    return gravar({{chave, valor}});
}

bool gravar(const QList<std::pair<QString, QString>>& valores) {
    QSettings s = abrir();
    s.beginGroup(kSecao);
    QList<std::pair<QString, QVariant>> antes;
    for (const auto& [chave, valor] : valores) {
        antes.append({chave, s.value(chave)});
        s.setValue(chave, valor);
    }
    s.sync();
    if (s.status() == QSettings::NoError)
        return true;
    // The program goes on with what the next start will read, not with what was refused.
    for (const auto& [chave, valor] : antes) {
        if (valor.isValid())
            s.setValue(chave, valor);
        else
            s.remove(chave);
    }
    s.endGroup();
    s.sync();
    avisos::erro(
        QStringLiteral("Erro"),
        QStringLiteral("Não foi possível gravar as configurações: ") + motivo(s.fileName()));
    return false;
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
