#include <QFileInfo>
#include <QTimeZone>
#include <vector>

#include "data/banco.h"
#include "data/lotes.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "formats/icalendar.h"
#include "transfer/comum.h"
#include "transfer/transferencia.h"
#include "ui/dialogs.h"
#include "ui/principal.h"

namespace transferencia {
namespace {

const QString kImportar = QStringLiteral("Importar calendário");
const QString kExportar = QStringLiteral("Exportar calendário");

QString chave(const QString& data, const QString& hora, const QString& titulo) {
    return regras::aparado(data) + QLatin1Char('|') + regras::aparado(hora) + QLatin1Char('|') +
           regras::aparado(titulo);
}

// The row as the appointment form adds it.
QList<gravacao::Valor> linha(const formatos::Evento& e) {
    const QString valores[] = {regras::dataParaBanco(e.data), e.hora, e.titulo, e.local,
                               e.descricao};
    QList<gravacao::Valor> r;
    int i = 0;
    for (const categoria::ColunaGravada& g : categoria::colunasGravadas(Categoria::Compromisso))
        r.append({QString::fromLatin1(g.coluna), regras::aplicar(g.regra, valores[i++]), {}});
    return r;
}

}  // namespace

void importarCalendario(ui::Principal& janela, const QString& escolhido) {
    const QString arquivo =
        !escolhido.isEmpty()
            ? escolhido
            : dialogs::atual().abrirArquivo(
                  kImportar, QStringLiteral("Calendário (iCalendar)|*.ics;*.ical;*.ifb|Todos os "
                                            "arquivos|*"));
    if (arquivo.isEmpty())
        return;
    const std::optional<QByteArray> bytes = lerArquivo(kImportar, arquivo);
    if (!bytes)
        return;
    const formatos::Leitura<formatos::Evento> lidos = formatos::icalendar::ler(*bytes);
    if (!lidos.reconhecido) {
        dialogs::mensagem(dialogs::Icone::Critico, kImportar,
                          QStringLiteral("O arquivo escolhido não pôde ser importado: %1. Nada "
                                         "foi gravado.")
                              .arg(lidos.motivo));
        return;
    }
    db::Database* banco = abrirBanco();
    if (!banco)
        return;
    Contagem conta;
    conta.ilegiveis = lidos.ilegiveis;
    conta.linhaIlegivel = lidos.linhaIlegivel;
    conta.outros = lidos.outros;
    conta.lidos = int(lidos.itens.size()) + lidos.ilegiveis;
    QList<QList<gravacao::Valor>> linhas;
    try {
        QSet<QString> guardados = lotes::compromissosGuardados(*banco);
        for (const formatos::Evento& e : lidos.itens) {
            const QList<gravacao::Valor> l = linha(e);
            const QString k =
                chave(l[0].valor.toString(), l[1].valor.toString(), l[2].valor.toString());
            if (guardados.contains(k)) {
                ++conta.cadastrados;
                continue;
            }
            guardados.insert(k);
            linhas << l;
        }
    } catch (const db::DbError& e) {
        falhaImportacao(kImportar, e.descricao());
        return;
    }
    conta.novos = int(linhas.size());
    const QString outros = QStringLiteral("Outros itens deixados de fora");
    if (linhas.isEmpty()) {
        dialogs::mensagem(
            dialogs::Icone::Informacao, kImportar,
            QStringLiteral("Não há compromissos novos para gravar.\n\n") + conta.texto(outros));
        return;
    }
    if (dialogs::mensagem(
            dialogs::Icone::Pergunta, kImportar,
            conta.texto(outros) +
                QStringLiteral("\n\nDeseja gravar os %1 compromissos novos?").arg(conta.novos),
            dialogs::Botoes::SimNao) != dialogs::Resposta::Sim)
        return;
    try {
        Progresso progresso(janela.barraProgresso(Categoria::Compromisso), int(linhas.size()));
        lotes::inserirTodos(*banco, QStringLiteral("compromisso"), linhas,
                            [&progresso](int feitos) { progresso.passo(feitos); });
    } catch (const db::DbError& e) {
        falhaImportacao(kImportar, e.descricao());
        return;
    }
    janela.recarregar(Categoria::Compromisso);
    dialogs::mensagem(dialogs::Icone::Informacao, kImportar,
                      QStringLiteral("%1 compromissos importados com sucesso!").arg(conta.novos));
}

void exportarCalendario(ui::Principal& janela) {
    const Celulas& celulas = janela.celulas(Categoria::Compromisso);
    if (celulas.linhas() == 0) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, kExportar,
                          QStringLiteral("A lista de compromissos está vazia: não há o que "
                                         "exportar."));
        return;
    }
    const QString nome = dialogs::atual().salvarArquivo(
        kExportar, QStringLiteral("Calendário (*.ics)|*.ics"), QStringLiteral("compromissos.ics"));
    if (nome.isEmpty())
        return;
    db::Database* banco = abrirBanco();
    if (!banco)
        return;
    std::vector<qint64> registros;
    for (int i = 0; i < celulas.linhas(); ++i)
        registros.push_back(celulas.registro(i));
    QList<formatos::Evento> eventos;
    int semData = 0;
    try {
        lotes::lerRegistros(*banco, Categoria::Compromisso, registros,
                            [&](const db::Statement& st) {
                                formatos::Evento e;
                                e.data = regras::dataDoBanco(st.text(QStringLiteral("Data")));
                                if (!e.data.isValid()) {
                                    ++semData;
                                    return;
                                }
                                e.id = st.value(QStringLiteral("id")).toLongLong();
                                e.hora = st.text(QStringLiteral("hora"));
                                e.titulo = st.text(QStringLiteral("Titulo"));
                                e.local = st.text(QStringLiteral("local"));
                                e.descricao = st.text(QStringLiteral("descricao"));
                                eventos << e;
                            });
    } catch (const db::DbError& e) {
        dialogs::mostrarErro(e.descricao());
        return;
    }
    // The UIDs are made of the file's full path, which names this database among others.
    const QString origem = QFileInfo(banco::caminhoBanco(banco::arquivobanco)).absoluteFilePath();
    const QByteArray ics = formatos::icalendar::escrever(eventos, QTimeZone::systemTimeZoneId(),
                                                         origem, regras::agora());
    const QString erro = gravarArquivo(nome, [&ics](Bloco& bloco) {
        bloco.dados = ics;
        return QString();
    });
    if (!erro.isEmpty()) {
        dialogs::mostrarErro(erro);
        return;
    }
    QString texto = QStringLiteral("%1 compromissos exportados com sucesso!").arg(eventos.size());
    if (semData > 0)
        texto += QStringLiteral(" %1 sem data válida ficaram de fora.").arg(semData);
    dialogs::mensagem(dialogs::Icone::Informacao, kExportar, texto);
}

bool aceitaArquivo(const QString& arquivo) {
    const QString s = QFileInfo(arquivo).suffix().toLower();
    return s == QLatin1String("vcf") || s == QLatin1String("vcard") || s == QLatin1String("csv") ||
           s == QLatin1String("ics") || s == QLatin1String("ical");
}

void importarArquivo(ui::Principal& janela, const QString& arquivo) {
    const QString s = QFileInfo(arquivo).suffix().toLower();
    if (s == QLatin1String("ics") || s == QLatin1String("ical"))
        importarCalendario(janela, arquivo);
    else if (aceitaArquivo(arquivo))
        importarContatos(janela, arquivo);
}

}  // namespace transferencia
