#pragma once

#include "winsock.h"

#include "temporizador.h"
#include <QObject>
#include <QString>

#include <functional>

// The wire side: one HTTP/1.0 GET per request on a fresh connection, everything the device
// sends collected in the device log, the reply handed on once it is long enough, and silence
// turned into the disconnected indication.
namespace ethernet {

struct UrlDividida {
    QString host;
    int porta = 80;
    QString caminho = QStringLiteral("/");
};

// Splits "//host[:port][/path]" (or "scheme://host..."). Without a port the default port is
// used, and also when the text after ":" is not a port number.
UrlDividida dividirUrl(const QString& url, int portaPadrao);

// "//" + the four trimmed octets joined by "." + "/" + trimmed page (no "/" + page when
// `pagina` is null).
QString montarUrl(const QString& ip1, const QString& ip2, const QString& ip3, const QString& ip4,
                  const QString& pagina = QString());

// The exchange with the device, owned by the application object; its timers carry the names the
// rest of the program knows them by.
class Conexao : public QObject {
    Q_OBJECT
public:
    explicit Conexao(QObject* parent = nullptr);

    Winsock& winsock() { return m_winsock; }
    const Winsock& winsock() const { return m_winsock; }

    // Device log: exactly what was received since the current request was started.
    const QString& log() const { return m_log; }
    void limparLog();

    void definirSubPagina(const QString& pagina) { m_subPagina = pagina; }
    QString subPaginaAtual() const { return m_subPagina; }

    // Clears the log, starts the time-out, splits the URL into host, port and `caminho`,
    // drops any connection still open and connects again; a host that is not four octets
    // 0..255 is not connected to (nor looked up), and the time-out runs its course.
    void conectarUrl(const QString& url, QString& caminho);
    // Counts the requests started: tells whether the log still belongs to a given one.
    quint64 numeroPedido() const { return m_numeroPedido; }
    // acessarPagina of the main window: the path of the URL becomes subPagina.
    void acessarPagina(const QString& ip1, const QString& ip2, const QString& ip3, const QString& ip4,
                       const QString& pagina);

    Temporizador& timerTentandoConectar() { return m_timerTentandoConectar; }
    Temporizador& timerTimeOut() { return m_timerTimeOut; }
    Temporizador& timerDadoRecebido() { return m_timerDadoRecebido; }
    int tentativasConexao() const { return m_tentativasConexao; }

    // Handlers of the socket events and timer ticks, public so tests can drive them.
    void enviarRequisicao(const QString& caminho);
    void receberDados();
    // One chunk as it came off the socket.
    void receberBytes(const QByteArray& dados);
    void contarTentativa();
    void sinalizarDesconexao();
    void tiqueDadoRecebido();

Q_SIGNALS:
    // Any change of the device log.
    void logAlterado(const QString& log);
    // A chunk arrived and was appended (receberDados, after the log grew).
    void dadosRecebidos(const QString& log);
    // Data arrived: the device is alive (confirmarConexao).
    void conexaoConfirmada();
    // A tick of TimeOut: nothing arrived for 4000 ms.
    void desconexaoSinalizada();
    // TimerDadoRecebido fired: the log holds a reply to hand to the dispatcher.
    void respostaCompleta();

private:
    void anexarAoLog(const QString& texto);
    void ligarTimeOut();
    void confirmarConexao();

    Winsock m_winsock;
    QString m_log;
    QString m_subPagina;
    Temporizador m_timerTentandoConectar;
    Temporizador m_timerTimeOut;
    Temporizador m_timerDadoRecebido;
    quint8 m_tentativasConexao = 0;
    quint64 m_numeroPedido = 0;
    bool m_logCheio = false;
};

// Keeps a text view in step with a text that mostly grows (the device log, the reply box) at a
// cost bounded by what arrives, however the device sends it: the first change is handed over at
// once, later ones at most once per `intervaloMs`; a text that only grew is handed over as its
// new tail, so the view appends instead of laying out the whole text again.
class EspelhoTexto : public QObject {
    Q_OBJECT
public:
    struct Vista {
        std::function<void(const QString&)> substituir;
        std::function<void(const QString&)> anexar;
    };
    static constexpr int intervaloPadraoMs = 200;

    explicit EspelhoTexto(Vista vista, QObject* parent = nullptr, int intervaloMs = intervaloPadraoMs);

    // The text the view must show (soon).
    void mostrar(const QString& texto);
    // Hands over what is pending now.
    void entregar();
    QString mostrado() const { return m_mostrado; }
    bool pendente() const { return m_pendente; }

private:
    void tique();

    Vista m_vista;
    QString m_desejado;
    QString m_mostrado;
    bool m_pendente = false;
    Temporizador m_timer;
};

} // namespace ethernet
