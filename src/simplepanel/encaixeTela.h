#pragma once

#include "regrasPainelSimples.h"

// Fitting the panel's numbers and legends to the screen it opens on. Tops are pixels and
// sizes points, so a layout made on one screen may overlap or run off another one, or the
// same one at another scale. Widget-free: the window measures its fonts and passes the
// measures in.
namespace encaixeTela {

// Where a text's ink lies below its label's top edge, and how wide it is, per point of font
// size (text drawn from the label's top, so all three grow with the size).
struct Tinta {
    double topo = 0;
    double fim = 0;
    double largura = 0;
};
struct Tintas {
    Tinta lotacao;
    Tinta legendaLotacao;
    Tinta total;
    Tinta legendaTotal;
    bool lotacaoVisivel = true;
    bool totalVisivel = true;
};

// The room the numbers have: the screen's width, and from the top edge down to the message.
struct Espaco {
    double largura = 0;
    double limite = 0;
};

// Nothing shown overlaps anything else, and all of it is inside the room.
bool cabe(const regrasPainelSimples::Disposicao& d, const Tintas& t, const Espaco& e);

// "Padrões" for this screen: the classic layout of a 1920 x 1080 screen, sized to the screen,
// smaller still should it not fit. The message keeps its own defaults.
void padroes(regrasPainelSimples::Disposicao& d, int larguraTela, int alturaTela, const Tintas& t,
             const Espaco& e);

// A stored layout that does not fit is shrunk as a whole, so the operator's arrangement stays;
// one whose parts overlap or start above the screen gets this screen's "Padrões". Returns
// whether anything changed.
bool encaixar(regrasPainelSimples::Disposicao& d, int larguraTela, int alturaTela, const Tintas& t,
              const Espaco& e);

} // namespace encaixeTela
