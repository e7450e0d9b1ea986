#pragma once

#include "ajustesAvancado.h"
#include "banco.h"

#include <QDialog>

#include <functional>

class CaixaAjuste;
class QSpinBox;

// The advanced panel settings window: business hours and the refresh intervals of the day and
// month charts. It edits a settings value that outlives it: every choice is written into the
// value at once (so a choice not yet stored is already what the rest of the program sees), and
// closing stores the value in the row of table painelavancado.
class PainelAvancadoAjustes : public QDialog {
    Q_OBJECT
public:
    PainelAvancadoAjustes(ajustes::Avancado& ajustes, banco::Banco& banco, QWidget* parent = nullptr);
    // Load steps, run by the window registry once it holds the window.
    void carregar();

    void inicializarForm();
    void leConfiguracoes();
    bool salvarConfiguracoes();
    void preencheCmb_tempos();
    void atualizaCmb_inicio();
    void atualizaCmb_fim();

    // An item picked in the list (the combo box's activated signal).
    void clicarCmb_inicio();
    void clicarCmb_tempoDia();

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
    void escreverValor();

    ajustes::Avancado& m_ajustes;
    banco::Banco& m_banco;
    CaixaAjuste* m_cmbInicio = nullptr;
    CaixaAjuste* m_cmbFim = nullptr;
    CaixaAjuste* m_cmbTempoMes = nullptr;
    CaixaAjuste* m_cmbTempoDia = nullptr;
    QSpinBox* m_txtLotacaoMaxima = nullptr;
    QSpinBox* m_txtLotacaoAviso = nullptr;
    banco::Lotacao m_lotacao;
    bool m_lotacaoLida = false;
    bool m_lotacaoAlterada = false;
    bool m_escolhaFeita = false;
    bool m_linhaLida = false; // the boxes show the stored row
    bool m_encerrada = false;
};
