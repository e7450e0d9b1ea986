#pragma once

#include "protecaoTela.h"
#include "temporizador.h"

#include <QObject>

class QWidget;

// The simple panel as a kiosk: while it is on screen the desktop's screen saver stays away,
// and the pointer hides once it rests over the panel and comes back when it moves.
class QuiosquePainel : public QObject {
    Q_OBJECT
public:
    explicit QuiosquePainel(QWidget& painel);

    // The panel came on screen, or left it.
    void aoMostrar();
    void aoOcultar();
    // The pointer has rested over the panel for TimerPonteiro's interval.
    void tiquePonteiro();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostrarPonteiro();

    QWidget& m_painel;
    ProtecaoTela m_protecaoTela;
    Temporizador m_timerPonteiro;
    bool m_ponteiroOculto = false;
};
