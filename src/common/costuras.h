#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// Replaceable entry points for tests. Each defaults to the real thing; a test sets its own
// and puts the default back with restaurar().
namespace costuras {

// Date and time of day.
extern std::function<QDateTime()> relogio;
// Folder of the database and the exports (the executable's folder by default).
extern std::function<QString()> pastaAplicacao;
// This computer's own IPv4 address as dotted text, empty when it has none.
extern std::function<QString()> ipLocal;
// Uniform random number in [0, 1), for the demonstration fill.
extern std::function<double()> aleatorio;
// Port of a device address written without one.
extern std::function<quint16()> portaPadrao;

void restaurar();

// The clock fixed at a date and time, for tests: "10/03/2024", "14:05:33".
void fixarRelogio(const QString& data, const QString& hora);

} // namespace costuras
