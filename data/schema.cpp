#include "data/schema.h"

#include <QFile>
#include <QFileInfo>

#include "data/arquivos.h"
#include "data/sqlite.h"

namespace schema {
namespace {

// Text columns are declared NOCASE so that any SQLite shell reads and writes the
// file; the program's connections put the Brazilian comparison under that name.
// No index rests on them, since a shell would order such an index differently.
// Dates stay plain text so that "yyyy/mm/dd" compares in date order.
constexpr const char* kTabelas = R"sql(
CREATE TABLE agenda (
  nome TEXT COLLATE NOCASE, ddd TEXT COLLATE NOCASE, tel TEXT COLLATE NOCASE,
  cel TEXT COLLATE NOCASE, nextel TEXT COLLATE NOCASE, fax TEXT COLLATE NOCASE,
  msn TEXT COLLATE NOCASE, skype TEXT COLLATE NOCASE, estado TEXT COLLATE NOCASE,
  cidade TEXT COLLATE NOCASE, bairro TEXT COLLATE NOCASE, cep TEXT COLLATE NOCASE,
  endereco TEXT COLLATE NOCASE, email TEXT COLLATE NOCASE, site TEXT COLLATE NOCASE,
  nascimento TEXT, empresa TEXT COLLATE NOCASE, telemp TEXT COLLATE NOCASE,
  faxemp TEXT COLLATE NOCASE, emailemp TEXT COLLATE NOCASE, siteemp TEXT COLLATE NOCASE,
  adicional TEXT COLLATE NOCASE, local TEXT);
CREATE TABLE uteis (descricao TEXT COLLATE NOCASE, telefone TEXT COLLATE NOCASE);
CREATE TABLE anotacoes (Titulo TEXT COLLATE NOCASE, anotacoes TEXT COLLATE NOCASE);
CREATE TABLE senhas (descricao TEXT COLLATE NOCASE, senha TEXT COLLATE NOCASE,
  adicionais TEXT COLLATE NOCASE);
CREATE TABLE compromisso (id INTEGER PRIMARY KEY AUTOINCREMENT, Data TEXT, hora TEXT,
  Titulo TEXT COLLATE NOCASE, local TEXT COLLATE NOCASE, descricao TEXT COLLATE NOCASE);
CREATE INDEX compromisso_data ON compromisso (Data, hora);
CREATE TABLE login (ID INTEGER PRIMARY KEY, login TEXT, senha TEXT, email TEXT,
  login_inicia TEXT);
CREATE TABLE CamposEtiqueta ([Index] INTEGER PRIMARY KEY, Campo TEXT, [Top] REAL,
  [Left] REAL, Width REAL, Formato TEXT);
)sql";

// Twips of the label design in millimetres; 65 mm fits the narrowest label (69.8 mm).
double mm(int twips) {
    return twips * 25.4 / 1440.0;
}

}  // namespace

void criar(db::Database& banco) {
    banco.execScript(QStringLiteral("BEGIN;") + QString::fromUtf8(kTabelas));
    banco.exec(QStringLiteral("INSERT INTO login (ID, login, senha, email, login_inicia) "
                              "VALUES (1, ?, ?, ?, '0')"),
               {QString::fromUtf8(kLoginInicial), QString::fromUtf8(kSenhaInicial), QString()});
    struct Campo {
        int index;
        const char* campo;
        int top;
        const char* formato;
    };
    const Campo campos[] = {{0, "Nome", 240, ""},
                            {1, "endereco", 480, ""},
                            {2, "bairro", 720, ""},
                            {3, "cep", 1200, "#####-###"},
                            {4, "cidade", 960, ""}};
    for (const Campo& c : campos) {
        banco.exec(QStringLiteral("INSERT INTO CamposEtiqueta ([Index], Campo, [Top], [Left], "
                                  "Width, Formato) VALUES (?, ?, ?, ?, ?, ?)"),
                   {c.index, QString::fromUtf8(c.campo), mm(c.top), mm(240), 65.0,
                    QString::fromUtf8(c.formato)});
    }
    banco.execScript(QStringLiteral("COMMIT;"));
}

const QString kNaoEhDoVarnelo =
    QStringLiteral("o arquivo escolhido não é um banco de dados do Varnelo");

void verificarTabelas(db::Database& banco) {
    db::Statement st = banco.prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) IN "
        "('agenda', 'uteis', 'anotacoes', 'senhas', 'compromisso', 'login', 'camposetiqueta')"));
    if (!st.next() || st.value(0).toInt() != 7)
        throw db::DbError::naoEhBanco(kNaoEhDoVarnelo);
}

void verificarArquivo(const QString& caminho, const QString& senha) {
    if (!QFileInfo(caminho).isFile())
        throw db::DbError::inacessivel();
    db::Database banco;
    banco.openReadOnly(caminho, senha);
    verificarTabelas(banco);
    // A copy cut short still shows its tables; only reading every page tells.
    db::Statement verificacao = banco.prepare(QStringLiteral("PRAGMA quick_check"));
    if (!verificacao.next() || verificacao.text(0) != QLatin1String("ok"))
        throw db::DbError::naoEhBanco(kNaoEhDoVarnelo);
}

bool criarArquivo(const QString& caminho, const QString& senha) {
    if (QFileInfo::exists(caminho))
        return false;
    // Laid empty first, readable by its user alone: the engine keeps the mode of a file that
    // exists, and gives its journal the same.
    if (!arquivos::criarPrivado(caminho))
        throw db::DbError::inacessivel();
    try {
        db::Database banco;
        banco.create(caminho, senha);
        criar(banco);
    } catch (const db::DbError&) {
        // A half-laid file would pass for a database later.
        QFile::remove(caminho);
        throw;
    }
    return true;
}

}  // namespace schema
