#include <QFileInfo>
#include <QStringList>
#include <QTimeZone>
#include <span>
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

// The row as the appointment form adds it. A title, place or time longer than its box takes
// is cut there and kept whole at the head of the description.
QList<gravacao::Valor> linha(const formatos::Evento& e) {
    QString valores[] = {regras::dataParaBanco(e.data), e.hora, e.titulo, e.local, e.descricao};
    const char* const rotulos[] = {"Data", "Hora", "Título", "Local", "Descrição"};
    const std::span<const categoria::ColunaGravada> gravadas =
        categoria::colunasGravadas(Categoria::Compromisso);
    QStringList inteiros;
    for (std::size_t i = 0; i < gravadas.size(); ++i) {
        const QString v = regras::aparado(valores[i]);
        if (gravadas[i].maximo > 0 && v.size() > gravadas[i].maximo) {
            inteiros << QString::fromUtf8(rotulos[i]) + QStringLiteral(": ") + v;
            valores[i] = v.left(gravadas[i].maximo);
        }
    }
    if (!inteiros.isEmpty()) {
        if (!regras::aparado(valores[4]).isEmpty())
            inteiros << valores[4];
        valores[4] = inteiros.join(QLatin1Char('\n'));
    }
    QList<gravacao::Valor> r;
    for (std::size_t i = 0; i < gravadas.size(); ++i)
        r.append({QString::fromLatin1(gravadas[i].coluna),
                  regras::aplicar(gravadas[i].regra, valores[i]),
                  {}});
    return r;
}

}  // namespace

void importarCalendario(ui::Principal& janela, const QString& escolhido) {
    const Importacao imp{kImportar,
                         QStringLiteral("Calendário (iCalendar)|*.ics;*.ical;*.ifb|Todos os "
                                        "arquivos|*"),
                         QStringLiteral("compromissos"),
                         QStringLiteral("Deseja gravar os %1 compromissos novos?"),
                         QStringLiteral("Outros itens deixados de fora"),
                         Categoria::Compromisso};
    db::Database* banco = nullptr;
    const std::optional<formatos::Leitura<formatos::Evento>> lidos =
        lerImportacao<formatos::Evento>(
            imp, escolhido,
            [](const QString&, const QByteArray& b) { return formatos::icalendar::ler(b); }, banco);
    if (!lidos)
        return;
    Contagem conta = contar(*lidos);
    QList<QList<gravacao::Valor>> linhas;
    try {
        QSet<QString> guardados = lotes::compromissosGuardados(*banco);
        for (const formatos::Evento& e : lidos->itens) {
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
    if (confirmar(imp, conta))
        gravarNovas(janela, *banco, imp, linhas);
}

void exportarCalendario(ui::Principal& janela) {
    const std::optional<Exportacao> exp = abrirExportacao(
        janela, Categoria::Compromisso, kExportar,
        QStringLiteral("A lista de compromissos está vazia: não há o que exportar."),
        QStringLiteral("Calendário (*.ics)|*.ics"), QStringLiteral("compromissos.ics"));
    if (!exp)
        return;
    QList<formatos::Evento> eventos;
    int semData = 0;
    try {
        lotes::lerRegistros(*exp->banco, Categoria::Compromisso, exp->registros,
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
    const QString erro = gravarArquivo(exp->destino, [&ics](Bloco& bloco) {
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
