#include "data/produto.h"

#include "data/regras.h"

namespace produto {
namespace {

// The maker's site; a placeholder until the real one exists.
constexpr const char* kSite = "https://www.varnelo.example/";
constexpr const char* kPaginas[] = {"software", "manual", "suporte", "contato", "newsletter", ""};
constexpr const char* kAtribuicao = "Varnelo, organizador pessoal de contatos e compromissos";

}  // namespace

QString endereco(Pagina pagina) {
    return QLatin1String(kSite) + QLatin1String(kPaginas[static_cast<int>(pagina)]);
}

QString atribuicao() {
    return QString::fromUtf8(kAtribuicao);
}

QString enderecoWeb(const QString& site) {
    const QString t = regras::aparado(site);
    if (t.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        t.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return t;
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QStringLiteral("http://") + t;
    return {};
}

}  // namespace produto
