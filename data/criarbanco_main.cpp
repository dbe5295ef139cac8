// Lays an empty keyed database at the given path, leaving any existing file alone.
#include <QCoreApplication>
#include <QTextStream>

#include "data/banco.h"
#include "data/schema.h"
#include "data/sqlite.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "uso: criarbanco <arquivo>\n";
        return 2;
    }
    try {
        schema::criarArquivo(args.at(1), QString::fromUtf8(banco::kSenhaBanco));
    } catch (const db::DbError& e) {
        err << args.at(1) << ": " << e.descricao() << "\n";
        return 1;
    }
    return 0;
}
