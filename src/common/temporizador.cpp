#include "temporizador.h"

#include "costuras.h"

#include <QCoreApplication>

#include <utility>

namespace {
// The one clock of the running test; a seam, like the others in costuras.
RelogioManual* g_relogioAtivo = nullptr;
} // namespace

Temporizador::Temporizador(QObject* pai) : QObject(pai), m_manual(RelogioManual::ativo())
{
    if (m_manual)
        m_manual->m_temporizadores.append(this);
    // Also on a manual clock: once that clock is gone, the timer runs on Qt's loop.
    connect(&m_real, &QTimer::timeout, this, &Temporizador::timeout);
}

Temporizador::~Temporizador() = default;

void Temporizador::setInterval(int ms)
{
    m_intervalo = ms;
    m_real.setInterval(ms);
    if (!m_manual)
        return;
    // Like QTimer: a new interval restarts a running timer.
    if (m_ativoManual)
        start();
}

void Temporizador::setSingleShot(bool unico)
{
    m_unico = unico;
    m_real.setSingleShot(unico);
}

void Temporizador::setTimerType(Qt::TimerType tipo)
{
    m_real.setTimerType(tipo);
}

bool Temporizador::isActive() const
{
    return m_manual ? m_ativoManual : m_real.isActive();
}

int Temporizador::remainingTime() const
{
    if (!m_manual)
        return m_real.remainingTime();
    return m_ativoManual ? static_cast<int>(m_venceMs - m_manual->m_ms) : -1;
}

void Temporizador::start()
{
    if (!m_manual) {
        m_real.start();
        return;
    }
    m_ativoManual = true;
    m_manual->agendar(this);
}

void Temporizador::start(int ms)
{
    setInterval(ms);
    start();
}

void Temporizador::stop()
{
    m_ativoManual = false;
    m_real.stop();
}

RelogioManual::RelogioManual(const QDateTime& inicio) : m_inicio(inicio), m_relogioAnterior(costuras::relogio)
{
    Q_ASSERT(!g_relogioAtivo);
    g_relogioAtivo = this;
    costuras::relogio = [this] { return agora(); };
}

RelogioManual::~RelogioManual()
{
    g_relogioAtivo = nullptr;
    costuras::relogio = m_relogioAnterior;
    for (const QPointer<Temporizador>& t : std::as_const(m_temporizadores)) {
        if (t)
            t->m_ativoManual = false;
    }
}

RelogioManual* RelogioManual::ativo()
{
    return g_relogioAtivo;
}

void RelogioManual::agendar(Temporizador* t)
{
    // A zero interval still moves time on, so a repeating timer cannot stall avancar().
    t->m_venceMs = m_ms + std::max(t->m_intervalo, 1);
    t->m_ordem = m_proximaOrdem++;
}

Temporizador* RelogioManual::proximoAte(qint64 limite) const
{
    Temporizador* proximo = nullptr;
    for (const QPointer<Temporizador>& t : m_temporizadores) {
        if (!t || !t->m_ativoManual || t->m_venceMs > limite)
            continue;
        if (!proximo || t->m_venceMs < proximo->m_venceMs ||
            (t->m_venceMs == proximo->m_venceMs && t->m_ordem < proximo->m_ordem))
            proximo = t;
    }
    return proximo;
}

void RelogioManual::avancar(qint64 ms)
{
    const qint64 alvo = m_ms + ms;
    QCoreApplication::processEvents();
    while (Temporizador* t = proximoAte(alvo)) {
        m_ms = t->m_venceMs;
        if (t->m_unico)
            t->m_ativoManual = false;
        else
            agendar(t);
        Q_EMIT t->timeout();
        QCoreApplication::processEvents();
    }
    m_ms = alvo;
    m_temporizadores.removeAll(QPointer<Temporizador>());
}
