#include "ciclo.h"

#include "constantes.h"

#include <algorithm>

namespace ciclo {

int paginaDoDia(int dia)
{
    return (dia - 1) / 12 + 1;
}

int paginaDaHora(int hora)
{
    return hora / 12 + 4;
}

int intervaloNormal(int segundosDia)
{
    return 72 * segundosDia;
}

int intervaloReleitura(int segundosDia)
{
    // Two ticks a step: the time-out, the wait before a reply is handled, and a margin.
    const int minimo = (constantes::intervaloTimeOutMs + constantes::intervaloDadoRecebidoMs) / 2 + 100;
    return std::max(intervaloNormal(segundosDia), minimo);
}

void Ciclo::carregar(int intervalo)
{
    lerMesCompleto();
    lerDiaCompleto();
    passoCiclo = 0;
    intervaloAtualizacaoMes = intervalo;
}

void Ciclo::atualizarDia()
{
    passoCiclo = 3;
    lerDiaCompleto();
}

void Ciclo::atualizarMes()
{
    passoCiclo = 0;
    lerMesCompleto();
}

void Ciclo::tique(const QDate& hoje, const QTime& agora, const Acoes& a)
{
    Contadores& c = m_contadores;
    const int m = intervaloAtualizacaoMes;
    c.contadorTiques += 1;
    a.exibirParametro(QString::number(passoCiclo));
    a.barraMes(2 * m + 3, c.ciclosMes);
    if (c.contadorTiques == 2) {
        c.contadorTiques = 0;
        passoCiclo += 1;
        if (passoCiclo > 6) {
            passoCiclo = 0;
            a.barraDia(6, 0);
            // Reached or passed: the interval may have been lowered below the count.
            if (c.ciclosMes >= 2 * m) {
                c.ciclosMes = 0;
                leituraMesCompleta = false;
            }
            c.ciclosMes += 1;
            mesPerdido = leituraMesCompleta && a.mesLido && !a.mesLido();
            diaPerdido = leituraDiaCompleta && a.diaLido && !a.diaLido();
            if (mesPerdido)
                leituraMesCompleta = false;
            if (diaPerdido)
                leituraDiaCompleta = false;
        }

        // Month pages: all three after a load or every 2·M cycles, otherwise the one of today.
        // All three again, not only the missing ones: the month is recorded after "/3".
        if (!leituraMesCompleta) {
            a.acelerar();
            if (passoCiclo >= 1 && passoCiclo <= 3) {
                a.barraMes(2 * m + 3, 2 * m + passoCiclo);
                a.solicitarPagina(passoCiclo);
                if (passoCiclo == 3)
                    leituraMesCompleta = true;
            }
        } else {
            a.normalizar();
            const int k = paginaDoDia(hoje.day());
            if (passoCiclo == k)
                a.solicitarPagina(k);
        }

        if (passoCiclo == 6) {
            a.definirPagina(QStringLiteral("7"));
            if (!naoLerLotacao)
                a.solicitarPagina6();
        }

        // Hour pages: both after a load or a refresh, otherwise the one of the current half
        // of the day. The pace set last holds until the next step.
        int h = 0;
        const bool tarde = paginaDaHora(agora.hour()) == 5;
        const bool rapido = !leituraDiaCompleta && !diaPerdido;
        if (!leituraDiaCompleta) {
            if (passoCiclo == 4) {
                a.solicitarPagina(4);
                if (tarde)
                    manhaFechadaEm = hoje;
            }
            if (passoCiclo == 5) {
                a.solicitarPagina(5);
                leituraDiaCompleta = true;
            }
        } else {
            h = paginaDaHora(agora.hour());
            if (passoCiclo == h)
                a.solicitarPagina(h);
            // Once after noon the morning page again, for the last minutes of hour 11.
            if (passoCiclo == 4 && tarde && manhaFechadaEm != hoje) {
                a.solicitarPagina(4);
                manhaFechadaEm = hoje;
            }
        }
        // A cycle that asks again for pages found missing leaves each one its whole time-out.
        if (rapido)
            a.acelerar();
        else if (mesPerdido || diaPerdido)
            a.releitura();
        else
            a.normalizar();
        a.exibirPaginaHora(QString::number(h));
        a.exibirPasso(QString::number(passoCiclo));
    }
    a.barraDia(6, passoCiclo);
}

} // namespace ciclo
