#include "figurasAoVivo.h"

#include <QBoxLayout>
#include <QFrame>
#include <QStyle>

using namespace controlesPainel;

namespace {

const QString dicaAtualizacao = QStringLiteral("Horário da atualização da contagem total do mês");

RotuloClicavel* figuraAtualizar(QWidget* pai, const QString& nome)
{
    auto* p = new RotuloClicavel(pai);
    p->setObjectName(nome);
    p->setToolTip(QStringLiteral("Atualizar contagem total do mês agora"));
    p->setPixmap(pai->style()->standardIcon(QStyle::SP_BrowserReload).pixmap(18, 18));
    p->setFixedSize(18, 18);
    p->setCursor(Qt::PointingHandCursor);
    return p;
}

} // namespace

FigurasAoVivo::FigurasAoVivo(QWidget* parent) : QScrollArea(parent)
{
    // Live figures, one tile each, in a column of fixed width (set below) that scrolls when
    // the window is too short for it.
    auto* colunaFiguras = new QWidget(this);
    colunaFiguras->setObjectName(QStringLiteral("colunaFiguras"));
    auto* figuras = new QVBoxLayout(colunaFiguras);
    figuras->setContentsMargins(0, 0, 0, 0);
    figuras->setSpacing(2);
    setObjectName(QStringLiteral("rolagemFiguras"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    int nLinha = 1;
    auto numero = [colunaFiguras](const QString& nome, const QString& texto, const QString& dica,
                                  int pontos) {
        QLabel* l = rotulo(colunaFiguras, nome, texto, dica);
        l->setFont(fonte(pontos, true));
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #1f4e79;"));
        return l;
    };
    auto legenda = [colunaFiguras](const QString& nome, const QString& texto, const QString& dica = {}) {
        QLabel* l = rotulo(colunaFiguras, nome, texto, dica);
        l->setFont(fonte(10));
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    auto carimbo = [colunaFiguras](const QString& nome) {
        QLabel* l = rotulo(colunaFiguras, nome, QStringLiteral("as 00:00"), dicaAtualizacao);
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
        figuras->addWidget(linha(colunaFiguras, nLinha++, false));
    };
    lblLotacao = numero(QStringLiteral("lbl_lotacao"), QStringLiteral("00000"),
                        QStringLiteral("Visitantes no interior do ambiente"), 30);
    lblAtualizadoAgora = carimbo(QStringLiteral("lbl_atualizadoAgora"));
    picAtualizarAgora = figuraAtualizar(colunaFiguras, QStringLiteral("pic_atualizarAgora"));
    tile(lblLotacao, legenda(QStringLiteral("Label4"), QStringLiteral("lotação agora")), lblAtualizadoAgora,
         picAtualizarAgora);
    lblTotal = numero(QStringLiteral("lbl_total"), QStringLiteral("00000"),
                      QStringLiteral("Visitas recebidas hoje"), 26);
    lblAtualizadoHoje = carimbo(QStringLiteral("lbl_atualizadoHoje"));
    picture1 = figuraAtualizar(colunaFiguras, QStringLiteral("Picture1"));
    tile(lblTotal, legenda(QStringLiteral("Label2"), QStringLiteral("total hoje")), lblAtualizadoHoje,
         picture1);
    lblMes = numero(QStringLiteral("lbl_mes"), QStringLiteral("000000"),
                    QStringLiteral("Visitas recebidas neste mês"), 22);
    lblAtualizadoTotalMes = carimbo(QStringLiteral("lbl_atualizadoTotalMes"));
    picAtualizarTotalMes = figuraAtualizar(colunaFiguras, QStringLiteral("pic_atualizarTotalMes"));
    tile(lblMes, legenda(QStringLiteral("lbl_total_mes"), QStringLiteral("total mês")), lblAtualizadoTotalMes,
         picAtualizarTotalMes);
    lblMediaDia = numero(QStringLiteral("lbl_mediaDia"), QStringLiteral("0000"),
                         QStringLiteral("Média de visitas por hora, hoje"), 18);
    tile(lblMediaDia,
         legenda(QStringLiteral("Label10"), QStringLiteral("média/dia"),
                 QStringLiteral(
                     "A média de visitas por hora considera somente os dias com pelo menos uma visita")),
         nullptr, nullptr);
    lblMediaHora = numero(QStringLiteral("lbl_mediaHora"), QStringLiteral("0000"),
                          QStringLiteral("Média de visitas por hora, hoje"), 18);
    lblAtualizadoMedia = carimbo(QStringLiteral("lbl_atualizadoMedia"));
    tile(lblMediaHora,
         legenda(QStringLiteral("Label11"), QStringLiteral("média/hora"),
                 QStringLiteral(
                     "A média de visitas por hora considera somente os horários com pelo menos uma visita")),
         lblAtualizadoMedia, nullptr);
    QLabel* label5 = carimbo(QStringLiteral("Label5"));
    label5->hide(); // a stamp the panel never writes
    figuras->addWidget(label5);
    figuras->addStretch();
    auto* diagnostico = new QHBoxLayout;
    QFont mono(QStringLiteral("Courier New"));
    mono.setPointSizeF(8);
    lblParam = rotulo(colunaFiguras, QStringLiteral("lbl_param"), QStringLiteral("Param"));
    lblParam->setFont(mono);
    lblPag = rotulo(colunaFiguras, QStringLiteral("lbl_pag"), QStringLiteral("Param"));
    lblPag->setFont(mono);
    label14 = new RotuloClicavel(QStringLiteral("1"), colunaFiguras);
    label14->setObjectName(QStringLiteral("Label14"));
    label14->setFixedSize(17, 9);
    label14->setFont(mono);
    label14->setStyleSheet(QStringLiteral("color: #b0b0b0;"));
    diagnostico->addWidget(lblParam);
    diagnostico->addWidget(lblPag);
    diagnostico->addWidget(label14);
    diagnostico->addStretch();
    figuras->addLayout(diagnostico);
    // One width whatever the figures hold (00000, 0, 3561): the charts beside the column must
    // not move when a figure changes. A month total can reach seven digits.
    int largura =
        QFontMetrics(lblAtualizadoAgora->font()).horizontalAdvance(QStringLiteral("as 00:00:00")) + 18 + 16;
    for (const auto& [figura, digitos] :
         {std::pair{lblLotacao, 5}, std::pair{lblTotal, 5}, std::pair{lblMes, 7}, std::pair{lblMediaDia, 5},
          std::pair{lblMediaHora, 5}})
        largura =
            std::max(largura, QFontMetrics(figura->font()).horizontalAdvance(QString(digitos, u'0')) + 12);
    colunaFiguras->setFixedWidth(largura);
    setWidget(colunaFiguras);
    // Room for the scroll bar is kept, so that its coming and going moves nothing either.
    setFixedWidth(largura + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}
