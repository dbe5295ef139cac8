#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "data/avisos.h"
#include "ui/acessivel.h"
#include "ui/visualizador.h"

namespace dialogs {
namespace {

QPointer<QWidget> janelaPai;

// The window the user is working in, so that it, not the main window, has the focus back
// when the box or dialog closes; the main window when none is active.
QWidget* pai() {
    QWidget* ativa = QApplication::activeWindow();
    if (ativa && ativa->isVisible() && ativa->windowType() != Qt::Popup)
        return ativa;
    return janelaPai;
}

class DialogosQt : public Dialogos {
public:
    Resposta mensagem(Icone icone, const QString& titulo, const QString& texto,
                      Botoes botoes) override {
        QMessageBox caixa(pai());
        caixa.setWindowTitle(titulo);
        // Stored text (a name, a path) is shown as typed, never read as markup.
        caixa.setTextFormat(Qt::PlainText);
        caixa.setText(texto);
        switch (icone) {
            case Icone::Critico:
                caixa.setIcon(QMessageBox::Critical);
                break;
            case Icone::Exclamacao:
                caixa.setIcon(QMessageBox::Warning);
                break;
            case Icone::Informacao:
                caixa.setIcon(QMessageBox::Information);
                break;
            case Icone::Pergunta:
                caixa.setIcon(QMessageBox::Question);
                break;
            case Icone::Nenhum:
                break;
        }
        switch (botoes) {
            case Botoes::Ok:
                caixa.setStandardButtons(QMessageBox::Ok);
                break;
            case Botoes::SimNao:
                caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case Botoes::OkCancelar:
                caixa.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case Botoes::SimNaoCancelar:
                caixa.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        switch (caixa.exec()) {
            case QMessageBox::Yes:
                return Resposta::Sim;
            case QMessageBox::No:
                return Resposta::Nao;
            case QMessageBox::Cancel:
                return Resposta::Cancelar;
            default:
                return botoes == Botoes::SimNao ? Resposta::Nao : Resposta::Ok;
        }
    }

    QString abrirArquivo(const QString& titulo, const QString& filtro,
                         const QString& pasta) override {
        return QFileDialog::getOpenFileName(pai(), titulo, pasta, filtroQt(filtro));
    }

    QString salvarArquivo(const QString& titulo, const QString& filtro,
                          const QString& nome) override {
        return QFileDialog::getSaveFileName(pai(), titulo, nome, filtroQt(filtro));
    }

    bool abrirEndereco(const QString& endereco) override {
        // A stored site is often typed without its scheme ("www.exemplo.com.br"), which
        // the shell of old took for a web address; a file that exists is opened as a file.
        const QUrl url = QFileInfo::exists(endereco) ? QUrl::fromLocalFile(endereco)
                                                     : QUrl::fromUserInput(endereco);
        return url.isValid() && QDesktopServices::openUrl(url);
    }

    bool iniciarPrograma(const QString& programa, const QStringList& argumentos) override {
        return QProcess::startDetached(programa, argumentos);
    }

    bool escolherImpressora(QPrinter& impressora) override {
        QPrintDialog dialogo(&impressora, pai());
        return dialogo.exec() == QDialog::Accepted;
    }

    void visualizarRelatorio(QPrinter& impressora, const QString& titulo,
                             const PaginasRelatorio& paginas,
                             const std::function<void(QPrinter*)>& pintar,
                             const std::function<void()>& salvarPdf) override {
        const QPageLayout papel = impressora.pageLayout();
        JanelaVisualizacao janela(
            titulo, paginas,
            [&] {
                // The dialog offers the report's own paper; the printout keeps it.
                impressora.setPageLayout(papel);
                if (escolherImpressora(impressora))
                    pintar(&impressora);
            },
            salvarPdf, pai());
        janela.exec();
    }
};

Dialogos* instalado = nullptr;

}  // namespace

Dialogos& atual() {
    static DialogosQt reais;
    return instalado ? *instalado : reais;
}

void definir(Dialogos* dialogos) {
    instalado = dialogos;
}

void encaminharAvisos() {
    avisos::definir([](const QString& titulo, const QString& texto) { erro(texto, titulo); });
    avisos::definirInformativo([](const QString& titulo, const QString& texto) {
        mensagem(Icone::Informacao, titulo, texto);
    });
}

void definirJanelaPai(QWidget* janela) {
    janelaPai = janela;
}

QString filtroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList saida;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString padroes = partes.at(i + 1);
        padroes.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString descricao = partes.at(i);
        // "Arquivos HTML(*.html)" already names its patterns as Qt reads them.
        if (descricao.endsWith(QLatin1Char('(') + padroes + QLatin1Char(')')))
            saida << descricao;
        else
            saida << QStringLiteral("%1 (%2)").arg(descricao, padroes);
    }
    return saida.join(QStringLiteral(";;"));
}

}  // namespace dialogs
