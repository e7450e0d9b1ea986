#include "painelavancado.h"

#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "datas.h"
#include "grafico.h"
#include "historico.h"
#include "mensagens.h"
#include "painelavancadoAjustes.h"
#include "exportacao.h"
#include "planilha.h"
#include "regrasLotacao.h"
#include "textos.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>

#include <cmath>

namespace {

PainelAvancado::Principal& principal()
{
    static PainelAvancado::Principal p;
    return p;
}

const QString dicaAtualizacao = QStringLiteral("Horário da atualização da contagem total do mês");
const QString dicaAtualizar = QStringLiteral("Atualizar contagem total do mês agora");

QFont fonte(int pontos, bool negrito = false)
{
    QFont f(QStringLiteral("Segoe UI"));
    f.setPointSize(pontos);
    f.setBold(negrito);
    return f;
}

QFrame* linha(QWidget* pai, int n, bool vertical)
{
    auto* l = new QFrame(pai);
    l->setObjectName(QStringLiteral("Line%1").arg(n));
    l->setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

// Shows a text in a selector with the list's current entry on it, so that an opened list
// highlights what is shown; a text the list lacks (a year not recorded yet) is shown alone.
void mostrarNoSeletor(QComboBox* seletor, const QString& texto)
{
    seletor->setCurrentIndex(seletor->findText(texto));
    seletor->setEditText(texto);
}

} // namespace

void RotuloClicavel::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        Q_EMIT clicado();
    QLabel::mouseReleaseEvent(evento);
}

void PainelAvancado::definirPrincipal(Principal p)
{
    principal() = std::move(p);
}

PainelAvancado::PainelAvancado(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("painelavancado"));
    setWindowTitle(QStringLiteral("Painel Avançado"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    criarControles();
}

PainelAvancado::~PainelAvancado()
{
    encerrarCiclo();
}

QLabel* PainelAvancado::rotulo(const QString& nome, const QString& texto, const QString& dica)
{
    auto* l = new QLabel(texto, this);
    l->setObjectName(nome);
    // Whatever reaches a caption (device values, stored texts) is shown as written.
    l->setTextFormat(Qt::PlainText);
    if (!dica.isEmpty())
        l->setToolTip(dica);
    return l;
}

RotuloClicavel* PainelAvancado::figuraAtualizar(const QString& nome)
{
    auto* p = new RotuloClicavel(this);
    p->setObjectName(nome);
    p->setToolTip(dicaAtualizar);
    p->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(18, 18));
    p->setFixedSize(18, 18);
    p->setCursor(Qt::PointingHandCursor);
    return p;
}

