#include <libical/ical.h>
#include <QTest>
#include <QTimeZone>

#include "formats/contato.h"
#include "formats/csv.h"
#include "formats/icalendar.h"
#include "formats/vcard.h"

using formatos::Campo;
using formatos::Contato;

namespace {

QByteArray crlf(const char* texto) {
    return QByteArray(texto).replace("\n", "\r\n");
}

// A made-up JPEG: its mark and a few bytes are all the readers look at.
const QByteArray kJpeg =
    QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00", 14) + QByteArray(300, '\x42');

// Our own unfolding and splitting, written from the standard and not from the reader:
// the properties of every card as "NAME;PARAMS" -> value, in order.
QList<QList<std::pair<QByteArray, QByteArray>>> cartoes(const QByteArray& arquivo) {
    QList<QList<std::pair<QByteArray, QByteArray>>> r;
    const QList<QByteArray> fisicas = arquivo.split('\n');
    QList<QByteArray> logicas;
    for (QByteArray l : fisicas) {
        if (!l.endsWith('\r') && &l != &fisicas.last())
            logicas << "<sem CRLF>";
        l.chop(l.endsWith('\r') ? 1 : 0);
        if (l.startsWith(' '))
            logicas.last() += l.mid(1);
        else if (!l.isEmpty())
            logicas << l;
    }
    for (const QByteArray& l : logicas) {
        if (l == "BEGIN:VCARD") {
            r.append(QList<std::pair<QByteArray, QByteArray>>());
            continue;
        }
        const qsizetype dois = l.indexOf(':');
        r.last().append({l.left(dois), l.mid(dois + 1)});
    }
    return r;
}

QByteArray valor(const QList<std::pair<QByteArray, QByteArray>>& cartao, const QByteArray& nome) {
    for (const auto& [n, v] : cartao)
        if (n == nome)
            return v;
    return "<ausente>";
}

}  // namespace

class TstFormatos : public QObject {
    Q_OBJECT
private slots:
    void androidQuotedPrintableEFoto();
    void iphoneGruposERotulos();
    void gmailTresPontoZero();
    void outlookWindows1252SemCharset();
    void thunderbirdQuatroPontoZero();
    void cartaoQuebradoContadoComSuaLinha();
    void naoEhVcard();
    void gruposUtf16EPropriedadeEnorme();
    void dddSoDeNumeroBrasileiro();
    void vcardEscritoDobraEscapaELeDeVolta();
    void csvDoGoogleNovoEAntigo();
    void csvDoOutlookEmPontoEVirgula();
    void csvProprioIdaEVolta();
    void csvAspaSemFimEhIlegivel();
    void icsDoGoogleComZonaERecorrencia();
    void icsDoOutlookComZonaDoWindows();
    void icsEscritoLidoPeloLibical();
};

void TstFormatos::androidQuotedPrintableEFoto() {
    const QByteArray f =
        crlf(
            "BEGIN:VCARD\n"
            "VERSION:2.1\n"
            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Concei=C3=A7=C3=A3o;Jos=C3=A9;;;\n"
            "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Jos=C3=A9 Concei=C3=A7=C3=A3o\n"
            "TEL;CELL:+55 11 98765-4321\n"
            "TEL;HOME:(11) 3333-4444\n"
            "TEL;WORK:+55 21 2222-1111\n"
            "EMAIL;HOME:jose@exemplo.com.br\n"
            "NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Primeira linha=0D=0ASegunda li=\n"
            "nha com acentua=C3=A7=C3=A3o\n"
            "X-ANDROID-CUSTOM:vnd.android.cursor.item/nickname;Zé;1;;;;;;;;;;;;;\n"
            "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;Rua Jo=C3=A3o Ant=\n"
            " =C3=B4nio 5;Santos;SP;;\n"
            "PHOTO;ENCODING=BASE64;JPEG:") +
        kJpeg.toBase64().left(60) + "\r\n  " + kJpeg.toBase64().mid(60) + "\r\n\r\nEND:VCARD\r\n";
    const auto l = formatos::vcard::ler(f);
    QVERIFY(l.reconhecido);
    QCOMPARE(l.ilegiveis, 0);
    QCOMPARE(l.itens.size(), 1);
    const Contato& c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("José Conceição"));
    QCOMPARE(c[Campo::Ddd], QString("11"));
    QCOMPARE(c[Campo::Cel], QString("98765-4321"));
    QCOMPARE(c[Campo::Tel], QString("3333-4444"));
    // Another area code keeps its number whole.
    QCOMPARE(c[Campo::Telemp], QString("+55 21 2222-1111"));
    QCOMPARE(c[Campo::Email], QString("jose@exemplo.com.br"));
    QCOMPARE(c[Campo::Endereco], QString("Rua João Antônio 5"));
    QCOMPARE(c[Campo::Adicional],
             QString("Primeira linha\r\nSegunda linha com acentuação\nApelido: Zé"));
    QCOMPARE(c.foto, kJpeg);
    QCOMPARE(c.extensaoFoto, QString("jpg"));
}

