// The simulated counter as a client sees it: replies on loopback, values cut with the
// device's value rule, fault modes and the run-time switch, and loopback only.
#include "../apoio/simuladorProcesso.h"

#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray marcadorAceito = "\"status\":1,";
const QByteArray marcadorRecusado = "\"status\":0,";

// The client's rule: five characters starting six after the end of the entry marker, as
// "\"h\":34," (an hour's entry) or "\"d\":12," (a day's).
QByteArray campo(const QByteArray& texto, char tipo, int n)
{
    const QByteArray marcador = '"' + QByteArray(1, tipo) + "\":" + QByteArray::number(n) + ',';
    const qsizetype p = texto.indexOf(marcador);
    return p < 0 ? QByteArray() : texto.mid(p + marcador.size() + 6, 5);
}

bool cincoDigitos(const QByteArray& v)
{
    return v.size() == 5 && std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QStringList relogioFixo(const QString& data, const QString& hora)
{
    return {u"--data"_s, data, u"--hora"_s, hora, u"--congelar"_s};
}

using Simulador = SimuladorProcesso;

// One exchange as the client makes it: connect, send, read until the device closes.
QByteArray pedir(const Simulador& sim, const QByteArrayList& pedacos = {"GET /6 HTTP/1.0\n\n"})
{
    QTcpSocket s;
    s.connectToHost(sim.endereco(), sim.porta());
    if (!s.waitForConnected(5000))
        return "(sem conexão)";
    for (const QByteArray& p : pedacos) {
        s.write(p);
        s.waitForBytesWritten(5000);
    }
    QByteArray r;
    while (s.waitForReadyRead(5000))
        r += s.readAll();
    return r + s.readAll();
}

QByteArray pagina(const Simulador& sim, int n)
{
    return pedir(sim, {"GET /" + QByteArray::number(n) + " HTTP/1.0\n\n"});
}

struct Execucao {
    int codigo = -1;
    QByteArray saida;
    QByteArray erro;
};

Execucao executar(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(FLUXORA_SIMULADOR), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TesteSimulador : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paginas_data()
    {
        QTest::addColumn<QByteArrayList>("pedacos");
        QTest::addColumn<QByteArray>("marcador");
        QTest::addColumn<QByteArray>("registro");
        QTest::addColumn<QByteArray>("entrada");
        QTest::newRow("/1 dias") << QByteArrayList{"GET /1 HTTP/1.0\n\n"} << marcadorAceito
                                 << QByteArray("/1") << QByteArray("\"d\":12,");
        QTest::newRow("/5 horas, CRLF e cabeçalhos")
            << QByteArrayList{"GET /5 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"} << marcadorAceito
            << QByteArray("/5") << QByteArray("\"h\":23,");
        QTest::newRow("/6 em pedaços") << QByteArrayList{"GET /", "6 HTTP/1.0\n", "\n"} << marcadorAceito
                                       << QByteArray("/6") << QByteArray("\"h\":35,");
        QTest::newRow("desconhecida")
            << QByteArrayList{"GET /9 HTTP/1.0\n\n"} << marcadorRecusado << QByteArray("/9") << QByteArray();
        QTest::newRow("outro método") << QByteArrayList{"POST /6 HTTP/1.0\n\n"} << marcadorRecusado
                                      << QByteArray("inválido") << QByteArray();
    }
    void paginas()
    {
        QFETCH(QByteArrayList, pedacos);
        QFETCH(QByteArray, marcador);
        QFETCH(QByteArray, registro);
        QFETCH(QByteArray, entrada);
        const QStringList relogio = relogioFixo(u"11/03/2024"_s, u"14:05:33"_s);
        Simulador sim(relogio);
        QVERIFY(sim.porta() != 0);

        const QByteArray r = pedir(sim, pedacos);
        QVERIFY2(r.size() > 600, r.constData());
        QVERIFY(r.startsWith("HTTP/1.0 "));
        QVERIFY(r.contains("\r\nServer: Arduino\r\n"));
        QVERIFY(r.contains(marcador));
        QVERIFY(r.contains(entrada));
        QTRY_COMPARE(sim.caminhos(), QStringList{QString::fromUtf8(registro)});

        // The printed page is the page on the wire.
        if (registro.startsWith('/')) {
            const Execucao m = executar(
                relogio + QStringList{u"--semente"_s, u"1"_s, u"--mostrar"_s, QString::fromUtf8(registro)});
            QCOMPARE(m.codigo, 0);
            QCOMPARE(m.saida, r);
        }
    }

    void falhas_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<int>("pagina");
        QTest::addColumn<bool>("longa");
        QTest::addColumn<bool>("aceita");
        QTest::addColumn<bool>("arduino");
        QTest::newRow("status0") << "status0" << 6 << true << false << true;
        QTest::newRow("curta /1") << "curta" << 1 << false << true << true;
        QTest::newRow("semarduino") << "semarduino" << 6 << true << true << false;
        QTest::newRow("lixo") << "lixo" << 6 << true << false << false;
    }
    void falhas()
    {
        QFETCH(QString, falha);
        QFETCH(int, pagina);
        QFETCH(bool, longa);
        QFETCH(bool, aceita);
        QFETCH(bool, arduino);
        Simulador sim(relogioFixo(u"11/03/2024"_s, u"14:05:33"_s) + QStringList{u"--falha"_s, falha});
        QVERIFY(sim.porta() != 0);
        const QByteArray r = ::pagina(sim, pagina);
        QCOMPARE(r.size() > 600, longa);
        QCOMPARE(r.contains(marcadorAceito), aceita);
        QCOMPARE(r.contains("Arduino"), arduino);
        // The short reply still reads correctly; it is only too short to be handled.
        if (aceita)
            QVERIFY(cincoDigitos(pagina == 1 ? campo(r, 'd', 1) : campo(r, 'h', 35)));
    }

    void corte()
    {
        const QStringList relogio = relogioFixo(u"11/03/2024"_s, u"14:05:33"_s);
        // Also any loopback address, not only 127.0.0.1.
        Simulador sim(relogio + QStringList{u"--falha"_s, u"corte"_s}, 0, u"127.0.0.2"_s);
        const QByteArray r = pagina(sim, 6);
        const QByteArray inteira = executar(relogio + QStringList{u"--mostrar"_s, u"6"_s}).saida;
        QVERIFY(!r.isEmpty());
        QVERIFY(r.size() < inteira.size());
        QVERIFY(inteira.startsWith(r));
    }

    // A silent device leaves the connection open; switched back through stdin it answers again.
    void mudoETroca()
    {
        Simulador sim({u"--falha"_s, u"mudo"_s});
        QTcpSocket calado;
        calado.connectToHost(u"127.0.0.1"_s, sim.porta());
        QVERIFY(calado.waitForConnected(5000));
        calado.write("GET /6 HTTP/1.0\n\n");
        QVERIFY(calado.waitForBytesWritten(5000));
        QTRY_COMPARE(sim.caminhos(), QStringList{u"/6"_s});
        QVERIFY(sim.falha(u"status0"_s));
        QVERIFY(pagina(sim, 4).contains(marcadorRecusado));
        QVERIFY(sim.falha(u"normal"_s));
        QVERIFY(pagina(sim, 1).contains(marcadorAceito));
        QTRY_COMPARE(sim.caminhos(), (QStringList{u"/6"_s, u"/4"_s, u"/1"_s}));
        calado.waitForReadyRead(0);
        QCOMPARE(calado.bytesAvailable(), 0);
        QCOMPARE(calado.state(), QAbstractSocket::ConnectedState);
    }

    // Only loopback addresses may be listened on.
    void enderecoRecusado_data()
    {
        QTest::addColumn<QString>("endereco");
        QTest::newRow("rede privada") << "192.168.0.10";
        QTest::newRow("pública") << "8.8.8.8";
        QTest::newRow("todas as interfaces") << "0.0.0.0";
        QTest::newRow("todas IPv6") << "::";
        QTest::newRow("nome") << "exemplo";
    }
    void enderecoRecusado()
    {
        QFETCH(QString, endereco);
        const Execucao e = executar(QStringList{u"--porta"_s, u"0"_s, u"--endereco"_s, endereco});
        QCOMPARE(e.codigo, 2);
        QVERIFY2(e.erro.contains("recusado"), e.erro.constData());
        QVERIFY(!e.saida.contains("ouvindo"));
    }
};

QTEST_GUILESS_MAIN(TesteSimulador)
#include "test_simulador.moc"
