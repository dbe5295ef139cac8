#include "formats/icalendar.h"

#include <libical/ical.h>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>
#include <memory>

namespace formatos::icalendar {
namespace {

// The time as the program keeps it, written with the event so that a time of other text
// ("à tarde") comes back as it was.
constexpr const char* kHora = "X-VARNELO-HORA";

struct Liberar {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Componente = std::unique_ptr<icalcomponent, Liberar>;

QString texto(const char* t) {
    return t ? QString::fromUtf8(t).trimmed() : QString();
}

QString propriedadeX(icalcomponent* ev, const char* nome) {
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_X_PROPERTY))
        if (qstricmp(icalproperty_get_x_name(p), nome) == 0)
            return QString::fromUtf8(icalproperty_get_x(p));
    return {};
}

QString diaDaSemana(short d) {
    static const char* const nomes[] = {"", "dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
    const int dia = int(icalrecurrencetype_day_day_of_week(d));
    const int pos = icalrecurrencetype_day_position(d);
    const QString nome = QString::fromUtf8(dia >= 1 && dia <= 7 ? nomes[dia] : "");
    if (pos == 0)
        return nome;
    return pos < 0 ? QStringLiteral("último(a) %1").arg(nome)
                   : QStringLiteral("%1ª %2").arg(pos).arg(nome);
}

// The rule in words: "Repete: toda semana (seg, qua), 10 vezes".
QString descreverRegra(const icalrecurrencetype& r) {
    struct Freq {
        const char* um;
        const char* varios;
    };
    static const Freq freqs[] = {
        {"todo segundo", "a cada %1 segundos"}, {"todo minuto", "a cada %1 minutos"},
        {"toda hora", "a cada %1 horas"},       {"todo dia", "a cada %1 dias"},
        {"toda semana", "a cada %1 semanas"},   {"todo mês", "a cada %1 meses"},
        {"todo ano", "a cada %1 anos"}};
    QString t;
    const int f = int(r.freq) - int(ICAL_SECONDLY_RECURRENCE);
    if (f >= 0 && f < 7)
        t = r.interval > 1 ? QString::fromUtf8(freqs[f].varios).arg(r.interval)
                           : QString::fromUtf8(freqs[f].um);
    QStringList dias;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        dias << diaDaSemana(r.by_day[i]);
    if (!dias.isEmpty())
        t += QStringLiteral(" (%1)").arg(dias.join(QStringLiteral(", ")));
    QStringList diasDoMes;
    for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && r.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
         ++i)
        diasDoMes << QString::number(r.by_month_day[i]);
    if (!diasDoMes.isEmpty())
        t += QStringLiteral(", no dia %1").arg(diasDoMes.join(QStringLiteral(", ")));
    if (r.count > 0)
        t += QStringLiteral(", %1 vezes").arg(r.count);
    else if (!icaltime_is_null_time(r.until))
        t += QStringLiteral(", até %1")
                 .arg(QDate(r.until.year, r.until.month, r.until.day)
                          .toString(QStringLiteral("dd/MM/yyyy")));
    char* bruto = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&r));
    if (t.isEmpty() && bruto)
        t = QString::fromUtf8(bruto);
    free(bruto);
    return QStringLiteral("Repete: ") + t;
}

// The start in local time; false when the event has none that reads.
bool inicioLocal(icalcomponent* ev, Evento& e) {
    icalproperty* prop = icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY);
    if (!prop)
        return false;
    const icaltimetype t = icalcomponent_get_dtstart(ev);
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return false;
    const QDate dia(t.year, t.month, t.day);
    if (!dia.isValid())
        return false;
    if (t.is_date) {
        e.data = dia;
        return true;
    }
    const QTime hora(t.hour, t.minute, t.second);
    QDateTime local;
    if (t.zone) {
        local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone));
    } else if (icalparameter* tz = icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER)) {
        // A zone the file names without describing it: an IANA name, or Outlook's own.
        const QByteArray id = icalparameter_get_tzid(tz);
        QTimeZone zona(id);
        if (!zona.isValid())
            zona = QTimeZone(QTimeZone::windowsIdToDefaultIanaId(id));
        local = zona.isValid() ? QDateTime(dia, hora, zona).toLocalTime() : QDateTime(dia, hora);
    } else {
        local = QDateTime(dia, hora);  // floating: the same clock time everywhere
    }
    e.data = local.date();
    e.hora = local.time().toString(QStringLiteral("HH:mm"));
    return true;
}

