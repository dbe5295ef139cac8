#include "ambiente_teste.h"

#include <QFile>
#include <QSettings>

#include "data/banco.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "data/sqlite.h"

AmbienteTeste::AmbienteTeste() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path() + "/config");
    configuracoes::definirPastaPrograma(dir_.path());
    banco::liberarConexoes();
    schema::criarArquivo(arquivo(), QString::fromUtf8(banco::kSenhaBanco));
}

AmbienteTeste::~AmbienteTeste() {
    soltar();
    banco::liberarConexoes();
    configuracoes::definirPastaPrograma({});
}

QString AmbienteTeste::arquivo() const {
    return dir_.path() + "/dados.mde";
}

void AmbienteTeste::executar(const QString& sql, const QVariantList& parametros) {
    direto().exec(sql, parametros);
}

QStringList linhasDe(db::Database& banco, const QString& sql, const QVariantList& parametros) {
    db::Statement st = banco.prepare(sql);
    st.bind(parametros);
    QStringList r;
    while (st.next()) {
        QStringList cols;
        for (int i = 0; i < st.columnCount(); ++i)
            cols << (st.isNull(i) ? QStringLiteral("<null>") : st.text(i));
        r << cols.join(QLatin1Char('|'));
    }
    return r;
}

QStringList AmbienteTeste::linhas(const QString& sql, const QVariantList& parametros) {
    return linhasDe(direto(), sql, parametros);
}

QString AmbienteTeste::valor(const QString& sql, const QVariantList& parametros) {
    const QStringList l = linhas(sql, parametros);
    return l.isEmpty() ? QString() : l.first();
}

db::Database& AmbienteTeste::direto() {
    if (!direto_) {
        direto_ = std::make_unique<db::Database>();
        direto_->open(arquivo(), QString::fromUtf8(banco::kSenhaBanco));
    }
    return *direto_;
}

void AmbienteTeste::soltar() {
    direto_.reset();
}

void AmbienteTeste::contatosNumerados(int n, bool invertidos) {
    executar("BEGIN");
    for (int i = 1; i <= n; ++i)
        executar("INSERT INTO agenda (nome, tel, adicional) VALUES (?, '1 ', ?)",
                 {QString("Contato %1").arg(invertidos ? n + 1 - i : i, 4, 10, QLatin1Char('0')),
                  QString(150, 'x')});
    executar("COMMIT");
}

void AmbienteTeste::danificarMeio() {
    soltar();
    banco::liberarConexoes();
    QFile f(arquivo());
    if (!f.open(QIODevice::ReadWrite))
        return;
    f.seek(f.size() / 2048 * 1024 + 200);
    f.write(QByteArray(64, '\x55'));
}
