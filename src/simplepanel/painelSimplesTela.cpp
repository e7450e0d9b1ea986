// The simple panel's capacity limits and message, and the screen it covers.
#include "painelSimples.h"

#include "banco.h"
#include "coresLotacao.h"
#include "datas.h"
#include "dispositivoWindows.h"
#include "painelSimplesInterno.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QWindow>

#include <algorithm>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;
namespace rl = regrasLotacao;

namespace {

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

} // namespace

void PainelSimples::definirLotacao(const QString& texto)
{
    m_lblLotacao->setText(texto);
    atualizarEstadoLotacao();
    leituraAceita();
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
    // An unchanged row needs no write; one never read is written only once the operator
    // changed it here.
    if (!m_lotacaoAlterada)
        return;
    if (m_banco.salvarLotacao(m_lotacao, datas::hoje()))
        m_lotacaoAlterada = false;
}

void PainelSimples::atualizarLegendaTela()
{
    const QList<dispositivoWindows::Tela> telas = dispositivoWindows::lerTelas();
    const int i = rsp::indiceTela(telas, m_lotacao.tela);
    m_lblTela->setText(i < 0 ? QStringLiteral("Auto") : QString::number(i + 1));
    m_lblTela->setToolTip(
        QStringLiteral("Tela do painel: clique para trocar") +
        (m_nomeTela.isEmpty() ? QString() : QStringLiteral(" (agora: %1)").arg(m_nomeTela)));
}

void PainelSimples::clicarTela()
{
    m_lotacao.tela = rsp::proximaTela(dispositivoWindows::lerTelas(), m_lotacao.tela);
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
        // Created hidden while the file could not be read: read when it comes on screen.
        if (!m_configuracoesLidas && !m_configuracoesAlteradas)
            leConfiguracoes();
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
