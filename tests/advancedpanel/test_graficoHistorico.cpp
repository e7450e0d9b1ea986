// The chart as the handlers address it, and the history fills of both charts.
#include "../apoio/bancoTeste.h"
#include "grafico.h"
#include "historico.h"

#include <QtTest>

class TesteGraficoHistorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pontoLidoComoNumero_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("lido");
        QTest::newRow("cinco dígitos") << "00042"
                                       << "42";
        QTest::newRow("vazio não tem valor") << ""
                                             << "";
        QTest::newRow("texto com número no início") << "12ab"
                                                    << "12";
    }
    void pontoLidoComoNumero()
    {
        QFETCH(QString, entrada);
        Grafico g;
        g.setRowCount(3);
        g.setColumn(1);
        g.setRow(2);
        g.setData(entrada);
        QTEST(g.data(), "lido");
        g.setRow(1);
        QCOMPARE(g.data(), QString());
    }

    void foraDasCategoriasNaoCresce()
    {
        Grafico g;
        g.setRowCount(11);
        g.setColumn(1);
        g.setRow(12);
        g.setData(QStringLiteral("5"));
        g.setRowLabel(QStringLiteral("x"));
        QCOMPARE(g.rowCount(), 11);
        QCOMPARE(g.data(), QString());
        g.setColumn(3);
        g.setRow(1);
        g.setData(QStringLiteral("5"));
        QVERIFY(!g.valor(1, 1).has_value());
    }

    void topoDaEscala_data()
    {
        QTest::addColumn<double>("maior");
        QTest::addColumn<double>("topo");
        QTest::newRow("sem visitas") << 0.0 << 10.0;
        QTest::newRow("onze") << 11.0 << 20.0;
        QTest::newRow("oitocentos") << 801.0 << 1000.0;
        QTest::newRow("mil e um") << 1001.0 << 2000.0;
    }
    void topoDaEscala()
    {
        QFETCH(double, maior);
        QTEST(Grafico::topoRedondo(maior), "topo");
    }

    void mesDoHistorico_data()
    {
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<qlonglong>("total");
        QTest::addColumn<qlonglong>("media");
        QTest::addColumn<QString>("dia31");
        QList<int> dez(32, 0);
        for (int i = 0; i < 10; ++i)
            dez[i] = 10;
        QTest::newRow("gravado pela coleta, 160") << apoio::grupos(dez) << 100LL << 10LL << "0";
        QTest::newRow("excluído, 155 zeros") << QString(155, u'0') << 0LL << 0LL << "0";
        QTest::newRow("coluna vazia") << QString() << 0LL << 0LL << "";
        QTest::newRow("coluna curta") << apoio::grupos({5, 5, 5}) << 15LL << 5LL << "";
    }
    void mesDoHistorico()
    {
        QFETCH(QString, coluna);
        Grafico g;
        historico::defineLegendaColunasChartMes(g);
        const historico::Figuras f = historico::preencherMes(coluna, g);
        QTEST(static_cast<qlonglong>(f.total), "total");
        QTEST(static_cast<qlonglong>(f.media), "media");
        QCOMPARE(g.column(), 2);
        g.setRow(31);
        QTEST(g.data(), "dia31");
        // The live series is left alone.
        QVERIFY(!g.valor(1, 1).has_value());
    }

    void diaDoHistorico_data()
    {
        QTest::addColumn<int>("inicio");
        QTest::addColumn<int>("fim");
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<qlonglong>("total");
        QTest::addColumn<qlonglong>("media");
        QList<int> horas(24, 0);
        horas[7] = 50;
        horas[19] = 40;
        for (int h = 9; h <= 13; ++h)
            horas[h] = 12;
        QTest::newRow("8 a 18, fora do expediente não conta")
            << 8 << 18 << apoio::grupos(horas) << 60LL << 12LL;
        QTest::newRow("o dia todo") << 0 << 23 << apoio::grupos(horas) << 150LL << 21LL;
        QTest::newRow("dia sem coluna") << 8 << 18 << QString() << 0LL << 0LL;
    }
    void diaDoHistorico()
    {
        QFETCH(int, inicio);
        QFETCH(int, fim);
        QFETCH(QString, coluna);
        Grafico g;
        historico::defineLegendaColunasChartDia(g, inicio, fim);
        const historico::Figuras f = historico::preencherDia(coluna, inicio, g);
        QTEST(static_cast<qlonglong>(f.total), "total");
        QTEST(static_cast<qlonglong>(f.media), "media");
        QCOMPARE(g.rowCount(), fim - inicio + 1);
        if (!coluna.isEmpty()) {
            // Category 1 is the first business hour.
            QCOMPARE(g.valor(2, 1).value_or(-1), coluna.mid(5 * inicio, 5).toDouble());
        }
    }

    void pontosDaExportacao()
    {
        Grafico g;
        historico::defineLegendaColunasChartMes(g);
        QList<int> v(32, 0);
        v[0] = 12;
        v[1] = 3;
        historico::preencherMes(apoio::grupos(v), g);
        g.setColumn(1);
        const auto pontos = historico::pontosHistorico(g);
        QCOMPARE(pontos.size(), 31);
        QCOMPARE(pontos[0], (std::pair<QString, QString>{"1", "12"}));
        QCOMPARE(pontos[1], (std::pair<QString, QString>{"2", "3"}));
        QCOMPARE(pontos[30], (std::pair<QString, QString>{"31", "0"}));
    }
};

QTEST_MAIN(TesteGraficoHistorico)
#include "test_graficoHistorico.moc"
