#pragma once

#include "destinos.h"
#include "instanciaUnica.h"
#include "regrasPainelSimples.h"

#include <QDialog>
#include "temporizador.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;

// The simple panel: the whole screen showing the occupancy and today's total in very large
// digits, with a custom message, its own request rhythm for page /6 and the options frame
// where the operator adjusts it on the spot.
class PainelSimples : public QDialog, public controle::DestinoPainelSimples {
    Q_OBJECT
public:
    explicit PainelSimples(QWidget* parent = nullptr);
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

    // One tick of TimerLT, public so tests can step the rhythm.
    void tiqueTimerLT();
    int contadorAtualizacao() const { return m_contadorAtualizacao; }

    QSize tamanhoTela() const { return {m_larguraTela, m_alturaTela}; }
    const regrasPainelSimples::Disposicao& disposicao() const { return m_d; }

Q_SIGNALS:
    // The panel is closing; its settings are stored and it no longer gets the status.
    void fechando();

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    void criarOpcoes();
    void aplicarDisposicao();
    void clicarRotulo(const QString& nome);
    void clicarFechar();
    void clicarTempoAtualizacao();
    void clicarRedefinir();
    void abrirOpcoes();
    void fecharOpcoes();

    qint16 m_larguraTela = 0;
    qint16 m_alturaTela = 0;
    int m_contadorAtualizacao = 0;
    // A row that could not be read is never overwritten with the stand-in values.
    bool m_configuracoesLidas = false;
    regrasPainelSimples::Disposicao m_d;

    QLabel* m_lblLotacao = nullptr;
    QLabel* m_lblLegendaLotacao = nullptr;
    QLabel* m_lblTotal = nullptr;
    QLabel* m_lblLegendaTotal = nullptr;
    QLabel* m_lblInfoEmpresa = nullptr;
    QLineEdit* m_txtInfoEmpresa = nullptr;
    QLabel* m_lblOpcoes = nullptr;
    QLabel* m_lblFechar = nullptr;
    QFrame* m_frmDesconectado = nullptr;
    QLabel* m_lblLegendaDesconectado = nullptr;
    QFrame* m_frmBarra = nullptr;
    QProgressBar* m_barAtualizacao = nullptr;
    QLineEdit* m_txtOcultarMouse = nullptr;
    Temporizador m_timerLT;

    QFrame* m_frmOpcoes = nullptr;
    QLabel* m_lblTamLotacao = nullptr;
    QLabel* m_lblTamTotal = nullptr;
    QLabel* m_lblTempoAtualizacao = nullptr;
    QCheckBox* m_chkLotacao = nullptr;
    QCheckBox* m_chkTotal = nullptr;
    QCheckBox* m_chkInfoEmpresa = nullptr;
};

namespace janelas {
// The living simple panel, created hidden (and loaded) when there is none.
PainelSimples* painelsimples();
PainelSimples* painelsimplesExistente();
void definirAoCriarPainelSimples(InstanciaUnica<PainelSimples>::AoCriar aoCriar);
} // namespace janelas
