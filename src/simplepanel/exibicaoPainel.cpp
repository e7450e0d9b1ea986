#include "exibicaoPainel.h"

#include "painelSimplesInterno.h"
#include "rotuloClicavel.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <algorithm>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;

namespace {

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

QRect inteiro(const QRectF& r)
{
    return {qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height())};
}

} // namespace

ExibicaoPainel::ExibicaoPainel(QWidget* painel, const rsp::Disposicao& d)
{
    // Widths and the places that follow the screen's size come from dispor.
    const int largura = 0;

    lblLegendaLotacao = rotulo(painel, QStringLiteral("lbl_legendaLotacao"), QStringLiteral("Lotação Atual"),
                               fonte(segoe, d.legendaLotacaoFonte), corLegendaLotacao);
    lblLegendaLotacao->setGeometry(8, 0, largura, alturaLegendaLotacao);
    lblLotacao = rotulo(painel, QStringLiteral("lbl_lotacao"), QStringLiteral("---"),
                        fonte(courier, d.lotacaoFonte, true), corHighlightText);
    lblLotacao->setGeometry(0, 0, largura, alturaNumero);
    lblLegendaTotal = rotulo(painel, QStringLiteral("lbl_legendaTotal"), QStringLiteral("Total Hoje"),
                             fonte(segoe, d.legendaTotalFonte), QColor(0xFF, 0xFF, 0x00));
    lblLegendaTotal->setGeometry(8, 0, largura, alturaLegendaTotal);
    lblTotal = rotulo(painel, QStringLiteral("lbl_total"), QStringLiteral("---"),
                      fonte(courier, d.totalFonte, true), QColor(0xFF, 0xFF, 0x00));
    lblTotal->setGeometry(16, 0, largura, alturaNumero);

    lblInfoEmpresa = rotulo(painel, QStringLiteral("lbl_infoEmpresa"), QString(),
                            fonte(segoe, d.lblInfoFonte), QColor(0x00, 0xFF, 0xFF));
    lblInfoEmpresa->setToolTip(QStringLiteral("Clique em ? para alterar a mensagem"));

    // Two editors over the message line: the custom message and the full-house message.
    auto editor = [painel, &d](const QString& nome) {
        auto* e = new QLineEdit(painel);
        e->setObjectName(nome);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(rsp::maximoMensagem);
        e->setFont(fonte(segoe, d.txtInfoFonte));
        QPalette p = e->palette();
        p.setColor(QPalette::Text, QColor(0x00, 0xFF, 0xFF));
        p.setColor(QPalette::Base, corFundoDesktop);
        e->setPalette(p);
        e->hide();
        return e;
    };
    txtInfoEmpresa = editor(QStringLiteral("txt_infoEmpresa"));
    txtInfoLotado = editor(QStringLiteral("txt_infoLotado"));

    frmDesconectado = new QFrame(painel);
    frmDesconectado->setObjectName(QStringLiteral("frm_desconectado"));
    frmDesconectado->setFrameShape(QFrame::NoFrame);
    pintarFundo(frmDesconectado, QColor(0xFF, 0x00, 0x00));
    frmDesconectado->hide();

    lblLegendaDesconectado =
        rotulo(painel, QStringLiteral("lbl_legendaDesconectado"), QStringLiteral("Desconectado"),
               fonte(segoe, 18), QColor(0xFF, 0x00, 0x00), Qt::AlignRight | Qt::AlignTop);
    lblLegendaDesconectado->hide();

    frmBarra = new QFrame(painel);
    frmBarra->setObjectName(QStringLiteral("frm_barra"));
    pintarFundo(frmBarra, corMenuText);
    barAtualizacao = new QProgressBar(frmBarra);
    barAtualizacao->setObjectName(QStringLiteral("bar_atualizacao"));
    barAtualizacao->setTextVisible(false);
    barAtualizacao->setGeometry(0, -8, 177, 25);

    txtOcultarMouse = new QLineEdit(painel);
    txtOcultarMouse->setObjectName(QStringLiteral("txt_ocultarMouse"));
    txtOcultarMouse->setFrame(false);
    {
        QPalette p = txtOcultarMouse->palette();
        p.setColor(QPalette::Text, corWindowText);
        p.setColor(QPalette::Base, corWindowText);
        txtOcultarMouse->setPalette(p);
    }

    lblOpcoes = rotulo<RotuloClicavel>(painel, QStringLiteral("lbl_opcoes"), QStringLiteral("?"),
                                       fonte(sansSerif, 24), corBtnShadow, Qt::AlignCenter);
    lblOpcoes->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblOpcoes->setToolTip(QStringLiteral("Mostrar opções de conteúdo"));
    lblOpcoes->setGeometry(40, 24, 57, 41);
    lblOpcoes->setMouseTracking(true);
    lblOpcoes->contarSoltarFora(true);

    lblFechar = rotulo<RotuloClicavel>(painel, QStringLiteral("lbl_fechar"), QStringLiteral("X"),
                                       fonte(sansSerif, 22.5), QColor(0xC0, 0x00, 0x00), Qt::AlignCenter);
    lblFechar->setFrameStyle(QFrame::Box | QFrame::Plain);
    pintarFundo(lblFechar, corInfoText);
    lblFechar->setToolTip(QStringLiteral("Fechar o Painel simplificado"));
    lblFechar->setGeometry(112, 24, 57, 41);
    lblFechar->contarSoltarFora(true);

    txtOcultarMouse->setFocus();
}