void TstFormatos::iphoneGruposERotulos() {
    const QByteArray f = crlf(
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "PRODID:-//Apple Inc.//iPhone OS 17.1//EN\n"
        "N:Sá;Ana;;;\n"
        "FN:Ana Sá\n"
        "ORG:Padaria Pão Quente;Caixa;\n"
        "TITLE:Gerente\n"
        "item1.TEL;type=pref:11 3030-4040\n"
        "item1.X-ABLabel:_$!<Mobile>!$_\n"
        "item2.TEL:3131-3232\n"
        "item2.X-ABLabel:Casa da praia\n"
        "item3.URL;type=pref:http://padaria.example\n"
        "item3.X-ABLabel:_$!<HomePage>!$_\n"
        "item4.ADR;type=HOME;type=pref:;;Rua das Flores\\, 12;Santos;SP;11000-000;Brasil\n"
        "item4.X-ABADR:br\n"
        "BDAY;X-APPLE-OMIT-YEAR=1604:1604-09-21\n"
        "PHOTO;ENCODING=b;TYPE=JPEG:" +
        QByteArray(kJpeg.toBase64()) +
        "\n"
        "END:VCARD\n");
    const auto l = formatos::vcard::ler(f);
    QCOMPARE(l.itens.size(), 1);
    const Contato& c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("Ana Sá"));
    QCOMPARE(c[Campo::Cel], QString("3030-4040"));
    QCOMPARE(c[Campo::Ddd], QString("11"));
    QCOMPARE(c[Campo::Tel], QString());
    QCOMPARE(c[Campo::Site], QString("http://padaria.example"));
    QCOMPARE(c[Campo::Endereco], QString("Rua das Flores, 12"));
    QCOMPARE(c[Campo::Cidade], QString("Santos"));
    QCOMPARE(c[Campo::Estado], QString("SP"));
    QCOMPARE(c[Campo::Cep], QString("11000-000"));
    QCOMPARE(c[Campo::Empresa], QString("Padaria Pão Quente"));
    QCOMPARE(c[Campo::Nascimento], QString());
    QCOMPARE(c[Campo::Adicional].split('\n'),
             QStringList({"Departamento: Caixa", "Cargo: Gerente", "Casa da praia: 3131-3232",
                          "País: Brasil", "Aniversário: 21/09"}));
    QCOMPARE(c.foto, kJpeg);
}

