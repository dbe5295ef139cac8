#include "app/frmprincipal.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/comandos.h"
#include "data/arquivos.h"
#include "data/banco.h"
#include "data/consultas.h"
#include "data/erros.h"
#include "data/listas.h"
#include "data/regras.h"
#include "data/retrato.h"
#include "transfer/transferencia.h"
#include "ui/acessivel.h"
#include "ui/caixaescolha.h"
#include "ui/campodata.h"
#include "ui/dialogs.h"
#include "ui/foco.h"
#include "ui/janelas.h"
#include "ui/modelolista.h"

namespace {

int indice(Categoria c) {
    return static_cast<int>(c);
}

QString doTexto(const char* t) {
    return QString::fromUtf8(t);
}

// A strip of controls left to right above a list.
QFrame* painel(const char* objeto, QWidget* pai, std::initializer_list<QWidget*> controles) {
    auto* quadro = new QFrame(pai);
    quadro->setObjectName(doTexto(objeto));
    quadro->setFrameShape(QFrame::StyledPanel);
    auto* linha = new QHBoxLayout(quadro);
    for (QWidget* w : controles)
        linha->addWidget(w);
    linha->addStretch(1);
    return quadro;
}

}  // namespace

// Gathers the failures of the lists read while it lives, and shows them once at its end.
class frmprincipal::Lote {
public:
    explicit Lote(frmprincipal& janela) : janela_(janela) { ++janela_.lote_; }
    ~Lote() {
        if (--janela_.lote_ > 0)
            return;
        const QStringList falhas = std::exchange(janela_.falhas_, {});
        for (const QString& f : falhas)
            janela_.relatarFalha(f);
    }

private:
    frmprincipal& janela_;
};

frmprincipal::PedidoDeLogin& frmprincipal::pedidoDeLogin() {
    static PedidoDeLogin pedido;
    return pedido;
}

frmprincipal::PedidoDeSenha& frmprincipal::pedidoDeSenha() {
    static PedidoDeSenha pedido;
    return pedido;
}

frmprincipal::frmprincipal(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmprincipal"));
    setWindowTitle(QStringLiteral("Varnelo"));
    ui::definirPrincipal(this);
    dialogs::definirJanelaPai(this);
    setAcceptDrops(true);

    comandos::montarMenus(menuBar());
    auto* barra = addToolBar(QStringLiteral("tbrbarra"));
    barra->setObjectName(QStringLiteral("tbrbarra"));
    barra->setMovable(false);
    // Nothing offers to hide the toolbar.
    barra->setContextMenuPolicy(Qt::PreventContextMenu);
    comandos::montarBarra(barra);
    acessivel::nomearBarra(barra);

    montarAbas();
    comandos::aplicarMostrarSenhas();

    auto* status = new QLabel(QStringLiteral("  Seja bem vindo ao software"), statusBar());
    status->setObjectName(QStringLiteral("lblstatus"));
    statusBar()->addWidget(status, 1);

    // The design's inner area of 13260 x 9720 twips (1440 to the inch), under the menu bar.
    const int menu = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    resize(int(13260 / 1440.0 * logicalDpiX()), int(9720 / 1440.0 * logicalDpiY()) + menu);
    // In the middle of the screen, also when it is first shown after the login.
    if (const QScreen* tela = screen()) {
        const QRect area = tela->availableGeometry();
        const QPoint meio = area.center() - rect().center();
        move(std::max(meio.x(), area.left()), std::max(meio.y(), area.top()));
    }

    iniciar();
    construindo_ = false;
}

frmprincipal::~frmprincipal() {
    if (ui::principal() == this)
        ui::definirPrincipal(nullptr);
}

