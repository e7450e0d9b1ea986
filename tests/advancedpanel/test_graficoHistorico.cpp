// The history fills of both charts, over the chart the handlers address.
#include "../apoio/bancoTeste.h"
#include "grafico.h"
#include "historico.h"

#include <QtTest>

class TesteGraficoHistorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
};

QTEST_MAIN(TesteGraficoHistorico)
#include "test_graficoHistorico.moc"