void TstFormatos::gmailTresPontoZero() {
    const QByteArray f = crlf(
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Márcio O'Neil\n"
        "N:O'Neil;Márcio;;;\n"
        "EMAIL;TYPE=INTERNET;TYPE=HOME:marcio@gmail.example\n"
        "EMAIL;TYPE=INTERNET;TYPE=WORK:marcio@empresa.example\n"
        "EMAIL;TYPE=INTERNET:outro@gmail.example\n"
        "TEL;TYPE=CELL:(21) 99876-5432\n"
        "TEL;TYPE=HOME,FAX:21 2555-6666\n"
        "TEL;TYPE=PAGER:5555\n"
        "ADR;TYPE=HOME:;Copacabana;Av. Atlântica\\, 1000;Rio de Janeiro;RJ;22000-000;\n"
        "ADR;TYPE=WORK:;;Rua do Ouvidor 50;Rio de Janeiro;RJ;;\n"
        "BDAY:1975-03-02\n"
        "NOTE:Conhecido da faculdade\\nGosta de café\\; sem açúcar\n"
        "IMPP:skype:marcio.oneil\n"
        "X-MSN:marcio@hotmail.example\n"
        "CATEGORIES:myContacts,Amigos\n"
        "SOUND;ENCODING=b;TYPE=WAVE:UklGRiQAAABXQVZFZm10IBAAAAABAAEA\n"
        "END:VCARD\n");
    const auto l = formatos::vcard::ler(f);
    QCOMPARE(l.itens.size(), 1);
    const Contato& c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("Márcio O'Neil"));
    QCOMPARE(c[Campo::Email], QString("marcio@gmail.example"));
    QCOMPARE(c[Campo::Emailemp], QString("marcio@empresa.example"));
    QCOMPARE(c[Campo::Ddd], QString("21"));
    QCOMPARE(c[Campo::Cel], QString("99876-5432"));
    QCOMPARE(c[Campo::Fax], QString("2555-6666"));
    QCOMPARE(c[Campo::Bairro], QString("Copacabana"));
    QCOMPARE(c[Campo::Endereco], QString("Av. Atlântica, 1000"));
    QCOMPARE(c[Campo::Nascimento], QString("1975/03/02"));
    QCOMPARE(c[Campo::Skype], QString("marcio.oneil"));
    QCOMPARE(c[Campo::Msn], QString("marcio@hotmail.example"));
    QCOMPARE(c[Campo::Adicional].split('\n'),
             QStringList({"Conhecido da faculdade", "Gosta de café; sem açúcar",
                          "E-mail: outro@gmail.example", "Pager: 5555",
                          "Endereço comercial: Rua do Ouvidor 50, Rio de Janeiro, RJ",
                          "Categorias: Amigos", "Som: dados binários não importados"}));
}

void TstFormatos::outlookWindows1252SemCharset() {
    QByteArray f = crlf(
        "BEGIN:VCARD\n"
        "VERSION:2.1\n"
        "N:\xC1vila;Jo\xE3o;;Sr.\n"
        "TEL;WORK;VOICE:(11) 4004-1234\n"
        "TEL;WORK;FAX:(11) 4004-1235\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE:;;Rua Augusta, 500=0D=0AConjunto 3;S=E3o "
        "Paulo;SP;01305-000;Brasil\n"
        "EMAIL;PREF;INTERNET:joao@avila.example\n"
        "URL;WORK:http://avila.example\n"
        "X-MS-OL-DEFAULT-POSTAL-ADDRESS:2\n"
        "REV:20240101T120000Z\n"
        "END:VCARD\n");
    const auto l = formatos::vcard::ler(f);
    QCOMPARE(l.itens.size(), 1);
    const Contato& c = l.itens.first();
    // No FN: the parts of N as a person says them.
    QCOMPARE(c[Campo::Nome], QString("Sr. João Ávila"));
    QCOMPARE(c[Campo::Telemp], QString("4004-1234"));
    QCOMPARE(c[Campo::Faxemp], QString("4004-1235"));
    QCOMPARE(c[Campo::Endereco], QString("Rua Augusta, 500, Conjunto 3"));
    QCOMPARE(c[Campo::Cidade], QString("São Paulo"));
    QCOMPARE(c[Campo::Email], QString("joao@avila.example"));
    QCOMPARE(c[Campo::Siteemp], QString("http://avila.example"));
    QCOMPARE(c[Campo::Adicional], QString("País: Brasil"));
}

