#include "export/exportacao.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDevice>
#include <QHash>
#include <QLayout>
#include <QLocale>
#include <QProgressBar>
#include <functional>
#include <span>

#include "data/arquivos.h"
#include "data/produto.h"
#include "data/regras.h"
#include "export/relatorios.h"
#include "export/saida.h"
#include "ui/dialogs.h"
#include "ui/principal.h"

namespace exportacao {
namespace {

// Head and foot, one line each. %t is the report title, %T the same in capitals,
// %d and %h the long date and time, %a the maker's attribution, %s the maker's site.
constexpr const char* kCabecaHtml[] = {
    "<html>",
    "<head>",
    "<meta charset=\"utf-8\">",
    "<title>%t</title>",
    "<center><b>%T</b><br></center>",
    "<br>",
};
constexpr const char* kPeHtml[] = {
    "<BR><p><font face='Arial'><center>",
    "Gerado %d às %h<br>",
    "<br>",
    "Varnelo<br>",
    "<br>",
    "%a<br>",
    "<p><a href='%s'>%s</a></p><br>",
    "</center></font></p>",
};
constexpr const char* kCabecaTxt[] = {"%t", ""};
constexpr const char* kPeTxt[] = {"", "Gerado %d às %h", "", "Varnelo", "", "%a", "%s"};

struct Tipo {
    const char* categoria::Descricao::*titulo;
    const char* filtro;
    std::span<const char* const> cabeca;
    std::span<const char* const> pe;
};

// In the order of Formato.
constexpr Tipo kTipos[] = {
    {&categoria::Descricao::tituloHtml, "Arquivos HTML(*.html)|*.html", kCabecaHtml, kPeHtml},
    {&categoria::Descricao::tituloTxt, "Arquivos de Texto(*.txt)|*.txt", kCabecaTxt, kPeTxt},
};

// What the head and foot put in place of their marks, escaped when the file is a page.
class Valores {
public:
    Valores(const QString& titulo, bool html) : html_(html) {
        definir('t', titulo);
        definir('T', titulo.toUpper());
        definir('a', produto::atribuicao());
        definir('s', produto::endereco(produto::Pagina::Inicio));
    }
    void definir(char marca, const QString& valor) {
        valores_[QLatin1Char(marca)] = html_ ? escaparHtml(valor) : valor;
    }
    // The Brazilian long formats, whatever the desktop's language.
    void momento(const QDateTime& quando) {
        const QLocale br(QLocale::Portuguese, QLocale::Brazil);
        definir('d', br.toString(quando.date(), QLocale::LongFormat));
        // Through the date and time, so the zone named is the one of that day.
        definir('h', br.toString(quando, br.timeFormat(QLocale::LongFormat)));
    }
    void escrever(Saida& saida, std::span<const char* const> linhas) const {
        for (const char* modelo : linhas) {
            const QString m = QString::fromUtf8(modelo);
            QString linha;
            for (qsizetype i = 0; i < m.size(); ++i) {
                if (m.at(i) == QLatin1Char('%') && i + 1 < m.size())
                    linha += valores_.value(m.at(++i));
                else
                    linha += m.at(i);
            }
            linha += QLatin1StringView("\r\n");
            saida << linha;
        }
    }

private:
    bool html_;
    QHash<QChar, QString> valores_;
};

// Writes the whole file or nothing; the reason of a failure, or the empty text. Unbuffered:
// the blocks are large already, and a refused one keeps its reason.
QString gravar(const QString& nome, const std::function<void(Saida&)>& escrever) {
    return arquivos::gravarInteiro(nome, [&](QFileDevice& arquivo) {
        Saida saida(arquivo);
        escrever(saida);
        return saida.descarregar() ? QString() : arquivo.errorString();
    });
}

// Shown, the bar takes its place under the list at once: the export gives the event
// loop no turn until it ends.
void mostrar(QProgressBar* barra, bool visivel) {
    if (!barra)
        return;
    barra->setVisible(visivel);
    if (QWidget* pai = barra->parentWidget(); pai && pai->layout())
        pai->layout()->activate();
}

struct CursorDeEspera {
    CursorDeEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorDeEspera() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void salvarLista(ui::Principal& janela, Categoria categoria, Formato formato) {
    const categoria::Descricao& lista = categoria::descricao(categoria);
    const Tipo& tipo = kTipos[static_cast<int>(formato)];
    const QAbstractItemView* vista = janela.vista(categoria);
    if (!vista || !vista->model())
        return;
    QProgressBar* barra = janela.barraProgresso(categoria);
    c_relatorios relatorio;
    relatorio.Progresbar(barra);
    const QString nome = dialogs::atual().salvarArquivo(QString::fromUtf8(lista.*tipo.titulo),
                                                        QString::fromUtf8(tipo.filtro));
    if (nome.isEmpty())
        return;

    mostrar(barra, true);
    QString erro;
    {
        CursorDeEspera espera;
        const bool html = formato == Formato::Html;
        Valores valores(QString::fromUtf8(lista.relatorio), html);
        erro = gravar(nome, [&](Saida& saida) {
            valores.escrever(saida, tipo.cabeca);
            if (html)
                relatorio.Exportar_listaparaHTML(*vista->model(), saida);
            else
                relatorio.Exportar_listaparaTXT(saida, *vista->model(), true);
            valores.momento(regras::agora());
            valores.escrever(saida, tipo.pe);
        });
    }
    mostrar(barra, false);

    if (!erro.isEmpty()) {
        dialogs::mostrarErro(erro);
        return;
    }
    // A list that could not be read whole is saved as it shows, never reported as a good copy.
    if (const QString falha = janela.celulas(categoria).falha(); !falha.isEmpty()) {
        dialogs::mostrarErro(falha + QStringLiteral("; o arquivo salvo contém apenas as linhas que "
                                                    "puderam ser lidas"));
        return;
    }
    if (dialogs::mensagem(dialogs::Icone::Pergunta, QStringLiteral("Visualizar"),
                          QStringLiteral("Os dados foram salvos com sucesso para arquivo, deseja "
                                         "abrir o arquivo agora?"),
                          dialogs::Botoes::SimNao) == dialogs::Resposta::Sim)
        dialogs::atual().abrirEndereco(nome);
}

}  // namespace exportacao
