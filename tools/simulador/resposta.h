// The device's replies as bytes: pure functions, so the server and `--mostrar` send the same text.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

namespace resposta {

enum class Falha { Normal, Status0, Curta, Lenta, Gotejo, Lixo, Enorme, Corte, Mudo, SemArduino };

std::optional<Falha> lerFalha(const QString& nome);
QString nomeFalha(Falha falha);

// Every full reply is longer than this; the short fault stays at or below it.
constexpr qsizetype limiteCurta = 600;

struct Pedido {
    std::uint32_t semente = 1;
    QDateTime agora;
    qint64 ligadoSegundos = 0;
    Falha falha = Falha::Normal; // only Status0, Curta and SemArduino change the text
    // Entries by key and number ("d31", "h14"): left out of their page, or sent with a
    // value that is not five digits.
    QSet<QByteArray> omitidas;
    QSet<QByteArray> ilegiveis;
};

// "d31,h14" into its entries; nullopt when one is not a key d or h and a number. "-" is none.
std::optional<QSet<QByteArray>> lerEntradas(const QString& lista);

// The HTTP/1.0 reply to a request path ("/0" … "/6"; anything else gets "status":0,).
QByteArray montar(const QByteArray& caminho, const Pedido& pedido);

// Length of the request up to and including its blank line (LF LF or CRLF CRLF), -1 while incomplete.
qsizetype fimDoPedido(const QByteArray& recebido);

// The path of "GET /N HTTP/1.0"; empty when the request line is not a GET.
QByteArray caminhoDoPedido(const QByteArray& pedido);

// Random bytes that can never hold a status or entry marker (no double quote).
QByteArray lixo(std::uint32_t semente, qsizetype tamanho);

// A 64 KiB block of filler that looks like entries but carries no status marker.
QByteArray blocoEnorme();

} // namespace resposta
