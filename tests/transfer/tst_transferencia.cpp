#include <libical/ical.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QUrl>

#include "../app/apoio.h"
#include "ambiente_teste.h"
#include "apoio_testes.h"
#include "data/regras.h"
#include "dialogos_roteiro.h"

namespace {

using dialogs::Resposta;

const QByteArray kJpeg =
    QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00", 14) + QByteArray(500, '\x37');

const QString kContatos = "SELECT * FROM agenda ORDER BY nome";

void gravar(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

QByteArray crlf(const QByteArray& t) {
    return QByteArray(t).replace("\n", "\r\n");
}

// Runs a menu entry answering its file dialog with `arquivo` and its questions in order.
void acionar(frmprincipal& w, DialogosRoteiro& dlg, const char* entrada, const QString& arquivo,
             QList<Resposta> respostas = {}) {
    dlg.arquivos << arquivo;
    for (Resposta r : respostas)
        dlg.respostas << r;
    auto* a = w.findChild<QAction*>(entrada);
    QVERIFY2(a, entrada);
    a->trigger();
}

// A phone's export, an iPhone's card and a broken one, with a contact stored already.
QByteArray vcfMisturado() {
    return crlf(
        "BEGIN:VCARD\n"
        "VERSION:2.1\n"
        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Concei=C3=A7=C3=A3o;Jos=C3=A9;;;\n"
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Jos=C3=A9 Concei=C3=A7=C3=A3o\n"
        "TEL;CELL:+55 11 98765-4321\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Vizinho do pr=C3=A9dio=0D=0Aapto 3=\n"
        "2\n"
        "PHOTO;ENCODING=BASE64;JPEG:" +
        kJpeg.toBase64() +
        "\n"
        "\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Ana Sá\n"
        "TEL;TYPE=HOME:3333-4444\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Patrick O'Brien\n"
        "EMAIL;TYPE=INTERNET:patrick@exemplo.ie\n"
        "ADR;TYPE=HOME:;Centro;Rua Longa com um nome que passa de setenta e cinco octetos, n\n"
        " úmero 10;Niterói;RJ;24000-000;\n"
        "TITLE:Engenheiro\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Quebrado\n"
        "NOTE:começa aqui\n"
        "e continua sem a dobra\n"
        "END:VCARD\n"
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Patrick O'Brien\n"
        "EMAIL:PATRICK@exemplo.ie\n"
        "END:VCARD\n");
}

}  // namespace

class TstTransferencia : public QObject {
    Q_OBJECT
private slots:
    void init() { regras::fixarAgora(QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9))); }
    void cleanup() { regras::fixarAgora({}); }
    void importaCartoesContandoEGravandoComoOFormulario();
    void naoGravaNadaAoDizerNao();
    void arquivoQueNaoEhDeContatosNadaGrava();
    void falhaNaGravacaoNadaDeixaMeioGravado();
    void exportaAListaFiltradaEmVcard();
    void idaEVoltaPorVcardEPlanilha();
    void exportarRecusaOBancoEmUso();
    void calendarioDoGoogleEIdaEVolta();
    void arquivoSoltoNaJanelaImporta();
    void textoMaiorQueACaixaFicaInteiroNaDescricao();
};

