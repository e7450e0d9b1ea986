#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

// Screen metrics.
namespace dispositivoWindows {

// One connected screen: its name and its place on the desktop, in the program's pixels.
struct Tela {
    QString nome;
    QRect geometria;
};

// The connected screens, the primary one first.
QList<Tela> lerTelas();
// Width and height of the primary screen in pixels.
QSize lerResolucaoTela();

// Test seam: the screens the panels lay themselves out on.
extern std::function<QList<Tela>()> telas;
void restaurar();

} // namespace dispositivoWindows
