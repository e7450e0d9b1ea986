#include "banco.h"

#include <algorithm>
#include <cmath>
#include <limits>

// What a stored value must be before the program uses it. The file may have been edited by
// hand, damaged, or written by an older build: a value out of range is never used as read.
namespace banco {

std::optional<int> octetoValido(const QVariant& valor)
{
    if (valor.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = valor.toDouble(&ok);
    // Letters, fractions and numbers past 255 are not an octet: used as read they made a host
    // name, and every request went to the name service.
    if (!ok || !std::isfinite(d) || d != std::floor(d) || d < 0 || d > 255)
        return std::nullopt;
    return static_cast<int>(d);
}

int inteiroOu(const QVariant& valor, int seInvalido)
{
    bool ok = false;
    const double d = valor.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d) || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max())
        return seInvalido;
    return static_cast<int>(d);
}

int avisoValido(const QVariant& percentual)
{
    const int p = inteiroOu(percentual, avisoPadrao);
    return p >= 1 && p <= 99 ? p : avisoPadrao;
}

int percentualDePessoas(int maxima, int pessoas)
{
    // 0 meant "90 % of the maximum"; without a maximum a level in people has no percentage.
    if (pessoas <= 0 || maxima <= 0)
        return avisoPadrao;
    // A level at or past the maximum never warned: the field showed "90%", so a number up to
    // 99 there was typed as a percentage.
    if (pessoas >= maxima)
        return pessoas <= 99 ? pessoas : avisoPadrao;
    // Rounded down, so the level in people stays where it was (or one person earlier).
    const int p = static_cast<int>(std::floor(100.0 * pessoas / maxima));
    return std::clamp(p, 1, 99);
}

int pessoasDoPercentual(int maxima, int percentual)
{
    if (maxima <= 0)
        return 0;
    // Rounded up, so a reading reaches it exactly when it reaches the percentage.
    return static_cast<int>(std::ceil(maxima * (percentual / 100.0) - 1e-9));
}

} // namespace banco
