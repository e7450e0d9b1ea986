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
            return Estado::Erro;
        if (m_remotoFechou)
            return Estado::RemotoFechando;
        return Estado::Fechado;
    case QAbstractSocket::HostLookupState:
        return Estado::ResolvendoHost;
    case QAbstractSocket::ConnectingState:
        return Estado::Conectando;
    case QAbstractSocket::ConnectedState:
        return Estado::Conectado;
    case QAbstractSocket::BoundState:
        return Estado::Aberto;
    case QAbstractSocket::ListeningState:
        return Estado::Escutando;
    case QAbstractSocket::ClosingState:
        return Estado::RemotoFechando;
    }
    return Estado::Fechado;
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
    case Winsock::Estado::Fechado:
        return QStringLiteral("Conexão encerrada.");
    case Winsock::Estado::Aberto:
        return QStringLiteral("Conexão iniciada.");
    case Winsock::Estado::Escutando:
        return QStringLiteral("Aguardando conexão.");
    case Winsock::Estado::ConexaoPendente:
        return QStringLiteral("Conexão Pendente.");
    case Winsock::Estado::ResolvendoHost:
        return QStringLiteral("Resolvendo host.");
    case Winsock::Estado::HostResolvido:
        return QStringLiteral("Host resolvido.");
    case Winsock::Estado::Conectando:
        return QStringLiteral("Conectando.");
    case Winsock::Estado::Conectado:
        return QStringLiteral("Conectado!");
    case Winsock::Estado::RemotoFechando:
        return QStringLiteral("Encerrando...");
    case Winsock::Estado::Erro:
        return QStringLiteral("Erro inesperado");
    }
    return {};
}

} // namespace ethernet
