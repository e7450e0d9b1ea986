#pragma once

// Which panel receives the connection-status notifications: the simple panel from the menu
// command that opens it until it closes, the advanced panel otherwise.
class PainelAtivo {
public:
    void ativarPainelSimples() { m_simples = true; }
    void desativarPainelSimples() { m_simples = false; }
    bool painelSimplesEstaAtivo() const { return m_simples; }

private:
    bool m_simples = false;
};