void TstFormatos::thunderbirdQuatroPontoZero() {
    const QByteArray png = QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(40, 'p');
    const QByteArray f = crlf(
        "BEGIN:VCARD\n"
        "VERSION:4.0\n"
        "FN:Luíza Peçanha\n"
        "TEL;TYPE=\"cell,voice\";VALUE=uri:tel:+55-48-99123-4567\n"
        "TEL;VALUE=uri:tel:+1-555-0100\n"
        "EMAIL;PREF=1:luiza@exemplo.org\n"
        "BDAY:--0412\n"
        "PHOTO:data:image/png;base64," +
        png.toBase64() +
        "\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:4.0\n"
        "FN:Segundo\n"
        "END:VCARD\n");
    const auto l = formatos::vcard::ler(f);
    QCOMPARE(l.itens.size(), 2);
    const Contato& c = l.itens.first();
    QCOMPARE(c[Campo::Cel], QString("99123-4567"));
    QCOMPARE(c[Campo::Ddd], QString("48"));
    QCOMPARE(c[Campo::Tel], QString("+1-555-0100"));
    QCOMPARE(c[Campo::Email], QString("luiza@exemplo.org"));
    QCOMPARE(c[Campo::Adicional], QString("Aniversário: 12/04"));
    QCOMPARE(c.foto, png);
    QCOMPARE(c.extensaoFoto, QString("png"));
    QCOMPARE(l.itens[1].linha, 10);
}

void TstFormatos::cartaoQuebradoContadoComSuaLinha() {
    const QByteArray f = crlf(
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Bom Um\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Quebrado\n"
        "NOTE:uma linha dobrada\n"
        "sem o espaço da dobra\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Sem \xFF\xFE UTF-8\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:<b>Marcação</b><script>x</script>\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Sem fim\n");
    const auto l = formatos::vcard::ler(f);
    QCOMPARE(l.itens.size(), 2);
    QCOMPARE(l.itens[0][Campo::Nome], QString("Bom Um"));
    // Markup is a name like any other: only the list shows it, as text.
    QCOMPARE(l.itens[1][Campo::Nome], QString("<b>Marcação</b><script>x</script>"));
    QCOMPARE(l.ilegiveis, 3);
    QCOMPARE(l.linhaIlegivel, 5);
}

void TstFormatos::naoEhVcard() {
    const auto l = formatos::vcard::ler("Nome;Telefone\r\nAna;123\r\n");
    QVERIFY(!l.reconhecido);
    QVERIFY(!l.motivo.isEmpty());
    QVERIFY(!formatos::vcard::ler(QByteArray(5000000, 'x')).reconhecido);
}

void TstFormatos::gruposUtf16EPropriedadeEnorme() {
    const QString texto =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Família\r\n"
        "MEMBER:urn:uuid:1\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\n"
        "FN:Conceição\r\nEND:VCARD\r\n";
    QByteArray utf16("\xFF\xFE");
    utf16 += QByteArray(reinterpret_cast<const char*>(texto.utf16()), texto.size() * 2);
    auto l = formatos::vcard::ler(utf16);
    QCOMPARE(l.itens.size(), 1);
    QCOMPARE(l.itens[0][Campo::Nome], QString("Conceição"));
    QCOMPARE(l.outros, 1);
    // A note of 17 MB is no contact data: its card is unreadable, the next one is read.
    const QByteArray enorme =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Grande\r\nNOTE:" + QByteArray(17 * 1024 * 1024, 'a') +
        "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:Pequeno\r\n"
        "END:VCARD\r\n";
    l = formatos::vcard::ler(enorme);
    QCOMPARE(l.itens.size(), 1);
    QCOMPARE(l.itens[0][Campo::Nome], QString("Pequeno"));
    QCOMPARE(l.ilegiveis, 1);
    QCOMPARE(l.linhaIlegivel, 1);
}

void TstFormatos::dddSoDeNumeroBrasileiro() {
    const auto s = [](const char* n) {
        const formatos::Telefone t = formatos::separarDdd(QString::fromUtf8(n));
        return t.ddd + "|" + t.numero;
    };
    QCOMPARE(s("+55 (11) 98765-4321"), QString("11|98765-4321"));
    QCOMPARE(s("011 3333-4444"), QString("11|3333-4444"));
    QCOMPARE(s("1133334444"), QString("11|33334444"));
    QCOMPARE(s("3333-4444"), QString("|3333-4444"));
    QCOMPARE(s("98765-4321"), QString("|98765-4321"));
    QCOMPARE(s("0800 123 4567"), QString("|0800 123 4567"));
    QCOMPARE(s("+1 212 555 0100"), QString("|+1 212 555 0100"));
    QCOMPARE(s("ramal 22"), QString("|ramal 22"));
}

