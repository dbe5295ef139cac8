#include "editors/frmcadagenda.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/arquivos.h"
#include "data/banco.h"
#include "data/contatos.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "editors/autocompletar.h"
#include "ui/campodata.h"
#include "ui/dialogs.h"
#include "ui/foco.h"
#include "ui/principal.h"

namespace editors {
namespace {

using regras::Regra;

enum class Tipo { Linha, Combo, Data, Texto };

struct Campo {
    const char* controle;
    Tipo tipo;
    int pagina;         // 0 personal data, 1 additional data
    bool linhaInteira;  // takes both columns of its page
    const char* legenda;
};

// In keyboard order; the picture joins the chain at the end of the first page.
constexpr Campo kCampos[] = {
    {"txtnome", Tipo::Linha, 0, true, "NOME DO CONTATO"},
    {"cbonascimento", Tipo::Data, 0, false, "NASCIMENTO"},
    {"txtddd", Tipo::Linha, 0, false, "DDD"},
    {"txttel", Tipo::Linha, 0, false, "TELEFONE"},
    {"txtcel", Tipo::Linha, 0, false, "CELULAR"},
    {"txtnextel", Tipo::Linha, 0, false, "RADIO/NEXTEL"},
    {"txtfax", Tipo::Linha, 0, false, "FAX"},
    {"txtmsn", Tipo::Linha, 0, false, "MSN"},
    {"txtskype", Tipo::Linha, 0, false, "SKYPE"},
    {"cboestado", Tipo::Combo, 0, false, "ESTADO"},
    {"cbocidade", Tipo::Combo, 0, false, "CIDADE"},
    {"cbobairro", Tipo::Combo, 0, false, "BAIRRO"},
    {"cbocep", Tipo::Combo, 0, false, "CEP"},
    {"txtendereco", Tipo::Combo, 0, true, "ENDEREÇO"},
    {"txtEmail", Tipo::Linha, 0, false, "E-MAIL"},
    {"txtsite", Tipo::Linha, 0, false, "WEBSITE"},
    {"txtempresa", Tipo::Linha, 1, true, "EMPRESA"},
    {"txttelemp", Tipo::Linha, 1, false, "TELEFONE DE CONTATO"},
    {"txtfaxemp", Tipo::Linha, 1, false, "FAX"},
    {"txtemailemp", Tipo::Linha, 1, false, "E-MAIL DE CONTATO"},
    {"txtsiteemp", Tipo::Linha, 1, false, "SITE DA EMPRESA"},
    {"txtinfo", Tipo::Texto, 1, true, "INFORMAÇÕES ADICIONAIS"},
};

// The row as it is written, in this order.
const std::span<const ColunaGravada> kColunas = categoria::colunasGravadas(Categoria::Agenda);

// The address combo boxes and the stored values they offer, filled in this order.
struct Endereco {
    const char* coluna;
    const char* controle;
};
constexpr Endereco kEnderecos[] = {
    {"estado", "cboestado"}, {"cidade", "cbocidade"},     {"bairro", "cbobairro"},
    {"cep", "cbocep"},       {"endereco", "txtendereco"},
};

const QString kFiltroFoto = QStringLiteral("Arquivos de imagens|*.bmp;*.jpg;*.jpeg;*.png;*.gif");
constexpr qint64 kMaiorFoto = 32 * 1024 * 1024;

// A button so that screen readers announce it and the keyboard reaches it; Enter
// chooses the picture as well as Space.
class BotaoFoto : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent* ev) override {
        if (ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter) {
            click();
            ev->accept();
            return;
        }
        QToolButton::keyPressEvent(ev);
    }
};

// An address box: it completes from the stored values and never grows its list.
QComboBox* caixaEndereco() {
    auto* combo = new QComboBox;
    ligarAutocompletar(combo);
    // Long stored addresses must not widen the window.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    return combo;
}

}  // namespace

