#include "painelSimples.h"

#include "banco.h"
#include "controle.h"
#include "datas.h"
#include "dispositivoWindows.h"
#include "painelAtivo.h"
#include "coresLotacao.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QWindow>

#include <algorithm>
#include <climits>
#include <cmath>

namespace rsp = regrasPainelSimples;
namespace rl = regrasLotacao;

namespace {

// The system colours in the standard scheme. The panel is a public display: it looks the
// same whatever theme the desktop uses.
const QColor corBtnText(0, 0, 0);
const QColor corHighlightText(255, 255, 255);
const QColor corFundoDesktop(0, 0, 0);
const QColor corBtnShadow(160, 160, 160);
const QColor corInfoText(0, 0, 0);
const QColor corMenuText(0, 0, 0);
const QColor corWindowText(0, 0, 0);
const QColor corScrollbar(200, 200, 200);
const QColor corLegendaLotacao(0xFF, 0xFF, 0xFF);

// The pointer hides after resting this long over the panel.
constexpr int esperaPonteiroMs = 3000;
// The options frame's top edge, under "?" and the panel's "X".
constexpr int topoOpcoes = 120;

// The label height the digits were drawn in; the labels reach past the bottom edge on small
// screens, as they always have.
constexpr int alturaNumero = 825;
constexpr int alturaLegendaLotacao = 217;
constexpr int alturaLegendaTotal = 209;
constexpr int alturaLblInfo = 49;
constexpr int alturaTxtInfo = 81;

QFont fonte(const QString& familia, double pontos, bool negrito = false)
{
    QFont f(familia);
    // A zero or negative size read from a damaged row would leave Qt's default size and a
    // warning; the value itself is kept as read.
    f.setPointSizeF(std::max(pontos, 1.0));
    f.setBold(negrito);
    return f;
}

const QString courier = QStringLiteral("Courier New");
const QString segoe = QStringLiteral("Segoe UI");
const QString sansSerif = QStringLiteral("MS Sans Serif");

QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QFont& f, const QColor& cor,
               Qt::Alignment alinhamento = Qt::AlignHCenter | Qt::AlignTop)
{
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setFont(f);
    l->setAlignment(alinhamento);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, cor);
    l->setPalette(p);
    return l;
}

QRect inteiro(const QRectF& r)
{
    return {qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height())};
}

void pintarTexto(QWidget* w, const QColor& cor)
{
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == cor)
        return;
    p.setColor(QPalette::WindowText, cor);
    w->setPalette(p);
}

// The main window's place, which the panel keeps clear of when there is another screen.
QRect geometriaJanelaPrincipal()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("main") && w->isVisible())
            return w->frameGeometry();
    return {};
}

// The options frame's groups, by their place in the original column: the occupancy's cross,
// the total's cross, the message, then interval, "Padrões" and "X".
int blocoOpcao(int topo)
{
    if (topo < 140)
        return 0;
    if (topo < 260)
        return 1;
    if (topo < 320)
        return 2;
    return 3;
}
constexpr int blocoLotacaoMaxima = 4;

void pintarFundo(QWidget* w, const QColor& cor)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, cor);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// The labels of the options frame that the operator clicks.
struct BotaoAjuste {
    const char* nome;
    rsp::Ajuste ajuste;
};
constexpr BotaoAjuste botoesAjuste[] = {
    {"lbl_aumentarFonteLotacao", rsp::Ajuste::aumentarFonteLotacao},
    {"lbl_diminuirFonteLotacao", rsp::Ajuste::diminuirFonteLotacao},
    {"lbl_aumentarFonteTotal", rsp::Ajuste::aumentarFonteTotal},
    {"lbl_diminuirFonteTotal", rsp::Ajuste::diminuirFonteTotal},
    {"lbl_aumentarLegendaFonteLotacao", rsp::Ajuste::aumentarLegendaFonteLotacao},
    {"lbl_diminuirLegendaFonteLotacao", rsp::Ajuste::diminuirLegendaFonteLotacao},
    {"lbl_aumentarLegendaFonteTotal", rsp::Ajuste::aumentarLegendaFonteTotal},
    {"lbl_diminuirLegendaFonteTotal", rsp::Ajuste::diminuirLegendaFonteTotal},
    {"lbl_aumentarFonteinfoEmpresa", rsp::Ajuste::aumentarFonteinfoEmpresa},
    {"lbl_diminuirFonteinfoEmpresa", rsp::Ajuste::diminuirFonteinfoEmpresa},
    {"lbl_posicaoLotacao", rsp::Ajuste::posicaoLotacao},
    {"lbl_posicaomenosLotacao", rsp::Ajuste::posicaomenosLotacao},
    {"lbl_posicaoTotal", rsp::Ajuste::posicaoTotal},
    {"lbl_posicaomenosTotal", rsp::Ajuste::posicaomenosTotal},
};

constexpr const char* botoesLotacao[] = {
    "lbl_posicaomenosLotacao",         "lbl_posicaoLotacao",
    "lbl_aumentarFonteLotacao",        "lbl_diminuirFonteLotacao",
    "lbl_aumentarLegendaFonteLotacao", "lbl_diminuirLegendaFonteLotacao"};
constexpr const char* botoesTotal[] = {"lbl_posicaomenosTotal",         "lbl_posicaoTotal",
                                       "lbl_aumentarFonteTotal",        "lbl_diminuirFonteTotal",
                                       "lbl_aumentarLegendaFonteTotal", "lbl_diminuirLegendaFonteTotal"};

