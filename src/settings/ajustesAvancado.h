#pragma once

#include "regrasAjustes.h"

#include <QString>

namespace banco {
class Banco;
}

namespace ajustes {

// The four settings of the advanced panel, as the texts stored in table painelavancado and
// always usable (normalised on reading). The settings window edits this value; the panel, the
// charts and the reply handling read it.
struct Avancado {
    QString cmb_inicio = QString::fromUtf16(inicioPadrao);
    QString cmb_fim = QString::fromUtf16(fimPadrao);
    QString cmb_tempoMes = QString::fromUtf16(tempoMesPadrao);
    QString cmb_tempoDia = QString::fromUtf16(tempoDiaPadrao);
    // The values came from the stored row (false until a read succeeded or a save did).
    bool linhaLida = false;

    // Reads and normalises the stored row. A row that cannot be read (its message shown) leaves
    // the values as they are, and each of the four functions below reads it again first
    // until a read works: the hours read once at start-up are not the shipped ones forever.
    bool carregar(banco::Banco& banco);
    bool salvar(banco::Banco& banco);

    // First and last business hour, 0..23.
    int inicioExpediente() const;
    int fimExpediente() const;
    // Day chart interval in seconds (30 or 60), month chart interval in minutes (3 or 10).
    int lerTempoAtualizarDia() const;
    int lerTempoAtualizarMes() const;

private:
    void lerSeFaltar() const;
    banco::Banco* m_banco = nullptr;
};

} // namespace ajustes
