#include "exibicaoHistorico.h"

#include <algorithm>

namespace historico {

void Exibicao::exibirMesAtual()
{
    desabilitarExportacao();
    m_mesHistorico = false;
}

void Exibicao::exibirDiaAtual()
{
    desabilitarExportacao();
    m_diaHistorico = false;
}

void Exibicao::exibirMesHistorico()
{
    m_mesHistorico = true;
    verificarExportacao();
}

void Exibicao::exibirDiaHistorico()
{
    verificarExportacao();
    m_diaHistorico = true;
}

void Exibicao::verificarExportacao()
{
    if (m_totalMes > 0) {
        m_exportacao = true;
        m_relatorio = Relatorio::Disponivel;
    } else {
        m_relatorio = Relatorio::SemRegistros;
    }
}

void Exibicao::desabilitarExportacao()
{
    m_exportacao = false;
}

void Exibicao::mesCarregado(long long totalMes)
{
    m_totalMes = totalMes;
    m_contando = true;
    verificarExportacao();
}

void Exibicao::diaCarregado()
{
    m_contando = true;
}

bool Exibicao::tique()
{
    m_segundos += 1;
    m_restante = std::clamp(duracao - m_segundos, 0, duracao);
    // Reaching 30 or beyond ends the display (the counter outlives a window closed mid-display).
    if (m_segundos < duracao)
        return false;
    exibirMesAtual();
    exibirDiaAtual();
    m_contando = false;
    m_relatorio = Relatorio::Oculto;
    m_segundos = 0;
    return true;
}

} // namespace historico
