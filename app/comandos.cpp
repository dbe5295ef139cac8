#include "app/comandos.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVector>

#include "access/backup.h"
#include "access/bloqueio.h"
#include "access/frmadmlogin.h"
#include "access/frmsenhaarquivo.h"
#include "app/frmrede.h"
#include "data/configuracoes.h"
#include "data/produto.h"
#include "data/regras.h"
#include "editors/fluxos.h"
#include "export/exportacao.h"
#include "reports/impressoes.h"
#include "transfer/transferencia.h"
#include "ui/areatransferencia.h"
#include "ui/dialogs.h"
#include "ui/icones.h"
#include "ui/janelas.h"
#include "ui/modelolista.h"

namespace comandos {
namespace {

constexpr int cat(Categoria c) {
    return static_cast<int>(c);
}
constexpr int pag(Pagina p) {
    return static_cast<int>(p);
}
constexpr int ferr(Ferramenta f) {
    return static_cast<int>(f);
}

constexpr int kAg = cat(Categoria::Agenda), kCo = cat(Categoria::Compromisso),
              kAn = cat(Categoria::Anotacoes), kSn = cat(Categoria::Senhas),
              kUt = cat(Categoria::Uteis);
constexpr int kVcf = static_cast<int>(transferencia::Formato::Vcard),
              kCsv = static_cast<int>(transferencia::Formato::Csv);

constexpr Comando kMenu[] = {
    {1, "mnu1", "Menu Principal", Acao::Nenhuma, 0},
    {2, "mnuvarnelo", "Agenda de telefones", Acao::Nenhuma, 0},
    {3, "mnuadicionartel", "Adicionar", Acao::Adicionar, kAg},
    {3, "mnueditartel", "Editar", Acao::Editar, kAg},
    {3, "mnuremovertel", "Remover", Acao::Remover, kAg},
    {3, "ag", "-", Acao::Nenhuma, 0},
    {3, "mnuimprimir1", "Imprimir", Acao::Nenhuma, 0},
    {4, "mnuetiquetas", "Etiquetas", Acao::Etiquetas, 0},
    {4, "mnuimprimirtel", "lista", Acao::Diretorio, 0},
    {3, "mnusalvar1", "Salvar lista", Acao::Nenhuma, 0},
    {4, "mnuhtmltel", "HTML", Acao::SalvarHtml, kAg},
    {4, "mnutxttel", " TXT", Acao::SalvarTxt, kAg},
    {3, "ag3", "-", Acao::Nenhuma, 0},
    {3, "mnuimportartel", "Importar contatos...", Acao::ImportarContatos, 0},
    {3, "mnuexportartel", "Exportar contatos", Acao::Nenhuma, 0},
    {4, "mnuvcftel", "vCard (.vcf)", Acao::ExportarContatos, kVcf},
    {4, "mnucsvtel", "Planilha (.csv)", Acao::ExportarContatos, kCsv},
    {3, "ag2", "-", Acao::Nenhuma, 0},
    {3, "mnusite", "Acessar site", Acao::AcessarSite, 0},
    {3, "mnuemail", "Enviar e-mail", Acao::EnviarEmail, 0},
    {2, "mnucompromisso", "Compromissos", Acao::Nenhuma, 0},
    {3, "mnuadcomp", "Adicionar", Acao::Adicionar, kCo},
    {3, "mnuedcomp", "Editar", Acao::Editar, kCo},
    {3, "mnurecomp", "Remover", Acao::Remover, kCo},
    {3, "sav", "-", Acao::Nenhuma, 0},
    {3, "mnucomplista", "Imprimir Lista", Acao::ImprimirLista, kCo},
    {3, "mnuhtmlcomp", "Salvar lista em HTML", Acao::SalvarHtml, kCo},
    {3, "mnutxtcomp", "Salvar lista em TXT", Acao::SalvarTxt, kCo},
    {3, "sav2", "-", Acao::Nenhuma, 0},
    {3, "mnuimportarcomp", "Importar calendário (.ics)...", Acao::ImportarCalendario, 0},
    {3, "mnuexportarcomp", "Exportar calendário (.ics)...", Acao::ExportarCalendario, 0},
    {2, "mnuanotacoes", "Anotações", Acao::Nenhuma, 0},
    {3, "mnuadicionaran", "Adicionar", Acao::Adicionar, kAn},
    {3, "mnueditaran", "Editar", Acao::Editar, kAn},
    {3, "mnuremoveran", "Remover", Acao::Remover, kAn},
    {3, "an", "-", Acao::Nenhuma, 0},
    {3, "mnuimprimiran", "Imprimir lista", Acao::ImprimirLista, kAn},
    {3, "mnuhtmlan", "Salvar lista em HTML", Acao::SalvarHtml, kAn},
    {3, "mnutxtan", "Salvar lista em TXT", Acao::SalvarTxt, kAn},
    {2, "mnusenhas", "Senhas e Seriais", Acao::Nenhuma, 0},
    {3, "mnuadicionars", "Adicionar", Acao::Adicionar, kSn},
    {3, "mnueditars", "Editar", Acao::Editar, kSn},
    {3, "mnuremovers", "Remover", Acao::Remover, kSn},
    {3, "mnucopiarsenha", "Copiar senha", Acao::CopiarSenha, kSn},
    {3, "mnumostrarsenhas", "Mostrar senhas", Acao::MostrarSenhas, kSn},
    {3, "sn", "-", Acao::Nenhuma, 0},
    {3, "mnuimprimirsn", "Imprimir lista", Acao::ImprimirLista, kSn},
    {3, "mnuhtmlsn", "Salvar lista em HTML", Acao::SalvarHtml, kSn},
    {3, "mnutxtsn", "Salvar lista em TXT", Acao::SalvarTxt, kSn},
    {2, "mnuuteis", "Telefones úteis", Acao::Nenhuma, 0},
    {3, "mnuadicionaru", "Adicionar", Acao::Adicionar, kUt},
    {3, "mnueditaru", "Editar", Acao::Editar, kUt},
    {3, "mnuremoveru", "Remover", Acao::Remover, kUt},
    {3, "ut", "-", Acao::Nenhuma, 0},
    {3, "mnuimprimirut", "Imprimir lista", Acao::ImprimirLista, kUt},
    {3, "mnuhtmlut", "Salvar lista em HTML", Acao::SalvarHtml, kUt},
    {3, "mnutxtut", "Salvar lista em TXT", Acao::SalvarTxt, kUt},
    {1, "mnulogin", "Login de usuário", Acao::Nenhuma, 0},
    {2, "mnuadmlogin", "Alterar login", Acao::AlterarLogin, 0},
    {2, "mnusenhaarquivo", "Senha do arquivo...", Acao::SenhaArquivo, 0},
    {2, "mnubloquear", "Bloquear", Acao::Bloquear, 0},
    {1, "mnubackup", "Backup", Acao::Nenhuma, 0},
    {2, "mnufazerback", "Realizar Backup", Acao::FazerBackup, 0},
    {2, "mnurestback", "Restaurar Backup", Acao::RestaurarBackup, 0},
    {1, "mnuferramentas", "Ferramentas", Acao::Nenhuma, 0},
    {2, "mnurede", "Trabalhar em rede", Acao::Rede, 0},
    {2, "tttt", "-", Acao::Nenhuma, 0},
    {2, "mnunotepad", "Bloco de notas", Acao::Ferramenta, ferr(Ferramenta::BlocoDeNotas)},
    {2, "mnucalc", "Calculadora", Acao::Ferramenta, ferr(Ferramenta::Calculadora)},
    {2, "mnuwmp", "Windows Media Player", Acao::Ferramenta, ferr(Ferramenta::Midia)},
    {2, "mnuvolume", "Controle de volume", Acao::Ferramenta, ferr(Ferramenta::Volume)},
    {1, "mnusobre", "Sobre", Acao::Nenhuma, 0},
    {2, "mnusofwtare", "O software", Acao::Pagina, pag(Pagina::Produto)},
    {2, "mnumanual", "Manual On-line", Acao::Pagina, pag(Pagina::Manual)},
    {2, "afsaf", "-", Acao::Nenhuma, 0},
    {2, "mnusuporte", "Suporte Técnico", Acao::Pagina, pag(Pagina::Suporte)},
    {2, "mnucontato", "Fale conosco", Acao::Pagina, pag(Pagina::Contato)},
    {2, "mnunewsletter", "Boletim de notícias (Newsletter)", Acao::Pagina, pag(Pagina::Boletim)},
    {2, "ss", "-", Acao::Nenhuma, 0},
    {2, "mnuvisitesite", "Visite nosso site", Acao::Pagina, pag(Pagina::Inicio)},
};

constexpr Botao kBarra[] = {
    {"adcontato", "Adicionar contato", "mnuadicionartel", "contact-new"},
    {"adanotacao", "Adicionar anotação", "mnuadicionaran", "document-new"},
    {"adsenha", "Adicionar Senha/serial", "mnuadicionars", "dialog-password"},
    {"adutil", "Adicionar Tel útil", "mnuadicionaru", "call-start"},
    {nullptr, nullptr, nullptr, nullptr},
    {"manual", "Manual On-line", "mnumanual", "help-contents"},
    {"etiqueta", "Etiquetas", "mnuetiquetas", "printer"},
};

// The programs that stand for "notepad", "calc", "wmplayer.exe" and "sndvol32.exe".
const std::initializer_list<const char*> kFerramentas[] = {
    {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "featherpad",
     "leafpad"},
    {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"},
    {"vlc", "totem", "celluloid", "mpv", "smplayer", "parole", "haruna"},
    {"pavucontrol", "pavucontrol-qt", "mate-volume-control", "kmix", "alsamixergui"},
};

// The selected contact's cell, without its blanks; nullopt with no contact selected.
std::optional<QString> celulaDoContato(int coluna) {
    ui::Principal* janela = ui::principal();
    if (!janela)
        return std::nullopt;
    const std::optional<QString> valor = janela->celulaSelecionada(Categoria::Agenda, coluna);
    return valor ? std::optional(regras::aparado(*valor)) : std::nullopt;
}

const QString kMostrarSenhas = QStringLiteral("MostrarSenhas");

int colunaDaSenha() {
    const auto& colunas = categoria::descricao(Categoria::Senhas).colunas;
    for (std::size_t i = 0; i < colunas.size(); ++i)
        if (colunas[i].campo && qstrcmp(colunas[i].campo, "senha") == 0)
            return int(i);
    return -1;
}

// The selected entry's password as typed: the stored text without the one blank it is
// padded with, which a login form would refuse.
void copiarSenha() {
    ui::Principal* janela = ui::principal();
    const std::optional<QString> guardada =
        janela ? janela->celulaSelecionada(Categoria::Senhas, colunaDaSenha()) : std::nullopt;
    if (!guardada)
        return;
    QString senha = *guardada;
    if (senha.endsWith(QLatin1Char(' ')))
        senha.chop(1);
    if (!senha.isEmpty())
        areatransferencia::copiarSegredo(senha);
}

void alternarMostrarSenhas() {
    configuracoes::gravar(kMostrarSenhas,
                          mostrandoSenhas() ? QStringLiteral("0") : QStringLiteral("1"));
    aplicarMostrarSenhas();
}

void transferir(ui::Principal& janela, const Comando& c) {
    switch (c.acao) {
        case Acao::ImportarContatos:
            transferencia::importarContatos(janela);
            break;
        case Acao::ExportarContatos:
            transferencia::exportarContatos(janela,
                                            static_cast<transferencia::Formato>(c.argumento));
            break;
        case Acao::ImportarCalendario:
            transferencia::importarCalendario(janela);
            break;
        default:
            transferencia::exportarCalendario(janela);
            break;
    }
}

}  // namespace

bool mostrandoSenhas() {
    return configuracoes::ler(kMostrarSenhas, QStringLiteral("1")) != QLatin1String("0");
}

void aplicarMostrarSenhas() {
    ui::Principal* janela = ui::principal();
    if (!janela)
        return;
    const bool mostrar = mostrandoSenhas();
    if (QAbstractItemView* vista = janela->vista(Categoria::Senhas))
        if (auto* modelo = qobject_cast<ModeloLista*>(vista->model()))
            modelo->ocultarColuna(mostrar ? -1 : colunaDaSenha());
    if (auto* acao = janela->janela()->findChild<QAction*>(QStringLiteral("mnumostrarsenhas")))
        acao->setChecked(mostrar);
}

std::span<const Comando> menu() {
    return kMenu;
}

std::span<const Botao> barra() {
    return kBarra;
}

const Comando* comando(const QString& objeto) {
    for (const Comando& c : kMenu)
        if (objeto == QLatin1String(c.objeto))
            return &c;
    return nullptr;
}

QString programaDisponivel(Ferramenta ferramenta) {
    for (const char* p : kFerramentas[static_cast<int>(ferramenta)]) {
        const QString caminho = QStandardPaths::findExecutable(QLatin1String(p));
        if (!caminho.isEmpty())
            return caminho;
    }
    return {};
}

Fluxos& fluxos() {
    static Fluxos f{editors::adicionar, editors::editar, editors::remover};
    return f;
}

void executar(const Comando& c) {
    const auto categoria = static_cast<Categoria>(c.argumento);
    switch (c.acao) {
        case Acao::Adicionar:
            fluxos().adicionar(categoria);
            break;
        case Acao::Editar:
            fluxos().editar(categoria);
            break;
        case Acao::Remover:
            fluxos().remover(categoria);
            break;
        case Acao::SalvarHtml:
        case Acao::SalvarTxt:
            if (ui::Principal* janela = ui::principal())
                exportacao::salvarLista(*janela, categoria,
                                        c.acao == Acao::SalvarTxt ? exportacao::Formato::Txt
                                                                  : exportacao::Formato::Html);
            break;
        case Acao::AcessarSite:
            // A stored site may come from a shared file: only a web page is ever opened.
            if (const QString url = produto::enderecoWeb(celulaDoContato(12).value_or(QString()));
                !url.isEmpty())
                dialogs::atual().abrirEndereco(url);
            break;
        case Acao::EnviarEmail:
            // Only the address: a "?" stored with it must not add headers or attachments.
            if (const std::optional<QString> email = celulaDoContato(11))
                dialogs::atual().abrirEndereco(
                    QStringLiteral("mailto:") +
                    QString::fromLatin1(QUrl::toPercentEncoding(*email, "@!$&'*+=,;:")));
            break;
        case Acao::Pagina:
            dialogs::atual().abrirEndereco(produto::endereco(static_cast<Pagina>(c.argumento)));
            break;
        case Acao::Rede:
            janelas::mostrar(janelas::unica<frmrede>());
            break;
        case Acao::ImprimirLista:
            impressoes::imprimirLista(categoria);
            break;
        case Acao::Diretorio:
            impressoes::imprimirDiretorio();
            break;
        case Acao::Etiquetas:
            impressoes::mostrarEtiquetas();
            break;
        case Acao::Ferramenta: {
            // A tool that is not installed is passed over without a word.
            const QString programa = programaDisponivel(static_cast<Ferramenta>(c.argumento));
            if (!programa.isEmpty())
                dialogs::atual().iniciarPrograma(programa, {});
            break;
        }
        case Acao::AlterarLogin:
            acesso::abrirAdmLogin();
            break;
        case Acao::SenhaArquivo:
            acesso::abrirSenhaArquivo();
            break;
        case Acao::Bloquear:
            acesso::bloquear(acesso::Bloqueio::PeloUsuario);
            break;
        case Acao::CopiarSenha:
            copiarSenha();
            break;
        case Acao::MostrarSenhas:
            alternarMostrarSenhas();
            break;
        case Acao::FazerBackup:
            acesso::realizarBackup();
            break;
        case Acao::RestaurarBackup:
            acesso::restaurarBackup();
            break;
        case Acao::ImportarContatos:
        case Acao::ExportarContatos:
        case Acao::ImportarCalendario:
        case Acao::ExportarCalendario:
            if (ui::Principal* janela = ui::principal())
                transferir(*janela, c);
            break;
        default:
            // The rest comes with the work it starts.
            break;
    }
}

void acionarBotao(const QString& chave) {
    for (const Botao& b : kBarra) {
        if (b.chave && chave == QLatin1String(b.chave)) {
            if (const Comando* c = comando(QLatin1String(b.comando)))
                executar(*c);
            return;
        }
    }
}

void montarMenus(QMenuBar* barraMenus) {
    QVector<QMenu*> pilha(5, nullptr);
    const std::span<const Comando> itens = menu();
    for (std::size_t i = 0; i < itens.size(); ++i) {
        const Comando& c = itens[i];
        const QString nome = QLatin1String(c.objeto);
        const QString legenda = QString::fromUtf8(c.legenda);
        QMenu* pai = c.nivel > 1 ? pilha[c.nivel - 1] : nullptr;
        const bool submenu = i + 1 < itens.size() && itens[i + 1].nivel > c.nivel;
        QAction* acao;
        if (submenu) {
            QMenu* m = pai ? pai->addMenu(legenda) : barraMenus->addMenu(legenda);
            m->setObjectName(nome);
            pilha[c.nivel] = m;
            acao = m->menuAction();
        } else if (legenda == QLatin1String("-")) {
            acao = pai->addSeparator();
        } else {
            acao = pai->addAction(legenda);
            QObject::connect(acao, &QAction::triggered, acao, [&c] { executar(c); });
            if (c.acao == Acao::MostrarSenhas) {
                acao->setCheckable(true);
                acao->setChecked(mostrandoSenhas());
            } else if (c.acao == Acao::Bloquear) {
                acao->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
            } else if (c.acao == Acao::CopiarSenha) {
                // Shown in the menu; the list itself answers the keys (see frmprincipal).
                acao->setShortcut(QKeySequence::Copy);
                acao->setShortcutContext(Qt::WidgetShortcut);
            }
        }
        acao->setObjectName(nome);
    }
}

void montarBarra(QToolBar* barraFerramentas) {
    barraFerramentas->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const Botao& b : barra()) {
        if (!b.chave) {
            barraFerramentas->addSeparator();
            continue;
        }
        const QString chave = QLatin1String(b.chave);
        const QString legenda = QString::fromUtf8(b.legenda);
        QAction* acao = barraFerramentas->addAction(icones::barra(QLatin1String(b.icone)), legenda);
        acao->setObjectName(chave);
        if (QWidget* botao = barraFerramentas->widgetForAction(acao))
            botao->setObjectName(chave);
        QObject::connect(acao, &QAction::triggered, acao, [chave] { acionarBotao(chave); });
    }
}

}  // namespace comandos
