#include "ui/cabecalho.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

QFrame* cabecalho(const QString& titulo, const QString& linha, QWidget* pai) {
    auto* faixa = new QFrame(pai);
    faixa->setObjectName(QStringLiteral("cabecalho"));
    faixa->setAutoFillBackground(true);
    faixa->setBackgroundRole(QPalette::Base);
    faixa->setFrameShape(QFrame::StyledPanel);
    auto* linhas = new QVBoxLayout(faixa);
    auto* rotuloTitulo = new QLabel(titulo, faixa);
    rotuloTitulo->setObjectName(QStringLiteral("lbltitulo"));
    QFont fonte = rotuloTitulo->font();
    fonte.setBold(true);
    fonte.setPointSizeF(fonte.pointSizeF() * 1.3);
    rotuloTitulo->setFont(fonte);
    auto* rotuloLinha = new QLabel(linha, faixa);
    rotuloLinha->setObjectName(QStringLiteral("lbllinha"));
    linhas->addWidget(rotuloTitulo);
    linhas->addWidget(rotuloLinha);
    return faixa;
}
