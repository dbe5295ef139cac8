#include "transfer/comum.h"

#include <QApplication>
#include <QFileDevice>
#include <QLayout>
#include <QProgressBar>

#include "data/arquivos.h"
#include "data/banco.h"
#include "data/lotes.h"
#include "data/sqlite.h"
#include "ui/dialogs.h"
#include "ui/principal.h"

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

std::optional<QByteArray> abrirImportacao(const Importacao& imp, const QString& escolhido,
                                          QString& arquivo) {
    arquivo =
        !escolhido.isEmpty() ? escolhido : dialogs::atual().abrirArquivo(imp.titulo, imp.filtro);
    if (arquivo.isEmpty())
        return std::nullopt;
    return lerArquivo(imp.titulo, arquivo);
}

bool reconhecido(const Importacao& imp, bool sim, const QString& motivo) {
    if (!sim)
        dialogs::mensagem(
            dialogs::Icone::Critico, imp.titulo,
            QStringLiteral("O arquivo escolhido não pôde ser importado: %1. Nada foi gravado.")
                .arg(motivo));
    return sim;
}

std::optional<Exportacao> abrirExportacao(ui::Principal& janela, Categoria categoria,
                                          const QString& titulo, const QString& vazia,
                                          const QString& filtro, const QString& nome) {
    const Celulas& celulas = janela.celulas(categoria);
    if (celulas.linhas() == 0) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, titulo, vazia);
        return std::nullopt;
    }
    Exportacao e;
    e.destino = dialogs::atual().salvarArquivo(titulo, filtro, nome);
    if (e.destino.isEmpty() || !(e.banco = abrirBanco()))
        return std::nullopt;
    e.registros.reserve(std::size_t(celulas.linhas()));
    for (int i = 0; i < celulas.linhas(); ++i)
        e.registros.push_back(celulas.registro(i));
    return e;
}

bool confirmar(const Importacao& imp, const Contagem& conta) {
    if (conta.novos == 0) {
        dialogs::mensagem(dialogs::Icone::Informacao, imp.titulo,
                          QStringLiteral("Não há %1 novos para gravar.\n\n").arg(imp.itens) +
                              conta.texto(imp.outrosRotulo));
        return false;
    }
    return dialogs::mensagem(dialogs::Icone::Pergunta, imp.titulo,
                             conta.texto(imp.outrosRotulo) + QStringLiteral("\n\n") +
                                 imp.pergunta.arg(conta.novos),
                             dialogs::Botoes::SimNao) == dialogs::Resposta::Sim;
}

bool gravarNovas(ui::Principal& janela, db::Database& banco, const Importacao& imp,
                 const QList<QList<gravacao::Valor>>& linhas) {
    try {
        Progresso progresso(janela.barraProgresso(imp.categoria), int(linhas.size()));
        lotes::inserirTodos(banco, QString::fromLatin1(categoria::tabela(imp.categoria)), linhas,
                            [&progresso](int feitos) { progresso.passo(feitos); });
    } catch (const db::DbError& e) {
        falhaImportacao(imp.titulo, e.descricao());
        return false;
    }
    janela.recarregar(imp.categoria);
    dialogs::mensagem(
        dialogs::Icone::Informacao, imp.titulo,
        QStringLiteral("%1 %2 importados com sucesso!").arg(linhas.size()).arg(imp.itens));
    return true;
}

}  // namespace transferencia
