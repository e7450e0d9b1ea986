#pragma once

#include <QSize>

#include <functional>

// Screen metrics.
namespace dispositivoWindows {

// Width and height of the primary screen in pixels.
QSize lerResolucaoTela();

// Test seam: the screen size the panels lay themselves out on.
extern std::function<QSize()> resolucaoTela;
void restaurar();

} // namespace dispositivoWindows
