#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QTime>
#include <array>

// What other programs' contact and calendar files carry, as plain values: no widgets,
// no database. The readers never pad; the caller stores the values as the forms do.
namespace formatos {

// The columns of a contact, in the order of the table.
enum class Campo {
    Nome,
    Ddd,
    Tel,
    Cel,
    Nextel,
    Fax,
    Msn,
    Skype,
    Estado,
    Cidade,
    Bairro,
    Cep,
    Endereco,
    Email,
    Site,
    Nascimento,  // "yyyy/mm/dd", or empty
    Empresa,
    Telemp,
    Faxemp,
    Emailemp,
    Siteemp,
    Adicional,
    Local,  // the picture's path; empty when there is none
};
inline constexpr int kCampos = 23;

// The table's column name of a field, and its caption in a spreadsheet.
const char* coluna(Campo campo);
const char* cabecalho(Campo campo);

struct Contato {
    std::array<QString, kCampos> valores;
    // An inline picture as read (the reader's caller saves it), with its file extension.
    QByteArray foto;
    QString extensaoFoto;
    int linha = 0;  // where the contact begins in its file

    QString& operator[](Campo c) { return valores[std::size_t(c)]; }
    const QString& operator[](Campo c) const { return valores[std::size_t(c)]; }
    // A line "Label: value" of the additional information, for what has no column.
    void acrescentar(const QString& rotulo, const QString& valor);
};

struct Evento {
    QDate data;
    QString hora;  // "HH:mm", free text as stored, or empty for a whole day
    QString titulo;
    QString local;
    QString descricao;
    qint64 id = 0;  // the stored record, which makes the exported UID
    int linha = 0;
};

// What a reader made of a whole file.
template <class T>
struct Leitura {
    bool reconhecido = false;  // the file is of the format at all
    QString motivo;            // why not, when it is not
    QList<T> itens;
    int ilegiveis = 0;
    int linhaIlegivel = 0;  // the first unreadable entry's line
    int outros = 0;         // entries of other kinds, left out
    void ilegivel(int linha) {
        if (ilegiveis++ == 0)
            linhaIlegivel = linha;
    }
};

// The kinds a file gives a number, an address or a page, upper case as vCard writes them:
// HOME, WORK, CELL, FAX, PAGER, MAIN, OTHER...
using Tipos = QSet<QByteArray>;

// Puts a value where its kinds send it, as the first of its kind, and anything more on a
// line of its own in the additional information; a label of the user's own words (an
// entry of Apple's, a column of Google's) keeps an entry without a usual kind there too.
// A Brazilian number's area code goes to `ddd` while that is empty, and leaves every
// number that carries the same one.
void colocarTelefone(Contato& c, const QString& numero, const Tipos& tipos,
                     const QString& rotulo = {});
void colocarEmail(Contato& c, const QString& email, const Tipos& tipos, const QString& rotulo = {});
void colocarSite(Contato& c, const QString& site, const Tipos& tipos, const QString& rotulo = {});
// The first value of a column; another one goes to the additional information.
void colocar(Contato& c, Campo campo, const QString& valor, const QString& rotulo);
// Every column but the additional information on one line, as the form's fields hold them.
void acabar(Contato& c);

// A number as a Brazilian writes it: the area code of "+55 11 98765-4321", "(11)
// 3333-4444" or "011 3333-4444", and the rest as written. Empty area code when the
// number carries none or is not Brazilian.
struct Telefone {
    QString ddd;
    QString numero;
};
Telefone separarDdd(const QString& numero);
// Whether a number is one of eight or nine digits with no area code of its own.
bool numeroLocal(const QString& numero);

// A date given in one of the usual forms: ISO (with or without dashes, with a time after
// it), "dd/mm/yyyy" or, when `mesPrimeiro`, "mm/dd/yyyy". Invalid when there is no year.
QDate lerData(const QString& texto, bool mesPrimeiro = false);

// A day of the year given without its year ("--0517", "--05-17") as "17/05"; empty for
// anything else.
QString diaSemAno(const QString& texto);

// The bytes of a file as text: UTF-8 (with or without its mark), UTF-16 with its mark, or
// Windows-1252 when the bytes are not UTF-8.
QString decodificar(const QByteArray& bytes);
QString deWindows1252(QByteArrayView bytes);
bool utf8Valido(QByteArrayView bytes);

// The file extension of a picture by its first bytes; empty when it is none we show.
QString extensaoImagem(const QByteArray& bytes);

}  // namespace formatos
