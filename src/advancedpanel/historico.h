#pragma once

#include "destinos.h"

#include <QList>
#include <QString>

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

} // namespace historico
