#include "servidor.h"

#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// A request line of the device protocol is a few bytes; anything far larger is not a client of ours.
constexpr qsizetype maximoPedido = 8 * 1024;
constexpr qsizetype pedacoLento = 40;
constexpr int duracaoLentaMs = 2000;
constexpr int intervaloGotejoMs = 1;
constexpr int duracaoEnormeMs = 60 * 1000;
// Keep at most this much queued for the flood, so a client that stops reading costs little memory.
constexpr qint64 filaEnorme = 256 * 1024;

void encerrarAoDesconectar(QTcpSocket* socket)
{
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void enviarLento(QTcpSocket* socket, const QByteArray& texto)
{
    auto* timer = new QTimer(socket);
    const auto pedacos = (texto.size() + pedacoLento - 1) / pedacoLento;
    timer->setInterval(
        static_cast<int>(qMax<qsizetype>(1, duracaoLentaMs / qMax<qsizetype>(1, pedacos - 1))));
    auto enviado = std::make_shared<qsizetype>(0);
    auto passo = [socket, timer, texto, enviado] {
        if (socket->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        socket->write(texto.mid(*enviado, pedacoLento));
        *enviado += pedacoLento;
        if (*enviado >= texto.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    };
    QObject::connect(timer, &QTimer::timeout, socket, passo);
    passo();
    if (socket->state() == QAbstractSocket::ConnectedState && *enviado < texto.size())
        timer->start();
}

// One byte per packet, as a device with a tiny send buffer does: every byte is its own read on
// the client's side.
void enviarGotejando(QTcpSocket* socket, const QByteArray& texto)
{
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    auto* timer = new QTimer(socket);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervaloGotejoMs);
    auto enviado = std::make_shared<qsizetype>(0);
    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, texto, enviado] {
        if (socket->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        socket->write(texto.mid((*enviado)++, 1));
        socket->flush();
        if (*enviado >= texto.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start();
}

void enviarEnorme(QTcpSocket* socket)
{
    static const QByteArray bloco = resposta::blocoEnorme();
    auto inicio = std::make_shared<QElapsedTimer>();
    inicio->start();
    auto alimentar = [socket, inicio] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (inicio->elapsed() >= duracaoEnormeMs) {
            socket->disconnectFromHost();
            return;
        }
        // Write only while the queue is short; bytesWritten calls back for more.
        while (socket->bytesToWrite() < filaEnorme)
            socket->write(bloco);
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, alimentar);
    // A client that stops reading never triggers bytesWritten again: end it at the deadline anyway.
    QTimer::singleShot(duracaoEnormeMs, socket, [socket] { socket->abort(); });
    alimentar();
}

} // namespace

Relogio::Relogio()
{
    m_ligado.start();
}

void Relogio::fixar(const QDateTime& inicio, bool congelado)
{
    m_inicio = inicio;
    m_congelado = congelado;
    m_ligado.restart();
}

void Relogio::acertar(const QDateTime& instante)
{
    m_inicio = instante;
    m_ligado.restart();
}

QDateTime Relogio::agora() const
{
    if (!m_inicio.isValid())
        return QDateTime::currentDateTime();
    return m_congelado ? m_inicio : m_inicio.addMSecs(m_ligado.elapsed());
}

void escreverLinha(const QString& texto)
{
    const QByteArray bytes = texto.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

Servidor::Servidor(Relogio& relogio, std::uint32_t semente, QObject* parent)
    : QObject(parent), m_relogio(relogio), m_semente(semente)
{
    connect(&m_servidor, &QTcpServer::newConnection, this, &Servidor::aceitar);
}

bool Servidor::ouvir(const QHostAddress& endereco, quint16 porta)
{
    return m_servidor.listen(endereco, porta);
}

resposta::Pedido Servidor::pedido() const
{
    resposta::Pedido p;
    p.semente = m_semente;
    p.agora = m_relogio.agora().addSecs(m_desvioS);
    p.omitidas = m_omitidas;
    p.ilegiveis = m_ilegiveis;
    p.ligadoSegundos = m_relogio.ligadoSegundos();
    p.falha = m_falha;
    return p;
}

void Servidor::aceitar()
{
    while (QTcpSocket* socket = m_servidor.nextPendingConnection()) {
        encerrarAoDesconectar(socket);
        auto recebido = std::make_shared<QByteArray>();
        auto atendido = std::make_shared<bool>(false);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, recebido, atendido] {
            if (*atendido) {
                socket->readAll(); // HTTP/1.0: one request per connection, the rest is ignored
                return;
            }
            *recebido += socket->readAll();
            qsizetype fim = resposta::fimDoPedido(*recebido);
            if (fim < 0 && recebido->size() > maximoPedido)
                fim = recebido->size();
            if (fim < 0)
                return;
            *atendido = true;
            atender(socket, resposta::caminhoDoPedido(recebido->left(fim)));
        });
    }
}

void Servidor::atender(QTcpSocket* socket, const QByteArray& caminho)
{
    escreverLinha(QStringLiteral("pedido ") +
                  (caminho.isEmpty() ? QStringLiteral("inválido") : QString::fromLatin1(caminho)));
    if (m_atrasoMs <= 0)
        return responder(socket, caminho);
    // The reply reflects the counts when it leaves, as a slow device's does.
    QTimer::singleShot(m_atrasoMs, socket, [this, socket, caminho] { responder(socket, caminho); });
}

void Servidor::responder(QTcpSocket* socket, const QByteArray& caminho)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        return;
    const resposta::Pedido p = pedido();
    using resposta::Falha;
    switch (p.falha) {
    case Falha::Normal:
    case Falha::Status0:
    case Falha::Curta:
    case Falha::SemArduino:
        socket->write(resposta::montar(caminho, p));
        socket->disconnectFromHost();
        break;
    case Falha::Lenta:
        enviarLento(socket, resposta::montar(caminho, p));
        break;
    case Falha::Gotejo:
        enviarGotejando(socket, resposta::montar(caminho, p));
        break;
    case Falha::Lixo:
        socket->write(resposta::lixo(p.semente, 800));
        socket->disconnectFromHost();
        break;
    case Falha::Enorme:
        enviarEnorme(socket);
        break;
    case Falha::Corte: {
        const QByteArray texto = resposta::montar(caminho, p);
        socket->write(texto.left(texto.size() / 2));
        socket->disconnectFromHost();
        break;
    }
    case Falha::Mudo:
        break; // the connection stays open until the client gives up
    }
}