void TstFormatos::vcardEscritoDobraEscapaELeDeVolta() {
    Contato c;
    c[Campo::Nome] = "Conceição; Filhos, Ltda";
    c[Campo::Ddd] = "11 ";
    c[Campo::Tel] = "3333-4444 ";
    c[Campo::Cel] = "(21) 99999-0000 ";
    c[Campo::Nextel] = "55*12*3456 ";
    c[Campo::Email] = "a@b.example ";
    c[Campo::Endereco] = "Rua São João, 10 ";
    c[Campo::Cidade] = "São Paulo ";
    c[Campo::Nascimento] = "1980/05/17 ";
    c[Campo::Adicional] =
        QString("Linha um\nLinha dois com barra \\ e ; e , ") + QString(80, QChar(0x00E7));
    QByteArray saida;
    formatos::vcard::escrever(c, kJpeg, saida);
    for (const QByteArray& l : saida.split('\n'))
        QVERIFY2(l.size() <= 76, l.constData());  // 75 octets and the CR
    QVERIFY(formatos::utf8Valido(saida));
    const auto lidos = cartoes(saida);
    QCOMPARE(lidos.size(), 1);
    const auto& k = lidos.first();
    QCOMPARE(valor(k, "VERSION"), QByteArray("3.0"));
    QCOMPARE(valor(k, "FN"), QByteArray("Concei\xC3\xA7\xC3\xA3o\\; Filhos\\, Ltda"));
    QCOMPARE(valor(k, "TEL;TYPE=HOME,VOICE"), QByteArray("(11) 3333-4444"));
    QCOMPARE(valor(k, "TEL;TYPE=CELL,VOICE"), QByteArray("(21) 99999-0000"));
    QCOMPARE(valor(k, "BDAY"), QByteArray("1980-05-17"));
    QCOMPARE(valor(k, "ADR;TYPE=HOME"), QString(";;Rua São João\\, 10;São Paulo;;;").toUtf8());
    QCOMPARE(QByteArray::fromBase64(valor(k, "PHOTO;ENCODING=b;TYPE=JPEG")), kJpeg);
    QVERIFY(valor(k, "NOTE").startsWith("Linha um\\nLinha dois com barra \\\\ e \\; e \\, "));
    QVERIFY(!saida.contains("<sem CRLF>") && !saida.contains("\n\n"));

    const auto volta = formatos::vcard::ler(saida);
    QCOMPARE(volta.itens.size(), 1);
    const Contato& v = volta.itens.first();
    for (int i = 0; i < formatos::kCampos; ++i)
        QCOMPARE(v.valores[std::size_t(i)], c.valores[std::size_t(i)].trimmed());
    QCOMPARE(v.foto, kJpeg);
}

