#pragma once

#include <QRect>
#include <QString>

namespace dispositivoWindows {

// One connected screen: its name and its place on the desktop, in the program's pixels. Plain
// data, so that the rules choosing a screen need no Qt Gui; gui/dispositivoWindows.h reads them.
struct Tela {
    QString nome;
    QRect geometria;
};

} // namespace dispositivoWindows
