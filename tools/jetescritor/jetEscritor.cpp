#include "jetEscritor.h"

#include <QDateTime>
#include <QtEndian>

#include <array>
#include <cstring>

namespace jet {

namespace {

constexpr int tamPagina = 4096;
constexpr int cabecalhoDados = 14; // type, 1, free space, owner, 4 unknown, row count
constexpr int inicioColunas = 63;
constexpr int tamColuna = 25;
constexpr quint32 pastaTabelas = 0x0F000001;

void poe16(QByteArray& b, int pos, quint16 v)
{
    qToLittleEndian(v, b.data() + pos);
}
void poe32(QByteArray& b, int pos, quint32 v)
{
    qToLittleEndian(v, b.data() + pos);
}
void junta16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}
void junta32(QByteArray& b, quint32 v)
{
    junta16(b, quint16(v & 0xffff));
    junta16(b, quint16(v >> 16));
}

bool fixa(Tipo t)
{
    return t != Tipo::Texto && t != Tipo::Memo && t != Tipo::Ole;
}

int tamanhoFixo(Tipo t)
{
    switch (t) {
    case Tipo::Byte:
        return 1;
    case Tipo::Inteiro:
        return 2;
    case Tipo::Longo:
    case Tipo::Simples:
        return 4;
    case Tipo::Data:
        return 8;
    default:
        return 0;
    }
}

// Text as the engine keeps it: the compressed form (FF FE, one byte a character) when every
// character fits in a byte, little-endian UCS-2 otherwise.
QByteArray texto(const QString& s)
{
    bool compacto = s.size() > 1;
    for (QChar c : s)
        compacto = compacto && c.unicode() != 0 && c.unicode() <= 0xff;
    QByteArray b;
    if (compacto) {
        b.append('\xff');
        b.append('\xfe');
        for (QChar c : s)
            b.append(char(c.unicode()));
    } else {
        for (QChar c : s)
            junta16(b, c.unicode());
    }
    return b;
}

QByteArray valorFixo(Tipo t, const QVariant& v)
{
    QByteArray b(tamanhoFixo(t), '\0');
    if (v.isNull())
        return b;
    switch (t) {
    case Tipo::Byte:
        b[0] = char(v.toUInt() & 0xff);
        break;
    case Tipo::Inteiro:
        poe16(b, 0, quint16(v.toInt()));
        break;
    case Tipo::Longo:
        poe32(b, 0, quint32(v.toLongLong()));
        break;
    case Tipo::Simples:
        qToLittleEndian(v.toFloat(), b.data());
        break;
    case Tipo::Data:
        qToLittleEndian(valorData(v), b.data());
        break;
    default:
        break;
    }
    return b;
}

QByteArray linha(const QList<Coluna>& colunas, const QVariantList& valores)
{
    const int n = int(colunas.size());
    QByteArray nulos((n + 7) / 8, '\0');
    QByteArray fixos;
    QList<QByteArray> variaveis;
    for (int i = 0; i < n; ++i) {
        const Tipo t = colunas[i].tipo;
        const QVariant v = valores.value(i);
        if (!v.isNull())
            nulos[i / 8] = char(nulos[i / 8] | (1 << (i % 8)));
        if (fixa(t)) {
            fixos += valorFixo(t, v);
        } else if (v.isNull() || t == Tipo::Ole) {
            variaveis << QByteArray();
        } else if (t == Tipo::Texto) {
            variaveis << texto(v.toString());
        } else {
            // A memo kept in its row: length with the "inline" flag, no long-value page.
            const QByteArray dados = texto(v.toString());
            QByteArray m;
            junta32(m, quint32(dados.size()) | 0x80000000u);
            junta32(m, 0);
            junta32(m, 0);
            variaveis << m + dados;
        }
    }
    QByteArray r;
    junta16(r, quint16(n));
    r += fixos;
    QList<int> inicios;
    for (const QByteArray& v : variaveis) {
        inicios << int(r.size());
        r += v;
    }
    if (!variaveis.isEmpty()) {
        junta16(r, quint16(r.size())); // end of the variable data
        for (auto i = inicios.size() - 1; i >= 0; --i)
            junta16(r, quint16(inicios[i]));
        junta16(r, quint16(variaveis.size()));
    }
    return r + nulos;
}

QByteArray paginaVazia(char tipo)
{
    QByteArray p(tamPagina, '\0');
    p[0] = tipo;
    p[1] = 1;
    return p;
}

// Rows laid from the end of the page towards its header.
QByteArray paginaDados(quint32 dono, const QList<QByteArray>& linhas)
{
    QByteArray p = paginaVazia(1);
    poe32(p, 4, dono);
    poe16(p, 12, quint16(linhas.size()));
    int fim = tamPagina;
    for (int i = 0; i < linhas.size(); ++i) {
        fim -= int(linhas[i].size());
        std::memcpy(p.data() + fim, linhas[i].constData(), size_t(linhas[i].size()));
        poe16(p, cabecalhoDados + 2 * i, quint16(fim));
    }
    poe16(p, 2, quint16(fim - cabecalhoDados - 2 * linhas.size()));
    return p;
}

// Packs rows into as few pages as they fit in; empty when one row is larger than a page.
QList<QList<QByteArray>> distribuir(const QList<QByteArray>& linhas)
{
    QList<QList<QByteArray>> paginas;
    int livre = 0;
    for (const QByteArray& l : linhas) {
        const int custo = int(l.size()) + 2;
        if (custo > tamPagina - cabecalhoDados)
            return {};
        if (paginas.isEmpty() || custo > livre) {
            paginas.append(QList<QByteArray>());
            livre = tamPagina - cabecalhoDados;
        }
        paginas.last() << l;
        livre -= custo;
    }
    if (paginas.isEmpty())
        paginas.append(QList<QByteArray>()); // a table always owns a data page
    return paginas;
}

// A usage map kept in a row: type 0, first page, one bit a page from there.
QByteArray mapa(quint32 primeira, const QList<quint32>& paginas)
{
    int bytes = 64;
    for (quint32 p : paginas)
        bytes = std::max(bytes, int(p - primeira) / 8 + 1);
    QByteArray m(5 + bytes, '\0');
    poe32(m, 1, primeira);
    for (quint32 p : paginas)
        m[5 + int(p - primeira) / 8] = char(m[5 + int(p - primeira) / 8] | (1 << ((p - primeira) % 8)));
    return m;
}

QByteArray definicao(const Tabela& t, bool sistema, quint32 usadas, quint32 livres)
{
    QByteArray p = paginaVazia(2);
    poe32(p, 16, quint32(t.linhas.size()));
    p[40] = sistema ? char(0x53) : char(0x4e);
    int numVar = 0;
    for (const Coluna& c : t.colunas)
        numVar += fixa(c.tipo) ? 0 : 1;
    poe16(p, 41, quint16(t.colunas.size()));
    poe16(p, 43, quint16(numVar));
    poe16(p, 45, quint16(t.colunas.size()));
    poe32(p, 55, usadas);
    poe32(p, 59, livres);
    int pos = inicioColunas, fixo = 0, var = 0;
    for (int i = 0; i < t.colunas.size(); ++i) {
        const Tipo tipo = t.colunas[i].tipo;
        p[pos] = char(tipo);
        poe16(p, pos + 5, quint16(i));
        poe16(p, pos + 9, quint16(i));
        if (fixa(tipo)) {
            p[pos + 15] = 0x03; // fixed length, may be null
            poe16(p, pos + 21, quint16(fixo));
            poe16(p, pos + 23, quint16(tamanhoFixo(tipo)));
            fixo += tamanhoFixo(tipo);
        } else {
            poe16(p, pos + 7, quint16(var++));
            poe16(p, pos + 11, 0x0409); // general sort order
            p[pos + 15] = 0x02;
            p[pos + 16] = tipo == Tipo::Ole ? 0 : 0x01; // compressed unicode
            poe16(p, pos + 23, tipo == Tipo::Texto ? 510 : 0);
        }
        pos += tamColuna;
    }
    for (const Coluna& c : t.colunas) {
        poe16(p, pos, quint16(c.nome.size() * 2));
        pos += 2;
        for (QChar ch : c.nome) {
            poe16(p, pos, ch.unicode());
            pos += 2;
        }
    }
    poe16(p, 2, quint16(tamPagina - pos - 8));
    poe32(p, 8, quint32(pos));
    return p;
}

std::array<quint8, 128> fluxoMascara()
{
    // RC4 with the engine's fixed key over the 128 masked bytes of the header.
    const std::array<quint8, 4> chave = {0xc7, 0xda, 0x39, 0x6b};
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + chave[size_t(i) % 4]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    std::array<quint8, 128> saida{};
    for (int n = 0, i = 0, j = 0; n < 128; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[size_t(i)]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
        saida[size_t(n)] = s[size_t((s[size_t(i)] + s[size_t(j)]) & 0xff)];
    }
    return saida;
}

QByteArray cabecalho(const QString& senha)
{
    QByteArray p(tamPagina, '\0');
    p[1] = 1;
    std::memcpy(p.data() + 4, "Standard Jet DB", 15);
    poe32(p, 0x14, 1); // Jet 4.0
    poe16(p, 0x3c, 1252);
    poe16(p, 0x6e, 0x0409);
    const double criacao = 36526.0; // 01/01/2000: fixed, so the same content gives the same bytes
    qToLittleEndian(criacao, p.data() + 0x72);
    // The password is kept masked by the creation date's whole days.
    std::array<quint8, 4> mascaraData{};
    qToLittleEndian(qint32(criacao), mascaraData.data());
    for (int i = 0; i < 40; ++i) {
        const quint16 c = i / 2 < senha.size() ? senha.at(i / 2).unicode() : 0;
        const quint8 byte = quint8(i % 2 ? c >> 8 : c & 0xff);
        p[0x42 + i] = char(byte ^ mascaraData[size_t(i) % 4]);
    }
    const auto fluxo = fluxoMascara();
    for (int i = 0; i < 128; ++i)
        p[0x18 + i] = char(quint8(p[0x18 + i]) ^ fluxo[size_t(i)]);
    return p;
}

} // namespace

