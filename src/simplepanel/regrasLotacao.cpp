#include "regrasLotacao.h"

#include <cmath>

namespace regrasLotacao {

int nivelAviso(int maxima, int aviso)
{
    if (maxima <= 0)
        return 0;
    if (aviso > 0)
        return aviso;
    return static_cast<int>(std::ceil(maxima * 0.9));
}

Estado estado(const QString& textoLotacao, int maxima, int aviso)
{
    if (maxima <= 0)
        return Estado::normal;
    bool numero = false;
    const int lotacao = textoLotacao.trimmed().toInt(&numero);
    // "---" (no reading yet) is not a count.
    if (!numero)
        return Estado::normal;
    if (lotacao >= maxima)
        return Estado::lotado;
    if (lotacao >= nivelAviso(maxima, aviso))
        return Estado::aviso;
    return Estado::normal;
}

QString mensagem(Estado estado, const QString& mensagemPersonalizada, const QString& mensagemLotado)
{
    return estado == Estado::lotado ? mensagemLotado : mensagemPersonalizada;
}

} // namespace regrasLotacao
