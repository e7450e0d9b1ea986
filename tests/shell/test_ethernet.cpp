// The exchange with the device against a QTcpServer on loopback.
#include "costuras.h"
#include "ethernet.h"
#include "temporizador.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

// A device stand-in that records what it receives and answers with scripted chunks.
class Servidor : public QObject {
public:
    Servidor()
    {
        QVERIFY(m_servidor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
                m_clientes.append(s);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { m_recebido += s->readAll(); });
            }
        });
    }
    quint16 porta() const { return m_servidor.serverPort(); }
    QByteArray recebido() const { return m_recebido; }
    QTcpSocket* ultimo() const { return m_clientes.isEmpty() ? nullptr : m_clientes.last(); }
    qsizetype conexoes() const { return m_clientes.size(); }

private:
    QTcpServer m_servidor;
    QList<QTcpSocket*> m_clientes;
    QByteArray m_recebido;
};

// A connection pointed at a fresh stand-in, with `url` asked for and received.
struct Ligacao {
    explicit Ligacao(const QString& url)
    {
        costuras::portaPadrao = [this] { return servidor.porta(); };
        conexao.conectarUrl(url, caminho);
        pronta = QTest::qWaitFor([this] { return servidor.ultimo() && !servidor.recebido().isEmpty(); });
    }
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