void TstTransferencia::importaCartoesContandoEGravandoComoOFormulario() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // The same person, typed with her area code and in other letter case.
    amb.executar("INSERT INTO agenda (nome, tel) VALUES ('ana  sá', '(11) 3333-4444 ')");
    frmprincipal w;
    w.show();
    auto* barra = w.findChild<QProgressBar*>("barraagenda");
    int maximo = -1;
    QObject::connect(barra, &QProgressBar::valueChanged, [&](int v) {
        if (barra->isVisible())
            maximo = std::max(maximo, v);
    });
    const QString arquivo = amb.pasta() + "/contatos.vcf";
    gravar(arquivo, vcfMisturado());
    acionar(w, dlg, "mnuimportartel", arquivo, {Resposta::Sim});

    QCOMPARE(chamadas(dlg),
             QStringList(
                 {"abrir|Importar contatos|Contatos (vCard ou planilha)|*.vcf;*.vcard;*.csv|Todos "
                  "os arquivos|*",
                  "pergunta|Importar contatos|Lidos: 5\nNovos: 2\nJá cadastrados: 2\nIlegíveis: 1 "
                  "(o primeiro na linha 24)\n\nDeseja gravar os 2 contatos novos na agenda?|SimNao",
                  "informacao|Importar contatos|2 contatos importados com sucesso!"}));
    const QString foto =
        QDir(amb.pasta()).filePath("fotos/") +
        QCryptographicHash::hash(kJpeg, QCryptographicHash::Sha1).toHex().left(20) + ".jpg";
    QCOMPARE(ler(foto), kJpeg);
    // Padded as the form stores them; the apostrophe gone from the name as the form does.
    QCOMPARE(amb.linhas(kContatos),
             QStringList(
                 {"ana  sá|<null>|(11) 3333-4444 |<null>|<null>|<null>|<null>|<null>|<null>|<null>|"
                  "<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|"
                  "<null>|<null>",
                  "José Conceição|11 | |98765-4321 | | | | | | | | | | | | | | | | | |Vizinho do "
                  "prédio\r\napto 32 |" +
                      foto,
                  "Patrick OBrien| | | | | | | |RJ |Niterói |Centro |24000-000 |Rua Longa com um "
                  "nome que passa de setenta e cinco octetos, número 10 |patrick@exemplo.ie | | | "
                  "| | | | |Cargo: Engenheiro |nenhum"}));
    // The list shows them, the bar ran to its end and went, the cursor is back.
    QCOMPARE(coluna(w, Categoria::Agenda, 1),
             QStringList({"ana  sá", "José Conceição", "Patrick OBrien"}));
    QCOMPARE(maximo, 100);
    QVERIFY(barra->isHidden());
    QVERIFY(!QApplication::overrideCursor());

    // The same file again: all there already.
    dlg.limpar();
    acionar(w, dlg, "mnuimportartel", arquivo);
    QCOMPARE(ultimaMensagem(dlg),
             QString("informacao|Importar contatos|Não há contatos novos para gravar.\n\nLidos: "
                     "5\nNovos: 0\nJá cadastrados: 4\nIlegíveis: 1 (o primeiro na linha 24)"));
    QCOMPARE(amb.linhas(kContatos).size(), 3);
}

void TstTransferencia::naoGravaNadaAoDizerNao() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    const QString arquivo = amb.pasta() + "/contatos.vcf";
    gravar(arquivo, vcfMisturado());
    acionar(w, dlg, "mnuimportartel", arquivo, {Resposta::Nao});
    QCOMPARE(dlg.mensagens().size(), 1);
    QCOMPARE(amb.linhas(kContatos), QStringList());
    QVERIFY(!QDir(amb.pasta() + "/fotos").exists() || QDir(amb.pasta() + "/fotos").isEmpty());
    // Cancelling the file dialog asks nothing.
    dlg.limpar();
    acionar(w, dlg, "mnuimportartel", "");
    QCOMPARE(dlg.mensagens().size(), 0);
}

void TstTransferencia::arquivoQueNaoEhDeContatosNadaGrava() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    const QString png = amb.pasta() + "/foto.vcf";
    gravar(png, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + QByteArray(100, '\0'));
    acionar(w, dlg, "mnuimportartel", png);
    QCOMPARE(ultimaMensagem(dlg),
             QString("critico|Importar contatos|O arquivo escolhido não pôde ser importado: o "
                     "arquivo não contém nenhum cartão de contato (vCard). Nada foi gravado."));
    // A huge line of nothing, and a folder.
    const QString enorme = amb.pasta() + "/enorme.csv";
    gravar(enorme, "Nome;Telefone\n" + QByteArray(3 * 1024 * 1024, 'a') + ";1\n");
    dlg.limpar();
    acionar(w, dlg, "mnuimportartel", enorme, {Resposta::Nao});
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Pergunta);
    dlg.limpar();
    acionar(w, dlg, "mnuimportartel", amb.pasta());
    QCOMPARE(dlg.ultimaMensagem().icone, dialogs::Icone::Critico);
    QVERIFY(dlg.ultimaMensagem().texto.endsWith("Nada foi gravado."));
    QCOMPARE(amb.linhas(kContatos), QStringList());
}

void TstTransferencia::falhaNaGravacaoNadaDeixaMeioGravado() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    // The file refuses the second row, after the first one went in.
    amb.executar(
        "CREATE TRIGGER recusa BEFORE INSERT ON agenda WHEN NEW.nome = 'Patrick OBrien' "
        "BEGIN SELECT RAISE(ABORT, 'disco recusou a linha'); END");
    frmprincipal w;
    const QString arquivo = amb.pasta() + "/contatos.vcf";
    gravar(arquivo, vcfMisturado());
    acionar(w, dlg, "mnuimportartel", arquivo, {Resposta::Sim});
    QCOMPARE(ultimaMensagem(dlg), QString("critico|Importar contatos|Ocorreu o seguinte erro ao "
                                          "importar: disco recusou a linha. Nada foi gravado."));
    QCOMPARE(amb.linhas(kContatos), QStringList());
    QCOMPARE(w.linhas(Categoria::Agenda), 0);
    // The picture written for the rows that never came is gone too.
    QVERIFY(QDir(amb.pasta() + "/fotos").isEmpty());
}