void frmprincipal::montarAbas() {
    xtab_ = new QTabWidget(this);
    xtab_->setObjectName(QStringLiteral("xtab"));
    QList<QWidget*> paineis;
    for (int i = 0; i < listas::kQuantidade; ++i) {
        const Categoria c = categoria::daAba(i);
        const categoria::Descricao& l = categoria::descricao(c);
        auto* pagina = new QWidget(xtab_);
        auto* coluna = new QVBoxLayout(pagina);
        coluna->setContentsMargins(2, 2, 2, 2);
        QWidget* busca = c == Categoria::Agenda        ? painelContato()
                         : c == Categoria::Compromisso ? painelCompromisso()
                         : c == Categoria::Senhas      ? painelSenha()
                                                       : nullptr;
        if (busca) {
            paineis << busca;
            coluna->addWidget(busca);
        }
        coluna->addWidget(criarLista(c), 1);
        auto* progresso = new QProgressBar(pagina);
        progresso->setObjectName(doTexto(l.barra));
        progresso->hide();
        barras_[std::size_t(indice(c))] = progresso;
        coluna->addWidget(progresso);
        xtab_->addTab(pagina, doTexto(l.aba));
    }
    // One height for the three panels, so the lists under them share one height too.
    int altura = 0;
    for (QWidget* p : paineis)
        altura = std::max(altura, p->sizeHint().height());
    for (QWidget* p : paineis)
        p->setFixedHeight(altura);
    setCentralWidget(xtab_);
}

QWidget* frmprincipal::painelContato() {
    cbonome_ = new CaixaEscolha(this);
    cbonome_->setObjectName(QStringLiteral("cbonome"));
    for (const consultas::CampoBusca& c : consultas::camposBusca())
        cbonome_->addItem(doTexto(c.entrada));
    txtfiltro_ = new QLineEdit(this);
    txtfiltro_->setObjectName(QStringLiteral("txtfiltro"));
    txtfiltro_->setMinimumWidth(240);
    // The text box is named after the field it searches.
    txtfiltro_->setAccessibleName(cbonome_->currentText());
    connect(cbonome_, &QComboBox::currentTextChanged, txtfiltro_, &QWidget::setAccessibleName);
    connect(txtfiltro_, &QLineEdit::textChanged, this, [this](const QString& texto) {
        if (regras::aparado(texto).isEmpty())
            carregaragenda();
        else
            carregarfiltro();
    });
    foco::destacar(cbonome_);
    foco::destacar(txtfiltro_);
    return painel("piccontato", this,
                  {acessivel::rotular(QStringLiteral(" Filtrar dados por:"), cbonome_), cbonome_,
                   txtfiltro_});
}

QWidget* frmprincipal::painelCompromisso() {
    cbodata1_ = new CampoData(this);
    cbodata1_->setObjectName(QStringLiteral("cbodata1"));
    cbodata2_ = new CampoData(this);
    cbodata2_->setObjectName(QStringLiteral("cbodata2"));
    auto* filtrar = new QPushButton(QStringLiteral("Verificar"), this);
    filtrar->setObjectName(QStringLiteral("cmdfiltrar"));
    connect(filtrar, &QPushButton::clicked, this, &frmprincipal::filtrarDatas);
    auto* tudo = new QPushButton(QStringLiteral("Mostrar tudo"), this);
    tudo->setObjectName(QStringLiteral("cmdtudo"));
    connect(tudo, &QPushButton::clicked, this, &frmprincipal::mostrarTudo);
    const QString de = QStringLiteral("Mostrar compromissos entre a data de:");
    QFrame* quadro =
        painel("piccompromisso", this,
               {acessivel::rotular(de, cbodata1_), cbodata1_,
                acessivel::rotular(QStringLiteral("e"), cbodata2_), cbodata2_, filtrar, tudo});
    cbodata2_->setAccessibleDescription(acessivel::nome(de));
    return quadro;
}

QWidget* frmprincipal::painelSenha() {
    txtsenha_ = new QLineEdit(this);
    txtsenha_->setObjectName(QStringLiteral("txtsenha"));
    txtsenha_->setMinimumWidth(240);
    connect(txtsenha_, &QLineEdit::textChanged, this, &frmprincipal::carregarsenhas);
    foco::destacar(txtsenha_);
    return painel(
        "picSenha", this,
        {acessivel::rotular(QStringLiteral(" Filtrar dados por:"), txtsenha_), txtsenha_});
}

