#include "painelSimples.h"

#include "banco.h"
#include "configuracoesPainel.h"
#include "controle.h"
#include "exibicaoPainel.h"
#include "lotacaoDoPainel.h"
#include "painelAtivo.h"
#include "painelSimplesInterno.h"
#include "quadroOpcoes.h"
#include "quiosquePainel.h"
#include "rotuloClicavel.h"
#include "telaDoPainel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <algorithm>
#include <utility>

using namespace painelSimplesInterno;
namespace rsp = regrasPainelSimples;

PainelSimples::PainelSimples(Dependencias d, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_controle(d.controle),
      m_painelAtivo(d.painelAtivo), m_banco(d.banco)
{
    setObjectName(QStringLiteral("painelsimples"));
    setWindowTitle(QStringLiteral("Painel Simplificado"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    pintarFundo(this, corBtnText);
    m_timerLT.setObjectName(QStringLiteral("TimerLT"));
    m_timerLT.setParent(this);
    connect(&m_timerLT, &Temporizador::timeout, this, &PainelSimples::tiqueTimerLT);
    m_quiosque = new QuiosquePainel(*this);

    m_exibicao = std::make_unique<ExibicaoPainel>(this, m_d);
    // The message on the panel follows the typing.
    connect(m_exibicao->txtInfoEmpresa, &QLineEdit::textChanged, this, &PainelSimples::atualizarMensagem);
    connect(m_exibicao->txtInfoEmpresa, &QLineEdit::textEdited, this,
            [this] { m_configuracoes->marcarAlterada(); });
    // The pointer passing over "?" is enough to open the options; no click needed.
    connect(m_exibicao->lblOpcoes, &RotuloClicavel::apontado, this, &PainelSimples::abrirOpcoes);
    connect(m_exibicao->lblFechar, &RotuloClicavel::clicado, this, &PainelSimples::clicarFechar);

    m_opcoes = new QuadroOpcoes(this);
    m_lotacao = new LotacaoDoPainel(m_banco, *m_opcoes, *m_exibicao->txtInfoLotado, this);
    m_tela = new TelaDoPainel(*this, std::move(d.janelaPrincipal), *m_lotacao, *m_opcoes);
    m_configuracoes =
        std::make_unique<ConfiguracoesPainel>(m_banco, m_d, *m_opcoes, *m_exibicao->txtInfoEmpresa);
    ligarOpcoes();
    connect(m_lotacao, &LotacaoDoPainel::alterou, this, &PainelSimples::atualizarEstadoLotacao);
    connect(m_tela, &TelaDoPainel::tamanhoMudou, this, &PainelSimples::disporNaTela);
    connect(m_tela, &TelaDoPainel::acompanharPedido, this, &PainelSimples::acompanharTela);
}

PainelSimples::~PainelSimples() = default;

void PainelSimples::ligarOpcoes()
{
    connect(m_opcoes, &QuadroOpcoes::ajustePedido, this, &PainelSimples::clicarAjuste);
    connect(m_opcoes, &QuadroOpcoes::tempoAtualizacaoClicado, this, &PainelSimples::clicarTempoAtualizacao);
    connect(m_opcoes, &QuadroOpcoes::redefinirClicado, this, &PainelSimples::clicarRedefinir);
    connect(m_opcoes, &QuadroOpcoes::fecharPedido, this, &PainelSimples::fecharOpcoes);
    QCheckBox* chkInfoEmpresa = m_opcoes->chkInfoEmpresa();
    QCheckBox* chkInfoLotado = m_opcoes->chkInfoLotado();
    // A click, or a change made by the panel itself, re-applies the show/hide rules.
    for (QCheckBox* c : {m_opcoes->chkLotacao(), m_opcoes->chkTotal(), chkInfoEmpresa})
        connect(c, &QCheckBox::toggled, this, &PainelSimples::atualizar);
    for (QCheckBox* c : {m_opcoes->chkLotacao(), m_opcoes->chkTotal()})
        connect(c, &QCheckBox::clicked, this, [this] { m_configuracoes->marcarAlterada(); });
    // One message editor at a time.
    connect(chkInfoEmpresa, &QCheckBox::toggled, this, [chkInfoLotado](bool marcada) {
        if (marcada)
            chkInfoLotado->setChecked(false);
    });
    connect(chkInfoLotado, &QCheckBox::toggled, this, [this, chkInfoEmpresa](bool marcada) {
        if (marcada)
            chkInfoEmpresa->setChecked(false);
        m_exibicao->txtInfoLotado->setVisible(marcada);
        if (marcada) {
            m_exibicao->txtInfoLotado->setFocus();
        }
        atualizarMensagem();
    });
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
    m_tela->seguirTelas();
}

void PainelSimples::definirLotacao(const QString& texto)
{
    m_exibicao->lblLotacao->setText(texto);
    atualizarEstadoLotacao();
    leituraAceita();
}

void PainelSimples::definirTotal(const QString& texto)
{
    m_exibicao->lblTotal->setText(texto);
    leituraAceita();
}

void PainelSimples::leituraAceita()
{
    m_tiquesSemLeitura = 0;
    if (std::exchange(m_semLeitura, false))
        ocultarDesconectado();
}

void PainelSimples::atualizarEstadoLotacao()
{
    m_lotacao->pintar(m_exibicao->lblLotacao, m_exibicao->lblLegendaLotacao);
    atualizarMensagem();
}

void PainelSimples::atualizarMensagem()
{
    const QString empresa = rsp::textoMensagem(m_exibicao->txtInfoEmpresa->text());
    QString texto;
    // While a message is being edited the line shows that one, so the operator sees it.
    if (m_opcoes->chkInfoLotado()->isChecked())
        texto = m_lotacao->valores().mensagemLotado;
    else if (m_opcoes->chkInfoEmpresa()->isChecked())
        texto = empresa;
    else
        texto = m_lotacao->mensagem(m_exibicao->lblLotacao->text(), empresa);
    if (m_exibicao->lblInfoEmpresa->text() != texto)
        m_exibicao->lblInfoEmpresa->setText(texto);
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
    const bool oculto = m_opcoes->chkLotacao()->isChecked();
    m_exibicao->lblLotacao->setVisible(!oculto);
    m_exibicao->lblLegendaLotacao->setVisible(!oculto);
    m_opcoes->mostrarTamanhoLotacao(!oculto);
}

void PainelSimples::atualizaStatusTotal()
{
    const bool oculto = m_opcoes->chkTotal()->isChecked();
    m_exibicao->lblTotal->setVisible(!oculto);
    m_exibicao->lblLegendaTotal->setVisible(!oculto);
    m_opcoes->mostrarTamanhoTotal(!oculto);
}

void PainelSimples::mostrarTamanhodaFonte()
{
    m_opcoes->mostrarTamanhos(m_d.lotacaoFonte, m_d.totalFonte);
}

void PainelSimples::posicionarlegendas()
{
    rsp::posicionarLegendas(m_d);
    aplicarDisposicao();
}

void PainelSimples::configurarTimerLT()
{
    const int intervalo = rsp::intervaloTimerMs(m_opcoes->tempoAtualizacao());
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
    const double n = rsp::numeroIntervalo(m_opcoes->tempoAtualizacao());
    m_exibicao->barAtualizacao->setRange(0, n > 0 ? static_cast<int>(std::min(n, 2147483647.0)) : 0);
}

void PainelSimples::tiqueTimerLT()
{
    atualizaBarAtualizacao();
    const double n = rsp::numeroIntervalo(m_opcoes->tempoAtualizacao());
    const rsp::Tique t = rsp::tique(n, m_contadorAtualizacao);
    m_exibicao->barAtualizacao->setValue(t.valorBarra);
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
    m_exibicao->lblLegendaDesconectado->show();
    m_exibicao->frmDesconectado->show();
}

void PainelSimples::ocultarDesconectado()
{
    // Data that carries no reading does not clear stale numbers.
    if (m_semLeitura)
        return;
    m_exibicao->lblLegendaDesconectado->hide();
    m_exibicao->frmDesconectado->hide();
}

void PainelSimples::atualizarControlesLotacao()
{
    m_opcoes->mostrarBotoesLotacao(!m_opcoes->chkLotacao()->isChecked());
}

void PainelSimples::atualizarControlesTotal()
{
    m_opcoes->mostrarBotoesTotal(!m_opcoes->chkTotal()->isChecked());
}

void PainelSimples::atualizarControlesinfoEmpresa()
{
    const bool editando = m_opcoes->chkInfoEmpresa()->isChecked();
    m_opcoes->mostrarBotoesMensagem(!editando);
    m_exibicao->txtInfoEmpresa->setVisible(editando);
    if (editando)
        m_exibicao->txtInfoEmpresa->setFocus();
    atualizarMensagem();
}

void PainelSimples::leConfiguracoes()
{
    m_configuracoes->ler(m_tela->largura(), m_tela->altura());
    aplicarDisposicao();
    atualizar();
}

void PainelSimples::salvarConfiguracoes()
{
    salvarLotacao();
    m_configuracoes->salvar();
}

void PainelSimples::leLotacao(bool relatarFalha)
{
    m_lotacao->ler(relatarFalha);
    m_tela->atualizarLegenda();
    atualizarEstadoLotacao();
}

void PainelSimples::salvarLotacao()
{
    m_lotacao->salvar();
}

void PainelSimples::acompanharTela()
{
    m_tela->acompanhar(m_carregado);
}

void PainelSimples::disporNaTela()
{
    m_exibicao->dispor(m_d, m_tela->largura(), m_tela->altura());
    m_opcoes->dispor(m_tela->altura());
    if (m_carregado)
        encaixarNaTela();
}

encaixeTela::Tintas PainelSimples::medirTintas() const
{
    return m_exibicao->medirTintas(!m_opcoes->chkLotacao()->isChecked(), !m_opcoes->chkTotal()->isChecked());
}

void PainelSimples::encaixarNaTela()
{
    m_tela->encaixar(m_d, medirTintas());
    aplicarDisposicao();
    mostrarTamanhodaFonte();
}

void PainelSimples::aplicarDisposicao()
{
    m_exibicao->aplicar(m_d, m_tela->altura());
}

void PainelSimples::clicarAjuste(rsp::Ajuste ajuste)
{
    if (rsp::aplicarAjuste(ajuste, m_d)) {
        m_configuracoes->marcarAlterada();
        aplicarDisposicao();
        mostrarTamanhodaFonte();
    }
}

void PainelSimples::clicarFechar()
{
    salvarConfiguracoes();
    m_exibicao->lblFechar->hide();
    desativarTimerLT();
    close();
}

void PainelSimples::clicarTempoAtualizacao()
{
    m_opcoes->definirTempoAtualizacao(rsp::proximoIntervalo(m_opcoes->tempoAtualizacao()));
    m_configuracoes->marcarAlterada();
    configurarTimerLT();
}

void PainelSimples::clicarRedefinir()
{
    m_tela->padroes(m_d, medirTintas());
    m_configuracoes->marcarAlterada();
    m_opcoes->chkLotacao()->setChecked(false);
    m_opcoes->chkTotal()->setChecked(false);
    aplicarDisposicao();
    mostrarTamanhodaFonte();
}

void PainelSimples::abrirOpcoes()
{
    if (m_opcoes->isHidden())
        m_opcoes->show();
}

void PainelSimples::fecharOpcoes()
{
    m_opcoes->hide();
    m_exibicao->txtOcultarMouse->setFocus();
}

void PainelSimples::setVisible(bool visivel)
{
    const bool mudou = visivel != isVisible();
    if (visivel && mudou) {
        // The advanced panel's settings window may have changed the limits meanwhile.
        if (!m_lotacao->alterada())
            leLotacao();
        // Created hidden while the file could not be read: read when it comes on screen.
        if (m_configuracoes->pendente())
            leConfiguracoes();
        acompanharTela();
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    QDialog::setVisible(visivel);
    if (!mudou)
        return;
    if (visivel)
        m_quiosque->aoMostrar();
    else
        m_quiosque->aoOcultar();
}

void PainelSimples::tiquePonteiro()
{
    m_quiosque->tiquePonteiro();
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
