#pragma once

#include "destinos.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// Chart shapes and the history fills of the two charts, over the chart interface alone.
namespace historico {

// 31 categories labelled 1 to 31.
void defineLegendaColunasChartMes(controle::DestinoGrafico& chartMes);
// One category per business hour, labelled with the hour; none when fim < inicio.
void defineLegendaColunasChartDia(controle::DestinoGrafico& chartDia, int inicio, int fim);

struct Figuras {
    long long total = 0;
    long long media = 0;
};

// Series 2 of the month chart from a Meses month column (groups of five digits, day 1 first).
// The means are over the days (hours) with at least one visit, and by 1 when there is none.
Figuras preencherMes(const QString& dadosMes, controle::DestinoGrafico& chartMes);
// Series 2 of the day chart from a Dias day column (24 groups, hour 0 first), the business
// hours from `inicio` on, as many as the chart has categories.
Figuras preencherDia(const QString& dadosDia, int inicio, controle::DestinoGrafico& chartDia);

// The (label, value) of every category of series 2, for the export.
QList<std::pair<QString, QString>> pontosHistorico(controle::DestinoGrafico& grafico);

// "01" ... "12" and "01" ... "31", the lists of the selectors.
QStringList mesesDoAno();
QStringList diasDoMes();

// The demonstration fill: made-up figures for showing the panel without a device.
struct Demonstracao {
    QList<int> horas; // today, one per business hour from the first
    QList<int> dias;  // the month, days 1 to 31
    long long totalHoje = 0;
    long long totalMes = 0;
    long long mediaHora = 0;    // over the business hours
    long long mediaDia = 0;     // over 31 days
    std::optional<int> lotacao; // the last hour's figure; none without business hours
};
// `aleatorio` gives numbers in [0, 1).
Demonstracao demonstracao(int inicio, int fim, const std::function<double()>& aleatorio);

} // namespace historico