void TstTransferencia::exportaAListaFiltradaEmVcard() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO agenda (nome, ddd, tel, cel, email, cidade, adicional, nascimento, local) "
        "VALUES ('Bruno; Irmãos, Ltda', '21 ', '2222-3333 ', ' ', 'b@x.example ', 'Rio ', "
        "'Linha 1' || char(10) || 'Linha 2 ', '1980/05/17 ', 'nenhum'), "
        "('Carla', ' ', ' ', ' ', ' ', 'Santos ', ' ', ' ', 'nenhum'), "
        "('Bruna', ' ', ' ', ' ', ' ', 'Rio ', ' ', ' ', 'nenhum')");
    frmprincipal w;
    w.findChild<QComboBox*>("cbonome")->setCurrentText("Cidade");
    w.findChild<QLineEdit*>("txtfiltro")->setText("Rio");
    QCOMPARE(w.linhas(Categoria::Agenda), 2);
    const QString arquivo = amb.pasta() + "/saida.vcf";
    acionar(w, dlg, "mnuvcftel", arquivo);
    QCOMPARE(chamadas(dlg),
             QStringList({"salvar|Exportar contatos|vCard (*.vcf)|*.vcf",
                          "informacao|Exportar contatos|2 contatos exportados com sucesso!"}));
    const QByteArray f = ler(arquivo);
    // Every line ends in CRLF and none passes 75 octets.
    QVERIFY(f.endsWith("END:VCARD\r\n"));
    for (const QByteArray& l : f.split('\n').mid(0, f.count('\n')))
        QVERIFY(l.endsWith('\r') && l.size() <= 76);
    QCOMPARE(f.count("BEGIN:VCARD\r\n"), 2);
    QVERIFY(f.contains("\r\nFN:Bruna\r\n"));
    QVERIFY(f.contains("\r\nFN:Bruno\\; Irmãos\\, Ltda\r\n"));
    QVERIFY(f.contains("\r\nTEL;TYPE=HOME,VOICE:(21) 2222-3333\r\n"));
    QVERIFY(f.contains("\r\nNOTE:Linha 1\\nLinha 2\r\n"));
    QVERIFY(f.contains("\r\nBDAY:1980-05-17\r\n"));
    QVERIFY(!f.contains("Carla"));
    QVERIFY(!f.contains("TEL;TYPE=CELL"));  // a padded empty value is no value
}

