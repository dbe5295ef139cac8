#include "formats/vcard.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringDecoder>
#include <optional>

namespace formatos::vcard {
namespace {

// The area code as stored, beside the numbers that carry it.
constexpr const char* kDdd = "X-VARNELO-DDD";

// A property longer than this is no contact data but a hostile or broken file.
constexpr qsizetype kMaiorPropriedade = 16 * 1024 * 1024;

struct Propriedade {
    QByteArray grupo;
    QByteArray nome;         // upper case
    QSet<QByteArray> tipos;  // upper case, from TYPE= and the bare parameters of 2.1
    QByteArray charset;
    QByteArray codificacao;                    // QUOTED-PRINTABLE, B, BASE64
    QHash<QByteArray, QByteArray> parametros;  // the others, names upper case
    QByteArray valor;
};

bool ehEspaco(char c) {
    return c == ' ' || c == '\t';
}

QByteArray aparar(QByteArrayView b) {
    return b.trimmed().toByteArray();
}

// Splits at `sep` outside double quotes.
QList<QByteArray> dividir(QByteArrayView texto, char sep) {
    QList<QByteArray> partes;
    bool aspas = false;
    qsizetype ini = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] == '"')
            aspas = !aspas;
        else if (texto[i] == sep && !aspas) {
            partes << texto.sliced(ini, i - ini).toByteArray();
            ini = i + 1;
        }
    }
    partes << texto.sliced(ini).toByteArray();
    return partes;
}

QByteArray semAspas(QByteArray v) {
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
        v = v.mid(1, v.size() - 2);
    return v;
}

std::optional<Propriedade> analisar(const QByteArray& linha) {
    qsizetype dois = -1;
    bool aspas = false;
    for (qsizetype i = 0; i < linha.size(); ++i) {
        if (linha[i] == '"')
            aspas = !aspas;
        else if (linha[i] == ':' && !aspas) {
            dois = i;
            break;
        }
    }
    if (dois <= 0)
        return std::nullopt;
    Propriedade p;
    const QList<QByteArray> cabeca = dividir(QByteArrayView(linha).first(dois), ';');
    QByteArray nome = aparar(cabeca.first());
    if (const qsizetype ponto = nome.indexOf('.'); ponto >= 0) {
        p.grupo = nome.left(ponto);
        nome = nome.mid(ponto + 1);
    }
    if (nome.isEmpty())
        return std::nullopt;
    p.nome = nome.toUpper();
    for (qsizetype i = 1; i < cabeca.size(); ++i) {
        const QByteArray& par = cabeca[i];
        const qsizetype igual = par.indexOf('=');
        if (igual < 0) {
            // 2.1 names the type or the encoding alone.
            const QByteArray v = aparar(par).toUpper();
            if (v == "QUOTED-PRINTABLE" || v == "BASE64" || v == "B")
                p.codificacao = v;
            else if (!v.isEmpty())
                p.tipos.insert(v);
            continue;
        }
        const QByteArray chave = aparar(QByteArrayView(par).first(igual)).toUpper();
        const QByteArray valor = semAspas(par.mid(igual + 1));
        if (chave == "TYPE") {
            for (const QByteArray& t : dividir(valor, ','))
                if (const QByteArray tt = semAspas(t).toUpper(); !tt.isEmpty())
                    p.tipos.insert(tt);
        } else if (chave == "CHARSET") {
            p.charset = valor.toUpper();
        } else if (chave == "ENCODING") {
            p.codificacao = valor.toUpper();
        } else if (chave == "PREF") {
            p.tipos.insert("PREF");
        } else {
            p.parametros.insert(chave, valor);
        }
    }
    p.valor = linha.mid(dois + 1);
    return p;
}

int hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray deQuotedPrintable(QByteArrayView v) {
    QByteArray r;
    r.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == '=' && i + 2 < v.size() + 0 && hex(v[i + 1]) >= 0 && hex(v[i + 2]) >= 0) {
            r += char(hex(v[i + 1]) * 16 + hex(v[i + 2]));
            i += 2;
        } else if (v[i] == '=' && i + 1 == v.size()) {
            // A soft break left at the end.
        } else {
            r += v[i];
        }
    }
    return r;
}

