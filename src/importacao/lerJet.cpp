#include "historicoAnterior.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace importacao {

namespace {

constexpr qint64 tamPagina = 4096;

enum class Espera { Numero, Texto, Data };

struct Campo {
    const char16_t* nome;
    Espera espera;
};

// The header's masked area (RC4 with the engine's fixed key); only the password lives there
// that libmdb does not look at.
QByteArray desmascarar(QByteArray area)
{
    const std::array<quint8, 4> chave = {0xc7, 0xda, 0x39, 0x6b};
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + chave[size_t(i) % 4]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    for (int n = 0, i = 0, j = 0; n < area.size(); ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[size_t(i)]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
        area[n] = char(quint8(area[n]) ^ s[size_t((s[size_t(i)] + s[size_t(j)]) & 0xff)]);
    }
    return area;
}

bool temSenha(const QByteArray& pagina0)
{
    const QByteArray area = desmascarar(pagina0.mid(0x18, 128));
    // Stored masked with the whole days of the creation date.
    const double criacao = qFromLittleEndian<double>(area.constData() + (0x72 - 0x18));
    std::array<quint8, 4> mascara{};
    qToLittleEndian(qint32(criacao), mascara.data());
    for (int i = 0; i < 40; ++i)
        if ((quint8(area[0x42 - 0x18 + i]) ^ mascara[size_t(i) % 4]) != 0)
            return true;
    return false;
}

QString nomeTipo(int tipo)
{
    switch (tipo) {
    case MDB_BOOL:
        return u"Sim/Não"_s;
    case MDB_BYTE:
        return u"Byte"_s;
    case MDB_INT:
        return u"Inteiro"_s;
    case MDB_LONGINT:
        return u"Inteiro longo"_s;
    case MDB_FLOAT:
        return u"Simples"_s;
    case MDB_DOUBLE:
        return u"Duplo"_s;
    case MDB_DATETIME:
        return u"Data/Hora"_s;
    case MDB_TEXT:
        return u"Texto"_s;
    case MDB_MEMO:
        return u"Memorando"_s;
    default:
        return u"código %1"_s.arg(tipo);
    }
}

bool tipoServe(int tipo, Espera e)
{
    switch (e) {
    case Espera::Numero:
        return tipo == MDB_BYTE || tipo == MDB_INT || tipo == MDB_LONGINT || tipo == MDB_FLOAT ||
               tipo == MDB_DOUBLE;
    case Espera::Texto:
        return tipo == MDB_TEXT || tipo == MDB_MEMO;
    case Espera::Data:
        return tipo == MDB_DATETIME;
    }
    return false;
}

QString esperado(Espera e)
{
    switch (e) {
    case Espera::Numero:
        return u"número"_s;
    case Espera::Texto:
        return u"texto"_s;
    case Espera::Data:
        return u"data"_s;
    }
    return {};
}

struct Fechar {
    void operator()(MdbHandle* h) const { mdb_close(h); }
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

// Every row of one table, its fields in the order asked for. Null fields are null variants.
std::optional<QList<QVariantList>> lerTabela(MdbHandle* mdb, const QString& arquivo, const QString& tabela,
                                             const QList<Campo>& campos, QString& erro)
{
    QByteArray nome = tabela.toUtf8();
    std::unique_ptr<MdbTableDef, Fechar> t(mdb_read_table_by_name(mdb, nome.data(), MDB_TABLE));
    if (!t) {
        erro = u"Falta a tabela %1 no arquivo %2."_s.arg(tabela, arquivo);
        return std::nullopt;
    }
    if (!mdb_read_columns(t.get())) {
        erro = u"O arquivo %1 está danificado: não foi possível ler a tabela %2."_s.arg(arquivo, tabela);
        return std::nullopt;
    }
    std::vector<MdbColumn*> colunas;
    std::vector<std::vector<char>> buffers(size_t(campos.size()), std::vector<char>(MDB_BIND_SIZE + 1));
    std::vector<int> tamanhos(size_t(campos.size()), 0);
    for (int i = 0; i < campos.size(); ++i) {
        const QString campo = QString::fromUtf16(campos[i].nome);
        MdbColumn* achada = nullptr;
        int numero = 0;
        for (guint k = 0; k < t->num_cols; ++k) {
            auto* c = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, k));
            if (QString::fromUtf8(c->name) == campo) {
                achada = c;
                numero = int(k) + 1;
            }
        }
        if (!achada) {
            erro = u"Falta o campo %1 na tabela %2 do arquivo %3."_s.arg(campo, tabela, arquivo);
            return std::nullopt;
        }
        if (!tipoServe(achada->col_type, campos[i].espera)) {
            erro = u"O campo %1 da tabela %2 do arquivo %3 é do tipo %4; deveria ser %5."_s.arg(
                campo, tabela, arquivo, nomeTipo(achada->col_type), esperado(campos[i].espera));
            return std::nullopt;
        }
        mdb_bind_column(t.get(), numero, buffers[size_t(i)].data(), &tamanhos[size_t(i)]);
        colunas.push_back(achada);
    }
    QList<QVariantList> linhas;
    mdb_rewind_table(t.get());
    while (mdb_fetch_row(t.get())) {
        QVariantList linha;
        for (size_t i = 0; i < colunas.size(); ++i) {
            const MdbColumn* c = colunas[i];
            if (tamanhos[i] == 0 && c->cur_value_len == 0) {
                linha << (campos[int(i)].espera == Espera::Texto ? QVariant(QString()) : QVariant());
                continue;
            }
            const QString texto = QString::fromUtf8(buffers[i].data(), tamanhos[i]);
            switch (c->col_type) {
            case MDB_FLOAT:
                linha << double(mdb_get_single(mdb->pg_buf, c->cur_value_start));
                break;
            case MDB_DOUBLE:
                linha << mdb_get_double(mdb->pg_buf, c->cur_value_start);
                break;
            case MDB_DATETIME: {
                const double dias = mdb_get_double(mdb->pg_buf, c->cur_value_start);
                linha << QDate(1899, 12, 30).addDays(qint64(dias));
                break;
            }
            case MDB_BYTE:
            case MDB_INT:
            case MDB_LONGINT:
                linha << texto.toLongLong();
                break;
            default:
                linha << texto;
            }
        }
        linhas << linha;
    }
    // Rows the definition counts but the pages do not hold: pages lost or overwritten.
    if (linhas.size() != qsizetype(t->num_rows)) {
        erro = u"O arquivo %1 está danificado: a tabela %2 deveria ter %3 linhas e só %4 puderam ser lidas."_s
                   .arg(arquivo, tabela, QString::number(t->num_rows), QString::number(linhas.size()));
        return std::nullopt;
    }
    return linhas;
}

