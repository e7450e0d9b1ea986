#include "painelavancadoAjustes.h"

#include "banco.h"
#include "caixaAjuste.h"
#include "regrasAjustes.h"

#include "datas.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>

namespace {

QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QRect& geometria)
{
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometria);
    return l;
}

CaixaAjuste* caixa(QWidget* pai, const QString& nome, const QString& dica, const QRect& geometria)
{
    auto* c = new CaixaAjuste(pai);
    c->setObjectName(nome);
    c->setToolTip(dica);
    c->setGeometry(geometria);
    return c;
}

QFrame* linha(QWidget* pai, const QString& nome, const QRect& geometria)
{
    auto* l = new QFrame(pai);
    l->setObjectName(nome);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(geometria);
    return l;
}

} // namespace

PainelAvancadoAjustes::PainelAvancadoAjustes(ajustes::Avancado& ajustes, banco::Banco& banco, QWidget* parent)
    : QDialog(parent), m_ajustes(ajustes), m_banco(banco)
{
    setObjectName(QStringLiteral("painelavancadoAjustes"));
    setWindowTitle(QStringLiteral("Ajustes"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    criarControles();
}

void PainelAvancadoAjustes::carregar()
{
    // The two hour lists stay empty until they are first dropped down.
    inicializarForm();
    leConfiguracoes();
    preencheCmb_tempos();
    // Quietly: an unreadable file has just been reported by the read above.
    leLotacao(false);
}

void PainelAvancadoAjustes::criarControles()
{
    setFixedSize(460, 448);

    auto* titulo = rotulo(this, QStringLiteral("Label5"), QStringLiteral("Ajustes"), QRect(24, 12, 412, 40));
    QFont fonteTitulo(QStringLiteral("Times New Roman"));
    fonteTitulo.setStyleHint(QFont::Serif);
    fonteTitulo.setPointSize(20);
    titulo->setFont(fonteTitulo);

    auto* expediente = rotulo(this, QStringLiteral("Label1"), QStringLiteral("Horário de Expediente"),
                              QRect(24, 60, 412, 20));
    QFont negrito = expediente->font();
    negrito.setBold(true);
    expediente->setFont(negrito);

    rotulo(this, QStringLiteral("Label2"),
           QString(6, u' ') + QStringLiteral("Início") + QString(18, u' ') + QStringLiteral("Fim"),
           QRect(24, 86, 300, 18));
    m_cmbInicio = caixa(this, QStringLiteral("cmb_inicio"),
                        QStringLiteral("Informe o horário de início de expediente"), QRect(24, 106, 84, 26));
    m_cmbFim = caixa(this, QStringLiteral("cmb_fim"),
                     QStringLiteral("Informe o horário de fim de expediente"), QRect(140, 106, 84, 26));

    auto* media =
        rotulo(this, QStringLiteral("Label6"),
               QStringLiteral("Mesmo que você personalize o horário de expediente, faremos o registro de "
                              "visitas durante as 24h do dia. A média de visitas é calculada somente "
                              "sobre o horário de expediente."),
               QRect(24, 144, 412, 60));
    media->setWordWrap(true);
    media->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* tudo = rotulo(this, QStringLiteral("Label7"),
                        QStringLiteral("Para visualizar tudo oque estamos registrando, amplie a faixa de "
                                       "expediente das 00h até as 23h."),
                        QRect(24, 208, 412, 40));
    tudo->setWordWrap(true);
    tudo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    linha(this, QStringLiteral("Line1"), QRect(24, 256, 412, 4));
    rotulo(this, QStringLiteral("Label3"), QStringLiteral("Atualizar gráfico do mês a cada"),
           QRect(24, 272, 280, 26));
    m_cmbTempoMes = caixa(this, QStringLiteral("cmb_tempoMes"),
                          QStringLiteral("Escolha o tempo entre cada atualização do gráfico mensal"),
                          QRect(316, 272, 100, 26));
    linha(this, QStringLiteral("Line2"), QRect(24, 310, 412, 4));
    rotulo(this, QStringLiteral("Label4"), QStringLiteral("Atualizar gráfico do dia a cada"),
           QRect(24, 326, 280, 26));
    m_cmbTempoDia = caixa(this, QStringLiteral("cmb_tempoDia"),
                          QStringLiteral("Escolha o tempo entre cada atualização do gráfico diário"),
                          QRect(316, 326, 100, 26));

    // The public display's capacity, also set on the simple panel itself.
    linha(this, QStringLiteral("Line3"), QRect(24, 364, 412, 4));
    rotulo(this, QStringLiteral("lbl_legendaLotacaoMaxima"), QStringLiteral("Lotação máxima (0: sem limite)"),
           QRect(24, 380, 280, 26));
    auto numero = [this](const QString& nome, const QString& especial, const QString& dica, int topo) {
        auto* n = new QSpinBox(this);
        n->setObjectName(nome);
        n->setRange(0, 99999);
        n->setSpecialValueText(especial);
        n->setToolTip(dica);
        n->setGeometry(316, topo, 100, 26);
        connect(n, &QSpinBox::valueChanged, this, [this] { m_lotacaoAlterada = true; });
        return n;
    };
    m_txtLotacaoMaxima =
        numero(QStringLiteral("txt_lotacaoMaxima"), QStringLiteral("Sem limite"),
               QStringLiteral("Lotação máxima do ambiente, mostrada no painel simples"), 380);
    rotulo(this, QStringLiteral("lbl_legendaLotacaoAviso"), QStringLiteral("Aviso (âmbar) a partir de"),
           QRect(24, 412, 280, 26));
    m_txtLotacaoAviso =
        numero(QStringLiteral("txt_lotacaoAviso"), QString(),
               QStringLiteral("Porcentagem da lotação máxima a partir da qual os números ficam âmbar"), 412);
    // A share of the maximum, as it reads: a level in people could lie above the maximum.
    m_txtLotacaoAviso->setRange(1, 99);
    m_txtLotacaoAviso->setSuffix(QStringLiteral("%"));

    connect(m_cmbInicio, &CaixaAjuste::listaAbrindo, this, &PainelAvancadoAjustes::atualizaCmb_inicio);
    connect(m_cmbFim, &CaixaAjuste::listaAbrindo, this, &PainelAvancadoAjustes::atualizaCmb_fim);
    connect(m_cmbInicio, &QComboBox::activated, this, &PainelAvancadoAjustes::clicarCmb_inicio);
    connect(m_cmbTempoDia, &QComboBox::activated, this, &PainelAvancadoAjustes::clicarCmb_tempoDia);
    for (CaixaAjuste* c : {m_cmbInicio, m_cmbFim, m_cmbTempoMes, m_cmbTempoDia})
        connect(c, &QComboBox::activated, this, [this] {
            m_escolhaFeita = true;
            escreverValor();
        });
}

void PainelAvancadoAjustes::escreverValor()
{
    m_ajustes.cmb_inicio = m_cmbInicio->texto();
    m_ajustes.cmb_fim = m_cmbFim->texto();
    m_ajustes.cmb_tempoMes = m_cmbTempoMes->texto();
    m_ajustes.cmb_tempoDia = m_cmbTempoDia->texto();
}

void PainelAvancadoAjustes::inicializarForm()
{
    m_cmbInicio->limparLista();
    m_cmbFim->limparLista();
    m_cmbTempoMes->limparLista();
    m_cmbTempoDia->limparLista();
}

void PainelAvancadoAjustes::leConfiguracoes()
{
    // Each opening reads the stored row again, as the rest of the program last saw it stored;
    // a failure shows its message and the values in use stay.
    m_linhaLida = m_ajustes.carregar(m_banco);
    m_cmbInicio->definirTexto(m_ajustes.cmb_inicio);
    m_cmbFim->definirTexto(m_ajustes.cmb_fim);
    m_cmbTempoMes->definirTexto(m_ajustes.cmb_tempoMes);
    m_cmbTempoDia->definirTexto(m_ajustes.cmb_tempoDia);
}

bool PainelAvancadoAjustes::salvarConfiguracoes()
{
    escreverValor();
    return m_ajustes.salvar(m_banco);
}

void PainelAvancadoAjustes::leLotacao(bool relatarFalha)
{
    banco::Lotacao v;
    if (m_banco.lerLotacao(v, relatarFalha)) {
        m_lotacao = v;
        m_lotacaoLida = true;
    }
    const QSignalBlocker b1(m_txtLotacaoMaxima);
    const QSignalBlocker b2(m_txtLotacaoAviso);
    m_txtLotacaoMaxima->setValue(m_lotacao.maxima);
    m_txtLotacaoAviso->setValue(m_lotacao.aviso);
    m_lotacaoAlterada = false;
}

bool PainelAvancadoAjustes::salvarLotacao()
{
    // Only what this window changed; the rest of the row (message, screen) is kept as read.
    if (!m_lotacaoLida || !m_lotacaoAlterada)
        return true;
    banco::Lotacao v = m_lotacao;
    v.maxima = m_txtLotacaoMaxima->value();
    v.aviso = m_txtLotacaoAviso->value();
    if (!m_banco.salvarLotacao(v, datas::hoje()))
        return false;
    m_lotacao = v;
    m_lotacaoAlterada = false;
    return true;
}

void PainelAvancadoAjustes::setVisible(bool visivel)
{
    // The simple panel may have changed the limits while this window lived hidden.
    if (visivel && !isVisible() && !m_lotacaoAlterada)
        leLotacao();
    // Loaded while the file could not be read: the row is read when the operator sees it.
    if (visivel && !isVisible() && !m_linhaLida && !m_escolhaFeita)
        leConfiguracoes();
    QDialog::setVisible(visivel);
}

void PainelAvancadoAjustes::preencheCmb_tempos()
{
    m_cmbTempoMes->addItem(QStringLiteral("03 min"));
    m_cmbTempoMes->addItem(QStringLiteral("10 min"));
    m_cmbTempoDia->addItem(QStringLiteral("30 seg"));
    m_cmbTempoDia->addItem(QStringLiteral("60 seg"));
}

void PainelAvancadoAjustes::atualizaCmb_inicio()
{
    m_cmbInicio->limparLista();
    m_cmbInicio->addItems(ajustes::horasDesde(0));
}

void PainelAvancadoAjustes::atualizaCmb_fim()
{
    const int s = ajustes::valorHora(m_cmbInicio->texto());
    m_cmbFim->limparLista();
    m_cmbFim->definirTexto(ajustes::textoHora(s));
    m_cmbFim->addItems(ajustes::horasDesde(ajustes::primeiraHoraFim(s)));
    escreverValor();
}

void PainelAvancadoAjustes::clicarCmb_inicio()
{
    const auto fim = ajustes::fimAposEscolherInicio(ajustes::valorHora(m_cmbInicio->texto()),
                                                    ajustes::valorHora(m_cmbFim->texto()));
    if (fim)
        m_cmbFim->definirTexto(*fim);
    escreverValor();
}

void PainelAvancadoAjustes::clicarCmb_tempoDia()
{
    m_cmbTempoMes->definirTexto(ajustes::tempoMesCombinado(m_cmbTempoDia->texto()));
    escreverValor();
}

void PainelAvancadoAjustes::encerrar()
{
    if (m_encerrada)
        return;
    m_encerrada = true;
    // Closing stores the row even when nothing changed. The one exception: when the row could
    // not be read and nothing was picked, the boxes hold stand-in values, and writing them
    // would replace the operator's settings with the shipped ones.
    // The value may have been read since (the hours are read again on use), but these boxes
    // were not: they still hold the stand-ins.
    if (m_linhaLida || m_escolhaFeita)
        salvarConfiguracoes();
    salvarLotacao();
    Q_EMIT fechado();
}

void PainelAvancadoAjustes::done(int resultado)
{
    // Escape and every other reject or accept end up here; the close box comes through
    // closeEvent first.
    encerrar();
    QDialog::done(resultado);
}

void PainelAvancadoAjustes::closeEvent(QCloseEvent* evento)
{
    // Never refused. A window loaded hidden is closed here without passing through done().
    encerrar();
    QDialog::closeEvent(evento);
    evento->accept();
}
