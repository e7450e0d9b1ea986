#include "painelavancado.h"

#include "ajustesAvancado.h"
#include "banco.h"
#include "controle.h"
#include "coresLotacao.h"
#include "costuras.h"
#include "datas.h"
#include "figurasAoVivo.h"
#include "grafico.h"
#include "historico.h"
#include "regrasLotacao.h"
#include "temporizador.h"
#include "textos.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>

using namespace controlesPainel;

PainelAvancado::PainelAvancado(Dependencias dependencias, QWidget* parent)
    : QDialog(parent), m_dep(std::move(dependencias)), m_ciclo(m_dep.contadores)
{
    setObjectName(QStringLiteral("painelavancado"));
    setWindowTitle(QStringLiteral("Painel Avançado"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // A hook left unset does nothing (the read checks count as done, see ciclo::Acoes).
    const auto nada = [](const QString&) {};
    for (auto* f : {&m_dep.definirPagina, &m_dep.definirPasso})
        if (!*f)
            *f = nada;
    if (!m_dep.solicitarPagina)
        m_dep.solicitarPagina = [](int) {};
    if (!m_dep.solicitarPagina6)
        m_dep.solicitarPagina6 = [] {};
    criarControles();
}

PainelAvancado::~PainelAvancado()
{
    encerrarCiclo();
}

void PainelAvancado::criarControles()
{
    m_timerBaseTempo = new Temporizador(this);
    m_timerBaseTempo->setObjectName(QStringLiteral("TimerBaseTempo"));
    m_timerBaseTempo->setInterval(5000);
    connect(m_timerBaseTempo, &Temporizador::timeout, this, &PainelAvancado::tiqueBaseTempo);

    // Menus.
    m_menu = new QMenuBar(this);
    QMenu* ajustes = m_menu->addMenu(QStringLiteral("Ajustes"));
    ajustes->setObjectName(QStringLiteral("menuAjustes"));
    QAction* expediente = ajustes->addAction(QStringLiteral("Horário de Expediente"));
    expediente->setObjectName(QStringLiteral("menuAjustesExpediente"));
    connect(expediente, &QAction::triggered, this, &PainelAvancado::abrirAjustes);
    QMenu* exportar = m_menu->addMenu(QStringLiteral("Exportar Gráfico"));
    exportar->setObjectName(QStringLiteral("menuExportar"));
    m_menuExportarMensal = exportar->addAction(QStringLiteral("Exportar Gráfico Mensal (Mês Selecionado)"));
    m_menuExportarMensal->setObjectName(QStringLiteral("menuExportarMensal"));

    m_menuExportarMensalXlsx =
        exportar->addAction(QStringLiteral("Exportar Planilha Mensal com Gráfico (.xlsx)"));
    m_menuExportarMensalXlsx->setObjectName(QStringLiteral("menuExportarMensalXlsx"));

    auto* raiz = new QVBoxLayout(this);
    raiz->setMenuBar(m_menu);
    raiz->setContentsMargins(8, 4, 8, 8);

    // Connection indicator: a red strip over the whole width.
    m_frmDesconectado = new QFrame(this);
    m_frmDesconectado->setObjectName(QStringLiteral("frm_desconectado"));
    m_frmDesconectado->setStyleSheet(QStringLiteral("QFrame#frm_desconectado { background: #c00000; }"));
    auto* faixa = new QHBoxLayout(m_frmDesconectado);
    faixa->setContentsMargins(6, 2, 6, 2);
    m_lblLegendaDesconectado = new QLabel(QStringLiteral("Desconectado"), m_frmDesconectado);
    m_lblLegendaDesconectado->setObjectName(QStringLiteral("lbl_legendaDesconectado"));
    m_lblLegendaDesconectado->setStyleSheet(
        QStringLiteral("background: #c00000; color: white; font-weight: bold;"));
    faixa->addWidget(m_lblLegendaDesconectado);
    faixa->addStretch();
    m_lblLegendaDesconectado->hide();
    m_frmDesconectado->hide();
    raiz->addWidget(m_frmDesconectado);

    auto* corpo = new QHBoxLayout;
    raiz->addLayout(corpo, 1);

    m_figuras = new FigurasAoVivo(this);
    corpo->addWidget(m_figuras);
    int nLinha = 6; // Line1 to Line5 part the figures
    connect(m_figuras->picAtualizarAgora, &RotuloClicavel::clicado, this,
            &PainelAvancado::atualizarGraficoDia);
    connect(m_figuras->picture1, &RotuloClicavel::clicado, this, &PainelAvancado::atualizarGraficoDia);
    connect(m_figuras->picAtualizarTotalMes, &RotuloClicavel::clicado, this,
            &PainelAvancado::clicarAtualizarTotalMes);
    connect(m_figuras->label14, &RotuloClicavel::clicado, this, &PainelAvancado::preencherDemonstracao);

    corpo->addWidget(linha(this, nLinha++, true));

    // The two charts, each under its title bar and over its progress bar.
    auto* graficos = new QVBoxLayout;
    corpo->addLayout(graficos, 1);
    auto titulo = [this](const QString& frame, const QString& nome, const QString& texto) {
        auto* f = new QFrame(this);
        f->setObjectName(frame);
        f->setStyleSheet(QStringLiteral("QFrame#%1 { background: #1f4e79; }").arg(frame));
        auto* l = new QHBoxLayout(f);
        l->setContentsMargins(6, 2, 6, 2);
        auto* t = new QLabel(texto, f);
        t->setObjectName(nome);
        t->setFont(fonte(10, true));
        t->setStyleSheet(QStringLiteral("color: white;"));
        l->addWidget(t);
        return f;
    };
    auto barra = [this](const QString& nome, const QString& dica) {
        auto* b = new QProgressBar(this);
        b->setObjectName(nome);
        b->setToolTip(dica);
        b->setTextVisible(false);
        b->setFixedHeight(8);
        b->setRange(0, 6);
        b->setValue(0);
        return b;
    };
    graficos->addWidget(
        titulo(QStringLiteral("Frame2"), QStringLiteral("Label3"), QStringLiteral("VISITAS A CADA HORA")));
    m_chartDia = new Grafico(this);
    m_chartDia->setObjectName(QStringLiteral("chartDia"));
    // The charts give way on a small screen; the figures and the history row must stay.
    m_chartDia->setMinimumSize(280, 120);
    m_chartDia->definirNomesSeries(QStringLiteral("Hoje"), QStringLiteral("Dia selecionado"));
    graficos->addWidget(m_chartDia, 1);
    m_barAtualizacaoDia = barra(QStringLiteral("bar_atualizacaoDia"),
                                QStringLiteral("Progresso da espera para atualizar o gráfico diário"));
    graficos->addWidget(m_barAtualizacaoDia);
    graficos->addWidget(
        titulo(QStringLiteral("Frame1"), QStringLiteral("Label1"), QStringLiteral("VISITAS POR DIA NO MÊS")));
    m_chartMes = new Grafico(this);
    m_chartMes->setObjectName(QStringLiteral("chartMes"));
    m_chartMes->setMinimumSize(280, 120);
    m_chartMes->definirNomesSeries(QStringLiteral("Este mês"), QStringLiteral("Mês selecionado"));
    graficos->addWidget(m_chartMes, 1);
    m_barAtualizacaoMes = barra(QStringLiteral("bar_atualizacaoMes"),
                                QStringLiteral("Progresso da espera para atualizar o gráfico mensal"));
    graficos->addWidget(m_barAtualizacaoMes);

    raiz->addWidget(linha(this, nLinha++, false));

    m_navegador = new NavegadorHistorico({.chartMes = *m_chartMes,
                                          .chartDia = *m_chartDia,
                                          .ajustes = m_dep.ajustes,
                                          .segundosHistorico = m_dep.contadores.segundosHistorico,
                                          .banco = m_dep.banco,
                                          .menuExportarMensal = m_menuExportarMensal,
                                          .menuExportarMensalXlsx = m_menuExportarMensalXlsx},
                                         this);
    raiz->addWidget(m_navegador);
    connect(m_menuExportarMensal, &QAction::triggered, m_navegador, &NavegadorHistorico::exportarMensal);
    connect(m_menuExportarMensalXlsx, &QAction::triggered, m_navegador,
            &NavegadorHistorico::exportarMensalXlsx);

    // Lines 8 to 10 are the history browser's; the last two are kept, unseen.
    for (nLinha = 11; nLinha <= 12; ++nLinha) {
        QFrame* l = linha(this, nLinha, false);
        l->hide();
    }
    resize(tamanhoProjetado);
}

void PainelAvancado::ajustarAoEspaco(const QRect& area)
{
    // The window manager's title bar and borders are outside our size: leave room for them.
    const QMargins moldura(8, 40, 8, 8);
    // On a narrow screen the history row would not fit on one line: its figures get their own.
    m_navegador->dispor(area.width() - moldura.left() - moldura.right() - layout()->contentsMargins().left() -
                        layout()->contentsMargins().right());
    layout()->activate();
    const QSize tamanho =
        tamanhoProjetado.boundedTo(area.marginsRemoved(moldura).size()).expandedTo(minimumSizeHint());
    resize(tamanho);
    const int sobraX = area.width() - tamanho.width() - moldura.left() - moldura.right();
    const int sobraY = area.height() - tamanho.height() - moldura.top() - moldura.bottom();
    move(area.left() + std::max(0, sobraX / 2), area.top() + std::max(0, sobraY / 2));
}

void PainelAvancado::showEvent(QShowEvent* evento)
{
    // Loaded hidden at start-up, the panel may be shown days later.
    if (!evento->spontaneous())
        m_navegador->acompanharHoje(true);
    // Each opening fits the screen the panel opens on (a laptop, 150 % scaling, a taskbar).
    if (!evento->spontaneous() && !m_ajustadoATela) {
        m_ajustadoATela = true;
        if (QScreen* tela = screen())
            ajustarAoEspaco(tela->availableGeometry());
    }
    QDialog::showEvent(evento);
}

// ---- loading and closing -------------------------------------------------------------------

void PainelAvancado::carregar()
{
    acelerarTimerBaseTempo();
    m_timerBaseTempo->start();
    m_ciclo.lerMesCompleto();
    m_ciclo.lerDiaCompleto();
    defineLegendaColunasChartMes();
    defineLegendaColunasChartDia();
    m_ciclo.carregar(m_ciclo.intervaloAtualizacaoMes);
    defineIntervaloAtualizacaoMes();
    m_navegador->buscaAnoMesDisponiveisBancoDeDados();
    m_navegador->buscaDiasBancoDeDados();
    m_navegador->exibirDiaAtual();
    m_navegador->exibirMesAtual();
}

void PainelAvancado::encerrarCiclo()
{
    if (m_timerBaseTempo)
        m_timerBaseTempo->stop();
}

void PainelAvancado::closeEvent(QCloseEvent* evento)
{
    encerrarCiclo();
    QDialog::closeEvent(evento);
    evento->accept();
}

void PainelAvancado::done(int resultado)
{
    // Escape and the close box of a modal run end here; the window unloads either way.
    encerrarCiclo();
    QDialog::done(resultado);
}

// ---- polling cycle ----------------------------------------------------------------------------

void PainelAvancado::tiqueBaseTempo()
{
    m_ciclo.tique(datas::hoje(), datas::agora(), acoesCiclo());
    // On screen past midnight: the selectors move to the new day.
    if (isVisible())
        m_navegador->acompanharHoje(false);
}

ciclo::Acoes PainelAvancado::acoesCiclo()
{
    return {.solicitarPagina =
                [this](int n) {
                    m_dep.definirPagina(QString::number(n));
                    m_dep.solicitarPagina(n);
                },
            .definirPagina = m_dep.definirPagina,
            .solicitarPagina6 = m_dep.solicitarPagina6,
            .acelerar = [this] { acelerarTimerBaseTempo(); },
            .normalizar = [this] { normalizarTimerBaseTempo(); },
            .releitura =
                [this] {
                    const int intervalo = ciclo::intervaloReleitura(m_dep.ajustes.lerTempoAtualizarDia());
                    if (m_timerBaseTempo->interval() != intervalo)
                        m_timerBaseTempo->setInterval(intervalo);
                },
            .barraMes =
                [this](int maximo, int valor) {
                    configurarBar_atualizacaoMes(maximo);
                    m_barAtualizacaoMes->setValue(std::min(valor, maximo));
                },
            .barraDia =
                [this](int maximo, int valor) {
                    configurarBar_atualizacaoDia(maximo);
                    m_barAtualizacaoDia->setValue(std::min(valor, maximo));
                },
            .exibirParametro = [this](const QString&) { exibeParametro(); },
            .exibirPaginaHora = [this](const QString& t) { m_figuras->lblPag->setText(t); },
            .exibirPasso = m_dep.definirPasso,
            .mesLido = m_dep.mesLido,
            .diaLido = m_dep.diaLido};
}

void PainelAvancado::exibirDesconectadoAvancado()
{
    m_lblLegendaDesconectado->show();
    m_frmDesconectado->show();
}

void PainelAvancado::ocultarDesconectadoAvancado()
{
    m_lblLegendaDesconectado->hide();
    m_frmDesconectado->hide();
}

void PainelAvancado::normalizarTimerBaseTempo()
{
    const int intervalo = ciclo::intervaloNormal(m_dep.ajustes.lerTempoAtualizarDia());
    // setInterval restarts a running timer; a reply that arrives every tick must not keep
    // pushing the next tick away.
    if (m_timerBaseTempo->interval() != intervalo)
        m_timerBaseTempo->setInterval(intervalo);
}

void PainelAvancado::atualizarGraficoDia()
{
    m_ciclo.atualizarDia();
    m_figuras->picAtualizarAgora->hide();
    acelerarTimerBaseTempo();
}

void PainelAvancado::lerDiaCompleto()
{
    m_ciclo.lerDiaCompleto();
    m_figuras->picAtualizarAgora->hide();
}

void PainelAvancado::exibeParametro()
{
    m_figuras->lblParam->setText(QString());
    m_figuras->lblParam->setText(QString::number(m_ciclo.passoCiclo));
}

void PainelAvancado::clicarAtualizarTotalMes()
{
    m_ciclo.atualizarMes();
    m_figuras->picAtualizarTotalMes->hide();
    acelerarTimerBaseTempo();
}

// ---- charts and history ------------------------------------------------------------------------

void PainelAvancado::defineLegendaColunasChartDia()
{
    historico::defineLegendaColunasChartDia(*m_chartDia, m_dep.ajustes.inicioExpediente(),
                                            m_dep.ajustes.fimExpediente());
}

void PainelAvancado::abrirAjustes()
{
    pararTimerBaseTempo();
    // The window closes by itself (close box, Escape); its closing brings the settings here.
    if (m_dep.abrirAjustes)
        m_dep.abrirAjustes([this] { aplicarAjustes(); });
    // A window that could not run its close steps must not leave the cycle paused.
    if (!m_timerBaseTempo->isActive())
        resumirTimerBaseTempo();
}

void PainelAvancado::aplicarAjustes()
{
    defineLegendaColunasChartDia();
    defineIntervaloAtualizacaoMes();
    atualizarGraficoDia();
    resumirTimerBaseTempo();
}

void PainelAvancado::preencherDemonstracao()
{
    const int s = m_dep.ajustes.inicioExpediente();
    const historico::Demonstracao d =
        historico::demonstracao(s, m_dep.ajustes.fimExpediente(), costuras::aleatorio);
    m_chartDia->setColumn(1);
    for (int i = 0; i < d.horas.size(); ++i) {
        m_chartDia->setRow(i + 1);
        m_chartDia->setRowLabel(QString::number(s + i));
        m_chartDia->setData(QString::number(d.horas[i]));
    }
    for (int i = 0; i < d.dias.size(); ++i) {
        m_chartMes->setRow(i + 1);
        m_chartMes->setRowLabel(QString::number(i + 1));
        m_chartMes->setData(QString::number(d.dias[i]));
    }
    m_figuras->lblTotal->setText(QString::number(d.totalHoje));
    if (d.lotacao)
        m_figuras->lblLotacao->setText(QString::number(*d.lotacao));
    m_figuras->lblMediaHora->setText(QString::number(d.mediaHora));
    m_figuras->lblMes->setText(QString::number(d.totalMes));
    m_figuras->lblMediaDia->setText(QString::number(d.mediaDia));
}

// ---- what the reply handlers write --------------------------------------------------------------

void PainelAvancado::definirLotacao(const QString& texto)
{
    m_figuras->lblLotacao->setText(texto);
    // Amber near the maximum set for the public display, red at it, as on that display. An
    // unreadable file is reported by the other reads of the cycle; the figure then has no limit.
    banco::Lotacao limites;
    m_dep.banco.lerLotacao(limites, false);
    const QColor cor = regrasLotacao::cor(regrasLotacao::estado(texto, limites.maxima, limites.aviso),
                                          QColor(0x1f, 0x4e, 0x79));
    m_figuras->lblLotacao->setStyleSheet(QStringLiteral("color: %1;").arg(cor.name()));
}
