#pragma once

#include <cstdio>

#include "ui/dialogs.h"

// Nothing may stop an unattended run. Save dialogs answer `arquivo`, questions No (Yes
// while `sim`); news is expected while `noticias`; any other message would mean the result
// is wrong, so it is told on the error output, counted and answered.
class DialogosMudos : public dialogs::Dialogos {
public:
    int mensagens = 0;
    QString arquivo;
    bool sim = false;
    bool noticias = false;
    dialogs::Resposta mensagem(dialogs::Icone icone, const QString& titulo, const QString& texto,
                               dialogs::Botoes) override {
        if (icone == dialogs::Icone::Pergunta)
            return sim ? dialogs::Resposta::Sim : dialogs::Resposta::Nao;
        if (icone == dialogs::Icone::Informacao && noticias)
            return dialogs::Resposta::Ok;
        std::fprintf(stderr, "mensagem: %s: %s\n", qPrintable(titulo), qPrintable(texto));
        ++mensagens;
        return dialogs::Resposta::Ok;
    }
    QString abrirArquivo(const QString&, const QString&, const QString&) override { return {}; }
    QString salvarArquivo(const QString&, const QString&, const QString&) override {
        return arquivo;
    }
    bool abrirEndereco(const QString&) override { return false; }
    bool iniciarPrograma(const QString&, const QStringList&) override { return false; }
    bool escolherImpressora(QPrinter&) override { return false; }
    // A report's preview is handed here instead of waiting for a user to close it.
    std::function<void(const QString&, const dialogs::PaginasRelatorio&)> aoVisualizar;
    void visualizarRelatorio(QPrinter&, const QString& titulo,
                             const dialogs::PaginasRelatorio& paginas,
                             const std::function<void(QPrinter*)>&,
                             const std::function<void()>&) override {
        if (aoVisualizar)
            aoVisualizar(titulo, paginas);
    }
};
