#include "janelas.h"

#include "controle.h"
#include "ethernetConfig.h"
#include "janelaRelatorios.h"
#include "painelSimples.h"
#include "painelavancado.h"
#include "painelavancadoAjustes.h"
#include "principal.h"

namespace {

// The advanced panel asks pages of the reply handling, writes the main window's lbl_pagina and
// Label1, and opens the settings window from here.
PainelAvancado::Dependencias dependenciasPainelAvancado(Janelas& janelas, const Janelas::Dependencias& d)
{
    controle::Controle* c = &d.controle;
    Principal* p = &d.principal;
    return {.contadores = d.contadores,
            .ajustes = d.ajustes,
            .banco = d.banco,
            .solicitarPagina = [c](int n) { c->solicitarPagina(n); },
            .solicitarPagina6 = [c] { c->solicitarPagina6(); },
            .mesLido = [c] { return c->mesLidoPorInteiro(); },
            .diaLido = [c] { return c->diaLidoPorInteiro(); },
            .definirPagina = [p](const QString& t) { p->definirPagina(t); },
            .definirPasso = [p](const QString& t) { p->definirLegendaLog(t); },
            .abrirAjustes =
                [j = &janelas, b = &d.banco](const std::function<void()>& aoFechar) {
                    b->novaAcaoDoOperador(); // the operator asked for a window that reads the database
                    PainelAvancadoAjustes* janela = j->painelavancadoAjustes();
                    QObject::connect(janela, &PainelAvancadoAjustes::fechado, janela, aoFechar);
                    janela->exec();
                }};
}

// The simple panel keeps clear of the main window when there is another screen to cover.
PainelSimples::Dependencias dependenciasPainelSimples(const Janelas::Dependencias& d)
{
    Principal* p = &d.principal;
    return {.controle = &d.controle,
            .painelAtivo = &d.painelAtivo,
            .banco = d.banco,
            .janelaPrincipal = [p]() -> QWidget* { return p; }};
}

} // namespace

Janelas::Janelas(Dependencias d, AoCriar aoCriar)
    : m_ethernetConfig([c = &d.conexao, b = &d.banco] { return new EthernetConfig(c, *b); }),
      m_painelSimples([d] { return new PainelSimples(dependenciasPainelSimples(d)); }),
      m_painelAvancado([this, d] { return new PainelAvancado(dependenciasPainelAvancado(*this, d)); }),
      m_painelAvancadoAjustes([a = &d.ajustes, b = &d.banco] { return new PainelAvancadoAjustes(*a, *b); }),
      m_relatorios([b = &d.banco] { return new JanelaRelatorios(*b); })
{
    m_ethernetConfig.definirAoCriar(std::move(aoCriar.ethernetConfig));
    m_painelSimples.definirAoCriar(std::move(aoCriar.painelsimples));
    m_painelAvancado.definirAoCriar(std::move(aoCriar.painelavancado));
}

Janelas::~Janelas()
{
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
