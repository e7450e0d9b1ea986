#pragma once

#include "regrasLotacao.h"

#include <QColor>

// The colours of the capacity states, for the windows (QColor is Qt Gui, kept out of the rules).
namespace regrasLotacao {

inline const QColor corAviso(0xFF, 0xB0, 0x00);
inline const QColor corLotado(0xFF, 0x20, 0x20);

// The digits' colour: `normal` below the warning level.
inline QColor cor(Estado estado, const QColor& normal)
{
    switch (estado) {
    case Estado::Aviso:
        return corAviso;
    case Estado::Lotado:
        return corLotado;
    case Estado::Normal:
        break;
    }
    return normal;
}

} // namespace regrasLotacao
