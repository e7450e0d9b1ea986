// The polling schedule: which pages go out at which step, and the pace of the timer.
#include "ciclo.h"

#include <QtTest>

namespace {

// Records what goes out: "/N" for a request, the main window's lbl_pagina captions, and the
// timer pace in force after each tick ("rapido" / "normal").
struct Registro {
    QStringList pedidos;
    QStringList paginas;
    QString ritmo;

    ciclo::Acoes acoes()
    {
        ciclo::Acoes a;
        a.solicitarPagina = [this](int n) {
            paginas << QString::number(n);
            pedidos << QStringLiteral("/%1").arg(n);
        };
        a.definirPagina = [this](const QString& t) { paginas << t; };
        a.solicitarPagina6 = [this] { pedidos << QStringLiteral("/6"); };
        a.acelerar = [this] { ritmo = QStringLiteral("rapido"); };
        a.normalizar = [this] { ritmo = QStringLiteral("normal"); };
        a.barraMes = a.barraDia = [](int, int) {};
        a.exibirParametro = a.exibirPaginaHora = a.exibirPasso = [](const QString&) {};
        return a;
    }
};

// One full cycle (seven steps of two ticks): the requests it made.
QStringList umCiclo(ciclo::Ciclo& c, Registro& r, const QDate& dia, const QTime& hora, const ciclo::Acoes& a)
{
    r.pedidos.clear();
    for (int t = 0; t < 14; ++t)
        c.tique(dia, hora, a);
    return r.pedidos;
}

} // namespace

class TesteCiclo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_contadores = {}; }

    void primeiroCicloPedeTudoDepoisRitmoNormal()
    {
        ciclo::Ciclo c(m_contadores);
        c.carregar(3);
        Registro r;
        const QDate dia(2024, 3, 10);
        const QTime hora(14, 5, 33);
        QStringList ritmos;
        for (int t = 0; t < 14; ++t) {
            c.tique(dia, hora, r.acoes());
            ritmos << r.ritmo;
        }
        // One step every two ticks at 1000 ms; once both hour pages were asked (step 5), the
        // next step goes to the normal pace.
        QCOMPARE(r.pedidos, (QStringList{"/1", "/2", "/3", "/4", "/5", "/6"}));
        QCOMPARE(ritmos.mid(0, 10).count(QStringLiteral("rapido")), 9);
        QCOMPARE(ritmos[11], QStringLiteral("normal"));
        // Step 6 leaves "7" on the main window, whether or not it asks for "/6".
        QCOMPARE(r.paginas, (QStringList{"1", "2", "3", "4", "5", "7"}));
        // The next cycle asks only for the month page of the 10th and the afternoon page.
        QCOMPARE(umCiclo(c, r, dia, hora, r.acoes()), (QStringList{"/1", "/5", "/6"}));
        QCOMPARE(r.ritmo, QStringLiteral("normal"));
    }

    void paginaDoDiaEDaHora_data()
    {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<QTime>("hora");
        QTest::addColumn<bool>("semLotacao");
        QTest::addColumn<QStringList>("pedidos");
        QTest::newRow("dia 12 às 11:59")
            << QDate(2024, 3, 12) << QTime(11, 59) << false << QStringList{"/1", "/4", "/6"};
        QTest::newRow("dia 13") << QDate(2024, 3, 13) << QTime(11, 59) << false
                                << QStringList{"/2", "/4", "/6"};
        QTest::newRow("dia 24 ao meio-dia")
            << QDate(2024, 3, 24) << QTime(12, 0) << false << QStringList{"/2", "/5", "/6"};
        QTest::newRow("dia 25") << QDate(2024, 3, 25) << QTime(0, 0) << false
                                << QStringList{"/3", "/4", "/6"};
        // The simple panel is open: step 6 asks nothing but still writes "7".
        QTest::newRow("sem lotação") << QDate(2024, 3, 10) << QTime(9, 0) << true << QStringList{"/1", "/4"};
    }
    void paginaDoDiaEDaHora()
    {
        QFETCH(QDate, dia);
        QFETCH(QTime, hora);
        ciclo::Ciclo c(m_contadores);
        c.carregar(3);
        QFETCH(bool, semLotacao);
        c.naoLerLotacao = semLotacao;
        Registro r;
        umCiclo(c, r, dia, hora, r.acoes());
        QTEST(umCiclo(c, r, dia, hora, r.acoes()), "pedidos");
        QCOMPARE(r.paginas.last(), QStringLiteral("7"));
    }

    // A page lost on the way (another request cut it off) is asked again in the next cycle.
    void paginaPerdidaPedidaDeNovo()
    {
        ciclo::Ciclo c(m_contadores);
        c.carregar(3);
        Registro r;
        bool diaLido = false;
        bool mesLido = true;
        ciclo::Acoes a = r.acoes();
        a.diaLido = [&] { return diaLido; };
        a.mesLido = [&] { return mesLido; };
        const QDate dia(2024, 3, 20);
        const QTime hora(15, 0);
        umCiclo(c, r, dia, hora, a);
        QCOMPARE(umCiclo(c, r, dia, hora, a), (QStringList{"/2", "/4", "/5", "/6"}));
        // Judged at the end of each cycle: the change shows in the cycle after the next.
        diaLido = true;
        mesLido = false;
        QCOMPARE(umCiclo(c, r, dia, hora, a), (QStringList{"/2", "/4", "/5", "/6"}));
        mesLido = true;
        QCOMPARE(umCiclo(c, r, dia, hora, a), (QStringList{"/1", "/2", "/3", "/5", "/6"}));
        QCOMPARE(umCiclo(c, r, dia, hora, a), (QStringList{"/2", "/5", "/6"}));
    }

    // The settings window may change the interval at any time, to below the cycles counted.
    void intervaloDoMesAlterado_data()
    {
        QTest::addColumn<int>("antes");
        QTest::addColumn<int>("ciclosAntes");
        QTest::addColumn<int>("depois");
        QTest::addColumn<int>("ciclosAteReler");
        QTest::newRow("10 para 3 com 12 ciclos contados") << 10 << 12 << 3 << 2;
        QTest::newRow("10 para 5 com 4 ciclos contados") << 10 << 4 << 5 << 7;
        QTest::newRow("3 para 10 com 2 ciclos contados") << 3 << 2 << 10 << 19;
    }
    void intervaloDoMesAlterado()
    {
        QFETCH(int, antes);
        QFETCH(int, ciclosAntes);
        QFETCH(int, depois);
        ciclo::Ciclo c(m_contadores);
        c.carregar(antes);
        Registro r;
        const QDate dia(2024, 3, 20);
        for (int n = 0; n <= ciclosAntes; ++n)
            umCiclo(c, r, dia, QTime(9, 0), r.acoes());
        c.intervaloAtualizacaoMes = depois;
        // Cycles until the three month pages are asked for again.
        auto ciclosAteLerOMes = [&] {
            for (int n = 1; n <= 40; ++n)
                if (umCiclo(c, r, dia, QTime(9, 0), r.acoes()).contains(QStringLiteral("/3")))
                    return n;
            return 0;
        };
        QTEST(ciclosAteLerOMes(), "ciclosAteReler");
        // And it goes on at the new pace.
        QCOMPARE(ciclosAteLerOMes(), 2 * depois);
    }

private:
    ciclo::Contadores m_contadores;
};

QTEST_GUILESS_MAIN(TesteCiclo)
#include "test_ciclo.moc"
