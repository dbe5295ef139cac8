#include "ambiente_teste.h"

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