// The lines where the events begin, in their order in the file.
QList<int> linhasDosEventos(const QByteArray& bytes) {
    QList<int> r;
    int numero = 1;
    for (const QByteArray& l : bytes.split('\n')) {
        if (l.trimmed().compare("BEGIN:VEVENT", Qt::CaseInsensitive) == 0)
            r << numero;
        ++numero;
    }
    return r;
}

void lerCalendario(icalcomponent* cal, const QList<int>& linhas, int& indice, Leitura<Evento>& r) {
    for (icalcomponent* c = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind tipo = icalcomponent_isa(c);
        if (tipo == ICAL_VTIMEZONE_COMPONENT)
            continue;
        if (tipo != ICAL_VEVENT_COMPONENT) {
            ++r.outros;
            continue;
        }
        const int linha = linhas.value(indice++);
        // A changed date of a series: the series itself is imported once.
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
            ++r.outros;
            continue;
        }
        Evento e;
        e.linha = linha;
        if (!inicioLocal(c, e)) {
            r.ilegivel(linha);
            continue;
        }
        e.titulo = texto(icalcomponent_get_summary(c));
        e.local = texto(icalcomponent_get_location(c));
        e.descricao = texto(icalcomponent_get_description(c));
        const QString horaPropria = propriedadeX(c, kHora);
        if (!horaPropria.isEmpty()) {
            // Ours: the time as it was typed, and the line that showed it to others.
            e.hora = horaPropria;
            const QString linhaHora = QStringLiteral("Hora: ") + horaPropria;
            if (e.descricao == linhaHora)
                e.descricao.clear();
            else if (e.descricao.endsWith(QLatin1Char('\n') + linhaHora))
                e.descricao.chop(linhaHora.size() + 1);
        }
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY)) {
            const QString regra = descreverRegra(icalproperty_get_rrule(p));
            e.descricao = e.descricao.isEmpty() ? regra : e.descricao + QLatin1Char('\n') + regra;
        }
        r.itens << e;
    }
}

icaltimetype tempo(const QDate& d, const QTime& h) {
    icaltimetype t = icaltime_null_time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    if (h.isValid()) {
        t.hour = h.hour();
        t.minute = h.minute();
        t.second = 0;
    } else {
        t.is_date = 1;
    }
    return t;
}

}  // namespace

QTime lerHora(const QString& hora) {
    static const QRegularExpression forma(
        QStringLiteral(R"(^\s*(\d{1,2})\s*(?:[:.hH]\s*(\d{2})?)?\s*(?:hs?|hrs?|horas?)?\s*$)"));
    const QRegularExpressionMatch m = forma.match(hora);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && !hora.contains(QLatin1Char('h')) &&
                          !hora.contains(QLatin1Char('H')) && !hora.contains(QLatin1Char(':'))))
        return {};
    return QTime(m.captured(1).toInt(), m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
}

