// The exchange with the device against a QTcpServer on loopback.
#include "costuras.h"
#include "ethernet.h"
#include "temporizador.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A device stand-in that records what it receives; the test answers through its sockets.
class Servidor : public QObject {
public:
    Servidor()
    {
        QVERIFY(m_servidor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
                clientes.append(s);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { recebido += s->readAll(); });
            }
        });
        costuras::portaPadrao = [p = m_servidor.serverPort()] { return p; };
    }
    QTcpSocket* ultimo() const { return clientes.isEmpty() ? nullptr : clientes.last(); }
    QList<QTcpSocket*> clientes;
    QByteArray recebido;

private:
    QTcpServer m_servidor;
};

// A connection on virtual time, pointed at a fresh stand-in, that asked for `url`.
struct Ligacao {
    explicit Ligacao(const QString& url)
    {
        conexao.conectarUrl(url, caminho);
        pronta = QTest::qWaitFor([this] { return servidor.ultimo() && !servidor.recebido.isEmpty(); });
    }
    RelogioManual relogio{QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33))};
    Servidor servidor;
    ethernet::Conexao conexao;
    QString caminho;
    bool pronta = false;
};

} // namespace

class TesteEthernet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { costuras::restaurar(); }

    // The request is exactly "GET /0 HTTP/1.0" and two line feeds, and nothing else.
    void bytesNoFio()
    {
        Servidor servidor;
        ethernet::Conexao conexao;
        conexao.acessarPagina(u"127"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s);
        QCOMPARE(conexao.subPaginaAtual(), QStringLiteral("/0"));
        QTRY_COMPARE(servidor.recebido, QByteArray("GET /0 HTTP/1.0\n\n"));
        // Give a stray header line the chance to arrive; none may.
        QTest::qWait(100);
        QCOMPARE(servidor.recebido, QByteArray("GET /0 HTTP/1.0\n\n"));
    }

    void respostaCompleta_data()
    {
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<bool>("tratada");
        QTest::newRow("600 nunca") << 600 << false;
        QTest::newRow("601 tratada") << 601 << true;
    }
    // A reply is handed on 500 ms after the log first grew past 600 characters, never before,
    // once, and with what arrived in between.
    void respostaCompleta()
    {
        QFETCH(int, tamanho);
        QFETCH(bool, tratada);
        Ligacao l(QStringLiteral("//127.0.0.1/6"));
        QVERIFY(l.pronta);
        QStringList vistas;
        connect(&l.conexao, &ethernet::Conexao::respostaCompleta, this, [&] { vistas << l.conexao.log(); });
        l.servidor.ultimo()->write(QByteArray(tamanho, 'a'));
        QTRY_COMPARE(l.conexao.log().size(), tamanho);
        l.relogio.avancar(200);
        const int mais = tratada ? 50 : 0;
        l.servidor.ultimo()->write(QByteArray(mais, 'b'));
        QTRY_COMPARE(l.conexao.log().size(), tamanho + mais);
        l.relogio.avancar(299);
        QVERIFY(vistas.isEmpty());
        l.relogio.avancar(1);
        QCOMPARE(vistas.size(), tratada ? 1 : 0);
        l.relogio.avancar(5000);
        QCOMPARE(vistas, tratada ? QStringList{QString(tamanho, u'a') + QString(mais, u'b')} : QStringList{});
    }

    // Silence shows the disconnected state 4000 ms after the first unanswered request and
    // again every 4000 ms; further requests do not restart the count.
    void tempoEsgotado()
    {
        Ligacao l(QStringLiteral("//127.0.0.1/1")); // accepted and never answered
        QVERIFY(l.pronta);
        QSignalSpy desconexao(&l.conexao, &ethernet::Conexao::desconexaoSinalizada);
        l.relogio.avancar(1500);
        l.conexao.conectarUrl(QStringLiteral("//127.0.0.1/2"), l.caminho);
        for (auto [ms, vezes] : {std::pair{2499, 0}, {1, 1}, {3999, 1}, {1, 2}}) {
            l.relogio.avancar(ms);
            QCOMPARE(desconexao.count(), vezes);
        }
    }

    // A new request clears the log and abandons the old connection: late bytes of the old
    // reply never reach the new log.
    void novoPedidoDescartaRespostaAnterior()
    {
        Ligacao l(QStringLiteral("//127.0.0.1/1"));
        QVERIFY(l.pronta);
        QTcpSocket* antigo = l.servidor.ultimo();
        antigo->write(QByteArray(300, 'v'));
        QTRY_COMPARE(l.conexao.log().size(), 300);
        l.conexao.acessarPagina(u"127"_s, u"0"_s, u"0"_s, u"1"_s, u"2"_s);
        QCOMPARE(l.conexao.log(), QString());
        QTRY_VERIFY(l.servidor.clientes.size() == 2 && l.servidor.recebido.contains("GET /2"));
        antigo->write(QByteArray(300, 'v'));
        l.servidor.ultimo()->write(QByteArray(10, 'n'));
        QTRY_COMPARE(l.conexao.log(), QString(10, u'n'));
        QTest::qWait(100);
        QCOMPARE(l.conexao.log(), QString(10, u'n'));
        QCOMPARE(l.conexao.subPaginaAtual(), QStringLiteral("/2"));
    }
};

QTEST_GUILESS_MAIN(TesteEthernet)
#include "test_ethernet.moc"
