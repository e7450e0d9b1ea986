#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>

#include <memory>

class QLocalSocket;
class Temporizador;

// One running Fluxora per database: a lock beside the database file, and a local socket
// through which a second start asks the running one to come forward.
class InstanciaPrograma : public QObject {
    Q_OBJECT
public:
    enum class Resultado {
        Dona,        // this process now owns the database folder
        OutraAberta, // a Fluxora that is alive on this computer owns it
        SemTrava,    // no lock could be written: run anyway, and say why (avisoSemTrava)
    };

    explicit InstanciaPrograma(const QString& pastaBanco, QObject* parent = nullptr);
    ~InstanciaPrograma() override;

    Resultado adquirir();

    // Asks the running instance to show itself; frenteRespondida(true) when it confirmed
    // within `esperaMs`, false when it could not be reached or stayed silent. Never emitted
    // before this returns.
    void pedirFrente(int esperaMs = 3000);

    // The texts of the two boxes of a start that cannot go on as usual.
    QString avisoSemTrava() const;
    QString avisoSemResposta() const;

    // The local socket the owner listens on.
    QString nomeServidor() const { return m_nomeServidor; }

Q_SIGNALS:
    void frentePedida();
    void frenteRespondida(bool respondeu);

private:
    bool donoVivo() const;
    void ouvir();
    void concluirPedido(bool respondeu);

    QString m_nomeServidor;
    QLockFile m_trava;
    QString m_motivoSemTrava;
    std::unique_ptr<QLocalServer> m_servidor;
    QPointer<QLocalSocket> m_pedido;
    Temporizador* m_esperaPedido = nullptr;
};
