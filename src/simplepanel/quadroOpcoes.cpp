#include "quadroOpcoes.h"

#include "coresLotacao.h"
#include "painelSimplesInterno.h"
#include "rotuloClicavel.h"

#include <QCheckBox>
#include <QSpinBox>

#include <algorithm>
#include <climits>
#include <optional>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;
namespace rl = regrasLotacao;

namespace {

const QString segoe = QStringLiteral("Segoe UI");
const QString sansSerif = QStringLiteral("MS Sans Serif");

} // namespace

QuadroOpcoes::QuadroOpcoes(QWidget* painel) : QFrame(painel)
{
    setObjectName(QStringLiteral("frm_opcoes"));
    pintarFundo(this, corInfoText);
    setGeometry(40, topo, 105, 497);

    const QColor cinzaClaro(0xE0, 0xE0, 0xE0);
    const QColor amarelo(0xFF, 0xFF, 0x00);
    const QColor cianoClaro(0x80, 0xFF, 0xFF);
    const QString aspas = QStringLiteral("\"");
    const QString trema = QString(QChar(0x00A8));
    using A = rsp::Ajuste;
    // The original column: name, caption, font, colour, border, place, group, tooltip; the
    // step a button applies, or where the frame keeps the label.
    struct Item {
        const char* nome;
        QString texto;
        const QString& familia;
        double pontos;
        QColor cor;
        bool borda;
        QRect lugar;
        Grupo grupo;
        QString dica;
        std::optional<A> ajuste = {};
        RotuloClicavel* QuadroOpcoes::*guardado = nullptr;
    };
    const Item itens[] = {
        {"lbl_posicaomenosLotacao", QStringLiteral("<"), sansSerif, 24, corScrollbar, false,
         QRect(40, 32, 25, 33), Grupo::Lotacao, QStringLiteral("Elevar Exibição  da lotação atual"),
         A::PosicaomenosLotacao},
        {"lbl_tamLotacao",
         QString(),
         sansSerif,
         12,
         corScrollbar,
         false,
         QRect(8, 40, 33, 17),
         Grupo::Lotacao,
         QStringLiteral("Tamanho da fonte de exibição da Lotação"),
         {},
         &QuadroOpcoes::m_lblTamLotacao},
        {"lbl_aumentarLegendaFonteLotacao", aspas, sansSerif, 24, cinzaClaro, false, QRect(80, 40, 17, 17),
         Grupo::Lotacao, QStringLiteral("Aumentar Legenda do Total da Lotação"),
         A::AumentarLegendaFonteLotacao},
        {"lbl_diminuirFonteLotacao", QStringLiteral("-"), sansSerif, 30, corHighlightText, false,
         QRect(8, 56, 25, 33), Grupo::Lotacao, QStringLiteral("Reduzir tamanho  da lotação atual"),
         A::DiminuirFonteLotacao},
        {"lbl_aumentarFonteLotacao", QStringLiteral("+"), sansSerif, 24, corScrollbar, false,
         QRect(72, 64, 25, 33), Grupo::Lotacao, QStringLiteral("Aumentar tamanho da lotação atual"),
         A::AumentarFonteLotacao},
        {"lbl_posicaoLotacao", QStringLiteral(">"), sansSerif, 24, corScrollbar, false, QRect(40, 96, 25, 33),
         Grupo::Lotacao, QStringLiteral("Baixar Exibição  da lotação atual"), A::PosicaoLotacao},
        {"lbl_diminuirLegendaFonteLotacao", trema, sansSerif, 24, cinzaClaro, false, QRect(80, 112, 17, 17),
         Grupo::Lotacao, QStringLiteral("Reduzir Legenda do Total da Lotação"),
         A::DiminuirLegendaFonteLotacao},
        {"lbl_posicaomenosTotal", QStringLiteral("<"), sansSerif, 24, amarelo, false, QRect(40, 152, 25, 33),
         Grupo::Total, QStringLiteral("Elevar Exibição do Total de Visitas"), A::PosicaomenosTotal},
        {"lbl_tamTotal",
         QString(),
         sansSerif,
         12,
         amarelo,
         false,
         QRect(8, 160, 33, 17),
         Grupo::Total,
         QStringLiteral("Tamanho da fonte de exibição da contagem Total"),
         {},
         &QuadroOpcoes::m_lblTamTotal},
        {"lbl_aumentarLegendaFonteTotal", aspas, sansSerif, 24, amarelo, false, QRect(80, 160, 17, 17),
         Grupo::Total, QStringLiteral("Aumentar Legenda do Total de Visitas"), A::AumentarLegendaFonteTotal},
        {"lbl_diminuirFonteTotal", QStringLiteral("-"), sansSerif, 30, amarelo, false, QRect(8, 176, 25, 33),
         Grupo::Total, QStringLiteral("Reduzir tamanho  do Total de Visitas"), A::DiminuirFonteTotal},
        {"lbl_aumentarFonteTotal", QStringLiteral("+"), sansSerif, 24, amarelo, false, QRect(72, 184, 25, 33),
         Grupo::Total, QStringLiteral("Aumentar tamanho  do Total de Visitas"), A::AumentarFonteTotal},
        {"lbl_posicaoTotal", QStringLiteral(">"), sansSerif, 24, amarelo, false, QRect(40, 216, 25, 33),
         Grupo::Total, QStringLiteral("Baixar Exibição  do Total de Visitas"), A::PosicaoTotal},
        {"lbl_diminuirLegendaFonteTotal", trema, sansSerif, 24, amarelo, false, QRect(80, 232, 17, 17),
         Grupo::Total, QStringLiteral("Reduzir Legenda do Total de Visitas"), A::DiminuirLegendaFonteTotal},
        {"lbl_diminuirFonteinfoEmpresa", QStringLiteral("-"), sansSerif, 30, cianoClaro, false,
         QRect(8, 272, 25, 33), Grupo::Mensagem, QStringLiteral("Reduzir tamanho da mensagem personalizada"),
         A::DiminuirFonteinfoEmpresa},
        {"lbl_aumentarFonteinfoEmpresa", QStringLiteral("+"), sansSerif, 24, cianoClaro, false,
         QRect(72, 280, 25, 33), Grupo::Mensagem,
         QStringLiteral("Aumentar tamanho da mensagem personalizada"), A::AumentarFonteinfoEmpresa},
        {"Label1", QStringLiteral("Atualização"), segoe, 11.25, corScrollbar, false, QRect(8, 328, 97, 17),
         Grupo::Ritmo, QString()},
        {"lbl_tempoAtualizacao",
         QStringLiteral("60s"),
         sansSerif,
         18,
         corScrollbar,
         true,
         QRect(16, 352, 73, 33),
         Grupo::Ritmo,
         QStringLiteral("Tempo entre cada atualização"),
         {},
         &QuadroOpcoes::m_lblTempoAtualizacao},
        {"lbl_redefinir",
         QStringLiteral("Padrões"),
         segoe,
         12,
         corScrollbar,
         true,
         QRect(16, 400, 73, 25),
         Grupo::Ritmo,
         QStringLiteral("Redefinir Padrões de Exibição"),
         {},
         &QuadroOpcoes::m_lblRedefinir},
        {"lbl_fecharopcoes",
         QStringLiteral("X"),
         sansSerif,
         18,
         QColor(0xFF, 0x00, 0x00),
         true,
         QRect(16, 440, 73, 33),
         Grupo::Ritmo,
         QStringLiteral("Ocultar opções de conteúdo"),
         {},
         &QuadroOpcoes::m_lblFecharOpcoes},
    };
    // Captions start at the top of their labels: the small legend marks would otherwise be
    // centred out of their 17-pixel boxes.
    for (const Item& item : itens) {
        auto* l = rotulo<RotuloClicavel>(this, QString::fromLatin1(item.nome), item.texto,
                                         fonte(item.familia, item.pontos), item.cor);
        if (item.borda)
            l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setToolTip(item.dica);
        l->contarSoltarFora(true);
        colocar(l, item.lugar, item.grupo);
        if (item.guardado)
            this->*item.guardado = l;
        if (!item.ajuste)
            continue;
        connect(l, &RotuloClicavel::clicado, this, [this, a = *item.ajuste] { Q_EMIT ajustePedido(a); });
        // A figure's buttons, or the message's, are hidden with it.
        (item.grupo == Grupo::Lotacao ? m_botoesLotacao
         : item.grupo == Grupo::Total ? m_botoesTotal
                                      : m_botoesMensagem)
            .append(l);
    }
    m_lblFecharOpcoes->setMouseTracking(true);
    // The pointer passing over the frame's "X" is enough; no click needed.
    connect(m_lblFecharOpcoes, &RotuloClicavel::apontado, this, &QuadroOpcoes::fecharPedido);
    connect(m_lblTempoAtualizacao, &RotuloClicavel::clicado, this, &QuadroOpcoes::tempoAtualizacaoClicado);
    connect(m_lblRedefinir, &RotuloClicavel::clicado, this, &QuadroOpcoes::redefinirClicado);

    auto caixa = [this](const char* nome, const QColor& fundo, const QRect& lugar, Grupo grupo,
                        const QString& dica) {
        auto* c = new QCheckBox(this);
        c->setObjectName(QString::fromLatin1(nome));
        pintarFundo(c, fundo);
        c->setToolTip(dica);
        colocar(c, lugar, grupo);
        return c;
    };
    m_chkLotacao = caixa("chk_lotacao", QColor(0xFF, 0xFF, 0xFF), QRect(40, 72, 25, 21), Grupo::Lotacao,
                         QStringLiteral("Exibir/ocultar Lotação atual"));
    m_chkTotal = caixa("chk_total", amarelo, QRect(40, 192, 25, 21), Grupo::Total,
                       QStringLiteral("Exibir/ocultar Total de Visitas"));
    m_chkInfoEmpresa = caixa("chk_infoEmpresa", cianoClaro, QRect(40, 288, 25, 21), Grupo::Mensagem,
                             QStringLiteral("Editar mensagem personalizada"));
    criarColunaLotacaoMaxima();
    hide();
}

