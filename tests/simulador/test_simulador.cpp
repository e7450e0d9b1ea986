// The simulated counter as a client sees it: replies on loopback, values cut with the
// device's value rule, fault modes and the run-time switch.
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

class Simulador {
public:
    explicit Simulador(const QStringList& extra, const QString& endereco = QStringLiteral("127.0.0.1"))
        : m_endereco(endereco)
    {
        m_processo.setProgram(QStringLiteral(FLUXORA_SIMULADOR));
        m_processo.setArguments(QStringList{"--endereco", endereco, "--porta", "0"} + extra);
        m_processo.start();
        if (!esperarSaida("ouvindo "))
            return;
        const QByteArray prefixo = "ouvindo " + endereco.toLatin1() + ':';
        const qsizetype p = m_saida.indexOf(prefixo);
        if (p >= 0)
            m_porta = static_cast<quint16>(m_saida.mid(p + prefixo.size()).split('\n').first().toUInt());
    }
    ~Simulador()
    {
        m_processo.kill();
        m_processo.waitForFinished();
    }
    Simulador(const Simulador&) = delete;
    Simulador& operator=(const Simulador&) = delete;

    quint16 porta() const { return m_porta; }
    const QString& endereco() const { return m_endereco; }

    bool esperarSaida(const QByteArray& trecho, int prazoMs = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (!m_saida.contains(trecho) && t.elapsed() < prazoMs) {
            m_processo.waitForReadyRead(50);
            m_saida += m_processo.readAllStandardOutput();
        }
        return m_saida.contains(trecho);
    }

    // Switches the fault mode through stdin and waits for the simulator to confirm it.
    bool trocarFalha(const QByteArray& modo)
    {
        m_processo.write("falha " + modo + '\n');
        return esperarSaida("falha " + modo + '\n');
    }

    // The request lines printed so far, once at least `esperados` of them have come through the pipe.
    QByteArrayList pedidosRegistrados(qsizetype esperados)
    {
        QByteArrayList r;
        QElapsedTimer t;
        t.start();
        for (;;) {
            m_saida += m_processo.readAllStandardOutput();
            r.clear();
            for (const QByteArray& linha : m_saida.split('\n')) {
                if (linha.startsWith("pedido "))
                    r << linha;
            }
            if (r.size() >= esperados || t.elapsed() > 3000)
                return r;
            m_processo.waitForReadyRead(50);
        }
    }

private:
    QProcess m_processo;
    QString m_endereco;
    QByteArray m_saida;
    quint16 m_porta = 0;
};

