#pragma once

#include "banco.h"

#include <QString>
#include <QStringList>

#include <optional>

// The rules of the advanced panel settings, apart from the window so they can be checked alone.
namespace ajustes {

// Texts shipped in the settings row; also what an unreadable or empty field falls back to.
inline constexpr char16_t inicioPadrao[] = u"08h";
inline constexpr char16_t fimPadrao[] = u"18h";
inline constexpr char16_t tempoMesPadrao[] = u"03 min";
inline constexpr char16_t tempoDiaPadrao[] = u"30 seg";

// "05h": the last two characters of "00" followed by the hour, then "h".
QString textoHora(int hora);
// The hour texts from `de` to 23, ascending (empty when `de` is past 23).
QStringList horasDesde(int de);

// Numeric value of an hour text ("08h" gives 8, junk gives 0).
int valorHora(const QString& texto);
// Numeric value of the first two characters of an interval text ("30 seg" 30, "03 min" 3).
int valorTempo(const QString& texto);

// The first hour the end list offers for first business hour `inicio`.
int primeiraHoraFim(int inicio);
// Picking `inicio` as first hour while the last is `fim`: the new last-hour text when the last
// hour has to move, nullopt when it stays.
std::optional<QString> fimAposEscolherInicio(int inicio, int fim);
// The month interval that goes with a day interval: "03 min" with 30 s, "10 min" otherwise.
QString tempoMesCombinado(const QString& tempoDia);

// The stored row made usable: valid texts are kept exactly; an hour field that begins with a
// number becomes that hour (clamped to 0..23), other hour texts fall back to the shipped
// ones; the last hour never lies before the first; intervals are 30/60 s and 3/10 min.
banco::PainelAvancado normalizar(const banco::PainelAvancado& lido);

} // namespace ajustes
