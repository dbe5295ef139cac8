#pragma once

#include <QMainWindow>
#include <QVariantList>
#include <array>
#include <functional>

#include "export/exportacao.h"
#include "ui/principal.h"

class CaixaEscolha;
class CampoData;
class ModeloLista;
class QLineEdit;
class QProgressBar;
class QTabWidget;
class QTreeView;

// The main window: the five lists on their tabs, the searches, the menu bar and
// the toolbar. Creating it runs the start-up: settings, login switch, the lists.
class frmprincipal : public QMainWindow, public ui::Principal {
    Q_OBJECT
public:
    explicit frmprincipal(QWidget* parent = nullptr);
    ~frmprincipal() override;

    void carregaragenda();
    void carregaruteis();
    void carregaranotacoes();
    void carregarsenhas();
    // Runs on the connection as the caller left it, or opens it first (after emptying the
    // list) when `abrir`; the ordering is added here.
    void carregarcompromisso(const QString& sql, const QVariantList& params = {},
                             bool abrir = false);
    void carregarfiltro();
    void AjustarTela();

    // Empties every list first, so no message about the file shows over rows of the file
    // before, then reads each one again.
    void recarregarTodas() override;
    void esvaziarTodas() override;

    // Save what a list shows as a page or a text table.
    void htmlanotacoes() { exportacao::salvarLista(*this, Categoria::Anotacoes, kHtml); }
    void txtanotacoes() { exportacao::salvarLista(*this, Categoria::Anotacoes, kTxt); }
    void htmlsenhas() { exportacao::salvarLista(*this, Categoria::Senhas, kHtml); }
    void txtsenhas() { exportacao::salvarLista(*this, Categoria::Senhas, kTxt); }
    void htmluteis() { exportacao::salvarLista(*this, Categoria::Uteis, kHtml); }
    void txtuteis() { exportacao::salvarLista(*this, Categoria::Uteis, kTxt); }
    void htmlagenda() { exportacao::salvarLista(*this, Categoria::Agenda, kHtml); }
    void txtagenda() { exportacao::salvarLista(*this, Categoria::Agenda, kTxt); }
    void htmlcompromisso() { exportacao::salvarLista(*this, Categoria::Compromisso, kHtml); }
    void txtcompromisso() { exportacao::salvarLista(*this, Categoria::Compromisso, kTxt); }

    // The login at start. When the switch is on, start-up hands the window to this
    // hook, which hides it and shows the login window; the login shows it again.
    // Until the login window exists the hook is empty and the window just shows.
    using PedidoDeLogin = std::function<void(frmprincipal&)>;
    static PedidoDeLogin& pedidoDeLogin();
    // A protected file's password, asked at start before anything reads the file: the hook
    // gets the file and what to run once it opens (it ends the program when given up).
    // Empty, start-up goes on at once.
    using PedidoDeSenha = std::function<void(const QString& arquivo, std::function<void()>)>;
    static PedidoDeSenha& pedidoDeSenha();
    // True when start-up handed the window to the login, or to the file's password, instead
    // of showing it.
    bool aguardaLogin() const { return aguardaLogin_; }

    QTreeView* lista(Categoria categoria) const;
    ModeloLista* modelo(Categoria categoria) const;

    const Celulas& celulas(Categoria categoria) const override;
    std::optional<int> linhaSelecionada(Categoria categoria) const override;
    void recarregar(Categoria categoria) override;
    QWidget* janela() override { return this; }
    QAbstractItemView* vista(Categoria categoria) const override;
    QProgressBar* barraProgresso(Categoria categoria) const override;

protected:
    void resizeEvent(QResizeEvent* ev) override;
    void closeEvent(QCloseEvent* ev) override;
    // A contact or calendar file dropped on the window imports it.
    void dragEnterEvent(QDragEnterEvent* ev) override;
    void dropEvent(QDropEvent* ev) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    static constexpr auto kHtml = exportacao::Formato::Html, kTxt = exportacao::Formato::Txt;
    void montarAbas();
    QWidget* painelContato();
    QWidget* painelCompromisso();
    QWidget* painelSenha();
    QTreeView* criarLista(Categoria categoria);
    void iniciar();
    void iniciarAberto();
    void carregar(Categoria categoria, const QString& sql, const QVariantList& params, bool abrir);
    // Shows what `ler` gives, or, when it cannot answer, what `senao` reads.
    void mostrar(Categoria categoria, const std::function<std::optional<Celulas>()>& ler,
                 bool abrir, const std::function<Celulas()>& senao = {});
    // A list read only in part is told once; while a reload of several lists runs, once for
    // all of them.
    void relatarFalha(const QString& falha);
    class Lote;
    void filtrarDatas();
    static void escolherLinhaAtual(QTreeView* vista);
    void mostrarTudo();

    QTabWidget* xtab_ = nullptr;
    std::array<QTreeView*, 5> listas_{};
    std::array<ModeloLista*, 5> modelos_{};
    std::array<QProgressBar*, 5> barras_{};
    int lote_ = 0;
    QStringList falhas_;
    CaixaEscolha* cbonome_ = nullptr;
    QLineEdit* txtfiltro_ = nullptr;
    QLineEdit* txtsenha_ = nullptr;
    CampoData* cbodata1_ = nullptr;
    CampoData* cbodata2_ = nullptr;
    bool aguardaLogin_ = false;
    bool construindo_ = true;
};