// The value's text, or nullopt when its bytes are in no encoding the card allows.
std::optional<QString> texto(const Propriedade& p, bool antigo) {
    const QByteArray bytes =
        p.codificacao == "QUOTED-PRINTABLE" ? deQuotedPrintable(p.valor) : p.valor;
    const QByteArray& cs = p.charset;
    if (cs.isEmpty() || cs == "UTF-8" || cs == "UTF8") {
        if (utf8Valido(bytes))
            return QString::fromUtf8(bytes);
        // 2.1 files of old phones and of Windows carry their code page without saying so.
        if (antigo || !cs.isEmpty())
            return deWindows1252(bytes);
        return std::nullopt;
    }
    if (cs == "ISO-8859-1" || cs == "WINDOWS-1252" || cs == "CP1252" || cs == "LATIN1" ||
        cs == "US-ASCII" || cs == "ASCII")
        return deWindows1252(bytes);
    QStringDecoder d(cs.constData());
    if (!d.isValid())
        return deWindows1252(bytes);
    return QString(d.decode(bytes));
}

// Splits a structured value at its unescaped ";" and undoes the escapes of each part.
QStringList componentes(const QString& v, QChar sep = QLatin1Char(';')) {
    QStringList r;
    QString atual;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v.at(i);
        if (c == QLatin1Char('\\') && i + 1 < v.size()) {
            const QChar n = v.at(++i);
            if (n == QLatin1Char('n') || n == QLatin1Char('N'))
                atual += QLatin1Char('\n');
            else if (n == QLatin1Char(',') || n == QLatin1Char(';') || n == QLatin1Char('\\') ||
                     n == QLatin1Char(':'))
                atual += n;
            else {
                atual += c;
                atual += n;
            }
        } else if (c == sep) {
            r << atual;
            atual.clear();
        } else {
            atual += c;
        }
    }
    r << atual;
    return r;
}

QString desescapar(const QString& v) {
    return componentes(v, QChar(0)).join(QString());
}

// Apple keeps the label of a grouped entry apart: its own words, or a standard one.
struct Rotulo {
    QString texto;
    QSet<QByteArray> tipos;
};
Rotulo lerRotulo(const QString& bruto) {
    static const QHash<QString, QList<QByteArray>> padrao = {
        {QStringLiteral("mobile"), {"CELL"}},         {QStringLiteral("iphone"), {"CELL"}},
        {QStringLiteral("home"), {"HOME"}},           {QStringLiteral("work"), {"WORK"}},
        {QStringLiteral("main"), {"MAIN"}},           {QStringLiteral("homefax"), {"HOME", "FAX"}},
        {QStringLiteral("workfax"), {"WORK", "FAX"}}, {QStringLiteral("pager"), {"PAGER"}},
        {QStringLiteral("homepage"), {"HOME"}},       {QStringLiteral("other"), {"OTHER"}},
    };
    QString t = bruto.trimmed();
    if (t.startsWith(QLatin1String("_$!<")) && t.endsWith(QLatin1String(">!$_"))) {
        t = t.mid(4, t.size() - 8);
        const auto it = padrao.constFind(t.toLower());
        if (it != padrao.constEnd())
            return {{}, QSet<QByteArray>(it->begin(), it->end())};
    }
    return {t, {}};
}

class Montagem {
public:
    Montagem(Contato& c, bool antigo) : c_(c), antigo_(antigo) {}

    bool adicionar(const Propriedade& p, const QHash<QByteArray, Rotulo>& rotulos);
    bool concluir();

private:
    void foto(const Propriedade& p, const QString& valor);
    void data(const Propriedade& p, const QString& valor, const QString& rotulo,
              bool nascimento = false);

