#include "quiosquePainel.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

// The pointer hides after resting this long over the panel.
constexpr int esperaPonteiroMs = 3000;

} // namespace

QuiosquePainel::QuiosquePainel(QWidget& painel) : QObject(&painel), m_painel(painel)
{
    m_timerPonteiro.setObjectName(QStringLiteral("TimerPonteiro"));
    m_timerPonteiro.setParent(&painel);
    m_timerPonteiro.setSingleShot(true);
    m_timerPonteiro.setInterval(esperaPonteiroMs);
    connect(&m_timerPonteiro, &Temporizador::timeout, this, &QuiosquePainel::tiquePonteiro);
}

void QuiosquePainel::aoMostrar()
{
    m_protecaoTela.inibir();
    // The pointer's rest is timed from when it enters or moves over the panel only: a pointer
    // left on another screen must stay visible there.
    if (QWindow* w = m_painel.windowHandle())
        w->installEventFilter(this);
}

void QuiosquePainel::aoOcultar()
{
    m_protecaoTela.liberar();
    m_timerPonteiro.stop();
    mostrarPonteiro();
}

bool QuiosquePainel::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == m_painel.windowHandle()) {
        // The pointer rests hidden over the public display and comes back when it moves.
        switch (evento->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            mostrarPonteiro();
            m_timerPonteiro.start();
            break;
        case QEvent::Leave:
            mostrarPonteiro();
            m_timerPonteiro.stop();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(objeto, evento);
}

void QuiosquePainel::tiquePonteiro()
{
    if (m_ponteiroOculto || !m_painel.isVisible())
        return;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    m_ponteiroOculto = true;
}

void QuiosquePainel::mostrarPonteiro()
{
    if (!m_ponteiroOculto)
        return;
    m_ponteiroOculto = false;
    QGuiApplication::restoreOverrideCursor();
}
