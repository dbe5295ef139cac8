#include "access/backup.h"

#include <QFileInfo>

#include "access/frmarquivoprotegido.h"
#include "data/arquivos.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/copiabanco.h"
#include "data/schema.h"
#include "ui/dialogs.h"
#include "ui/principal.h"

namespace acesso {
namespace {

const QString kFiltro = QStringLiteral("Arquivo de banco de dados(*.mde)|*.mde");

// Runs `fazer` on the file in use with the kept handle really closed, so the file is whole
// on disk and may be replaced; tells how it went (`resultado`, or the failure), then opens
// the file again. True when the copy went through.
template <class Fazer, class Resultado>
bool copiarComBancoFechado(Fazer fazer, Resultado resultado) {
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    banco::liberarConexoes();
    bool feito = true;
    try {
        fazer(arquivo);
        resultado();
    } catch (const db::DbError& e) {
        dialogs::mostrarErro(e.descricao());
        feito = false;
    }
    banco::abrirPadrao();
    return feito;
}

// The restore once the backup's key is known.
void restaurarCom(const QString& origem, const QString& arquivo, const QString& chaveOrigem,
                  const std::optional<QString>& senhaOrigem) {
    // Refused files are refused before the question, so it is asked only about a real backup.
    try {
        schema::verificarArquivo(origem, chaveOrigem);
    } catch (const db::DbError&) {
        dialogs::mostrarErro(copia::kNaoEBanco);
        return;
    }
    if (dialogs::mensagem(
            dialogs::Icone::Pergunta, QStringLiteral("Backup"),
            QStringLiteral("Os dados atuais serão substituídos pelos do backup escolhido. "
                           "Continuar?\n\nO arquivo atual ficará guardado ao lado, como %1.")
                .arg(QFileInfo(arquivos::anterior(arquivo)).fileName()),
            dialogs::Botoes::SimNao) != dialogs::Resposta::Sim)
        return;
    ui::Principal* janela = ui::principal();
    const QString chaveAtual = banco::chaveBanco();
    // A failed restore leaves the file as it was, so the lists stay as they are. Every list,
    // appointments included, is emptied before the news, so none shows rows of the file gone.
    if (!copiarComBancoFechado(
            [&](const QString& atual) {
                copia::restaurarBanco(origem, atual, chaveOrigem, chaveAtual);
                // From now on the file in use is the backup, with the backup's password.
                if (senhaOrigem)
                    chave::definirSenha(*senhaOrigem);
            },
            [&] {
                if (janela)
                    janela->esvaziarTodas();
                dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Backup"),
                                  QStringLiteral("Backup restaurado com sucesso!"));
            }))
        return;
    if (janela)
        janela->recarregarTodas();
}

}  // namespace

void realizarBackup() {
    const QString destino = dialogs::atual().salvarArquivo(
        QStringLiteral("Realizar backup do banco de dados"), kFiltro);
    if (destino.isEmpty())
        return;
    QString dano;
    copiarComBancoFechado(
        [&](const QString& arquivo) {
            dano = copia::copiarBanco(arquivo, destino, banco::chaveBanco());
        },
        [&] {
            if (dano.isEmpty())
                dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Backup"),
                                  QStringLiteral("Backup realizado com sucesso!"));
            else
                dialogs::erro(QStringLiteral("A cópia foi gravada, mas %1: a cópia contém os "
                                             "mesmos danos e não serve como um backup bom. Guarde "
                                             "também um backup anterior.")
                                  .arg(dano),
                              QStringLiteral("Backup"));
        });
}

void restaurarBackup() {
    const QString origem = dialogs::atual().abrirArquivo(
        QStringLiteral("Restaurar backup do banco de dados"), kFiltro);
    if (origem.isEmpty())
        return;
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    if (arquivos::mesmoArquivo(origem, arquivo)) {
        dialogs::mostrarErro(copia::kMesmoArquivo);
        return;
    }
    // A backup may have another password than the file in use: it is asked for its own.
    comChave(origem, [origem, arquivo](const QString& chaveOrigem,
                                       const std::optional<QString>& senhaOrigem) {
        restaurarCom(origem, arquivo, chaveOrigem, senhaOrigem);
    });
}

}  // namespace acesso
