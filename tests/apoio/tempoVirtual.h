#pragma once

// Virtual time for tests that talk to a real device on loopback: the client's timers run on a
// manual clock, and while a request is in flight virtual time waits (within a bound) for the
// device's real bytes, so the outcome does not depend on how loaded the machine is.
#include "ethernet.h"
#include "temporizador.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

namespace apoio {

class TempoVirtual {
public:
    explicit TempoVirtual(const QDateTime& inicio) : m_relogio(inicio) {}

    RelogioManual& relogio() { return m_relogio; }

    // The exchange whose requests hold time still; made after this object, so that its
    // timers run on the manual clock.
    void acompanhar(ethernet::Conexao& conexao)
    {
        m_conexao = &conexao;
        QObject::connect(&conexao, &ethernet::Conexao::logAlterado, &m_relogio, [this](const QString& log) {
            if (log.isEmpty())
                m_orcamentoMs = 300; // a new request
        });
    }

    // Moves time forward by ms (in steps of 100).
    void avancar(qint64 ms)
    {
        avancarAte([] { return false; }, ms - 100);
    }

    // Moves time forward until cond() holds; false when limiteMs of virtual time passed first.
    template <class Condicao> bool avancarAte(Condicao cond, qint64 limiteMs, int passoMs = 100)
    {
        for (qint64 feito = 0; feito <= limiteMs; feito += passoMs) {
            esperarAparelho();
            if (cond())
                return true;
            m_relogio.avancar(passoMs);
        }
        esperarAparelho();
        return cond();
    }

private:
    // A request is in flight from connecting until the device closes or the socket fails.
    // Each request may hold time still for a bounded real time, so a mute device does not
    // stop the clock for good.
    void esperarAparelho()
    {
        QCoreApplication::processEvents();
        if (!m_conexao)
            return;
        QElapsedTimer real;
        real.start();
        auto emVoo = [this] {
            using E = ethernet::Winsock::Estado;
            const E e = m_conexao->winsock().estado();
            return e >= E::ConexaoPendente && e <= E::Conectado;
        };
        while (emVoo() && m_orcamentoMs > 0) {
            QTest::qWait(2);
            m_orcamentoMs -= static_cast<int>(real.restart());
        }
        QCoreApplication::processEvents();
    }

    RelogioManual m_relogio;
    const ethernet::Conexao* m_conexao = nullptr;
    int m_orcamentoMs = 0;
};

} // namespace apoio
