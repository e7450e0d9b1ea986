#pragma once

#include "destinos.h"

#include <QString>

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

} // namespace controle
