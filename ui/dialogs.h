#pragma once

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// Everything that would stop the program to ask the user, or hand work to the
// desktop, goes through here so tests can answer it from a script.
namespace dialogs {

enum class Icone { Nenhum, Critico, Exclamacao, Informacao, Pergunta };
enum class Botoes { Ok, SimNao, OkCancelar, SimNaoCancelar };
enum class Resposta { Ok, Sim, Nao, Cancelar };

// A report's pages for its preview: how many, the paper in inches, and the painting of
// some of them (first to last, from 0) at a resolution, one picture a page.
struct PaginasRelatorio {
    int quantidade = 0;
    QSizeF papel;
    std::function<QList<QImage>(int primeira, int ultima, double dpi)> pintar;
};

class Dialogos {
public:
    virtual ~Dialogos() = default;
    virtual Resposta mensagem(Icone icone, const QString& titulo, const QString& texto,
                              Botoes botoes) = 0;
    // Filters come as "Descrição|*.ext;*.ext2|Outra|*.x"; empty result means cancelled.
    virtual QString abrirArquivo(const QString& titulo, const QString& filtro,
                                 const QString& pasta = {}) = 0;
    virtual QString salvarArquivo(const QString& titulo, const QString& filtro,
                                  const QString& nome = {}) = 0;
    // Opens a file, web address or "mailto:" with the desktop's program for it.
    virtual bool abrirEndereco(const QString& endereco) = 0;
    // Starts a program by name; false when it could not be started.
    virtual bool iniciarPrograma(const QString& programa, const QStringList& argumentos) = 0;
    // Lets the user pick and set up a printer; false when cancelled.
    virtual bool escolherImpressora(QPrinter& impressora) = 0;
    // A report's preview window titled `titulo`, showing `paginas` as they come into
    // sight: its print button asks for the printer, set to the report's paper, and prints
    // through `pintar`; "Salvar PDF" runs `salvarPdf`. Returns when the user closes it.
    virtual void visualizarRelatorio(QPrinter& impressora, const QString& titulo,
                                     const PaginasRelatorio& paginas,
                                     const std::function<void(QPrinter*)>& pintar,
                                     const std::function<void()>& salvarPdf) = 0;
};

// The program's dialogs; tests install their own with definir().
Dialogos& atual();
void definir(Dialogos* dialogos);  // nullptr restores the real ones

// Shortcut for the common case.
inline Resposta mensagem(Icone icone, const QString& titulo, const QString& texto,
                         Botoes botoes = Botoes::Ok) {
    return atual().mensagem(icone, titulo, texto, botoes);
}

// The one failure box: critical icon, the title ("Erro" unless said) and the text.
inline void erro(const QString& texto, const QString& titulo = QStringLiteral("Erro")) {
    mensagem(Icone::Critico, titulo, texto);
}

// The failure most commands tell: "Ocorreu o seguinte erro: " and the reason.
inline void mostrarErro(const QString& descricao) {
    erro(QStringLiteral("Ocorreu o seguinte erro: ") + descricao);
}

// "Desc|*.a;*.b" to Qt's "Desc (*.a *.b)".
QString filtroQt(const QString& filtro);

// The window that message boxes and file dialogs belong to.
void definirJanelaPai(QWidget* janela);

// Routes the reports of the layers without windows to message boxes of the current dialogs:
// failures with the critical icon, news with the information icon.
void encaminharAvisos();

}  // namespace dialogs
