#include "painelSimples.h"

#include "banco.h"
#include "controle.h"
#include "datas.h"
#include "painelAtivo.h"
#include "painelSimplesInterno.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;

namespace {

// The pointer hides after resting this long over the panel.
constexpr int esperaPonteiroMs = 3000;

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
    encaixarNaTela();
    // The last reading is shown at once rather than "---" until this panel's own request.
    if (m_controle && !m_controle->ultimaLotacao().isEmpty())
        definirLotacao(m_controle->ultimaLotacao());
    if (m_controle && !m_controle->ultimoTotal().isEmpty())
        definirTotal(m_controle->ultimoTotal());
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
void PainelSimples::definirTotal(const QString& texto)
{
    m_lblTotal->setText(texto);
    leituraAceita();
}

void PainelSimples::leituraAceita()
{
    m_tiquesSemLeitura = 0;
    if (std::exchange(m_semLeitura, false))
        ocultarDesconectado();
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
    const double n = rsp::numeroIntervalo(m_lblTempoAtualizacao->text());
    const rsp::Tique t = rsp::tique(n, m_contadorAtualizacao);
    m_barAtualizacao->setValue(t.valorBarra);
    // A device that answers without a valid reading would leave old numbers up for good.
    if (!m_semLeitura && ++m_tiquesSemLeitura > 3 * (n + 1)) {
        m_semLeitura = true;
        exibirDesconectado();
    }
    // Hidden, the panel leaves the device to the advanced panel's cycle: its "/6" would cut off
    // the history page in flight, and a slow device would never have its history recorded.
    if (t.solicitar && m_controle && isVisible())
        m_controle->solicitarPagina6();
}

void PainelSimples::exibirDesconectado()
{
    m_lblLegendaDesconectado->show();
    m_frmDesconectado->show();
}

void PainelSimples::ocultarDesconectado()
{
    // Data that carries no reading does not clear stale numbers.
    if (m_semLeitura)
        return;
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
    // Damaged values become their defaults here, so the next save stores the row whole.
    m_d = rsp::disposicaoValida(m_d, m_larguraTela, m_alturaTela);
    m_lblTempoAtualizacao->setText(rsp::legendaIntervaloValida(v.tempoAtualizacao));
    aplicarDisposicao();
    atualizar();
}

void PainelSimples::salvarConfiguracoes()
{
    salvarLotacao();
    // Stand-ins for a row never read are not stored, unless the operator changed them: what
    // is on screen then is the operator's choice.
    if (!m_configuracoesLidas && !m_configuracoesAlteradas)
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
            m_configuracoesAlteradas = true;
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
    m_configuracoesAlteradas = true;
    configurarTimerLT();
}

void PainelSimples::clicarRedefinir()
{
    encaixeTela::padroes(m_d, m_larguraTela, m_alturaTela, medirTintas(), espacoNumeros());
    m_configuracoesAlteradas = true;
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
