#include "ajustesAvancado.h"

#include "banco.h"

namespace ajustes {

bool Avancado::carregar(banco::Banco& banco)
{
    m_banco = &banco;
    banco::PainelAvancado lido;
    if (!banco.lerPainelAvancado(lido))
        return false;
    // Empty or junk fields are made usable: the charts divide by and count rows from them.
    const banco::PainelAvancado v = normalizar(lido);
    cmb_inicio = v.cmb_inicio;
    cmb_fim = v.cmb_fim;
    cmb_tempoMes = v.cmb_tempoMes;
    cmb_tempoDia = v.cmb_tempoDia;
    linhaLida = true;
    return true;
}

bool Avancado::salvar(banco::Banco& banco)
{
    if (!banco.salvarPainelAvancado({cmb_inicio, cmb_fim, cmb_tempoMes, cmb_tempoDia}))
        return false;
    linhaLida = true;
    return true;
}

void Avancado::lerSeFaltar() const
{
    // The value lives in the application object, which is never const; readers hold it as
    // const only to show they do not choose the settings.
    if (!linhaLida && m_banco)
        const_cast<Avancado*>(this)->carregar(*m_banco);
}

int Avancado::inicioExpediente() const
{
    lerSeFaltar();
    return valorHora(cmb_inicio);
}

int Avancado::fimExpediente() const
{
    lerSeFaltar();
    return valorHora(cmb_fim);
}

int Avancado::lerTempoAtualizarDia() const
{
    lerSeFaltar();
    return valorTempo(cmb_tempoDia);
}

int Avancado::lerTempoAtualizarMes() const
{
    lerSeFaltar();
    return valorTempo(cmb_tempoMes);
}

} // namespace ajustes
