#include "painelAtivo.h"

namespace painelAtivo {

namespace {
bool g_painelSimplesAtivo = false;
}

void ativarPainelSimples()
{
    g_painelSimplesAtivo = true;
}
void desativarPainelSimples()
{
    g_painelSimplesAtivo = false;
}
bool painelSimplesEstaAtivo()
{
    return g_painelSimplesAtivo;
}

} // namespace painelAtivo
