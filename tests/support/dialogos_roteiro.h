#pragma once

#include <QList>
#include <QPageSize>
#include <QQueue>
#include <QString>
#include <QStringList>

#include "ui/dialogs.h"

// A scripted stand-in for the dialog seam: records every call and answers from
// queues. Unanswered questions get the default answer (Ok, or No for Yes/No).
class DialogosRoteiro : public dialogs::Dialogos {
public:
    struct Chamada {
        QString tipo;  // "mensagem", "abrir", "salvar", "endereco", "programa", "impressora",
                       // "visualizar" (a report's preview carries its title)
        dialogs::Icone icone = dialogs::Icone::Nenhum;
        QString titulo;
        QString texto;  // message text, filter, address or program
        dialogs::Botoes botoes = dialogs::Botoes::Ok;
        QStringList argumentos;
    };

    DialogosRoteiro();            // installs itself
    ~DialogosRoteiro() override;  // restores the real dialogs

    QQueue<dialogs::Resposta> respostas;
    QQueue<QString> arquivos;  // answers for open and save dialogs; "" cancels
    bool programasIniciam = true;
    bool impressoraAceita = true;
    // Called with the printer when a preview is asked for, instead of showing one.
    std::function<void(QPrinter*)> aoVisualizar;
    // The paper the printer carried when the last printer choice was asked.
    QPageSize papelImpressora;
    // The pages the last preview would have shown.
    dialogs::PaginasRelatorio paginasVistas;
    // What the user does in a report's preview, in order: "pdf" presses "Salvar PDF",
    // "imprimir" the print button (printer choice, then printing).
    QQueue<QString> acoesVisualizacao;
    // When set, a chosen printer writes PDF to this file instead of printing.
    QString arquivoImpressora;

    QList<Chamada> chamadas;
    QList<Chamada> mensagens() const;
    // The last message shown, or an empty call.
    Chamada ultimaMensagem() const;
    void limpar() { chamadas.clear(); }

    dialogs::Resposta mensagem(dialogs::Icone icone, const QString& titulo, const QString& texto,
                               dialogs::Botoes botoes) override;
    QString abrirArquivo(const QString& titulo, const QString& filtro,
                         const QString& pasta) override;
    QString salvarArquivo(const QString& titulo, const QString& filtro,
                          const QString& nome) override;
    bool abrirEndereco(const QString& endereco) override;
    bool iniciarPrograma(const QString& programa, const QStringList& argumentos) override;
    bool escolherImpressora(QPrinter& impressora) override;
    void visualizarRelatorio(QPrinter& impressora, const QString& titulo,
                             const dialogs::PaginasRelatorio& paginas,
                             const std::function<void(QPrinter*)>& pintar,
                             const std::function<void()>& salvarPdf) override;
};
