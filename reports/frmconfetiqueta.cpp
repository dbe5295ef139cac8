#include "reports/frmconfetiqueta.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/rlt_etiquetas.h"
#include "ui/acessivel.h"
#include "ui/foco.h"

using namespace etiquetas;

frmConfEtiqueta::frmConfEtiqueta(QWidget* parent)
    : JanelaAuxiliar(QStringLiteral("frmConfEtiqueta"), QStringLiteral("Configurar etiquetas"),
                     parent) {
    cmbModelo_ = new QComboBox(this);
    cmbModelo_->setObjectName(QStringLiteral("cmbModelo"));
    for (const Modelo& m : modelos())
        cmbModelo_->addItem(QString::fromUtf8(m.nome));
    txtAltura_ = campo("txtAltura", "0");
    txtLargura_ = campo("txtLargura", "0");
    txtMSup_ = campo("txtMSup", "0");
    txtMInf_ = campo("txtMInf", "0");
    txtMEsq_ = campo("txtMEsq", "0");
    txtColunas_ = campo("txtColunas", "1");
    txtLinIni_ = campo("txtLinIni", "1");
    txtColIni_ = campo("txtColIni", "1");
    chkVisualizar_ = new QCheckBox(QStringLiteral("Visualizar Impressão"), this);
    chkVisualizar_->setObjectName(QStringLiteral("chkVisualizar"));
    cmdImprimir_ = new QPushButton(QStringLiteral("IMPRIMIR"), this);
    cmdImprimir_->setObjectName(QStringLiteral("cmdImprimir"));

    auto* grade = new QGridLayout;
    auto linha = [&](int l, int c, const char* legenda, QWidget* w) {
        grade->addWidget(acessivel::rotular(QString::fromUtf8(legenda), w, this), l, c);
        grade->addWidget(w, l, c + 1);
    };
    linha(0, 0, "Modelo", cmbModelo_);
    grade->addWidget(cmbModelo_, 0, 1, 1, 3);
    linha(1, 0, "Altura:", txtAltura_);
    linha(1, 2, "Largura:", txtLargura_);
    linha(2, 0, "Margem Sup:", txtMSup_);
    linha(2, 2, "Margem Inf:", txtMInf_);
    linha(3, 0, "Margem Esq:", txtMEsq_);
    linha(3, 2, "Colunas:", txtColunas_);

    const QString inicio = QStringLiteral("Iniciar impressão na Etiqueta da");
    auto* quadro = new QGroupBox(inicio, this);
    auto* inicioLinha = new QHBoxLayout(quadro);
    for (auto [legenda, w] : {std::pair{"Linha", txtLinIni_}, std::pair{"Coluna", txtColIni_}}) {
        inicioLinha->addWidget(acessivel::rotular(QString::fromUtf8(legenda), w, quadro));
        inicioLinha->addWidget(w);
        w->setAccessibleDescription(inicio);
    }

    auto* coluna = new QVBoxLayout(this);
    coluna->addLayout(grade);
    coluna->addWidget(quadro);
    coluna->addWidget(chkVisualizar_);
    coluna->addWidget(cmdImprimir_);
    foco::destacarTodos(this);

    // The model on opening, with its preset shown.
    cmbModelo_->setCurrentText(QString::fromUtf8(kModeloInicial));
    carregarEtiquetas(cmbModelo_->currentText());
    connect(cmbModelo_, &QComboBox::currentTextChanged, this, &frmConfEtiqueta::carregarEtiquetas);
    connect(cmdImprimir_, &QPushButton::clicked, this, &frmConfEtiqueta::imprimir);
}

QLineEdit* frmConfEtiqueta::campo(const char* nome, const char* texto) {
    auto* c = new QLineEdit(QString::fromUtf8(texto), this);
    c->setObjectName(QString::fromUtf8(nome));
    c->installEventFilter(this);
    return c;
}

void frmConfEtiqueta::carregarEtiquetas(const QString& tipo) {
    if (const Modelo* m = modelo(tipo))
        config_ = Configuracao::de(*m);
    txtAltura_->setText(escreverNumero(config_.altura));
    txtLargura_->setText(escreverNumero(config_.largura));
    txtMSup_->setText(escreverNumero(config_.margemSuperior));
    txtMInf_->setText(escreverNumero(config_.margemInferior));
    txtMEsq_->setText(escreverNumero(config_.margemEsquerda));
    txtColunas_->setText(QString::number(config_.colunas));
}

void frmConfEtiqueta::aplicarRegra(QLineEdit* c) {
    if (c == txtColunas_)
        c->setText(regraInteiro(c->text(), 1, 255));
    else if (c == txtLinIni_ || c == txtColIni_)
        c->setText(regraInteiro(c->text()));
    else
        c->setText(regraMilimetros(c->text()));
}

bool frmConfEtiqueta::eventFilter(QObject* obj, QEvent* ev) {
    if (ev->type() == QEvent::FocusOut)
        if (auto* c = qobject_cast<QLineEdit*>(obj))
            aplicarRegra(c);
    return JanelaAuxiliar::eventFilter(obj, ev);
}

void frmConfEtiqueta::imprimir() {
    // A field still being typed in is read as leaving it would leave it.
    for (QLineEdit* c : {txtAltura_, txtLargura_, txtMSup_, txtMInf_, txtMEsq_, txtColunas_,
                         txtLinIni_, txtColIni_})
        aplicarRegra(c);
    auto numero = [](QLineEdit* c) { return lerNumero(c->text()).value_or(0); };
    Configuracao lida;
    lida.altura = numero(txtAltura_);
    lida.largura = numero(txtLargura_);
    lida.margemEsquerda = numero(txtMEsq_);
    lida.margemSuperior = numero(txtMSup_);
    lida.margemInferior = numero(txtMInf_);
    lida.colunas = txtColunas_->text().toInt();
    rlt_Etiquetas relatorio;
    relatorio.Definir(lida);
    relatorio.LinhaInicio = txtLinIni_->text().toInt();
    relatorio.ColunaInicio = txtColIni_->text().toInt();
    relatorio.relatorio().visualizar = chkVisualizar_->isChecked();
    // A run that could not start leaves the settings open to be corrected.
    if (relatorio.Config())
        close();
}
