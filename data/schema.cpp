#include "data/schema.h"

#include <QFile>
#include <QFileInfo>

#include "data/sqlite.h"

namespace schema {
namespace {

// Text columns sort and compare the Brazilian way; dates stay plain text so that
// "yyyy/mm/dd" compares in date order.
constexpr const char* kTabelas = R"sql(
CREATE TABLE agenda (
  nome TEXT COLLATE PTBR, ddd TEXT COLLATE PTBR, tel TEXT COLLATE PTBR,
  cel TEXT COLLATE PTBR, nextel TEXT COLLATE PTBR, fax TEXT COLLATE PTBR,
  msn TEXT COLLATE PTBR, skype TEXT COLLATE PTBR, estado TEXT COLLATE PTBR,
  cidade TEXT COLLATE PTBR, bairro TEXT COLLATE PTBR, cep TEXT COLLATE PTBR,
  endereco TEXT COLLATE PTBR, email TEXT COLLATE PTBR, site TEXT COLLATE PTBR,
  nascimento TEXT, empresa TEXT COLLATE PTBR, telemp TEXT COLLATE PTBR,
  faxemp TEXT COLLATE PTBR, emailemp TEXT COLLATE PTBR, siteemp TEXT COLLATE PTBR,
  adicional TEXT COLLATE PTBR, local TEXT);
CREATE INDEX agenda_nome ON agenda (nome);
CREATE TABLE uteis (descricao TEXT COLLATE PTBR, telefone TEXT COLLATE PTBR);
CREATE INDEX uteis_descricao ON uteis (descricao);
CREATE TABLE anotacoes (Titulo TEXT COLLATE PTBR, anotacoes TEXT COLLATE PTBR);
CREATE INDEX anotacoes_titulo ON anotacoes (Titulo);
CREATE TABLE senhas (descricao TEXT COLLATE PTBR, senha TEXT COLLATE PTBR,
  adicionais TEXT COLLATE PTBR);
CREATE INDEX senhas_descricao ON senhas (descricao);
CREATE TABLE compromisso (id INTEGER PRIMARY KEY AUTOINCREMENT, Data TEXT, hora TEXT,
  Titulo TEXT COLLATE PTBR, local TEXT COLLATE PTBR, descricao TEXT COLLATE PTBR);
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

bool criarArquivo(const QString& caminho, const QString& senha) {
    if (QFileInfo::exists(caminho))
        return false;
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