void TstFormatos::csvDoGoogleNovoEAntigo() {
    const QByteArray novo =
        QString(
            "First Name,Middle Name,Last Name,Nickname,Birthday,Notes,Labels,E-mail 1 - Label,"
            "E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value,Phone 2 - Label,Phone 2 - Value,"
            "Address 1 - Label,Address 1 - Street,Address 1 - City,Address 1 - Region,"
            "Address 1 - Postal Code,Address 1 - Country,Organization Name,Organization Title\n"
            "Cecília,,Araújo,Ciça,--07-08,\"Linha 1\nLinha \"\"2\"\"\",* myContacts ::: Família,"
            "* Home,cecilia@exemplo.com ::: cici@exemplo.com,Mobile,+55 31 98888-7777,Work,"
            "31 3222-1111,Home,\"Rua da Bahia, 10\",Belo Horizonte,MG,30160-010,Brasil,Acme,"
            "Analista\n")
            .toUtf8();
    auto l = formatos::csv::ler(novo);
    QVERIFY(l.reconhecido);
    QCOMPARE(l.itens.size(), 1);
    Contato c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("Cecília Araújo"));
    QCOMPARE(c[Campo::Cel], QString("98888-7777"));
    QCOMPARE(c[Campo::Ddd], QString("31"));
    QCOMPARE(c[Campo::Telemp], QString("3222-1111"));
    QCOMPARE(c[Campo::Email], QString("cecilia@exemplo.com"));
    QCOMPARE(c[Campo::Endereco], QString("Rua da Bahia, 10"));
    QCOMPARE(c[Campo::Cidade], QString("Belo Horizonte"));
    QCOMPARE(c[Campo::Nascimento], QString());
    QCOMPARE(c[Campo::Empresa], QString("Acme"));
    QCOMPARE(c[Campo::Adicional].split('\n'),
             QStringList({"Linha 1", "Linha \"2\"", "Apelido: Ciça", "Aniversário: 08/07",
                          "Grupos: Família", "Cargo: Analista", "E-mail: cici@exemplo.com",
                          "País: Brasil"}));

    // The old export, in UTF-16 with its mark.
    const QString antigo =
        "Name,Given Name,Family Name,E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,"
        "Phone 1 - Value,Custom Column\r\nJoão Silva,João,Silva,* Other,joao@x.example,Home Fax,"
        "1133334444,valor\r\n";
    QByteArray utf16("\xFF\xFE");
    utf16 += QByteArray(reinterpret_cast<const char*>(antigo.utf16()), antigo.size() * 2);
    l = formatos::csv::ler(utf16);
    QCOMPARE(l.itens.size(), 1);
    c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("João Silva"));
    QCOMPARE(c[Campo::Fax], QString("33334444"));
    QCOMPARE(c[Campo::Adicional], QString("Custom Column: valor\nE-mail: joao@x.example"));
}

void TstFormatos::csvDoOutlookEmPontoEVirgula() {
    // Outlook in a Brazilian Windows: semicolons, Windows-1252, month-first English dates.
    const QByteArray f =
        "First Name;Last Name;Title;Company;Business Phone;Home Phone;Mobile Phone;"
        "E-mail Address;Home Street;Home City;Home State;Home Postal Code;Business Street;"
        "Business City;Birthday;Notes;Priority;Sensitivity;Gender\r\n"
        "Fl\xE1via;Gon\xE7\x61lves;Dra.;Cl\xEDnica;(81) 3030-1010;;81 99911-2233;"
        "flavia@clinica.example;Rua do Sol, 5;Recife;PE;50000-000;Av. Boa Viagem 100;"
        "Recife;5/17/1980;Prefere \x93WhatsApp\x94;Normal;Normal;Unspecified\r\n"
        ";;;;;;;;;;;;;;;;;;\r\n";
    const auto l = formatos::csv::ler(f);
    QCOMPARE(l.itens.size(), 1);
    const Contato& c = l.itens.first();
    QCOMPARE(c[Campo::Nome], QString("Dra. Flávia Gonçalves"));
    QCOMPARE(c[Campo::Empresa], QString("Clínica"));
    QCOMPARE(c[Campo::Ddd], QString("81"));
    QCOMPARE(c[Campo::Telemp], QString("3030-1010"));
    QCOMPARE(c[Campo::Cel], QString("99911-2233"));
    QCOMPARE(c[Campo::Endereco], QString("Rua do Sol, 5"));
    QCOMPARE(c[Campo::Nascimento], QString("1980/05/17"));
    QCOMPARE(
        c[Campo::Adicional],
        QString::fromUtf8("Prefere “WhatsApp”\nEndereço comercial: Av. Boa Viagem 100, Recife"));
}

