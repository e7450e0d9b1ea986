#pragma once

#include <QObject>
#include <QTcpSocket>

namespace ethernet {

// The TCP client socket as the rest of the program sees it: states 0 closed, 1 open,
// 2 listening, 3 connection pending, 4 resolving host, 5 host resolved, 6 connecting,
// 7 connected, 8 peer closing (the device closed, until our close), 9 error.
class Winsock : public QObject {
    Q_OBJECT
public:
    explicit Winsock(QObject* parent = nullptr);

    int estado() const;

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
QString textoEstado(int estado);

} // namespace ethernet
