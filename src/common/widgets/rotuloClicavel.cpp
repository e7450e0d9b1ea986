#include "rotuloClicavel.h"

#include <QMouseEvent>

void RotuloClicavel::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton &&
        (m_soltarForaConta || rect().contains(evento->position().toPoint())))
        Q_EMIT clicado();
    QLabel::mouseReleaseEvent(evento);
}

void RotuloClicavel::mouseMoveEvent(QMouseEvent* evento)
{
    Q_EMIT apontado();
    QLabel::mouseMoveEvent(evento);
}

void RotuloClicavel::enterEvent(QEnterEvent* evento)
{
    Q_EMIT apontado();
    QLabel::enterEvent(evento);
}
