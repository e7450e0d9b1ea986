// Visit counts of the simulated shop: pure functions of the seed, the date and the time of day.
#pragma once

#include <QDate>
#include <QDateTime>

#include <array>
#include <cstdint>

namespace trafego {

// Visits of a whole hour (0 to 23) of a day.
int visitasHora(std::uint32_t semente, QDate dia, int hora);

// How long a visitor of that day stays inside, in minutes (30 to 60).
int permanenciaMinutos(std::uint32_t semente, QDate dia);

// Visits counted on a day from midnight until `segundos` seconds after it (clamped to the day).
// Visitors of an hour arrive evenly spread over it.
int entradasAte(std::uint32_t semente, QDate dia, int segundos);

struct Hoje {
    std::array<int, 24> horas{}; // hours after now are 0, the current one partial
    int total = 0;               // sum of `horas`
    int lotacao = 0;             // people inside now
};

Hoje contagemHoje(std::uint32_t semente, const QDateTime& agora);

// Total of a day as the device would report it at `agora`: a whole day in the past, today so far,
// and 0 for days still to come.
int totalDia(std::uint32_t semente, QDate dia, const QDateTime& agora);

} // namespace trafego
