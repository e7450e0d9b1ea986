#pragma once

#include "planilha.h"
#include "relatorios.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

// Spreadsheet files (.xlsx, with libxlsxwriter) and the period's text file, each written to a
// temporary file in the destination folder and renamed over the old file only once complete.
namespace exportacao {

// "excel_" + ano + "_" + mes + ".xlsx"
QString nomeArquivoMes(const QString& ano, const QString& mes);

// The month as the chart holds it: a title row, "Dia"/"Visitas", the (label, value) of every
// day as numbers, the total and the mean per day with visits, and a column chart of the days.
planilha::Resultado gravarMesXlsx(const QString& caminho, const QString& mes, const QString& ano,
                                  const QList<std::pair<QString, QString>>& dias);

// One row per recorded day: date, weekday, total and the 24 hours, under a title row.
planilha::Resultado gravarPeriodoXlsx(const QString& caminho, const QDate& inicio, const QDate& fim,
                                      const QList<relatorios::Dia>& dias);
planilha::Resultado gravarPeriodoCsv(const QString& caminho, const QList<relatorios::Dia>& dias);

} // namespace exportacao
