#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <vector>

#include "data/arquivos.h"
#include "data/banco.h"
#include "data/lotes.h"
#include "data/regras.h"
#include "data/sqlite.h"
#include "formats/csv.h"
#include "formats/vcard.h"
#include "transfer/comum.h"
#include "transfer/transferencia.h"
#include "ui/dialogs.h"
#include "ui/principal.h"

namespace transferencia {
namespace {

using formatos::Campo;
using formatos::Contato;

const QString kImportar = QStringLiteral("Importar contatos");
const QString kExportar = QStringLiteral("Exportar contatos");
// The picture a contact is shown with is read whole; a bigger file is no picture.
constexpr qint64 kMaiorFoto = 32 * 1024 * 1024;

Campo campoDaColuna(const char* coluna) {
    static const QHash<QString, Campo> h = [] {
        QHash<QString, Campo> m;
        for (int i = 0; i < formatos::kCampos; ++i)
            m.insert(QString::fromLatin1(formatos::coluna(Campo(i))), Campo(i));
        return m;
    }();
    return h.value(QString::fromLatin1(coluna), Campo::Adicional);
}

QString digitos(const QString& t) {
    QString r;
    for (const QChar c : t)
        if (c.isDigit())
            r += c;
    return r;
}

// A contact's telephones by their digits and its e-mail addresses in lower case, the empty
// ones left out.
struct Marcas {
    QStringList telefones;
    QStringList emails;
    bool vazio() const { return telefones.isEmpty() && emails.isEmpty(); }
    bool mesmo(const Marcas& o) const {
        if (vazio() && o.vazio())
            return true;  // nothing else tells two contacts of one name apart
        for (const QString& t : telefones)
            if (o.telefones.contains(t))
                return true;
        for (const QString& e : emails)
            if (o.emails.contains(e))
                return true;
        return false;
    }
};

Marcas marcas(const QStringList& telefones, const QStringList& emails) {
    Marcas m;
    // The last eight digits: a number is the same with or without its area code and the
    // ninth digit of mobiles.
    for (const QString& t : telefones)
        if (const QString d = digitos(t); !d.isEmpty())
            m.telefones << d.right(8);
    for (const QString& e : emails)
        if (const QString x = regras::aparado(e).toLower(); !x.isEmpty())
            m.emails << x;
    return m;
}

// The stored contacts by name, and the new ones as they are accepted.
class Cadastro {
public:
    explicit Cadastro(db::Database& banco) {
        for (const lotes::ContatoGuardado& c : lotes::contatosGuardados(banco))
            porNome_[chave(c.nome)].append(marcas(c.telefones, c.emails));
    }
    // False when the contact is there already; otherwise it counts as there from now on.
    bool aceitar(const QString& nome, const Marcas& m) {
        QList<Marcas>& mesmos = porNome_[chave(nome)];
        for (const Marcas& o : mesmos)
            if (o.mesmo(m))
                return false;
        mesmos.append(m);
        return true;
    }

private:
    // A name typed in other letter case or with other blanks is the same name.
    static QString chave(const QString& nome) { return nome.simplified().toCaseFolded(); }
    QHash<QString, QList<Marcas>> porNome_;
};

// The picture saved beside the database, named by its content so that importing it again
// reuses the file; the path, or empty text when it could not be written.
QString salvarFoto(const Contato& c, QStringList& criadas) {
    const QDir pasta(QFileInfo(banco::caminhoBanco(banco::arquivobanco))
                         .absoluteDir()
                         .filePath(QStringLiteral("fotos")));
    if (!pasta.exists() && !QDir().mkpath(pasta.path()))
        return {};
    const QString nome =
        QString::fromLatin1(
            QCryptographicHash::hash(c.foto, QCryptographicHash::Sha1).toHex().left(20)) +
        QLatin1Char('.') + c.extensaoFoto;
    const QString caminho = pasta.absoluteFilePath(nome);
    if (QFileInfo(caminho).isFile() && QFileInfo(caminho).size() == c.foto.size())
        return caminho;
    const QString erro = arquivos::gravarInteiro(caminho, [&c](QFileDevice& f) {
        return f.write(c.foto) == c.foto.size() ? QString() : f.errorString();
    });
    if (!erro.isEmpty())
        return {};
    criadas << caminho;
    return caminho;
}

// The row as the contact form adds it. What is longer than its box takes is cut there and
// kept whole in the additional information.
QList<gravacao::Valor> linha(Contato c) {
    for (const categoria::ColunaGravada& g : categoria::colunasGravadas(Categoria::Agenda)) {
        const Campo campo = campoDaColuna(g.coluna);
        if (const QString v = regras::aparado(c[campo]); g.maximo > 0 && v.size() > g.maximo) {
            c.acrescentar(QString::fromUtf8(formatos::cabecalho(campo)), v);
            c[campo] = v.left(g.maximo);
        }
    }
    QList<gravacao::Valor> r;
    for (const categoria::ColunaGravada& g : categoria::colunasGravadas(Categoria::Agenda)) {
        QString v = c[campoDaColuna(g.coluna)];
        if (QLatin1String(g.coluna) == QLatin1String("local") && v.isEmpty())
            v = QStringLiteral("nenhum");
        r.append({QString::fromLatin1(g.coluna), regras::aplicar(g.regra, v), {}});
    }
    return r;
}

formatos::Leitura<Contato> lerContatos(const QString& arquivo, const QByteArray& bytes) {
    const QString sufixo = QFileInfo(arquivo).suffix().toLower();
    const bool pareceVcard = bytes.left(4096).toUpper().contains("BEGIN:VCARD");
    if (sufixo == QLatin1String("csv") && !pareceVcard)
        return formatos::csv::ler(bytes);
    if (pareceVcard || sufixo == QLatin1String("vcf") || sufixo == QLatin1String("vcard"))
        return formatos::vcard::ler(bytes);
    formatos::Leitura<Contato> r = formatos::csv::ler(bytes);
    if (!r.reconhecido)
        r.motivo = QStringLiteral("não é um arquivo de contatos (vCard ou CSV)");
    return r;
}

// A stored contact, its columns found by name once for the whole reading.
class Leitor {
public:
    Contato operator()(const db::Statement& st) {
        if (indices_.empty())
            for (int i = 0; i < formatos::kCampos; ++i)
                indices_.push_back(st.columnIndex(QString::fromLatin1(formatos::coluna(Campo(i)))));
        Contato c;
        for (int i = 0; i < formatos::kCampos; ++i) {
            const int k = indices_[std::size_t(i)];
            if (k >= 0 && !st.isNull(k))
                c.valores[std::size_t(i)] = st.text(k);
        }
        if (regras::aparado(c[Campo::Local]) == QLatin1String("nenhum"))
            c[Campo::Local].clear();
        return c;
    }

private:
    std::vector<int> indices_;
};

}  // namespace

void importarContatos(ui::Principal& janela, const QString& escolhido) {
    const Importacao imp{kImportar,
                         QStringLiteral("Contatos (vCard ou planilha)|*.vcf;*.vcard;*.csv|"
                                        "Todos os arquivos|*"),
                         QStringLiteral("contatos"),
                         QStringLiteral("Deseja gravar os %1 contatos novos na agenda?"),
                         QStringLiteral("Grupos de contatos deixados de fora"),
                         Categoria::Agenda};
    db::Database* banco = nullptr;
    const std::optional<formatos::Leitura<Contato>> lidos =
        lerImportacao<Contato>(imp, escolhido, lerContatos, banco);
    if (!lidos)
        return;
    Contagem conta = contar(*lidos);
    QList<const Contato*> novos;
    try {
        Cadastro cadastro(*banco);
        for (const Contato& c : lidos->itens) {
            const QString nome =
                regras::aplicar(regras::Regra::AparadoSemApostrofos, c[Campo::Nome]);
            const Marcas m = marcas({c[Campo::Tel], c[Campo::Cel], c[Campo::Telemp],
                                     c[Campo::Nextel], c[Campo::Fax], c[Campo::Faxemp]},
                                    {c[Campo::Email], c[Campo::Emailemp]});
            if (cadastro.aceitar(nome, m))
                novos << &c;
            else
                ++conta.cadastrados;
        }
    } catch (const db::DbError& e) {
        falhaImportacao(kImportar, e.descricao());
        return;
    }
    conta.novos = int(novos.size());
    if (!confirmar(imp, conta))
        return;

    QStringList fotosCriadas;
    QList<QList<gravacao::Valor>> linhas;
    linhas.reserve(novos.size());
    for (const Contato* c : novos) {
        Contato copia;
        const Contato* fonte = c;
        if (!c->foto.isEmpty()) {
            copia = *c;
            copia[Campo::Local] = salvarFoto(*c, fotosCriadas);
            if (copia[Campo::Local].isEmpty())
                copia.acrescentar(QStringLiteral("Foto"),
                                  QStringLiteral("não pôde ser gravada ao lado do banco de dados"));
            fonte = &copia;
        }
        linhas << linha(*fonte);
    }
    if (!gravarNovas(janela, *banco, imp, linhas))
        for (const QString& f : fotosCriadas)
            QFile::remove(f);
}

void exportarContatos(ui::Principal& janela, Formato formato) {
    const bool vcard = formato == Formato::Vcard;
    const std::optional<Exportacao> exp = abrirExportacao(
        janela, Categoria::Agenda, kExportar,
        QStringLiteral("A lista de contatos está vazia: não há o que exportar."),
        vcard ? QStringLiteral("vCard (*.vcf)|*.vcf") : QStringLiteral("Planilha (*.csv)|*.csv"),
        vcard ? QStringLiteral("contatos.vcf") : QStringLiteral("contatos.csv"));
    if (!exp)
        return;
    int escritos = 0;
    QString erro;
    {
        Progresso progresso(janela.barraProgresso(Categoria::Agenda), int(exp->registros.size()));
        erro = gravarArquivo(exp->destino, [&](Bloco& bloco) {
            if (!vcard)
                bloco.dados += formatos::csv::cabeca();
            bool ok = true;
            Leitor doRegistro;
            try {
                lotes::lerRegistros(
                    *exp->banco, Categoria::Agenda, exp->registros, [&](const db::Statement& st) {
                        const Contato c = doRegistro(st);
                        if (vcard) {
                            const QString local = c[Campo::Local].trimmed();
                            const QByteArray foto = local.isEmpty()
                                                        ? QByteArray()
                                                        : arquivos::lerRegular(local, kMaiorFoto)
                                                              .value_or(QByteArray());
                            formatos::vcard::escrever(c, foto, bloco.dados);
                        } else {
                            formatos::csv::escrever(c, bloco.dados);
                        }
                        ok = ok && bloco.soltar();
                        progresso.passo(++escritos);
                    });
            } catch (const db::DbError& e) {
                return e.descricao();
            }
            return ok ? QString() : QStringLiteral("o arquivo recusou a gravação");
        });
    }
    if (!erro.isEmpty()) {
        dialogs::mostrarErro(erro);
        return;
    }
    dialogs::mensagem(dialogs::Icone::Informacao, kExportar,
                      QStringLiteral("%1 contatos exportados com sucesso!").arg(escritos));
}

}  // namespace transferencia