void TstFormatos::csvProprioIdaEVolta() {
    Contato c;
    for (int i = 0; i < formatos::kCampos; ++i)
        c.valores[std::size_t(i)] = QString("v%1 ; \"x\", ç").arg(i);
    c[Campo::Ddd] = "11";
    c[Campo::Tel] = "3333-4444";
    c[Campo::Nascimento] = "2001/02/03";
    c[Campo::Adicional] = "a\r\nb";
    QByteArray f = formatos::csv::cabeca();
    formatos::csv::escrever(c, f);
    QVERIFY(f.startsWith("\xEF\xBB\xBFNome;DDD;Telefone;Celular;"));
    QVERIFY(f.contains(";03/02/2001;"));
    const auto l = formatos::csv::ler(f);
    QCOMPARE(l.itens.size(), 1);
    for (int i = 0; i < formatos::kCampos; ++i)
        QCOMPARE(l.itens.first().valores[std::size_t(i)], c.valores[std::size_t(i)]);
}

void TstFormatos::csvAspaSemFimEhIlegivel() {
    const auto l = formatos::csv::ler("Nome;Telefone\nAna;1\nBia;\"2\nCaio;3\n");
    QCOMPARE(l.itens.size(), 1);
    QCOMPARE(l.ilegiveis, 1);
    QCOMPARE(l.linhaIlegivel, 3);
    QVERIFY(!formatos::csv::ler("so uma coluna\nvalor\n").reconhecido);
    QVERIFY(!formatos::csv::ler(QByteArray("PK\x03\x04\x00\x00", 6)).reconhecido);
}

void TstFormatos::icsDoGoogleComZonaERecorrencia() {
    const QByteArray f = crlf(
        "BEGIN:VCALENDAR\n"
        "PRODID:-//Google Inc//Google Calendar 70.9054//EN\n"
        "VERSION:2.0\n"
        "BEGIN:VTIMEZONE\n"
        "TZID:America/New_York\n"
        "BEGIN:STANDARD\n"
        "TZOFFSETFROM:-0400\n"
        "TZOFFSETTO:-0500\n"
        "TZNAME:EST\n"
        "DTSTART:19701101T020000\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\n"
        "END:STANDARD\n"
        "BEGIN:DAYLIGHT\n"
        "TZOFFSETFROM:-0500\n"
        "TZOFFSETTO:-0400\n"
        "TZNAME:EDT\n"
        "DTSTART:19700308T020000\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\n"
        "END:DAYLIGHT\n"
        "END:VTIMEZONE\n"
        "BEGIN:VEVENT\n"
        "DTSTART;TZID=America/New_York:20240115T090000\n"
        "DTEND;TZID=America/New_York:20240115T100000\n"
        "RRULE:FREQ=WEEKLY;COUNT=10;BYDAY=MO,WE\n"
        "UID:abc@google.com\n"
        "SUMMARY:Reunião semanal\n"
        "LOCATION:Sala 3\\, 2º andar\n"
        "DESCRIPTION:Pauta\\nitens\n"
        "END:VEVENT\n"
        "BEGIN:VEVENT\n"
        "DTSTART;TZID=America/New_York:20240117T090000\n"
        "RECURRENCE-ID;TZID=America/New_York:20240117T090000\n"
        "UID:abc@google.com\n"
        "SUMMARY:Reunião semanal (mudada)\n"
        "END:VEVENT\n"
        "BEGIN:VEVENT\n"
        "DTSTART:20240301T150000Z\n"
        "SUMMARY:Em UTC\n"
        "END:VEVENT\n"
        "BEGIN:VEVENT\n"
        "DTSTART;VALUE=DATE:20240421\n"
        "SUMMARY:Tiradentes\n"
        "END:VEVENT\n"
        "BEGIN:VEVENT\n"
        "SUMMARY:Sem data\n"
        "END:VEVENT\n"
        "BEGIN:VTODO\n"
        "SUMMARY:Tarefa\n"
        "END:VTODO\n"
        "END:VCALENDAR\n");
    const auto l = formatos::icalendar::ler(f);
    QVERIFY(l.reconhecido);
    QCOMPARE(l.itens.size(), 3);
    QCOMPARE(l.outros, 2);
    QCOMPARE(l.ilegiveis, 1);
    QCOMPARE(l.linhaIlegivel, 44);
    const auto& e = l.itens[0];
    // 09:00 in New York is 11:00 in São Paulo in January.
    QCOMPARE(e.data, QDate(2024, 1, 15));
    QCOMPARE(e.hora, QString("11:00"));
    QCOMPARE(e.titulo, QString("Reunião semanal"));
    QCOMPARE(e.local, QString("Sala 3, 2º andar"));
    QCOMPARE(e.descricao, QString("Pauta\nitens\nRepete: toda semana (seg, qua), 10 vezes"));
    QCOMPARE(l.itens[1].hora, QString("12:00"));
    QCOMPARE(l.itens[2].data, QDate(2024, 4, 21));
    QCOMPARE(l.itens[2].hora, QString());
    QVERIFY(!formatos::icalendar::ler("BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\n").reconhecido);
}

