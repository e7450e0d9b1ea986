#pragma once

// Driving the whole client's polling cycle from a test.
#include "painelavancado.h"
#include "simuladorProcesso.h"
#include "tempoVirtual.h"

#include <QTest>

namespace apoio {

// Asks the panel for every page again at the fast pace, waits until "/1" and then "/6" went
// out after the call (a "/6" asked just before it does not count), then `esperaMs` more for
// the last reply to be handled or to time out.
inline bool cicloCompleto(TempoVirtual& tempo, PainelAvancado* painel, SimuladorProcesso& simulador, int esperaMs)
{
    const qsizetype antes = simulador.pedidos().size();
    painel->clicarAtualizarTotalMes();
    painel->lerDiaCompleto();
    auto completo = [&] {
        const QStringList depois = simulador.caminhos().mid(antes);
        const qsizetype um = depois.indexOf(QStringLiteral("/1"));
        return um >= 0 && depois.indexOf(QStringLiteral("/6"), um) > um;
    };
    if (!tempo.avancarAte(completo, 60000))
        return false;
    tempo.avancar(esperaMs);
    return true;
}

} // namespace apoio
