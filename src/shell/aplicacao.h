#pragma once

#include "ajustesAvancado.h"
#include "banco.h"
#include "ciclo.h"
#include "controle.h"
#include "ethernet.h"
#include "janelas.h"
#include "painelAtivo.h"
#include "principal.h"

// The program as one object: the exchange with the device, the reply handling, the panel
// flag, the polling cycle's counters, the window registry and the main window, each part
// given what it uses, and the wiring between them. Built once by main(); a test builds a
// fresh one per case.
class Aplicacao {
public:
    Aplicacao();
    ~Aplicacao();
    Aplicacao(const Aplicacao&) = delete;
    Aplicacao& operator=(const Aplicacao&) = delete;

    banco::Banco& banco() { return m_banco; }
    ethernet::Conexao& conexao() { return m_conexao; }
    controle::Controle& controle() { return m_controle; }
    PainelAtivo& painelAtivo() { return m_painelAtivo; }
    ciclo::Contadores& contadores() { return m_contadores; }
    ajustes::Avancado& ajustes() { return m_ajustes; }
    Janelas& janelas() { return m_janelas; }
    Principal& principal() { return m_principal; }

    // Start-up: the main window reads the stored address and requests page 0; then the
    // advanced panel's settings are read.
    void carregar();

    // The menu commands of the main window.
    void abrirPainelSimples();
    void abrirPainelAvancado();
    void abrirEthernetConfig();
    void abrirRelatorios();

private:
    void ligar();
    void confirmarConexao();
    void sinalizarDesconexao();

    // Built in this order and destroyed in reverse: the windows go before the parts they use.
    banco::Banco m_banco;
    ethernet::Conexao m_conexao;
    PainelAtivo m_painelAtivo;
    ciclo::Contadores m_contadores;
    ajustes::Avancado m_ajustes;
    controle::Controle m_controle;
    Janelas m_janelas;
    Principal m_principal;
};
