#include "dispositivoWindows.h"

#include <QGuiApplication>
#include <QScreen>

namespace dispositivoWindows {

namespace {
QSize resolucaoReal()
{
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        return tela->geometry().size();
    return {1024, 768};
}
} // namespace

std::function<QSize()> resolucaoTela = resolucaoReal;

void restaurar()
{
    resolucaoTela = resolucaoReal;
}

QSize lerResolucaoTela()
{
    return resolucaoTela();
}

} // namespace dispositivoWindows
