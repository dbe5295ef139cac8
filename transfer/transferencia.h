#pragma once

#include <QString>

namespace ui {
class Principal;
}

// Contacts and appointments in and out of the files of other programs: vCard and CSV for
// the contact list, iCalendar for the appointments.
namespace transferencia {

enum class Formato { Vcard, Csv };

// Reads the whole file (asked for when `arquivo` is empty), tells what it holds and, on
// Sim, writes every new contact in one transaction and reloads the list. A contact of the
// same name with the same telephone or e-mail as a stored one is left out. On Não, on a
// failure or for a file that is no contact file, nothing is written.
void importarContatos(ui::Principal& janela, const QString& arquivo = {});
// Every contact of the list as it shows (after the search), all columns, to a file the
// user names; the whole file or nothing.
void exportarContatos(ui::Principal& janela, Formato formato);

// The same for the appointments and an iCalendar file.
void importarCalendario(ui::Principal& janela, const QString& arquivo = {});
void exportarCalendario(ui::Principal& janela);

// Whether a file dropped on the main window is one that imports (.vcf, .csv, .ics), and
// the import it starts.
bool aceitaArquivo(const QString& arquivo);
void importarArquivo(ui::Principal& janela, const QString& arquivo);

}  // namespace transferencia