    Contato& c_;
    bool antigo_;
    QString fn_;
    QStringList n_;
    QString nota_;
    bool temEndereco_ = false;
    bool temFoto_ = false;
    QString primeiroEmail_;
    void emColuna(Campo campo, const QString& valor, const QString& rotulo) {
        colocar(c_, campo, valor, rotulo);
    }
};

void Montagem::foto(const Propriedade& p, const QString& valor) {
    QByteArray bytes;
    const QString v = valor.trimmed();
    if (p.codificacao == "B" || p.codificacao == "BASE64") {
        bytes = QByteArray::fromBase64(p.valor.simplified().replace(' ', QByteArray()));
    } else if (v.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        const qsizetype virgula = v.indexOf(QLatin1Char(','));
        if (virgula > 0 && v.left(virgula).contains(QLatin1String(";base64"), Qt::CaseInsensitive))
            bytes = QByteArray::fromBase64(v.mid(virgula + 1).toLatin1());
    } else {
        // A picture kept elsewhere is only named.
        c_.acrescentar(QStringLiteral("Foto"), desescapar(v));
        return;
    }
    const QString extensao = extensaoImagem(bytes);
    if (temFoto_ || extensao.isEmpty()) {
        c_.acrescentar(QStringLiteral("Foto"), temFoto_ ? QStringLiteral("outra imagem no cartão")
                                                        : QStringLiteral("imagem ilegível"));
        return;
    }
    temFoto_ = true;
    c_.foto = bytes;
    c_.extensaoFoto = extensao;
}

void Montagem::data(const Propriedade& p, const QString& valor, const QString& rotulo,
                    bool nascimento) {
    const QString v = valor.trimmed();
    const QDate d = lerData(v);
    // Apple writes a birthday without a year on the year it names.
    if (d.isValid() && p.parametros.value("X-APPLE-OMIT-YEAR").toInt() == d.year())
        c_.acrescentar(rotulo, d.toString(QStringLiteral("dd/MM")));
    else if (d.isValid() && nascimento && c_[Campo::Nascimento].isEmpty())
        c_[Campo::Nascimento] = d.toString(QStringLiteral("yyyy/MM/dd"));
    else if (d.isValid())
        c_.acrescentar(rotulo, d.toString(QStringLiteral("dd/MM/yyyy")));
    else if (const QString semAno = diaSemAno(v); !semAno.isEmpty())
        c_.acrescentar(rotulo, semAno);
    else
        c_.acrescentar(rotulo, v);
}

