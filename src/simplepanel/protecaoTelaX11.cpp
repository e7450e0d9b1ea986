// The X server's own screen saver and display power saving, kept away while the panel is on
// screen. Apart from the rest: the X headers' macros (None, Bool, Status) clash with Qt's names.
#include "protecaoTela.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

// Suspension through the screen saver extension covers blanking and DPMS alike, and the
// server lifts it by itself should the program end without resuming.
void suspenderReal(bool suspender)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* tela = x11 ? x11->display() : nullptr;
    if (!tela)
        return; // not on X (offscreen, Wayland): nothing of the server's to hold
    int evento = 0;
    int erro = 0;
    if (!XScreenSaverQueryExtension(tela, &evento, &erro))
        return;
    XScreenSaverSuspend(tela, suspender ? True : False);
    XFlush(tela);
}

} // namespace

namespace costuras {

std::function<void(bool)> suspenderProtecaoX = suspenderReal;

void restaurarProtecaoX()
{
    suspenderProtecaoX = suspenderReal;
}

} // namespace costuras
