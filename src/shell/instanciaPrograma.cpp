#include "instanciaPrograma.h"

#include "constantes.h"
#include "temporizador.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

InstanciaPrograma::InstanciaPrograma(const QString& pastaBanco, QObject* parent)
    : QObject(parent), m_trava(QDir(pastaBanco).filePath(constantes::nomeBanco + u".lock"_s))
{
    const QByteArray chave = QDir(pastaBanco).canonicalPath().toUtf8();
    m_nomeServidor =
        u"fluxora-"_s +
        QString::fromLatin1(QCryptographicHash::hash(chave, QCryptographicHash::Sha1).toHex().left(16));
    // A live owner keeps its lock however long it runs; a dead one's lock is taken over.
    m_trava.setStaleLockTime(0);
}

InstanciaPrograma::~InstanciaPrograma() = default;

// Alive only when shown to be. A running owner holds the lock file's advisory lock for as
// long as it runs, so a lock that can be taken shared belongs to no one, whatever pid it
// names: after a power cut that pid is often some other process, or this very one. Only
// where the file system cannot tell (no advisory locks there) does the pid decide: a running
// process of this computer. An empty or garbled lock (a power cut just after a start) or one
// from another host is not alive.
bool InstanciaPrograma::donoVivo() const
{
    const QByteArray caminho = QFile::encodeName(m_trava.fileName());
    if (const int fd = ::open(caminho.constData(), O_RDONLY | O_CLOEXEC); fd >= 0) {
        const bool livre = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
        const bool preso = !livre && errno == EWOULDBLOCK;
        ::close(fd);
        if (livre)
            return false;
        if (preso)
            return true;
    }
    qint64 pid = 0;
    QString host, programa;
    if (!m_trava.getLockInfo(&pid, &host, &programa) || pid <= 0 || pid == QCoreApplication::applicationPid())
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

InstanciaPrograma::Resultado InstanciaPrograma::adquirir()
{
    bool presa = m_trava.tryLock(0);
    if (!presa && m_trava.error() == QLockFile::LockFailedError && !donoVivo()) {
        m_trava.removeStaleLockFile();
        presa = m_trava.tryLock(0);
    }
    if (!presa) {
        if (m_trava.error() == QLockFile::LockFailedError && donoVivo())
            return Resultado::OutraAberta;
        switch (m_trava.error()) {
        case QLockFile::PermissionError:
            m_motivoSemTrava = u"a pasta não permite gravar"_s;
            break;
        case QLockFile::LockFailedError:
            m_motivoSemTrava = u"um arquivo de trava antigo não pôde ser substituído"_s;
            break;
        default:
            m_motivoSemTrava = u"o disco pode estar cheio"_s;
            break;
        }
        return Resultado::SemTrava;
    }
    ouvir();
    return Resultado::Dona;
}

void InstanciaPrograma::ouvir()
{
    m_servidor = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_nomeServidor);
    m_servidor->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_servidor->listen(m_nomeServidor))
        return;
    connect(m_servidor.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_servidor->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (!s->readAll().contains("frente"))
                    return;
                Q_EMIT frentePedida();
                // The answer tells the second start that this one is alive and came forward.
                s->write("ok\n");
                s->disconnectFromServer();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

void InstanciaPrograma::pedirFrente(int esperaMs)
{
    auto* s = new QLocalSocket(this);
    m_pedido = s;
    m_esperaPedido = new Temporizador(this);
    m_esperaPedido->setSingleShot(true);
    connect(m_esperaPedido, &Temporizador::timeout, this, [this] { concluirPedido(false); });
    connect(s, &QLocalSocket::connected, s, [s] { s->write("frente\n"); });
    connect(s, &QLocalSocket::readyRead, this, [this, s] {
        if (s->readAll().contains("ok"))
            concluirPedido(true);
    });
    // Queued: a server that is not there fails inside connectToServer itself.
    connect(
        s, &QLocalSocket::errorOccurred, this, [this] { concluirPedido(false); }, Qt::QueuedConnection);
    m_esperaPedido->start(esperaMs);
    s->connectToServer(m_nomeServidor);
}

void InstanciaPrograma::concluirPedido(bool respondeu)
{
    if (!m_pedido)
        return;
    m_pedido->disconnect(this);
    m_pedido->abort();
    m_pedido->deleteLater();
    m_pedido = nullptr;
    m_esperaPedido->stop();
    Q_EMIT frenteRespondida(respondeu);
}

QString InstanciaPrograma::avisoSemTrava() const
{
    return u"Não foi possível criar o arquivo %1 (%2).\r\n\r\nO Fluxora vai funcionar, mas não poderá "
           u"perceber se for aberto outra vez sobre o mesmo banco de dados."_s.arg(
               QFileInfo(m_trava.fileName()).fileName(), m_motivoSemTrava);
}

QString InstanciaPrograma::avisoSemResposta() const
{
    qint64 pid = 0;
    QString host, programa;
    const QString processo =
        m_trava.getLockInfo(&pid, &host, &programa) ? u" (processo %1)"_s.arg(pid) : QString();
    return u"O Fluxora já está aberto neste computador%1, mas não respondeu.\r\n\r\nSe a janela dele não "
           u"aparecer, encerre-o e abra o Fluxora de novo."_s.arg(processo);
}
