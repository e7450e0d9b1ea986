#pragma once

#include "ajustesAvancado.h"
#include "ciclo.h"
#include "controlesPainel.h"
#include "datas.h"
#include "destinos.h"
#include "figurasAoVivo.h"
#include "grafico.h"
#include "historico.h"
#include "navegadorHistorico.h"
#include "temporizador.h"

#include <QDialog>
#include <QProgressBar>

#include <functional>

class QAction;
class QFrame;
class QMenuBar;

// The advanced panel: live figures, the two charts, the history browser, and off screen the
// polling cycle that asks the device for its pages.
class PainelAvancado : public QDialog, public controle::DestinoPainelAvancado {
    Q_OBJECT
public:
    // Everything the panel reaches outside itself.
    struct Dependencias {
        ciclo::Contadores& contadores; // outlive the window
        ajustes::Avancado& ajustes;
        banco::Banco& banco;
        std::function<void(int pagina)> solicitarPagina; // "/1" to "/5"
        std::function<void()> solicitarPagina6;
        // Whether every day of the month (hour of today) was received since start-up.
        std::function<bool()> mesLido;
        std::function<bool()> diaLido;
        std::function<void(const QString&)> definirPagina; // main window's lbl_pagina
        std::function<void(const QString&)> definirPasso;  // main window's Label1
        // Shows the settings window modally; `aoFechar` runs in its closing steps.
        std::function<void(std::function<void()> aoFechar)> abrirAjustes;
    };

    explicit PainelAvancado(Dependencias dependencias, QWidget* parent = nullptr);
    ~PainelAvancado() override;

    // Load steps, run once when the window comes into existence.
    void carregar();
    // Size and place for a screen's free area: the designed size where it fits, else the area
    // (never below what the controls need). Done on the first showing.
    void ajustarAoEspaco(const QRect& area);

    // ---- polling cycle ---------------------------------------------------------------
    void tiqueBaseTempo();
    void deveLerLotacao() { m_ciclo.naoLerLotacao = false; }
    void naoDeveLerLotacao() { m_ciclo.naoLerLotacao = true; }
    void defineIntervaloAtualizacaoMes()
    {
        m_ciclo.intervaloAtualizacaoMes = m_dep.ajustes.lerTempoAtualizarMes();
    }
    void configurarBar_atualizacaoMes(int maximo) { m_barAtualizacaoMes->setRange(0, maximo); }
    void configurarBar_atualizacaoDia(int maximo) { m_barAtualizacaoDia->setRange(0, maximo); }
    void exibirDesconectadoAvancado();
    void ocultarDesconectadoAvancado();
    void acelerarTimerBaseTempo() { m_timerBaseTempo->setInterval(1000); }
    void normalizarTimerBaseTempo() override;
    void pararTimerBaseTempo() { m_timerBaseTempo->stop(); }
    void resumirTimerBaseTempo() { m_timerBaseTempo->start(); }
    void atualizarGraficoDia();
    bool leuMesCompleto() const override { return m_ciclo.leituraMesCompleta; }
    void lerDiaCompleto();
    void exibeParametro();
    void clicarAtualizarTotalMes();
    const ciclo::Ciclo& estadoCiclo() const { return m_ciclo; }

    // ---- charts and history ------------------------------------------------------------
    void defineLegendaColunasChartMes() { historico::defineLegendaColunasChartMes(*m_chartMes); }
    void defineLegendaColunasChartDia();
    NavegadorHistorico& navegador() { return *m_navegador; }
    void carregarHistoricoMes() { m_navegador->carregarHistoricoMes(); }
    void carregarHistoricoDia() { m_navegador->carregarHistoricoDia(); }
    void escolherMes() { m_navegador->escolherMes(); }

    // ---- commands --------------------------------------------------------------------------
    void abrirAjustes();
    // The settings window has closed: its choices apply and the cycle goes on.
    void aplicarAjustes();
    void preencherDemonstracao();

    // ---- what the reply handlers write ------------------------------------------------------
    void definirLotacao(const QString& texto) override;
    void definirTotal(const QString& texto) override { m_figuras->lblTotal->setText(texto); }
    void definirMes(const QString& texto) override { m_figuras->lblMes->setText(texto); }
    void definirMediaDia(const QString& texto) override { m_figuras->lblMediaDia->setText(texto); }
    void definirMediaHora(const QString& texto) override { m_figuras->lblMediaHora->setText(texto); }
    void definirAtualizadoAgora(const QString& texto) override
    {
        m_figuras->lblAtualizadoAgora->setText(texto);
    }
    void definirAtualizadoHoje(const QString& texto) override
    {
        m_figuras->lblAtualizadoHoje->setText(texto);
    }
    void definirAtualizadoMedia(const QString& texto) override
    {
        m_figuras->lblAtualizadoMedia->setText(texto);
    }
    void definirAtualizadoTotalMes(const QString& texto) override
    {
        m_figuras->lblAtualizadoTotalMes->setText(texto);
    }
    void exibirAtualizarAgora() override { m_figuras->picAtualizarAgora->show(); }
    void exibirAtualizarTotalMes() override { m_figuras->picAtualizarTotalMes->show(); }
    controle::DestinoGrafico& chartMes() override { return *m_chartMes; }
    controle::DestinoGrafico& chartDia() override { return *m_chartDia; }
    int inicioExpediente() override { return m_dep.ajustes.inicioExpediente(); }
    int fimExpediente() override { return m_dep.ajustes.fimExpediente(); }

protected:
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;

private:
    void criarControles();
    QWidget* criarColunaFiguras();
    void encerrarCiclo();
    ciclo::Acoes acoesCiclo();

    static constexpr QSize tamanhoProjetado{1160, 720};

    Dependencias m_dep;
    ciclo::Ciclo m_ciclo;
    bool m_ajustadoATela = false;
    Temporizador* m_timerBaseTempo = nullptr;

    FigurasAoVivo* m_figuras = nullptr;
    Grafico* m_chartDia = nullptr;
    Grafico* m_chartMes = nullptr;
    QProgressBar* m_barAtualizacaoDia = nullptr;
    QProgressBar* m_barAtualizacaoMes = nullptr;
    QLabel* m_lblLegendaDesconectado = nullptr;
    QFrame* m_frmDesconectado = nullptr;
    NavegadorHistorico* m_navegador = nullptr;
    QMenuBar* m_menu = nullptr;
    QAction* m_menuExportarMensal = nullptr;
    QAction* m_menuExportarMensalXlsx = nullptr;
};
