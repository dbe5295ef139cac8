#include "formats/csv.h"

#include <QHash>
#include <QRegularExpression>

namespace formatos::csv {
namespace {

enum class Tipo {
    Coluna,    // a field of the contact
    Nome,      // the whole name
    Primeiro,  // parts of the name
    Meio,
    Sobrenome,
    Prefixo,
    Sufixo,
    Nota,
    Aniversario,
    AnoNascimento,  // Thunderbird's birthday in three columns
    MesNascimento,
    DiaNascimento,
    Endereco,    // a part of one of the addresses
    GrupoTipo,   // Google's "Phone 1 - Type" and the like
    GrupoValor,  // ... and its "Phone 1 - Value"
    Ignorar,
    Extra,  // a line of the additional information under the title
};

enum class Parte { Rua, Rua2, Bairro, Cidade, Estado, Cep, Pais, CaixaPostal, Formatado };

struct Papel {
    Tipo tipo = Tipo::Extra;
    Campo campo = Campo::Adicional;
    QString grupo;  // the address or the Google group it belongs to
    Parte parte = Parte::Rua;
    QString rotulo;  // for Extra
};

Tipos tiposDoCampo(Campo c) {
    switch (c) {
        case Campo::Tel:
            return {"HOME"};
        case Campo::Cel:
            return {"CELL"};
        case Campo::Fax:
            return {"HOME", "FAX"};
        case Campo::Telemp:
            return {"WORK"};
        case Campo::Faxemp:
            return {"WORK", "FAX"};
        case Campo::Nextel:
            return {"X-NEXTEL"};
        default:
            return {};
    }
}

bool ehTelefone(Campo c) {
    return !tiposDoCampo(c).isEmpty();
}

const QHash<QString, Campo>& colunasDiretas() {
    static const QHash<QString, Campo> h = [] {
        QHash<QString, Campo> m;
        for (int i = 0; i < kCampos; ++i)
            m.insert(QString::fromUtf8(cabecalho(Campo(i))).toLower(), Campo(i));
        const std::pair<const char*, Campo> outros[] = {
            {"e-mail address", Campo::Email},
            {"email address", Campo::Email},
            {"primary email", Campo::Email},
            {"email", Campo::Email},
            {"endereço de email", Campo::Email},
            {"endereço de e-mail", Campo::Email},
            {"home phone", Campo::Tel},
            {"telefone residencial", Campo::Tel},
            {"business phone", Campo::Telemp},
            {"work phone", Campo::Telemp},
            {"telefone comercial", Campo::Telemp},
            {"mobile phone", Campo::Cel},
            {"mobile number", Campo::Cel},
            {"telefone celular", Campo::Cel},
            {"home fax", Campo::Fax},
            {"fax number", Campo::Fax},
            {"fax residencial", Campo::Fax},
            {"business fax", Campo::Faxemp},
            {"fax comercial", Campo::Faxemp},
            {"radio phone", Campo::Nextel},
            {"company", Campo::Empresa},
            {"organization", Campo::Empresa},
            {"organization name", Campo::Empresa},
            {"organization 1 - name", Campo::Empresa},
            {"web page", Campo::Site},
            {"personal web page", Campo::Site},
            {"web page 2", Campo::Site},
            {"página da web", Campo::Site},
            {"web page 1", Campo::Siteemp},
            {"business web page", Campo::Siteemp},
            {"imaddress", Campo::Msn},
            {"im address", Campo::Msn},
            {"screen name", Campo::Msn},
        };
        for (const auto& [t, c] : outros)
            m.insert(QString::fromUtf8(t), c);
        return m;
    }();
    return h;
}

const QHash<QString, Tipo>& tiposFixos() {
    static const QHash<QString, Tipo> h = [] {
        const std::pair<const char*, Tipo> lista[] = {
            {"name", Tipo::Nome},
            {"display name", Tipo::Nome},
            {"full name", Tipo::Nome},
            {"nome completo", Tipo::Nome},
            {"first name", Tipo::Primeiro},
            {"given name", Tipo::Primeiro},
            {"primeiro nome", Tipo::Primeiro},
            {"middle name", Tipo::Meio},
            {"additional name", Tipo::Meio},
            {"segundo nome", Tipo::Meio},
            {"last name", Tipo::Sobrenome},
            {"family name", Tipo::Sobrenome},
            {"surname", Tipo::Sobrenome},
            {"sobrenome", Tipo::Sobrenome},
            {"title", Tipo::Prefixo},
            {"name prefix", Tipo::Prefixo},
            {"tratamento", Tipo::Prefixo},
            {"suffix", Tipo::Sufixo},
            {"name suffix", Tipo::Sufixo},
            {"sufixo", Tipo::Sufixo},
            {"notes", Tipo::Nota},
            {"note", Tipo::Nota},
            {"anotações", Tipo::Nota},
            {"observações", Tipo::Nota},
            {"birthday", Tipo::Aniversario},
            {"aniversário", Tipo::Aniversario},
            {"data de nascimento", Tipo::Aniversario},
            {"birth year", Tipo::AnoNascimento},
            {"birth month", Tipo::MesNascimento},
            {"birth day", Tipo::DiaNascimento},
            {"gender", Tipo::Ignorar},
            {"priority", Tipo::Ignorar},
            {"sensitivity", Tipo::Ignorar},
            {"private", Tipo::Ignorar},
            {"initials", Tipo::Ignorar},
            {"file as", Tipo::Ignorar},
            {"yomi name", Tipo::Ignorar},
            {"given name yomi", Tipo::Ignorar},
            {"additional name yomi", Tipo::Ignorar},
            {"family name yomi", Tipo::Ignorar},
            {"given yomi", Tipo::Ignorar},
            {"surname yomi", Tipo::Ignorar},
            {"company yomi", Tipo::Ignorar},
            {"e-mail type", Tipo::Ignorar},
            {"e-mail display name", Tipo::Ignorar},
            {"e-mail 2 type", Tipo::Ignorar},
            {"e-mail 2 display name", Tipo::Ignorar},
            {"e-mail 3 type", Tipo::Ignorar},
            {"e-mail 3 display name", Tipo::Ignorar},
        };
        QHash<QString, Tipo> m;
        for (const auto& [t, tipo] : lista)
            m.insert(QString::fromUtf8(t), tipo);
        return m;
    }();
    return h;
}

const QHash<QString, const char*>& rotulosFixos() {
    static const QHash<QString, const char*> h = {
        {QStringLiteral("nickname"), "Apelido"},
        {QStringLiteral("job title"), "Cargo"},
        {QStringLiteral("organization title"), "Cargo"},
        {QStringLiteral("organization 1 - title"), "Cargo"},
        {QStringLiteral("department"), "Departamento"},
        {QStringLiteral("organization department"), "Departamento"},
        {QStringLiteral("organization 1 - department"), "Departamento"},
        {QStringLiteral("e-mail 2 address"), "E-mail"},
        {QStringLiteral("e-mail 3 address"), "E-mail"},
        {QStringLiteral("secondary email"), "E-mail"},
        {QStringLiteral("home phone 2"), "Telefone"},
        {QStringLiteral("business phone 2"), "Telefone comercial"},
        {QStringLiteral("pager"), "Pager"},
        {QStringLiteral("pager number"), "Pager"},
        {QStringLiteral("anniversary"), "Data comemorativa"},
        {QStringLiteral("categories"), "Categorias"},
        {QStringLiteral("group membership"), "Grupos"},
        {QStringLiteral("labels"), "Grupos"},
        {QStringLiteral("photo"), "Foto"},
    };
    return h;
}

// The address a column belongs to, and which part of it: Outlook's "Home Street",
// Thunderbird's "Work City", Google's "Address 1 - Region", the Portuguese "Cidade do
// endereço comercial".
bool parteDeEndereco(const QString& t, Papel& p) {
    static const QRegularExpression google(QStringLiteral(R"(^(address \d+) - (.+)$)"));
    static const QRegularExpression ingles(QStringLiteral(R"(^(home|business|work|other) (.+)$)"));
    static const QRegularExpression portugues(
        QStringLiteral(R"(^(.+) do endereço (residencial|comercial|\w+)$)"));
    static const QHash<QString, Parte> partes = {
        {QStringLiteral("street"), Parte::Rua},
        {QStringLiteral("address"), Parte::Rua},
        {QStringLiteral("street 2"), Parte::Rua2},
        {QStringLiteral("street 3"), Parte::Rua2},
        {QStringLiteral("address 2"), Parte::Rua2},
        {QStringLiteral("extended address"), Parte::Bairro},
        {QStringLiteral("neighborhood"), Parte::Bairro},
        {QStringLiteral("city"), Parte::Cidade},
        {QStringLiteral("state"), Parte::Estado},
        {QStringLiteral("region"), Parte::Estado},
        {QStringLiteral("postal code"), Parte::Cep},
        {QStringLiteral("zipcode"), Parte::Cep},
        {QStringLiteral("zip code"), Parte::Cep},
        {QStringLiteral("country"), Parte::Pais},
        {QStringLiteral("country/region"), Parte::Pais},
        {QStringLiteral("po box"), Parte::CaixaPostal},
        {QStringLiteral("post office box"), Parte::CaixaPostal},
        {QStringLiteral("formatted"), Parte::Formatado},
        {QStringLiteral("rua"), Parte::Rua},
        {QStringLiteral("rua 2"), Parte::Rua2},
        {QStringLiteral("bairro"), Parte::Bairro},
        {QStringLiteral("cidade"), Parte::Cidade},
        {QStringLiteral("estado"), Parte::Estado},
        {QStringLiteral("cep"), Parte::Cep},
        {QStringLiteral("país/região"), Parte::Pais},
        {QStringLiteral("caixa postal"), Parte::CaixaPostal},
    };
    QRegularExpressionMatch m = google.match(t);
    QString grupo, parte;
    if (m.hasMatch()) {
        grupo = m.captured(1), parte = m.captured(2);
    } else if ((m = ingles.match(t)).hasMatch()) {
        grupo = m.captured(1) == QLatin1String("work") ? QStringLiteral("business") : m.captured(1);
        parte = m.captured(2);
    } else if ((m = portugues.match(t)).hasMatch()) {
        grupo = m.captured(2) == QLatin1String("comercial") ? QStringLiteral("business")
                                                            : m.captured(2);
        parte = m.captured(1);
    } else {
        return false;
    }
    if (parte == QLatin1String("type") || parte == QLatin1String("label")) {
        p.tipo = Tipo::Ignorar;
        return true;
    }
    const auto it = partes.constFind(parte);
    if (it == partes.constEnd())
        return false;
    p.tipo = Tipo::Endereco;
    p.grupo = grupo;
    p.parte = *it;
    return true;
}

Papel papel(const QString& titulo, bool primeiroNome) {
    const QString t = titulo.trimmed().toLower();
    Papel p;
    p.rotulo = titulo.trimmed();
    if (primeiroNome && t == QLatin1String("nome")) {
        // Outlook in Portuguese calls the first name "Nome", beside a "Sobrenome".
        p.tipo = Tipo::Primeiro;
        return p;
    }
    if (t == QStringLiteral("informações adicionais")) {
        p.tipo = Tipo::Nota;
        return p;
    }
    if (t == QLatin1String("nascimento")) {
        p.tipo = Tipo::Aniversario;
        return p;
    }
    if (const auto it = tiposFixos().constFind(t); it != tiposFixos().constEnd()) {
        p.tipo = *it;
        return p;
    }
    if (const auto it = colunasDiretas().constFind(t); it != colunasDiretas().constEnd()) {
        p.tipo = *it == Campo::Nome ? Tipo::Nome : Tipo::Coluna;
        p.campo = *it;
        return p;
    }
    if (parteDeEndereco(t, p))
        return p;
    static const QRegularExpression grupo(QStringLiteral(
        R"(^((?:phone|e-mail|website|im|relation|event|custom field) \d+) - (type|label|value|service)$)"));
    if (const QRegularExpressionMatch m = grupo.match(t); m.hasMatch()) {
        p.grupo = m.captured(1);
        p.tipo = m.captured(2) == QLatin1String("value")     ? Tipo::GrupoValor
                 : m.captured(2) == QLatin1String("service") ? Tipo::Ignorar
                                                             : Tipo::GrupoTipo;
        return p;
    }
    if (const auto it = rotulosFixos().constFind(t); it != rotulosFixos().constEnd())
        p.rotulo = QString::fromUtf8(*it);
    return p;
}

// The kinds of a Google label ("* Mobile", "Work Fax", "Casa"), or its words when they
// are the user's own.
std::pair<Tipos, QString> tiposDoRotulo(const QString& rotulo) {
    QString r = rotulo.trimmed();
    if (r.startsWith(QLatin1String("* ")))
        r = r.mid(2);
    static const QHash<QString, QList<QByteArray>> h = {
        {QStringLiteral("mobile"), {"CELL"}},
        {QStringLiteral("cell"), {"CELL"}},
        {QStringLiteral("celular"), {"CELL"}},
        {QStringLiteral("home"), {"HOME"}},
        {QStringLiteral("casa"), {"HOME"}},
        {QStringLiteral("residencial"), {"HOME"}},
        {QStringLiteral("work"), {"WORK"}},
        {QStringLiteral("trabalho"), {"WORK"}},
        {QStringLiteral("comercial"), {"WORK"}},
        {QStringLiteral("home fax"), {"HOME", "FAX"}},
        {QStringLiteral("work fax"), {"WORK", "FAX"}},
        {QStringLiteral("fax"), {"FAX"}},
        {QStringLiteral("pager"), {"PAGER"}},
        {QStringLiteral("main"), {"MAIN"}},
        {QStringLiteral("principal"), {"MAIN"}},
        {QStringLiteral("other"), {"OTHER"}},
        {QStringLiteral("outro"), {"OTHER"}},
        {QStringLiteral("home page"), {"HOME"}},
        {QStringLiteral("profile"), {"OTHER"}},
        {QStringLiteral("blog"), {"OTHER"}},
        {QStringLiteral("internet"), {}},
    };
    const auto it = h.constFind(r.toLower());
    if (it != h.constEnd())
        return {Tipos(it->begin(), it->end()), {}};
    if (r.isEmpty())
        return {{}, {}};
    return {{}, r};
}

// Google puts several values of one kind in one cell.
QStringList valores(const QString& celula) {
    QStringList r = celula.split(QStringLiteral(" ::: "));
    for (QString& v : r)
        v = v.trimmed();
    r.removeAll(QString());
    return r;
}

QByteArray campoCsv(const QString& valor) {
    if (valor.contains(QLatin1Char(';')) || valor.contains(QLatin1Char('"')) ||
        valor.contains(QLatin1Char('\n')) || valor.contains(QLatin1Char('\r')) ||
        valor.contains(QLatin1Char(',')) || valor.startsWith(QLatin1Char(' ')) ||
        valor.endsWith(QLatin1Char(' '))) {
        QString v = valor;
        v.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return '"' + v.toUtf8() + '"';
    }
    return valor.toUtf8();
}

struct Endereco {
    QString grupo;
    QString partes[9];
    bool vazio() const {
        for (const QString& p : partes)
            if (!p.trimmed().isEmpty())
                return false;
        return true;
    }
};

}  // namespace

QChar separador(QStringView texto) {
    int virgulas = 0, pontos = 0, tabs = 0;
    bool aspas = false;
    for (const QChar c : texto) {
        if (c == QLatin1Char('"'))
            aspas = !aspas;
        else if (!aspas && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!aspas)
            virgulas += c == QLatin1Char(','), pontos += c == QLatin1Char(';'),
                tabs += c == QLatin1Char('\t');
    }
    if (pontos > virgulas && pontos >= tabs)
        return QLatin1Char(';');
    if (tabs > virgulas)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

QList<Registro> registros(QStringView texto, QChar sep) {
    QList<Registro> r;
    Registro atual;
    QString campo;
    int linha = 1;
    atual.linha = 1;
    bool aspas = false, comecou = false;
    const auto fecharCampo = [&] {
        atual.campos << campo;
        campo.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (aspas) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < texto.size() && texto[i + 1] == QLatin1Char('"')) {
                    campo += c;
                    ++i;
                } else {
                    aspas = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++linha;
                campo += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && campo.trimmed().isEmpty()) {
            campo.clear();
            aspas = comecou = true;
        } else if (c == sep) {
            fecharCampo();
            comecou = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < texto.size() && texto[i + 1] == QLatin1Char('\n'))
                ++i;
            if (comecou || !campo.isEmpty()) {
                fecharCampo();
                r << atual;
            }
            atual = {};
            atual.linha = ++linha;
            comecou = false;
        } else {
            campo += c;
            comecou = true;
        }
    }
    if (aspas) {
        // A quote that never closes takes the rest of the file: that record is lost.
        fecharCampo();
        atual.inteiro = false;
        r << atual;
    } else if (comecou || !campo.isEmpty()) {
        fecharCampo();
        r << atual;
    }
    return r;
}

