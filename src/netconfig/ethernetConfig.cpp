#include "ethernetConfig.h"

#include "abertura.h"
#include "banco.h"
#include "constantes.h"
#include "costuras.h"
#include "datas.h"
#include "ethernet.h"
#include "mensagens.h"
#include "textos.h"
#include "vistaTexto.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScreen>

#include <algorithm>

namespace {

QFont fonteLog()
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSizeF(8.25);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QRect& geometria)
{
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometria);
    return l;
}

} // namespace

EthernetConfig::EthernetConfig(ethernet::Conexao* conexao, banco::Banco& banco, QWidget* parent)
    : QDialog(parent), m_conexao(conexao), m_banco(banco)
{
    setObjectName(QStringLiteral("ethernetConfig"));
    setWindowTitle(QStringLiteral("Configurações de Rede"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    m_timerState.setObjectName(QStringLiteral("TimerState"));
    m_timerState.setInterval(500);
    m_timerState.setParent(this);
    m_timerTimeout.setObjectName(QStringLiteral("TimerTimeout"));
    m_timerTimeout.setInterval(5000);
    m_timerTimeout.setParent(this);
    connect(&m_timerState, &Temporizador::timeout, this, &EthernetConfig::tiqueState);
    connect(&m_timerTimeout, &Temporizador::timeout, this, &EthernetConfig::tiqueTimeout);
    criarControles();
}

void EthernetConfig::carregar()
{
    // The fields show the stored address.
    leConfiguracoesDestaTela(m_ipLido[0], m_ipLido[1], m_ipLido[2], m_ipLido[3]);
}

void EthernetConfig::criarControles()
{
    setFixedSize(600, 560);

    rotulo(this, QStringLiteral("Label6"), QStringLiteral("IP do Fluxora:"), QRect(24, 20, 200, 20));
    rotulo(this, QStringLiteral("Label2"), QStringLiteral("Campo 1    Campo 2     Campo 3     Campo 4"),
           QRect(40, 44, 420, 18));
    auto* pontos = rotulo(this, QStringLiteral("Label4"),
                          QStringLiteral(".") + QString(17, u' ') + QStringLiteral(".") + QString(17, u' ') +
                              QStringLiteral("."),
                          QRect(100, 68, 300, 24));
    pontos->setAttribute(Qt::WA_TransparentForMouseEvents);
    {
        // The dots of the address stand in the gaps between the fields (88 px apart) whatever
        // the widths of this font's dot and blank.
        const QFontMetricsF medida(pontos->font());
        const qreal passo = medida.horizontalAdvance(QStringLiteral(".") + QString(17, u' '));
        QFont fonte = pontos->font();
        fonte.setLetterSpacing(QFont::AbsoluteSpacing, (88 - passo) / 18);
        pontos->setFont(fonte);
        const int primeiro = 100 + 14 - qRound(medida.horizontalAdvance(QStringLiteral(".")) / 2);
        pontos->setGeometry(primeiro, 68, 300, 24);
    }
    for (int i = 0; i < 4; ++i) {
        auto* campo = new QLineEdit(QStringLiteral("000"), this);
        campo->setObjectName(QStringLiteral("txt_ip%1CP").arg(i + 1));
        campo->setAlignment(Qt::AlignCenter);
        campo->setMaxLength(3);
        // Pasted or dropped text obeys the same rule as typing; a digit that would take the
        // octet past 255 is refused as typed.
        campo->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("|[0-9]{1,2}|[01][0-9]{2}|2[0-4][0-9]|25[0-5]")), campo));
        // A field the operator typed in holds an address part, whatever was read.
        connect(campo, &QLineEdit::textEdited, this, [this, i] { m_definido[i] = true; });
        campo->setGeometry(40 + i * 88, 68, 60, 24);
        campo->installEventFilter(this);
        m_ip[i] = campo;
    }
    pontos->raise();

    auto* detectamos =
        rotulo(this, QStringLiteral("Label1"),
               QStringLiteral("Detectamos as configurações de IP neste dispositivo Windows. Por "
                              "favor, altere os campos 2 e 3 quando necessário."),
               QRect(24, 104, 552, 36));
    detectamos->setWordWrap(true);
    auto* lembre =
        rotulo(this, QStringLiteral("Label5"),
               QStringLiteral("Lembre-se de definir este mesmo endereço de IP no contador de pessoas "
                              "Fluxora."),
               QRect(24, 144, 552, 20));
    lembre->setWordWrap(true);
    auto* cabo =
        rotulo(this, QStringLiteral("Label9"),
               QStringLiteral("Você deverá conectar o cabo ethernet entre o roteador e o Fluxora e não "
                              "neste computador"),
               QRect(24, 168, 552, 36));
    cabo->setWordWrap(true);
    QFont negrito = cabo->font();
    negrito.setBold(true);
    cabo->setFont(negrito);

    m_lblTestarConexao =
        criarLink(QStringLiteral("lbl_testarConexao"), QStringLiteral("Testar conexão com o Fluxora"),
                  QStringLiteral("Clique para validar o IP do dispositivo"));
    m_lblTestarConexao->setGeometry(24, 212, 260, 20);
    m_lblRedefinir = criarLink(QStringLiteral("lbl_redefinir"),
                               QStringLiteral("Detectar configurações de rede novamente"), QString());
    m_lblRedefinir->setGeometry(300, 212, 280, 20);
    m_lblStatusPesquisa =
        rotulo(this, QStringLiteral("lbl_statusPesquisa"), QStringLiteral("..."), QRect(24, 238, 552, 36));
    m_lblStatusPesquisa->setWordWrap(true);

    rotulo(this, QStringLiteral("Label7"), QStringLiteral("Resposta Técnica do Contador"),
           QRect(24, 280, 300, 18));
    m_txtSource = new QPlainTextEdit(this);
    m_txtSource->setObjectName(QStringLiteral("txtSource"));
    m_txtSource->setReadOnly(true);
    m_txtSource->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtSource->setFont(fonteLog());
    m_txtSource->setToolTip(QStringLiteral("Dados recebidos do dispositivo"));
    m_txtSource->setGeometry(24, 300, 552, 170);
    m_espelhoResposta = new ethernet::EspelhoTexto(vistaDeTexto(m_txtSource), this);
    // Reachable by a click for copying; Tab leaves it instead of being swallowed.
    m_txtSource->setFocusPolicy(Qt::ClickFocus);
    m_txtSource->setTabChangesFocus(true);

    m_lblSuporte =
        rotulo(this, QStringLiteral("Label8"),
               QStringLiteral("Solicitaremos essas informações durante o suporte caso você enfrente "
                              "problemas de conectividade."),
               QRect(24, 476, 552, 36));
    m_lblSuporte->setWordWrap(true);
    m_lblAjuda = criarLink(
        QStringLiteral("lbl_ajuda"), QStringLiteral("Preciso de ajuda"),
        QStringLiteral("Vamos levar você até o site da Norvale. Lá você encontrará nosso Whatsapp e outros "
                       "canais de contato para obter ajuda"));
    m_lblAjuda->setGeometry(24, 520, 200, 20);

    // Tab goes through the fields left to right, then the links.
    QWidget* anterior = m_ip[3];
    for (QWidget* proximo : {m_lblTestarConexao, m_lblRedefinir, m_lblAjuda}) {
        setTabOrder(anterior, proximo);
        anterior = proximo;
    }
    for (int i = 1; i < 4; ++i)
        setTabOrder(m_ip[i - 1], m_ip[i]);
    m_ip[0]->setFocus();
    caberNaTela();
}