    void divisaoDaUrl_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("porta");
        QTest::addColumn<QString>("caminho");
        QTest::newRow("endereco e pagina") << "//192.168.0.50/0"
                                           << "192.168.0.50" << 80 << "/0";
        QTest::newRow("porta e pagina") << "//10.0.0.5:81/6"
                                        << "10.0.0.5" << 81 << "/6";
        QTest::newRow("porta sem caminho") << "//127.0.0.1:8080"
                                           << "127.0.0.1" << 8080 << "/";
        QTest::newRow("porta invalida usa a padrao") << "//127.0.0.1:abc/1"
                                                     << "127.0.0.1" << 80 << "/1";
    }
    void divisaoDaUrl()
    {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, porta);
        QFETCH(QString, caminho);
        const ethernet::UrlDividida r = ethernet::dividirUrl(url, 80);
        QCOMPARE(r.host, host);
        QCOMPARE(r.porta, porta);
        QCOMPARE(r.caminho, caminho);
    }

    // The request is exactly "GET /0 HTTP/1.0" and two line feeds, and nothing else.
    void bytesNoFio()
    {
        Servidor servidor;
        costuras::portaPadrao = [&] { return servidor.porta(); };
        ethernet::Conexao conexao;
        conexao.acessarPagina("127", "0", "0", "1", "0");
        QCOMPARE(conexao.subPaginaAtual(), QStringLiteral("/0"));
        QTRY_COMPARE(servidor.recebido(), QByteArray("GET /0 HTTP/1.0\n\n"));
        // Give a stray header line the chance to arrive; none may.
        QTest::qWait(100);
        QCOMPARE(servidor.recebido(), QByteArray("GET /0 HTTP/1.0\n\n"));
    }

    void respostaCompleta_data()
    {
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<bool>("tratada");
        QTest::newRow("600 nunca") << 600 << false;
        QTest::newRow("601 tratada") << 601 << true;
    }
    // A reply is handed on 500 ms after the log first grew past 600 characters, never before.
    void respostaCompleta()
    {
        QFETCH(int, tamanho);
        QFETCH(bool, tratada);
        RelogioManual relogio(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
        Ligacao l(QStringLiteral("//127.0.0.1/6"));
        QVERIFY(l.pronta);
        QSignalSpy completa(&l.conexao, &ethernet::Conexao::respostaCompleta);
        l.servidor.ultimo()->write(QByteArray(tamanho, 'x'));
        QTRY_COMPARE(l.conexao.log().size(), tamanho);
        relogio.avancar(499);
        QCOMPARE(completa.count(), 0);
        relogio.avancar(1);
        QCOMPARE(completa.count(), tratada ? 1 : 0);
        relogio.avancar(5000);
        QCOMPARE(completa.count(), tratada ? 1 : 0);
    }

    // A second chunk within the 500 ms is part of what the dispatcher sees; the first chunk
    // is not handled twice.
    void doisPedacosConcatenados()
    {
        Ligacao l(QStringLiteral("//127.0.0.1/6"));
        QVERIFY(l.pronta);
        QString vista;
        connect(&l.conexao, &ethernet::Conexao::respostaCompleta, this, [&] { vista = l.conexao.log(); });
        l.servidor.ultimo()->write(QByteArray(601, 'a'));
        QTRY_COMPARE(l.conexao.log().size(), 601);
        l.servidor.ultimo()->write(QByteArray(50, 'b'));
        QTRY_VERIFY(!vista.isEmpty());
        QCOMPARE(vista, QString(601, u'a') + QString(50, u'b'));
    }

    // Silence shows the disconnected state 4000 ms after the first unanswered request and
    // again every 4000 ms; further requests do not restart the count.
    void tempoEsgotado()
    {
        RelogioManual relogio(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
        Servidor servidor; // accepts and never answers
        costuras::portaPadrao = [&] { return servidor.porta(); };
        ethernet::Conexao conexao;
        QSignalSpy desconexao(&conexao, &ethernet::Conexao::desconexaoSinalizada);
        QString caminho;
        conexao.conectarUrl(QStringLiteral("//127.0.0.1/1"), caminho);
        QTRY_VERIFY(servidor.ultimo());
        relogio.avancar(1500);
        conexao.conectarUrl(QStringLiteral("//127.0.0.1/2"), caminho);
        relogio.avancar(2499);
        QCOMPARE(desconexao.count(), 0);
        relogio.avancar(1);
        QCOMPARE(desconexao.count(), 1);
        relogio.avancar(3999);
        QCOMPARE(desconexao.count(), 1);
        relogio.avancar(1);
        QCOMPARE(desconexao.count(), 2);
    }

    // A new request clears the log and abandons the old connection: late bytes of the old
    // reply never reach the new log.
    void novoPedidoDescartaRespostaAnterior()
    {
        Servidor servidor;
        costuras::portaPadrao = [&] { return servidor.porta(); };
        ethernet::Conexao conexao;
        QString caminho;
        conexao.definirSubPagina(QStringLiteral("/1"));
        conexao.conectarUrl(QStringLiteral("//127.0.0.1"), caminho);
        QTRY_VERIFY(servidor.ultimo() && servidor.recebido().contains("GET /1"));
        QTcpSocket* antigo = servidor.ultimo();
        antigo->write(QByteArray(300, 'v'));
        QTRY_COMPARE(conexao.log().size(), 300);
        conexao.definirSubPagina(QStringLiteral("/2"));
        conexao.conectarUrl(QStringLiteral("//127.0.0.1"), caminho);
        QCOMPARE(conexao.log(), QString());
        QTRY_COMPARE(servidor.conexoes(), 2);
        QTRY_VERIFY(servidor.recebido().contains("GET /2"));
        antigo->write(QByteArray(300, 'v'));
        servidor.ultimo()->write(QByteArray(10, 'n'));
        QTRY_COMPARE(conexao.log(), QString(10, u'n'));
        QTest::qWait(100);
        QCOMPARE(conexao.log(), QString(10, u'n'));
        QCOMPARE(conexao.subPaginaAtual(), QStringLiteral("/2"));
    }

    // The last bytes sent together with the device's close are not lost; afterwards the
    // socket reads as "peer closing" until our own close.
    void fechamentoPeloDispositivo()
    {
        Ligacao l(QStringLiteral("//127.0.0.1/6"));
        QVERIFY(l.pronta);
        l.servidor.ultimo()->write(QByteArray(700, 'k'));
        l.servidor.ultimo()->disconnectFromHost();
        QTRY_COMPARE(l.conexao.log().size(), 700);
        QTRY_COMPARE(l.conexao.winsock().estado(), 8);
        l.conexao.winsock().fechar();
        QCOMPARE(l.conexao.winsock().estado(), 0);
    }
};

QTEST_GUILESS_MAIN(TesteEthernet)
#include "test_ethernet.moc"