bool Montagem::adicionar(const Propriedade& p, const QHash<QByteArray, Rotulo>& rotulos) {
    static const QSet<QByteArray> ignorados = {"BEGIN",
                                               "END",
                                               "VERSION",
                                               "PRODID",
                                               "UID",
                                               "REV",
                                               "SORT-STRING",
                                               "X-ABUID",
                                               "X-ABSHOWAS",
                                               "X-ABLABEL",
                                               "X-ABADR",
                                               "KIND",
                                               "SOURCE",
                                               "CLASS",
                                               "LABEL",
                                               "NAME",
                                               "MAILER",
                                               "TZ",
                                               "CLIENTPIDMAP",
                                               "X-MS-OL-DEFAULT-POSTAL-ADDRESS",
                                               "X-MS-OL-DESIGN",
                                               "X-MS-CARDPICTURE",
                                               "X-WAB-GENDER",
                                               "X-MOZILLA-HTML",
                                               "X-PHONETIC-FIRST-NAME",
                                               "X-PHONETIC-MIDDLE-NAME",
                                               "X-PHONETIC-LAST-NAME",
                                               "X-IMAGETYPE",
                                               "X-IMAGEHASH",
                                               "X-SHAREDPHOTODISPLAYPREF",
                                               "X-ADDRESSBOOKSERVER-KIND",
                                               "X-ABPHONETICFIRSTNAME",
                                               "X-ABPHONETICLASTNAME",
                                               "X-ABORIGINAL-CONTACT-UID",
                                               "X-GENDER",
                                               "GENDER",
                                               "X-MS-ANNIVERSARY-DATE",
                                               kDdd};
    if (ignorados.contains(p.nome) || p.nome.startsWith("X-EVOLUTION-") ||
        p.nome.startsWith("X-APPLE-") || p.nome.startsWith("X-MOZILLA-"))
        return true;
    if (p.nome == "PHOTO" || p.nome == "LOGO") {
        if (p.nome == "PHOTO") {
            foto(p, QString::fromLatin1(p.valor));
        } else {
            c_.acrescentar(QStringLiteral("Logotipo"), QStringLiteral("imagem não importada"));
        }
        return true;
    }
    if (p.codificacao == "B" || p.codificacao == "BASE64") {
        // A sound or a key is no text to read in a note: only its presence is told.
        const QString rotulo = p.nome == "SOUND" ? QStringLiteral("Som")
                               : p.nome == "KEY" ? QStringLiteral("Chave")
                                                 : QString::fromLatin1(p.nome);
        c_.acrescentar(rotulo, QStringLiteral("dados binários não importados"));
        return true;
    }
    const std::optional<QString> lido = texto(p, antigo_);
    if (!lido)
        return false;
    const QString& v = *lido;
    QSet<QByteArray> tipos = p.tipos;
    QString rotulo;
    if (!p.grupo.isEmpty()) {
        const Rotulo r = rotulos.value(p.grupo.toUpper());
        tipos.unite(r.tipos);
        rotulo = r.texto;
    }
    const QByteArray& n = p.nome;
    if (n == "FN") {
        fn_ = desescapar(v).trimmed();
    } else if (n == "N") {
        n_ = componentes(v);
    } else if (n == "TEL") {
        colocarTelefone(c_, desescapar(v), tipos, rotulo);
    } else if (n == "EMAIL") {
        const QString e = desescapar(v).trimmed();
        if (primeiroEmail_.isEmpty())
            primeiroEmail_ = e;
        colocarEmail(c_, e, tipos, rotulo);
    } else if (n == "URL") {
        colocarSite(c_, desescapar(v), tipos, rotulo);
    } else if (n == "ADR") {
        QStringList a = componentes(v);
        a.resize(7);
        for (QString& parte : a)
            parte = parte.trimmed();
        if (!temEndereco_) {
            temEndereco_ = true;
            c_.acrescentar(QStringLiteral("Caixa postal"), a[0]);
            c_[Campo::Bairro] = a[1];
            c_[Campo::Endereco] = a[2];
            c_[Campo::Cidade] = a[3];
            c_[Campo::Estado] = a[4];
            c_[Campo::Cep] = a[5];
            c_.acrescentar(QStringLiteral("País"), a[6]);
        } else {
            a.removeAll(QString());
            c_.acrescentar(!rotulo.isEmpty()        ? rotulo
                           : tipos.contains("WORK") ? QStringLiteral("Endereço comercial")
                                                    : QStringLiteral("Endereço"),
                           a.join(QStringLiteral(", ")));
        }
    } else if (n == "ORG") {
        const QStringList o = componentes(v);
        emColuna(Campo::Empresa, o.value(0), QStringLiteral("Empresa"));
        for (qsizetype i = 1; i < o.size(); ++i)
            c_.acrescentar(QStringLiteral("Departamento"), o.at(i));
    } else if (n == "BDAY") {
        data(p, desescapar(v), QStringLiteral("Aniversário"), true);
    } else if (n == "ANNIVERSARY" || n == "X-ANNIVERSARY" || n == "X-ABDATE") {
        data(p, desescapar(v), rotulo.isEmpty() ? QStringLiteral("Data comemorativa") : rotulo);
    } else if (n == "NOTE") {
        const QString t = desescapar(v).trimmed();
        if (!t.isEmpty())
            nota_ += (nota_.isEmpty() ? QString() : QStringLiteral("\n")) + t;
    } else if (n == "X-MSN" || n == "X-MS-IMADDRESS") {
        emColuna(Campo::Msn, desescapar(v), QStringLiteral("MSN"));
    } else if (n == "X-SKYPE" || n == "X-SKYPE-USERNAME") {
        emColuna(Campo::Skype, desescapar(v), QStringLiteral("Skype"));
    } else if (n == "IMPP") {
        const QString i = desescapar(v).trimmed();
        const QString servico = p.parametros.value("X-SERVICE-TYPE").toLower();
        if (i.startsWith(QLatin1String("msn:"), Qt::CaseInsensitive))
            emColuna(Campo::Msn, i.mid(4), QStringLiteral("MSN"));
        else if (i.startsWith(QLatin1String("skype:"), Qt::CaseInsensitive))
            emColuna(Campo::Skype, i.mid(6), QStringLiteral("Skype"));
        else if (servico == QLatin1String("msn") || servico == QLatin1String("skype"))
            emColuna(servico == QLatin1String("msn") ? Campo::Msn : Campo::Skype,
                     i.mid(i.indexOf(QLatin1Char(':')) + 1),
                     QString::fromLatin1(p.parametros.value("X-SERVICE-TYPE")));
        else
            c_.acrescentar(QStringLiteral("Mensageiro"), i);
    } else {
        static const QHash<QByteArray, const char*> rotulosFixos = {
            {"TITLE", "Cargo"},
            {"ROLE", "Função"},
            {"NICKNAME", "Apelido"},
            {"CATEGORIES", "Categorias"},
            {"GEO", "Localização"},
            {"X-AIM", "AIM"},
            {"X-JABBER", "Jabber"},
            {"X-ICQ", "ICQ"},
            {"X-YAHOO", "Yahoo"},
            {"X-GOOGLE-TALK", "Google Talk"},
            {"X-GTALK", "Google Talk"},
            {"X-QQ", "QQ"},
            {"X-ASSISTANT", "Assistente"},
            {"X-MANAGER", "Gerente"},
            {"X-SPOUSE", "Cônjuge"},
            {"X-ABRELATEDNAMES", "Parente"},
            {"RELATED", "Parente"},
            {"X-MS-SPOUSE", "Cônjuge"},
            {"X-MS-MANAGER", "Gerente"},
            {"X-MS-ASSISTANT", "Assistente"},
            {"LANG", "Idioma"},
            {"MEMBER", "Membro"},
            {"X-ANDROID-CUSTOM", nullptr},
        };
        const auto it = rotulosFixos.constFind(n);
        if (it != rotulosFixos.constEnd() && !it.value()) {
            // Android's own rows: only the nickname is contact data a person typed.
            const QStringList partes = componentes(v);
            if (partes.value(0).endsWith(QLatin1String("/nickname")))
                c_.acrescentar(QStringLiteral("Apelido"), partes.value(1));
            return true;
        }
        QString r = !rotulo.isEmpty() ? rotulo
                    : it != rotulosFixos.constEnd()
                        ? QString::fromUtf8(it.value())
                        : QString::fromLatin1(n.startsWith("X-") ? n.mid(2) : n);
        QStringList partes;
        for (const QString& parte : componentes(v))
            partes << componentes(parte, QLatin1Char(','));
        partes.removeAll(QString());
        // Gmail's own groups, which every contact of it is in.
        if (n == "CATEGORIES")
            partes.removeIf([](const QString& g) {
                return g == QLatin1String("myContacts") || g == QLatin1String("starred");
            });
        c_.acrescentar(r, partes.join(QStringLiteral(", ")));
    }
    return true;
}

