#include "regrasLotacao.h"

#include <cmath>

namespace regrasLotacao {

int nivelAviso(int maxima, int percentual)
{
    if (maxima <= 0)
        return 0;
    if (percentual < 1 || percentual > 99)
        percentual = 90;
    // The small nudge keeps 90 % of 10 at 9 rather than 9.000000000000002 rounded up to 10.
    return static_cast<int>(std::ceil(maxima * (percentual / 100.0) - 1e-9));
}

Estado estado(const QString& textoLotacao, int maxima, int percentualAviso)
{
    if (maxima <= 0)
        return Estado::Normal;
    bool numero = false;
    const int lotacao = textoLotacao.trimmed().toInt(&numero);
    // "---" (no reading yet) is not a count.
    if (!numero)
        return Estado::Normal;
    if (lotacao >= maxima)
        return Estado::Lotado;
    if (lotacao >= nivelAviso(maxima, percentualAviso))
        return Estado::Aviso;
    return Estado::Normal;
}

QString mensagem(Estado estado, const QString& mensagemPersonalizada, const QString& mensagemLotado)
{
    return estado == Estado::Lotado ? mensagemLotado : mensagemPersonalizada;
}

} // namespace regrasLotacao
