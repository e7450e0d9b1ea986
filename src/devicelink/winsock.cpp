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

Winsock::Estado Winsock::estado() const
{
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        if (m_erro)
            return Estado::erro;
        if (m_remotoFechou)
            return Estado::remotoFechando;
        return Estado::fechado;
    case QAbstractSocket::HostLookupState:
        return Estado::resolvendoHost;
    case QAbstractSocket::ConnectingState:
        return Estado::conectando;
    case QAbstractSocket::ConnectedState:
        return Estado::conectado;
    case QAbstractSocket::BoundState:
        return Estado::aberto;
    case QAbstractSocket::ListeningState:
        return Estado::escutando;
    case QAbstractSocket::ClosingState:
        return Estado::remotoFechando;
    }
    return Estado::fechado;
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

QString textoEstado(Winsock::Estado estado)
{
    switch (estado) {
    case Winsock::Estado::fechado:
        return QStringLiteral("Conexão encerrada.");
    case Winsock::Estado::aberto:
        return QStringLiteral("Conexão iniciada.");
    case Winsock::Estado::escutando:
        return QStringLiteral("Aguardando conexão.");
    case Winsock::Estado::conexaoPendente:
        return QStringLiteral("Conexão Pendente.");
    case Winsock::Estado::resolvendoHost:
        return QStringLiteral("Resolvendo host.");
    case Winsock::Estado::hostResolvido:
        return QStringLiteral("Host resolvido.");
    case Winsock::Estado::conectando:
        return QStringLiteral("Conectando.");
    case Winsock::Estado::conectado:
        return QStringLiteral("Conectado!");
    case Winsock::Estado::remotoFechando:
        return QStringLiteral("Encerrando...");
    case Winsock::Estado::erro:
        return QStringLiteral("Erro inesperado");
    }
    return {};
}

} // namespace ethernet
