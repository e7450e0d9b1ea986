#include "ligacoes.h"

// The simple panel is not part of the program yet.
namespace ligacoes {

void instalarPainelSimples(Principal&) {}
void exibirDesconectadoSimples() {}
void ocultarDesconectadoSimples() {}
void abrirPainelSimples(Principal&) {}

} // namespace ligacoes
