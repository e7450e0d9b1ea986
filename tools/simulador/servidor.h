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
    // Sets the clock to `instante`, running on from there unless it was frozen.
    void acertar(const QDateTime& instante);
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
    Servidor(Relogio& relogio, std::uint32_t semente, QObject* parent = nullptr);

    bool ouvir(const QHostAddress& endereco, quint16 porta);
    QString erro() const { return m_servidor.errorString(); }
    quint16 porta() const { return m_servidor.serverPort(); }

    resposta::Falha falha() const { return m_falha; }
    void definirFalha(resposta::Falha falha) { m_falha = falha; }

    // The device's own clock runs this far off the simulated one; its days turn at its midnight.
    void definirDesvio(qint64 segundos) { m_desvioS = segundos; }
    // Each reply starts this long after its request.
    void definirAtraso(int ms) { m_atrasoMs = ms; }
    void definirOmitidas(const QSet<QByteArray>& e) { m_omitidas = e; }
    void definirIlegiveis(const QSet<QByteArray>& e) { m_ilegiveis = e; }
    Relogio& relogio() { return m_relogio; }

    resposta::Pedido pedido() const;

private:
    void aceitar();
    void atender(QTcpSocket* socket, const QByteArray& caminho);
    void responder(QTcpSocket* socket, const QByteArray& caminho);

    Relogio& m_relogio;
    qint64 m_desvioS = 0;
    int m_atrasoMs = 0;
    QSet<QByteArray> m_omitidas;
    QSet<QByteArray> m_ilegiveis;
    std::uint32_t m_semente;
    resposta::Falha m_falha = resposta::Falha::Normal;
    QTcpServer m_servidor;
};

// Writes one line to stdout at once: tests follow the simulator through these lines.
void escreverLinha(const QString& texto);
