#pragma once

#include "regrasPainelSimples.h"

namespace banco {
class Banco;
}
class QLineEdit;
class QuadroOpcoes;

// The simple panel's own settings row (table painelSimples): the numbers' and legends' sizes
// and places, the hidden figures, the custom message and the refresh interval.
class ConfiguracoesPainel {
public:
    ConfiguracoesPainel(banco::Banco& banco, regrasPainelSimples::Disposicao& d, QuadroOpcoes& opcoes,
                        QLineEdit& txtInfoEmpresa);

    // Reads the row into the layout and the options frame, valid for a screen of this size. A
    // row that cannot be read (the failure is reported) gives "Padrões" in its stead.
    void ler(int larguraTela, int alturaTela);
    // Stores the row, unless it holds stand-ins for a row never read that the operator left.
    void salvar();
    // The operator changed a setting here (a button, a box, the interval, the message).
    void marcarAlterada() { m_alteradas = true; }
    // Neither read yet nor changed by the operator: read again when the panel comes on screen.
    bool pendente() const { return !m_lidas && !m_alteradas; }

private:
    banco::Banco& m_banco;
    regrasPainelSimples::Disposicao& m_d;
    QuadroOpcoes& m_opcoes;
    QLineEdit& m_txtInfoEmpresa;
    // A row that could not be read is never overwritten with the stand-in values.
    bool m_lidas = false;
    bool m_alteradas = false;
};