void EthernetConfig::caberNaTela()
{
    // On a short or scaled screen (1366 x 768 at 1.5 leaves 512 points) the device's reply
    // gives up height, down to a few lines, so the whole window stays on screen.
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (!tela)
        return;
    constexpr int moldura = 48; // the window manager's title bar and borders
    constexpr int alturaMinimaLog = 60;
    const int falta = height() + moldura - tela->availableGeometry().height();
    if (falta <= 0)
        return;
    const int corte = std::min(falta, m_txtSource->height() - alturaMinimaLog);
    m_txtSource->resize(m_txtSource->width(), m_txtSource->height() - corte);
    for (QWidget* abaixo : {m_lblSuporte, m_lblAjuda})
        abaixo->move(abaixo->x(), abaixo->y() - corte);
    setFixedSize(width(), height() - corte);
}

QLabel* EthernetConfig::criarLink(const QString& nome, const QString& texto, const QString& dica)
{
    auto* l = new QLabel(texto, this);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setToolTip(dica);
    l->setCursor(Qt::PointingHandCursor);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 192));
    l->setPalette(p);
    // Links are reached with Tab and followed with Enter or Space, as buttons are.
    l->setFocusPolicy(Qt::TabFocus);
    l->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted palette(window-text); }"));
    l->installEventFilter(this);
    return l;
}

