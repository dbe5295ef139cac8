#include "access/bloqueio.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include "access/frmarquivoprotegido.h"
#include "access/login.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/retrato.h"
#include "ui/dialogs.h"
#include "ui/janelas.h"
#include "ui/principal.h"

namespace acesso {
namespace {

const QString kMinutos = QStringLiteral("BloquearApos");

struct Estado {
    bool bloqueado = false;
    QList<QPointer<QWidget>> guardadas;  // forms hidden with their input by an idle lock
};

Estado& estado() {
    static Estado e;
    return e;
}

void reiniciarOcioso() {
    const int minutos = minutosOcioso();
    if (minutos > 0 && !estado().bloqueado)
        temporizadorOcioso()->start(minutos * 60000);
    else
        temporizadorOcioso()->stop();
}

class VigiaOcioso : public QObject {
protected:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        switch (ev->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
                if (temporizadorOcioso()->isActive())
                    temporizadorOcioso()->start();
                break;
            default:
                break;
        }
        return QObject::eventFilter(obj, ev);
    }
};

void desbloquear(const QString& senha) {
    Estado& e = estado();
    chave::definirSenha(senha);
    e.bloqueado = false;
    if (ui::Principal* principal = ui::principal()) {
        janelas::mostrar(*principal->janela());
        principal->recarregarTodas();
    }
    for (const QPointer<QWidget>& w : std::exchange(e.guardadas, {}))
        if (w)
            janelas::mostrar(*w);
    reiniciarOcioso();
}

}  // namespace

bool bloqueado() {
    return estado().bloqueado;
}

bool bloquear(Bloqueio motivo) {
    ui::Principal* principal = ui::principal();
    if (!principal || estado().bloqueado)
        return false;
    QWidget* janela = principal->janela();
    // Hidden, the window waits for the start-up's password or login: nothing is open yet.
    if (!janela->isVisible())
        return false;
    const bool peloUsuario = motivo == Bloqueio::PeloUsuario;
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    if (chave::testar(arquivo, chave::embutida()) != chave::Teste::ChaveErrada) {
        if (peloUsuario)
            dialogs::mensagem(dialogs::Icone::Exclamacao, QStringLiteral("Bloquear"),
                              QStringLiteral("O arquivo não tem senha própria, e sem ela não "
                                             "há o que bloquear. Defina uma em \"Login de "
                                             "usuário\", \"Senha do arquivo...\"."));
        return false;
    }
    if (peloUsuario && !janelas::fecharPerguntando(janela))
        return false;
    Estado& e = estado();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == janela || !w->isWindow() || janela->isAncestorOf(w) || !w->isVisible())
            continue;
        auto* auxiliar = qobject_cast<janelas::JanelaAuxiliar*>(w);
        if (!peloUsuario && auxiliar && auxiliar->temAlteracoes()) {
            w->hide();
            e.guardadas << w;
        } else if (auxiliar) {
            auxiliar->fecharSemPerguntar();
        } else {
            w->close();
        }
    }
    e.bloqueado = true;
    temporizadorOcioso()->stop();
    principal->esvaziarTodas();
    // The rows kept for the searches go too: nothing of the file stays in memory.
    retrato::esquecer();
    banco::liberarConexoes();
    chave::esquecer();
    janela->hide();
    frmarquivoprotegido& desbloqueio = janelas::unica<frmarquivoprotegido>();
    desbloqueio.perguntar(
        arquivo, [](const QString& senha, const QString&) { desbloquear(senha); },
        [] { encerrarPrograma(); });
    janelas::mostrar(desbloqueio);
    return true;
}

int minutosOcioso() {
    return std::max(0, configuracoes::ler(kMinutos, QStringLiteral("0")).toInt());
}

void definirMinutosOcioso(int minutos) {
    configuracoes::gravar(kMinutos, QString::number(std::max(0, minutos)));
    reiniciarOcioso();
}

QTimer* temporizadorOcioso() {
    static QTimer* t = [] {
        auto* novo = new QTimer(qApp);
        novo->setObjectName(QStringLiteral("temporizadorOcioso"));
        novo->setSingleShot(true);
        QObject::connect(novo, &QTimer::timeout, novo, &expirarOcioso);
        return novo;
    }();
    return t;
}

void expirarOcioso() {
    temporizadorOcioso()->stop();
    // Nothing to lock: it watches again, so a password given later is honoured.
    if (!bloquear(Bloqueio::PorOciosidade))
        reiniciarOcioso();
}

void vigiarOcioso() {
    static VigiaOcioso* vigia = [] {
        auto* v = new VigiaOcioso;
        v->setParent(qApp);
        qApp->installEventFilter(v);
        return v;
    }();
    Q_UNUSED(vigia);
    reiniciarOcioso();
}

}  // namespace acesso
