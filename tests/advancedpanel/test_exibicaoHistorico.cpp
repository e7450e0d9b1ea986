// The history display without a window: the 30-tick countdown, the view modes, the export
// gate, and the demonstration fill.
#include "exibicaoHistorico.h"
#include "historico.h"

#include <QtTest>

using Relatorio = historico::Exibicao::Relatorio;
Q_DECLARE_METATYPE(Relatorio)

class TesteExibicaoHistorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A month chosen, then a day twenty ticks later: the display still ends 30 ticks after it
    // began, with both charts live, the export withdrawn and the indicator hidden.
    void duraTrintaTiquesDesdeOInicio()
    {
        int segundos = 0;
        historico::Exibicao e(segundos);
        e.exibirMesHistorico();
        e.mesCarregado(30);
        for (int t = 0; t < 20; ++t)
            QVERIFY(!e.tique());
        e.exibirDiaHistorico();
        e.diaCarregado();
        for (int t = 0; t < 9; ++t)
            QVERIFY(!e.tique());
        QCOMPARE(e.segundosRestantes(), 1);
        QVERIFY(e.mesHistorico() && e.diaHistorico() && e.exportacaoHabilitada() && e.contando());
        QVERIFY(e.tique());
        QVERIFY(!e.mesHistorico() && !e.diaHistorico() && !e.exportacaoHabilitada() && !e.contando());
        QCOMPARE(e.relatorio(), Relatorio::Oculto);
        QCOMPARE(e.segundosRestantes(), 0);
        QCOMPARE(segundos, 0);
    }

    // The count outlives the window: a panel reopened mid-display finishes the same display.
    void contagemSobreviveAJanela()
    {
        int segundos = 0;
        {
            historico::Exibicao e(segundos);
            e.exibirMesHistorico();
            e.mesCarregado(5);
            for (int t = 0; t < 25; ++t)
                e.tique();
        }
        historico::Exibicao nova(segundos);
        nova.exibirMesHistorico();
        nova.mesCarregado(5);
        for (int t = 0; t < 4; ++t)
            QVERIFY(!nova.tique());
        QVERIFY(nova.tique());
    }

    // Each row: month totals loaded one after the other (-1: the day is chosen, -2: back to
    // live), then what the menu item and the indicator show.
    void exportacao_data()
    {
        QTest::addColumn<QList<int>>("passos");
        QTest::addColumn<bool>("habilitada");
        QTest::addColumn<Relatorio>("relatorio");
        QTest::newRow("mês com visitas") << QList<int>{30} << true << Relatorio::Disponivel;
        QTest::newRow("mês vazio") << QList<int>{0} << false << Relatorio::SemRegistros;
        // The refusal leaves the menu item as an earlier display had it.
        QTest::newRow("vazio depois de cheio") << QList<int>{30, 0} << true << Relatorio::SemRegistros;
        // A day judges the month on display, since the export is of a whole month.
        QTest::newRow("dia com o mês cheio") << QList<int>{30, -1} << true << Relatorio::Disponivel;
        QTest::newRow("dia sem mês") << QList<int>{-1} << false << Relatorio::SemRegistros;
        QTest::newRow("de volta ao vivo") << QList<int>{30, -2} << false << Relatorio::Disponivel;
    }
    void exportacao()
    {
        QFETCH(QList<int>, passos);
        int segundos = 0;
        historico::Exibicao e(segundos);
        for (int p : passos) {
            if (p == -1) {
                e.exibirDiaHistorico();
                e.diaCarregado();
            } else if (p == -2) {
                e.exibirMesAtual();
            } else {
                e.exibirMesHistorico();
                e.mesCarregado(p);
            }
        }
        QTEST(e.exportacaoHabilitada(), "habilitada");
        QTEST(e.relatorio(), "relatorio");
    }

    void demonstracao_data()
    {
        QTest::addColumn<int>("inicio");
        QTest::addColumn<int>("fim");
        QTest::addColumn<int>("horas");
        QTest::addColumn<qlonglong>("mediaHora");
        QTest::newRow("8 a 18") << 8 << 18 << 11 << 30LL;
        // One business hour: the mean must not divide by zero.
        QTest::newRow("uma hora") << 9 << 9 << 1 << 30LL;
        QTest::newRow("sem horas") << 10 << 9 << 0 << 0LL;
    }
    void demonstracao()
    {
        QFETCH(int, inicio);
        QFETCH(int, fim);
        QFETCH(int, horas);
        // Every hour 0.5 * 60 = 30 visits, every day 0.5 * 500 = 250.
        const historico::Demonstracao d = historico::demonstracao(inicio, fim, [] { return 0.5; });
        QCOMPARE(d.horas.size(), horas);
        QCOMPARE(d.totalHoje, 30LL * horas);
        QTEST(d.mediaHora, "mediaHora");
        QCOMPARE(d.lotacao.has_value(), horas > 0);
        QCOMPARE(d.dias.size(), 31);
        QCOMPARE(d.totalMes, 31LL * 250);
        QCOMPARE(d.mediaDia, 250LL);
    }
};

QTEST_GUILESS_MAIN(TesteExibicaoHistorico)
#include "test_exibicaoHistorico.moc"
