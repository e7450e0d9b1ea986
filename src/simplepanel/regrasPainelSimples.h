#pragma once

#include "tela.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

// The simple panel's layout and refresh rules, free of any widget: the window applies them
// and the tests check them directly.
namespace regrasPainelSimples {

// ---- screen geometry -------------------------------------------------------------------

// Placement of the controls that follow the screen size (left, top, width, height in
// pixels from the top-left corner of the screen).
struct Geometria {
    QRectF txtInfoEmpresa;         // the message editor
    QRectF lblInfoEmpresa;         // the message
    QRectF frmDesconectado;        // red strip along the bottom edge
    QRectF lblLegendaDesconectado; // "Desconectado", right-aligned
    QRectF frmBarra;               // holder of the progress strip
    QRectF txtOcultarMouse;        // invisible focus holder
    double larguraNumeros = 0;     // width of both numbers and both legends
};
Geometria calcularGeometria(int larguraTela, int alturaTela);

// ---- positions and font sizes that the user adjusts --------------------------------------

// What the options frame changes, in points (fonts) and pixels (tops).
struct Disposicao {
    double lotacaoFonte = 200;
    double lotacaoTopo = 0;
    double totalFonte = 200;
    double totalTopo = 0;
    double legendaLotacaoFonte = 30;
    double legendaLotacaoTopo = 0;
    double legendaTotalFonte = 30;
    double legendaTotalTopo = 0;
    double txtInfoFonte = 18; // editor of the message
    double txtInfoTopo = 0;
    double lblInfoFonte = 18; // the message on the panel
    double lblInfoTopo = 0;
};

// One button of the options frame, named after its control.
enum class Ajuste {
    AumentarFonteLotacao,
    DiminuirFonteLotacao,
    AumentarFonteTotal,
    DiminuirFonteTotal,
    AumentarLegendaFonteLotacao,
    DiminuirLegendaFonteLotacao,
    AumentarLegendaFonteTotal,
    DiminuirLegendaFonteTotal,
    AumentarFonteinfoEmpresa,
    DiminuirFonteinfoEmpresa,
    PosicaoLotacao,
    PosicaomenosLotacao,
    PosicaoTotal,
    PosicaomenosTotal,
};

// Applies one press. The bound is tested on the value before the step, so a value may pass
// it once; a press whose test fails changes nothing and returns false.
bool aplicarAjuste(Ajuste ajuste, Disposicao& d);

// posicionarlegendas: legends above their numbers, the editor raised by its font size, the
// message label taking the editor's font size.
void posicionarLegendas(Disposicao& d);

// "Padrões" without the check boxes: default sizes, tops from the screen size, then
// posicionarlegendas. The top of the message label stays where it is.
void redefinirPadroes(Disposicao& d, int larguraTela, int alturaTela);

// A stored layout made usable: each size and top within what the options frame can reach
// (a bound is tested before the step, so the buttons pass it once), else that value's
// "Padrões" for this screen. NaN, infinities and values that would put the digits off the
// screen or below any readable size are not used as read.
Disposicao disposicaoValida(const Disposicao& lida, int larguraTela, int alturaTela);

// Caption of a size display: the integer part of font size / 10 ("20" for 200, "4" for 40).
QString textoTamanhoFonte(double fonte);

// ---- refresh interval ------------------------------------------------------------------

// N: the number at the start of the caption of lbl_tempoAtualizacao ("60s" -> 60).
double numeroIntervalo(const QString& legenda);
// A stored caption below 10 s would make the hidden panel ask for /6 every second or faster,
// cutting off the polling cycle's history pages (the latest request wins); one without a
// number would make the timer fire without pause, and one past what the clicks reach (69 s)
// would leave the public figures without refresh for days. Each is replaced by the default
// "60s"; a valid one is kept as its number followed by "s".
QString legendaIntervaloValida(const QString& legenda);
// TimerLT's interval: N x 100 ms, held within what a timer accepts (at least 1 ms).
int intervaloTimerMs(const QString& legenda);
// A click on the caption: "10s" after 60 or more, else N + 10 followed by "s".
QString proximoIntervalo(const QString& legenda);

// One tick of TimerLT over the counter of ticks since the last request.
struct Tique {
    int valorBarra = 0;     // progress bar value, within 0 ... N
    bool solicitar = false; // page /6 is requested on this tick
};
// The counter reaches N and a request goes out; a counter already past N (the interval was
// just lowered) requests at once, so the rhythm picks up the new interval without a stall.
Tique tique(double n, int& contador);

// ---- the screen the panel covers ---------------------------------------------------------

using Tela = dispositivoWindows::Tela;
// Index of the screen to cover, -1 when there is none: the operator's choice while that screen
// is connected; with one screen, that one; otherwise a screen other than the one holding the
// main window (the largest of them, a television being the usual public display).
int escolherTela(const QList<Tela>& telas, const QRect& janelaPrincipal, const QString& escolhida);
// How the chosen screen i is stored: its name, place and size ("screen@0,0 1024x768"), and
// "#2" for the second of screens alike in all that; separate X screens are all called "screen"
// and all start at 0,0. A stored bare name still finds its screen.
QString chaveTela(const QList<Tela>& telas, int i);
// Index of the chosen screen among those connected, -1 when it is not there.
int indiceTela(const QList<Tela>& telas, const QString& escolhida);
// A click on the screen choice: automatic (empty), then each screen in turn, then automatic
// again. A choice whose screen is gone starts over at the first screen.
QString proximaTela(const QList<Tela>& telas, const QString& escolhida);

// ---- options frame on short screens ----------------------------------------------------

// A group of controls of the options frame: its vertical extent in the frame's original
// single column, and whether it always starts a column of its own.
struct BlocoOpcoes {
    int topo = 0;
    int fim = 0;
    bool novaColuna = false;
};
struct DisposicaoOpcoes {
    QList<QPoint> deslocamentos; // per block, added to its controls' original places
    QSize tamanho;               // the frame's size
};
constexpr int larguraColunaOpcoes = 105;
// Blocks keep their original places while they fit in `alturaDisponivel`; a block that would
// reach past it starts a new column to the right, so that every control (and the "X" that
// closes the frame) stays on screen at large scaling or on short screens.
DisposicaoOpcoes disporOpcoes(const QList<BlocoOpcoes>& blocos, int alturaDisponivel);

// ---- message ------------------------------------------------------------------------------

// The message as shown and stored: the editor's text without leading and trailing blanks.
QString textoMensagem(const QString& editor);
constexpr int maximoMensagem = 200;

} // namespace regrasPainelSimples
