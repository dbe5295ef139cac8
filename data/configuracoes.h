#pragma once

#include <QString>

// The three text values of section "Configurações" in the per-user store.
namespace configuracoes {

QString ler(const QString& chave, const QString& padrao = {});
void gravar(const QString& chave, const QString& valor);

// The folder the program runs from; tests point it elsewhere.
QString pastaPrograma();
void definirPastaPrograma(const QString& pasta);  // empty restores the real one

// The program folder followed by a file name written with a leading backslash.
QString naPastaPrograma(const QString& arquivo);

}  // namespace configuracoes
