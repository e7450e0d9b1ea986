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

QSize lerResolucaoTela()
{
    const QList<Tela> t = telas();
    if (t.isEmpty())
        return {1024, 768};
    return t.first().geometria.size();
}

} // namespace dispositivoWindows
