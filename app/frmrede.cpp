#include "app/frmrede.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "access/frmarquivoprotegido.h"
#include "data/arquivos.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/configuracoes.h"
#include "data/schema.h"
#include "data/sqlite.h"
#include "ui/acessivel.h"
#include "ui/cabecalho.h"
#include "ui/dialogs.h"
#include "ui/foco.h"
#include "ui/principal.h"

namespace {

const QString kEmRede = QStringLiteral("EmRede");
const QString kRedeLocal = QStringLiteral("RedeLocal");
const QString kSemRede = QStringLiteral("SemRede");

}  // namespace

frmrede::frmrede(QWidget* parent)
    : JanelaAuxiliar(QStringLiteral("frmrede"), QStringLiteral("Trabalhar em rede"), parent) {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);

    raiz->addWidget(cabecalho(
        QStringLiteral("TRABALHAR EM REDE"),
        QStringLiteral("Utilize está tela para configurar o programa para trabalhar em rede"),
        this));

    chkrede_ = new QCheckBox(QStringLiteral("Trabalhar em rede"), this);
    chkrede_->setObjectName(QStringLiteral("chkrede"));
    txtbd_ = new QLineEdit(QStringLiteral("\\dados.mde"), this);
    txtbd_->setObjectName(QStringLiteral("txtbd"));
    txtbd_->setMinimumWidth(360);
    foco::destacar(txtbd_);
    cmdlocal_ = new QPushButton(QStringLiteral(". . ."), this);
    cmdlocal_->setObjectName(QStringLiteral("cmdlocal"));
    cmdlocal_->setAccessibleName(QStringLiteral("Procurar banco de dados"));
    cmdlocal_->setToolTip(cmdlocal_->accessibleName());
    cmdtestabd_ = new QPushButton(QStringLiteral("Testar local"), this);
    cmdtestabd_->setObjectName(QStringLiteral("cmdtestabd"));

    auto* grade = new QGridLayout;
    grade->setContentsMargins(12, 8, 12, 12);
    grade->addWidget(chkrede_, 0, 0, 1, 2);
    grade->addWidget(acessivel::rotular(QStringLiteral("Local do Banco de dados:"), txtbd_, this),
                     1, 0, 1, 2);
    grade->addWidget(txtbd_, 2, 0);
    grade->addWidget(cmdlocal_, 2, 1);
    grade->addWidget(cmdtestabd_, 3, 0, 1, 2, Qt::AlignRight);
    grade->setColumnStretch(0, 1);
    raiz->addLayout(grade);
    raiz->addStretch(1);

    connect(cmdlocal_, &QPushButton::clicked, this, &frmrede::procurar);
    connect(cmdtestabd_, &QPushButton::clicked, this, &frmrede::testar);

    carregar();
    // After the saved state is shown, which writes nothing; any way the box is switched
    // (mouse, Space, a screen reader's action) saves.
    connect(chkrede_, &QCheckBox::toggled, this, &frmrede::marcar);
}

QString frmrede::caminhoLocal() {
    return QDir::toNativeSeparators(configuracoes::naPastaPrograma(QStringLiteral("\\dados.mde")));
}

void frmrede::carregar() {
    // Shows the saved state and writes nothing.
    const bool emRede = configuracoes::ler(kEmRede, QStringLiteral("0")).toInt() == 1;
    chkrede_->setChecked(emRede);
    habilitar(emRede);
    const QString caminho = configuracoes::ler(kRedeLocal, kSemRede);
    txtbd_->setText(caminho != kSemRede ? caminho : caminhoLocal());
}

void frmrede::habilitar(bool emRede) {
    txtbd_->setEnabled(emRede);
    cmdlocal_->setEnabled(emRede);
}

void frmrede::marcar(bool emRede) {
    if (emRede) {
        configuracoes::gravar({{kEmRede, QStringLiteral("1")}, {kRedeLocal, txtbd_->text()}});
    } else {
        configuracoes::gravar({{kEmRede, QStringLiteral("0")}, {kRedeLocal, kSemRede}});
        txtbd_->setText(caminhoLocal());
    }
    habilitar(emRede);
}

void frmrede::procurar() {
    const QFileInfo atual(QDir::fromNativeSeparators(txtbd_->text()));
    const QString escolhido = dialogs::atual().abrirArquivo(
        QStringLiteral("Abrir Banco de dados em rede"),
        QStringLiteral("Arquivos de Banco de dados do software|*.mde"),
        atual.absoluteDir().exists() ? QDir::toNativeSeparators(atual.absolutePath()) : QString());
    if (escolhido.isEmpty())
        return;
    // A protected file is chosen only with its password; giving up changes nothing.
    QPointer<frmrede> janela(this);
    acesso::comChave(escolhido,
                     [janela, escolhido](const QString&, const std::optional<QString>& senha) {
                         if (!janela)
                             return;
                         if (senha)
                             chave::definirSenha(*senha);
                         janela->txtbd_->setText(QDir::toNativeSeparators(escolhido));
                         configuracoes::gravar(kRedeLocal, janela->txtbd_->text());
                     });
}

void frmrede::testar() {
    const QString caminho = QDir::fromNativeSeparators(txtbd_->text());
    acesso::comChave(caminho, [caminho](const QString& chave, const std::optional<QString>& senha) {
        // Reads only: a path to nothing, or to a file that is not ours, stays as it was.
        try {
            schema::verificarArquivo(caminho, chave);
        } catch (const db::DbError&) {
            dialogs::erro(
                QStringLiteral("Não foi possível conectar-se ao banco de dados da rede!"));
            return;
        }
        // The file in use needs no asking again.
        if (senha && arquivos::mesmoArquivo(caminho, banco::caminhoBanco(banco::arquivobanco)))
            chave::definirSenha(*senha);
        dialogs::mensagem(dialogs::Icone::Informacao, QStringLiteral("Teste de banco de dados"),
                          QStringLiteral("Teste relizado com sucesso!"));
    });
}

void frmrede::closeEvent(QCloseEvent* ev) {
    JanelaAuxiliar::closeEvent(ev);
    // The path the user typed, and perhaps tested, is the one the program uses from now on.
    if (chkrede_->isChecked() && configuracoes::ler(kRedeLocal, kSemRede) != txtbd_->text())
        configuracoes::gravar({{kEmRede, QStringLiteral("1")}, {kRedeLocal, txtbd_->text()}});
    // A main window that is going away, or waits for the login, has nothing to show.
    ui::Principal* principal = ui::principal();
    if (!principal || !principal->janela()->isVisible())
        return;
    // A protected file now chosen is asked for first; given up, the lists tell it is shut.
    acesso::comChave(
        banco::caminhoBanco(banco::arquivobanco),
        [](const QString&, const std::optional<QString>& senha) {
            if (senha)
                chave::definirSenha(*senha);
            if (ui::Principal* p = ui::principal())
                p->recarregarTodas();
        },
        [] {
            if (ui::Principal* p = ui::principal())
                p->esvaziarTodas();
        });
}
