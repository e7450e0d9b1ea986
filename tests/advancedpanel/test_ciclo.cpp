// The polling schedule: which pages go out at which step, and the pace of the timer.
#include "ciclo.h"

#include <QtTest>

namespace {

// Runs ticks and records what goes out: "/N" for a request, "pagina=7", and the timer pace
// in force after each tick ("rapido" / "normal").
struct Registro {
    QStringList pedidos;
    QString ritmo;
    QStringList paginas;
    int barraMesMaximo = 0;
    int barraMesValor = 0;
    int barraDiaValor = 0;
    QString passo;
    QString paginaHora;

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
        a.barraMes = [this](int m, int v) {
            barraMesMaximo = m;
            barraMesValor = v;
        };
        a.barraDia = [this](int, int v) { barraDiaValor = v; };
        a.exibirParametro = [](const QString&) {};
        a.exibirPaginaHora = [this](const QString& t) { paginaHora = t; };
        a.exibirPasso = [this](const QString& t) { passo = t; };
        return a;
    }
};

void tiques(ciclo::Ciclo& c, int n, const QDate& dia, const QTime& hora, const ciclo::Acoes& a)
{
    for (int t = 0; t < n; ++t)
        c.tique(dia, hora, a);
}

} // namespace

class TesteCiclo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { ciclo::contadores() = {}; }

    void primeiroCicloPedeTudoDepoisRitmoNormal()
    {
        ciclo::Ciclo c;
        c.carregar(3);
        Registro r;
        const QDate dia(2024, 3, 10);
        const QTime hora(14, 5, 33);
        QStringList ritmos;
        for (int t = 0; t < 14; ++t) {
            c.tique(dia, hora, r.acoes());
            ritmos << r.ritmo;
        }
        // One step every two ticks, at 1000 ms.
        QCOMPARE(r.pedidos, (QStringList{"/1", "/2", "/3", "/4", "/5", "/6"}));
        QCOMPARE(ritmos.mid(0, 10).count(QStringLiteral("rapido")), 9);
        // Once both hour pages were asked (step 5), the next step goes to the normal pace.
        QCOMPARE(ritmos[9], QStringLiteral("rapido"));
        QCOMPARE(ritmos[11], QStringLiteral("normal"));
        // Step 6 leaves "7" on the main window, whether or not it asks for "/6".
        QCOMPARE(r.paginas, (QStringList{"1", "2", "3", "4", "5", "7"}));
        // The next cycle asks only for the month page of the 10th and the afternoon page.
        r.pedidos.clear();
        tiques(c, 14, dia, hora, r.acoes());
        QCOMPARE(r.pedidos, (QStringList{"/1", "/5", "/6"}));
        QCOMPARE(r.ritmo, QStringLiteral("normal"));
    }

    void paginaDoDiaEDaHora_data()
    {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<QTime>("hora");
        QTest::addColumn<QStringList>("pedidos");
        QTest::newRow("dia 12 às 11:59")
            << QDate(2024, 3, 12) << QTime(11, 59) << QStringList{"/1", "/4", "/6"};
        QTest::newRow("dia 13") << QDate(2024, 3, 13) << QTime(11, 59) << QStringList{"/2", "/4", "/6"};
        QTest::newRow("dia 24 ao meio-dia")
            << QDate(2024, 3, 24) << QTime(12, 0) << QStringList{"/2", "/5", "/6"};
        QTest::newRow("dia 25") << QDate(2024, 3, 25) << QTime(0, 0) << QStringList{"/3", "/4", "/6"};
    }
    void paginaDoDiaEDaHora()
    {
        QFETCH(QDate, dia);
        QFETCH(QTime, hora);
        ciclo::Ciclo c;
        c.carregar(3);
        Registro r;
        tiques(c, 14, dia, hora, r.acoes());
        r.pedidos.clear();
        tiques(c, 14, dia, hora, r.acoes());
        QTEST(r.pedidos, "pedidos");
    }

    void semLotacaoAindaEscreveSete()
    {
        ciclo::Ciclo c;
        c.carregar(3);
        c.naoLerLotacao = true;
        Registro r;
        tiques(c, 14, QDate(2024, 3, 10), QTime(9, 0), r.acoes());
        QVERIFY(!r.pedidos.contains(QStringLiteral("/6")));
        QCOMPARE(r.paginas.last(), QStringLiteral("7"));
    }

    void atualizarMesNoRitmoNormal()
    {
        ciclo::Ciclo c;
        c.carregar(3);
        Registro r;
        const QDate dia(2024, 3, 20);
        const QTime hora(15, 0);
        tiques(c, 28, dia, hora, r.acoes());
        c.atualizarMes();
        r.pedidos.clear();
        tiques(c, 2, dia, hora, r.acoes());
        QCOMPARE(r.pedidos, QStringList{"/1"});
        // The day part runs last and keeps the normal pace for "/2" and "/3".
        QCOMPARE(r.ritmo, QStringLiteral("normal"));
        tiques(c, 4, dia, hora, r.acoes());
        QCOMPARE(r.pedidos, (QStringList{"/1", "/2", "/3"}));
    }

    void atualizarDiaPedeAsDuasPaginasDeHora()
    {
        ciclo::Ciclo c;
        c.carregar(3);
        Registro r;
        tiques(c, 28, QDate(2024, 3, 20), QTime(9, 0), r.acoes());
        c.atualizarDia();
        r.pedidos.clear();
        tiques(c, 4, QDate(2024, 3, 20), QTime(9, 0), r.acoes());
        QCOMPARE(r.pedidos, (QStringList{"/4", "/5"}));
        QCOMPARE(r.ritmo, QStringLiteral("rapido"));
        tiques(c, 2, QDate(2024, 3, 20), QTime(9, 0), r.acoes());
        QCOMPARE(r.ritmo, QStringLiteral("normal"));
    }

    // A page lost on the way (another request cut it off) is asked again in the next cycle.
    void paginaPerdidaPedidaDeNovo()
    {
        ciclo::Ciclo c;
        c.carregar(3);
        Registro r;
        bool diaLido = false;
        bool mesLido = true;
        const QDate dia(2024, 3, 20);
        const QTime hora(15, 0);
        auto acoes = [&] {
            ciclo::Acoes a = r.acoes();
            a.diaLido = [&] { return diaLido; };
            a.mesLido = [&] { return mesLido; };
            return a;
        };
        tiques(c, 14, dia, hora, acoes());
        r.pedidos.clear();
        tiques(c, 14, dia, hora, acoes());
        QCOMPARE(r.pedidos, (QStringList{"/2", "/4", "/5", "/6"}));
        // Judged at the end of each cycle: the change shows in the cycle after the next.
        diaLido = true;
        mesLido = false;
        r.pedidos.clear();
        tiques(c, 14, dia, hora, acoes());
        QCOMPARE(r.pedidos, (QStringList{"/2", "/4", "/5", "/6"}));
        r.pedidos.clear();
        mesLido = true;
        tiques(c, 14, dia, hora, acoes());
        QCOMPARE(r.pedidos, (QStringList{"/1", "/2", "/3", "/5", "/6"}));
        r.pedidos.clear();
        tiques(c, 14, dia, hora, acoes());
        QCOMPARE(r.pedidos, (QStringList{"/2", "/5", "/6"}));
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
        ciclo::Ciclo c;
        c.carregar(antes);
        Registro r;
        const QDate dia(2024, 3, 20);
        const QTime hora(9, 0);
        for (int n = 0; n <= ciclosAntes; ++n)
            tiques(c, 14, dia, hora, r.acoes());
        c.intervaloAtualizacaoMes = depois;
        // Cycles until the three month pages are asked for again.
        auto ciclosAteLerOMes = [&] {
            for (int n = 1; n <= 40; ++n) {
                r.pedidos.clear();
                tiques(c, 14, dia, hora, r.acoes());
                if (r.pedidos.contains(QStringLiteral("/1")) && r.pedidos.contains(QStringLiteral("/3")))
                    return n;
            }
            return 0;
        };
        QTEST(ciclosAteLerOMes(), "ciclosAteReler");
        // And it goes on at the new pace.
        QCOMPARE(ciclosAteLerOMes(), 2 * depois);
    }
};

QTEST_GUILESS_MAIN(TesteCiclo)
#include "test_ciclo.moc"