QTreeView* frmprincipal::criarLista(Categoria c) {
    const categoria::Descricao& l = categoria::descricao(c);
    auto* vista = new QTreeView(this);
    vista->setObjectName(doTexto(l.lista));
    vista->setAccessibleName(acessivel::nome(doTexto(l.aba)));
    vista->setUniformRowHeights(true);
    vista->setRootIsDecorated(false);
    vista->setItemsExpandable(false);
    vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista->setSelectionMode(QAbstractItemView::SingleSelection);
    vista->setSortingEnabled(false);
    vista->setAllColumnsShowFocus(true);
    vista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* modelo = new ModeloLista(listas::cabecalhos(c), vista);
    vista->setModel(modelo);
    vista->header()->setStretchLastSection(false);
    const double dpi = vista->logicalDpiX();
    for (int i = 0; i < int(l.colunas.size()); ++i) {
        const int largura = l.colunas[std::size_t(i)].largura;
        if (largura == 0)
            vista->setColumnHidden(i, true);
        else
            vista->setColumnWidth(i, listas::pixels(largura, dpi));
    }
    vista->viewport()->installEventFilter(this);
    vista->installEventFilter(this);
    listas_[std::size_t(indice(c))] = vista;
    modelos_[std::size_t(indice(c))] = modelo;
    return vista;
}

void frmprincipal::iniciar() {
    banco::tipobanco = QStringLiteral("access");
    banco::arquivobanco = QStringLiteral("\\dados.mde");
    // Copies a killed restore left beside the file go before anything reads it.
    arquivos::removerTemporarios(banco::caminhoBanco(banco::arquivobanco));
    if (!pedidoDeSenha()) {
        iniciarAberto();
        return;
    }
    aguardaLogin_ = true;
    pedidoDeSenha()(banco::caminhoBanco(banco::arquivobanco), [this] {
        aguardaLogin_ = false;
        iniciarAberto();
        // Asked while constructing, the caller shows the window; later, nobody else will.
        if (!construindo_ && !aguardaLogin_)
            janelas::mostrar(*this);
    });
}

void frmprincipal::iniciarAberto() {
    // A file that could not be read may well ask for the login: it is asked.
    bool ilegivel = false;
    const QString inicia = banco::lerlogininicia(banco::arquivobanco, banco::chaveBanco(),
                                                 banco::tipobanco, &ilegivel);
    if ((inicia == QLatin1String("1") || ilegivel) && pedidoDeLogin()) {
        aguardaLogin_ = true;
        pedidoDeLogin()(*this);
    }
    xtab_->setCurrentIndex(0);
    Lote lote(*this);
    carregaranotacoes();
    carregarsenhas();
    carregaruteis();
    carregaragenda();
    carregarcompromisso(doTexto(categoria::descricao(Categoria::Compromisso).consulta));
    AjustarTela();
}

void frmprincipal::carregar(Categoria c, const QString& sql, const QVariantList& params,
                            bool abrir) {
    // The full list comes from the kept rows, read again only when the file changed.
    QString inteira = doTexto(categoria::descricao(c).consulta);
    if (c == Categoria::Compromisso)
        inteira += QLatin1String(consultas::kOrdemCompromissos);
    mostrar(
        c,
        [&]() -> std::optional<Celulas> {
            if (sql == inteira && params.isEmpty())
                return retrato::inteira(c);
            return listas::ler(c, sql, params);
        },
        abrir);
}

void frmprincipal::mostrar(Categoria c, const std::function<std::optional<Celulas>()>& ler,
                           bool abrir, const std::function<Celulas()>& senao) {
    ModeloLista* m = modelos_[std::size_t(indice(c))];
    // Emptied first, so a failed open is never reported over the rows of the file before.
    m->substituir(Celulas(m->columnCount()));
    if (abrir)
        banco::abrirPadrao();
    std::optional<Celulas> lidas = ler();
    m->substituir(lidas ? std::move(*lidas) : senao());
    if (const QString falha = m->celulas().falha(); !falha.isEmpty())
        relatarFalha(falha);
}

void frmprincipal::relatarFalha(const QString& falha) {
    if (lote_ > 0) {
        if (!falhas_.contains(falha))
            falhas_ << falha;
        return;
    }
    QString texto = QStringLiteral("Ocorreu o seguinte erro ao ler os dados: ") + falha;
    if (falha == erros::textoDanificado())
        texto += QStringLiteral(". As listas mostram apenas os registros que puderam ser lidos.");
    dialogs::erro(texto);
}

void frmprincipal::esvaziarTodas() {
    for (ModeloLista* m : modelos_)
        m->substituir(Celulas(m->columnCount()));
}

