#pragma once

#include "ciclo.h"
#include "destinos.h"

#include <QDialog>
#include <QLabel>
#include "temporizador.h"

#include <functional>

class Grafico;
class QAction;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QMenuBar;
class QProgressBar;

// A label that reports clicks (the refresh pictures, the "X" and the demonstration fill).
class RotuloClicavel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicado();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
};

// The advanced panel: live figures, the two charts, the history browser, and off screen the
// polling cycle that asks the device for its pages.
class PainelAvancado : public QDialog, public controle::DestinoPainelAvancado {
    Q_OBJECT
public:
    // What the panel writes into the main window, set once by the shell.
    struct Principal {
        std::function<void(const QString&)> definirPagina; // lbl_pagina
        std::function<void(const QString&)> definirPasso;  // Label1
        // The reply handling the cycle asks pages of and reads the completeness from.
        std::function<void(int)> solicitarPagina;
        std::function<bool()> mesLidoPorInteiro;
        std::function<bool()> diaLidoPorInteiro;
    };
    static void definirPrincipal(Principal principal);

    explicit PainelAvancado(QWidget* parent = nullptr);
    ~PainelAvancado() override;

    // Load steps, run once when the window comes into existence.
    void carregar();
    // Size and place for a screen's free area: the designed size where it fits, else the area
    // (never below what the controls need). Done on the first showing.
    void ajustarAoEspaco(const QRect& area);

    // ---- polling cycle ---------------------------------------------------------------
    void tiqueBaseTempo();
    void deveLerLotacao();
    void naoDeveLerLotacao();
    void defineIntervaloAtualizacaoMes();
    void configurarBar_atualizacaoMes(int maximo);
    void configurarBar_atualizacaoDia(int maximo);
    void exibirDesconectadoAvancado();
    void ocultarDesconectadoAvancado();
    void acelerarTimerBaseTempo();
    void normalizarTimerBaseTempo() override;
    void pararTimerBaseTempo();
    void resumirTimerBaseTempo();
    void atualizarGraficoDia();
    bool leuMesCompleto() const override;
    void lerDiaCompleto();
    void lerMesCompleto();
    void exibeParametro();
    void clicarAtualizarTotalMes();
    const ciclo::Ciclo& estadoCiclo() const { return m_ciclo; }

    // ---- charts and history ------------------------------------------------------------
    void defineLegendaColunasChartMes();
    void defineLegendaColunasChartDia();
    void buscaAnoMesDisponiveisBancoDeDados();
    void buscaDiasBancoDeDados();
    void carregarHistoricoMes();
    void carregarHistoricoDia();
    void tiqueExibirHistorico();
    void escolherAno(const QString& ano);
    void escolherMes(const QString& mes);
    void escolherDia(const QString& dia);

    // ---- view modes ----------------------------------------------------------------------
    void exibirMesAtual();
    void exibirDiaAtual();
    void exibirMesHistorico();
    void exibirDiaHistorico();
    void verificarExportacao();
    void desabilitarExportacao();

    // ---- commands --------------------------------------------------------------------------
    void exportarMensal();
    void exportarMensalXlsx();
    void excluirHistorico();
    void abrirAjustes();
    // The settings window has closed: its choices apply and the cycle goes on.
    void aplicarAjustes();
    void preencherDemonstracao();

    // ---- what the reply handlers write ------------------------------------------------------
    void definirLotacao(const QString& texto) override;
    void definirTotal(const QString& texto) override;
    void definirMes(const QString& texto) override;
    void definirMediaDia(const QString& texto) override;
    void definirMediaHora(const QString& texto) override;
    void definirAtualizadoAgora(const QString& texto) override;
    void definirAtualizadoHoje(const QString& texto) override;
    void definirAtualizadoMedia(const QString& texto) override;
    void definirAtualizadoTotalMes(const QString& texto) override;
    void exibirAtualizarAgora() override;
    void exibirAtualizarTotalMes() override;
    controle::DestinoGrafico& chartMes() override;
    controle::DestinoGrafico& chartDia() override;
    int inicioExpediente() override;
    int fimExpediente() override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    QLabel* rotulo(const QString& nome, const QString& texto, const QString& dica = {});
    RotuloClicavel* figuraAtualizar(const QString& nome);
    QComboBox* seletor(const QString& nome, const QString& dica);
    void encerrarCiclo();
    ciclo::Acoes acoesCiclo();

    static constexpr QSize tamanhoProjetado{1160, 720};

    ciclo::Ciclo m_ciclo;
    bool m_ajustadoATela = false;
    Temporizador* m_timerBaseTempo = nullptr;
    Temporizador* m_timerExibirHistorico = nullptr;

    QLabel* m_lblLotacao = nullptr;
    QLabel* m_lblTotal = nullptr;
    QLabel* m_lblMes = nullptr;
    QLabel* m_lblMediaDia = nullptr;
    QLabel* m_lblMediaHora = nullptr;
    QLabel* m_lblAtualizadoAgora = nullptr;
    QLabel* m_lblAtualizadoHoje = nullptr;
    QLabel* m_lblAtualizadoMedia = nullptr;
    QLabel* m_lblAtualizadoTotalMes = nullptr;
    RotuloClicavel* m_picAtualizarAgora = nullptr;
    RotuloClicavel* m_picture1 = nullptr;
    RotuloClicavel* m_picAtualizarTotalMes = nullptr;
    Grafico* m_chartDia = nullptr;
    Grafico* m_chartMes = nullptr;
    QProgressBar* m_barAtualizacaoDia = nullptr;
    QProgressBar* m_barAtualizacaoMes = nullptr;
    QLabel* m_lblLegendaDesconectado = nullptr;
    QFrame* m_frmDesconectado = nullptr;
    QComboBox* m_cmbAno = nullptr;
    QComboBox* m_cmbMes = nullptr;
    QComboBox* m_cmbDia = nullptr;
    QLabel* m_lblHistoricoTotalMes = nullptr;
    QLabel* m_lblHistoricoMediaMes = nullptr;
    QLabel* m_lblHistoricoTotalDia = nullptr;
    QLabel* m_lblHistoricoMediaDia = nullptr;
    QProgressBar* m_barTempoHistorico = nullptr;
    QLabel* m_lblRelatorio = nullptr;
    QWidget* m_figurasHistorico = nullptr;
    QHBoxLayout* m_linhaHistorico = nullptr;
    QHBoxLayout* m_segundaLinhaHistorico = nullptr;
    RotuloClicavel* m_lblExcluir = nullptr;
    QMenuBar* m_menu = nullptr;
    QAction* m_menuExportarMensal = nullptr;
    QAction* m_menuExportarMensalXlsx = nullptr;
    QLabel* m_lblParam = nullptr;
    QLabel* m_lblPag = nullptr;
    RotuloClicavel* m_label14 = nullptr;
};
