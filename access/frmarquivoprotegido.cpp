#include "access/frmarquivoprotegido.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

#include "access/login.h"
#include "data/chave.h"
#include "data/sqlite.h"
#include "ui/dialogs.h"
#include "ui/foco.h"
#include "ui/janelas.h"
#include "ui/principal.h"

namespace acesso {

frmarquivoprotegido::frmarquivoprotegido(QWidget* parent)
    : JanelaAcesso(QStringLiteral("frmarquivoprotegido"), QStringLiteral("Arquivo protegido"),
                   QStringLiteral("Arquivo protegido"), QStringLiteral("ENTRAR"), parent) {
    // Kept when closed: a question asked right after another one closed it (a lock over a
    // pending question) must not land on a window about to be destroyed.
    setAttribute(Qt::WA_DeleteOnClose, false);
    lblarquivo_ = new QLabel(this);
    lblarquivo_->setObjectName(QStringLiteral("lblarquivo"));
    lblarquivo_->setTextFormat(Qt::PlainText);
    lblarquivo_->setWordWrap(true);
    adicionarLinha(lblarquivo_);
    txtsenha_ = caixa(QStringLiteral("txtsenha"), QStringLiteral("Senha:"), true);
    foco::destacar(txtsenha_, foco::Fundo::Branco);
    fecharOrdem();
}

void frmarquivoprotegido::perguntar(const QString& caminho, AoEntrar aoEntrar,
                                    std::function<void()> aoCancelar) {
    if (auto antes = std::exchange(aoCancelar_, {}))
        antes();
    caminho_ = caminho;
    aoEntrar_ = std::move(aoEntrar);
    aoCancelar_ = std::move(aoCancelar);
    lblarquivo_->setText(
        QStringLiteral("O arquivo %1 tem uma senha própria. Digite-a para abri-lo.")
            .arg(QDir::toNativeSeparators(caminho)));
    txtsenha_->clear();
    txtsenha_->setFocus();
}

void frmarquivoprotegido::confirmar() {
    // The main window may be hidden (start-up, a lock): the messages belong to this one.
    dialogs::definirJanelaPai(this);
    const auto principal = [] {
        if (ui::Principal* p = ui::principal())
            dialogs::definirJanelaPai(p->janela());
    };
    auto devolver = qScopeGuard(principal);
    const QString senha = txtsenha_->text();
    QString chave;
    chave::Teste teste = chave::Teste::ChaveErrada;
    if (!senha.isEmpty()) {
        try {
            chave = chave::paraSenha(caminho_, senha);
            teste = chave::testar(caminho_, chave);
        } catch (const db::DbError& e) {
            dialogs::mostrarErro(e.descricao());
            return;
        }
    }
    if (teste == chave::Teste::ChaveErrada) {
        dialogs::erro(QStringLiteral("Senha incorreta."), windowTitle());
        txtsenha_->selectAll();
        txtsenha_->setFocus();
        return;
    }
    if (teste == chave::Teste::Outro) {
        dialogs::erro(QStringLiteral("Não foi possível ler o arquivo agora; tente de novo."),
                      windowTitle());
        return;
    }
    txtsenha_->clear();
    AoEntrar continuar = std::exchange(aoEntrar_, {});
    aoCancelar_ = {};
    fecharSemPerguntar();
    devolver.dismiss();
    principal();
    if (continuar)
        continuar(senha, chave);
}

bool frmarquivoprotegido::eventFilter(QObject* obj, QEvent* ev) {
    // The one field: Enter has no field to move on to, so it enters.
    if (obj == txtsenha_ && ev->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(ev)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            confirmar();
            return true;
        }
    }
    return JanelaAcesso::eventFilter(obj, ev);
}

void frmarquivoprotegido::closeEvent(QCloseEvent* ev) {
    txtsenha_->clear();
    aoEntrar_ = {};
    JanelaAcesso::closeEvent(ev);
    if (auto cancelar = std::exchange(aoCancelar_, {}))
        cancelar();
}

void comChave(const QString& caminho, AoAbrir aoAbrir, std::function<void()> aoCancelar) {
    QString daSessao = chave::embutida();
    try {
        daSessao = chave::daSessao(caminho);
    } catch (const db::DbError&) {
    }
    const chave::Teste comSessao = chave::testar(caminho, daSessao);
    if (comSessao == chave::Teste::Abre) {
        aoAbrir(daSessao, std::nullopt);
        return;
    }
    const chave::Teste semSenha =
        daSessao == chave::embutida() ? comSessao : chave::testar(caminho, chave::embutida());
    if (semSenha == chave::Teste::Abre) {
        aoAbrir(chave::embutida(), QString());
        return;
    }
    if (semSenha != chave::Teste::ChaveErrada) {
        aoAbrir(daSessao, std::nullopt);
        return;
    }
    frmarquivoprotegido& janela = janelas::unica<frmarquivoprotegido>();
    janela.perguntar(
        caminho, [aoAbrir](const QString& senha, const QString& chave) { aoAbrir(chave, senha); },
        std::move(aoCancelar));
    janelas::mostrar(janela);
}

void desbloquearInicio(const QString& caminho, std::function<void()> continuar) {
    comChave(
        caminho,
        [continuar](const QString&, const std::optional<QString>& senha) {
            if (senha)
                chave::definirSenha(*senha);
            continuar();
        },
        [] { encerrarPrograma(); });
}

}  // namespace acesso
