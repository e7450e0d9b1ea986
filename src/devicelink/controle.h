#pragma once

#include "destinos.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// Page requests, the reply dispatcher and the page handlers. Module procedures over the
// main window's exchange (ethernet::conexaoPrincipal()).
namespace controle {

// ---- reply format, free of any window ----------------------------------------------

// True when the text holds the status marker "status":1, (exact, case-sensitive).
bool respostaValida(const QString& texto);

// The value field of an entry marker: the five characters that begin six characters after
// the end of the first occurrence of `marcador`; shorter when the text ends sooner.
// nullopt when the marker does not occur.
std::optional<QString> lerValorCampo(const QString& texto, const QString& marcador);

// The field as stored text: unchanged when exactly five characters, else "00000".
QString comoTexto(const QString& campo);
// The field as a number: its leading decimal number in the shortest decimal text.
QString comoNumero(const QString& campo);

// Entry markers: "h": + n + "," for the hours and the live counts, "d": + n + "," for days.
QString marcadorHora(int n);
QString marcadorDia(int n);
// The hour markers of page /5 write the number as its last two digits of "00" + n.
QString marcadorHoraDoisDigitos(int n);

// Today's visits per hour, slots 0 to 24, each a five-character field ("00042").
using HorasDia = std::array<QString, 25>;

// Page /4 into hours 0 to 11: a value above 2000 is stored as "00000". A marker missing
// from the text leaves its slot as it was (then held to five characters).
void lerHorasManha(const QString& texto, HorasDia& horas);
// Page /5 into hours 12 to 23, without an upper limit.
void lerHorasTarde(const QString& texto, HorasDia& horas);

// This month's visits per day, slots 0 to 31 (slot d-1 is day d; slot 31 stays empty).
using DiasMes = std::array<QString, 32>;

// Reads days `de` to `ate` of a month page into `dias` (a day after `hoje` counts "00000");
// `aoLer` receives each day and its stored text.
void lerDias(const QString& texto, int de, int ate, int hoje, DiasMes& dias,
             const std::function<void(int dia, const QString& valor)>& aoLer = {});

// Every entry a page needs is present with a full five-digit field. A reply cut short or
// mangled on the way fails this and is ignored as a whole, so it cannot overwrite good
// counts with zeros. Pages other than 1 to 6 need nothing.
bool paginaCompleta(const QString& texto, const QString& subPagina);

// The floor of `soma` / `n`, as shortest decimal text; "---" when n < 1.
QString textoMedia(double soma, int n);

// ---- module state -------------------------------------------------------------------

const DiasMes& diasMes();

const HorasDia& horasHoje();
// This month's visits: the sum of the days in diasMes after the last month page.
double totalVisitasMes();
// Every day of diasMes holds a reading of the month of `dia` / every hour of horasHoje a
// reading made on `dia`. A date left out means today, read from the clock; so does it in the
// handlers below, which the dispatcher hands the one date it read for the reply.
bool mesLidoPorInteiro(const QDate& dia = {});
bool diaLidoPorInteiro(const QDate& dia = {});
// Empties horasHoje and the month figures, as at program start.
void redefinirEstado();

// ---- the windows the handlers write into --------------------------------------------

// Accessors that return the living panel, creating it hidden when there is none.
void definirPainelSimples(std::function<DestinoPainelSimples*()> acessar);
void definirPainelAvancado(std::function<DestinoPainelAvancado*()> acessar);

// ---- page requests and dispatch -------------------------------------------------------

void solicitarPagina1();
void solicitarPagina2();
void solicitarPagina3();
void solicitarPagina4();
void solicitarPagina5();
void solicitarPagina6();
// n = 1 ... 6
void solicitarPagina(int n);

// Run by TimerDadoRecebido on the main device log.
void tratarResposta();
// The dispatcher over a given reply; `subPaginaAtual` is asked afresh before each test.
void tratarResposta(const QString& texto, const std::function<QString()>& subPaginaAtual);

// ---- handlers (run by the dispatcher; public for the panels and for tests) ------------

void prepararGraficos();
void lerContagemAtual(const QString& texto);
void carimbarLeituraAtual();
void carimbarHistoricoMes();
void lerHorasManha(const QString& texto, const QDate& dia = {});
void lerHorasTarde(const QString& texto, const QDate& dia = {});
void preencherGraficoDia();
void lerDiasPagina1(const QString& texto, const QDate& dia = {});
void lerDiasPagina2(const QString& texto, const QDate& dia = {});
void lerDiasPagina3(const QString& texto, const QDate& dia = {});
void exibirMediaDiaria();
void gravarMes(const QDate& dia = {});
void exibirMediaHoraria();
void gravarDia(const QDate& dia = {});

} // namespace controle