void QuadroOpcoes::criarColunaLotacaoMaxima()
{
    // A column of its own beside the original one: maximum, warning level, the full-house
    // message and the screen the panel covers.
    constexpr Grupo grupo = Grupo::LotacaoMaxima;
    auto legenda = [this](const char* nome, const QString& texto, int topoLegenda) {
        colocar(rotulo(this, QString::fromLatin1(nome), texto, fonte(segoe, 9.75), corScrollbar),
                QRect(8, topoLegenda, 97, 17), grupo);
    };
    auto numero = [this](const char* nome, const QString& especial, const QString& dica, int topoNumero) {
        auto* n = new QSpinBox(this);
        n->setObjectName(QString::fromLatin1(nome));
        n->setRange(0, 99999);
        n->setSpecialValueText(especial);
        n->setToolTip(dica);
        n->setAlignment(Qt::AlignRight);
        colocar(n, QRect(8, topoNumero, 89, 25), grupo);
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
    m_chkInfoLotado = new QCheckBox(this);
    m_chkInfoLotado->setObjectName(QStringLiteral("chk_infoLotado"));
    pintarFundo(m_chkInfoLotado, rl::corLotado);
    m_chkInfoLotado->setToolTip(QStringLiteral("Editar mensagem de lotação máxima"));
    colocar(m_chkInfoLotado, QRect(40, 132, 25, 21), grupo);
    legenda("lbl_legendaTela", QStringLiteral("Tela"), 164);
    m_lblTela = rotulo<RotuloClicavel>(this, QStringLiteral("lbl_tela"), QStringLiteral("Auto"),
                                       fonte(sansSerif, 18), corScrollbar, Qt::AlignCenter);
    m_lblTela->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_lblTela->setToolTip(QStringLiteral("Tela do painel: clique para trocar"));
    m_lblTela->contarSoltarFora(true);
    colocar(m_lblTela, QRect(16, 184, 73, 33), grupo);
    connect(m_lblTela, &RotuloClicavel::clicado, this, &QuadroOpcoes::telaClicada);
}

QWidget* QuadroOpcoes::colocar(QWidget* controle, const QRect& lugar, Grupo grupo)
{
    controle->setGeometry(lugar);
    m_lugares.append({controle, lugar, grupo});
    return controle;
}

void QuadroOpcoes::dispor(int alturaTela)
{
    QList<rsp::BlocoOpcoes> blocos(static_cast<int>(Grupo::LotacaoMaxima) + 1);
    for (auto& b : blocos)
        b.topo = INT_MAX;
    for (const Lugar& l : m_lugares) {
        rsp::BlocoOpcoes& b = blocos[static_cast<int>(l.grupo)];
        b.topo = std::min(b.topo, l.lugar.top());
        b.fim = std::max(b.fim, l.lugar.y() + l.lugar.height());
    }
    blocos[static_cast<int>(Grupo::LotacaoMaxima)].novaColuna = true;
    const rsp::DisposicaoOpcoes d = rsp::disporOpcoes(blocos, alturaTela - topo);
    for (const Lugar& l : m_lugares)
        l.controle->setGeometry(l.lugar.translated(d.deslocamentos.at(static_cast<int>(l.grupo))));
    resize(d.tamanho);
}

void QuadroOpcoes::mostrarBotoesLotacao(bool mostrar)
{
    for (QLabel* l : m_botoesLotacao)
        l->setVisible(mostrar);
}

void QuadroOpcoes::mostrarBotoesTotal(bool mostrar)
{
    for (QLabel* l : m_botoesTotal)
        l->setVisible(mostrar);
}

void QuadroOpcoes::mostrarBotoesMensagem(bool mostrar)
{
    for (QLabel* l : m_botoesMensagem)
        l->setVisible(mostrar);
}

void QuadroOpcoes::mostrarTamanhos(double lotacaoFonte, double totalFonte)
{
    m_lblTamLotacao->setText(rsp::textoTamanhoFonte(lotacaoFonte));
    m_lblTamTotal->setText(rsp::textoTamanhoFonte(totalFonte));
}

void QuadroOpcoes::mostrarTamanhoLotacao(bool mostrar)
{
    m_lblTamLotacao->setVisible(mostrar);
}

void QuadroOpcoes::mostrarTamanhoTotal(bool mostrar)
{
    m_lblTamTotal->setVisible(mostrar);
}

void QuadroOpcoes::mostrarTela(int indice, const QString& nomeAtual)
{
    m_lblTela->setText(indice < 0 ? QStringLiteral("Auto") : QString::number(indice + 1));
    m_lblTela->setToolTip(QStringLiteral("Tela do painel: clique para trocar") +
                          (nomeAtual.isEmpty() ? QString() : QStringLiteral(" (agora: %1)").arg(nomeAtual)));
}

QString QuadroOpcoes::tempoAtualizacao() const
{
    return m_lblTempoAtualizacao->text();
}

void QuadroOpcoes::definirTempoAtualizacao(const QString& legenda)
{
    m_lblTempoAtualizacao->setText(legenda);
}
