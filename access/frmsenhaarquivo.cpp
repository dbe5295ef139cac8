#include "access/frmsenhaarquivo.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "access/bloqueio.h"
#include "data/banco.h"
#include "data/chave.h"
#include "data/copiabanco.h"
#include "data/sqlite.h"
#include "ui/acessivel.h"
#include "ui/dialogs.h"
#include "ui/foco.h"
#include "ui/janelas.h"

namespace acesso {
namespace {

const QString kTitulo = QStringLiteral("Senha do arquivo");

void aviso(const QString& texto) {
    dialogs::mensagem(dialogs::Icone::Exclamacao, kTitulo, texto);
}

}  // namespace

frmsenhaarquivo::frmsenhaarquivo(QWidget* parent)
    : JanelaAcesso(QStringLiteral("frmsenhaarquivo"), kTitulo, kTitulo, QStringLiteral("SALVAR"),
                   parent) {
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    protegido_ = chave::testar(arquivo, chave::embutida()) == chave::Teste::ChaveErrada;
    if (protegido_)
        txtatual_ = caixa(QStringLiteral("txtatual"), QStringLiteral("Senha atual:"), true);
    txtnova_ = caixa(QStringLiteral("txtnova"), QStringLiteral("Nova senha:"), true);
    txtconfirma_ =
        caixa(QStringLiteral("txtconfirma"), QStringLiteral("Confirme a nova senha:"), true);
    for (QLineEdit* c : {txtatual_, txtnova_, txtconfirma_})
        if (c)
            foco::destacar(c, foco::Fundo::Branco);
    auto* nota = new QLabel(
        QStringLiteral("A senha não fica guardada em lugar nenhum: uma senha esquecida não pode "
                       "ser recuperada, nem os dados do arquivo.") +
            (protegido_ ? QStringLiteral(" Deixe a nova senha vazia para retirar a senha do "
                                         "arquivo.")
                        : QString()),
        this);
    nota->setObjectName(QStringLiteral("lblnota"));
    nota->setWordWrap(true);
    adicionarLinha(nota);
    // Saved as it changes, apart from the password: the empty boxes would take that away.
    spnbloqueio_ = new QSpinBox(this);
    spnbloqueio_->setObjectName(QStringLiteral("spnbloqueio"));
    spnbloqueio_->setRange(0, 24 * 60);
    spnbloqueio_->setSpecialValueText(QStringLiteral("nunca"));
    spnbloqueio_->setSuffix(QStringLiteral(" min"));
    spnbloqueio_->setValue(minutosOcioso());
    adicionarLinha(acessivel::rotular(
        QStringLiteral("Bloquear após este tempo sem uso (0: nunca):"), spnbloqueio_, this));
    adicionarLinha(spnbloqueio_);
    connect(spnbloqueio_, &QSpinBox::valueChanged, this, &definirMinutosOcioso);
    fecharOrdem();
}

void frmsenhaarquivo::salvar() {
    const QString arquivo = banco::caminhoBanco(banco::arquivobanco);
    const QString nova = txtnova_->text();
    const QString confirma = txtconfirma_->text();
    if (nova.isEmpty() && confirma.isEmpty() && !protegido_) {
        aviso(QStringLiteral("Digite a nova senha duas vezes."));
        return;
    }
    if (nova != confirma) {
        aviso(confirma.isEmpty()
                  ? QStringLiteral("Digite a nova senha também em \"Confirme a nova senha\".")
                  : QStringLiteral("A confirmação não confere com a nova senha. Digite-a de "
                                   "novo."));
        txtconfirma_->clear();
        txtconfirma_->setFocus();
        return;
    }
    try {
        QString atual = chave::embutida();
        if (protegido_) {
            const QString senhaAtual = txtatual_->text();
            atual = senhaAtual.isEmpty() ? QString() : chave::paraSenha(arquivo, senhaAtual);
            if (atual.isEmpty() || chave::testar(arquivo, atual) != chave::Teste::Abre) {
                dialogs::erro(QStringLiteral("Senha incorreta."), kTitulo);
                txtatual_->selectAll();
                txtatual_->setFocus();
                return;
            }
        }
        // The engine keeps the file's salt through the rekey, so the key is derived now.
        const QString novaChave = chave::paraSenha(arquivo, nova);
        banco::liberarConexoes();
        try {
            copia::trocarChave(arquivo, atual, novaChave);
        } catch (const db::DbError&) {
            banco::abrirPadrao();
            throw;
        }
        if (nova.isEmpty())
            chave::esquecer();
        else
            chave::definirSenha(nova);
        banco::abrirPadrao();
    } catch (const db::DbError& e) {
        dialogs::mostrarErro(e.descricao());
        return;
    }
    // The copy kept beside it still opens as before: the user decides when it goes.
    const QString anterior = QFileInfo(copia::anterior(arquivo)).fileName();
    dialogs::mensagem(
        dialogs::Icone::Informacao, kTitulo,
        nova.isEmpty()
            ? QStringLiteral("A senha do arquivo foi retirada.")
            : (protegido_ ? QStringLiteral("A senha do arquivo foi alterada.")
                          : QStringLiteral("O arquivo agora está protegido pela senha.")) +
                  QStringLiteral("\n\nO arquivo como era antes ficou ao lado, em %1, e abre "
                                 "como antes: apague-o quando não precisar mais dele.")
                      .arg(anterior));
    fecharSemPerguntar();
}

void frmsenhaarquivo::closeEvent(QCloseEvent* ev) {
    for (QLineEdit* c : {txtatual_, txtnova_, txtconfirma_})
        if (c)
            c->clear();
    JanelaAcesso::closeEvent(ev);
}

void abrirSenhaArquivo() {
    janelas::mostrar(janelas::unica<frmsenhaarquivo>());
}

}  // namespace acesso
