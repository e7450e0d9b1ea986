#include "ligacoes.h"

#include "controle.h"
#include "painelavancado.h"
#include "principal.h"

namespace ligacoes {

void instalarPainelAvancado(Principal& principal)
{
    Principal* p = &principal;
    janelas::definirPrincipalPainelAvancado([p](const QString& t) { p->definirPagina(t); },
                                            [p](const QString& t) { p->definirLegendaLog(t); });
    // The reply handlers touch the panel; touching it brings it to life hidden.
    controle::definirPainelAvancado([] { return janelas::painelavancado(); });
}

void exibirDesconectadoAvancado()
{
    janelas::painelavancado()->exibirDesconectadoAvancado();
}

void ocultarDesconectadoAvancado()
{
    janelas::painelavancado()->ocultarDesconectadoAvancado();
}

void abrirPainelAvancado(Principal& principal)
{
    PainelAvancado* painel = janelas::painelavancado();
    painel->deveLerLotacao();
    principal.definirPagina(QStringLiteral("1"));
    painel->exec();
}

void avancadoDeveLerLotacao()
{
    janelas::painelavancado()->deveLerLotacao();
}

void avancadoNaoDeveLerLotacao()
{
    janelas::painelavancado()->naoDeveLerLotacao();
}

void tratarResposta()
{
    controle::tratarResposta();
}

} // namespace ligacoes