bool Montagem::concluir() {
    QString nome = fn_;
    if (nome.isEmpty() && !n_.isEmpty()) {
        // Prefix, given, additional, family, suffix as a person says them.
        QStringList partes{n_.value(3), n_.value(1), n_.value(2), n_.value(0), n_.value(4)};
        for (QString& p : partes)
            p = p.trimmed();
        partes.removeAll(QString());
        nome = partes.join(QLatin1Char(' '));
    }
    if (nome.isEmpty())
        nome = c_[Campo::Empresa];
    if (nome.isEmpty())
        nome = primeiroEmail_;
    if (nome.isEmpty())
        return false;
    c_[Campo::Nome] = nome;
    if (!nota_.isEmpty()) {
        QString& adicional = c_[Campo::Adicional];
        adicional = adicional.isEmpty() ? nota_ : nota_ + QLatin1Char('\n') + adicional;
    }
    acabar(c_);
    return true;
}

// The physical lines, with their numbers from 1.
struct Linha {
    QByteArrayView texto;
    int numero;
};

QList<Linha> linhas(const QByteArray& bytes) {
    QList<Linha> r;
    QByteArrayView todo(bytes);
    if (todo.startsWith("\xEF\xBB\xBF"))
        todo = todo.sliced(3);
    qsizetype ini = 0;
    int numero = 1;
    for (qsizetype i = 0; i <= todo.size(); ++i) {
        if (i == todo.size() || todo[i] == '\n' || todo[i] == '\r') {
            r.append({todo.sliced(ini, i - ini), numero++});
            if (i + 1 < todo.size() && todo[i] == '\r' && todo[i + 1] == '\n')
                ++i;
            ini = i + 1;
        }
    }
    return r;
}