// One exchange as the client makes it: connect, send, read until the device closes.
QByteArray pedir(const Simulador& sim, const QByteArrayList& pedacos = {"GET /6 HTTP/1.0\n\n"}, int prazoMs = 5000)
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
        QTest::addColumn<QByteArray>("caminho");
        QTest::addColumn<QByteArray>("marcador");
        QTest::addColumn<QByteArrayList>("entradas");
        QTest::newRow("/0 aparelho") << QByteArray("/0") << marcadorAceito << QByteArrayList{"firmware"};
        QTest::newRow("/1 dias 1-12") << QByteArray("/1") << marcadorAceito
                                      << QByteArrayList{"\"d\":1,", "\"d\":12,"};
        QTest::newRow("/2 dias 13-24") << QByteArray("/2") << marcadorAceito
                                       << QByteArrayList{"\"d\":13,", "\"d\":24,"};
        QTest::newRow("/3 dias 25-31") << QByteArray("/3") << marcadorAceito
                                       << QByteArrayList{"\"d\":25,", "\"d\":31,"};
        QTest::newRow("/4 horas 0-11") << QByteArray("/4") << marcadorAceito
                                       << QByteArrayList{"\"h\":0,", "\"h\":11,"};
        QTest::newRow("/5 horas 12-23") << QByteArray("/5") << marcadorAceito
                                        << QByteArrayList{"\"h\":12,", "\"h\":23,"};
        QTest::newRow("/6 ao vivo") << QByteArray("/6") << marcadorAceito
                                    << QByteArrayList{"\"h\":34,", "\"h\":35,"};
        QTest::newRow("desconhecida") << QByteArray("/9") << marcadorRecusado << QByteArrayList{};
        QTest::newRow("raiz") << QByteArray("/") << marcadorRecusado << QByteArrayList{};
    }
    void paginas()
    {
        QFETCH(QByteArray, caminho);
        QFETCH(QByteArray, marcador);
        QFETCH(QByteArrayList, entradas);
        const QStringList relogio = relogioFixo("11/03/2024", "14:05:33");
        Simulador sim(relogio);
        QVERIFY(sim.porta() != 0);

        const QByteArray r = pedir(sim, {"GET " + caminho + " HTTP/1.0\n\n"});
        QVERIFY2(r.size() > 600, r.constData());
        QVERIFY(r.startsWith("HTTP/1.0 "));
        QVERIFY(r.contains("\r\nServer: Arduino\r\n"));
        QVERIFY(r.contains("\r\nContent-Type: application/json\r\n"));
        QVERIFY(r.contains(marcador));
        for (const QByteArray& e : entradas)
            QVERIFY2(r.contains(e), e.constData());
        QCOMPARE(sim.pedidosRegistrados(1), QByteArrayList{"pedido " + caminho});

        // The printed page is the page on the wire (the uptime of /0 aside).
        if (caminho != "/0") {
            const Execucao m = executar(relogio + QStringList{"--semente", "1", "--mostrar", caminho});
            QCOMPARE(m.codigo, 0);
            QCOMPARE(m.saida, r);
        }
    }

    void valores_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("hora");
        QTest::addColumn<QString>("semente");
        QTest::newRow("segunda à tarde") << "11/03/2024" << "14:05:33" << "1";
        QTest::newRow("antes de abrir") << "12/03/2024" << "06:30:00" << "3";
        QTest::newRow("último segundo do mês") << "31/03/2024" << "23:59:59" << "1";
        QTest::newRow("meia-noite do dia 1") << "01/04/2024" << "00:00:00" << "1";
        QTest::newRow("29 de fevereiro") << "29/02/2024" << "12:30:00" << "42";
        QTest::newRow("sábado de manhã") << "16/03/2024" << "10:15:00" << "7";
        QTest::newRow("fim de mês de 30 dias") << "30/04/2024" << "18:00:00" << "5";
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
            // The client stores any morning hour above 2000 as zero.
            QVERIFY(v.toInt() <= 2000);
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

    void contagemAoLongoDoDia_data()
    {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<uint>("semente");
        QTest::newRow("terça") << QDate(2024, 3, 12) << 1u;
        QTest::newRow("sábado") << QDate(2024, 3, 16) << 2u;
        QTest::newRow("domingo") << QDate(2024, 3, 17) << 3u;
        QTest::newRow("semente grande") << QDate(2025, 12, 31) << 4000000000u;
    }
    void contagemAoLongoDoDia()
    {
        QFETCH(QDate, dia);
        QFETCH(uint, semente);
        int anterior = 0;
        for (int minuto = 0; minuto < 24 * 60; minuto += 5) {
            const QDateTime agora(dia, QTime(0, 0).addSecs(minuto * 60));
            const trafego::Hoje h = trafego::contagemHoje(semente, agora);
            int soma = 0;
            for (int v : h.horas)
                soma += v;
            QCOMPARE(soma, h.total);
            QVERIFY2(h.total >= anterior, qPrintable(agora.toString()));
            QVERIFY(h.lotacao >= 0);
            QVERIFY(h.lotacao <= h.total);
            anterior = h.total;
        }
        int expediente = 0;
        int dia24 = 0;
        for (int hora = 0; hora < 24; ++hora) {
            dia24 += trafego::visitasHora(semente, dia, hora);
            if (hora >= 8 && hora <= 19)
                expediente += trafego::visitasHora(semente, dia, hora);
        }
        QCOMPARE(trafego::entradasAte(semente, dia, 86400), dia24);
        QVERIFY2(dia24 > 100 && dia24 < 5000, qPrintable(QString::number(dia24)));
        QVERIFY(expediente * 10 >= dia24 * 8);
        // Late at night almost everyone has gone home.
        QVERIFY(trafego::contagemHoje(semente, QDateTime(dia, QTime(23, 59))).lotacao < 10);
        QCOMPARE(trafego::totalDia(semente, dia.addDays(1), QDateTime(dia, QTime(12, 0))), 0);
    }

    void determinismo()
    {
        const QStringList relogio = relogioFixo("20/03/2024", "16:00:00");
        for (const QString& p : QStringList{"1", "4", "6"}) {
            const Execucao a = executar(relogio + QStringList{"--semente", "9", "--mostrar", p});
            const Execucao b = executar(relogio + QStringList{"--semente", "9", "--mostrar", p});
            const Execucao c = executar(relogio + QStringList{"--semente", "10", "--mostrar", p});
            QCOMPARE(a.codigo, 0);
            QVERIFY(a.saida.contains(marcadorAceito));
            QCOMPARE(a.saida, b.saida);
            QVERIFY2(a.saida != c.saida, qPrintable(p));
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
        QTest::newRow("curta /6") << "curta" << 6 << false << true << true;
        QTest::newRow("curta /1") << "curta" << 1 << false << true << true;
        QTest::newRow("curta /4") << "curta" << 4 << false << true << true;
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
        QVERIFY(!r.isEmpty());
        QCOMPARE(r.size() > 600, longa);
        QCOMPARE(r.contains(marcadorAceito), aceita);
        QCOMPARE(r.contains("Arduino"), arduino);
        if (aceita) {
            // The short reply still reads correctly; it is only too short to be handled.
            const QByteArray primeira = pagina == 1 ? campoDia(r, 1) : campoHora(r, pagina == 6 ? 35 : 0);
            QVERIFY(cincoDigitos(primeira));
        }
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

    void lenta()
    {
        const QStringList relogio = relogioFixo("11/03/2024", "14:05:33");
        Simulador sim(relogio + QStringList{"--falha", "lenta"});
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), sim.porta());
        QVERIFY(s.waitForConnected(5000));
        QElapsedTimer t;
        t.start();
        s.write("GET /6 HTTP/1.0\n\n");
        QByteArray r;
        int pedacos = 0;
        while (s.state() == QAbstractSocket::ConnectedState && t.elapsed() < 10000) {
            if (s.waitForReadyRead(200)) {
                r += s.readAll();
                ++pedacos;
            }
        }
        r += s.readAll();
        QVERIFY2(t.elapsed() >= 1500, qPrintable(QString::number(t.elapsed())));
        QVERIFY(pedacos >= 5);
        QCOMPARE(r, executar(relogio + QStringList{"--mostrar", "6"}).saida);
    }

    // A silent device leaves the connection open; a later request in normal mode is still answered.
    void mudo()
    {
        Simulador sim({"--falha", "mudo"});
        QTcpSocket calado;
        calado.connectToHost(QStringLiteral("127.0.0.1"), sim.porta());
        QVERIFY(calado.waitForConnected(5000));
        calado.write("GET /6 HTTP/1.0\n\n");
        QVERIFY(calado.waitForBytesWritten(5000));
        QVERIFY(sim.esperarSaida("pedido /6\n"));
        QVERIFY(sim.trocarFalha("normal"));
        QVERIFY(pedir(sim).contains(marcadorAceito));
        QCOMPARE(sim.pedidosRegistrados(2).size(), 2);
        calado.waitForReadyRead(0);
        QCOMPARE(calado.bytesAvailable(), 0);
        QCOMPARE(calado.state(), QAbstractSocket::ConnectedState);
    }

    // The flood goes on past what any client keeps, never carries a status marker, and does not
    // stop the simulator from serving others.
    void enorme()
    {
        Simulador sim({"--falha", "enorme"});
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), sim.porta());
        QVERIFY(s.waitForConnected(5000));
        s.write("GET /6 HTTP/1.0\n\n");
        QByteArray r;
        QElapsedTimer t;
        t.start();
        while (r.size() < 1024 * 1024 && t.elapsed() < 10000 && s.state() == QAbstractSocket::ConnectedState) {
            s.waitForReadyRead(100);
            r += s.readAll();
        }
        QVERIFY(r.size() >= 1024 * 1024);
        QVERIFY(!r.contains("\"status\""));
        QVERIFY(r.contains("\"h\":34,"));

        QVERIFY(sim.trocarFalha("normal"));
        QVERIFY(pedir(sim).contains(marcadorAceito));
        s.abort();
    }

    void trocaPelaEntrada()
    {
        Simulador sim({});
        QVERIFY(pagina(sim, 6).contains(marcadorAceito));
        QVERIFY(sim.trocarFalha("status0"));
        const QByteArray recusada = pagina(sim, 4);
        QVERIFY(recusada.contains(marcadorRecusado));
        QVERIFY(!recusada.contains(marcadorAceito));
        QVERIFY(sim.trocarFalha("semarduino"));
        QVERIFY(!pagina(sim, 5).contains("Arduino"));
        QVERIFY(sim.trocarFalha("normal"));
        QVERIFY(pagina(sim, 1).contains(marcadorAceito));
        QCOMPARE(sim.pedidosRegistrados(4),
                 (QByteArrayList{"pedido /6", "pedido /4", "pedido /5", "pedido /1"}));
    }

    void formasDoPedido_data()
    {
        QTest::addColumn<QByteArrayList>("pedacos");
        QTest::addColumn<QByteArray>("marcador");
        QTest::addColumn<QByteArray>("registro");
        QTest::newRow("dois LF") << QByteArrayList{"GET /6 HTTP/1.0\n\n"} << marcadorAceito
                                 << QByteArray("pedido /6");
        QTest::newRow("CRLF") << QByteArrayList{"GET /6 HTTP/1.0\r\n\r\n"} << marcadorAceito
                              << QByteArray("pedido /6");
        QTest::newRow("com cabeçalhos") << QByteArrayList{"GET /2 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"}
                                        << marcadorAceito << QByteArray("pedido /2");
        QTest::newRow("em pedaços") << QByteArrayList{"GET /", "3 HTTP/1.0\n", "\n"} << marcadorAceito
                                    << QByteArray("pedido /3");
        QTest::newRow("outro método") << QByteArrayList{"POST /6 HTTP/1.0\n\n"} << marcadorRecusado
                                      << QByteArray("pedido inválido");
    }
    void formasDoPedido()
    {
        QFETCH(QByteArrayList, pedacos);
        QFETCH(QByteArray, marcador);
        QFETCH(QByteArray, registro);
        Simulador sim({});
        const QByteArray r = pedir(sim, pedacos);
        QVERIFY(r.size() > 600);
        QVERIFY(r.contains(marcador));
        QCOMPARE(sim.pedidosRegistrados(1), QByteArrayList{registro});
    }

    // The given start runs on in real time: a minute before midnight the month page turns over.
    void relogioAnda()
    {
        Simulador sim({"--data", "31/03/2024", "--hora", "23:59:59"});
        QVERIFY(campoDia(pagina(sim, 3), 31) != "00000");
        QTRY_VERIFY_WITH_TIMEOUT(pagina(sim, 0).contains("\"data\":\"01/04/2024\""), 5000);
        const QByteArray p3 = pagina(sim, 3);
        QCOMPARE(campoDia(p3, 31), QByteArray("00000"));
        QCOMPARE(campoDia(p3, 25), QByteArray("00000"));
    }

    void outroLoopback()
    {
        Simulador sim({}, QStringLiteral("127.0.0.2"));
        QVERIFY(sim.porta() != 0);
        QVERIFY(pedir(sim).contains(marcadorAceito));
    }

    void opcoesRecusadas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("mensagem");
        QTest::newRow("rede privada") << QStringList{"--endereco", "192.168.0.10"} << QByteArray("recusado");
        QTest::newRow("rede 10") << QStringList{"--endereco", "10.0.0.5"} << QByteArray("recusado");
        QTest::newRow("pública") << QStringList{"--endereco", "8.8.8.8"} << QByteArray("recusado");
        QTest::newRow("todas as interfaces") << QStringList{"--endereco", "0.0.0.0"} << QByteArray("recusado");
        QTest::newRow("todas IPv6") << QStringList{"--endereco", "::"} << QByteArray("recusado");
        QTest::newRow("nome") << QStringList{"--endereco", "exemplo"} << QByteArray("recusado");
        QTest::newRow("porta") << QStringList{"--porta", "70000"} << QByteArray("porta");
        QTest::newRow("data") << QStringList{"--data", "30/02/2024"} << QByteArray("data");
        QTest::newRow("hora") << QStringList{"--hora", "24:00:00"} << QByteArray("hora");
        QTest::newRow("falha") << QStringList{"--falha", "quebrado"} << QByteArray("falha");
        QTest::newRow("opção") << QStringList{"--depressa"} << QByteArray("opção");
        QTest::newRow("sem valor") << QStringList{"--porta"} << QByteArray("falta");
    }
    void opcoesRecusadas()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, mensagem);
        const Execucao e = executar(QStringList{"--porta", "0"} + args);
        QCOMPARE(e.codigo, 2);
        QVERIFY2(e.erro.contains(mensagem), e.erro.constData());
        QVERIFY(!e.saida.contains("ouvindo"));
    }

    void ajuda()
    {
        const Execucao e = executar({"--help"});
        QCOMPARE(e.codigo, 0);
        for (const char* t : {"--endereco", "--porta", "--semente", "--data", "--hora", "--congelar", "--falha",
                              "--mostrar", "status0", "curta", "lenta", "gotejo", "lixo", "enorme", "corte", "mudo",
                              "semarduino"})
            QVERIFY2(e.saida.contains(t), t);
    }
};

QTEST_GUILESS_MAIN(TesteSimulador)
#include "test_simulador.moc"
