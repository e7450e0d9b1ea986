#include "janelas.h"

#include "ethernetConfig.h"
#include "janelaRelatorios.h"
#include "painelSimples.h"
#include "painelavancado.h"
#include "painelavancadoAjustes.h"

Janelas::Janelas(Dependencias d, AoCriar aoCriar)
    : m_ethernetConfig([c = &d.conexao] { return new EthernetConfig(c); }),
      m_painelSimples([c = &d.controle, a = &d.painelAtivo] { return new PainelSimples(c, a); }),
      m_painelAvancado([] { return new PainelAvancado(); }),
      m_painelAvancadoAjustes([] { return new PainelAvancadoAjustes(); }),
      m_relatorios([] { return new JanelaRelatorios(); })
{
    m_ethernetConfig.definirAoCriar(std::move(aoCriar.ethernetConfig));
    m_painelSimples.definirAoCriar(std::move(aoCriar.painelsimples));
    // The settings are read through their window wherever the program needs them.
    ajustes::definirJanela([this] { return painelavancadoAjustes(); });
}

Janelas::~Janelas()
{
    ajustes::definirJanela({});
    delete m_painelAvancadoAjustes.existente();
    delete m_painelAvancado.existente();
    delete m_painelSimples.existente();
    delete m_ethernetConfig.existente();
    delete m_relatorios.existente();
}

EthernetConfig* Janelas::ethernetConfig()
{
    return m_ethernetConfig.obter();
}
EthernetConfig* Janelas::ethernetConfigExistente() const
{
    return m_ethernetConfig.existente();
}
PainelSimples* Janelas::painelsimples()
{
    return m_painelSimples.obter();
}
PainelSimples* Janelas::painelsimplesExistente() const
{
    return m_painelSimples.existente();
}
PainelAvancado* Janelas::painelavancado()
{
    return m_painelAvancado.obter();
}
PainelAvancado* Janelas::painelavancadoExistente() const
{
    return m_painelAvancado.existente();
}
PainelAvancadoAjustes* Janelas::painelavancadoAjustes()
{
    return m_painelAvancadoAjustes.obter();
}
PainelAvancadoAjustes* Janelas::painelavancadoAjustesExistente() const
{
    return m_painelAvancadoAjustes.existente();
}
JanelaRelatorios* Janelas::relatorios()
{
    return m_relatorios.obter();
}
JanelaRelatorios* Janelas::relatoriosExistente() const
{
    return m_relatorios.existente();
}