frmcadagenda::frmcadagenda(QWidget* parent)
    : FormularioCadastro(
          QStringLiteral("frmcadagenda"), QStringLiteral("Agenda de contatos"),
          QStringLiteral("AGENDA DE CONTATOS"),
          QStringLiteral("Utilize está tela para Cadastrar/Editar dados de um contato"),
          QStringLiteral("Adicionar Contato"), parent) {
    lblnome_ = criarRotuloChave(QStringLiteral("lblnome"), QStringLiteral("Label13"));
    montarCampos();
    foco::destacarTodos(this);
    carregar();
}

void frmcadagenda::montarCampos() {
    // The grids are filled before they join the pages, so the pages size to their fields.
    QGridLayout* grades[2] = {new QGridLayout, new QGridLayout};
    int linha[2] = {0, 0}, coluna[2] = {0, 0};
    QList<QWidget*> ordem;
    const auto criar = [this](Tipo tipo, const QString& nome) -> QWidget* {
        switch (tipo) {
            case Tipo::Linha:
                return caixaTexto(nome);
            case Tipo::Texto:
                return caixaMultilinha(nome);
            case Tipo::Data:
                return new CampoData;
            case Tipo::Combo:
                return caixaEndereco();
        }
        return nullptr;
    };
    for (const Campo& c : kCampos) {
        const QString nome = QString::fromLatin1(c.controle);
        QWidget* campo = criar(c.tipo, nome);
        campo->setObjectName(nome);
        auto* celula = new QVBoxLayout;
        celula->setSpacing(2);
        celula->addWidget(legenda(QString::fromUtf8(c.legenda), campo));
        if (c.tipo == Tipo::Texto) {
            const QString linhaInfo = QStringLiteral(
                "Utilize o campo abaixo para inserir informações adicionais sobre o contato");
            celula->addWidget(new QLabel(linhaInfo));
            campo->setAccessibleDescription(linhaInfo);
        }
        celula->addWidget(campo);

        const int p = c.pagina;
        if (c.linhaInteira && coluna[p] != 0) {
            ++linha[p];
            coluna[p] = 0;
        }
        grades[p]->addLayout(celula, linha[p], coluna[p], 1, c.linhaInteira ? 2 : 1);
        if (c.linhaInteira || ++coluna[p] == 2) {
            ++linha[p];
            coluna[p] = 0;
        }
        ordem << campo;
    }

    // The personal page has the picture at its top left and the path under everything.
    auto* pessoais = new QWidget;
    montarFoto(pessoais);
    auto* topo = new QHBoxLayout;
    topo->addWidget(imgfoto_, 0, Qt::AlignTop);
    topo->addLayout(grades[0], 1);
    auto* pagina = new QVBoxLayout(pessoais);
    pagina->addLayout(topo);
    pagina->addWidget(lbllocal_);
    pagina->addStretch();
    auto* adicionais = new QWidget;
    (new QVBoxLayout(adicionais))->addLayout(grades[1]);

    xtab_ = new QTabWidget(this);
    xtab_->setObjectName(QStringLiteral("xtab"));
    xtab_->addTab(pessoais, QStringLiteral("> DADOS PESSOAIS"));
    xtab_->addTab(adicionais, QStringLiteral("> DADOS ADICIONAIS"));
    corpo()->addWidget(xtab_);

    for (qsizetype i = 1; i < ordem.size(); ++i)
        QWidget::setTabOrder(ordem.at(i - 1), ordem.at(i));
    QWidget::setTabOrder(findChild<QWidget*>(QStringLiteral("txtsite")), imgfoto_);
    findChild<QLineEdit*>(QStringLiteral("txtddd"))
        ->setMaxLength(categoria::maximo(Categoria::Agenda, "txtddd"));
}

void frmcadagenda::montarFoto(QWidget* pagina) {
    imgfoto_ = new BotaoFoto(pagina);
    imgfoto_->setObjectName(QStringLiteral("imgfoto"));
    imgfoto_->setAccessibleName(QStringLiteral("Foto do contato"));
    imgfoto_->setFixedSize(128, 128);
    imgfoto_->setIconSize(QSize(120, 120));
    imgfoto_->setFocusPolicy(Qt::StrongFocus);
    connect(imgfoto_, &QToolButton::clicked, this, &frmcadagenda::escolherFoto);
    semFoto();
    lbllocal_ = new QLabel(QStringLiteral("nenhum"), pagina);
    lbllocal_->setObjectName(QStringLiteral("lbllocal"));
    // A stored path is shown as it is, never read as markup.
    lbllocal_->setTextFormat(Qt::PlainText);
}

