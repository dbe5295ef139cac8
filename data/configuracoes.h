#pragma once

#include <QList>
#include <QString>
#include <utility>

// The three text values of section "Configurações" in the per-user store.
namespace configuracoes {

QString ler(const QString& chave, const QString& padrao = {});
// Writes the values together; when the store refuses them the user is told
// ("Não foi possível gravar as configurações: " and the reason) and false is returned.
bool gravar(const QString& chave, const QString& valor);
bool gravar(const QList<std::pair<QString, QString>>& valores);

// The folder the program runs from; tests point it elsewhere.
QString pastaPrograma();
void definirPastaPrograma(const QString& pasta);  // empty restores the real one

// The program folder followed by a file name written with a leading backslash.
QString naPastaPrograma(const QString& arquivo);

}  // namespace configuracoes
