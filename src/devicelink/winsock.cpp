#include "winsock.h"

#include "costuras.h"

namespace ethernet {

Winsock::Winsock(QObject* parent) : QObject(parent)
{
    m_socket.setObjectName(QStringLiteral("Winsock1"));
    connect(&m_socket, &QTcpSocket::connected, this, &Winsock::conectado);
    connect(&m_socket, &QTcpSocket::readyRead, this, &Winsock::dadosChegaram);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError)
            m_remotoFechou = true;
        else
            m_erro = true;
    });
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        if (m_fechando)
            return;
        // The last bytes may arrive together with the close: hand them over before the end.
        if (m_socket.bytesAvailable() > 0)
            Q_EMIT dadosChegaram();
        if (!m_erro)
            m_remotoFechou = true;
    });
}

int Winsock::estado() const
{
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        if (m_erro)
            return 9;
        if (m_remotoFechou)
            return 8;
        return 0;
    case QAbstractSocket::HostLookupState:
        return 4;
    case QAbstractSocket::ConnectingState:
        return 6;
    case QAbstractSocket::ConnectedState:
        return 7;
    case QAbstractSocket::BoundState:
        return 1;
    case QAbstractSocket::ListeningState:
        return 2;
    case QAbstractSocket::ClosingState:
        return 8;
    }
    return 0;
}

void Winsock::conectar(const QString& host, quint16 porta)
{
    m_erro = false;
    m_remotoFechou = false;
    m_socket.connectToHost(host, porta);
}

void Winsock::fechar()
{
    m_fechando = true;
    m_socket.abort();
    m_fechando = false;
    m_erro = false;
    m_remotoFechou = false;
}

qint64 Winsock::enviar(const QByteArray& dados)
{
    return m_socket.write(dados);
}

QByteArray Winsock::lerRecebido()
{
    return m_socket.readAll();
}

QString Winsock::ipLocal() const
{
    return costuras::ipLocal();
}

QString textoEstado(int estado)
{
    switch (estado) {
    case 0:
        return QStringLiteral("Conexão encerrada.");
    case 1:
        return QStringLiteral("Conexão iniciada.");
    case 2:
        return QStringLiteral("Aguardando conexão.");
    case 3:
        return QStringLiteral("Conexão Pendente.");
    case 4:
        return QStringLiteral("Resolvendo host.");
    case 5:
        return QStringLiteral("Host resolvido.");
    case 6:
        return QStringLiteral("Conectando.");
    case 7:
        return QStringLiteral("Conectado!");
    case 8:
        return QStringLiteral("Encerrando...");
    case 9:
        return QStringLiteral("Erro inesperado");
    }
    return {};
}

} // namespace ethernet
