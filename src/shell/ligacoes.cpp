#include "ligacoes.h"

#include "ethernet.h"
#include "ethernetConfig.h"
#include "janelaRelatorios.h"
#include "painelAtivo.h"
#include "principal.h"

namespace ligacoes {

void instalar(Principal& principal)
{
    ethernet::Conexao& conexao = principal.conexao();
    Principal* p = &principal;

    // Every chunk is copied into the network window's reply box (creating it hidden).
    QObject::connect(&conexao, &ethernet::Conexao::dadosRecebidos, p,
                     [](const QString& log) { janelas::ethernetConfig()->definirResposta(log); });
    QObject::connect(&conexao, &ethernet::Conexao::conexaoConfirmada, p, [p] {
        if (painelAtivo::painelSimplesEstaAtivo())
            ocultarDesconectadoSimples();
        else
            ocultarDesconectadoAvancado();
        p->exibirColetandoPrincipal();
    });
    QObject::connect(&conexao, &ethernet::Conexao::desconexaoSinalizada, p, [p] {
        if (painelAtivo::painelSimplesEstaAtivo())
            exibirDesconectadoSimples();
        else
            exibirDesconectadoAvancado();
        p->exibirDesconectadoPrincipal();
    });
    QObject::connect(&conexao, &ethernet::Conexao::respostaCompleta, p, [] { tratarResposta(); });

    janelas::definirAoCriarEthernetConfig([p](EthernetConfig* janela) {
        QObject::connect(janela, &EthernetConfig::fechando, p, [p] { p->statusCongurandoEthernet(false); });
    });
    QObject::connect(p, &Principal::configurarRedePedido, p, [] { janelas::ethernetConfig()->exec(); });
    QObject::connect(p, &Principal::painelSimplesPedido, p, [p] { abrirPainelSimples(*p); });
    QObject::connect(p, &Principal::painelAvancadoPedido, p, [p] { abrirPainelAvancado(*p); });
    // Reports need no device and leave the main window usable: shown, not modal.
    QObject::connect(p, &Principal::relatoriosPedido, p, [] {
        JanelaRelatorios* j = janelas::relatorios();
        j->show();
        j->raise();
        j->activateWindow();
    });

    instalarPainelAvancado(principal);
    instalarPainelSimples(principal);
}

} // namespace ligacoes
