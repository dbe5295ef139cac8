#include "data/categoria.h"

#include <QtGlobal>

namespace categoria {
namespace {

using E = Exibicao;
using regras::Regra;

constexpr Coluna kColunasAgenda[] = {
    {"ID", 0, nullptr, E::Contador},          {"Nome do contato", 6244, "nome", E::Texto},
    {"DDD", 1482, "ddd", E::Texto},           {"Telefone", 3246, "tel", E::Texto},
    {"Celular", 3246, "cel", E::Texto},       {"MSN", 2540, "msn", E::Texto},
    {"Skype", 2540, "skype", E::Texto},       {"Estado", 2893, "estado", E::Texto},
    {"Cidade", 3422, "cidade", E::Texto},     {"Bairro", 3598, "bairro", E::Texto},
    {"Endereço", 4128, "endereco", E::Texto}, {"E-mail", 3598, "email", E::Texto},
    {"Site", 3598, "site", E::Texto},
};
constexpr Coluna kColunasCompromisso[] = {
    {"ID", 0, "id", E::Texto},
    {"Data", 2187, "Data", E::DataComBranco},
    {"Hora", 2187, "hora", E::ComBranco},
    {"Título do compromisso", 6244, "Titulo", E::ComBranco},
    {"Local do compromisso", 6244, "local", E::ComBranco},
    {"Estatus", 2540, "Data", E::Contagem},
};
constexpr Coluna kColunasSenhas[] = {
    {"ID", 0, nullptr, E::Contador},
    {"Nome do software/senha", 7479, "descricao", E::Texto},
    {"Senha/Serial", 5362, "senha", E::Texto},
    {"Comentários", 9066, "adicionais", E::Texto},
};
constexpr Coluna kColunasUteis[] = {
    {"ID", 0, nullptr, E::Contador},
    {"Descrição", 14182, "descricao", E::Texto},
    {"Telefone", 5539, "telefone", E::Texto},
};
constexpr Coluna kColunasAnotacoes[] = {
    {"ID", 0, nullptr, E::Contador},
    {"Título da anotação", 19650, "Titulo", E::Texto},
};

constexpr Ordem kPorNome[] = {{"nome", true}};
constexpr Ordem kPorData[] = {{"Data", false}, {"hora", false}};
constexpr Ordem kPorDescricao[] = {{"descricao", true}};
constexpr Ordem kPorTitulo[] = {{"Titulo", true}};

constexpr ColunaGravada kGravadasAgenda[] = {
    {"nome", "txtnome", Regra::AparadoSemApostrofos},
    {"ddd", "txtddd", Regra::Preenchido, 5},
    {"tel", "txttel", Regra::Preenchido},
    {"msn", "txtmsn", Regra::Preenchido},
    {"skype", "txtskype", Regra::Preenchido},
    {"estado", "cboestado", Regra::Preenchido},
    {"cidade", "cbocidade", Regra::Preenchido},
    {"bairro", "cbobairro", Regra::Preenchido},
    {"endereco", "txtendereco", Regra::Preenchido},
    {"site", "txtsite", Regra::Preenchido},
    {"email", "txtEmail", Regra::Preenchido},
    {"nascimento", "cbonascimento", Regra::Preenchido},
    {"cel", "txtcel", Regra::Preenchido},
    {"nextel", "txtnextel", Regra::Preenchido},
    {"fax", "txtfax", Regra::Preenchido},
    {"cep", "cbocep", Regra::Preenchido},
    {"empresa", "txtempresa", Regra::Preenchido},
    {"telemp", "txttelemp", Regra::Preenchido},
    {"faxemp", "txtfaxemp", Regra::Preenchido},
    {"emailemp", "txtemailemp", Regra::Preenchido},
    {"siteemp", "txtsiteemp", Regra::Preenchido},
    {"adicional", "txtinfo", Regra::Preenchido},
    {"local", "lbllocal", Regra::ComoDigitado},
};
// The time is padded when the appointment is added; the form trims it only when editing.
constexpr ColunaGravada kGravadasCompromisso[] = {
    {"Data", "cbodata", Regra::ComoDigitado},         {"hora", "txthora", Regra::Preenchido, 20},
    {"Titulo", "txttitulo", Regra::Aparado, 150},     {"local", "txtlocal", Regra::Preenchido, 150},
    {"descricao", "txtdescricao", Regra::Preenchido},
};

constexpr CampoSimples kCamposAnotacoes[] = {
    {"txttitulo", "Titulo", Regra::AparadoSemApostrofos, false, "Título:"},
    {"txtanotacoes", "anotacoes", Regra::Preenchido, true, "Anotação:"},
};
constexpr FormularioSimples kFormularioAnotacoes{
    "frmcadanotacoes",    "Anotações",
    "ANOTAÇÕES",          "Utilize está tela para criar/editar suas anotações",
    "Adicionar Anotação", kCamposAnotacoes,
    "lblanotacoes",       "O título da anotação deve ser digitado!"};

constexpr CampoSimples kCamposSenhas[] = {
    {"txtdescricao", "descricao", Regra::SemApostrofos, false, "Descrição:"},
    {"txtsenha", "senha", Regra::Preenchido, false, "Senha/Serial:"},
    {"txtcomentario", "adicionais", Regra::Preenchido, true, "Comentários:"},
};
constexpr FormularioSimples kFormularioSenhas{
    "frmcadsenhas",           "Senhas",
    "SENHAS/SERIAIS",         "Utilize está tela para criar/editar senhas e/ou seriais ",
    "Adicionar senha/serial", kCamposSenhas,
    "lbldescricao",           "A descrição da senha deve ser digitado!"};

constexpr CampoSimples kCamposUteis[] = {
    {"txtdescricao", "descricao", Regra::Aparado, false, "Descrição:"},
    {"txttel", "telefone", Regra::Preenchido, false, "Telefone:"},
};
constexpr FormularioSimples kFormularioUteis{
    "frmcadutil",         "Adicionar telefone útil",
    "TELEFONE ÚTIL",      "Utilize está tela para criar/editar telefones úteis",
    "Adicionar tel útil", kCamposUteis,
    "lbldescricao",       "A descricao do telefone deve ser digitado!"};

// In the order of the enumeration, which is the order of the tabs.
const Descricao kDescricoes[kQuantidade] = {
    {Categoria::Agenda,
     "agenda",
     "nome",
     "select rowid, * from agenda order by nome",
     "rowid",
     kPorNome,
     kColunasAgenda,
     "lstagenda",
     "Agenda de contatos",
     "mnuvarnelo",
     "barraagenda",
     "Salvar agenda de telefones em html",
     "Salvar agenda de telefones em txt",
     "Relatórios de agenda de telefones",
     nullptr,
     {"Adicionar novo contato", "Adicionar Contato", "Editar agenda de contato", "Editar contato",
      1, 1, "Tem certeza que deseja remover o contato ",
      "Contato removido com sucesso do banco de dados!"},
     nullptr},
    // Found by its number in the hidden column; asked about by its title. The loader adds
    // its ordering to the statement.
    {Categoria::Compromisso,
     "compromisso",
     "id",
     "Select * from compromisso",
     "id",
     kPorData,
     kColunasCompromisso,
     "lstcompromisso",
     "Compromissos",
     "mnucompromisso",
     "barracompromisso",
     "Salvar compromissos em html",
     "Salvar compromissos em txt",
     "Relatórios de compromissos",
     "LISTA DE COMPROMISSOS",
     {nullptr, "Adicionar Compromisso", "Editar compromisso", "Editar Compromisso", 0, 3,
      "Tem certeza que deseja remover o compromisso ",
      "Compromisso removido com sucesso do banco de dados!"},
     nullptr},
    {Categoria::Senhas,
     "senhas",
     "descricao",
     "select rowid, * from senhas order by descricao",
     "rowid",
     kPorDescricao,
     kColunasSenhas,
     "lstsenhas",
     "Senhas && Serias",
     "mnusenhas",
     "barrasenhas",
     "Salvar senha/serial em html",
     "Salvar senha/serial em txt",
     "Relatórios de Senha/Serial",
     "LISTA DE SENHAS/SERIAIS",
     {"Adicionar senha/serial", "Adicionar senha/serial", "Editar senha/serial",
      "Editar senha/serial", 1, 1, "Tem certeza que deseja remover a senha ",
      "Senha removida com sucesso do banco de dados!"},
     &kFormularioSenhas},
    {Categoria::Uteis,
     "uteis",
     "descricao",
     "select rowid, * from uteis order by descricao",
     "rowid",
     kPorDescricao,
     kColunasUteis,
     "lstuteis",
     "Telefones Úteis",
     "mnuuteis",
     "barrauteis",
     "Salvar telefone útil em html",
     "Salvar telefone útil em txt",
     "Relatórios de telefones úteis",
     "LISTA DE TELEFONES ÚTEIS",
     {"Adicionar telefone útil", "Adicionar tel útil", "Editar telefone útil", "Editar tel útil", 1,
      1, "Tem certeza que deseja remover o telefone ",
      "Telefone removido com sucesso do banco de dados!"},
     &kFormularioUteis},
    {Categoria::Anotacoes,
     "anotacoes",
     "Titulo",
     "select rowid, * from anotacoes order by titulo",
     "rowid",
     kPorTitulo,
     kColunasAnotacoes,
     "lstanotacoes",
     "Anotações",
     "mnuanotacoes",
     "barraanotacoes",
     "Salvar relatório em html",
     "Salvar relatório em txt",
     "Relatórios de Anotações",
     "LISTA DE ANOTAÇÕES",
     {"Adicionar anotação", "Adicionar Anotação", "Editar Anotação", "Editar Anotação", 1, 1,
      "Tem certeza que deseja remover a anotação de título ",
      "Anotação removida com sucesso do banco de dados!"},
     &kFormularioAnotacoes},
};

}  // namespace

const Descricao& descricao(Categoria c) {
    return kDescricoes[static_cast<int>(c)];
}

std::span<const Descricao> todas() {
    return kDescricoes;
}

Categoria daAba(int aba) {
    return kDescricoes[qBound(0, aba, kQuantidade - 1)].categoria;
}

std::span<const ColunaGravada> colunasGravadas(Categoria c) {
    switch (c) {
        case Categoria::Agenda:
            return kGravadasAgenda;
        case Categoria::Compromisso:
            return kGravadasCompromisso;
        default:
            return {};
    }
}

int maximo(Categoria c, const char* controle) {
    for (const ColunaGravada& g : colunasGravadas(c))
        if (qstrcmp(g.controle, controle) == 0)
            return g.maximo;
    return 0;
}

const char* tabela(Categoria c) {
    return descricao(c).tabela;
}

const char* colunaChave(Categoria c) {
    return descricao(c).chave;
}

}  // namespace categoria
