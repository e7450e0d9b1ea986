#include "aplicacao.h"

#include "ethernetConfig.h"
#include "janelaImportacao.h"
#include "janelaRelatorios.h"
#include "painelSimples.h"
#include "painelavancado.h"

#include <QTimer>

Aplicacao::Aplicacao()
    : m_controle(&m_conexao, m_banco,
                 {[this]() -> controle::DestinoPainelSimples* { return m_janelas.painelsimples(); },
                  [this]() -> controle::DestinoPainelAvancado* { return m_janelas.painelavancado(); }}),
      m_janelas({m_conexao, m_banco, m_controle, m_painelAtivo, m_contadores, m_ajustes,
                 [this](const QString& t) { m_principal.definirPagina(t); },
                 [this](const QString& t) { m_principal.definirLegendaLog(t); },
                 [this]() -> QWidget* { return &m_principal; }},
                {[this](EthernetConfig* janela) {
                     QObject::connect(janela, &EthernetConfig::fechando, &m_principal,
                                      [this] { m_principal.statusCongurandoEthernet(false); });
                 },
                 // However the panel closes, the advanced panel's cycle reads the occupancy again.
                 [this](PainelSimples* janela) {
                     QObject::connect(janela, &PainelSimples::fechando, janela,
                                      [this] { m_janelas.painelavancado()->deveLerLotacao(); });
                 },
                 // The advanced panel runs the polling cycle: closed by the operator, it comes
                 // back hidden at once, so the device is polled and the history recorded with no
                 // panel on screen. (Gone with the main window, it stays gone.)
                 [this](PainelAvancado* janela) {
                     QObject::connect(janela, &QObject::destroyed, &m_principal, [this] {
                         QTimer::singleShot(0, &m_principal, [this] { m_janelas.painelavancado(); });
                     });
                 }}),
      m_principal(m_conexao, m_banco)
{
    m_conexao.setObjectName(QStringLiteral("conexaoDispositivo"));
    ligar();
}

Aplicacao::~Aplicacao() = default;

void Aplicacao::ligar()
{
    Principal* p = &m_principal;
    // Every chunk is copied into the network window's reply box (creating it hidden).
    QObject::connect(&m_conexao, &ethernet::Conexao::dadosRecebidos, p,
                     [this](const QString& log) { m_janelas.ethernetConfig()->definirResposta(log); });
    QObject::connect(&m_conexao, &ethernet::Conexao::conexaoConfirmada, p, [this] { confirmarConexao(); });
    QObject::connect(&m_conexao, &ethernet::Conexao::desconexaoSinalizada, p,
                     [this] { sinalizarDesconexao(); });
    QObject::connect(&m_conexao, &ethernet::Conexao::respostaCompleta, p,
                     [this] { m_controle.tratarResposta(); });

    QObject::connect(p, &Principal::configurarRedePedido, p, [this] { abrirEthernetConfig(); });
    QObject::connect(p, &Principal::painelSimplesPedido, p, [this] { abrirPainelSimples(); });
    QObject::connect(p, &Principal::painelAvancadoPedido, p, [this] { abrirPainelAvancado(); });
    QObject::connect(p, &Principal::relatoriosPedido, p, [this] { abrirRelatorios(); });
    QObject::connect(p, &Principal::importarHistoricoPedido, p, [this, p] {
        m_banco.novaAcaoDoOperador(); // importing is asking for the database
        JanelaImportacao janela(banco::caminhoBanco(), p);
        janela.exec();
        m_ajustes.carregar(m_banco); // the operator may have brought the other file's settings
    });
}

void Aplicacao::carregar()
{
    m_principal.carregar();
    // After the address: a missing file is told by the main window's own message, once.
    m_ajustes.carregar(m_banco);
}

void Aplicacao::confirmarConexao()
{
    if (m_painelAtivo.painelSimplesEstaAtivo())
        m_janelas.painelsimples()->ocultarDesconectado();
    else
        m_janelas.painelavancado()->ocultarDesconectadoAvancado();
    m_principal.exibirColetandoPrincipal();
}

void Aplicacao::sinalizarDesconexao()
{
    if (m_painelAtivo.painelSimplesEstaAtivo())
        m_janelas.painelsimples()->exibirDesconectado();
    else
        m_janelas.painelavancado()->exibirDesconectadoAvancado();
    m_principal.exibirDesconectadoPrincipal();
}

// Opening a window is asking for what it reads: a lasting database failure is told again
// then (once), never because of an unrelated click while the counts are polled.
void Aplicacao::abrirPainelSimples()
{
    m_banco.novaAcaoDoOperador();
    // While the simple panel is on screen it reads the occupancy itself.
    m_janelas.painelavancado()->naoDeveLerLotacao();
    PainelSimples* painel = m_janelas.painelsimples();
    painel->ativarTimerLT();
    m_principal.definirPagina(QStringLiteral("6"));
    m_painelAtivo.ativarPainelSimples();
    painel->exec();
}

void Aplicacao::abrirPainelAvancado()
{
    m_banco.novaAcaoDoOperador();
    PainelAvancado* painel = m_janelas.painelavancado();
    painel->deveLerLotacao();
    m_principal.definirPagina(QStringLiteral("1"));
    painel->exec();
}

void Aplicacao::abrirEthernetConfig()
{
    m_banco.novaAcaoDoOperador();
    m_janelas.ethernetConfig()->exec();
}

void Aplicacao::abrirRelatorios()
{
    // Reports need no device and leave the main window usable: shown, not modal.
    m_banco.novaAcaoDoOperador();
    const bool aberta = m_janelas.relatoriosExistente() != nullptr;
    JanelaRelatorios* j = m_janelas.relatorios();
    if (aberta)
        j->recarregar();
    j->show();
    j->raise();
    j->activateWindow();
}