bool EthernetConfig::seguirLink(const QObject* objeto)
{
    if (objeto == m_lblTestarConexao)
        clicarTestarConexao();
    else if (objeto == m_lblRedefinir)
        clicarRedefinir();
    else if (objeto == m_lblAjuda)
        clicarAjuda();
    else
        return false;
    return true;
}

bool EthernetConfig::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        for (QLineEdit* campo : m_ip) {
            if (objeto != campo)
                continue;
            // Only typed characters are filtered: Tab, Enter, Escape, Backspace, Delete, the
            // arrows and Ctrl shortcuts carry no printable text and keep their usual meaning.
            const QString texto = tecla->text();
            const bool comando =
                tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (texto.isEmpty() || comando || !texto.at(0).isPrint())
                return false;
            return strings::filtrarDigitos(texto.at(0).unicode()) == 0;
        }
        if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter ||
             tecla->key() == Qt::Key_Space) &&
            seguirLink(objeto))
            return true;
    }
    if (evento->type() == QEvent::MouseButtonRelease) {
        const auto* clique = static_cast<QMouseEvent*>(evento);
        if (clique->button() == Qt::LeftButton)
            seguirLink(objeto);
    }
    return QDialog::eventFilter(objeto, evento);
}

void EthernetConfig::leConfiguracoesDestaTela(QString& iP1, QString& iP2, QString& iP3, QString& iP4)
{
    banco::Ethernet e{iP1, iP2, iP3, iP4};
    if (!m_banco.lerEthernet(e))
        return;
    iP1 = e.ip1;
    iP2 = e.ip2;
    iP3 = e.ip3;
    iP4 = e.ip4;
    const QString* lido[] = {&iP1, &iP2, &iP3, &iP4};
    for (int i = 0; i < 4; ++i) {
        // What the operator already typed stays; the rest shows the stored address.
        if (!m_definido[i])
            m_ip[i]->setText(lido[i]->trimmed());
        m_definido[i] = true;
    }
}

bool EthernetConfig::enderecoDefinido() const
{
    return std::all_of(std::begin(m_definido), std::end(m_definido), [](bool d) { return d; });
}

std::array<int, 4> EthernetConfig::octetosDigitados() const
{
    std::array<int, 4> octeto{};
    for (int i = 0; i < 4; ++i)
        octeto[i] = static_cast<int>(strings::valorNumerico(m_ip[i]->text()));
    return octeto;
}

bool EthernetConfig::salvarConfiguracoes()
{
    // The "000" of a field never read nor typed is no address: storing it would send every
    // request to 0.0.0.0.
    if (!enderecoDefinido())
        return false;
    const std::array<int, 4> octeto = octetosDigitados();
    return m_banco.salvarEthernet(octeto[0], octeto[1], octeto[2], octeto[3], datas::hoje());
}

void EthernetConfig::lerPrefixoIPLocal(QString& a, QString& b) const
{
    const QString ip = m_conexao ? m_conexao->winsock().ipLocal() : costuras::ipLocal();
    const qsizetype p1 = ip.indexOf(u'.');
    if (p1 < 0)
        return;
    a = ip.left(p1);
    const qsizetype p2 = ip.indexOf(u'.', p1 + 1);
    if (p2 < 0)
        return;
    b = ip.mid(p1 + 1, p2 - p1 - 1);
}

void EthernetConfig::redefinirIP()
{
    lerPrefixoIPLocal(m_prefixo[0], m_prefixo[1]);
    m_ip[0]->setText(m_prefixo[0]);
    m_ip[1]->setText(m_prefixo[1]);
    m_ip[2]->setText(QStringLiteral("1"));
    m_ip[3]->setText(QStringLiteral("10"));
    std::fill(std::begin(m_definido), std::end(m_definido), true);
}

void EthernetConfig::clicarRedefinir()
{
    mensagens::Pedido pergunta;
    pergunta.texto =
        QStringLiteral("Vamos redefinir o IP do aplicativo. Você ainda precisará preencher os campos 2 e 3.");
    pergunta.titulo = QStringLiteral("Confirmação");
    pergunta.botoes = mensagens::Botoes::SimNao;
    pergunta.icone = mensagens::Icone::Pergunta;
    pergunta.padraoNao = true;
    if (mensagens::mostrar(pergunta) == mensagens::Resposta::Nao)
        return;
    redefinirIP();
}

