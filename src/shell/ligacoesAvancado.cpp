#include "ligacoes.h"

#include "controle.h"

// The advanced panel is not part of the program yet.
namespace ligacoes {

void instalarPainelAvancado(Principal&) {}
void exibirDesconectadoAvancado() {}
void ocultarDesconectadoAvancado() {}
void abrirPainelAvancado(Principal&) {}
void avancadoDeveLerLotacao() {}
void avancadoNaoDeveLerLotacao() {}
void tratarResposta()
{
    controle::tratarResposta();
}

} // namespace ligacoes
