#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

// One running Fluxora per database: a lock beside the database file, and a local socket
// through which a second start asks the running one to come forward.
class InstanciaPrograma : public QObject {
    Q_OBJECT
public:
    explicit InstanciaPrograma(const QString& pastaBanco, QObject* parent = nullptr);

    // True when this process now owns the database folder.
    bool adquirir();
    // Asks the running instance to show itself; false when it could not be reached.
    bool pedirFrente();

Q_SIGNALS:
    void frentePedida();

private:
    QString m_nomeServidor;
    QLockFile m_trava;
    std::unique_ptr<QLocalServer> m_servidor;
};
