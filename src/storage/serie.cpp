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

int valor(const QString& grupo)
{
    qsizetype i = 0;
    while (i < grupo.size() && grupo.at(i) == u' ')
        ++i;
    int v = 0;
    for (; i < grupo.size(); ++i) {
        const char16_t c = grupo.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        // Five digits at most in a group; a longer run read from elsewhere stays in range.
        if (v > 99999999)
            break;
        v = v * 10 + (c - u'0');
    }
    return v;
}

int valorGrupo(const QString& serie, int n)
{
    return valor(grupo(serie, n));
}

QString mesZerado()
{
    return QStringLiteral("00000").repeated(31);
}

} // namespace serie