void EthernetConfig::clicarTestarConexao()
{
    salvarConfiguracoes();
    // The address just stored, in decimal as the page requests use it: a typed "010" would
    // otherwise be read as octal by the socket layer, and "08" as no address at all.
    const std::array<int, 4> octeto = octetosDigitados();
    ethernet::Conexao* conexao = m_conexao;
    if (conexao)
        conexao->limparLog();
    QPalette p = m_lblStatusPesquisa->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    m_lblStatusPesquisa->setPalette(p);
    m_lblStatusPesquisa->setText(QStringLiteral("Pesquisando dispositivo na rede local..."));
    // A second click during a test restarts the request, not the 5000 ms.
    if (!m_timerTimeout.isActive())
        m_timerTimeout.start();
    if (!m_timerState.isActive())
        m_timerState.start();
    m_achouNoTeste = false;
    m_lidoDoTeste = 0;
    if (!conexao)
        return;
    conexao->conectarUrl(ethernet::montarUrl(QString::number(octeto[0]), QString::number(octeto[1]),
                                             QString::number(octeto[2]), QString::number(octeto[3])),
                         m_caminho);
    m_pedidoDoTeste = conexao->numeroPedido();
    acompanharPedidoDoTeste();
}

void EthernetConfig::acompanharPedidoDoTeste()
{
    ethernet::Conexao* conexao = m_conexao;
    disconnect(m_ligacaoTeste);
    // The verdict rests on what arrived for this request: a request of the polling cycle may
    // empty the log (or fill it with its own reply) before the 5000 ms are up.
    m_ligacaoTeste = connect(conexao, &ethernet::Conexao::dadosRecebidos, this, [this, conexao] {
        if (conexao->numeroPedido() != m_pedidoDoTeste || m_achouNoTeste)
            return;
        const QString& log = conexao->log();
        const qsizetype assinatura = constantes::assinaturaDispositivo.size();
        // Only the new text (and the end of the old one, for a signature split between
        // chunks) is searched: a device that trickles byte by byte costs no more.
        const qsizetype inicio = std::max<qsizetype>(0, std::min(m_lidoDoTeste, log.size()) - assinatura + 1);
        m_achouNoTeste = QStringView(log).mid(inicio).contains(constantes::assinaturaDispositivo);
        m_lidoDoTeste = log.size();
    });
}

void EthernetConfig::clicarAjuda()
{
    costuras::abrirEndereco(QUrl(constantes::siteFabricante));
}

void EthernetConfig::definirResposta(const QString& texto)
{
    m_resposta = texto;
    m_espelhoResposta->mostrar(m_resposta);
}

void EthernetConfig::tiqueState()
{
    const auto estado = m_conexao ? m_conexao->winsock().estado() : ethernet::Winsock::Estado::Fechado;
    m_resposta += ethernet::textoEstado(estado) + QStringLiteral("\r\n");
    m_espelhoResposta->mostrar(m_resposta);
}

void EthernetConfig::tiqueTimeout()
{
    m_timerTimeout.stop();
    m_timerState.stop();
    disconnect(m_ligacaoTeste);
    if (m_achouNoTeste) {
        m_lblStatusPesquisa->setText(QStringLiteral("Dispositivo encontrado!"));
        return;
    }
    QPalette p = m_lblStatusPesquisa->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_lblStatusPesquisa->setPalette(p);
    m_lblStatusPesquisa->setText(
        QStringLiteral("Não encontramos o dispositivo na rede. Por favor, verifique todas as conexões."));
}

void EthernetConfig::passosDeFechamento()
{
    // The close box runs closeEvent and then reject(); the steps run once per closing.
    if (m_fechamentoFeito)
        return;
    m_fechamentoFeito = true;
    // Closing always stores what the fields hold; a failed save has shown its own message.
    salvarConfiguracoes();
    m_timerState.stop();
    m_timerTimeout.stop();
    disconnect(m_ligacaoTeste);
    Q_EMIT fechando();
}

void EthernetConfig::closeEvent(QCloseEvent* evento)
{
    passosDeFechamento();
    evento->accept();
    QDialog::closeEvent(evento);
}

void EthernetConfig::done(int resultado)
{
    // QDialog closes a rejected or accepted dialog without a close event.
    passosDeFechamento();
    QDialog::done(resultado);
}

void EthernetConfig::showEvent(QShowEvent* evento)
{
    m_fechamentoFeito = false;
    // Created hidden while the file could not be read: the row is read when the operator
    // comes to see it.
    if (!enderecoDefinido())
        leConfiguracoesDestaTela(m_ipLido[0], m_ipLido[1], m_ipLido[2], m_ipLido[3]);
    QDialog::showEvent(evento);
}
