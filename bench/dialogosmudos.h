#pragma once

#include <cstdio>

#include "app/dialogs.h"

// Nothing may stop an unattended run; a message would mean the result is wrong, so it
// is told on the error output, counted and answered.
class DialogosMudos : public dialogs::Dialogos {
public:
    int mensagens = 0;
    dialogs::Resposta mensagem(dialogs::Icone, const QString& titulo, const QString& texto,
                               dialogs::Botoes) override {
        std::fprintf(stderr, "mensagem: %s: %s\n", qPrintable(titulo), qPrintable(texto));
        ++mensagens;
        return dialogs::Resposta::Ok;
    }
    QString abrirArquivo(const QString&, const QString&, const QString&) override { return {}; }
    QString salvarArquivo(const QString&, const QString&, const QString&) override { return {}; }
    bool abrirEndereco(const QString&) override { return false; }
    bool iniciarPrograma(const QString&, const QStringList&) override { return false; }
    bool escolherImpressora(QPrinter&) override { return false; }
    bool visualizar(QPrinter&, const std::function<void(QPrinter*)>&) override { return false; }
};