QComboBox* PainelAvancado::seletor(const QString& nome, const QString& dica)
{
    auto* c = new QComboBox(this);
    c->setObjectName(nome);
    c->setToolTip(dica);
    // Editable only so that it can show a text that is not (yet) in its list, as the current
    // year before any month was recorded; every key press is thrown away.
    c->setEditable(true);
    c->lineEdit()->setReadOnly(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->installEventFilter(this);
    c->lineEdit()->installEventFilter(this);
    c->setMinimumContentsLength(4);
    return c;
}

bool PainelAvancado::eventFilter(QObject* objeto, QEvent* evento)
{
    // The wheel is refused like the keys: scrolling over the panel must not load history.
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease ||
        evento->type() == QEvent::InputMethod || evento->type() == QEvent::Wheel) {
        for (QComboBox* c : {m_cmbAno, m_cmbMes, m_cmbDia})
            if (c && (objeto == c || objeto == c->lineEdit()))
                return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void PainelAvancado::criarControles()
{
    m_timerBaseTempo = new Temporizador(this);
    m_timerBaseTempo->setObjectName(QStringLiteral("TimerBaseTempo"));
    m_timerBaseTempo->setInterval(5000);
    connect(m_timerBaseTempo, &Temporizador::timeout, this, &PainelAvancado::tiqueBaseTempo);
    m_timerExibirHistorico = new Temporizador(this);
    m_timerExibirHistorico->setObjectName(QStringLiteral("TimerExibirHistorico"));
    m_timerExibirHistorico->setInterval(1000);
    connect(m_timerExibirHistorico, &Temporizador::timeout, this, &PainelAvancado::tiqueExibirHistorico);

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
    connect(m_menuExportarMensal, &QAction::triggered, this, &PainelAvancado::exportarMensal);
    m_menuExportarMensalXlsx = exportar->addAction(QStringLiteral("Exportar Planilha Mensal com Gráfico (.xlsx)"));
    m_menuExportarMensalXlsx->setObjectName(QStringLiteral("menuExportarMensalXlsx"));
    connect(m_menuExportarMensalXlsx, &QAction::triggered, this, &PainelAvancado::exportarMensalXlsx);

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
    m_lblLegendaDesconectado->setStyleSheet(QStringLiteral("background: #c00000; color: white; font-weight: bold;"));
    faixa->addWidget(m_lblLegendaDesconectado);
    faixa->addStretch();
    m_lblLegendaDesconectado->hide();
    m_frmDesconectado->hide();
    raiz->addWidget(m_frmDesconectado);

    auto* corpo = new QHBoxLayout;
    raiz->addLayout(corpo, 1);

    // Live figures, one tile each, in a column of fixed width (set below) that scrolls when
    // the window is too short for it.
    auto* colunaFiguras = new QWidget;
    colunaFiguras->setObjectName(QStringLiteral("colunaFiguras"));
    auto* figuras = new QVBoxLayout(colunaFiguras);
    figuras->setContentsMargins(0, 0, 0, 0);
    figuras->setSpacing(2);
    auto* rolagemFiguras = new QScrollArea(this);
    rolagemFiguras->setObjectName(QStringLiteral("rolagemFiguras"));
    rolagemFiguras->setFrameShape(QFrame::NoFrame);
    rolagemFiguras->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rolagemFiguras->setWidgetResizable(true);
    corpo->addWidget(rolagemFiguras);
    int nLinha = 1;
    auto numero = [this](const QString& nome, const QString& texto, const QString& dica, int pontos) {
        QLabel* l = rotulo(nome, texto, dica);
        l->setFont(fonte(pontos, true));
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #1f4e79;"));
        return l;
    };
    auto legenda = [this](const QString& nome, const QString& texto, const QString& dica = {}) {
        QLabel* l = rotulo(nome, texto, dica);
        l->setFont(fonte(10));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto carimbo = [this](const QString& nome) {
        QLabel* l = rotulo(nome, QStringLiteral("as 00:00"), dicaAtualizacao);
        l->setFont(fonte(8));
        l->setStyleSheet(QStringLiteral("color: #606060;"));
        return l;
    };
    auto tile = [&](QLabel* valor, QLabel* leg, QLabel* stamp, RotuloClicavel* pic) {
        figuras->addWidget(valor);
        figuras->addWidget(leg);
        auto* linhaCarimbo = new QHBoxLayout;
        linhaCarimbo->addStretch();
        if (stamp)
            linhaCarimbo->addWidget(stamp);
        if (pic)
            linhaCarimbo->addWidget(pic);
        linhaCarimbo->addStretch();
        figuras->addLayout(linhaCarimbo);
        figuras->addWidget(linha(this, nLinha++, false));
    };
    m_lblLotacao = numero(QStringLiteral("lbl_lotacao"), QStringLiteral("00000"),
                          QStringLiteral("Visitantes no interior do ambiente"), 30);
    m_lblAtualizadoAgora = carimbo(QStringLiteral("lbl_atualizadoAgora"));
    m_picAtualizarAgora = figuraAtualizar(QStringLiteral("pic_atualizarAgora"));
    tile(m_lblLotacao, legenda(QStringLiteral("Label4"), QStringLiteral("lotação agora")), m_lblAtualizadoAgora,
         m_picAtualizarAgora);
    m_lblTotal = numero(QStringLiteral("lbl_total"), QStringLiteral("00000"), QStringLiteral("Visitas recebidas hoje"), 26);
    m_lblAtualizadoHoje = carimbo(QStringLiteral("lbl_atualizadoHoje"));
    m_picture1 = figuraAtualizar(QStringLiteral("Picture1"));
    tile(m_lblTotal, legenda(QStringLiteral("Label2"), QStringLiteral("total hoje")), m_lblAtualizadoHoje, m_picture1);
    m_lblMes = numero(QStringLiteral("lbl_mes"), QStringLiteral("000000"), QStringLiteral("Visitas recebidas neste mês"), 22);
    m_lblAtualizadoTotalMes = carimbo(QStringLiteral("lbl_atualizadoTotalMes"));
    m_picAtualizarTotalMes = figuraAtualizar(QStringLiteral("pic_atualizarTotalMes"));
    tile(m_lblMes, legenda(QStringLiteral("lbl_total_mes"), QStringLiteral("total mês")), m_lblAtualizadoTotalMes,
         m_picAtualizarTotalMes);
    m_lblMediaDia = numero(QStringLiteral("lbl_mediaDia"), QStringLiteral("0000"),
                           QStringLiteral("Média de visitas por hora, hoje"), 18);
    tile(m_lblMediaDia,
         legenda(QStringLiteral("Label10"), QStringLiteral("média/dia"),
                 QStringLiteral("A média de visitas por hora considera somente os dias com pelo menos uma visita")),
         nullptr, nullptr);
    m_lblMediaHora = numero(QStringLiteral("lbl_mediaHora"), QStringLiteral("0000"),
                            QStringLiteral("Média de visitas por hora, hoje"), 18);
    m_lblAtualizadoMedia = carimbo(QStringLiteral("lbl_atualizadoMedia"));
    tile(m_lblMediaHora,
         legenda(QStringLiteral("Label11"), QStringLiteral("média/hora"),
                 QStringLiteral("A média de visitas por hora considera somente os horários com pelo menos uma visita")),
         m_lblAtualizadoMedia, nullptr);
    QLabel* label5 = carimbo(QStringLiteral("Label5"));
    label5->hide(); // a stamp the panel never writes
    figuras->addWidget(label5);
    figuras->addStretch();
    auto* diagnostico = new QHBoxLayout;
    QFont mono(QStringLiteral("Courier New"));
    mono.setPointSizeF(8);
    m_lblParam = rotulo(QStringLiteral("lbl_param"), QStringLiteral("Param"));
    m_lblParam->setFont(mono);
    m_lblPag = rotulo(QStringLiteral("lbl_pag"), QStringLiteral("Param"));
    m_lblPag->setFont(mono);
    m_label14 = new RotuloClicavel(QStringLiteral("1"), this);
    m_label14->setObjectName(QStringLiteral("Label14"));
    m_label14->setFixedSize(17, 9);
    m_label14->setFont(mono);
    m_label14->setStyleSheet(QStringLiteral("color: #b0b0b0;"));
    diagnostico->addWidget(m_lblParam);
    diagnostico->addWidget(m_lblPag);
    diagnostico->addWidget(m_label14);
    diagnostico->addStretch();
    figuras->addLayout(diagnostico);
    // One width whatever the figures hold (00000, 0, 3561): the charts beside the column must
    // not move when a figure changes. A month total can reach seven digits.
    int largura =
        QFontMetrics(m_lblAtualizadoAgora->font()).horizontalAdvance(QStringLiteral("as 00:00:00")) + 18 + 16;
    for (const auto& [figura, digitos] :
         {std::pair{m_lblLotacao, 5}, std::pair{m_lblTotal, 5}, std::pair{m_lblMes, 7},
          std::pair{m_lblMediaDia, 5}, std::pair{m_lblMediaHora, 5}})
        largura =
            std::max(largura, QFontMetrics(figura->font()).horizontalAdvance(QString(digitos, u'0')) + 12);
    colunaFiguras->setFixedWidth(largura);
    rolagemFiguras->setWidget(colunaFiguras);
    // Room for the scroll bar is kept, so that its coming and going moves nothing either.
    rolagemFiguras->setFixedWidth(largura + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    connect(m_picAtualizarAgora, &RotuloClicavel::clicado, this, &PainelAvancado::atualizarGraficoDia);
    connect(m_picture1, &RotuloClicavel::clicado, this, &PainelAvancado::atualizarGraficoDia);
    connect(m_picAtualizarTotalMes, &RotuloClicavel::clicado, this, &PainelAvancado::clicarAtualizarTotalMes);
    connect(m_label14, &RotuloClicavel::clicado, this, &PainelAvancado::preencherDemonstracao);

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
    graficos->addWidget(titulo(QStringLiteral("Frame2"), QStringLiteral("Label3"), QStringLiteral("VISITAS A CADA HORA")));
    m_chartDia = new Grafico(this);
    m_chartDia->setObjectName(QStringLiteral("chartDia"));
    // The charts give way on a small screen; the figures and the history row must stay.
    m_chartDia->setMinimumSize(280, 120);
    m_chartDia->definirNomesSeries(QStringLiteral("Hoje"), QStringLiteral("Dia selecionado"));
    graficos->addWidget(m_chartDia, 1);
    m_barAtualizacaoDia = barra(QStringLiteral("bar_atualizacaoDia"),
                                QStringLiteral("Progresso da espera para atualizar o gráfico diário"));
    graficos->addWidget(m_barAtualizacaoDia);
    graficos->addWidget(titulo(QStringLiteral("Frame1"), QStringLiteral("Label1"), QStringLiteral("VISITAS POR DIA NO MÊS")));
    m_chartMes = new Grafico(this);
    m_chartMes->setObjectName(QStringLiteral("chartMes"));
    m_chartMes->setMinimumSize(280, 120);
    m_chartMes->definirNomesSeries(QStringLiteral("Este mês"), QStringLiteral("Mês selecionado"));
    graficos->addWidget(m_chartMes, 1);
    m_barAtualizacaoMes = barra(QStringLiteral("bar_atualizacaoMes"),
                                QStringLiteral("Progresso da espera para atualizar o gráfico mensal"));
    graficos->addWidget(m_barAtualizacaoMes);

    raiz->addWidget(linha(this, nLinha++, false));

    // History browser.
    auto* hist = new QHBoxLayout;
    raiz->addLayout(hist);
    hist->addWidget(rotulo(QStringLiteral("Label8"), QStringLiteral("Ver período:")));
    hist->addWidget(rotulo(QStringLiteral("Label7"), QStringLiteral("Ano")));
    m_cmbAno = seletor(QStringLiteral("cmb_ano"), QStringLiteral("Selecionar ano para visualizar o histórico"));
    hist->addWidget(m_cmbAno);
    hist->addWidget(rotulo(QStringLiteral("Label9"), QStringLiteral("Mês")));
    m_cmbMes = seletor(QStringLiteral("cmb_mes"), QStringLiteral("Ver Total de Visitas de outro mês"));
    hist->addWidget(m_cmbMes);
    auto* frame3 = new QFrame(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* f3 = new QHBoxLayout(frame3);
    f3->setContentsMargins(0, 0, 0, 0);
    auto* label6 = new QLabel(QStringLiteral("Dia"), frame3);
    label6->setObjectName(QStringLiteral("Label6"));
    f3->addWidget(label6);
    m_cmbDia = seletor(QStringLiteral("cmb_dia"),
                       QStringLiteral("Selecione o dia para visualizar o fluxo de vsiitas por hora"));
    m_cmbDia->setParent(frame3);
    f3->addWidget(m_cmbDia);
    hist->addWidget(frame3);
    connect(m_cmbAno, &QComboBox::textActivated, this, &PainelAvancado::escolherAno);
    connect(m_cmbMes, &QComboBox::textActivated, this, &PainelAvancado::escolherMes);
    connect(m_cmbDia, &QComboBox::textActivated, this, &PainelAvancado::escolherDia);

    // The figures of a history display: beside the selectors where the screen is wide enough,
    // on a line of their own below them otherwise (see ajustarAoEspaco).
    m_figurasHistorico = new QWidget(this);
    m_figurasHistorico->setObjectName(QStringLiteral("figurasHistorico"));
    auto* hf = new QHBoxLayout(m_figurasHistorico);
    hf->setContentsMargins(0, 0, 0, 0);
    hist->addWidget(m_figurasHistorico);
    m_linhaHistorico = hist;
    m_segundaLinhaHistorico = new QHBoxLayout;
    raiz->addLayout(m_segundaLinhaHistorico);
    hf->addWidget(linha(this, nLinha++, true));
    auto figuraHistorico = [this](const QString& nome, const QString& dica) {
        QLabel* l = rotulo(nome, QStringLiteral("00000"), dica);
        l->setFont(fonte(11, true));
        l->setMinimumWidth(54);
        // Their room is kept while hidden: showing them must not push the row about.
        QSizePolicy politica = l->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        l->setSizePolicy(politica);
        l->hide();
        return l;
    };
    hf->addWidget(rotulo(QStringLiteral("lbl_legendaHistoricoTotalMes"), QStringLiteral("Total Mês")));
    m_lblHistoricoTotalMes = figuraHistorico(QStringLiteral("lbl_HistoricoTotalMes"),
                                             QStringLiteral("Visitas no mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoTotalMes);
    hf->addWidget(rotulo(QStringLiteral("Label12"), QStringLiteral("Média / dia:")));
    m_lblHistoricoMediaMes = figuraHistorico(QStringLiteral("lbl_HistoricoMediaMes"),
                                             QStringLiteral("Média de Visitas no mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoMediaMes);
    hf->addWidget(linha(this, nLinha++, true));
    hf->addWidget(rotulo(QStringLiteral("lbl_LegendaHistoricoTotalDia"), QStringLiteral("Total Dia")));
    m_lblHistoricoTotalDia = figuraHistorico(QStringLiteral("lbl_HistoricoTotalDia"),
                                             QStringLiteral("Total de Visitas no dia do mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoTotalDia);
    hf->addWidget(rotulo(QStringLiteral("Label13"), QStringLiteral("Média / hora")));
    m_lblHistoricoMediaDia = figuraHistorico(QStringLiteral("lbl_HistoricoMediaDia"),
                                             QStringLiteral("Média de Visitas no dia do mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoMediaDia);
    hf->addWidget(linha(this, nLinha++, true));
    m_barTempoHistorico = new QProgressBar(this);
    m_barTempoHistorico->setObjectName(QStringLiteral("bar_tempoHistorico"));
    m_barTempoHistorico->setToolTip(QStringLiteral("Tempo restante de exibição do histórico"));
    m_barTempoHistorico->setTextVisible(false);
    m_barTempoHistorico->setFixedSize(80, 8);
    m_barTempoHistorico->setRange(0, 30);
    m_barTempoHistorico->setValue(0);
    hist->addWidget(m_barTempoHistorico);
    m_lblRelatorio = rotulo(QStringLiteral("lbl_relatorio"), QStringLiteral("."));
    m_lblRelatorio->setMinimumWidth(110);
    QSizePolicy politicaRelatorio = m_lblRelatorio->sizePolicy();
    politicaRelatorio.setRetainSizeWhenHidden(true);
    m_lblRelatorio->setSizePolicy(politicaRelatorio);
    m_lblRelatorio->hide(); // shown with the history figures
    hist->addWidget(m_lblRelatorio);
    hist->addStretch();
    m_lblExcluir = new RotuloClicavel(QStringLiteral("X"), this);
    m_lblExcluir->setObjectName(QStringLiteral("lbl_excluir"));
    m_lblExcluir->setToolTip(QStringLiteral("Excluir Histórico Selecionado"));
    m_lblExcluir->setFont(fonte(11, true));
    m_lblExcluir->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_lblExcluir->setCursor(Qt::PointingHandCursor);
    hist->addWidget(m_lblExcluir);
    connect(m_lblExcluir, &RotuloClicavel::clicado, this, &PainelAvancado::excluirHistorico);

    // The rest of the twelve separators frame the history row.
    while (nLinha <= 12) {
        QFrame* l = linha(this, nLinha++, false);
        l->hide();
    }
    resize(tamanhoProjetado);
}

void PainelAvancado::ajustarAoEspaco(const QRect& area)
{
    // The window manager's title bar and borders are outside our size: leave room for them.
    const QMargins moldura(8, 40, 8, 8);
    // On a narrow screen the history row would not fit on one line: its figures get their own.
    m_linhaHistorico->removeWidget(m_figurasHistorico);
    m_segundaLinhaHistorico->removeWidget(m_figurasHistorico);
    const int umaLinha = m_linhaHistorico->sizeHint().width() + m_figurasHistorico->sizeHint().width() +
                         m_linhaHistorico->spacing() + layout()->contentsMargins().left() +
                         layout()->contentsMargins().right();
    if (umaLinha <= area.width() - moldura.left() - moldura.right()) {
        m_linhaHistorico->insertWidget(m_linhaHistorico->indexOf(m_barTempoHistorico), m_figurasHistorico);
    } else {
        m_segundaLinhaHistorico->addWidget(m_figurasHistorico, 0, Qt::AlignLeft);
    }
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
    m_ciclo.leituraMesCompleta = false;
    m_ciclo.leituraDiaCompleta = false;
    defineLegendaColunasChartMes();
    defineLegendaColunasChartDia();
    m_ciclo.carregar(m_ciclo.intervaloAtualizacaoMes);
    defineIntervaloAtualizacaoMes();
    buscaAnoMesDisponiveisBancoDeDados();
    buscaDiasBancoDeDados();
    exibirDiaAtual();
    exibirMesAtual();
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

ciclo::Acoes PainelAvancado::acoesCiclo()
{
    ciclo::Acoes a;
    a.solicitarPagina = [](int n) {
        if (principal().definirPagina)
            principal().definirPagina(QString::number(n));
        if (principal().solicitarPagina)
            principal().solicitarPagina(n);
    };
    a.definirPagina = [](const QString& t) {
        if (principal().definirPagina)
            principal().definirPagina(t);
    };
    a.solicitarPagina6 = [] {
        if (principal().solicitarPagina)
            principal().solicitarPagina(6);
    };
    a.acelerar = [this] { acelerarTimerBaseTempo(); };
    a.normalizar = [this] { normalizarTimerBaseTempo(); };
    a.barraMes = [this](int maximo, int valor) {
        configurarBar_atualizacaoMes(maximo);
        m_barAtualizacaoMes->setValue(std::min(valor, maximo));
    };
    a.barraDia = [this](int maximo, int valor) {
        configurarBar_atualizacaoDia(maximo);
        m_barAtualizacaoDia->setValue(std::min(valor, maximo));
    };
    a.exibirParametro = [this](const QString&) { exibeParametro(); };
    a.exibirPaginaHora = [this](const QString& t) { m_lblPag->setText(t); };
    a.exibirPasso = [](const QString& t) {
        if (principal().definirPasso)
            principal().definirPasso(t);
    };
    a.mesLido = [] { return principal().mesLidoPorInteiro && principal().mesLidoPorInteiro(); };
    a.diaLido = [] { return principal().diaLidoPorInteiro && principal().diaLidoPorInteiro(); };
    return a;
}

void PainelAvancado::tiqueBaseTempo()
{
    m_ciclo.tique(datas::hoje(), datas::agora(), acoesCiclo());
}

void PainelAvancado::deveLerLotacao()
{
    m_ciclo.naoLerLotacao = false;
}

void PainelAvancado::naoDeveLerLotacao()
{
    m_ciclo.naoLerLotacao = true;
}

void PainelAvancado::defineIntervaloAtualizacaoMes()
{
    m_ciclo.intervaloAtualizacaoMes = ajustes::lerTempoAtualizarMes();
}

void PainelAvancado::configurarBar_atualizacaoMes(int maximo)
{
    m_barAtualizacaoMes->setRange(0, maximo);
}

void PainelAvancado::configurarBar_atualizacaoDia(int maximo)
{
    m_barAtualizacaoDia->setRange(0, maximo);
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

void PainelAvancado::acelerarTimerBaseTempo()
{
    m_timerBaseTempo->setInterval(1000);
}

void PainelAvancado::normalizarTimerBaseTempo()
{
    const int intervalo = ciclo::intervaloNormal(ajustes::lerTempoAtualizarDia());
    // setInterval restarts a running timer; a reply that arrives every tick must not keep
    // pushing the next tick away.
    if (m_timerBaseTempo->interval() != intervalo)
        m_timerBaseTempo->setInterval(intervalo);
}

void PainelAvancado::pararTimerBaseTempo()
{
    m_timerBaseTempo->stop();
}

void PainelAvancado::resumirTimerBaseTempo()
{
    m_timerBaseTempo->start();
}

void PainelAvancado::atualizarGraficoDia()
{
    m_ciclo.passoCiclo = 3;
    lerDiaCompleto();
    acelerarTimerBaseTempo();
}

bool PainelAvancado::leuMesCompleto() const
{
    return m_ciclo.leituraMesCompleta;
}

void PainelAvancado::lerDiaCompleto()
{
    m_ciclo.leituraDiaCompleta = false;
    m_picAtualizarAgora->hide();
}

void PainelAvancado::lerMesCompleto()
{
    m_ciclo.leituraMesCompleta = false;
    m_picAtualizarTotalMes->hide();
}

void PainelAvancado::exibeParametro()
{
    m_lblParam->setText(QString());
    m_lblParam->setText(QString::number(m_ciclo.passoCiclo));
}

void PainelAvancado::clicarAtualizarTotalMes()
{
    m_ciclo.passoCiclo = 0;
    lerMesCompleto();
    acelerarTimerBaseTempo();
}

// ---- charts and history ------------------------------------------------------------------------

void PainelAvancado::defineLegendaColunasChartMes()
{
    historico::defineLegendaColunasChartMes(*m_chartMes);
}

void PainelAvancado::defineLegendaColunasChartDia()
{
    historico::defineLegendaColunasChartDia(*m_chartDia, ajustes::inicioExpediente(), ajustes::fimExpediente());
}

void PainelAvancado::buscaAnoMesDisponiveisBancoDeDados()
{
    m_cmbMes->clear();
    m_cmbAno->clear();
    m_cmbMes->addItems(historico::mesesDoAno());
    if (const std::optional<QStringList> anos = banco::listarAnos())
        m_cmbAno->addItems(*anos);
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
    mostrarNoSeletor(m_cmbAno, datas::anoHoje());
}

void PainelAvancado::buscaDiasBancoDeDados()
{
    m_cmbMes->clear();
    m_cmbDia->clear();
    m_cmbMes->addItems(historico::mesesDoAno());
    m_cmbDia->addItems(historico::diasDoMes());
    mostrarNoSeletor(m_cmbDia, datas::diaHoje());
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
}

void PainelAvancado::carregarHistoricoMes()
{
    exibirMesHistorico();
    const int m = static_cast<int>(strings::valorNumerico(m_cmbMes->currentText()));
    QString dadosMes;
    if (m >= 1 && m <= 12)
        dadosMes = banco::lerMes(m_cmbAno->currentText(), m).value_or(QString());
    const historico::Figuras f = historico::preencherMes(dadosMes, *m_chartMes);
    m_lblHistoricoTotalMes->show();
    m_lblHistoricoTotalMes->setText(QString::number(f.total));
    m_lblHistoricoMediaMes->setText(QString::number(f.media));
    m_timerExibirHistorico->start();
    verificarExportacao();
}

void PainelAvancado::carregarHistoricoDia()
{
    const int s = ajustes::inicioExpediente();
    exibirDiaHistorico();
    const int d = static_cast<int>(strings::valorNumerico(m_cmbDia->currentText()));
    QString dadosDia;
    if (d >= 1 && d <= 31)
        dadosDia = banco::lerDia(m_cmbAno->currentText(), m_cmbMes->currentText(), d).value_or(QString());
    const historico::Figuras f = historico::preencherDia(dadosDia, s, *m_chartDia);
    m_lblHistoricoTotalDia->show();
    m_lblHistoricoTotalDia->setText(QString::number(f.total));
    m_lblHistoricoMediaDia->setText(QString::number(f.media));
    m_timerExibirHistorico->start();
}

void PainelAvancado::tiqueExibirHistorico()
{
    ciclo::Contadores& c = ciclo::contadores();
    c.segundosHistorico += 1;
    m_barTempoHistorico->setRange(0, 30);
    m_barTempoHistorico->setValue(std::clamp(30 - c.segundosHistorico, 0, 30));
    // Reaching 30 or beyond ends the display (the counter outlives a window closed mid-display).
    if (c.segundosHistorico >= 30) {
        exibirMesAtual();
        exibirDiaAtual();
        m_timerExibirHistorico->stop();
        m_lblRelatorio->hide();
        c.segundosHistorico = 0;
    }
}

void PainelAvancado::escolherAno(const QString&)
{
    carregarHistoricoMes();
}

void PainelAvancado::escolherMes(const QString&)
{
    carregarHistoricoMes();
    carregarHistoricoDia();
}

void PainelAvancado::escolherDia(const QString&)
{
    carregarHistoricoDia();
    carregarHistoricoMes();
}

// ---- view modes ------------------------------------------------------------------------------

void PainelAvancado::exibirMesAtual()
{
    desabilitarExportacao();
    m_lblHistoricoTotalMes->hide();
    m_lblHistoricoMediaMes->hide();
    m_chartMes->setColumnCount(1);
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
    mostrarNoSeletor(m_cmbAno, datas::anoHoje());
}

void PainelAvancado::exibirDiaAtual()
{
    desabilitarExportacao();
    m_lblHistoricoTotalDia->hide();
    m_lblHistoricoMediaDia->hide();
    m_chartDia->setColumnCount(1);
    mostrarNoSeletor(m_cmbDia, datas::diaHoje());
}

void PainelAvancado::exibirMesHistorico()
{
    m_lblHistoricoTotalMes->show();
    m_lblHistoricoMediaMes->show();
    verificarExportacao();
    m_chartMes->setColumnCount(2);
}

void PainelAvancado::exibirDiaHistorico()
{
    verificarExportacao();
    m_lblHistoricoTotalDia->show();
    m_lblHistoricoMediaDia->show();
    m_chartDia->setColumnCount(2);
}

void PainelAvancado::verificarExportacao()
{
    if (strings::valorNumerico(m_lblHistoricoTotalMes->text()) > 0) {
        m_menuExportarMensal->setEnabled(true);
        m_menuExportarMensalXlsx->setEnabled(true);
        m_lblRelatorio->setStyleSheet(QStringLiteral("color: rgb(192, 0, 192);"));
        m_lblRelatorio->show();
        m_lblRelatorio->setText(QStringLiteral("Excel Disponível"));
    } else {
        m_lblRelatorio->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        m_lblRelatorio->show();
        m_lblRelatorio->setText(QStringLiteral("Sem Registros"));
    }
}

void PainelAvancado::desabilitarExportacao()
{
    m_menuExportarMensal->setEnabled(false);
    m_menuExportarMensalXlsx->setEnabled(false);
}

// ---- commands ------------------------------------------------------------------------------------

void PainelAvancado::exportarMensal()
{
    // The menu item may be triggered while disabled only by a shortcut or a test; refuse.
    if (!m_menuExportarMensal->isEnabled())
        return;
    const QString ano = m_cmbAno->currentText();
    const QString mes = m_cmbMes->currentText();
    const QString caminho = QDir(costuras::pastaAplicacao()).filePath(planilha::nomeArquivo(ano, mes));
    planilha::exportar(caminho, planilha::linhasMes(mes, ano, historico::pontosHistorico(*m_chartMes)));
}

void PainelAvancado::exportarMensalXlsx()
{
    if (!m_menuExportarMensalXlsx->isEnabled())
        return;
    const QString ano = m_cmbAno->currentText();
    const QString mes = m_cmbMes->currentText();
    const QString caminho = QDir(costuras::pastaAplicacao()).filePath(exportacao::nomeArquivoMes(ano, mes));
    const auto dias = historico::pontosHistorico(*m_chartMes);
    planilha::concluir(caminho, exportacao::gravarMesXlsx(caminho, mes, ano, dias));
}

void PainelAvancado::excluirHistorico()
{
    const QString mes = m_cmbMes->currentText();
    const QString ano = m_cmbAno->currentText();
    mensagens::Pedido p;
    p.texto = QStringLiteral("Deseja excluir o histórico de visitas mês ") + mes + u'/' + ano + QStringLiteral(" ?");
    p.titulo = QStringLiteral("Confirmação de Exclusão");
    p.botoes = mensagens::Botoes::SimNao;
    p.icone = mensagens::Icone::Nenhum;
    p.padraoNao = true;
    if (mensagens::mostrar(p) != mensagens::Resposta::Sim)
        return;
    banco::excluirMes(ano, static_cast<int>(strings::valorNumerico(mes)));
    carregarHistoricoMes();
}

void PainelAvancado::abrirAjustes()
{
    pararTimerBaseTempo();
    PainelAvancadoAjustes* janela = ajustes::janela();
    // The window closes by itself (close box, Escape); its closing brings the settings here.
    connect(janela, &PainelAvancadoAjustes::fechado, this, &PainelAvancado::aplicarAjustes, Qt::UniqueConnection);
    janela->exec();
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
    const int s = ajustes::inicioExpediente();
    const int e = ajustes::fimExpediente();
    m_lblMes->setText(QStringLiteral("0"));
    m_lblTotal->setText(QStringLiteral("0"));
    m_chartDia->setColumn(1);
    for (int i = 0; i <= e - s; ++i) {
        m_chartDia->setRow(i + 1);
        m_chartDia->setRowLabel(QString::number(s + i));
        const int v = static_cast<int>(costuras::aleatorio() * 60);
        m_chartDia->setData(QString::number(v));
        m_lblTotal->setText(strings::textoNumero(strings::valorNumerico(m_lblTotal->text()) + v));
        m_lblLotacao->setText(QString::number(v));
    }
    // The mean is over the hours filled: e - s would divide by zero with one business hour.
    const int horas = e - s + 1;
    const double total = strings::valorNumerico(m_lblTotal->text());
    m_lblMediaHora->setText(strings::textoNumero(std::floor(horas > 0 ? total / horas : 0)));
    for (int d = 1; d <= 31; ++d) {
        m_chartMes->setRow(d);
        m_chartMes->setRowLabel(QString::number(d));
        const int v = static_cast<int>(costuras::aleatorio() * 500);
        m_chartMes->setData(QString::number(v));
        m_lblMes->setText(strings::textoNumero(strings::valorNumerico(m_lblMes->text()) + v));
    }
    m_lblMediaDia->setText(strings::textoNumero(std::floor(strings::valorNumerico(m_lblMes->text()) / 31)));
}

// ---- what the reply handlers write --------------------------------------------------------------

void PainelAvancado::definirLotacao(const QString& texto)
{
    m_lblLotacao->setText(texto);
    // Amber near the maximum set for the public display, red at it, as on that display. An
    // unreadable file is reported by the other reads of the cycle; the figure then has no limit.
    banco::Lotacao limites;
    banco::lerLotacao(limites, false);
    const QColor cor = regrasLotacao::cor(regrasLotacao::estado(texto, limites.maxima, limites.aviso),
                                          QColor(0x1f, 0x4e, 0x79));
    m_lblLotacao->setStyleSheet(QStringLiteral("color: %1;").arg(cor.name()));
}
void PainelAvancado::definirTotal(const QString& texto)
{
    m_lblTotal->setText(texto);
}
void PainelAvancado::definirMes(const QString& texto)
{
    m_lblMes->setText(texto);
}
void PainelAvancado::definirMediaDia(const QString& texto)
{
    m_lblMediaDia->setText(texto);
}
void PainelAvancado::definirMediaHora(const QString& texto)
{
    m_lblMediaHora->setText(texto);
}
void PainelAvancado::definirAtualizadoAgora(const QString& texto)
{
    m_lblAtualizadoAgora->setText(texto);
}
void PainelAvancado::definirAtualizadoHoje(const QString& texto)
{
    m_lblAtualizadoHoje->setText(texto);
}
void PainelAvancado::definirAtualizadoMedia(const QString& texto)
{
    m_lblAtualizadoMedia->setText(texto);
}
void PainelAvancado::definirAtualizadoTotalMes(const QString& texto)
{
    m_lblAtualizadoTotalMes->setText(texto);
}
void PainelAvancado::exibirAtualizarAgora()
{
    m_picAtualizarAgora->show();
}
void PainelAvancado::exibirAtualizarTotalMes()
{
    m_picAtualizarTotalMes->show();
}
controle::DestinoGrafico& PainelAvancado::chartMes()
{
    return *m_chartMes;
}
controle::DestinoGrafico& PainelAvancado::chartDia()
{
    return *m_chartDia;
}
int PainelAvancado::inicioExpediente()
{
    return ajustes::inicioExpediente();
}
int PainelAvancado::fimExpediente()
{
    return ajustes::fimExpediente();
}
