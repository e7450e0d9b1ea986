// The polling cycle inside the whole program, against a device on loopback that answers after
// a delay of virtual time: the history recorded, and the polling that goes on with no panel.
#include "../apoio/ambienteTeste.h"
#include "../apoio/resposta.h"
#include "aplicacao.h"
#include "ethernet.h"
#include "temporizador.h"

#include <QAction>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Every page in one reply: day d counts d + 100, hour h counts h + 10.
QByteArray resposta()
{
    QList<apoio::Entrada> e{{u"h"_s, 34, u"00042"_s}, {u"h"_s, 35, u"00007"_s}};
    for (int n = 0; n < 31; ++n)
        e << apoio::Entrada{u"d"_s, n + 1, apoio::cinco(n < 10 ? n + 101 : 0)}
          << apoio::Entrada{u"h"_s, n, apoio::cinco(n + 10)};
    return apoio::resposta(e).toLatin1();
}

// Answers each request `atrasoMs` of virtual time after it came (a request cut off by the
// client is answered into the void).
struct Aparelho : QObject {
    explicit Aparelho(int atrasoMs) : m_atraso(atrasoMs)
    {
        servidor.listen(QHostAddress(u"127.0.12.1"_s));
        connect(&servidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = servidor.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { atender(s); });
        });
    }
    void atender(QTcpSocket* s)
    {
        caminhos << QString::fromLatin1(s->readAll().split(' ').value(1));
        pedidoNoAr = false;
        m_ultimo = s;
        auto* t = new Temporizador(s);
        t->setSingleShot(true);
        connect(t, &Temporizador::timeout, s, [this, s] {
            s->write(resposta());
            s->disconnectFromHost();
            respondido = respondido || s == m_ultimo;
        });
        t->start(m_atraso);
    }

    int m_atraso;
    QTcpServer servidor;
    QStringList caminhos;
    QTcpSocket* m_ultimo = nullptr;
    bool pedidoNoAr = false; // the latest request has not come in yet
    bool respondido = false; // to the latest request
};

} // namespace

class TesteColeta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QCOMPARE(amb->executar(u"UPDATE ethernet SET txt_ip3CP = '12', txt_ip4CP = '1'"_s), QString());
        m_relogio.emplace(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
    }
    void cleanup()
    {
        m_app.reset();
        m_aparelho.reset();
        m_relogio.reset();
        amb.reset();
    }

    // Each request of the first cycle cuts the one before off; the pages still missing are
    // asked again at a pace that leaves each its time-out, and both records are written.
    void aparelhoLentoTemOHistoricoGravado_data()
    {
        QTest::addColumn<int>("atraso");
        QTest::newRow("2,5 s") << 2500;
        QTest::newRow("3,9 s") << 3900;
    }
    void aparelhoLentoTemOHistoricoGravado()
    {
        QFETCH(int, atraso);
        iniciar(atraso);
        QString esperado; // the month's 31 days, then today's 24 hours
        for (int d = 1; d <= 31; ++d)
            esperado += apoio::cinco(d <= 10 ? d + 100 : 0);
        for (int h = 0; h < 24; ++h)
            esperado += apoio::cinco(h + 10);
        const QString sql = u"SELECT (SELECT substr(mar, 1, 155) FROM Meses WHERE ano = '2024') || "
                            "(SELECT hora10 FROM Dias WHERE ano = '2024' AND mes = '03')"_s;
        // Start-up and the fast cycle take about 18 s, a normal one about 30.
        avancar(18000 + 2 * 33000, [&] { return amb->consulta(sql) == esperado; });
        QCOMPARE(amb->consulta(sql), esperado);
    }

    // Both panels opened from the menu and closed with nothing in flight: the device is still
    // polled.
    void fecharOsPaineisNaoParaAColeta()
    {
        iniciar(100);
        for (const char* menu : {"menuPainelSimples", "menuPainelAvancado"}) {
            QSignalSpy respostas(&m_app->conexao(), &ethernet::Conexao::respostaCompleta);
            avancar(10000, [&] { return !respostas.isEmpty(); });
            QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
            m_app->principal().findChild<QAction*>(QString::fromLatin1(menu))->trigger();
        }
        const qsizetype antes = m_aparelho->caminhos.size();
        avancar(40000);
        QVERIFY(m_aparelho->caminhos.size() - antes >= 6);
    }

private:
    void iniciar(int atraso)
    {
        m_aparelho = std::make_unique<Aparelho>(atraso);
        costuras::portaPadrao = [p = m_aparelho->servidor.serverPort()] { return p; };
        m_app = std::make_unique<Aplicacao>();
        // A new request clears the log.
        connect(&m_app->conexao(), &ethernet::Conexao::logAlterado, this, [this](const QString& log) {
            m_aparelho->pedidoNoAr = m_aparelho->pedidoNoAr || log.isEmpty();
            m_aparelho->respondido = m_aparelho->respondido && !log.isEmpty();
        });
        m_app->carregar();
    }
    // Virtual time in 100 ms steps until `feito` holds; before each step real time runs until
    // what is on the wire got where it goes (bounded: a fault fails a check, never hangs).
    void avancar(qint64 ms, const std::function<bool()>& feito = {})
    {
        const ethernet::Winsock& w = m_app->conexao().winsock();
        auto emVoo = [&] {
            using E = ethernet::Winsock::Estado;
            const E e = w.estado();
            return e == E::ResolvendoHost || e == E::Conectando ||
                   (e == E::Conectado && (m_aparelho->respondido || m_aparelho->pedidoNoAr));
        };
        for (qint64 t = 0; t < ms && !(feito && feito()); t += 100) {
            QElapsedTimer real;
            real.start();
            QCoreApplication::processEvents();
            while (emVoo() && real.elapsed() < 500)
                QTest::qWait(1);
            m_relogio->avancar(100);
        }
    }

    std::optional<apoio::Ambiente> amb;
    std::optional<RelogioManual> m_relogio;
    std::unique_ptr<Aparelho> m_aparelho;
    std::unique_ptr<Aplicacao> m_app;
};

QTEST_MAIN(TesteColeta)
#include "test_coleta.moc"
