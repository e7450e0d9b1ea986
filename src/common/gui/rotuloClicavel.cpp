#include "rotuloClicavel.h"

#include <QMouseEvent>

void RotuloClicavel::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        Q_EMIT clicado();
    QLabel::mouseReleaseEvent(evento);
}
