// The simulated counter as a client sees it: replies on loopback, values cut with the
// device's value rule, fault modes and the run-time switch, and loopback only.
#include "../apoio/simuladorProcesso.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray marcadorAceito = "\"status\":1,";
const QByteArray marcadorRecusado = "\"status\":0,";

const QStringList relogio{u"--data"_s, u"11/03/2024"_s, u"--hora"_s, u"14:05:33"_s, u"--congelar"_s};

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

// The simulator run to completion: its exit code, standard output and error.
std::tuple<int, QByteArray, QByteArray> executar(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(FLUXORA_SIMULADOR), args);
    if (!p.waitForFinished(10000))
        p.kill();
    p.waitForFinished();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TesteSimulador : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paginas_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QByteArrayList>("pedacos");
        QTest::addColumn<QByteArray>("registro");
        QTest::addColumn<QByteArray>("entrada");
        // L: past 600 characters; A/R: the accepted/refused status; S: the device's name.
        QTest::addColumn<QByteArray>("tracos");
        const QByteArrayList seis{"GET /6 HTTP/1.0\n\n"};
        QTest::newRow("/1 dias") << "" << QByteArrayList{"GET /1 HTTP/1.0\n\n"} << QByteArray("/1")
                                 << QByteArray("\"d\":12,") << QByteArray("LAS");
        QTest::newRow("/5 horas, CRLF e cabeçalhos")
            << "" << QByteArrayList{"GET /5 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"} << QByteArray("/5")
            << QByteArray("\"h\":23,") << QByteArray("LAS");
        QTest::newRow("/6 em pedaços") << "" << QByteArrayList{"GET /", "6 HTTP/1.0\n", "\n"}
                                       << QByteArray("/6") << QByteArray("\"h\":35,") << QByteArray("LAS");
        QTest::newRow("desconhecida") << "" << QByteArrayList{"GET /9 HTTP/1.0\n\n"} << QByteArray("/9")
                                      << QByteArray() << QByteArray("LRS");
        QTest::newRow("outro método") << "" << QByteArrayList{"POST /6 HTTP/1.0\n\n"}
                                      << QByteArray("inválido") << QByteArray() << QByteArray("LRS");
        QTest::newRow("status0") << "status0" << seis << QByteArray("/6") << QByteArray()
                                 << QByteArray("LRS");
        QTest::newRow("curta /1") << "curta" << QByteArrayList{"GET /1 HTTP/1.0\n\n"} << QByteArray("/1")
                                  << QByteArray("\"d\":1,") << QByteArray("AS");
        QTest::newRow("semarduino") << "semarduino" << seis << QByteArray("/6") << QByteArray()
                                    << QByteArray("LA");
        QTest::newRow("lixo") << "lixo" << seis << QByteArray("/6") << QByteArray() << QByteArray("L");
    }
    void paginas()
    {
        QFETCH(QString, falha);
        QFETCH(QByteArrayList, pedacos);
        QFETCH(QByteArray, registro);
        QFETCH(QByteArray, entrada);
        QFETCH(QByteArray, tracos);
        Simulador sim(falha.isEmpty() ? relogio : relogio + QStringList{u"--falha"_s, falha});
        QVERIFY(sim.porta() != 0);
        const QByteArray r = pedir(sim, pedacos);
        QByteArray visto = r.size() > 600 ? "L" : "";
        visto += r.contains(marcadorAceito) ? "A" : "";
        visto += r.contains(marcadorRecusado) ? "R" : "";
        visto += r.contains("Arduino") ? "S" : "";
        QCOMPARE(visto, tracos);
        QVERIFY(r.contains(entrada));
        QTRY_COMPARE(sim.caminhos(), QStringList{QString::fromUtf8(registro)});
    }

    // Switched through stdin while it runs.
    void troca()
    {
        Simulador sim({u"--falha"_s, u"status0"_s});
        QVERIFY(pagina(sim, 4).contains(marcadorRecusado));
        QVERIFY(sim.falha(u"normal"_s));
        QVERIFY(pagina(sim, 1).contains(marcadorAceito));
        QTRY_COMPARE(sim.caminhos(), (QStringList{u"/4"_s, u"/1"_s}));
    }

    // A slow device, switched on while it runs: the reply leaves only after the delay.
    void atraso()
    {
        Simulador sim(relogio);
        QVERIFY(sim.falha(u"atraso 300"_s));
        QElapsedTimer real;
        real.start();
        QVERIFY(pagina(sim, 6).contains("\"h\":35,") && real.elapsed() >= 300);
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
        const auto [codigo, saida, erro] = executar({u"--porta"_s, u"0"_s, u"--endereco"_s, endereco});
        QCOMPARE(codigo, 2);
        QVERIFY2(erro.contains("recusado"), erro.constData());
        QVERIFY(!saida.contains("ouvindo"));
    }
};

QTEST_GUILESS_MAIN(TesteSimulador)
#include "test_simulador.moc"
