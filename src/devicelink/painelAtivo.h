#pragma once

// Which panel receives the connection-status notifications: the simple panel from the menu
// command that opens it until it closes, the advanced panel otherwise.
namespace painelAtivo {

void ativarPainelSimples();
void desativarPainelSimples();
bool painelSimplesEstaAtivo();

} // namespace painelAtivo