bool ehLinha(QByteArrayView l, const char* texto) {
    return l.trimmed().compare(QByteArrayView(texto), Qt::CaseInsensitive) == 0;
}

// Whether the head of a property line, before its value, asks for one of these.
bool cabecaPede(QByteArrayView logica, std::initializer_list<const char*> marcas) {
    const qsizetype dois = logica.indexOf(':');
    const QByteArray cabeca = logica.first(dois < 0 ? 0 : dois).toByteArray().toUpper();
    for (const char* m : marcas)
        if (cabeca.contains(m))
            return true;
    return false;
}

}  // namespace

Leitura<Contato> ler(const QByteArray& arquivo) {
    Leitura<Contato> r;
    // Windows' own address book may save its cards in UTF-16.
    const QByteArray bytes = arquivo.startsWith("\xFF\xFE") || arquivo.startsWith("\xFE\xFF")
                                 ? decodificar(arquivo).toUtf8()
                                 : arquivo;
    const QList<Linha> ls = linhas(bytes);
    qsizetype i = 0;
    while (i < ls.size()) {
        if (!ehLinha(ls[i].texto, "BEGIN:VCARD")) {
            ++i;
            continue;
        }
        r.reconhecido = true;
        const int inicio = ls[i].numero;
        ++i;
        // Unfolded property lines of the card, up to its end.
        QList<QByteArray> logicas;
        bool quebrado = false, fechado = false;
        while (i < ls.size()) {
            const QByteArrayView l = ls[i].texto;
            if (ehLinha(l, "END:VCARD")) {
                fechado = true;
                ++i;
                break;
            }
            if (ehLinha(l, "BEGIN:VCARD"))
                break;  // the card before never ended
            ++i;
            if (l.trimmed().isEmpty())
                continue;
            if (!logicas.isEmpty() && ehEspaco(l[0])) {
                // Some phones indent the line after a soft break of quoted-printable.
                if (logicas.last().endsWith('=') &&
                    cabecaPede(logicas.last(), {"QUOTED-PRINTABLE"}))
                    logicas.last().chop(1);
                logicas.last() += l.sliced(1);
            } else if (!logicas.isEmpty() && logicas.last().endsWith('=') &&
                       cabecaPede(logicas.last(), {"QUOTED-PRINTABLE"})) {
                // A soft break of quoted-printable goes on at the start of the next line.
                logicas.last().chop(1);
                logicas.last() += l;
            } else if (!logicas.isEmpty() && !l.contains(':') &&
                       cabecaPede(logicas.last(), {"BASE64", "ENCODING=B"})) {
                logicas.last() += l.trimmed();
            } else if (!l.contains(':')) {
                quebrado = true;
            } else {
                logicas << l.toByteArray();
            }
            if (!logicas.isEmpty() && logicas.last().size() > kMaiorPropriedade)
                quebrado = true;
            if (quebrado)
                break;
        }
        if (quebrado || !fechado) {
            r.ilegivel(inicio);
            // Past the rest of the broken card.
            while (quebrado && i < ls.size() && !ehLinha(ls[i].texto, "END:VCARD") &&
                   !ehLinha(ls[i].texto, "BEGIN:VCARD"))
                ++i;
            continue;
        }
        QList<Propriedade> props;
        bool antigo = false;
        bool ok = true;
        for (const QByteArray& l : logicas) {
            std::optional<Propriedade> p = analisar(l);
            if (!p) {
                ok = false;
                break;
            }
            if (p->nome == "VERSION")
                antigo = p->valor.trimmed() == "2.1";
            props << std::move(*p);
        }
        // A group of contacts is no contact.
        if (ok && std::any_of(props.begin(), props.end(), [](const Propriedade& p) {
                return (p.nome == "KIND" || p.nome == "X-ADDRESSBOOKSERVER-KIND") &&
                       p.valor.trimmed().compare("group", Qt::CaseInsensitive) == 0;
            })) {
            ++r.outros;
            continue;
        }
        Contato c;
        c.linha = inicio;
        QHash<QByteArray, Rotulo> rotulos;
        for (const Propriedade& p : props)
            if (p.nome == "X-ABLABEL" && !p.grupo.isEmpty())
                if (const std::optional<QString> t = texto(p, antigo))
                    rotulos.insert(p.grupo.toUpper(), lerRotulo(desescapar(*t)));
        // This program's own area code, written apart so that it comes back as it was stored.
        for (const Propriedade& p : props)
            if (p.nome == kDdd)
                c[Campo::Ddd] = QString::fromUtf8(p.valor).trimmed();
        Montagem m(c, antigo);
        for (qsizetype k = 0; ok && k < props.size(); ++k)
            ok = m.adicionar(props[k], rotulos);
        if (!ok || !m.concluir()) {
            r.ilegivel(inicio);
            continue;
        }
        r.itens << std::move(c);
    }
    if (!r.reconhecido)
        r.motivo = QStringLiteral("o arquivo não contém nenhum cartão de contato (vCard)");
    return r;
}

