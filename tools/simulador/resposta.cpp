#include "resposta.h"

#include "trafego.h"

#include <array>
#include <utility>

namespace resposta {

namespace {

constexpr std::array<std::pair<Falha, const char*>, 10> nomes{{
    {Falha::Normal, "normal"},
    {Falha::Status0, "status0"},
    {Falha::Curta, "curta"},
    {Falha::Lenta, "lenta"},
    {Falha::Gotejo, "gotejo"},
    {Falha::Lixo, "lixo"},
    {Falha::Enorme, "enorme"},
    {Falha::Corte, "corte"},
    {Falha::Mudo, "mudo"},
    {Falha::SemArduino, "semarduino"},
}};

// The body alone passes this, so the reply with its headers is always above the client's 600.
constexpr qsizetype corpoMinimo = 640;

QByteArray cincoDigitos(int valor)
{
    return QByteArray::number(qBound(0, valor, 99999)).rightJustified(5, '0');
}

// {"h":7,"qt":"00042"}: the six characters `"qt":"` sit between the marker and the value.
// Nothing for an entry left out; a glitched digit for an unreadable one.
QList<QByteArray> entrada(const Pedido& p, char chave, int numero, int valor)
{
    const QByteArray nome = chave + QByteArray::number(numero);
    if (p.omitidas.contains(nome))
        return {};
    QByteArray campo = cincoDigitos(valor);
    if (p.ilegiveis.contains(nome))
        campo[2] = '?';
    return {QByteArray("{\"") + chave + "\":" + QByteArray::number(numero) + ",\"qt\":\"" + campo + "\"}"};
}

QByteArray lista(const QList<QByteArray>& entradas)
{
    return "\"dados\":[" + entradas.join(',') + ']';
}

QList<QByteArray> horas(const Pedido& p, int de, int ate)
{
    const trafego::Hoje hoje = trafego::contagemHoje(p.semente, p.agora);
    QList<QByteArray> r;
    for (int h = de; h <= ate; ++h)
        r << entrada(p, 'h', h, hoje.horas[static_cast<std::size_t>(h)]);
    return r;
}

QList<QByteArray> dias(const Pedido& p, int de, int ate)
{
    const QDate hoje = p.agora.date();
    QList<QByteArray> r;
    for (int d = de; d <= ate; ++d) {
        // Days the month does not have (31 April) are reported as 0, like days still to come.
        const QDate dia(hoje.year(), hoje.month(), d);
        r << entrada(p, 'd', d, trafego::totalDia(p.semente, dia, p.agora));
    }
    return r;
}

// The uptime goes on page /0 only, so the data pages depend on nothing but the seed and the clock.
QByteArray infoDispositivo(const Pedido& p, bool comTempoLigado)
{
    QByteArray r =
        "\"dispositivo\":{\"modelo\":\"Contador de fluxo CF-2\",\"firmware\":\"2.3.1\",\"data\":\"" +
        p.agora.date().toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + "\",\"relogio\":\"" +
        p.agora.time().toString(QStringLiteral("HH:mm:ss")).toLatin1() + '"';
    if (comTempoLigado)
        r += ",\"ligado\":" + QByteArray::number(p.ligadoSegundos);
    return r + '}';
}

} // namespace

std::optional<Falha> lerFalha(const QString& nome)
{
    for (const auto& [falha, texto] : nomes) {
        if (nome == QLatin1String(texto))
            return falha;
    }
    return std::nullopt;
}

std::optional<QSet<QByteArray>> lerEntradas(const QString& lista)
{
    QSet<QByteArray> r;
    if (lista == QLatin1String("-"))
        return r;
    for (const QString& nome : lista.split(u',')) {
        bool numero = false;
        nome.mid(1).toUInt(&numero);
        if (!numero || (!nome.startsWith(u'd') && !nome.startsWith(u'h')))
            return std::nullopt;
        r.insert(nome.toLatin1());
    }
    return r;
}

QString nomeFalha(Falha falha)
{
    for (const auto& [f, texto] : nomes) {
        if (f == falha)
            return QString::fromLatin1(texto);
    }
    return {};
}

QByteArray montar(const QByteArray& caminho, const Pedido& p)
{
    bool conhecida = true;
    QByteArray dados;
    if (caminho == "/0")
        dados = "\"pagina\":0";
    else if (caminho == "/1")
        dados = "\"pagina\":1," + lista(dias(p, 1, 12));
    else if (caminho == "/2")
        dados = "\"pagina\":2," + lista(dias(p, 13, 24));
    else if (caminho == "/3")
        dados = "\"pagina\":3," + lista(dias(p, 25, 31));
    else if (caminho == "/4")
        dados = "\"pagina\":4," + lista(horas(p, 0, 11));
    else if (caminho == "/5")
        dados = "\"pagina\":5," + lista(horas(p, 12, 23));
    else if (caminho == "/6") {
        const trafego::Hoje hoje = trafego::contagemHoje(p.semente, p.agora);
        dados = "\"pagina\":6," + lista(entrada(p, 'h', 34, hoje.lotacao) + entrada(p, 'h', 35, hoje.total));
    } else {
        conhecida = false;
        dados = "\"erro\":\"pagina desconhecida\"";
    }

    const bool aceito = conhecida && p.falha != Falha::Status0;
    QByteArray corpo = QByteArray("{\"status\":") + (aceito ? '1' : '0') + ',' + dados;
    if (p.falha != Falha::Curta) {
        corpo += ',' + infoDispositivo(p, caminho == "/0");
        // Filler that no marker search can match, up to the length every real reply has.
        constexpr qsizetype moldura = sizeof(",\"reserva\":\"\"}") - 1;
        const qsizetype falta = corpoMinimo - corpo.size() - moldura;
        corpo += ",\"reserva\":\"" + QByteArray(qMax<qsizetype>(falta, 0), '-') + '"';
    }
    corpo += "}\r\n";

    QByteArray r = conhecida ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n";
    r += p.falha == Falha::SemArduino ? "Server: Generic\r\n" : "Server: Arduino\r\n";
    r += "Content-Type: application/json\r\n";
    r += "Content-Length: " + QByteArray::number(corpo.size()) + "\r\n";
    r += "Connection: close\r\n\r\n";
    r += corpo;
    Q_ASSERT(p.falha != Falha::Curta || r.size() <= limiteCurta);
    Q_ASSERT(p.falha == Falha::Curta || r.size() > limiteCurta);
    return r;
}

qsizetype fimDoPedido(const QByteArray& recebido)
{
    const qsizetype lf = recebido.indexOf("\n\n");
    const qsizetype crlf = recebido.indexOf("\r\n\r\n");
    if (lf < 0 && crlf < 0)
        return -1;
    if (crlf < 0 || (lf >= 0 && lf < crlf))
        return lf + 2;
    return crlf + 4;
}

QByteArray caminhoDoPedido(const QByteArray& pedido)
{
    const qsizetype fimLinha = pedido.indexOf('\n');
    const QList<QByteArray> partes =
        pedido.left(fimLinha < 0 ? pedido.size() : fimLinha).simplified().split(' ');
    if (partes.size() < 2 || partes.at(0) != "GET")
        return {};
    return partes.at(1);
}

QByteArray lixo(std::uint32_t semente, qsizetype tamanho)
{
    QByteArray r;
    r.reserve(tamanho);
    std::uint64_t estado = 0x243F6A8885A308D3ULL ^ semente;
    while (r.size() < tamanho) {
        // xorshift64: deterministic noise for a given seed.
        estado ^= estado << 13;
        estado ^= estado >> 7;
        estado ^= estado << 17;
        const char c = static_cast<char>(estado & 0xFF);
        if (c != '"')
            r += c;
    }
    return r;
}

QByteArray blocoEnorme()
{
    constexpr qsizetype tamanho = 64 * 1024;
    const QByteArray trecho = "{\"h\":34,\"qt\":\"9" + QByteArray(48, '#') + '\n';
    QByteArray r;
    r.reserve(tamanho);
    while (r.size() < tamanho)
        r += trecho;
    r.truncate(tamanho);
    return r;
}

} // namespace resposta