void ExibicaoPainel::dispor(rsp::Disposicao& d, int larguraTela, int alturaTela)
{
    const rsp::Geometria g = rsp::calcularGeometria(larguraTela, alturaTela);
    const int largura = qRound(g.larguraNumeros);
    lblLegendaLotacao->resize(largura, alturaLegendaLotacao);
    lblLotacao->resize(largura, alturaNumero);
    lblLegendaTotal->resize(largura, alturaLegendaTotal);
    lblTotal->resize(largura, alturaNumero);
    d.lblInfoTopo = g.lblInfoEmpresa.y();
    lblInfoEmpresa->setGeometry(inteiro(g.lblInfoEmpresa));
    d.txtInfoTopo = g.txtInfoEmpresa.y();
    txtInfoEmpresa->setGeometry(inteiro(g.txtInfoEmpresa));
    txtInfoLotado->setGeometry(inteiro(g.txtInfoEmpresa));
    frmDesconectado->setGeometry(inteiro(g.frmDesconectado));
    // The warning's word whole on screen, also where 4 % of the height is less than its line.
    QRect desconectado = inteiro(g.lblLegendaDesconectado);
    desconectado.moveTop(
        std::min(desconectado.top(), alturaTela - QFontMetrics(lblLegendaDesconectado->font()).height()));
    lblLegendaDesconectado->setGeometry(desconectado);
    frmBarra->setGeometry(inteiro(g.frmBarra));
    txtOcultarMouse->setGeometry(inteiro(g.txtOcultarMouse));
}

void ExibicaoPainel::aplicar(const rsp::Disposicao& d, int alturaTela)
{
    lblLotacao->setFont(fonte(courier, d.lotacaoFonte, true));
    lblLotacao->move(0, qRound(d.lotacaoTopo));
    lblTotal->setFont(fonte(courier, d.totalFonte, true));
    lblTotal->move(16, qRound(d.totalTopo));
    lblLegendaLotacao->setFont(fonte(segoe, d.legendaLotacaoFonte));
    lblLegendaLotacao->move(8, qRound(d.legendaLotacaoTopo));
    lblLegendaTotal->setFont(fonte(segoe, d.legendaTotalFonte));
    lblLegendaTotal->move(8, qRound(d.legendaTotalTopo));
    // The message and its editors stay whole on screen while typing, whatever their size and
    // the screen's: lifted off the bottom edge when they would reach past it.
    const QFont fonteEditor = fonte(segoe, d.txtInfoFonte);
    const int alturaEditor = std::min<int>(alturaTxtInfo, QFontMetrics(fonteEditor).height() + 16);
    const int topoEditor = std::min(qRound(d.txtInfoTopo), alturaTela - alturaEditor);
    for (QLineEdit* e : {txtInfoEmpresa, txtInfoLotado}) {
        e->setFont(fonteEditor);
        e->setGeometry(e->x(), topoEditor, e->width(), alturaEditor);
    }
    const QFont fonteMensagem = fonte(segoe, d.lblInfoFonte);
    const int alturaMensagem = QFontMetrics(fonteMensagem).height();
    lblInfoEmpresa->setFont(fonteMensagem);
    lblInfoEmpresa->setGeometry(lblInfoEmpresa->x(),
                                std::min(qRound(d.lblInfoTopo), alturaTela - alturaMensagem),
                                lblInfoEmpresa->width(), std::max(alturaLblInfo, alturaMensagem));
}

encaixeTela::Tintas ExibicaoPainel::medirTintas(bool lotacaoVisivel, bool totalVisivel) const
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
    t.lotacao = medir(lblLotacao, digitos);
    t.total = medir(lblTotal, digitos);
    t.legendaLotacao = medir(lblLegendaLotacao, lblLegendaLotacao->text());
    t.legendaTotal = medir(lblLegendaTotal, lblLegendaTotal->text());
    t.lotacaoVisivel = lotacaoVisivel;
    t.totalVisivel = totalVisivel;
    return t;
}
