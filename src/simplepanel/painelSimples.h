#pragma once

#include "banco.h"
#include "destinos.h"
#include "encaixeTela.h"
#include "protecaoTela.h"
#include "regrasPainelSimples.h"

#include "temporizador.h"
#include <QDialog>

class PainelAtivo;
namespace controle {
class Controle;
}
class QCheckBox;
class QSpinBox;
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
    // `controle` asks for the live-count page, `painelAtivo` is cleared on close; either may
    // be null.
    PainelSimples(controle::Controle* controle, PainelAtivo* painelAtivo, banco::Banco& banco,
                  QWidget* parent = nullptr);
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
    const banco::Lotacao& lotacao() const { return m_lotacao; }

    // Chooses the screen to cover and lays the panel out on it; run when the panel is shown
    // and whenever a screen comes, goes or changes size.
    void acompanharTela();
    QString nomeTela() const { return m_nomeTela; }

    // One tick of TimerLT, public so tests can step the rhythm.
    void tiqueTimerLT();
    // The pointer has rested over the panel for TimerPonteiro's interval.
    void tiquePonteiro();
    int contadorAtualizacao() const { return m_contadorAtualizacao; }

    QSize tamanhoTela() const { return {m_larguraTela, m_alturaTela}; }
    const regrasPainelSimples::Disposicao& disposicao() const { return m_d; }

Q_SIGNALS:
    // The panel is closing; its settings are stored and it no longer gets the status.
    void fechando();

public Q_SLOTS:
    void reject() override;
    void setVisible(bool visivel) override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    void criarOpcoes();
    void criarOpcoesLotacao();
    void disporNaTela();
    void disporOpcoes();
    void aplicarDisposicao();
    encaixeTela::Tintas medirTintas() const;
    encaixeTela::Espaco espacoNumeros() const;
    void encaixarNaTela();
    void atualizarEstadoLotacao();
    void leituraAceita();
    void atualizarMensagem();
    void atualizarLegendaTela();
    void alterarLotacao();
    void clicarTela();
    void mostrarPonteiro();
    void clicarRotulo(const QString& nome);
    void clicarFechar();
    void clicarTempoAtualizacao();
    void clicarRedefinir();
    void abrirOpcoes();
    void fecharOpcoes();

    qint16 m_larguraTela = 0;
    qint16 m_alturaTela = 0;
    QString m_nomeTela;
    QRect m_geometriaTela;
    int m_contadorAtualizacao = 0;
    // Ticks of TimerLT since the last accepted reading; past three intervals the numbers on
    // the public display are stale and the disconnected indication stays until a reading.
    int m_tiquesSemLeitura = 0;
    bool m_semLeitura = false;
    // A row that could not be read is never overwritten with the stand-in values.
    bool m_configuracoesLidas = false;
    // The operator changed a setting here (a button, a box, the interval, the message).
    bool m_configuracoesAlteradas = false;
    regrasPainelSimples::Disposicao m_d;
    banco::Lotacao m_lotacao;
    bool m_lotacaoLida = false;
    bool m_lotacaoAlterada = false;
    ProtecaoTela m_protecaoTela;
    Temporizador m_timerPonteiro;
    bool m_ponteiroOculto = false;
    bool m_carregado = false;

    QLabel* m_lblLotacao = nullptr;
    QLabel* m_lblLegendaLotacao = nullptr;
    QLabel* m_lblTotal = nullptr;
    QLabel* m_lblLegendaTotal = nullptr;
    QLabel* m_lblInfoEmpresa = nullptr;
    QLineEdit* m_txtInfoEmpresa = nullptr;
    QLineEdit* m_txtInfoLotado = nullptr;
    QLabel* m_lblOpcoes = nullptr;
    QLabel* m_lblFechar = nullptr;
    QFrame* m_frmDesconectado = nullptr;
    QLabel* m_lblLegendaDesconectado = nullptr;
    QFrame* m_frmBarra = nullptr;
    QProgressBar* m_barAtualizacao = nullptr;
    QLineEdit* m_txtOcultarMouse = nullptr;
    controle::Controle* m_controle;
    PainelAtivo* m_painelAtivo;
    banco::Banco& m_banco;
    Temporizador m_timerLT;

    QFrame* m_frmOpcoes = nullptr;
    QLabel* m_lblTamLotacao = nullptr;
    QLabel* m_lblTamTotal = nullptr;
    QLabel* m_lblTempoAtualizacao = nullptr;
    QCheckBox* m_chkLotacao = nullptr;
    QCheckBox* m_chkTotal = nullptr;
    QCheckBox* m_chkInfoEmpresa = nullptr;
    QCheckBox* m_chkInfoLotado = nullptr;
    QSpinBox* m_txtLotacaoMaxima = nullptr;
    QSpinBox* m_txtLotacaoAviso = nullptr;
    QLabel* m_lblTela = nullptr;
    // Every control of the options frame with its place in the frame's original column and
    // the group it moves with on short screens.
    struct LugarOpcao {
        QWidget* controle;
        QRect lugar;
        int bloco;
    };
    QList<LugarOpcao> m_lugaresOpcoes;
};