void TstTransferencia::idaEVoltaPorVcardEPlanilha() {
    QStringList original;
    const QString pasta = QDir::tempPath() + "/varnelo-idaevolta-" + QString::number(getpid());
    QDir().mkpath(pasta);
    const QString foto = pasta + "/rosto.jpg";
    gravar(foto, kJpeg);
    {
        AmbienteTeste amb;
        DialogosRoteiro dlg;
        amb.executar(
            "INSERT INTO agenda VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?)",
            {"Zé da Silva",
             "11 ",
             "3333-4444 ",
             "99999-0000 ",
             "55*12*99 ",
             "3333-4445 ",
             "ze@hotmail.example ",
             "ze.skype ",
             "SP ",
             "São Paulo ",
             "Sé ",
             "01000-000 ",
             "Praça da Sé, 1 ",
             "ze@x.example ",
             "http://ze.example ",
             "1970/01/31 ",
             "Zé & Cia ",
             "(21) 2121-2121 ",
             "2121-2122 ",
             "vendas@ze.example ",
             "http://cia.example ",
             "Gosta de; vírgulas, e \"aspas\"\nsegunda linha ",
             foto});
        // Saved by the form with only a name: every other column one blank.
        QVariantList soNome(23, " ");
        soNome[0] = "Só Nome";
        soNome[22] = "nenhum";
        amb.executar(
            "INSERT INTO agenda VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?)",
            soNome);
        // An area code without a number, and one written with the trunk 0.
        QVariantList soDdd(23, " ");
        soDdd[0] = "Só DDD";
        soDdd[1] = "21 ";
        soDdd[22] = "nenhum";
        QVariantList tronco = soDdd;
        tronco[0] = "Tronco";
        tronco[1] = "011 ";
        tronco[2] = "3333-4444 ";
        tronco[3] = "(21) 98888-7777 ";
        for (const QVariantList& l : {soDdd, tronco})
            amb.executar(
                "INSERT INTO agenda VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                "?, ?, ?, ?, ?, ?, ?, ?)",
                l);
        original = amb.linhas("SELECT * FROM agenda ORDER BY nome");
        frmprincipal w;
        acionar(w, dlg, "mnuvcftel", pasta + "/ida.vcf");
        acionar(w, dlg, "mnucsvtel", pasta + "/ida.csv");
        QCOMPARE(dlg.mensagens().size(), 2);
        QVERIFY(ler(pasta + "/ida.csv").startsWith("\xEF\xBB\xBFNome;DDD;Telefone;Celular;"));
    }
    for (const char* arquivo : {"/ida.vcf", "/ida.csv"}) {
        AmbienteTeste amb;
        DialogosRoteiro dlg;
        frmprincipal w;
        acionar(w, dlg, "mnuimportartel", pasta + arquivo, {Resposta::Sim});
        QStringList volta = amb.linhas("SELECT * FROM agenda ORDER BY nome");
        QCOMPARE(volta.size(), 4);
        // The picture comes back as a file of the new database's own, with the same bytes.
        const QString local = volta[3].section('|', -1);
        QCOMPARE(ler(local), kJpeg);
        if (QString(arquivo) == "/ida.vcf")
            volta[3] = volta[3].section('|', 0, -2) + '|' + foto;
        QCOMPARE(volta, original);
    }
    QDir(pasta).removeRecursively();
}

void TstTransferencia::exportarRecusaOBancoEmUso() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar("INSERT INTO agenda (nome) VALUES ('Ana')");
    amb.executar("INSERT INTO compromisso (Data, Titulo) VALUES ('2030/01/01', 'Ir')");
    const QByteArray antes = ler(amb.arquivo());
    frmprincipal w;
    for (const char* entrada : {"mnuvcftel", "mnucsvtel", "mnuexportarcomp"}) {
        dlg.limpar();
        acionar(w, dlg, entrada, amb.arquivo());
        QCOMPARE(ultimaMensagem(dlg),
                 QString("critico|Erro|Ocorreu o seguinte erro: o arquivo escolhido é o próprio "
                         "banco de dados em uso"));
    }
    QCOMPARE(ler(amb.arquivo()), antes);
}

void TstTransferencia::calendarioDoGoogleEIdaEVolta() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    amb.executar(
        "INSERT INTO compromisso (Data, hora, Titulo, local, descricao) VALUES "
        "('2024/06/10', '09:00 ', 'Já existe', ' ', ' ')");
    frmprincipal w;
    const QString ics = amb.pasta() + "/google.ics";
    gravar(ics, crlf("BEGIN:VCALENDAR\n"
                     "PRODID:-//Google Inc//Google Calendar 70.9054//EN\n"
                     "VERSION:2.0\n"
                     "BEGIN:VEVENT\n"
                     "DTSTART:20240610T120000Z\n"
                     "SUMMARY:Já existe\n"
                     "END:VEVENT\n"
                     "BEGIN:VEVENT\n"
                     "DTSTART;VALUE=DATE:20240704\n"
                     "RRULE:FREQ=YEARLY\n"
                     "SUMMARY:Aniversário da Ana\n"
                     "DESCRIPTION:Ligar cedo\n"
                     "END:VEVENT\n"
                     "BEGIN:VEVENT\n"
                     "DTSTART:20240801T173000Z\n"
                     "SUMMARY:Dentista\n"
                     "LOCATION:Rua X\\, 10\n"
                     "END:VEVENT\n"
                     "BEGIN:VTODO\n"
                     "SUMMARY:Comprar pão\n"
                     "END:VTODO\n"
                     "END:VCALENDAR\n"));
    acionar(w, dlg, "mnuimportarcomp", ics, {Resposta::Sim});
    QCOMPARE(
        chamadas(dlg),
        QStringList({"abrir|Importar calendário|Calendário (iCalendar)|*.ics;*.ical;*.ifb|"
                     "Todos os arquivos|*",
                     "pergunta|Importar calendário|Lidos: 3\nNovos: 2\nJá cadastrados: "
                     "1\nIlegíveis: 0\nOutros itens deixados de fora: 1\n\nDeseja gravar os 2 "
                     "compromissos novos?|SimNao",
                     "informacao|Importar calendário|2 compromissos importados com sucesso!"}));
    const QString todos =
        "SELECT Data, hora, Titulo, local, descricao FROM compromisso ORDER BY id";
    const QStringList esperado = {"2024/06/10|09:00 |Já existe| | ",
                                  "2024/07/04| |Aniversário da Ana| |Ligar cedo\nRepete: todo ano ",
                                  "2024/08/01|14:30 |Dentista|Rua X, 10 | "};
    QCOMPARE(amb.linhas(todos), esperado);
    QCOMPARE(w.linhas(Categoria::Compromisso), 3);

    // Out, read by libical, with the same UIDs each time.
    const QString saida = amb.pasta() + "/saida.ics";
    dlg.limpar();
    acionar(w, dlg, "mnuexportarcomp", saida);
    QCOMPARE(ultimaMensagem(dlg),
             QString("informacao|Exportar calendário|3 compromissos exportados com sucesso!"));
    const QByteArray primeira = ler(saida);
    acionar(w, dlg, "mnuexportarcomp", saida);
    QCOMPARE(ler(saida), primeira);
    icalcomponent* cal = icalparser_parse_string(primeira.constData());
    QVERIFY(cal);
    QCOMPARE(QString::fromUtf8(
                 icaltimezone_get_tzid(icaltimezone_get_builtin_timezone("America/Sao_Paulo")))
                 .isEmpty(),
             false);
    QVERIFY(icalcomponent_get_first_component(cal, ICAL_VTIMEZONE_COMPONENT));
    int eventos = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        ++eventos;
    QCOMPARE(eventos, 3);
    icalcomponent_free(cal);

    // Into an empty file it gives the same rows back.
    AmbienteTeste vazio;
    frmprincipal outra;
    acionar(outra, dlg, "mnuimportarcomp", saida, {Resposta::Sim});
    QCOMPARE(vazio.linhas(todos), esperado);
}

