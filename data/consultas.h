#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>
#include <optional>
#include <span>

namespace db {
class Database;
}

// The statements of the searches and the printouts. Every text the user typed is a bound
// value.
namespace consultas {

// The contact directory, by name, and the address labels, in the table's order.
inline constexpr const char* kDiretorio = "SELECT * FROM agenda order by nome asc";
inline constexpr const char* kEtiquetas = "select * from agenda";

// The ordering the appointment loader adds to whatever statement it is given.
inline constexpr const char* kOrdemCompromissos = " order by data, hora";

// How many rows a statement gives.
int quantidade(db::Database& banco, const QString& sql);

struct Consulta {
    QString sql;
    QVariantList parametros;
};

// The fields a contact search can look in, in the chooser's order.
struct CampoBusca {
    const char* entrada;
    const char* coluna;
};
std::span<const CampoBusca> camposBusca();
// The column of a chooser entry, compared letter for letter; empty when none.
QString colunaDoCampo(const QString& entrada);

// Contacts whose chosen field contains the text (trimmed) anywhere. A birth-date
// search matches the stored date without its trailing blank; a typed date is
// rewritten as stored, other text is matched as typed.
Consulta contatos(const QString& entrada, const QString& texto);

// The password list: all of it when the text is blank, else the descriptions that
// start with the text as typed.
Consulta senhas(const QString& texto);

// Appointments between two dates, both included, in either order; nullopt when a
// date is missing. Without ordering: the loader adds it.
std::optional<Consulta> compromissosEntre(const std::optional<QDate>& de,
                                          const std::optional<QDate>& ate);

}  // namespace consultas
