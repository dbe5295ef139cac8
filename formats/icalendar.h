#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "formats/contato.h"

// Appointments in iCalendar files, read and written through libical.
namespace formatos::icalendar {

// Every event of the file in local time. A recurring one comes once, at its first date, its
// rule told in its description; other components (tasks, journal entries, the changed
// dates of a series) are counted and left out.
Leitura<Evento> ler(const QByteArray& bytes);

// One VEVENT per appointment: at its time in the zone `zona` (an IANA name) with that
// zone's VTIMEZONE, or a whole day when its time is no time of day. Each UID is made of
// the record and `origem` (the database), so it stays the same from one export to the
// next; `carimbo` is the DTSTAMP.
QByteArray escrever(const QList<Evento>& eventos, const QByteArray& zona, const QString& origem,
                    const QDateTime& carimbo);

// A stored time as a time of day ("10:00", "9h30", "14h"); invalid when it is other text.
QTime lerHora(const QString& hora);

}  // namespace formatos::icalendar