void frmprincipal::recarregarTodas() {
    esvaziarTodas();
    Lote lote(*this);
    // The contact search typed stays in force.
    if (regras::aparado(txtfiltro_->text()).isEmpty())
        carregaragenda();
    else
        carregarfiltro();
    carregaranotacoes();
    carregarcompromisso(doTexto(categoria::descricao(Categoria::Compromisso).consulta), {}, true);
    carregarsenhas();
    carregaruteis();
}

void frmprincipal::carregaragenda() {
    carregar(Categoria::Agenda, doTexto(categoria::descricao(Categoria::Agenda).consulta), {},
             true);
}

void frmprincipal::carregaruteis() {
    carregar(Categoria::Uteis, doTexto(categoria::descricao(Categoria::Uteis).consulta), {}, true);
}

void frmprincipal::carregaranotacoes() {
    carregar(Categoria::Anotacoes, doTexto(categoria::descricao(Categoria::Anotacoes).consulta), {},
             true);
}

void frmprincipal::carregarsenhas() {
    const QString texto = txtsenha_->text();
    mostrar(
        Categoria::Senhas, [&] { return retrato::senhas(texto); }, true,
        [&] {
            const consultas::Consulta c = consultas::senhas(texto);
            return listas::ler(Categoria::Senhas, c.sql, c.parametros);
        });
}

void frmprincipal::carregarcompromisso(const QString& sql, const QVariantList& params, bool abrir) {
    carregar(Categoria::Compromisso, sql + QLatin1String(consultas::kOrdemCompromissos), params,
             abrir);
}

void frmprincipal::carregarfiltro() {
    const QString campo = cbonome_->currentText(), texto = txtfiltro_->text();
    mostrar(
        Categoria::Agenda, [&] { return retrato::contatos(campo, texto); }, true,
        [&] {
            const consultas::Consulta c = consultas::contatos(campo, texto);
            return listas::ler(Categoria::Agenda, c.sql, c.parametros);
        });
}

void frmprincipal::filtrarDatas() {
    if (!CampoData::conferir({cbodata1_, cbodata2_}, QStringLiteral("Filtrar")))
        return;
    const auto c = consultas::compromissosEntre(cbodata1_->data(), cbodata2_->data());
    if (!c) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, QStringLiteral("Filtrar"),
                          QStringLiteral("As datas devem ser preenchidas!"));
        return;
    }
    const QDate de = *cbodata1_->data(), ate = *cbodata2_->data();
    mostrar(
        Categoria::Compromisso, [&] { return retrato::compromissosEntre(de, ate); }, true,
        [&] {
            return listas::ler(Categoria::Compromisso,
                               c->sql + QLatin1String(consultas::kOrdemCompromissos),
                               c->parametros);
        });
}

void frmprincipal::mostrarTudo() {
    carregarcompromisso(doTexto(categoria::descricao(Categoria::Compromisso).consulta), {}, true);
}

void frmprincipal::AjustarTela() {
    // The layouts do the resize rule: the lists fill their tabs, so the five share one
    // width, and the two without a search panel stand higher. A window too small for
    // them keeps its layout's minimum instead of failing.
    if (layout())
        layout()->activate();
}

void frmprincipal::resizeEvent(QResizeEvent* ev) {
    QMainWindow::resizeEvent(ev);
    AjustarTela();
}

void frmprincipal::closeEvent(QCloseEvent* ev) {
    // A form with unsaved input asks first; keeping it keeps the program open.
    if (!janelas::fecharPerguntando(this)) {
        ev->ignore();
        return;
    }
    // Closing the main window ends the program: no other window stays behind. Hidden
    // first, so a window that reloads the lists on closing knows there is nothing to show.
    hide();
    janelas::fecharTodas(this);
    QMainWindow::closeEvent(ev);
}

namespace {

// The local files of a drop that import, in the order dropped.
QStringList arquivosImportaveis(const QMimeData* dados) {
    QStringList r;
    if (dados)
        for (const QUrl& url : dados->urls())
            if (url.isLocalFile() && transferencia::aceitaArquivo(url.toLocalFile()))
                r << url.toLocalFile();
    return r;
}

}  // namespace

void frmprincipal::dragEnterEvent(QDragEnterEvent* ev) {
    if (!arquivosImportaveis(ev->mimeData()).isEmpty())
        ev->acceptProposedAction();
}

