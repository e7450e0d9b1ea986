#include "ligacoes.h"

#include "controle.h"
#include "painelAtivo.h"
#include "painelSimples.h"
#include "principal.h"

namespace ligacoes {

void instalarPainelSimples(Principal&)
{
    // The live-count handler writes into the panel, creating it hidden when none is alive.
    controle::definirPainelSimples(
        []() -> controle::DestinoPainelSimples* { return janelas::painelsimples(); });
    // However the panel closes, the advanced panel's cycle reads the occupancy again.
    janelas::definirAoCriarPainelSimples([](PainelSimples* janela) {
        QObject::connect(janela, &PainelSimples::fechando, janela, [] { avancadoDeveLerLotacao(); });
    });
}

void exibirDesconectadoSimples()
{
    janelas::painelsimples()->exibirDesconectado();
}

void ocultarDesconectadoSimples()
{
    janelas::painelsimples()->ocultarDesconectado();
}

void abrirPainelSimples(Principal& principal)
{
    avancadoNaoDeveLerLotacao();
    PainelSimples* painel = janelas::painelsimples();
    painel->ativarTimerLT();
    principal.definirPagina(QStringLiteral("6"));
    painelAtivo::ativarPainelSimples();
    painel->exec();
}

} // namespace ligacoes