QVariantMap primeira(const QList<Campo>& campos, const QList<QVariantList>& linhas)
{
    QVariantMap m;
    if (!linhas.isEmpty())
        for (int i = 0; i < campos.size(); ++i)
            m.insert(QString::fromUtf16(campos[i].nome), linhas.first().value(i));
    return m;
}

QList<QStringList> comoTextos(const QList<QVariantList>& linhas)
{
    QList<QStringList> saida;
    for (const QVariantList& l : linhas) {
        QStringList t;
        for (const QVariant& v : l)
            t << v.toString();
        saida << t;
    }
    return saida;
}

} // namespace

bool pareceJet(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) && f.read(20).mid(4, 15) == "Standard Jet DB";
}

std::optional<Conteudo> lerJet(const QString& caminho, QString& erro)
{
    const QString arquivo = QFileInfo(caminho).fileName();
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        erro = u"Não foi possível abrir o arquivo %1: %2."_s.arg(arquivo, f.errorString());
        return std::nullopt;
    }
    const QByteArray pagina0 = f.read(tamPagina);
    const qint64 tamanho = f.size();
    f.close();
    if (pagina0.mid(4, 15) != "Standard Jet DB") {
        erro = u"O arquivo %1 não é um banco de dados Jet 4.0."_s.arg(arquivo);
        return std::nullopt;
    }
    if (pagina0.at(0x14) != 1) {
        erro = u"O arquivo %1 é de outra versão do Jet; só a versão 4.0 pode ser lida."_s.arg(arquivo);
        return std::nullopt;
    }
    if (tamanho < 3 * tamPagina || tamanho % tamPagina != 0) {
        erro = u"O arquivo %1 está incompleto: termina no meio de uma página (%2 bytes)."_s.arg(
            arquivo, QString::number(tamanho));
        return std::nullopt;
    }
    if (temSenha(pagina0)) {
        erro =
            u"O arquivo %1 está protegido por senha. Retire a senha no programa anterior e tente de novo."_s
                .arg(arquivo);
        return std::nullopt;
    }
    std::unique_ptr<MdbHandle, Fechar> mdb(mdb_open(QFile::encodeName(caminho).constData(), MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE)) {
        erro = u"O arquivo %1 está danificado: não foi possível ler a lista de tabelas."_s.arg(arquivo);
        return std::nullopt;
    }

    const QList<Campo> ethernet = {{u"txt_ip1CP", Espera::Numero},
                                   {u"txt_ip2CP", Espera::Numero},
                                   {u"txt_ip3CP", Espera::Numero},
                                   {u"txt_ip4CP", Espera::Numero},
                                   {u"dia", Espera::Data}};
    const QList<Campo> simples = {{u"lotacaoFonte", Espera::Numero},
                                  {u"lotacaoPosicao", Espera::Numero},
                                  {u"totalFonte", Espera::Numero},
                                  {u"totalPosicao", Espera::Numero},
                                  {u"chktotal", Espera::Numero},
                                  {u"chklotacao", Espera::Numero},
                                  {u"tempoAtualizacao", Espera::Texto},
                                  {u"legendaFonteTotal", Espera::Numero},
                                  {u"legendaFonte", Espera::Numero},
                                  {u"legendaPosicao", Espera::Numero},
                                  {u"legendaTotalPosicao", Espera::Numero},
                                  {u"infoEmpresaFonte", Espera::Numero},
                                  {u"infoEmpresa", Espera::Texto},
                                  {u"dia", Espera::Data}};
    const QList<Campo> avancado = {{u"cmb_inicio", Espera::Texto},
                                   {u"cmb_fim", Espera::Texto},
                                   {u"cmb_tempoMes", Espera::Texto},
                                   {u"cmb_tempoDia", Espera::Texto}};
    QList<Campo> meses = {{u"ano", Espera::Texto}};
    for (const char16_t* m :
         {u"jan", u"fev", u"mar", u"abr", u"mai", u"jun", u"jul", u"ago", u"sete", u"out", u"nov", u"dez"})
        meses << Campo{m, Espera::Texto};
    static const std::array<QString, 31> horas = [] {
        std::array<QString, 31> h;
        for (int d = 1; d <= 31; ++d)
            h[size_t(d - 1)] = u"hora%1"_s.arg(d);
        return h;
    }();
    QList<Campo> dias = {{u"ano", Espera::Texto}, {u"mes", Espera::Texto}};
    for (const QString& h : horas)
        dias << Campo{reinterpret_cast<const char16_t*>(h.utf16()), Espera::Texto};

    Conteudo c;
    const auto e = lerTabela(mdb.get(), arquivo, u"ethernet"_s, ethernet, erro);
    if (!e)
        return std::nullopt;
    const auto s = lerTabela(mdb.get(), arquivo, u"painelSimples"_s, simples, erro);
    if (!s)
        return std::nullopt;
    const auto a = lerTabela(mdb.get(), arquivo, u"painelavancado"_s, avancado, erro);
    if (!a)
        return std::nullopt;
    const auto m = lerTabela(mdb.get(), arquivo, u"Meses"_s, meses, erro);
    if (!m)
        return std::nullopt;
    const auto d = lerTabela(mdb.get(), arquivo, u"Dias"_s, dias, erro);
    if (!d)
        return std::nullopt;
    c.ethernet = primeira(ethernet, *e);
    c.painelSimples = primeira(simples, *s);
    c.painelavancado = primeira(avancado, *a);
    c.meses = comoTextos(*m);
    c.dias = comoTextos(*d);
    return c;
}

} // namespace importacao
