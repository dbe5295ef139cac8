#include "access/backup.h"

#include "access/copiabanco.h"
#include "app/dialogs.h"
#include "data/banco.h"
#include "editors/principal.h"

namespace acesso {
namespace {

const QString kFiltro = QStringLiteral("Arquivo de banco de dados(*.mde)|*.mde");

QString senhaBanco() {
    return QString::fromUtf8(banco::kSenhaBanco);
}

// Runs `copia` on the file in use with the kept handle really closed, so the file
// is whole on disk and may be replaced; then tells how it went and opens the file
// again. True when the copy went through.
template <class Copia>
bool copiarComBancoFechado(const QString& sucesso, Copia copia) {
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    banco::liberarConexoes();
    bool feito = true;
    try {
        copia(arquivo);
        dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Backup"), sucesso);
    } catch (const db::DbError& e) {
        dialogs::mostrarErro(e.descricao());
        feito = false;
    }
    banco::abrirPadrao();
    return feito;
}

}  // namespace

void realizarBackup() {
    const QString destino = dialogs::atual().salvarArquivo(
        QStringLiteral("Realizar backup do banco de dados"), kFiltro);
    if (!destino.isEmpty())
        copiarComBancoFechado(
            QStringLiteral("Backup realizado com sucesso!"),
            [&](const QString& arquivo) { copiarBanco(arquivo, destino, senhaBanco()); });
}

void restaurarBackup() {
    const QString origem = dialogs::atual().abrirArquivo(
        QStringLiteral("Restaurar backup do banco de dados"), kFiltro);
    // A failed restore leaves the file as it was, so the lists stay as they are.
    if (origem.isEmpty() ||
        !copiarComBancoFechado(
            QStringLiteral("Backup restaurado com sucesso!"),
            [&](const QString& arquivo) { restaurarBanco(origem, arquivo, senhaBanco()); }))
        return;
    // Every list, appointments included, so none shows rows of the replaced file.
    if (editors::Principal* janela = editors::principal())
        for (Categoria c : {Categoria::Agenda, Categoria::Anotacoes, Categoria::Senhas,
                            Categoria::Uteis, Categoria::Compromisso})
            janela->recarregar(c);
}

}  // namespace acesso
