#pragma once

#include <QObject>
#include <QTcpSocket>

namespace ethernet {

// The TCP client socket as the rest of the program sees it, in the states it reports.
class Winsock : public QObject {
    Q_OBJECT
public:
    enum class Estado {
        Fechado = 0,
        Aberto = 1,
        Escutando = 2,
        ConexaoPendente = 3,
        ResolvendoHost = 4,
        HostResolvido = 5,
        Conectando = 6,
        Conectado = 7,
        RemotoFechando = 8, // the device closed, until our close
        Erro = 9,
    };
    Q_ENUM(Estado)

    explicit Winsock(QObject* parent = nullptr);

    Estado estado() const;

    void conectar(const QString& host, quint16 porta);
    // Drops the connection at once, discarding anything unsent or unread.
    void fechar();
    qint64 enviar(const QByteArray& dados);
    QByteArray lerRecebido();
    QString ipLocal() const;

    QTcpSocket& socket() { return m_socket; }

Q_SIGNALS:
    void conectado();
    void dadosChegaram();

private:
    QTcpSocket m_socket;
    bool m_erro = false;
    bool m_remotoFechou = false;
    bool m_fechando = false;
};

// Text of a socket state for the connection test of the network window.
QString textoEstado(Winsock::Estado estado);

} // namespace ethernet
