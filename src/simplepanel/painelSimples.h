#pragma once

#include "banco.h"
#include "destinos.h"
#include "encaixeTela.h"
#include "lotacaoDoPainel.h"
#include "regrasPainelSimples.h"
#include "telaDoPainel.h"

#include "temporizador.h"
#include <QDialog>

#include <functional>
#include <memory>

struct ExibicaoPainel;
class ConfiguracoesPainel;
class PainelAtivo;
class QuadroOpcoes;
class QuiosquePainel;
namespace controle {
class Controle;
}

// The simple panel: the whole screen showing the occupancy and today's total in very large
// digits, with a custom message, its own request rhythm for page /6 and the options frame
// where the operator adjusts it on the spot. The panel keeps the public display, the rhythm
// and the closing; the display's controls, the options frame, the capacity settings, the
// screen, the stored settings row and the kiosk's duties are parts of their own.
class PainelSimples : public QDialog, public controle::DestinoPainelSimples {
    Q_OBJECT
public:
    struct Dependencias {
        // Asked for the live-count page; may be null.
        controle::Controle* controle = nullptr;
        // Cleared on close; may be null.
        PainelAtivo* painelAtivo = nullptr;
        banco::Banco& banco;
        // The main window, which the panel keeps clear of when there is another screen; may
        // be empty or give null.
        std::function<QWidget*()> janelaPrincipal = {};
    };
    explicit PainelSimples(Dependencias dependencias, QWidget* parent = nullptr);
    ~PainelSimples() override;
    // Load steps, run by the window registry once it holds the window.
    void carregar();

    // Written by the live-count handling.
    void definirLotacao(const QString& texto) override;
    void definirTotal(const QString& texto) override;

    void atualizar();
    void atualizaStatusLotacao();
    void atualizaStatusTotal();
    void mostrarTamanhodaFonte();
    void posicionarlegendas();
    void configurarTimerLT();
    void ativarTimerLT();
    void desativarTimerLT();
    void atualizaBarAtualizacao();
    void exibirDesconectado();
    void ocultarDesconectado();

    void atualizarControlesLotacao();
    void atualizarControlesTotal();
    void atualizarControlesinfoEmpresa();
    void leConfiguracoes();
    void salvarConfiguracoes();

    // The capacity settings (table painelLotacao): read at load and at every showing, stored
    // at close when the operator changed them.
    void leLotacao(bool relatarFalha = true);
    void salvarLotacao();
    const banco::Lotacao& lotacao() const { return m_lotacao->valores(); }

    // Chooses the screen to cover and lays the panel out on it; run when the panel is shown
    // and whenever a screen comes, goes or changes size.
    void acompanharTela();
    QString nomeTela() const { return m_tela->nome(); }

    // One tick of TimerLT, public so tests can step the rhythm.
    void tiqueTimerLT();
    // The pointer has rested over the panel for TimerPonteiro's interval.
    void tiquePonteiro();
    int contadorAtualizacao() const { return m_contadorAtualizacao; }

    QSize tamanhoTela() const { return {m_tela->largura(), m_tela->altura()}; }
    const regrasPainelSimples::Disposicao& disposicao() const { return m_d; }

Q_SIGNALS:
    // The panel is closing; its settings are stored and it no longer gets the status.
    void fechando();

public Q_SLOTS:
    void reject() override;
    void setVisible(bool visivel) override;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void ligarOpcoes();
    void disporNaTela();
    void aplicarDisposicao();
    encaixeTela::Tintas medirTintas() const;
    void encaixarNaTela();
    void atualizarEstadoLotacao();
    void leituraAceita();
    void atualizarMensagem();
    void clicarAjuste(regrasPainelSimples::Ajuste ajuste);
    void clicarFechar();
    void clicarTempoAtualizacao();
    void clicarRedefinir();
    void abrirOpcoes();
    void fecharOpcoes();

    controle::Controle* m_controle;
    PainelAtivo* m_painelAtivo;
    banco::Banco& m_banco;
    int m_contadorAtualizacao = 0;
    // Ticks of TimerLT since the last accepted reading; past three intervals the numbers on
    // the public display are stale and the disconnected indication stays until a reading.
    int m_tiquesSemLeitura = 0;
    bool m_semLeitura = false;
    regrasPainelSimples::Disposicao m_d;
    bool m_carregado = false;
    Temporizador m_timerLT;

    // The parts, built in the constructor in this order: the display under the options frame.
    std::unique_ptr<ExibicaoPainel> m_exibicao;
    QuadroOpcoes* m_opcoes = nullptr;
    LotacaoDoPainel* m_lotacao = nullptr;
    TelaDoPainel* m_tela = nullptr;
    std::unique_ptr<ConfiguracoesPainel> m_configuracoes;
    QuiosquePainel* m_quiosque = nullptr;
};
