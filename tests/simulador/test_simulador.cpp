// The simulated counter as a client sees it: replies on loopback, values cut with the
// device's value rule, fault modes and the run-time switch.
#include "../apoio/simuladorProcesso.h"
#include "trafego.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray marcadorAceito = "\"status\":1,";
const QByteArray marcadorRecusado = "\"status\":0,";

// The client's rule: five characters starting six after the end of the entry marker.
QByteArray campo(const QByteArray& texto, const QByteArray& marcador)
{
    const qsizetype p = texto.indexOf(marcador);
    if (p < 0)
        return {};
    return texto.mid(p + marcador.size() + 6, 5);
}

QByteArray campoHora(const QByteArray& texto, int h)
{
    return campo(texto, "\"h\":" + QByteArray::number(h) + ',');
}

QByteArray campoDia(const QByteArray& texto, int d)
{
    return campo(texto, "\"d\":" + QByteArray::number(d) + ',');
}

bool cincoDigitos(const QByteArray& v)
{
    if (v.size() != 5)
        return false;
    return std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QStringList relogioFixo(const QString& data, const QString& hora)
{
    return {"--data", data, "--hora", hora, "--congelar"};
}

using Simulador = SimuladorProcesso;

// The requests the simulator logged, once `n` of them came (or a few seconds passed).
QStringList pedidosRegistrados(Simulador& sim, qsizetype n)
{
    (void)QTest::qWaitFor([&] { return sim.caminhos().size() >= n; }, 3000);
    return sim.caminhos();
}

// One exchange as the client makes it: connect, send, read until the device closes.
QByteArray pedir(const Simulador& sim, const QByteArrayList& pedacos = {"GET /6 HTTP/1.0\n\n"},
                 int prazoMs = 5000)
{
    QTcpSocket s;
    s.connectToHost(sim.endereco(), sim.porta());
    if (!s.waitForConnected(prazoMs))
        return "(sem conexão)";
    for (const QByteArray& p : pedacos) {
        s.write(p);
        s.waitForBytesWritten(prazoMs);
    }
    QByteArray r;
    QElapsedTimer t;
    t.start();
    while (s.state() == QAbstractSocket::ConnectedState && t.elapsed() < prazoMs) {
        s.waitForReadyRead(100);
        r += s.readAll();
    }
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
        const QStringList relogio = relogioFixo("11/03/2024", "14:05:33");
        Simulador sim(relogio);
        QVERIFY(sim.porta() != 0);

        const QByteArray r = pedir(sim, pedacos);
        QVERIFY2(r.size() > 600, r.constData());
        QVERIFY(r.startsWith("HTTP/1.0 "));
        QVERIFY(r.contains("\r\nServer: Arduino\r\n"));
        QVERIFY(r.contains(marcador));
        QVERIFY(r.contains(entrada));
        QCOMPARE(pedidosRegistrados(sim, 1), QStringList{QString::fromUtf8(registro)});

        // The printed page is the page on the wire.
        if (registro.startsWith('/')) {
            const Execucao m = executar(relogio + QStringList{"--semente", "1", "--mostrar", registro});
            QCOMPARE(m.codigo, 0);
            QCOMPARE(m.saida, r);
        }
    }

    void valores_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("hora");
        QTest::addColumn<QString>("semente");
        QTest::newRow("segunda à tarde") << "11/03/2024"
                                         << "14:05:33"
                                         << "1";
        QTest::newRow("último segundo do mês") << "31/03/2024"
                                               << "23:59:59"
                                               << "1";
        QTest::newRow("meia-noite do dia 1") << "01/04/2024"
                                             << "00:00:00"
                                             << "42";
    }
    void valores()
    {
        QFETCH(QString, data);
        QFETCH(QString, hora);
        QFETCH(QString, semente);
        Simulador sim(relogioFixo(data, hora) + QStringList{"--semente", semente});
        QVERIFY(sim.porta() != 0);
        const QDate hoje = QDate::fromString(data, "dd/MM/yyyy");
        const int horaAgora = QTime::fromString(hora, "HH:mm:ss").hour();
        const auto seed = semente.toUInt();

        const QByteArray p6 = pagina(sim, 6);
        const QByteArray lotacao = campoHora(p6, 34);
        const QByteArray total = campoHora(p6, 35);
        QVERIFY(cincoDigitos(lotacao));
        QVERIFY(cincoDigitos(total));
        QVERIFY(lotacao.toInt() <= total.toInt());

        const QByteArray horas = pagina(sim, 4) + pagina(sim, 5);
        int soma = 0;
        for (int h = 0; h < 24; ++h) {
            const QByteArray v = campoHora(horas, h);
            QVERIFY2(cincoDigitos(v), qPrintable(QStringLiteral("hora %1: %2").arg(h).arg(v)));
            if (h > horaAgora)
                QCOMPARE(v, QByteArray("00000"));
            if (h < horaAgora)
                QCOMPARE(v.toInt(), trafego::visitasHora(seed, hoje, h));
            soma += v.toInt();
        }
        QCOMPARE(soma, total.toInt());

        const QByteArray dias = pagina(sim, 1) + pagina(sim, 2) + pagina(sim, 3);
        for (int d = 1; d <= 31; ++d) {
            const QByteArray v = campoDia(dias, d);
            QVERIFY2(cincoDigitos(v), qPrintable(QStringLiteral("dia %1: %2").arg(d).arg(v)));
            if (d > hoje.day())
                QCOMPARE(v, QByteArray("00000"));
            else if (d == hoje.day())
                QCOMPARE(v, total);
            else
                QCOMPARE(v.toInt(), trafego::entradasAte(seed, QDate(hoje.year(), hoje.month(), d), 86400));
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
        Simulador sim(relogioFixo("11/03/2024", "14:05:33") + QStringList{"--falha", falha});
        QVERIFY(sim.porta() != 0);
        const QByteArray r = ::pagina(sim, pagina);
        QCOMPARE(r.size() > 600, longa);
        QCOMPARE(r.contains(marcadorAceito), aceita);
        QCOMPARE(r.contains("Arduino"), arduino);
        // The short reply still reads correctly; it is only too short to be handled.
        if (aceita)
            QVERIFY(cincoDigitos(pagina == 1 ? campoDia(r, 1) : campoHora(r, 35)));
    }

    void corte()
    {
        const QStringList relogio = relogioFixo("11/03/2024", "14:05:33");
        Simulador sim(relogio + QStringList{"--falha", "corte"});
        const QByteArray r = pagina(sim, 6);
        const QByteArray inteira = executar(relogio + QStringList{"--mostrar", "6"}).saida;
        QVERIFY(!r.isEmpty());
        QVERIFY(r.size() < inteira.size());
        QVERIFY(inteira.startsWith(r));
    }

    // A silent device leaves the connection open; switched back through stdin it answers again.
    void mudoETroca()
    {
        Simulador sim({"--falha", "mudo"});
        QTcpSocket calado;
        calado.connectToHost(QStringLiteral("127.0.0.1"), sim.porta());
        QVERIFY(calado.waitForConnected(5000));
        calado.write("GET /6 HTTP/1.0\n\n");
        QVERIFY(calado.waitForBytesWritten(5000));
        QTRY_COMPARE(sim.caminhos(), QStringList{"/6"});
        QVERIFY(sim.falha("status0"));
        QVERIFY(pagina(sim, 4).contains(marcadorRecusado));
        QVERIFY(sim.falha("normal"));
        QVERIFY(pagina(sim, 1).contains(marcadorAceito));
        QCOMPARE(pedidosRegistrados(sim, 3), (QStringList{"/6", "/4", "/1"}));
        calado.waitForReadyRead(0);
        QCOMPARE(calado.bytesAvailable(), 0);
        QCOMPARE(calado.state(), QAbstractSocket::ConnectedState);
    }

    void outroLoopback()
    {
        Simulador sim({}, 0, QStringLiteral("127.0.0.2"));
        QVERIFY(sim.porta() != 0);
        QVERIFY(pedir(sim).contains(marcadorAceito));
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
        const Execucao e = executar(QStringList{"--porta", "0", "--endereco", endereco});
        QCOMPARE(e.codigo, 2);
        QVERIFY2(e.erro.contains("recusado"), e.erro.constData());
        QVERIFY(!e.saida.contains("ouvindo"));
    }
};

QTEST_GUILESS_MAIN(TesteSimulador)
#include "test_simulador.moc"
