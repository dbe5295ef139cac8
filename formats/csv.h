#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "formats/contato.h"

// Contacts in spreadsheet files (RFC 4180), as Google Contacts, Outlook, Thunderbird and
// this program export them.
namespace formatos::csv {

// One record of a file: its fields and the line it starts on; `inteiro` is false when a
// quoted field never ends.
struct Registro {
    QStringList campos;
    int linha = 0;
    bool inteiro = true;
};

// The separator the header line uses: ";", "," or a tab.
QChar separador(QStringView texto);
QList<Registro> registros(QStringView texto, QChar separador);

// Contacts by the column titles of the first line; columns that name no field of a
// contact go to the additional information under their title.
Leitura<Contato> ler(const QByteArray& bytes);

// The mark of UTF-8 and the title line: every column of a contact, ";" separated.
QByteArray cabeca();
// One contact's line, fields quoted where they need it.
void escrever(const Contato& contato, QByteArray& saida);

}  // namespace formatos::csv
