#pragma once

#include "banco.h"

#include <QDialog>

#include <functional>

class CaixaAjuste;
class QSpinBox;

// The advanced panel settings window: business hours and the refresh intervals of the day and
// month charts, kept in the one row of table painelavancado. The values live only in the
// texts of the four combo boxes; the functions below read those texts, so while the window is
// open a choice not yet stored is already what the rest of the program sees.
class PainelAvancadoAjustes : public QDialog {
    Q_OBJECT
public:
    explicit PainelAvancadoAjustes(QWidget* parent = nullptr);
    // Load steps, run by the window registry once it holds the window.
    void carregar();

    // First and last business hour, 0..23.
    int inicioExpediente();
    int fimExpediente();
    // Day chart interval in seconds (30 or 60) and month chart interval in minutes (3 or 10).
    int lerTempoAtualizarDia();
    int lerTempoAtualizarMes();

    void inicializarForm();
    void leConfiguracoes();
    bool salvarConfiguracoes();
    void preencheCmb_tempos();
    void atualizaCmb_inicio();
    void atualizaCmb_fim();

    // An item picked in the list (the combo box's activated signal).
    void clicarCmb_inicio();
    void clicarCmb_tempoDia();

    bool configuracoesLidas() const { return m_configuracoesLidas; }

    // The public display's maximum occupancy and warning level (table painelLotacao), read at
    // load and at every showing, stored at close when changed here.
    void leLotacao(bool relatarFalha = true);
    bool salvarLotacao();

    void setVisible(bool visivel) override;

    void done(int resultado) override;

Q_SIGNALS:
    // Emitted on every close, after salvarConfiguracoes and before the window is destroyed.
    // The advanced panel connects to it to re-apply the settings and resume its cycle.
    void fechado();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void criarControles();
    void encerrar();

    CaixaAjuste* m_cmbInicio = nullptr;
    CaixaAjuste* m_cmbFim = nullptr;
    CaixaAjuste* m_cmbTempoMes = nullptr;
    CaixaAjuste* m_cmbTempoDia = nullptr;
    QSpinBox* m_txtLotacaoMaxima = nullptr;
    QSpinBox* m_txtLotacaoAviso = nullptr;
    banco::Lotacao m_lotacao;
    bool m_lotacaoLida = false;
    bool m_lotacaoAlterada = false;
    bool m_configuracoesLidas = false;
    bool m_linhaLida = false; // the stored row was actually read
    bool m_escolhaFeita = false;
    bool m_encerrada = false;
};

// The settings as the rest of the program reads them, on every use: through the living window,
// which is loaded hidden first when there is none. The window comes from the accessor the
// window registry gives here.
namespace ajustes {
void definirJanela(std::function<PainelAvancadoAjustes*()> acessar);
PainelAvancadoAjustes* janela();
int inicioExpediente();
int fimExpediente();
int lerTempoAtualizarDia();
int lerTempoAtualizarMes();
} // namespace ajustes
