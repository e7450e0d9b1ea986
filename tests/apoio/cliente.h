#pragma once

// Driving the whole client's polling cycle from a test.
#include "painelavancado.h"
#include "simuladorProcesso.h"

#include <QTest>

namespace apoio {

// Asks the panel for every page again at the fast pace, waits until "/1" and then "/6" went
// out after the call (a "/6" asked just before it does not count), then `esperaMs` more for
// the last reply to be handled or to time out.
inline void cicloCompleto(PainelAvancado* painel, SimuladorProcesso& simulador, int esperaMs)
{
    const qsizetype antes = simulador.pedidos().size();
    painel->clicarAtualizarTotalMes();
    painel->lerDiaCompleto();
    auto completo = [&] {
        const QStringList depois = simulador.caminhos().mid(antes);
        const qsizetype um = depois.indexOf(QStringLiteral("/1"));
        return um >= 0 && depois.indexOf(QStringLiteral("/6"), um) > um;
    };
    QTRY_VERIFY_WITH_TIMEOUT(completo(), 20000);
    QTest::qWait(esperaMs);
}

} // namespace apoio
