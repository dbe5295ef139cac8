#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// How values are written to and read from the columns.
namespace regras {

// Blanks removed at both ends (blanks only, as the stored files expect).
QString aparado(const QString& texto);
// Trimmed and followed by exactly one blank, so an optional column is never empty.
QString preenchido(const QString& texto);
QString semApostrofos(const QString& texto);

// How an entry form writes one column.
enum class Regra {
    Preenchido,            // trimmed plus one blank
    Aparado,               // trimmed
    AparadoSemApostrofos,  // trimmed, apostrophes removed
    SemApostrofos,         // apostrophes removed, blanks kept
    ComoDigitado,          // unchanged
};
QString aplicar(Regra regra, const QString& texto);

// Dates are stored "yyyy/mm/dd" and shown "dd/mm/yyyy".
QString dataParaBanco(const QDate& data);
// Reads a stored date, with or without its trailing blank; invalid when it is none.
QDate dataDoBanco(const QString& texto);
QString dataParaTela(const QDate& data);
// Reads a date as a Brazilian user types it ("01/05/1980", "1/5/80", "01-05-1980");
// invalid when none.
QDate dataDigitada(const QString& texto);

// Today, fixable by tests.
QDate hoje();
void fixarHoje(const QDate& dia);  // an invalid date follows the clock again
// This moment, fixable by tests.
QDateTime agora();
void fixarAgora(const QDateTime& momento);  // an invalid one follows the clock again

}  // namespace regras
