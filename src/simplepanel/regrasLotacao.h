#pragma once

#include <QString>

// How the occupancy looks against the capacity the operator set: shared by the simple panel
// and the advanced panel's live figure, free of any widget (the colours: coresLotacao.h).
namespace regrasLotacao {

enum class Estado {
    Normal, // no limit, below the warning level, or no reading yet
    Aviso,  // from the warning level: amber
    Lotado, // at or above the maximum: red, and the full-house message
};

// The warning level in people: `percentual` (1..99, else 90) of the maximum, rounded up so a
// reading reaches it exactly when it reaches the percentage. 0 without a maximum.
int nivelAviso(int maxima, int percentual);

// The state of an occupancy caption ("42", or "---" before the first reading).
Estado estado(const QString& textoLotacao, int maxima, int percentualAviso);

// The message line: the full-house text at or above the maximum, the custom message otherwise.
QString mensagem(Estado estado, const QString& mensagemPersonalizada, const QString& mensagemLotado);

} // namespace regrasLotacao
