#include "instanciaPrograma.h"

#include "constantes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

InstanciaPrograma::InstanciaPrograma(const QString& pastaBanco, QObject* parent)
    : QObject(parent), m_trava(QDir(pastaBanco).filePath(constantes::nomeBanco + QStringLiteral(".lock")))
{
    const QByteArray chave = QDir(pastaBanco).canonicalPath().toUtf8();
    m_nomeServidor =
        QStringLiteral("fluxora-") +
        QString::fromLatin1(QCryptographicHash::hash(chave, QCryptographicHash::Sha1).toHex().left(16));
    // A live owner keeps its lock however long it runs; a dead one's lock is taken over.
    m_trava.setStaleLockTime(0);
}

bool InstanciaPrograma::adquirir()
{
    if (!m_trava.tryLock(100)) {
        // A folder where no lock can be made cannot be shared either: run without one.
        return m_trava.error() == QLockFile::PermissionError;
    }
    m_servidor = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_nomeServidor);
    m_servidor->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_servidor->listen(m_nomeServidor)) {
        connect(m_servidor.get(), &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = m_servidor->nextPendingConnection()) {
                connect(s, &QLocalSocket::readyRead, this, [this, s] {
                    if (s->readAll().contains("frente"))
                        Q_EMIT frentePedida();
                    s->disconnectFromServer();
                });
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    return true;
}

bool InstanciaPrograma::pedirFrente()
{
    QLocalSocket s;
    s.connectToServer(m_nomeServidor);
    if (!s.waitForConnected(1000))
        return false;
    s.write("frente\n");
    return s.waitForBytesWritten(1000);
}