// Contents of the options frame: name, caption, font, colour, border, place, tooltip.
struct ItemOpcoes {
    const char* nome;
    QString texto;
    const QString& familia;
    double pontos;
    QColor cor;
    bool borda;
    QRect lugar;
    QString dica;
};

} // namespace

PainelSimples::PainelSimples(controle::Controle* controle, PainelAtivo* painelAtivo, banco::Banco& banco,
                             QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_controle(controle), m_painelAtivo(painelAtivo),
      m_banco(banco)
{
    setObjectName(QStringLiteral("painelsimples"));
    setWindowTitle(QStringLiteral("Painel Simplificado"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    pintarFundo(this, corBtnText);
    m_timerLT.setObjectName(QStringLiteral("TimerLT"));
    m_timerLT.setParent(this);
    connect(&m_timerLT, &Temporizador::timeout, this, &PainelSimples::tiqueTimerLT);
    m_timerPonteiro.setObjectName(QStringLiteral("TimerPonteiro"));
    m_timerPonteiro.setParent(this);
    m_timerPonteiro.setSingleShot(true);
    m_timerPonteiro.setInterval(esperaPonteiroMs);
    connect(&m_timerPonteiro, &Temporizador::timeout, this, &PainelSimples::tiquePonteiro);
    criarControles();
    criarOpcoes();
}

void PainelSimples::carregar()
{
    // The screen to cover and every place that follows its size, then the stored settings.
    // Quietly: a file that cannot be read is reported once, by the settings row's read below.
    leLotacao(false);
    acompanharTela();
    leConfiguracoes();
    m_carregado = true;
    configurarTimerLT();
    m_timerLT.start();

    // A screen that comes, goes, turns or changes size: the panel follows once things settle.
    auto reagir = [this] { QTimer::singleShot(0, this, &PainelSimples::acompanharTela); };
    auto seguirTela = [this, reagir](QScreen* t) { connect(t, &QScreen::geometryChanged, this, reagir); };
    for (QScreen* t : QGuiApplication::screens())
        seguirTela(t);
    connect(qApp, &QGuiApplication::screenAdded, this, [reagir, seguirTela](QScreen* t) {
        seguirTela(t);
        reagir();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, reagir);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, reagir);
}

void PainelSimples::criarControles()
{
    // Widths and the places that follow the screen's size come from disporNaTela.
    const int largura = 0;

    m_lblLegendaLotacao = rotulo(this, QStringLiteral("lbl_legendaLotacao"), QStringLiteral("Lotação Atual"),
                                 fonte(segoe, m_d.legendaLotacaoFonte), corLegendaLotacao);
    m_lblLegendaLotacao->setGeometry(8, 0, largura, alturaLegendaLotacao);
    m_lblLotacao = rotulo(this, QStringLiteral("lbl_lotacao"), QStringLiteral("---"),
                          fonte(courier, m_d.lotacaoFonte, true), corHighlightText);
    m_lblLotacao->setGeometry(0, 0, largura, alturaNumero);
    m_lblLegendaTotal = rotulo(this, QStringLiteral("lbl_legendaTotal"), QStringLiteral("Total Hoje"),
                               fonte(segoe, m_d.legendaTotalFonte), QColor(0xFF, 0xFF, 0x00));
    m_lblLegendaTotal->setGeometry(8, 0, largura, alturaLegendaTotal);
    m_lblTotal = rotulo(this, QStringLiteral("lbl_total"), QStringLiteral("---"),
                        fonte(courier, m_d.totalFonte, true), QColor(0xFF, 0xFF, 0x00));
    m_lblTotal->setGeometry(16, 0, largura, alturaNumero);

    m_lblInfoEmpresa = rotulo(this, QStringLiteral("lbl_infoEmpresa"), QString(),
                              fonte(segoe, m_d.lblInfoFonte), QColor(0x00, 0xFF, 0xFF));
    m_lblInfoEmpresa->setToolTip(QStringLiteral("Clique em ? para alterar a mensagem"));

    // Two editors over the message line: the custom message and the full-house message.
    auto editor = [this](const QString& nome) {
        auto* e = new QLineEdit(this);
        e->setObjectName(nome);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(rsp::maximoMensagem);
        e->setFont(fonte(segoe, m_d.txtInfoFonte));
        QPalette p = e->palette();
        p.setColor(QPalette::Text, QColor(0x00, 0xFF, 0xFF));
        p.setColor(QPalette::Base, corFundoDesktop);
        e->setPalette(p);
        e->hide();
        return e;
    };
    m_txtInfoEmpresa = editor(QStringLiteral("txt_infoEmpresa"));
    m_txtInfoLotado = editor(QStringLiteral("txt_infoLotado"));
    // The message on the panel follows the typing.
    connect(m_txtInfoEmpresa, &QLineEdit::textChanged, this, &PainelSimples::atualizarMensagem);
    connect(m_txtInfoLotado, &QLineEdit::textEdited, this, [this](const QString& texto) {
        m_lotacao.mensagemLotado = rsp::textoMensagem(texto);
        alterarLotacao();
    });

    m_frmDesconectado = new QFrame(this);
    m_frmDesconectado->setObjectName(QStringLiteral("frm_desconectado"));
    m_frmDesconectado->setFrameShape(QFrame::NoFrame);
    pintarFundo(m_frmDesconectado, QColor(0xFF, 0x00, 0x00));
    m_frmDesconectado->hide();

    m_lblLegendaDesconectado =
        rotulo(this, QStringLiteral("lbl_legendaDesconectado"), QStringLiteral("Desconectado"),
               fonte(segoe, 18), QColor(0xFF, 0x00, 0x00), Qt::AlignRight | Qt::AlignTop);
    m_lblLegendaDesconectado->hide();

    m_frmBarra = new QFrame(this);
    m_frmBarra->setObjectName(QStringLiteral("frm_barra"));
    pintarFundo(m_frmBarra, corMenuText);
    m_barAtualizacao = new QProgressBar(m_frmBarra);
    m_barAtualizacao->setObjectName(QStringLiteral("bar_atualizacao"));
    m_barAtualizacao->setTextVisible(false);
    m_barAtualizacao->setGeometry(0, -8, 177, 25);

    m_txtOcultarMouse = new QLineEdit(this);
    m_txtOcultarMouse->setObjectName(QStringLiteral("txt_ocultarMouse"));
    m_txtOcultarMouse->setFrame(false);
    {
        QPalette p = m_txtOcultarMouse->palette();
        p.setColor(QPalette::Text, corWindowText);
        p.setColor(QPalette::Base, corWindowText);
        m_txtOcultarMouse->setPalette(p);
    }

    m_lblOpcoes = rotulo(this, QStringLiteral("lbl_opcoes"), QStringLiteral("?"), fonte(sansSerif, 24),
                         corBtnShadow, Qt::AlignCenter);
    m_lblOpcoes->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_lblOpcoes->setToolTip(QStringLiteral("Mostrar opções de conteúdo"));
    m_lblOpcoes->setGeometry(40, 24, 57, 41);
    m_lblOpcoes->setMouseTracking(true);
    m_lblOpcoes->installEventFilter(this);

    m_lblFechar = rotulo(this, QStringLiteral("lbl_fechar"), QStringLiteral("X"), fonte(sansSerif, 22.5),
                         QColor(0xC0, 0x00, 0x00), Qt::AlignCenter);
    m_lblFechar->setFrameStyle(QFrame::Box | QFrame::Plain);
    pintarFundo(m_lblFechar, corInfoText);
    m_lblFechar->setToolTip(QStringLiteral("Fechar o Painel simplificado"));
    m_lblFechar->setGeometry(112, 24, 57, 41);
    m_lblFechar->installEventFilter(this);

    m_txtOcultarMouse->setFocus();
}

void PainelSimples::criarOpcoes()
{
    m_frmOpcoes = new QFrame(this);
    m_frmOpcoes->setObjectName(QStringLiteral("frm_opcoes"));
    pintarFundo(m_frmOpcoes, corInfoText);
    m_frmOpcoes->setGeometry(40, topoOpcoes, 105, 497);

    const QColor cinzaClaro(0xE0, 0xE0, 0xE0);
    const QColor amarelo(0xFF, 0xFF, 0x00);
    const QColor cianoClaro(0x80, 0xFF, 0xFF);
    const QString aspas = QStringLiteral("\"");
    const QString trema = QString(QChar(0x00A8));
    const ItemOpcoes itens[] = {
        {"lbl_posicaomenosLotacao", QStringLiteral("<"), sansSerif, 24, corScrollbar, false,
         QRect(40, 32, 25, 33), QStringLiteral("Elevar Exibição  da lotação atual")},
        {"lbl_tamLotacao", QString(), sansSerif, 12, corScrollbar, false, QRect(8, 40, 33, 17),
         QStringLiteral("Tamanho da fonte de exibição da Lotação")},
        {"lbl_aumentarLegendaFonteLotacao", aspas, sansSerif, 24, cinzaClaro, false, QRect(80, 40, 17, 17),
         QStringLiteral("Aumentar Legenda do Total da Lotação")},
        {"lbl_diminuirFonteLotacao", QStringLiteral("-"), sansSerif, 30, corHighlightText, false,
         QRect(8, 56, 25, 33), QStringLiteral("Reduzir tamanho  da lotação atual")},
        {"lbl_aumentarFonteLotacao", QStringLiteral("+"), sansSerif, 24, corScrollbar, false,
         QRect(72, 64, 25, 33), QStringLiteral("Aumentar tamanho da lotação atual")},
        {"lbl_posicaoLotacao", QStringLiteral(">"), sansSerif, 24, corScrollbar, false, QRect(40, 96, 25, 33),
         QStringLiteral("Baixar Exibição  da lotação atual")},
        {"lbl_diminuirLegendaFonteLotacao", trema, sansSerif, 24, cinzaClaro, false, QRect(80, 112, 17, 17),
         QStringLiteral("Reduzir Legenda do Total da Lotação")},
        {"lbl_posicaomenosTotal", QStringLiteral("<"), sansSerif, 24, amarelo, false, QRect(40, 152, 25, 33),
         QStringLiteral("Elevar Exibição do Total de Visitas")},
        {"lbl_tamTotal", QString(), sansSerif, 12, amarelo, false, QRect(8, 160, 33, 17),
         QStringLiteral("Tamanho da fonte de exibição da contagem Total")},
        {"lbl_aumentarLegendaFonteTotal", aspas, sansSerif, 24, amarelo, false, QRect(80, 160, 17, 17),
         QStringLiteral("Aumentar Legenda do Total de Visitas")},
        {"lbl_diminuirFonteTotal", QStringLiteral("-"), sansSerif, 30, amarelo, false, QRect(8, 176, 25, 33),
         QStringLiteral("Reduzir tamanho  do Total de Visitas")},
        {"lbl_aumentarFonteTotal", QStringLiteral("+"), sansSerif, 24, amarelo, false, QRect(72, 184, 25, 33),
         QStringLiteral("Aumentar tamanho  do Total de Visitas")},
        {"lbl_posicaoTotal", QStringLiteral(">"), sansSerif, 24, amarelo, false, QRect(40, 216, 25, 33),
         QStringLiteral("Baixar Exibição  do Total de Visitas")},
        {"lbl_diminuirLegendaFonteTotal", trema, sansSerif, 24, amarelo, false, QRect(80, 232, 17, 17),
         QStringLiteral("Reduzir Legenda do Total de Visitas")},
        {"lbl_diminuirFonteinfoEmpresa", QStringLiteral("-"), sansSerif, 30, cianoClaro, false,
         QRect(8, 272, 25, 33), QStringLiteral("Reduzir tamanho da mensagem personalizada")},
        {"lbl_aumentarFonteinfoEmpresa", QStringLiteral("+"), sansSerif, 24, cianoClaro, false,
         QRect(72, 280, 25, 33), QStringLiteral("Aumentar tamanho da mensagem personalizada")},
        {"Label1", QStringLiteral("Atualização"), segoe, 11.25, corScrollbar, false, QRect(8, 328, 97, 17),
         QString()},
        {"lbl_tempoAtualizacao", QStringLiteral("60s"), sansSerif, 18, corScrollbar, true,
         QRect(16, 352, 73, 33), QStringLiteral("Tempo entre cada atualização")},
        {"lbl_redefinir", QStringLiteral("Padrões"), segoe, 12, corScrollbar, true, QRect(16, 400, 73, 25),
         QStringLiteral("Redefinir Padrões de Exibição")},
        {"lbl_fecharopcoes", QStringLiteral("X"), sansSerif, 18, QColor(0xFF, 0x00, 0x00), true,
         QRect(16, 440, 73, 33), QStringLiteral("Ocultar opções de conteúdo")},
    };
    // Captions start at the top of their labels: the small legend marks would otherwise be
    // centred out of their 17-pixel boxes.
    for (const ItemOpcoes& item : itens) {
        QLabel* l = rotulo(m_frmOpcoes, QString::fromLatin1(item.nome), item.texto,
                           fonte(item.familia, item.pontos), item.cor);
        if (item.borda)
            l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setGeometry(item.lugar);
        l->setToolTip(item.dica);
        l->installEventFilter(this);
        m_lugaresOpcoes.append({l, item.lugar, blocoOpcao(item.lugar.y())});
    }
    m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_fecharopcoes"))->setMouseTracking(true);
    m_lblTamLotacao = m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_tamLotacao"));
    m_lblTamTotal = m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_tamTotal"));
    m_lblTempoAtualizacao = m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_tempoAtualizacao"));

    auto caixa = [this](const char* nome, const QColor& fundo, const QRect& lugar, const QString& dica) {
        auto* c = new QCheckBox(m_frmOpcoes);
        c->setObjectName(QString::fromLatin1(nome));
        pintarFundo(c, fundo);
        c->setGeometry(lugar);
        c->setToolTip(dica);
        // A click, or a change made by the panel itself, re-applies the show/hide rules.
        connect(c, &QCheckBox::toggled, this, &PainelSimples::atualizar);
        m_lugaresOpcoes.append({c, lugar, blocoOpcao(lugar.y())});
        return c;
    };
    m_chkLotacao = caixa("chk_lotacao", QColor(0xFF, 0xFF, 0xFF), QRect(40, 72, 25, 21),
                         QStringLiteral("Exibir/ocultar Lotação atual"));
    m_chkTotal = caixa("chk_total", amarelo, QRect(40, 192, 25, 21),
                       QStringLiteral("Exibir/ocultar Total de Visitas"));
    m_chkInfoEmpresa = caixa("chk_infoEmpresa", cianoClaro, QRect(40, 288, 25, 21),
                             QStringLiteral("Editar mensagem personalizada"));
    // One message editor at a time.
    connect(m_chkInfoEmpresa, &QCheckBox::toggled, this, [this](bool marcada) {
        if (marcada)
            m_chkInfoLotado->setChecked(false);
    });
    criarOpcoesLotacao();
    m_frmOpcoes->hide();
}

void PainelSimples::criarOpcoesLotacao()
{
    // A column of its own beside the original one: maximum, warning level, the full-house
    // message and the screen the panel covers.
    auto legenda = [this](const char* nome, const QString& texto, int topo) {
        QLabel* l = rotulo(m_frmOpcoes, QString::fromLatin1(nome), texto, fonte(segoe, 9.75), corScrollbar);
        const QRect lugar(8, topo, 97, 17);
        l->setGeometry(lugar);
        m_lugaresOpcoes.append({l, lugar, blocoLotacaoMaxima});
        return l;
    };
    auto numero = [this](const char* nome, const QString& especial, const QString& dica, int topo) {
        auto* n = new QSpinBox(m_frmOpcoes);
        n->setObjectName(QString::fromLatin1(nome));
        n->setRange(0, 99999);
        n->setSpecialValueText(especial);
        n->setToolTip(dica);
        n->setAlignment(Qt::AlignRight);
        const QRect lugar(8, topo, 89, 25);
        n->setGeometry(lugar);
        m_lugaresOpcoes.append({n, lugar, blocoLotacaoMaxima});
        return n;
    };
    legenda("lbl_legendaLotacaoMaxima", QStringLiteral("Lotação máx."), 0);
    m_txtLotacaoMaxima = numero("txt_lotacaoMaxima", QStringLiteral("Sem limite"),
                                QStringLiteral("Lotação máxima do ambiente (0: sem limite)"), 20);
    legenda("lbl_legendaLotacaoAviso", QStringLiteral("Aviso em"), 56);
    m_txtLotacaoAviso =
        numero("txt_lotacaoAviso", QStringLiteral("90%"),
               QStringLiteral("Lotação a partir da qual os números ficam âmbar (0: 90% da máxima)"), 76);
    legenda("lbl_legendaInfoLotado", QStringLiteral("Msg. lotado"), 112);
    m_chkInfoLotado = new QCheckBox(m_frmOpcoes);
    m_chkInfoLotado->setObjectName(QStringLiteral("chk_infoLotado"));
    pintarFundo(m_chkInfoLotado, rl::corLotado);
    m_chkInfoLotado->setToolTip(QStringLiteral("Editar mensagem de lotação máxima"));
    m_chkInfoLotado->setGeometry(40, 132, 25, 21);
    m_lugaresOpcoes.append({m_chkInfoLotado, QRect(40, 132, 25, 21), blocoLotacaoMaxima});
    legenda("lbl_legendaTela", QStringLiteral("Tela"), 164);
    m_lblTela = rotulo(m_frmOpcoes, QStringLiteral("lbl_tela"), QStringLiteral("Auto"), fonte(sansSerif, 18),
                       corScrollbar, Qt::AlignCenter);
    m_lblTela->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_lblTela->setToolTip(QStringLiteral("Tela do painel: clique para trocar"));
    m_lblTela->setGeometry(16, 184, 73, 33);
    m_lblTela->installEventFilter(this);
    m_lugaresOpcoes.append({m_lblTela, QRect(16, 184, 73, 33), blocoLotacaoMaxima});

    connect(m_txtLotacaoMaxima, &QSpinBox::valueChanged, this, [this](int v) {
        m_lotacao.maxima = v;
        alterarLotacao();
    });
    connect(m_txtLotacaoAviso, &QSpinBox::valueChanged, this, [this](int v) {
        m_lotacao.aviso = v;
        alterarLotacao();
    });
    connect(m_chkInfoLotado, &QCheckBox::toggled, this, [this](bool marcada) {
        if (marcada)
            m_chkInfoEmpresa->setChecked(false);
        m_txtInfoLotado->setVisible(marcada);
        if (marcada) {
            m_txtInfoLotado->setFocus();
        }
        atualizarMensagem();
    });
}

void PainelSimples::disporNaTela()
{
    const rsp::Geometria g = rsp::calcularGeometria(m_larguraTela, m_alturaTela);
    const int largura = qRound(g.larguraNumeros);
    m_lblLegendaLotacao->resize(largura, alturaLegendaLotacao);
    m_lblLotacao->resize(largura, alturaNumero);
    m_lblLegendaTotal->resize(largura, alturaLegendaTotal);
    m_lblTotal->resize(largura, alturaNumero);
    m_d.lblInfoTopo = g.lblInfoEmpresa.y();
    m_lblInfoEmpresa->setGeometry(inteiro(g.lblInfoEmpresa));
    m_d.txtInfoTopo = g.txtInfoEmpresa.y();
    m_txtInfoEmpresa->setGeometry(inteiro(g.txtInfoEmpresa));
    m_txtInfoLotado->setGeometry(inteiro(g.txtInfoEmpresa));
    m_frmDesconectado->setGeometry(inteiro(g.frmDesconectado));
    m_lblLegendaDesconectado->setGeometry(inteiro(g.lblLegendaDesconectado));
    m_frmBarra->setGeometry(inteiro(g.frmBarra));
    m_txtOcultarMouse->setGeometry(inteiro(g.txtOcultarMouse));
    disporOpcoes();
    if (m_carregado)
        aplicarDisposicao();
}

void PainelSimples::disporOpcoes()
{
    QList<rsp::BlocoOpcoes> blocos(blocoLotacaoMaxima + 1);
    for (auto& b : blocos)
        b.topo = INT_MAX;
    for (const LugarOpcao& l : m_lugaresOpcoes) {
        rsp::BlocoOpcoes& b = blocos[l.bloco];
        b.topo = std::min(b.topo, l.lugar.top());
        b.fim = std::max(b.fim, l.lugar.y() + l.lugar.height());
    }
    blocos[blocoLotacaoMaxima].novaColuna = true;
    const rsp::DisposicaoOpcoes d = rsp::disporOpcoes(blocos, m_alturaTela - topoOpcoes);
    for (const LugarOpcao& l : m_lugaresOpcoes)
        l.controle->setGeometry(l.lugar.translated(d.deslocamentos.at(l.bloco)));
    m_frmOpcoes->resize(d.tamanho);
}

void PainelSimples::aplicarDisposicao()
{
    m_lblLotacao->setFont(fonte(courier, m_d.lotacaoFonte, true));
    m_lblLotacao->move(0, qRound(m_d.lotacaoTopo));
    m_lblTotal->setFont(fonte(courier, m_d.totalFonte, true));
    m_lblTotal->move(16, qRound(m_d.totalTopo));
    m_lblLegendaLotacao->setFont(fonte(segoe, m_d.legendaLotacaoFonte));
    m_lblLegendaLotacao->move(8, qRound(m_d.legendaLotacaoTopo));
    m_lblLegendaTotal->setFont(fonte(segoe, m_d.legendaTotalFonte));
    m_lblLegendaTotal->move(8, qRound(m_d.legendaTotalTopo));
    m_txtInfoEmpresa->setFont(fonte(segoe, m_d.txtInfoFonte));
    m_txtInfoEmpresa->move(m_txtInfoEmpresa->x(), qRound(m_d.txtInfoTopo));
    m_txtInfoLotado->setFont(fonte(segoe, m_d.txtInfoFonte));
    m_txtInfoLotado->move(m_txtInfoLotado->x(), qRound(m_d.txtInfoTopo));
    m_lblInfoEmpresa->setFont(fonte(segoe, m_d.lblInfoFonte));
    m_lblInfoEmpresa->move(m_lblInfoEmpresa->x(), qRound(m_d.lblInfoTopo));
}

void PainelSimples::definirLotacao(const QString& texto)
{
    m_lblLotacao->setText(texto);
    atualizarEstadoLotacao();
}

void PainelSimples::atualizarEstadoLotacao()
{
    const rl::Estado e = rl::estado(m_lblLotacao->text(), m_lotacao.maxima, m_lotacao.aviso);
    pintarTexto(m_lblLotacao, rl::cor(e, corHighlightText));
    pintarTexto(m_lblLegendaLotacao, rl::cor(e, corLegendaLotacao));
    atualizarMensagem();
}

void PainelSimples::atualizarMensagem()
{
    QString texto;
    // While a message is being edited the line shows that one, so the operator sees it.
    if (m_chkInfoLotado->isChecked())
        texto = m_lotacao.mensagemLotado;
    else if (m_chkInfoEmpresa->isChecked())
        texto = rsp::textoMensagem(m_txtInfoEmpresa->text());
    else
        texto = rl::mensagem(rl::estado(m_lblLotacao->text(), m_lotacao.maxima, m_lotacao.aviso),
                             rsp::textoMensagem(m_txtInfoEmpresa->text()), m_lotacao.mensagemLotado);
    if (m_lblInfoEmpresa->text() != texto)
        m_lblInfoEmpresa->setText(texto);
}

void PainelSimples::alterarLotacao()
{
    m_lotacaoAlterada = true;
    atualizarEstadoLotacao();
}

void PainelSimples::leLotacao(bool relatarFalha)
{
    banco::Lotacao v;
    if (m_banco.lerLotacao(v, relatarFalha)) {
        m_lotacao = v;
        m_lotacaoLida = true;
        m_lotacaoAlterada = false;
    }
    const QSignalBlocker b1(m_txtLotacaoMaxima);
    const QSignalBlocker b2(m_txtLotacaoAviso);
    m_txtLotacaoMaxima->setValue(m_lotacao.maxima);
    m_txtLotacaoAviso->setValue(m_lotacao.aviso);
    m_txtInfoLotado->setText(m_lotacao.mensagemLotado);
    atualizarLegendaTela();
    atualizarEstadoLotacao();
}

void PainelSimples::salvarLotacao()
{
    // An unread row is never replaced by the defaults; an unchanged one needs no write.
    if (!m_lotacaoLida || !m_lotacaoAlterada)
        return;
    if (m_banco.salvarLotacao(m_lotacao, datas::hoje()))
        m_lotacaoAlterada = false;
}

void PainelSimples::atualizarLegendaTela()
{
    const QList<dispositivoWindows::Tela> telas = dispositivoWindows::lerTelas();
    QString texto = QStringLiteral("Auto");
    for (qsizetype i = 0; i < telas.size(); ++i) {
        if (!m_lotacao.tela.isEmpty() && telas.at(i).nome == m_lotacao.tela) {
            texto = QString::number(i + 1);
            break;
        }
    }
    m_lblTela->setText(texto);
    m_lblTela->setToolTip(
        QStringLiteral("Tela do painel: clique para trocar") +
        (m_nomeTela.isEmpty() ? QString() : QStringLiteral(" (agora: %1)").arg(m_nomeTela)));
}

void PainelSimples::clicarTela()
{
    QStringList nomes;
    for (const dispositivoWindows::Tela& t : dispositivoWindows::lerTelas())
        nomes << t.nome;
    m_lotacao.tela = rsp::proximaTela(nomes, m_lotacao.tela);
    m_lotacaoAlterada = true;
    acompanharTela();
}

void PainelSimples::acompanharTela()
{
    const QList<dispositivoWindows::Tela> telas = dispositivoWindows::lerTelas();
    const int i = rsp::escolherTela(telas, geometriaJanelaPrincipal(), m_lotacao.tela);
    if (i < 0) {
        // No screen at all (the last one just went): wait for the next to come.
        if (!m_carregado) {
            m_larguraTela = 1024;
            m_alturaTela = 768;
            disporNaTela();
        }
        return;
    }
    const dispositivoWindows::Tela& tela = telas.at(i);
    // By name and place: screens of separate X displays may share a name.
    QScreen* destino = nullptr;
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->name() == tela.nome && (!destino || s->geometry() == tela.geometria))
            destino = s;
    }
    // A window on screen cannot cross to another X display (Qt would leave it unmapped, and a
    // modal panel must never vanish): it goes there at its next opening.
    if (isVisible() && destino && screen() && destino != screen() &&
        !screen()->virtualSiblings().contains(destino)) {
        atualizarLegendaTela();
        return;
    }
    const auto largura = static_cast<qint16>(std::clamp(tela.geometria.width(), 1, 32767));
    const auto altura = static_cast<qint16>(std::clamp(tela.geometria.height(), 1, 32767));
    const bool novoTamanho = !m_carregado || largura != m_larguraTela || altura != m_alturaTela;
    m_nomeTela = tela.nome;
    m_larguraTela = largura;
    m_alturaTela = altura;
    if (novoTamanho)
        disporNaTela();
    atualizarLegendaTela();
    const QRect geometria(tela.geometria.topLeft(), QSize(largura, altura));
    if (geometria == m_geometriaTela && geometry() == geometria && (!destino || destino == screen()))
        return;
    m_geometriaTela = geometria;
    if (destino && destino != screen())
        setScreen(destino);
    // Full-screen state is left and taken again so the window manager covers the new screen.
    const bool cheia = isVisible() && (windowState() & Qt::WindowFullScreen);
    if (cheia)
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    setGeometry(geometria);
    if (cheia)
        setWindowState(windowState() | Qt::WindowFullScreen);
}

void PainelSimples::setVisible(bool visivel)
{
    const bool mudou = visivel != isVisible();
    if (visivel && mudou) {
        // The advanced panel's settings window may have changed the limits meanwhile.
        if (!m_lotacaoAlterada)
            leLotacao();
        acompanharTela();
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    QDialog::setVisible(visivel);
    if (!mudou)
        return;
    if (visivel) {
        m_protecaoTela.inibir();
        // The pointer's rest is timed from when it enters or moves over the panel only: a pointer
        // left on another screen must stay visible there.
        if (QWindow* w = windowHandle())
            w->installEventFilter(this);
    } else {
        m_protecaoTela.liberar();
        m_timerPonteiro.stop();
        mostrarPonteiro();
    }
}

void PainelSimples::tiquePonteiro()
{
    if (m_ponteiroOculto || !isVisible())
        return;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    m_ponteiroOculto = true;
}

void PainelSimples::mostrarPonteiro()
{
    if (!m_ponteiroOculto)
        return;
    m_ponteiroOculto = false;
    QGuiApplication::restoreOverrideCursor();
}

void PainelSimples::definirTotal(const QString& texto)
{
    m_lblTotal->setText(texto);
}

void PainelSimples::atualizar()
{
    atualizarControlesLotacao();
    atualizarControlesTotal();
    atualizarControlesinfoEmpresa();
    atualizaStatusLotacao();
    atualizaStatusTotal();
    mostrarTamanhodaFonte();
    configurarTimerLT();
}

void PainelSimples::atualizaStatusLotacao()
{
    const bool oculto = m_chkLotacao->isChecked();
    m_lblLotacao->setVisible(!oculto);
    m_lblLegendaLotacao->setVisible(!oculto);
    m_lblTamLotacao->setVisible(!oculto);
}

void PainelSimples::atualizaStatusTotal()
{
    const bool oculto = m_chkTotal->isChecked();
    m_lblTotal->setVisible(!oculto);
    m_lblLegendaTotal->setVisible(!oculto);
    m_lblTamTotal->setVisible(!oculto);
}

void PainelSimples::mostrarTamanhodaFonte()
{
    m_lblTamLotacao->setText(rsp::textoTamanhoFonte(m_d.lotacaoFonte));
    m_lblTamTotal->setText(rsp::textoTamanhoFonte(m_d.totalFonte));
}

void PainelSimples::posicionarlegendas()
{
    rsp::posicionarLegendas(m_d);
    aplicarDisposicao();
}

void PainelSimples::configurarTimerLT()
{
    const int intervalo = rsp::intervaloTimerMs(m_lblTempoAtualizacao->text());
    // setInterval restarts a running timer; leave it alone when nothing changed.
    if (m_timerLT.interval() != intervalo)
        m_timerLT.setInterval(intervalo);
}

void PainelSimples::ativarTimerLT()
{
    if (!m_timerLT.isActive())
        m_timerLT.start();
}

void PainelSimples::desativarTimerLT()
{
    m_timerLT.stop();
}

void PainelSimples::atualizaBarAtualizacao()
{
    const double n = rsp::numeroIntervalo(m_lblTempoAtualizacao->text());
    m_barAtualizacao->setRange(0, n > 0 ? static_cast<int>(std::min(n, 2147483647.0)) : 0);
}

void PainelSimples::tiqueTimerLT()
{
    atualizaBarAtualizacao();
    const rsp::Tique t =
        rsp::tique(rsp::numeroIntervalo(m_lblTempoAtualizacao->text()), m_contadorAtualizacao);
    m_barAtualizacao->setValue(t.valorBarra);
    if (t.solicitar && m_controle)
        m_controle->solicitarPagina6();
}

void PainelSimples::exibirDesconectado()
{
    m_lblLegendaDesconectado->show();
    m_frmDesconectado->show();
}

void PainelSimples::ocultarDesconectado()
{
    m_lblLegendaDesconectado->hide();
    m_frmDesconectado->hide();
}

void PainelSimples::atualizarControlesLotacao()
{
    const bool exibir = !m_chkLotacao->isChecked();
    for (const char* nome : botoesLotacao)
        m_frmOpcoes->findChild<QLabel*>(QString::fromLatin1(nome))->setVisible(exibir);
}

void PainelSimples::atualizarControlesTotal()
{
    const bool exibir = !m_chkTotal->isChecked();
    for (const char* nome : botoesTotal)
        m_frmOpcoes->findChild<QLabel*>(QString::fromLatin1(nome))->setVisible(exibir);
}

void PainelSimples::atualizarControlesinfoEmpresa()
{
    const bool editando = m_chkInfoEmpresa->isChecked();
    m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_diminuirFonteinfoEmpresa"))->setVisible(!editando);
    m_frmOpcoes->findChild<QLabel*>(QStringLiteral("lbl_aumentarFonteinfoEmpresa"))->setVisible(!editando);
    m_txtInfoEmpresa->setVisible(editando);
    if (editando)
        m_txtInfoEmpresa->setFocus();
    atualizarMensagem();
}

void PainelSimples::leConfiguracoes()
{
    banco::PainelSimples v;
    if (!m_banco.lerPainelSimples(v)) {
        // The failure has been reported. The panel still shows the counts, laid out as
        // "Padrões" would, and will not write these stand-ins over the stored row.
        m_configuracoesLidas = false;
        rsp::redefinirPadroes(m_d, m_larguraTela, m_alturaTela);
        m_txtInfoEmpresa->setText(QString());
        m_lblTempoAtualizacao->setText(QStringLiteral("60s"));
        aplicarDisposicao();
        atualizar();
        return;
    }
    m_configuracoesLidas = true;
    m_d.lotacaoFonte = v.lotacaoFonte;
    m_d.lotacaoTopo = v.lotacaoPosicao;
    m_d.totalFonte = v.totalFonte;
    m_d.totalTopo = v.totalPosicao;
    m_d.legendaTotalFonte = v.legendaFonteTotal;
    m_d.legendaLotacaoFonte = v.legendaFonte;
    m_chkTotal->setChecked(v.chktotal == 1);
    m_chkLotacao->setChecked(v.chklotacao == 1);
    m_d.txtInfoFonte = v.infoEmpresaFonte;
    m_d.lblInfoFonte = v.infoEmpresaFonte;
    m_txtInfoEmpresa->setText(v.infoEmpresa);
    m_d.legendaLotacaoTopo = v.legendaPosicao;
    m_d.legendaTotalTopo = v.legendaTotalPosicao;
    m_lblTempoAtualizacao->setText(rsp::legendaIntervaloValida(v.tempoAtualizacao));
    aplicarDisposicao();
    atualizar();
}

void PainelSimples::salvarConfiguracoes()
{
    salvarLotacao();
    if (!m_configuracoesLidas)
        return;
    banco::PainelSimples v;
    v.lotacaoFonte = m_d.lotacaoFonte;
    v.lotacaoPosicao = m_d.lotacaoTopo;
    v.totalFonte = m_d.totalFonte;
    v.totalPosicao = m_d.totalTopo;
    v.chktotal = m_chkTotal->isChecked() ? 1 : 0;
    v.chklotacao = m_chkLotacao->isChecked() ? 1 : 0;
    v.tempoAtualizacao = m_lblTempoAtualizacao->text();
    v.legendaFonteTotal = m_d.legendaTotalFonte;
    v.legendaFonte = m_d.legendaLotacaoFonte;
    v.legendaPosicao = m_d.legendaLotacaoTopo;
    v.legendaTotalPosicao = m_d.legendaTotalTopo;
    v.infoEmpresaFonte = m_d.txtInfoFonte;
    v.infoEmpresa = rsp::textoMensagem(m_txtInfoEmpresa->text());
    m_banco.salvarPainelSimples(v, datas::hoje());
}

bool PainelSimples::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == windowHandle()) {
        // The pointer rests hidden over the public display and comes back when it moves.
        switch (evento->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            mostrarPonteiro();
            m_timerPonteiro.start();
            break;
        case QEvent::Leave:
            mostrarPonteiro();
            m_timerPonteiro.stop();
            break;
        default:
            break;
        }
        return QDialog::eventFilter(objeto, evento);
    }
    const QString nome = objeto->objectName();
    switch (evento->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        // The pointer passing over is enough; no click needed.
        if (nome == QLatin1String("lbl_opcoes"))
            abrirOpcoes();
        else if (nome == QLatin1String("lbl_fecharopcoes"))
            fecharOpcoes();
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            clicarRotulo(nome);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objeto, evento);
}