void TstTransferencia::arquivoSoltoNaJanelaImporta() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    w.show();
    const QString arquivo = amb.pasta() + "/planilha.csv";
    gravar(arquivo, "Nome;Telefone;E-mail\r\nDébora;(11) 3030-3030;debora@x.example\r\n");
    QMimeData dados;
    dados.setUrls({QUrl::fromLocalFile(arquivo), QUrl::fromLocalFile(amb.pasta() + "/nota.txt")});
    QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &entra);
    QVERIFY(entra.isAccepted());
    dlg.respostas << Resposta::Sim;
    QDropEvent solta(QPointF(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &solta);
    QCOMPARE(amb.linhas("SELECT nome, ddd, tel, email FROM agenda"),
             QStringList({"Débora|11 |3030-3030 |debora@x.example "}));
    // Something else dropped is refused.
    QMimeData outro;
    outro.setUrls({QUrl::fromLocalFile(amb.pasta() + "/nota.txt")});
    QDragEnterEvent recusa(QPoint(10, 10), Qt::CopyAction, &outro, Qt::LeftButton, Qt::NoModifier);
    recusa.setAccepted(false);
    QApplication::sendEvent(&w, &recusa);
    QVERIFY(!recusa.isAccepted());
}

void TstTransferencia::textoMaiorQueACaixaFicaInteiroNaDescricao() {
    AmbienteTeste amb;
    DialogosRoteiro dlg;
    frmprincipal w;
    const QString titulo = QString(160, QChar(0x00E9));
    const QString ics = amb.pasta() + "/longo.ics";
    gravar(ics, crlf("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20240704\n"
                     "SUMMARY:" +
                     titulo.toUtf8() + "\nEND:VEVENT\nEND:VCALENDAR\n"));
    acionar(w, dlg, "mnuimportarcomp", ics, {Resposta::Sim});
    // Cut where the form's box ends, whole in the description, as nothing is lost.
    QCOMPARE(amb.linhas("SELECT Titulo, descricao FROM compromisso"),
             QStringList({titulo.left(150) + "|Título: " + titulo + " "}));
    const QString vcf = amb.pasta() + "/ddd.csv";
    gravar(vcf, "Nome;DDD\r\nBeto;0xx11 45\r\n");
    acionar(w, dlg, "mnuimportartel", vcf, {Resposta::Sim});
    QCOMPARE(amb.linhas("SELECT ddd, adicional FROM agenda"),
             QStringList({"0xx11 |DDD: 0xx11 45 "}));
}

QTEST_MAIN(TstTransferencia)
#include "tst_transferencia.moc"
