#include "telaDoPainel.h"

#include "dispositivoWindows.h"
#include "lotacaoDoPainel.h"
#include "painelSimplesInterno.h"
#include "quadroOpcoes.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace rsp = regrasPainelSimples;

TelaDoPainel::TelaDoPainel(QWidget& painel, std::function<QWidget*()> janelaPrincipal,
                           LotacaoDoPainel& lotacao, QuadroOpcoes& opcoes)
    : QObject(&painel), m_painel(painel), m_janelaPrincipal(std::move(janelaPrincipal)), m_lotacao(lotacao),
      m_opcoes(opcoes)
{
    connect(&m_opcoes, &QuadroOpcoes::telaClicada, this, [this] {
        m_lotacao.escolherTela(rsp::proximaTela(dispositivoWindows::lerTelas(), m_lotacao.valores().tela));
        Q_EMIT acompanharPedido();
    });
}

void TelaDoPainel::atualizarLegenda()
{
    m_opcoes.mostrarTela(rsp::indiceTela(dispositivoWindows::lerTelas(), m_lotacao.valores().tela), m_nome);
}

QRect TelaDoPainel::geometriaJanelaPrincipal() const
{
    QWidget* w = m_janelaPrincipal ? m_janelaPrincipal() : nullptr;
    return w && w->isVisible() ? w->frameGeometry() : QRect();
}

void TelaDoPainel::acompanhar(bool carregado)
{
    const QList<dispositivoWindows::Tela> telas = dispositivoWindows::lerTelas();
    const int i = rsp::escolherTela(telas, geometriaJanelaPrincipal(), m_lotacao.valores().tela);
    if (i < 0) {
        // No screen at all (the last one just went): wait for the next to come.
        if (!carregado) {
            m_largura = 1024;
            m_altura = 768;
            Q_EMIT tamanhoMudou();
        }
        return;
    }
    const dispositivoWindows::Tela& tela = telas.at(i);
    // By name and place: screens of separate X displays may share a name.
    QScreen* destino = nullptr;
    // The screens in the order they were listed (the primary first): X screens may agree in
    // name and place and differ only in order.
    QList<QScreen*> reais{QGuiApplication::primaryScreen()};
    for (QScreen* s : QGuiApplication::screens())
        if (s != reais.first())
            reais << s;
    if (i < reais.size() && reais.at(i) && reais.at(i)->name() == tela.nome &&
        reais.at(i)->geometry() == tela.geometria)
        destino = reais.at(i);
    for (QScreen* s : QGuiApplication::screens()) {
        if (!destino && s->name() == tela.nome && s->geometry() == tela.geometria)
            destino = s;
    }
    // A window on screen cannot cross to another X display (Qt would leave it unmapped, and a
    // modal panel must never vanish): it goes there at its next opening.
    QScreen* atual = m_painel.screen();
    if (m_painel.isVisible() && destino && atual && destino != atual &&
        !atual->virtualSiblings().contains(destino)) {
        atualizarLegenda();
        return;
    }
    const auto largura = static_cast<qint16>(std::clamp(tela.geometria.width(), 1, 32767));
    const auto altura = static_cast<qint16>(std::clamp(tela.geometria.height(), 1, 32767));
    const bool novoTamanho = !carregado || largura != m_largura || altura != m_altura;
    m_nome = tela.nome;
    m_largura = largura;
    m_altura = altura;
    if (novoTamanho)
        Q_EMIT tamanhoMudou();
    atualizarLegenda();
    const QRect geometria(tela.geometria.topLeft(), QSize(largura, altura));
    if (geometria == m_geometria && m_painel.geometry() == geometria &&
        (!destino || destino == m_painel.screen()))
        return;
    m_geometria = geometria;
    if (destino && destino != m_painel.screen())
        m_painel.setScreen(destino);
    // Full-screen state is left and taken again so the window manager covers the new screen.
    const bool cheia = m_painel.isVisible() && (m_painel.windowState() & Qt::WindowFullScreen);
    if (cheia)
        m_painel.setWindowState(m_painel.windowState() & ~Qt::WindowFullScreen);
    m_painel.setGeometry(geometria);
    if (cheia)
        m_painel.setWindowState(m_painel.windowState() | Qt::WindowFullScreen);
}

void TelaDoPainel::seguirTelas()
{
    // A screen that comes, goes, turns or changes size: the panel follows once things settle.
    auto reagir = [this] { QTimer::singleShot(0, this, &TelaDoPainel::acompanharPedido); };
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

encaixeTela::Espaco TelaDoPainel::espacoNumeros(const rsp::Disposicao& d) const
{
    // Down to the message line, as it is placed on this screen; across the screen less the
    // total's and the legends' shift to the right.
    const double alturaMensagem =
        QFontMetricsF(painelSimplesInterno::fonte(QStringLiteral("Segoe UI"), d.lblInfoFonte)).height();
    return {m_largura - 32.0, std::min(d.lblInfoTopo, m_altura - alturaMensagem)};
}

void TelaDoPainel::encaixar(rsp::Disposicao& d, const encaixeTela::Tintas& t) const
{
    encaixeTela::encaixar(d, m_largura, m_altura, t, espacoNumeros(d));
}

void TelaDoPainel::padroes(rsp::Disposicao& d, const encaixeTela::Tintas& t) const
{
    encaixeTela::padroes(d, m_largura, m_altura, t, espacoNumeros(d));
}