double valorData(const QVariant& v)
{
    const QDateTime dt = v.toDateTime();
    const QDate base(1899, 12, 30);
    return double(base.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

QByteArray escrever(const QList<Tabela>& tabelas, const QString& senha)
{
    // Pages: 0 header, 1 usage maps, 2 catalogue definition, 3 catalogue rows, then each table's
    // definition followed by its data pages.
    struct Plano {
        quint32 definicao = 0;
        QList<QList<QByteArray>> paginas;
    };
    QList<Plano> planos;
    quint32 proxima = 4;
    for (const Tabela& t : tabelas) {
        QList<QByteArray> linhas;
        for (const QVariantList& v : t.linhas)
            linhas << linha(t.colunas, v);
        Plano pl;
        pl.paginas = distribuir(linhas);
        if (pl.paginas.isEmpty())
            return {};
        pl.definicao = proxima;
        proxima += 1 + quint32(pl.paginas.size());
        planos << pl;
    }

    Tabela catalogo{QStringLiteral("MSysObjects"),
                    {{QStringLiteral("Id"), Tipo::Longo},
                     {QStringLiteral("ParentId"), Tipo::Longo},
                     {QStringLiteral("Name"), Tipo::Texto},
                     {QStringLiteral("Type"), Tipo::Inteiro},
                     {QStringLiteral("Flags"), Tipo::Longo},
                     {QStringLiteral("LvProp"), Tipo::Ole}},
                    {}};
    catalogo.linhas << QVariantList{2, pastaTabelas, catalogo.nome, 1, qint64(qint32(0x80000002u))};
    for (int i = 0; i < tabelas.size(); ++i)
        catalogo.linhas << QVariantList{planos[i].definicao, pastaTabelas, tabelas[i].nome, 1, 0};
    QList<QByteArray> linhasCatalogo;
    for (const QVariantList& v : catalogo.linhas)
        linhasCatalogo << linha(catalogo.colunas, v);
    const QList<QList<QByteArray>> paginasCatalogo = distribuir(linhasCatalogo);
    if (paginasCatalogo.size() != 1)
        return {};

    QList<QByteArray> mapas;
    auto ponteiros = [&](quint32 primeira, quint32 quantas) {
        QList<quint32> usadas;
        for (quint32 k = 0; k < quantas; ++k)
            usadas << primeira + k;
        const quint32 linhaUsadas = quint32(mapas.size());
        mapas << mapa(primeira, usadas) << mapa(primeira, {});
        return std::pair{(1u << 8) | linhaUsadas, (1u << 8) | (linhaUsadas + 1)};
    };

    QByteArray arquivo = cabecalho(senha);
    QList<QByteArray> resto;
    const auto [usadasCat, livresCat] = ponteiros(3, 1);
    resto << definicao(catalogo, true, usadasCat, livresCat) << paginaDados(2, paginasCatalogo.first());
    for (int i = 0; i < tabelas.size(); ++i) {
        const Plano& pl = planos[i];
        const auto [usadas, livres] = ponteiros(pl.definicao + 1, quint32(pl.paginas.size()));
        resto << definicao(tabelas[i], false, usadas, livres);
        for (const QList<QByteArray>& linhas : pl.paginas)
            resto << paginaDados(pl.definicao, linhas);
    }
    const QList<QList<QByteArray>> paginaMapas = distribuir(mapas);
    if (paginaMapas.size() != 1)
        return {};
    arquivo += paginaDados(0, paginaMapas.first());
    for (const QByteArray& p : resto)
        arquivo += p;
    return arquivo;
}

} // namespace jet
