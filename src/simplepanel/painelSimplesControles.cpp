// The simple panel's controls and options frame: building them and placing them on the screen.
#include "painelSimples.h"

#include "coresLotacao.h"
#include "painelSimplesInterno.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>

#include <algorithm>
#include <climits>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;
namespace rl = regrasLotacao;

namespace {

// The options frame's top edge, under "?" and the panel's "X".
constexpr int topoOpcoes = 120;

// The label height the digits were drawn in; the labels reach past the bottom edge on small
// screens, as they always have.
constexpr int alturaNumero = 825;
constexpr int alturaLegendaLotacao = 217;
constexpr int alturaLegendaTotal = 209;
constexpr int alturaLblInfo = 49;
constexpr int alturaTxtInfo = 81;

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
    connect(m_txtInfoEmpresa, &QLineEdit::textEdited, this, [this] { m_configuracoesAlteradas = true; });
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
    for (QCheckBox* c : {m_chkLotacao, m_chkTotal})
        connect(c, &QCheckBox::clicked, this, [this] { m_configuracoesAlteradas = true; });
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
        numero("txt_lotacaoAviso", QString(),
               QStringLiteral("Porcentagem da lotação máxima a partir da qual os números ficam âmbar"), 76);
    // A share of the maximum, as it reads: a level in people could lie above the maximum.
    m_txtLotacaoAviso->setRange(1, 99);
    m_txtLotacaoAviso->setSuffix(QStringLiteral("%"));
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
    // The warning's word whole on screen, also where 4 % of the height is less than its line.
    QRect desconectado = inteiro(g.lblLegendaDesconectado);
    desconectado.moveTop(
        std::min(desconectado.top(), m_alturaTela - QFontMetrics(m_lblLegendaDesconectado->font()).height()));
    m_lblLegendaDesconectado->setGeometry(desconectado);
    m_frmBarra->setGeometry(inteiro(g.frmBarra));
    m_txtOcultarMouse->setGeometry(inteiro(g.txtOcultarMouse));
    disporOpcoes();
    if (m_carregado)
        encaixarNaTela();
}

encaixeTela::Tintas PainelSimples::medirTintas() const
{
    // Measured at a large size and taken per point: the ink grows with the font.
    constexpr double referencia = 100;
    auto medir = [](const QLabel* l, const QString& texto) {
        QFont f = l->font();
        f.setPointSizeF(referencia);
        const QFontMetricsF fm(f);
        const QRectF r = fm.tightBoundingRect(texto);
        return encaixeTela::Tinta{(fm.ascent() + r.top()) / referencia,
                                  (fm.ascent() + r.bottom()) / referencia,
                                  std::max(r.width(), fm.horizontalAdvance(texto)) / referencia};
    };
    // The device counts up to five digits; the legends are what they say.
    const QString digitos = QStringLiteral("88888");
    encaixeTela::Tintas t;
    t.lotacao = medir(m_lblLotacao, digitos);
    t.total = medir(m_lblTotal, digitos);
    t.legendaLotacao = medir(m_lblLegendaLotacao, m_lblLegendaLotacao->text());
    t.legendaTotal = medir(m_lblLegendaTotal, m_lblLegendaTotal->text());
    t.lotacaoVisivel = !m_chkLotacao->isChecked();
    t.totalVisivel = !m_chkTotal->isChecked();
    return t;
}

encaixeTela::Espaco PainelSimples::espacoNumeros() const
{
    // Down to the message line, as it is placed on this screen; across the screen less the
    // total's and the legends' shift to the right.
    const double alturaMensagem = QFontMetricsF(fonte(segoe, m_d.lblInfoFonte)).height();
    return {m_larguraTela - 32.0, std::min(m_d.lblInfoTopo, m_alturaTela - alturaMensagem)};
}

void PainelSimples::encaixarNaTela()
{
    encaixeTela::encaixar(m_d, m_larguraTela, m_alturaTela, medirTintas(), espacoNumeros());
    aplicarDisposicao();
    mostrarTamanhodaFonte();
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
    // The message and its editors stay whole on screen while typing, whatever their size and
    // the screen's: lifted off the bottom edge when they would reach past it.
    const QFont fonteEditor = fonte(segoe, m_d.txtInfoFonte);
    const int alturaEditor = std::min<int>(alturaTxtInfo, QFontMetrics(fonteEditor).height() + 16);
    const int topoEditor = std::min(qRound(m_d.txtInfoTopo), m_alturaTela - alturaEditor);
    for (QLineEdit* e : {m_txtInfoEmpresa, m_txtInfoLotado}) {
        e->setFont(fonteEditor);
        e->setGeometry(e->x(), topoEditor, e->width(), alturaEditor);
    }
    const QFont fonteMensagem = fonte(segoe, m_d.lblInfoFonte);
    const int alturaMensagem = QFontMetrics(fonteMensagem).height();
    m_lblInfoEmpresa->setFont(fonteMensagem);
    m_lblInfoEmpresa->setGeometry(m_lblInfoEmpresa->x(),
                                  std::min(qRound(m_d.lblInfoTopo), m_alturaTela - alturaMensagem),
                                  m_lblInfoEmpresa->width(), std::max(alturaLblInfo, alturaMensagem));
}
