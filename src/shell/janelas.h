#pragma once

#include "instanciaUnica.h"

#include <QString>

#include <functional>

class EthernetConfig;
class JanelaRelatorios;
class PainelAtivo;
class PainelAvancado;
class PainelAvancadoAjustes;
class PainelSimples;
class QWidget;
namespace ajustes {
struct Avancado;
}
namespace banco {
class Banco;
}
namespace ciclo {
struct Contadores;
}
namespace controle {
class Controle;
}
namespace ethernet {
class Conexao;
}

// The program's windows, each at most once: an accessor creates (hidden) and loads the window
// when none is alive and returns the living one otherwise. A window asked for during its own
// load (a modal box lets events run) is the one being loaded, never a second.
class Janelas {
public:
    // What the windows are built with.
    struct Dependencias {
        ethernet::Conexao& conexao;
        banco::Banco& banco;
        controle::Controle& controle;
        PainelAtivo& painelAtivo;
        ciclo::Contadores& contadores;
        ajustes::Avancado& ajustes;
        // The advanced panel's writes into the main window: lbl_pagina and Label1.
        std::function<void(const QString&)> definirPagina;
        std::function<void(const QString&)> definirPasso;
        // The main window, which the simple panel keeps clear of when there is another screen.
        std::function<QWidget*()> janelaPrincipal;
    };
    // Run with each new window right after it was built, before its load steps.
    struct AoCriar {
        std::function<void(EthernetConfig*)> ethernetConfig;
        std::function<void(PainelSimples*)> painelsimples;
        std::function<void(PainelAvancado*)> painelavancado;
    };

    Janelas(Dependencias dependencias, AoCriar aoCriar = {});
    // Windows still open go with the registry.
    ~Janelas();
    Janelas(const Janelas&) = delete;
    Janelas& operator=(const Janelas&) = delete;

    EthernetConfig* ethernetConfig();
    EthernetConfig* ethernetConfigExistente() const;
    PainelSimples* painelsimples();
    PainelSimples* painelsimplesExistente() const;
    PainelAvancado* painelavancado();
    PainelAvancado* painelavancadoExistente() const;
    PainelAvancadoAjustes* painelavancadoAjustes();
    PainelAvancadoAjustes* painelavancadoAjustesExistente() const;
    JanelaRelatorios* relatorios();
    JanelaRelatorios* relatoriosExistente() const;

private:
    InstanciaUnica<EthernetConfig> m_ethernetConfig;
    InstanciaUnica<PainelSimples> m_painelSimples;
    InstanciaUnica<PainelAvancado> m_painelAvancado;
    InstanciaUnica<PainelAvancadoAjustes> m_painelAvancadoAjustes;
    InstanciaUnica<JanelaRelatorios> m_relatorios;
};
