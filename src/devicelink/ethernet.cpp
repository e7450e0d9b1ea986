#include "ethernet.h"

#include "constantes.h"
#include "costuras.h"

#include <QStringList>

#include <algorithm>

namespace ethernet {

UrlDividida dividirUrl(const QString& url, int portaPadrao)
{
    UrlDividida r;
    const qsizetype p = url.indexOf(QStringLiteral("://"));
    QString resto = p >= 0 ? url.mid(p + 3) : url.mid(2);
    const qsizetype barra = resto.indexOf(u'/');
    if (barra >= 0) {
        r.caminho = resto.mid(barra);
        resto = resto.left(barra);
    } else {
        r.caminho = QStringLiteral("/");
    }
    const qsizetype doisPontos = resto.indexOf(u':');
    r.porta = portaPadrao;
    if (doisPontos >= 0) {
        bool ok = false;
        const int porta = resto.mid(doisPontos + 1).toInt(&ok);
        if (ok && porta > 0 && porta <= 65535)
            r.porta = porta;
        resto = resto.left(doisPontos);
    }
    r.host = resto;
    return r;
}

QString montarUrl(const QString& ip1, const QString& ip2, const QString& ip3, const QString& ip4,
                  const QString& pagina)
{
    QString url = QStringLiteral("//") + ip1.trimmed() + u'.' + ip2.trimmed() + u'.' + ip3.trimmed() + u'.' +
                  ip4.trimmed();
    if (!pagina.isNull())
        url += u'/' + pagina.trimmed();
    return url;
}

namespace {
// "a.b.c.d" with each part 0..255 in decimal, written back without leading zeros (which the
// socket layer would read as octal); empty for anything else, which is never looked up.
QString enderecoIPv4(const QString& host)
{
    const QStringList partes = host.split(u'.');
    if (partes.size() != 4)
        return {};
    QStringList octetos;
    for (const QString& parte : partes) {
        bool ok = false;
        const int n = parte.toInt(&ok);
        if (parte.isEmpty() || parte.size() > 3 || !ok || n < 0 || n > 255 ||
            std::any_of(parte.begin(), parte.end(), [](QChar c) { return c < u'0' || c > u'9'; }))
            return {};
        octetos << QString::number(n);
    }
    return octetos.join(u'.');
}
} // namespace

Conexao::Conexao(QObject* parent) : QObject(parent), m_winsock(this)
{
    m_timerTentandoConectar.setObjectName(QStringLiteral("TimertentandoConectar"));
    m_timerTentandoConectar.setInterval(constantes::intervaloTentandoConectarMs);
    m_timerTimeOut.setObjectName(QStringLiteral("TimeOut"));
    m_timerTimeOut.setInterval(constantes::intervaloTimeOutMs);
    // A coarse timer may fire up to 5 % early; "4000 ms without data" should mean that.
    m_timerTimeOut.setTimerType(Qt::PreciseTimer);
    m_timerDadoRecebido.setObjectName(QStringLiteral("TimerDadoRecebido"));
    m_timerDadoRecebido.setInterval(constantes::intervaloDadoRecebidoMs);
    for (Temporizador* t : {&m_timerTentandoConectar, &m_timerTimeOut, &m_timerDadoRecebido})
        t->setParent(this);

    connect(&m_winsock, &Winsock::conectado, this, [this] { enviarRequisicao(m_subPagina); });
    connect(&m_winsock, &Winsock::dadosChegaram, this, &Conexao::receberDados);
    connect(&m_timerTentandoConectar, &Temporizador::timeout, this, &Conexao::contarTentativa);
    connect(&m_timerTimeOut, &Temporizador::timeout, this, &Conexao::sinalizarDesconexao);
    connect(&m_timerDadoRecebido, &Temporizador::timeout, this, &Conexao::tiqueDadoRecebido);
}

void Conexao::limparLog()
{
    m_log.clear();
    m_logCheio = false;
    Q_EMIT logAlterado(m_log);
}

void Conexao::ligarTimeOut()
{
    // Enabling a running time-out must not restart its count.
    if (!m_timerTimeOut.isActive())
        m_timerTimeOut.start();
}

void Conexao::conectarUrl(const QString& url, QString& caminho)
{
    ++m_numeroPedido;
    limparLog();
    ligarTimeOut();
    const UrlDividida partes = dividirUrl(url, costuras::portaPadrao());
    caminho = partes.caminho;
    // A request still in flight is abandoned; whatever it left unread is thrown away.
    m_winsock.fechar();
    m_timerTentandoConectar.stop();
    m_tentativasConexao = 0;
    // Without an address nothing goes out: the time-out shows the disconnected state.
    const QString host = enderecoIPv4(partes.host);
    if (!host.isEmpty())
        m_winsock.conectar(host, static_cast<quint16>(partes.porta));
}

void Conexao::acessarPagina(const QString& ip1, const QString& ip2, const QString& ip3, const QString& ip4,
                            const QString& pagina)
{
    conectarUrl(montarUrl(ip1, ip2, ip3, ip4, pagina), m_subPagina);
}

void Conexao::enviarRequisicao(const QString& caminho)
{
    // The connected event normally arrives in the connected state; otherwise wait for it on
    // the 200 ms timer (never blocking the event loop) for at most 20 ticks.
    if (m_winsock.estado() == Winsock::Estado::Conectado) {
        m_winsock.enviar(QByteArray("GET ") + caminho.toLatin1() + QByteArray(" HTTP/1.0\n\n"));
        m_timerTentandoConectar.stop();
        m_tentativasConexao = 0;
        return;
    }
    m_timerTentandoConectar.start();
}

void Conexao::contarTentativa()
{
    ++m_tentativasConexao;
    if (m_winsock.estado() == Winsock::Estado::Conectado) {
        enviarRequisicao(m_subPagina);
        return;
    }
    if (m_tentativasConexao >= constantes::maximoTentativasConexao) {
        m_timerTentandoConectar.stop();
        m_tentativasConexao = 0;
    }
}

void Conexao::anexarAoLog(const QString& texto)
{
    m_log += texto;
    Q_EMIT logAlterado(m_log);
    // Reply completion: handed on 500 ms after the log first grew past 600 characters.
    if (m_log.size() > constantes::tamanhoMinimoResposta && !m_timerDadoRecebido.isActive())
        m_timerDadoRecebido.start();
}

void Conexao::receberDados()
{
    receberBytes(m_winsock.lerRecebido());
}

void Conexao::receberBytes(const QByteArray& dados)
{
    if (dados.isEmpty() || m_logCheio)
        return;
    QString texto = QString::fromLatin1(dados);
    const qsizetype livre = constantes::limiteLogDispositivo - m_log.size();
    if (texto.size() >= livre) {
        // A device that never stops talking: keep what fits and hang up.
        texto.truncate(livre);
        m_logCheio = true;
    }
    anexarAoLog(texto);
    Q_EMIT dadosRecebidos(m_log);
    confirmarConexao();
    if (m_logCheio)
        m_winsock.fechar();
}

void Conexao::confirmarConexao()
{
    m_timerTimeOut.stop();
    Q_EMIT conexaoConfirmada();
}

void Conexao::sinalizarDesconexao()
{
    Q_EMIT desconexaoSinalizada();
}

void Conexao::tiqueDadoRecebido()
{
    m_timerDadoRecebido.stop();
    Q_EMIT respostaCompleta();
}

EspelhoTexto::EspelhoTexto(Vista vista, QObject* parent, int intervaloMs)
    : QObject(parent), m_vista(std::move(vista))
{
    m_timer.setInterval(intervaloMs);
    connect(&m_timer, &Temporizador::timeout, this, &EspelhoTexto::tique);
}

void EspelhoTexto::mostrar(const QString& texto)
{
    m_desejado = texto;
    m_pendente = true;
    if (!m_timer.isActive()) {
        entregar();
        m_timer.start();
    }
}

void EspelhoTexto::tique()
{
    // A quiet interval ends the pacing: the next change shows at once again.
    if (!m_pendente) {
        m_timer.stop();
        return;
    }
    entregar();
}

void EspelhoTexto::entregar()
{
    if (!m_pendente)
        return;
    m_pendente = false;
    const QString anterior = m_mostrado;
    m_mostrado = m_desejado;
    if (m_mostrado.size() >= anterior.size() && m_mostrado.startsWith(anterior)) {
        QString cauda = m_mostrado.mid(anterior.size());
        // A view turns CR LF into one line break and a lone CR into one too: a CR LF split
        // between two deliveries already broke the line.
        if (anterior.endsWith(u'\r') && cauda.startsWith(u'\n'))
            cauda.remove(0, 1);
        if (!cauda.isEmpty() && m_vista.anexar)
            m_vista.anexar(cauda);
        return;
    }
    if (m_vista.substituir)
        m_vista.substituir(m_mostrado);
}

} // namespace ethernet
