#include "data/camposetiqueta.h"

#include "data/banco.h"
#include "data/sqlite.h"

namespace etiquetas {

std::vector<LinhaCampo> lerCamposEtiqueta() {
    std::vector<LinhaCampo> r;
    try {
        db::Statement st =
            banco::conexao().banco().prepare(QStringLiteral("SELECT * FROM CamposEtiqueta"));
        while (st.next())
            r.push_back(
                {st.value(QStringLiteral("Index")).toInt(), st.text(QStringLiteral("Campo")),
                 st.value(QStringLiteral("Top")).toDouble(),
                 st.value(QStringLiteral("Left")).toDouble(),
                 st.value(QStringLiteral("Width")).toDouble(),
                 st.isNull(QStringLiteral("Formato")) ? QString()
                                                      : st.text(QStringLiteral("Formato"))});
    } catch (const db::DbError&) {
        // Designed fields without a row keep their design.
    }
    return r;
}

}  // namespace etiquetas