Leitura<Evento> ler(const QByteArray& bytes) {
    Leitura<Evento> r;
    icalerror_set_errors_are_fatal(0);
    QByteArray utf8 = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    if (!utf8Valido(utf8))
        utf8 = deWindows1252(utf8).toUtf8();
    static const QRegularExpression inicio(
        QStringLiteral("(^|\\n)\\s*BEGIN:VCALENDAR\\s*(\\r?\\n)"),
        QRegularExpression::CaseInsensitiveOption);
    if (utf8.contains('\0') || !inicio.match(QString::fromUtf8(utf8.left(64 * 1024))).hasMatch()) {
        r.motivo = QStringLiteral("o arquivo não é um calendário (iCalendar)");
        return r;
    }
    Componente raiz(icalparser_parse_string(utf8.constData()));
    if (!raiz) {
        r.motivo = QStringLiteral("o calendário não pôde ser lido");
        return r;
    }
    r.reconhecido = true;
    const QList<int> linhas = linhasDosEventos(utf8);
    int indice = 0;
    if (icalcomponent_isa(raiz.get()) == ICAL_VCALENDAR_COMPONENT) {
        lerCalendario(raiz.get(), linhas, indice, r);
    } else {
        for (icalcomponent* c =
                 icalcomponent_get_first_component(raiz.get(), ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(raiz.get(), ICAL_VCALENDAR_COMPONENT))
            lerCalendario(c, linhas, indice, r);
    }
    // Events that libical could not even place in a calendar.
    for (int k = indice; k < linhas.size(); ++k)
        r.ilegivel(linhas[k]);
    return r;
}

QByteArray escrever(const QList<Evento>& eventos, const QByteArray& zona, const QString& origem,
                    const QDateTime& carimbo) {
    icalerror_set_errors_are_fatal(0);
    Componente cal(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                                       icalproperty_new_prodid("-//Varnelo//Varnelo//PT-BR"),
                                       icalproperty_new_calscale("GREGORIAN"),
                                       icalproperty_new_method(ICAL_METHOD_PUBLISH), nullptr));
    icaltimezone* tz =
        zona.isEmpty() ? nullptr : icaltimezone_get_builtin_timezone(zona.constData());
    // UTC itself has no VTIMEZONE: its times are written as UTC.
    if (tz && !icaltimezone_get_component(tz))
        tz = nullptr;
    if (tz) {
        // The zone under its plain name, as every calendar program knows it.
        icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(tz));
        if (icalproperty* id = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(id, zona.constData());
        for (icalproperty* p = icalcomponent_get_first_property(vtz, ICAL_X_PROPERTY); p;
             p = icalcomponent_get_first_property(vtz, ICAL_X_PROPERTY))
            icalcomponent_remove_property(vtz, p), icalproperty_free(p);
        icalcomponent_add_component(cal.get(), vtz);
    }
    const QByteArray sufixo =
        QCryptographicHash::hash(origem.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    const QDateTime utc = carimbo.toUTC();
    icaltimetype dtstamp = tempo(utc.date(), utc.time());
    dtstamp.second = utc.time().second();
    dtstamp = icaltime_set_timezone(&dtstamp, icaltimezone_get_utc_timezone());
    for (const Evento& e : eventos) {
        icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        const QByteArray uid = "varnelo-" + QByteArray::number(e.id) + '-' + sufixo + "@varnelo";
        icalcomponent_add_property(ev, icalproperty_new_uid(uid.constData()));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(dtstamp));
        const QTime hora = lerHora(e.hora);
        icaltimetype ini = tempo(e.data, hora);
        icaltimetype fim = ini;
        if (hora.isValid()) {
            fim = icaltime_add(ini, icaldurationtype_from_int(3600));
        } else {
            icaltime_adjust(&fim, 1, 0, 0, 0);
        }
        icalproperty* pIni;
        icalproperty* pFim;
        if (hora.isValid() && tz) {
            pIni = icalproperty_new_dtstart(ini);
            pFim = icalproperty_new_dtend(fim);
            icalproperty_add_parameter(pIni, icalparameter_new_tzid(zona.constData()));
            icalproperty_add_parameter(pFim, icalparameter_new_tzid(zona.constData()));
        } else if (hora.isValid()) {
            // No zone to name: the moment in UTC, read from the local clock.
            const auto emUtc = [&](const icaltimetype& t) {
                const QDateTime l(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute));
                const QDateTime u = l.toUTC();
                icaltimetype r = tempo(u.date(), u.time());
                return icaltime_set_timezone(&r, icaltimezone_get_utc_timezone());
            };
            pIni = icalproperty_new_dtstart(emUtc(ini));
            pFim = icalproperty_new_dtend(emUtc(fim));
        } else {
            pIni = icalproperty_new_dtstart(ini);
            pFim = icalproperty_new_dtend(fim);
            icalproperty_add_parameter(pIni, icalparameter_new_value(ICAL_VALUE_DATE));
            icalproperty_add_parameter(pFim, icalparameter_new_value(ICAL_VALUE_DATE));
        }
        icalcomponent_add_property(ev, pIni);
        icalcomponent_add_property(ev, pFim);
        const QString titulo = e.titulo.trimmed();
        if (!titulo.isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_summary(titulo.toUtf8().constData()));
        if (const QString l = e.local.trimmed(); !l.isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_location(l.toUtf8().constData()));
        QString descricao = e.descricao.trimmed();
        const QString h = e.hora.trimmed();
        if (!h.isEmpty() && !hora.isValid())
            // Other programs show the time of other text in the description.
            descricao += (descricao.isEmpty() ? QString() : QStringLiteral("\n")) +
                         QStringLiteral("Hora: ") + h;
        if (!descricao.isEmpty())
            icalcomponent_add_property(
                ev, icalproperty_new_description(descricao.toUtf8().constData()));
        if (!h.isEmpty()) {
            icalproperty* x = icalproperty_new_x(h.toUtf8().constData());
            icalproperty_set_x_name(x, kHora);
            icalcomponent_add_property(ev, x);
        }
        icalcomponent_add_component(cal.get(), ev);
    }
    char* t = icalcomponent_as_ical_string_r(cal.get());
    QByteArray r(t);
    free(t);
    return r;
}

}  // namespace formatos::icalendar
