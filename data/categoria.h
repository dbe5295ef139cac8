#pragma once

#include <span>

#include "data/regras.h"

// The five kinds of record, each kept in its own table.
enum class Categoria { Agenda, Compromisso, Senhas, Uteis, Anotacoes };

// Everything that tells one kind of record from another, in one place: its table and
// statements, how its list shows it, what the menus, exports, printouts, flows and entry
// forms call it. Every folder reads it here; none keeps a table of its own.
namespace categoria {

inline constexpr int kQuantidade = 5;

// How a list column shows its value.
enum class Exibicao {
    Contador,       // row number in query order
    Texto,          // the value as read; no value leaves the cell empty
    ComBranco,      // the value followed by one blank, so no value shows as a blank
    DataComBranco,  // a stored date shown "dd/mm/yyyy", followed by one blank
    Contagem,       // days from today to a stored date, then " dias"
};

struct Coluna {
    const char* cabecalho;
    int largura;  // hundredths of a millimetre; 0 hides the column
    const char* campo;
    Exibicao exibicao;
};

// A column the full list is sorted on, and whether it compares as the Brazilian reader
// expects (the NOCASE text columns) or byte for byte.
struct Ordem {
    const char* coluna;
    bool comoTexto;
};

// One text box of a simple entry form and how its column is written.
struct CampoSimples {
    const char* controle;  // the text box's name, e.g. txttitulo
    const char* coluna;
    regras::Regra regra;
    bool multilinha;
    const char* legenda;  // visible caption, also the screen readers' name
};

// A column of a row as the contact and appointment forms add it: the control it is written
// from and how. The imports store their rows by the same rules.
struct ColunaGravada {
    const char* coluna;
    const char* controle;
    regras::Regra regra;
    int maximo = 0;  // characters its box takes; 0: any number
};

// The note, password and useful-phone forms are made from this alone.
struct FormularioSimples {
    const char* objeto;
    const char* legendaJanela;  // at design; the flows set their own
    const char* tituloCabecalho;
    const char* linhaCabecalho;
    const char* legendaAdicionar;
    std::span<const CampoSimples> campos;  // the first is the key
    const char* rotuloChave;               // the hidden label holding the edit key
    const char* mensagemChaveVazia;
};

// What the add, edit and remove flows say.
struct Fluxo {
    const char* janelaAdicionar;  // nullptr: the form keeps its caption
    const char* acaoAdicionar;
    const char* janelaEditar;
    const char* acaoEditar;
    int colunaLista;       // list column holding the key
    int colunaPergunta;    // list column shown in the removal question
    const char* pergunta;  // followed by the shown column and " do banco de dados?"
    const char* sucesso;
};

struct Descricao {
    Categoria categoria;
    // The file.
    const char* tabela;
    const char* chave;             // the column a user knows a row by
    const char* consulta;          // statement of the full list, as the design writes it
    const char* registro;          // the column that tells the row's record: "rowid", or "id"
    std::span<const Ordem> ordem;  // the full list's order, for rows read past damage
    // The main window.
    std::span<const Coluna> colunas;
    const char* lista;  // the list widget
    const char* aba;    // tab caption as stored ("&&" shows one "&")
    const char* menu;   // context menu, the category's submenu
    const char* barra;  // export progress bar
    // Exports and printouts.
    const char* tituloHtml;  // of the save dialog
    const char* tituloTxt;
    const char* relatorio;        // heading of the exported file
    const char* tituloImpressao;  // of the printed list; nullptr: it prints its directory
    // Editing.
    Fluxo fluxo;
    const FormularioSimples* formulario;  // nullptr: a form of its own
};

const Descricao& descricao(Categoria c);
// The five in tab order: contacts, appointments, passwords, useful phones, notes.
std::span<const Descricao> todas();
Categoria daAba(int aba);

// The columns of a new contact or appointment in the order they are written; empty for the
// simple forms, whose fields say it (FormularioSimples).
std::span<const ColunaGravada> colunasGravadas(Categoria c);
// The characters the box `controle` of the category's form takes; 0: any number.
int maximo(Categoria c, const char* controle);

// Shorthands for the table and its key column.
const char* tabela(Categoria c);
const char* colunaChave(Categoria c);

}  // namespace categoria