namespace {

// The value in UTF-8 with the escapes of text values; without its blanks at the ends.
QByteArray escapar(const QString& v) {
    const QByteArray u = QStringView(v).trimmed().toUtf8();
    if (std::none_of(u.begin(), u.end(), [](char c) {
            return c == '\\' || c == '\n' || c == '\r' || c == ',' || c == ';';
        }))
        return u;
    QByteArray r;
    r.reserve(u.size() + 8);
    for (const char c : u) {
        switch (c) {
            case '\\':
                r += "\\\\";
                break;
            case '\n':
                r += "\\n";
                break;
            case '\r':
                break;
            case ',':
            case ';':
                r += '\\';
                r += c;
                break;
            default:
                r += c;
        }
    }
    return r;
}

// Appends a content line folded at 75 octets, never inside a UTF-8 sequence.
void linha(QByteArray& saida, QByteArrayView nome, QByteArrayView valor) {
    const qsizetype total = nome.size() + 1 + valor.size();
    if (total <= 75) {
        saida += nome;
        saida += ':';
        saida += valor;
        saida += "\r\n";
        return;
    }
    QByteArray l;
    l.reserve(total);
    l += nome;
    l += ':';
    l += valor;
    qsizetype ini = 0;
    qsizetype limite = 75;
    while (l.size() - ini > limite) {
        qsizetype corte = ini + limite;
        while (corte > ini && (static_cast<unsigned char>(l[corte]) & 0xC0) == 0x80)
            --corte;
        saida += QByteArrayView(l).sliced(ini, corte - ini);
        saida += "\r\n ";
        ini = corte;
        limite = 74;
    }
    saida += QByteArrayView(l).sliced(ini);
    saida += "\r\n";
}

}  // namespace