void TstFormatos::icsDoOutlookComZonaDoWindows() {
    const QByteArray f = crlf(
        "BEGIN:VCALENDAR\n"
        "PRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN\n"
        "VERSION:2.0\n"
        "BEGIN:VEVENT\n"
        "DTSTART;TZID=\"GMT Standard Time\":20240610T140000\n"
        "SUMMARY:Ligação para Londres\n"
        "END:VEVENT\n"
        "END:VCALENDAR\n");
    const auto l = formatos::icalendar::ler(f);
    QCOMPARE(l.itens.size(), 1);
    // 14:00 in London in June (BST) is 10:00 in São Paulo.
    QCOMPARE(l.itens[0].hora, QString("10:00"));
}

void TstFormatos::icsEscritoLidoPeloLibical() {
    QList<formatos::Evento> eventos(3);
    eventos[0] = {QDate(2024, 7, 9), "14:30 ", "Dentista", "Rua X, 1 ", "Levar exames ", 7, 0};
    eventos[1] = {QDate(2024, 12, 25), " ", "Natal", " ", " ", 8, 0};
    eventos[2] = {QDate(2024, 8, 1), "à tarde ", "Visita", " ", "Confirmar", 9, 0};
    const QDateTime carimbo(QDate(2024, 5, 3), QTime(14, 5, 9));
    const QByteArray f =
        formatos::icalendar::escrever(eventos, "America/Sao_Paulo", "/tmp/dados.mde", carimbo);
    QCOMPARE(
        f, formatos::icalendar::escrever(eventos, "America/Sao_Paulo", "/tmp/dados.mde", carimbo));
    icalcomponent* cal = icalparser_parse_string(f.constData());
    QVERIFY(cal);
    QVERIFY(icalcomponent_get_first_component(cal, ICAL_VTIMEZONE_COMPONENT));
    icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(ev)), QString("Dentista"));
    QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(ev)).left(10), QString("varnelo-7-"));
    const icaltimetype ini = icalcomponent_get_dtstart(ev);
    QVERIFY(ini.zone);
    QCOMPARE(QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(ini, ini.zone))
                 .toTimeZone(QTimeZone("UTC"))
                 .time(),
             QTime(17, 30));
    ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT);
    QVERIFY(icalcomponent_get_dtstart(ev).is_date);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_location(ev)), QString());
    ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_description(ev)),
             QString("Confirmar\nHora: à tarde"));
    icalcomponent_free(cal);

    // Without a zone to describe, the moment goes in UTC.
    for (const char* zona : {"UTC", "Nenhum/Lugar", ""}) {
        const QByteArray utc = formatos::icalendar::escrever(eventos.mid(0, 1), zona, "x", carimbo);
        QVERIFY2(utc.contains("DTSTART:20240709T173000Z") && !utc.contains("VTIMEZONE"), zona);
    }

    const auto volta = formatos::icalendar::ler(f);
    QCOMPARE(volta.itens.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(volta.itens[i].data, eventos[i].data);
        QCOMPARE(volta.itens[i].hora, eventos[i].hora.trimmed());
        QCOMPARE(volta.itens[i].titulo, eventos[i].titulo.trimmed());
        QCOMPARE(volta.itens[i].local, eventos[i].local.trimmed());
        QCOMPARE(volta.itens[i].descricao, eventos[i].descricao.trimmed());
    }
}

QTEST_GUILESS_MAIN(TstFormatos)
#include "tst_formatos.moc"
