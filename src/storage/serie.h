#pragma once

#include <QString>
#include <QStringList>

// Count series: fixed groups of five zero-padded decimal digits without separators.
namespace serie {

// Joins the slots, each as the last five characters of "00000" + slot.
QString montar(const QStringList& slots);

// The text of group n (1-based); shorter or empty when the series ends sooner.
QString grupo(const QString& serie, int n);

// The visits a group holds: its leading digits, blanks before them skipped. A sign or any
// other character ends the number, so a damaged group ("-0001") never counts negative.
int valor(const QString& grupo);

// Numeric value of group n; an empty or missing group counts 0.
int valorGrupo(const QString& serie, int n);

// 31 groups of "00000": a month cleared by deletion.
QString mesZerado();

} // namespace serie