void frmcadagenda::carregar() {
    banco::abrirPadrao();
    for (const Endereco& c : kEnderecos) {
        auto* combo = findChild<QComboBox*>(QString::fromLatin1(c.controle));
        // The first item added would otherwise become the text.
        const QString texto = combo->currentText();
        try {
            combo->addItems(
                contatos::valoresDistintos(banco::conexao().banco(), QLatin1String(c.coluna)));
        } catch (const db::DbError&) {
        }
        combo->setCurrentIndex(-1);
        combo->setEditText(texto);
    }
}

void frmcadagenda::acionar(const QString& chave) {
    if (chave == QLatin1String("ok") && modoAdicionar() && telefoneJaCadastrado() &&
        dialogs::mensagem(dialogs::Icone::Pergunta, QStringLiteral("Duplicidade!"),
                          QStringLiteral("O telefone cadastrado já existe na agenda deseja "
                                         "continuar assim mesmo?"),
                          dialogs::Botoes::SimNao) != dialogs::Resposta::Sim)
        return;
    FormularioCadastro::acionar(chave);
}

bool frmcadagenda::telefoneJaCadastrado() {
    const QString tel = textoCampo(QStringLiteral("txttel"));
    if (regras::aparado(tel).isEmpty())
        return false;
    banco::abrirPadrao();
    try {
        return contatos::telefoneCadastrado(banco::conexao().banco(), tel);
    } catch (const db::DbError&) {
        // The save that follows meets the same fault and reports it.
        return false;
    }
}

void frmcadagenda::adicionar() {
    if (regras::aparado(textoCampo(QStringLiteral("txtnome"))).isEmpty()) {
        dialogs::mensagem(dialogs::Icone::Exclamacao, QStringLiteral("Erro"),
                          QStringLiteral("O nome do contato deve ser digitado!"));
        return;
    }
    gravar(Categoria::Agenda, kErroIncluir, [this](db::Database& banco) {
        gravacao::inserir(banco, QStringLiteral("agenda"), valores(kColunas));
    });
}

void frmcadagenda::editar() {
    gravar(Categoria::Agenda, kErroIncluir, [this](db::Database& banco) {
        atualizarAlvo(banco, Categoria::Agenda, valores(kColunas));
    });
}

void frmcadagenda::preencherCampo(const QString& controle, const QString& valor) {
    if (controle != QLatin1String("lbllocal")) {
        FormularioCadastro::preencherCampo(controle, valor);
        return;
    }
    // A stored path whose file is gone shows no picture, yet is kept for the save.
    if (!mostrarFoto(valor))
        semFoto();
    lbllocal_->setText(valor);
}

QString frmcadagenda::controleDaColuna(const QString& coluna) const {
    return procurarControle(kColunas, coluna);
}

void frmcadagenda::irParaPrimeiraPagina() {
    xtab_->setCurrentIndex(0);
}

void frmcadagenda::escolherFoto() {
    const QString arquivo =
        dialogs::atual().abrirArquivo(QStringLiteral("Carregar imagem do contato"), kFiltroFoto);
    if (arquivo.isEmpty())
        return;
    mostrarFoto(arquivo);
    lbllocal_->setText(arquivo);
}

bool frmcadagenda::mostrarFoto(const QString& arquivo) {
    // Only a regular file of a sane size: a stored path may name a FIFO or a device, which
    // would hold the program, or anything at all.
    const std::optional<QByteArray> bytes = arquivos::lerRegular(arquivo, kMaiorFoto);
    QImage imagem;
    if (!bytes || !imagem.loadFromData(*bytes))
        return false;
    imgfoto_->setIcon(QIcon(QPixmap::fromImage(
        imagem.scaled(imgfoto_->iconSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    return true;
}

void frmcadagenda::semFoto() {
    imgfoto_->setIcon(QIcon());
    imgfoto_->setText(QStringLiteral("Sem foto"));
}

}  // namespace editors
