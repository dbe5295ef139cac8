#include "dialogos_roteiro.h"

#include <QPrinter>

#include "data/avisos.h"

DialogosRoteiro::DialogosRoteiro() {
    dialogs::definir(this);
    dialogs::encaminharAvisos();
}
DialogosRoteiro::~DialogosRoteiro() {
    avisos::definir({});
    avisos::definirInformativo({});
    dialogs::definir(nullptr);
}

QList<DialogosRoteiro::Chamada> DialogosRoteiro::mensagens() const {
    QList<Chamada> r;
    for (const Chamada& c : chamadas)
        if (c.tipo == QLatin1String("mensagem"))
            r << c;
    return r;
}

DialogosRoteiro::Chamada DialogosRoteiro::ultimaMensagem() const {
    const QList<Chamada> m = mensagens();
    return m.isEmpty() ? Chamada{} : m.last();
}

dialogs::Resposta DialogosRoteiro::mensagem(dialogs::Icone icone, const QString& titulo,
                                            const QString& texto, dialogs::Botoes botoes) {
    chamadas << Chamada{QStringLiteral("mensagem"), icone, titulo, texto, botoes, {}};
    if (!respostas.isEmpty())
        return respostas.dequeue();
    return botoes == dialogs::Botoes::SimNao ? dialogs::Resposta::Nao : dialogs::Resposta::Ok;
}

QString DialogosRoteiro::abrirArquivo(const QString& titulo, const QString& filtro,
                                      const QString& pasta) {
    chamadas << Chamada{QStringLiteral("abrir"),
                        dialogs::Icone::Nenhum,
                        titulo,
                        filtro,
                        dialogs::Botoes::Ok,
                        {pasta}};
    return arquivos.isEmpty() ? QString() : arquivos.dequeue();
}

QString DialogosRoteiro::salvarArquivo(const QString& titulo, const QString& filtro,
                                       const QString& nome) {
    chamadas << Chamada{QStringLiteral("salvar"),
                        dialogs::Icone::Nenhum,
                        titulo,
                        filtro,
                        dialogs::Botoes::Ok,
                        {nome}};
    return arquivos.isEmpty() ? QString() : arquivos.dequeue();
}

bool DialogosRoteiro::abrirEndereco(const QString& endereco) {
    chamadas << Chamada{
        QStringLiteral("endereco"), dialogs::Icone::Nenhum, {}, endereco, dialogs::Botoes::Ok, {}};
    return true;
}

bool DialogosRoteiro::iniciarPrograma(const QString& programa, const QStringList& argumentos) {
    chamadas << Chamada{QStringLiteral("programa"),
                        dialogs::Icone::Nenhum,
                        {},
                        programa,
                        dialogs::Botoes::Ok,
                        argumentos};
    return programasIniciam;
}

bool DialogosRoteiro::escolherImpressora(QPrinter& impressora) {
    papelImpressora = impressora.pageLayout().pageSize();
    chamadas << Chamada{
        QStringLiteral("impressora"), dialogs::Icone::Nenhum, {}, {}, dialogs::Botoes::Ok, {}};
    if (impressoraAceita && !arquivoImpressora.isEmpty()) {
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(arquivoImpressora);
    }
    return impressoraAceita;
}

void DialogosRoteiro::visualizarRelatorio(QPrinter& impressora, const QString& titulo,
                                          const dialogs::PaginasRelatorio& paginas,
                                          const std::function<void(QPrinter*)>& pintar,
                                          const std::function<void()>& salvarPdf) {
    paginasVistas = paginas;
    chamadas << Chamada{
        QStringLiteral("visualizar"), dialogs::Icone::Nenhum, titulo, {}, dialogs::Botoes::Ok, {}};
    if (aoVisualizar)
        aoVisualizar(&impressora);
    while (!acoesVisualizacao.isEmpty()) {
        const QString acao = acoesVisualizacao.dequeue();
        if (acao == QLatin1String("pdf"))
            salvarPdf();
        else if (acao == QLatin1String("imprimir") && escolherImpressora(impressora))
            pintar(&impressora);
    }
}
