#pragma once

#include "tela.h"

#include <QList>
#include <QSize>

#include <functional>

// Screen metrics.
namespace dispositivoWindows {

// The connected screens, the primary one first.
QList<Tela> lerTelas();

// Test seam: the screens the panels lay themselves out on.
extern std::function<QList<Tela>()> telas;
void restaurar();

} // namespace dispositivoWindows
