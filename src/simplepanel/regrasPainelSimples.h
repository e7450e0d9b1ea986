#pragma once

#include <QRectF>
#include <QString>

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
    aumentarFonteLotacao,
    diminuirFonteLotacao,
    aumentarFonteTotal,
    diminuirFonteTotal,
    aumentarLegendaFonteLotacao,
    diminuirLegendaFonteLotacao,
    aumentarLegendaFonteTotal,
    diminuirLegendaFonteTotal,
    aumentarFonteinfoEmpresa,
    diminuirFonteinfoEmpresa,
    posicaoLotacao,
    posicaomenosLotacao,
    posicaoTotal,
    posicaomenosTotal,
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

// Caption of a size display: the integer part of font size / 10 ("20" for 200, "4" for 40).
QString textoTamanhoFonte(double fonte);

// ---- refresh interval ------------------------------------------------------------------

// N: the number at the start of the caption of lbl_tempoAtualizacao ("60s" -> 60).
double numeroIntervalo(const QString& legenda);
// A stored caption without a positive number would make the timer fire without pause and
// flood the device; such a caption is replaced by the panel's default "60s".
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

// ---- message ------------------------------------------------------------------------------

// The message as shown and stored: the editor's text without leading and trailing blanks.
QString textoMensagem(const QString& editor);
constexpr int maximoMensagem = 200;

} // namespace regrasPainelSimples
