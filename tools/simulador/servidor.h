// The listening side of the simulated device: one short-lived connection per request.
#pragma once

#include "resposta.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <cstdint>

class QTcpSocket;

// The simulated clock: the real one, or a given start that runs on in real time unless frozen.
class Relogio {
public:
    Relogio();
    void fixar(const QDateTime& inicio, bool congelado);
    QDateTime agora() const;
    qint64 ligadoSegundos() const { return m_ligado.elapsed() / 1000; }

private:
    QDateTime m_inicio; // invalid: follow the real clock
    bool m_congelado = false;
    QElapsedTimer m_ligado;
};

class Servidor : public QObject {
    Q_OBJECT
public:
    Servidor(const Relogio& relogio, std::uint32_t semente, QObject* parent = nullptr);

    bool ouvir(const QHostAddress& endereco, quint16 porta);
    QString erro() const { return m_servidor.errorString(); }
    quint16 porta() const { return m_servidor.serverPort(); }

    resposta::Falha falha() const { return m_falha; }
    void definirFalha(resposta::Falha falha) { m_falha = falha; }

    resposta::Pedido pedido() const;

private:
    void aceitar();
    void atender(QTcpSocket* socket, const QByteArray& caminho);

    const Relogio& m_relogio;
    std::uint32_t m_semente;
    resposta::Falha m_falha = resposta::Falha::Normal;
    QTcpServer m_servidor;
};

// Writes one line to stdout at once: tests follow the simulator through these lines.
void escreverLinha(const QString& texto);
