#pragma once

#include "encaixeTela.h"
#include "regrasPainelSimples.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;
class RotuloClicavel;

// What the simple panel shows the public: the occupancy and today's total with their
// legends, the message and its two editors, the disconnected warning, the refresh bar, and
// the "?" and "X" in the corner. Builds them on the panel and places them for its screen.
struct ExibicaoPainel {
    ExibicaoPainel(QWidget* painel, const regrasPainelSimples::Disposicao& d);

    // The places that follow the screen's size; the message's tops go into `d`.
    void dispor(regrasPainelSimples::Disposicao& d, int larguraTela, int alturaTela);
    // Fonts and tops of the numbers, the legends and the message, kept whole on screen.
    void aplicar(const regrasPainelSimples::Disposicao& d, int alturaTela);
    // The ink of the numbers and legends per point of their fonts, for the fitting.
    encaixeTela::Tintas medirTintas(bool lotacaoVisivel, bool totalVisivel) const;

    QLabel* lblLotacao = nullptr;
    QLabel* lblLegendaLotacao = nullptr;
    QLabel* lblTotal = nullptr;
    QLabel* lblLegendaTotal = nullptr;
    QLabel* lblInfoEmpresa = nullptr;
    QLineEdit* txtInfoEmpresa = nullptr;
    QLineEdit* txtInfoLotado = nullptr;
    QFrame* frmDesconectado = nullptr;
    QLabel* lblLegendaDesconectado = nullptr;
    QFrame* frmBarra = nullptr;
    QProgressBar* barAtualizacao = nullptr;
    QLineEdit* txtOcultarMouse = nullptr;
    RotuloClicavel* lblOpcoes = nullptr;
    RotuloClicavel* lblFechar = nullptr;
};
