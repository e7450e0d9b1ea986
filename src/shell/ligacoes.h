#pragma once

class Principal;

// The wiring between the main window, the exchange with the device and the other windows.
// The main window stays unaware of the panels; everything that crosses goes through here.
namespace ligacoes {

// Connects everything once the main window exists (before its start-up request).
void instalar(Principal& principal);

// Per panel, in ligacoesAvancado.cpp and ligacoesSimples.cpp.
void instalarPainelAvancado(Principal& principal);
void instalarPainelSimples(Principal& principal);
void exibirDesconectadoAvancado();
void ocultarDesconectadoAvancado();
void exibirDesconectadoSimples();
void ocultarDesconectadoSimples();
void abrirPainelAvancado(Principal& principal);
void abrirPainelSimples(Principal& principal);
// Whether the advanced panel's polling cycle asks for the occupancy page (the simple panel
// reads it while it is on screen).
void avancadoDeveLerLotacao();
void avancadoNaoDeveLerLotacao();
// The reply dispatcher, run by TimerDadoRecebido.
void tratarResposta();

} // namespace ligacoes
