#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Today's date and the time of day, always read through the clock seam (costuras::relogio).
namespace datas {

QDate hoje();
QTime agora();

QString textoData(); // "dd/MM/yyyy"
QString textoHora(); // "hh:mm:ss", 24-hour clock

QString diaHoje(); // two digits, "07"
QString mesHoje(); // two digits, "03"
QString anoHoje(); // four digits, "2024"

// "as " + hh:mm:ss, the stamp of an accepted reading.
QString carimbo();

// Month column of table Meses: "jan" ... "dez", September "sete"; empty outside 1..12.
QString colunaMes(int mes);
// Day column of table Dias: "hora1" ... "hora31"; empty outside 1..31.
QString colunaDia(int dia);

} // namespace datas