void PainelSimples::clicarRotulo(const QString& nome)
{
    if (nome == QLatin1String("lbl_fechar")) {
        clicarFechar();
        return;
    }
    if (nome == QLatin1String("lbl_tempoAtualizacao")) {
        clicarTempoAtualizacao();
        return;
    }
    if (nome == QLatin1String("lbl_redefinir")) {
        clicarRedefinir();
        return;
    }
    if (nome == QLatin1String("lbl_tela")) {
        clicarTela();
        return;
    }
    for (const BotaoAjuste& b : botoesAjuste) {
        if (nome != QLatin1String(b.nome))
            continue;
        if (rsp::aplicarAjuste(b.ajuste, m_d)) {
            aplicarDisposicao();
            mostrarTamanhodaFonte();
        }
        return;
    }
}

void PainelSimples::clicarFechar()
{
    salvarConfiguracoes();
    m_lblFechar->hide();
    desativarTimerLT();
    close();
}

void PainelSimples::clicarTempoAtualizacao()
{
    m_lblTempoAtualizacao->setText(rsp::proximoIntervalo(m_lblTempoAtualizacao->text()));
    configurarTimerLT();
}

void PainelSimples::clicarRedefinir()
{
    rsp::redefinirPadroes(m_d, m_larguraTela, m_alturaTela);
    m_chkLotacao->setChecked(false);
    m_chkTotal->setChecked(false);
    aplicarDisposicao();
    mostrarTamanhodaFonte();
}

void PainelSimples::abrirOpcoes()
{
    if (m_frmOpcoes->isHidden())
        m_frmOpcoes->show();
}

void PainelSimples::fecharOpcoes()
{
    m_frmOpcoes->hide();
    m_txtOcultarMouse->setFocus();
}

void PainelSimples::reject()
{
    // Escape closes the panel the same way as every other close.
    close();
}

void PainelSimples::closeEvent(QCloseEvent* evento)
{
    if (m_painelAtivo)
        m_painelAtivo->desativarPainelSimples();
    salvarConfiguracoes();
    m_timerLT.stop();
    Q_EMIT fechando();
    // Not QDialog::closeEvent: it would call reject() and, through it, close() again.
    evento->accept();
}
