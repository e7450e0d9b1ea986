#pragma once

#include "controlesPainel.h"

#include <QScrollArea>

// The advanced panel's live figures, one tile each, in a column of fixed width that scrolls when
// the window is too short for it. The panel writes the captions and handles the clicks.
class FigurasAoVivo : public QScrollArea {
    Q_OBJECT
public:
    explicit FigurasAoVivo(QWidget* parent);

    QLabel* lblLotacao = nullptr;
    QLabel* lblTotal = nullptr;
    QLabel* lblMes = nullptr;
    QLabel* lblMediaDia = nullptr;
    QLabel* lblMediaHora = nullptr;
    QLabel* lblAtualizadoAgora = nullptr;
    QLabel* lblAtualizadoHoje = nullptr;
    QLabel* lblAtualizadoMedia = nullptr;
    QLabel* lblAtualizadoTotalMes = nullptr;
    RotuloClicavel* picAtualizarAgora = nullptr;
    RotuloClicavel* picture1 = nullptr;
    RotuloClicavel* picAtualizarTotalMes = nullptr;
    QLabel* lblParam = nullptr;
    QLabel* lblPag = nullptr;
    RotuloClicavel* label14 = nullptr; // the demonstration fill
};
