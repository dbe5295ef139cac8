#pragma once

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QToolButton>

#include "data/banco.h"
#include "data/chave.h"
#include "data/sqlite.h"
#include "dialogos_roteiro.h"
#include "ui/janelas.h"

// One dialog call as "kind|title|text": message boxes are named by their icon, with
// "|SimNao" after a Yes/No question; file dialogs are "abrir"/"salvar" with their filter.
inline QString descrever(const DialogosRoteiro::Chamada& c) {
    static const char* const icones[] = {"nenhum", "critico", "exclamacao", "informacao",
                                         "pergunta"};
    const QString r = (c.tipo == "mensagem" ? QString(icones[int(c.icone)]) : c.tipo) + "|" +
                      c.titulo + "|" + c.texto;
    return c.botoes == dialogs::Botoes::SimNao ? r + "|SimNao" : r;
}

// Every call the scripted dialogs saw, in order.
inline QStringList chamadas(const DialogosRoteiro& dlg) {
    QStringList r;
    for (const DialogosRoteiro::Chamada& c : dlg.chamadas)
        r << descrever(c);
    return r;
}

inline QString ultimaMensagem(const DialogosRoteiro& dlg) {
    return descrever(dlg.ultimaMensagem());
}

// Presses a toolbar button of a window by its key.
inline void clicar(QWidget* janela, const char* chave) {
    janela->findChild<QToolButton*>(chave)->click();
}

// Lets closed windows be destroyed, so the next opening starts afresh.
inline void descartarFechadas() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every side window closed without a question, then the file's password forgotten: what a
// test of the protected file leaves behind.
inline void encerrarSessao() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* j = qobject_cast<janelas::JanelaAuxiliar*>(w))
            j->fecharSemPerguntar();
    descartarFechadas();
    chave::esquecer();
}

inline bool algumaVisivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

// Another program holding a file's write lock (a sqlcipher shell in BEGIN EXCLUSIVE)
// from prender() to soltar(). Until then this process waits only `espera` ms for a busy
// file, connections opened from now on included.
class TravaExterna {
public:
    static bool disponivel() { return !QStandardPaths::findExecutable("sqlcipher").isEmpty(); }
    explicit TravaExterna(int espera) : espera_(db::esperaOcupado()) {
        db::definirEsperaOcupado(espera);
    }
    ~TravaExterna() { soltar(); }
    // Whether the lock is taken.
    bool prender(const QString& arquivo) {
        shell_.start("sqlcipher", {arquivo});
        shell_.write(QString("PRAGMA key='%1';\nBEGIN EXCLUSIVE;\nSELECT 'preso';\n")
                         .arg(QString::fromUtf8(banco::kSenhaBanco))
                         .toUtf8());
        return shell_.waitForReadyRead();
    }
    // Ends the other program's transaction; whether it finished cleanly.
    bool soltar() {
        db::definirEsperaOcupado(espera_);
        if (shell_.state() == QProcess::NotRunning)
            return true;
        shell_.write("COMMIT;\n.quit\n");
        shell_.closeWriteChannel();
        return shell_.waitForFinished() && shell_.exitCode() == 0;
    }

private:
    int espera_;
    QProcess shell_;
};
