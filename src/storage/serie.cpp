#include "serie.h"

#include "textos.h"

namespace serie {

QString montar(const QStringList& slots)
{
    QString s;
    s.reserve(slots.size() * 5);
    for (const QString& slot : slots)
        s += strings::cincoDigitos(slot);
    return s;
}

QString grupo(const QString& serie, int n)
{
    if (n < 1)
        return {};
    return serie.mid(5 * (n - 1), 5);
}

int valorGrupo(const QString& serie, int n) { return static_cast<int>(strings::valorNumerico(grupo(serie, n))); }

QString mesZerado() { return QStringLiteral("00000").repeated(31); }

} // namespace serie