void escrever(const Contato& c, const QByteArray& foto, QByteArray& saida) {
    saida += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    const QString nome = c[Campo::Nome].trimmed();
    linha(saida, "FN", escapar(nome));
    // The family name is the last word, as Brazilian names go.
    const qsizetype espaco = nome.lastIndexOf(QLatin1Char(' '));
    linha(saida, "N",
          escapar(espaco < 0 ? nome : nome.mid(espaco + 1)) + ';' +
              escapar(espaco < 0 ? QString() : nome.left(espaco)) + ";;;");
    const QString ddd = c[Campo::Ddd].trimmed();
    const auto tel = [&](Campo campo, QByteArrayView nomeLinha) {
        const QString t = c[campo].trimmed();
        if (t.isEmpty())
            return;
        // The area code travels with each number that does not carry its own.
        linha(
            saida, nomeLinha,
            escapar(ddd.isEmpty() || !numeroLocal(t) ? t : QStringLiteral("(%1) %2").arg(ddd, t)));
    };
    tel(Campo::Tel, "TEL;TYPE=HOME,VOICE");
    tel(Campo::Cel, "TEL;TYPE=CELL,VOICE");
    tel(Campo::Nextel, "TEL;TYPE=X-NEXTEL");
    tel(Campo::Fax, "TEL;TYPE=HOME,FAX");
    tel(Campo::Telemp, "TEL;TYPE=WORK,VOICE");
    tel(Campo::Faxemp, "TEL;TYPE=WORK,FAX");
    if (!ddd.isEmpty())
        linha(saida, kDdd, escapar(ddd));
    const auto simples = [&](Campo campo, QByteArrayView nomeLinha) {
        if (const QByteArray e = escapar(c[campo]); !e.isEmpty())
            linha(saida, nomeLinha, e);
    };
    simples(Campo::Email, "EMAIL;TYPE=INTERNET,HOME");
    simples(Campo::Emailemp, "EMAIL;TYPE=INTERNET,WORK");
    simples(Campo::Site, "URL");
    simples(Campo::Siteemp, "URL;TYPE=WORK");
    const QByteArray partes[] = {escapar(c[Campo::Bairro]), escapar(c[Campo::Endereco]),
                                 escapar(c[Campo::Cidade]), escapar(c[Campo::Estado]),
                                 escapar(c[Campo::Cep])};
    if (std::any_of(std::begin(partes), std::end(partes),
                    [](const QByteArray& p) { return !p.isEmpty(); }))
        linha(saida, "ADR;TYPE=HOME",
              ';' + partes[0] + ';' + partes[1] + ';' + partes[2] + ';' + partes[3] + ';' +
                  partes[4] + ';');
    simples(Campo::Empresa, "ORG");
    // Stored "yyyy/mm/dd", written as ISO 8601.
    if (const QString n = c[Campo::Nascimento].trimmed();
        n.size() == 10 && n.at(4) == QLatin1Char('/')) {
        const QDate d(n.left(4).toInt(), n.mid(5, 2).toInt(), n.mid(8, 2).toInt());
        if (d.isValid())
            linha(saida, "BDAY", d.toString(Qt::ISODate).toLatin1());
    }
    simples(Campo::Msn, "X-MSN");
    simples(Campo::Skype, "X-SKYPE");
    simples(Campo::Adicional, "NOTE");
    if (const QString extensao = extensaoImagem(foto); !extensao.isEmpty()) {
        const QByteArray tipo =
            extensao == QLatin1String("jpg") ? "JPEG" : extensao.toUpper().toLatin1();
        linha(saida, "PHOTO;ENCODING=b;TYPE=" + tipo, foto.toBase64());
    }
    saida += "END:VCARD\r\n";
}

}  // namespace formatos::vcard