void frmprincipal::dropEvent(QDropEvent* ev) {
    const QStringList arquivos = arquivosImportaveis(ev->mimeData());
    if (arquivos.isEmpty())
        return;
    ev->acceptProposedAction();
    for (const QString& a : arquivos)
        transferencia::importarArquivo(*this, a);
}

bool frmprincipal::eventFilter(QObject* obj, QEvent* ev) {
    for (int i = 0; i < listas::kQuantidade; ++i) {
        QTreeView* vista = listas_[std::size_t(i)];
        const bool area = obj == vista->viewport();
        if (obj != vista && !area)
            continue;
        const auto c = static_cast<Categoria>(i);
        auto menu = [this, c] { return findChild<QMenu*>(doTexto(categoria::descricao(c).menu)); };
        switch (ev->type()) {
            case QEvent::MouseButtonPress:
                if (auto* m = static_cast<QMouseEvent*>(ev); area && m->button() == Qt::RightButton)
                    menu()->popup(m->globalPosition().toPoint());
                break;
            case QEvent::MouseButtonDblClick:
                if (area && static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton)
                    comandos::fluxos().editar(c);
                break;
            case QEvent::ContextMenu:
                // The menu key opens the same menu, under the current row, which it chooses.
                if (!area &&
                    static_cast<QContextMenuEvent*>(ev)->reason() == QContextMenuEvent::Keyboard) {
                    escolherLinhaAtual(vista);
                    const QRect linha = vista->visualRect(vista->currentIndex());
                    menu()->popup(vista->viewport()->mapToGlobal(
                        linha.isValid() ? linha.bottomLeft() : QPoint()));
                    return true;
                }
                break;
            case QEvent::KeyPress:
                if (c == Categoria::Senhas && !area &&
                    static_cast<QKeyEvent*>(ev)->matches(QKeySequence::Copy)) {
                    escolherLinhaAtual(vista);
                    comandos::executar(*comandos::comando(QStringLiteral("mnucopiarsenha")));
                    return true;
                }
                // Enter edits, as a double-click does.
                if (const int tecla = static_cast<QKeyEvent*>(ev)->key();
                    !area && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
                    escolherLinhaAtual(vista);
                    comandos::fluxos().editar(c);
                    return true;
                }
                break;
            default:
                break;
        }
        break;
    }
    return QMainWindow::eventFilter(obj, ev);
}

void frmprincipal::escolherLinhaAtual(QTreeView* vista) {
    // A keyboard user acts on the row under the frame: it becomes the chosen one.
    const QModelIndex atual = vista->currentIndex();
    if (atual.isValid() && !vista->selectionModel()->isRowSelected(atual.row()))
        vista->selectionModel()->select(
            atual, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QTreeView* frmprincipal::lista(Categoria c) const {
    return listas_[std::size_t(indice(c))];
}

QAbstractItemView* frmprincipal::vista(Categoria c) const {
    return lista(c);
}

QProgressBar* frmprincipal::barraProgresso(Categoria c) const {
    return barras_[std::size_t(indice(c))];
}

ModeloLista* frmprincipal::modelo(Categoria c) const {
    return modelos_[std::size_t(indice(c))];
}

const Celulas& frmprincipal::celulas(Categoria c) const {
    return modelo(c)->celulas();
}

std::optional<int> frmprincipal::linhaSelecionada(Categoria c) const {
    // Only a row the user chose counts: after a reload nothing is chosen, even where the
    // list, taking the focus, has put its frame on the first row.
    const QModelIndexList selecionados = lista(c)->selectionModel()->selectedRows();
    if (selecionados.isEmpty())
        return std::nullopt;
    return selecionados.first().row();
}

void frmprincipal::recarregar(Categoria c) {
    switch (c) {
        case Categoria::Agenda:
            carregaragenda();
            break;
        case Categoria::Compromisso:
            carregarcompromisso(doTexto(categoria::descricao(Categoria::Compromisso).consulta), {},
                                true);
            break;
        case Categoria::Senhas:
            carregarsenhas();
            break;
        case Categoria::Uteis:
            carregaruteis();
            break;
        case Categoria::Anotacoes:
            carregaranotacoes();
            break;
    }
}
