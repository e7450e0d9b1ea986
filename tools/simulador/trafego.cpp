#include "trafego.h"

#include <algorithm>
#include <cmath>

namespace trafego {

namespace {

constexpr int segundosHora = 3600;
constexpr int segundosDia = 24 * segundosHora;

// Mean visits per hour of a weekday: a few at night, busy from 8 to 19 with a midday peak.
constexpr std::array<double, 24> perfilSemana{0.1,  0.05, 0.0,  0.0,  0.0,  0.1,  0.6,  4.0,
                                              18.0, 34.0, 52.0, 70.0, 92.0, 88.0, 64.0, 54.0,
                                              58.0, 68.0, 48.0, 26.0, 9.0,  3.0,  1.0,  0.3};

std::uint64_t misturar(std::uint64_t x)
{
    // splitmix64: cheap, well spread and the same on every platform.
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Uniform in [0, 1), fixed by the seed, the day and a slot number.
double uniforme(std::uint32_t semente, QDate dia, std::uint64_t slot)
{
    const auto jd = static_cast<std::uint64_t>(dia.toJulianDay());
    const std::uint64_t h = misturar(misturar((static_cast<std::uint64_t>(semente) << 32) ^ jd) ^ slot);
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

double fatorSemana(QDate dia, int hora)
{
    switch (dia.dayOfWeek()) {
    case Qt::Saturday:
        return hora < 14 ? 1.3 : 0.7;
    case Qt::Sunday:
        return 0.45;
    default:
        return 1.0;
    }
}

} // namespace

int visitasHora(std::uint32_t semente, QDate dia, int hora)
{
    if (!dia.isValid() || hora < 0 || hora > 23)
        return 0;
    const double fatorDia = 0.85 + 0.3 * uniforme(semente, dia, 100);
    const double ruido = 0.75 + 0.5 * uniforme(semente, dia, 200 + static_cast<std::uint64_t>(hora));
    const double media =
        perfilSemana[static_cast<std::size_t>(hora)] * fatorSemana(dia, hora) * fatorDia * ruido;
    // Random rounding keeps the quiet hours at an occasional single visit.
    const double sorteio = uniforme(semente, dia, 300 + static_cast<std::uint64_t>(hora));
    return static_cast<int>(std::floor(media + sorteio));
}

int permanenciaMinutos(std::uint32_t semente, QDate dia)
{
    return 30 + static_cast<int>(uniforme(semente, dia, 400) * 31.0);
}

int entradasAte(std::uint32_t semente, QDate dia, int segundos)
{
    segundos = std::clamp(segundos, 0, segundosDia);
    const int horaAtual = segundos / segundosHora;
    int soma = 0;
    for (int h = 0; h < horaAtual; ++h)
        soma += visitasHora(semente, dia, h);
    if (horaAtual < 24) {
        const long long parcial = static_cast<long long>(visitasHora(semente, dia, horaAtual)) *
                                  (segundos % segundosHora) / segundosHora;
        soma += static_cast<int>(parcial);
    }
    return soma;
}

Hoje contagemHoje(std::uint32_t semente, const QDateTime& agora)
{
    Hoje hoje;
    const QDate dia = agora.date();
    const int segundos = agora.time().msecsSinceStartOfDay() / 1000;
    const int horaAtual = segundos / segundosHora;
    for (int h = 0; h < 24; ++h) {
        if (h < horaAtual)
            hoje.horas[static_cast<std::size_t>(h)] = visitasHora(semente, dia, h);
        else if (h == horaAtual)
            hoje.horas[static_cast<std::size_t>(h)] =
                static_cast<int>(static_cast<long long>(visitasHora(semente, dia, h)) *
                                 (segundos % segundosHora) / segundosHora);
    }
    for (int v : hoje.horas)
        hoje.total += v;
    // Whoever came in during the last stay is still inside; the day starts empty.
    const int saidas = entradasAte(semente, dia, segundos - permanenciaMinutos(semente, dia) * 60);
    hoje.lotacao = std::max(0, hoje.total - saidas);
    return hoje;
}

int totalDia(std::uint32_t semente, QDate dia, const QDateTime& agora)
{
    if (!dia.isValid() || dia > agora.date())
        return 0;
    if (dia == agora.date())
        return contagemHoje(semente, agora).total;
    return entradasAte(semente, dia, segundosDia);
}

} // namespace trafego