Leitura<Contato> ler(const QByteArray& bytes) {
    Leitura<Contato> r;
    if (bytes.contains('\0') && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        r.motivo = QStringLiteral("o arquivo não é uma planilha de texto (CSV)");
        return r;
    }
    const QString texto = decodificar(bytes);
    const QList<Registro> regs = registros(texto, separador(texto));
    if (regs.isEmpty() || regs.first().campos.size() < 2) {
        r.motivo = QStringLiteral("o arquivo não é uma planilha de contatos (CSV)");
        return r;
    }
    const QStringList& titulos = regs.first().campos;
    bool temSobrenome = false;
    for (const QString& t : titulos)
        temSobrenome |= t.trimmed().compare(QLatin1String("sobrenome"), Qt::CaseInsensitive) == 0;
    QList<Papel> papeis;
    bool temNome = false;
    bool ingles = false;
    for (const QString& t : titulos) {
        papeis << papel(t, temSobrenome);
        const Tipo tp = papeis.last().tipo;
        temNome |= tp == Tipo::Nome || tp == Tipo::Primeiro || tp == Tipo::Sobrenome;
        // Outlook in English writes its dates month first.
        ingles |= t.trimmed().compare(QLatin1String("birthday"), Qt::CaseInsensitive) == 0;
    }
    if (!temNome) {
        r.motivo = QStringLiteral("a planilha não tem uma coluna com o nome dos contatos");
        return r;
    }
    r.reconhecido = true;
    for (qsizetype k = 1; k < regs.size(); ++k) {
        const Registro& reg = regs[k];
        bool vazio = true;
        for (const QString& f : reg.campos)
            vazio &= f.trimmed().isEmpty();
        if (vazio && reg.inteiro)
            continue;
        bool sobra = false;
        for (qsizetype i = titulos.size(); i < reg.campos.size(); ++i)
            sobra |= !reg.campos[i].trimmed().isEmpty();
        if (!reg.inteiro || sobra) {
            r.ilegivel(reg.linha);
            continue;
        }
        Contato c;
        c.linha = reg.linha;
        QString nome, partesNome[5], nota;
        QString ano, mes, dia;
        QList<Endereco> enderecos;
        QHash<QString, QString> tiposDoGrupo;
        QList<std::pair<QString, QString>> valoresDoGrupo;
        for (qsizetype i = 0; i < titulos.size(); ++i) {
            const QString v = reg.campos.value(i).trimmed();
            const Papel& p = papeis[i];
            if (v.isEmpty() && p.tipo != Tipo::Endereco)
                continue;
            switch (p.tipo) {
                case Tipo::Coluna:
                    if (ehTelefone(p.campo)) {
                        for (const QString& n : valores(v))
                            colocarTelefone(c, n, tiposDoCampo(p.campo));
                    } else if (p.campo == Campo::Email || p.campo == Campo::Emailemp) {
                        for (const QString& e : valores(v))
                            colocar(c, p.campo, e, p.rotulo);
                    } else {
                        colocar(c, p.campo, v, p.rotulo);
                    }
                    break;
                case Tipo::Nome:
                    nome = v;
                    break;
                case Tipo::Primeiro:
                case Tipo::Meio:
                case Tipo::Sobrenome:
                case Tipo::Prefixo:
                case Tipo::Sufixo:
                    partesNome[int(p.tipo) - int(Tipo::Primeiro)] = v;
                    break;
                case Tipo::Nota:
                    nota = nota.isEmpty() ? v : nota + QLatin1Char('\n') + v;
                    break;
                case Tipo::Aniversario: {
                    const QDate d = lerData(v, ingles);
                    if (d.isValid() && c[Campo::Nascimento].isEmpty())
                        c[Campo::Nascimento] = d.toString(QStringLiteral("yyyy/MM/dd"));
                    else if (v != QLatin1String("0/0/00") && v != QLatin1String("00/00/0000"))
                        c.acrescentar(QStringLiteral("Aniversário"),
                                      diaSemAno(v).isEmpty() ? v : diaSemAno(v));
                    break;
                }
                case Tipo::AnoNascimento:
                    ano = v;
                    break;
                case Tipo::MesNascimento:
                    mes = v;
                    break;
                case Tipo::DiaNascimento:
                    dia = v;
                    break;
                case Tipo::Endereco: {
                    auto it = std::find_if(enderecos.begin(), enderecos.end(),
                                           [&](const Endereco& e) { return e.grupo == p.grupo; });
                    if (it == enderecos.end()) {
                        enderecos.append({p.grupo, {}});
                        it = enderecos.end() - 1;
                    }
                    QString& parte = it->partes[int(p.parte)];
                    if (!v.isEmpty())
                        parte = parte.isEmpty() ? v : parte + QStringLiteral(", ") + v;
                    break;
                }
                case Tipo::GrupoTipo:
                    tiposDoGrupo.insert(p.grupo, v);
                    break;
                case Tipo::GrupoValor:
                    valoresDoGrupo.append({p.grupo, v});
                    break;
                case Tipo::Ignorar:
                    break;
                case Tipo::Extra: {
                    QString e = v;
                    if (p.rotulo == QLatin1String("Grupos")) {
                        e.remove(QStringLiteral("* myContacts"))
                            .remove(QStringLiteral("* starred"));
                        e = valores(e).join(QStringLiteral(", "));
                        e.remove(QRegularExpression(QStringLiteral("^(:::\\s*)+|(\\s*:::)+$")));
                    }
                    c.acrescentar(p.rotulo, e);
                    break;
                }
            }
        }
        for (const auto& [grupo, v] : valoresDoGrupo) {
            const auto [tipos, rotulo] = tiposDoRotulo(tiposDoGrupo.value(grupo));
            for (const QString& item : valores(v)) {
                if (grupo.startsWith(QLatin1String("phone")))
                    colocarTelefone(c, item, tipos, rotulo);
                else if (grupo.startsWith(QLatin1String("e-mail")))
                    colocarEmail(c, item, tipos, rotulo);
                else if (grupo.startsWith(QLatin1String("website")))
                    colocarSite(c, item, tipos, rotulo);
                else
                    c.acrescentar(rotulo.isEmpty() ? tiposDoGrupo.value(grupo, grupo) : rotulo,
                                  item);
            }
        }
        bool primeiroEndereco = true;
        for (const Endereco& e : enderecos) {
            if (e.vazio())
                continue;
            const QString* pt = e.partes;
            if (primeiroEndereco) {
                primeiroEndereco = false;
                QString rua = pt[int(Parte::Rua)];
                if (!pt[int(Parte::Rua2)].isEmpty())
                    rua +=
                        (rua.isEmpty() ? QString() : QStringLiteral(", ")) + pt[int(Parte::Rua2)];
                if (rua.isEmpty() && pt[int(Parte::Cidade)].isEmpty())
                    rua = pt[int(Parte::Formatado)];
                c[Campo::Endereco] = rua;
                c[Campo::Bairro] = pt[int(Parte::Bairro)];
                c[Campo::Cidade] = pt[int(Parte::Cidade)];
                c[Campo::Estado] = pt[int(Parte::Estado)];
                c[Campo::Cep] = pt[int(Parte::Cep)];
                c.acrescentar(QStringLiteral("Caixa postal"), pt[int(Parte::CaixaPostal)]);
                c.acrescentar(QStringLiteral("País"), pt[int(Parte::Pais)]);
                continue;
            }
            QStringList partes;
            for (Parte k : {Parte::Rua, Parte::Rua2, Parte::Bairro, Parte::Cidade, Parte::Estado,
                            Parte::Cep, Parte::Pais, Parte::CaixaPostal})
                if (!pt[int(k)].isEmpty())
                    partes << pt[int(k)];
            if (partes.isEmpty())
                partes << pt[int(Parte::Formatado)];
            c.acrescentar(e.grupo == QLatin1String("business")
                              ? QStringLiteral("Endereço comercial")
                              : QStringLiteral("Endereço"),
                          partes.join(QStringLiteral(", ")));
        }
        if (!ano.isEmpty() || !mes.isEmpty() || !dia.isEmpty()) {
            const QDate d(ano.toInt(), mes.toInt(), dia.toInt());
            if (d.isValid() && c[Campo::Nascimento].isEmpty())
                c[Campo::Nascimento] = d.toString(QStringLiteral("yyyy/MM/dd"));
            else
                c.acrescentar(QStringLiteral("Aniversário"),
                              QStringList{dia, mes, ano}.join(QLatin1Char('/')));
        }
        if (nome.isEmpty()) {
            QStringList partes{partesNome[3], partesNome[0], partesNome[1], partesNome[2],
                               partesNome[4]};
            partes.removeAll(QString());
            nome = partes.join(QLatin1Char(' '));
        }
        if (nome.isEmpty())
            nome = c[Campo::Empresa];
        if (nome.isEmpty())
            nome = c[Campo::Email];
        if (nome.isEmpty()) {
            r.ilegivel(reg.linha);
            continue;
        }
        c[Campo::Nome] = nome;
        if (!nota.isEmpty()) {
            QString& a = c[Campo::Adicional];
            a = a.isEmpty() ? nota : nota + QLatin1Char('\n') + a;
        }
        acabar(c);
        r.itens << std::move(c);
    }
    return r;
}

QByteArray cabeca() {
    QByteArray r("\xEF\xBB\xBF");
    for (int i = 0; i < kCampos; ++i) {
        if (i)
            r += ';';
        r += campoCsv(QString::fromUtf8(cabecalho(Campo(i))));
    }
    r += "\r\n";
    return r;
}

void escrever(const Contato& c, QByteArray& saida) {
    for (int i = 0; i < kCampos; ++i) {
        if (i)
            saida += ';';
        QString v = c.valores[std::size_t(i)].trimmed();
        if (Campo(i) == Campo::Nascimento) {
            // As a Brazilian spreadsheet reads a date.
            const QDate d = QDate::fromString(v, QStringLiteral("yyyy/MM/dd"));
            v = d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        }
        saida += campoCsv(v);
    }
    saida += "\r\n";
}

}  // namespace formatos::csv
