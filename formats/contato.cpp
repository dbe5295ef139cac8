#include "formats/contato.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace formatos {
namespace {

struct Nomes {
    const char* coluna;
    const char* cabecalho;
};
constexpr Nomes kNomes[kCampos] = {
    {"nome", "Nome"},
    {"ddd", "DDD"},
    {"tel", "Telefone"},
    {"cel", "Celular"},
    {"nextel", "Rádio/Nextel"},
    {"fax", "Fax"},
    {"msn", "MSN"},
    {"skype", "Skype"},
    {"estado", "Estado"},
    {"cidade", "Cidade"},
    {"bairro", "Bairro"},
    {"cep", "CEP"},
    {"endereco", "Endereço"},
    {"email", "E-mail"},
    {"site", "Site"},
    {"nascimento", "Nascimento"},
    {"empresa", "Empresa"},
    {"telemp", "Telefone da empresa"},
    {"faxemp", "Fax da empresa"},
    {"emailemp", "E-mail da empresa"},
    {"siteemp", "Site da empresa"},
    {"adicional", "Informações adicionais"},
    {"local", "Foto"},
};

// 0x80 to 0x9F of Windows-1252; the rest is Latin-1.
constexpr char16_t kAltos[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool algumTipo(const QSet<QByteArray>& tipos, std::initializer_list<const char*> nomes) {
    for (const char* n : nomes)
        if (tipos.contains(QByteArray(n)))
            return true;
    return false;
}

// No type but the ones that tell nothing of where the number or address belongs.
bool semTipo(const QSet<QByteArray>& tipos) {
    for (const QByteArray& t : tipos)
        if (t != "VOICE" && t != "PREF" && t != "INTERNET" && t != "MSG" && t != "TEXT" &&
            t != "X400")
            return false;
    return true;
}

void colocarNumero(Contato& c_, Campo campo, const QString& valor, const QString& rotuloExtra) {
    QString v = valor.trimmed();
    if (v.isEmpty())
        return;
    if (!c_[campo].isEmpty()) {
        c_.acrescentar(rotuloExtra, v);
        return;
    }
    // The area code as the cards of this program put it before a number.
    const QString prefixo = QStringLiteral("(%1) ").arg(c_[Campo::Ddd]);
    const Telefone t = separarDdd(v);
    if (!c_[Campo::Ddd].isEmpty() && v.startsWith(prefixo) && numeroLocal(v.mid(prefixo.size()))) {
        v = v.mid(prefixo.size());
    } else if (!t.ddd.isEmpty()) {
        if (c_[Campo::Ddd].isEmpty())
            c_[Campo::Ddd] = t.ddd;
        if (c_[Campo::Ddd] == t.ddd)
            v = t.numero;
    }
    c_[campo] = v;
}

}  // namespace

void colocar(Contato& c_, Campo campo, const QString& valor, const QString& rotuloExtra) {
    const QString v = valor.trimmed();
    if (v.isEmpty())
        return;
    if (c_[campo].isEmpty())
        c_[campo] = v;
    else if (c_[campo] != v)
        c_.acrescentar(rotuloExtra, v);
}

void colocarTelefone(Contato& c_, const QString& valor, const Tipos& tipos, const QString& rotulo) {
    QString v = valor.trimmed();
    if (v.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        v = v.mid(4);
    for (const QByteArray& t : tipos)
        if (t.contains("NEXTEL") || t.contains("RADIO"))
            return colocarNumero(c_, Campo::Nextel, v, QStringLiteral("Rádio/Nextel"));
    if (rotulo.contains(QLatin1String("nextel"), Qt::CaseInsensitive) ||
        rotulo.contains(QStringLiteral("rádio"), Qt::CaseInsensitive))
        return colocarNumero(c_, Campo::Nextel, v, rotulo);
    const bool trabalho = tipos.contains("WORK");
    if (algumTipo(tipos, {"CELL", "IPHONE", "MOBILE", "X-MOBILE"}))
        return colocarNumero(c_, Campo::Cel, v, QStringLiteral("Celular"));
    if (tipos.contains("FAX"))
        return trabalho ? colocarNumero(c_, Campo::Faxemp, v, QStringLiteral("Fax comercial"))
                        : colocarNumero(c_, Campo::Fax, v, QStringLiteral("Fax"));
    if (!rotulo.isEmpty() && !trabalho && !tipos.contains("HOME"))
        return c_.acrescentar(rotulo, v);
    if (tipos.contains("PAGER"))
        return c_.acrescentar(QStringLiteral("Pager"), v);
    if (trabalho)
        return colocarNumero(c_, Campo::Telemp, v, QStringLiteral("Telefone comercial"));
    QSet<QByteArray> resto = tipos;
    resto.remove("HOME");
    if (semTipo(resto))
        return colocarNumero(c_, Campo::Tel, v, QStringLiteral("Telefone"));
    c_.acrescentar(algumTipo(tipos, {"MAIN"}) ? QStringLiteral("Telefone principal")
                                              : QStringLiteral("Telefone"),
                   v);
}

void colocarEmail(Contato& c_, const QString& email, const Tipos& tipos, const QString& rotulo) {
    const QString e = email.trimmed();
    if (!rotulo.isEmpty() && !tipos.contains("WORK") && !tipos.contains("HOME"))
        c_.acrescentar(rotulo, e);
    else if (tipos.contains("WORK"))
        colocar(c_, Campo::Emailemp, e, QStringLiteral("E-mail comercial"));
    else if (tipos.contains("HOME") || semTipo(tipos))
        colocar(c_, Campo::Email, e, QStringLiteral("E-mail"));
    else
        c_.acrescentar(QStringLiteral("E-mail"), e);
}

void colocarSite(Contato& c_, const QString& site, const Tipos& tipos, const QString& rotulo) {
    const QString u = site.trimmed();
    const QString r = rotulo.isEmpty() ? QStringLiteral("Site") : rotulo;
    if (tipos.contains("WORK"))
        colocar(c_, Campo::Siteemp, u, QStringLiteral("Site comercial"));
    else if (tipos.contains("HOME") || semTipo(tipos))
        colocar(c_, Campo::Site, u, r);
    else
        c_.acrescentar(r, u);
}

void acabar(Contato& c_) {
    for (int i = 0; i < kCampos; ++i) {
        if (Campo(i) == Campo::Adicional)
            continue;
        QString& v = c_.valores[std::size_t(i)];
        if (v.contains(QLatin1Char('\n')) || v.contains(QLatin1Char('\r'))) {
            v.replace(QLatin1String("\r\n"), QLatin1String("\n"))
                .replace(QLatin1Char('\r'), QLatin1Char('\n'));
            QStringList l = v.split(QLatin1Char('\n'));
            for (QString& s : l)
                s = s.trimmed();
            l.removeAll(QString());
            v = l.join(QStringLiteral(", "));
        }
    }
}

const char* coluna(Campo campo) {
    return kNomes[int(campo)].coluna;
}

const char* cabecalho(Campo campo) {
    return kNomes[int(campo)].cabecalho;
}

void Contato::acrescentar(const QString& rotulo, const QString& valor) {
    const QString v = valor.trimmed();
    if (v.isEmpty())
        return;
    QString& adicional = (*this)[Campo::Adicional];
    if (!adicional.isEmpty())
        adicional += QLatin1Char('\n');
    adicional += rotulo + QStringLiteral(": ") + v;
}

Telefone separarDdd(const QString& numero) {
    const QString t = numero.trimmed();
    const Telefone inteiro{{}, t};
    static const QRegularExpression forma(QStringLiteral(R"(^[0-9 ()./+-]+$)"));
    if (!forma.match(t).hasMatch())
        return inteiro;
    qsizetype i = 0;
    if (t.startsWith(QLatin1Char('+'))) {
        // Another country's number keeps its code.
        static const QRegularExpression brasil(QStringLiteral(R"(^\+\s*55)"));
        const QRegularExpressionMatch m = brasil.match(t);
        if (!m.hasMatch())
            return inteiro;
        i = m.capturedEnd();
    }
    QString digitos;
    for (qsizetype k = i; k < t.size(); ++k)
        if (t.at(k).isDigit())
            digitos += t.at(k);
    // The trunk 0 before the area code, as in "011 3333-4444".
    const bool tronco = digitos.startsWith(QLatin1Char('0'));
    if (tronco)
        digitos.remove(0, 1);
    // An area code has no 0 (so 0800 numbers stay whole), then come 8 or 9 digits.
    if ((digitos.size() != 10 && digitos.size() != 11) || digitos.at(0) == QLatin1Char('0') ||
        digitos.at(1) == QLatin1Char('0'))
        return inteiro;
    int vistos = 0;
    const int ate = tronco ? 3 : 2;
    while (i < t.size() && vistos < ate)
        vistos += t.at(i++).isDigit();
    QString resto = t.mid(i);
    while (!resto.isEmpty() && !resto.at(0).isDigit())
        resto.remove(0, 1);
    return {digitos.left(2), resto};
}

QDate lerData(const QString& texto, bool mesPrimeiro) {
    QString t = texto.trimmed();
    if (const qsizetype tempo = t.indexOf(QLatin1Char('T')); tempo > 0)
        t = t.left(tempo);
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-?(\d{2})-?(\d{2})$)"));
    if (const QRegularExpressionMatch m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    static const QRegularExpression barras(
        QStringLiteral(R"(^(\d{1,2})[/.-](\d{1,2})[/.-](\d{4})$)"));
    if (const QRegularExpressionMatch m = barras.match(t); m.hasMatch()) {
        int a = m.captured(1).toInt(), b = m.captured(2).toInt();
        // A first number above 12 can only be the day.
        if (mesPrimeiro && a <= 12)
            std::swap(a, b);
        return QDate(m.captured(3).toInt(), b, a);
    }
    static const QRegularExpression brasil(QStringLiteral(R"(^(\d{4})/(\d{2})/(\d{2})$)"));
    if (const QRegularExpressionMatch m = brasil.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return {};
}

QString diaSemAno(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral(R"(^--(\d{2})-?(\d{2})$)"));
    const QRegularExpressionMatch m = forma.match(texto.trimmed());
    if (!m.hasMatch() || !QDate(2000, m.captured(1).toInt(), m.captured(2).toInt()).isValid())
        return {};
    return m.captured(2) + QLatin1Char('/') + m.captured(1);
}

bool utf8Valido(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* fim = p + bytes.size();
    while (p < fim) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        // The shortest form only, and no surrogates or values past U+10FFFF.
        int n;
        char32_t minimo;
        if ((c & 0xE0) == 0xC0)
            n = 1, minimo = 0x80;
        else if ((c & 0xF0) == 0xE0)
            n = 2, minimo = 0x800;
        else if ((c & 0xF8) == 0xF0)
            n = 3, minimo = 0x10000;
        else
            return false;
        if (fim - p <= n)
            return false;
        char32_t v = c & (0x3F >> n);
        for (int k = 1; k <= n; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            v = (v << 6) | (p[k] & 0x3F);
        }
        if (v < minimo || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
            return false;
        p += n + 1;
    }
    return true;
}

bool numeroLocal(const QString& numero) {
    int digitos = 0;
    for (const QChar c : numero) {
        if (c.isDigit())
            ++digitos;
        else if (c != QLatin1Char(' ') && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    }
    return digitos == 8 || digitos == 9;
}

QString deWindows1252(QByteArrayView bytes) {
    QString r(bytes.size(), Qt::Uninitialized);
    QChar* p = r.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *p++ = QChar(b >= 0x80 && b < 0xA0 ? kAltos[b - 0x80] : char16_t(b));
    }
    return r;
}

QString decodificar(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                      : QStringDecoder::Utf16BE);
        return d.decode(QByteArrayView(bytes).sliced(2));
    }
    return utf8Valido(bytes) ? QString::fromUtf8(bytes) : deWindows1252(bytes);
}

QString extensaoImagem(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return QStringLiteral("png");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QStringLiteral("gif");
    if (bytes.startsWith("BM") && bytes.size() > 26)
        return QStringLiteral("bmp");
    return {};
}

}  // namespace formatos
