#pragma once

// A counter's reply as it comes off the wire, for the reply-handling tests.
#include <QList>
#include <QString>

namespace apoio {

struct Entrada {
    QString chave; // "h" or "d"
    int numero;
    QString valor;
};

inline QString cinco(int v)
{
    return QStringLiteral("%1").arg(v, 5, 10, QChar(u'0'));
}

// Status line, headers, the body with `entradas` and the padding that makes it a full reply.
inline QString resposta(const QList<Entrada>& entradas,
                        const QString& status = QStringLiteral("\"status\":1,"))
{
    QString corpo = QStringLiteral("{") + status + QStringLiteral("\"dados\":[");
    for (const Entrada& e : entradas)
        corpo += QStringLiteral("{\"%1\":%2,\"qt\":\"%3\"},").arg(e.chave).arg(e.numero).arg(e.valor);
    return QStringLiteral("HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nServer: Arduino\r\n\r\n") +
           corpo + QStringLiteral("]}") + QString(600, u' ');
}

} // namespace apoio
