#include "dispositivoWindows.h"

#include <QGuiApplication>
#include <QScreen>

namespace dispositivoWindows {

namespace {
QList<Tela> telasReais()
{
    QList<Tela> r;
    const QScreen* primaria = QGuiApplication::primaryScreen();
    if (primaria)
        r.append({primaria->name(), primaria->geometry()});
    for (const QScreen* t : QGuiApplication::screens())
        if (t != primaria)
            r.append({t->name(), t->geometry()});
    return r;
}
} // namespace

std::function<QList<Tela>()> telas = telasReais;

void restaurar()
{
    telas = telasReais;
}

QList<Tela> lerTelas()
{
    return telas();
}

} // namespace dispositivoWindows
