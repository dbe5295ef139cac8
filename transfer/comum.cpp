#include "transfer/comum.h"

#include <QApplication>
#include <QFileDevice>
#include <QLayout>
#include <QProgressBar>

#include "data/arquivos.h"
#include "data/banco.h"
#include "ui/dialogs.h"

namespace transferencia {
namespace {

// Larger than any address book or calendar a person keeps; a bigger file is no such thing.
constexpr qint64 kMaiorArquivo = 128 * 1024 * 1024;
constexpr qsizetype kBloco = 256 * 1024;

}  // namespace

QString Contagem::texto(const QString& outrosRotulo) const {
    QString t = QStringLiteral("Lidos: %1\nNovos: %2\nJá cadastrados: %3\nIlegíveis: %4")
                    .arg(lidos)
                    .arg(novos)
                    .arg(cadastrados)
                    .arg(ilegiveis);
    if (ilegiveis > 0)
        t += QStringLiteral(" (o primeiro na linha %1)").arg(linhaIlegivel);
    if (outros > 0 && !outrosRotulo.isEmpty())
        t += QStringLiteral("\n%1: %2").arg(outrosRotulo).arg(outros);
    return t;
}

std::optional<QByteArray> lerArquivo(const QString& titulo, const QString& arquivo) {
    std::optional<QByteArray> bytes = arquivos::lerRegular(arquivo, kMaiorArquivo);
    if (!bytes)
        dialogs::mensagem(dialogs::Icone::Critico, titulo,
                          QStringLiteral("O arquivo \"%1\" não pôde ser lido: não existe, não é "
                                         "um arquivo comum ou é grande demais. Nada foi gravado.")
                              .arg(arquivo));
    return bytes;
}

db::Database* abrirBanco() {
    banco::abrirPadrao();
    if (!banco::conexao().aberta())
        return nullptr;
    try {
        return &banco::conexao().banco();
    } catch (const db::DbError&) {
        return nullptr;
    }
}

Progresso::Progresso(QProgressBar* barra, int total) : barra_(barra), total_(total) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!barra_)
        return;
    barra_->setRange(0, 100);
    barra_->setValue(0);
    barra_->show();
    // Laid out at once: the work gives the event loop no turn until it ends.
    if (QWidget* pai = barra_->parentWidget(); pai && pai->layout())
        pai->layout()->activate();
}

Progresso::~Progresso() {
    if (barra_)
        barra_->hide();
    QApplication::restoreOverrideCursor();
}

void Progresso::passo(int feitos) {
    if (!barra_ || total_ <= 0)
        return;
    const int v = int(qint64(feitos) * 100 / total_);
    if (v == ultimo_)
        return;
    ultimo_ = v;
    barra_->setValue(v);
    barra_->repaint();
}

bool Bloco::soltar(bool tudo) {
    if (dados.size() < kBloco && !tudo)
        return true;
    const bool ok = arquivo_.write(dados) == dados.size();
    dados.clear();
    return ok;
}

QString gravarArquivo(const QString& destino, const std::function<QString(Bloco&)>& escrever) {
    return arquivos::gravarInteiro(destino, [&](QFileDevice& arquivo) {
        Bloco bloco(arquivo);
        const QString motivo = escrever(bloco);
        if (!motivo.isEmpty())
            return motivo;
        return bloco.soltar(true) ? QString() : arquivo.errorString();
    });
}

void falhaImportacao(const QString& titulo, const QString& motivo) {
    dialogs::mensagem(
        dialogs::Icone::Critico, titulo,
        QStringLiteral("Ocorreu o seguinte erro ao importar: %1. Nada foi gravado.").arg(motivo));
}

}  // namespace transferencia
