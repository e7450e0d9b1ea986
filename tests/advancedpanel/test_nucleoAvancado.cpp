// The advanced panel without its window: the polling schedule (which pages go out at which
// step, the pace of the timer), the history display's 30-tick countdown and export gate.
#include "ciclo.h"
#include "exibicaoHistorico.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Relatorio = historico::Exibicao::Relatorio;
Q_DECLARE_METATYPE(Relatorio)

namespace {

// A cycle and what goes out of it: "/N" for a request, the main window's lbl_pagina captions,
// and the timer pace ("rapido" / "normal").
struct Banca {
    explicit Banca(int intervaloMes) { c.carregar(intervaloMes); }
    // One full cycle (seven steps of two ticks): the requests it made.
    QStringList umCiclo(const QDate& dia, const QTime& hora)
    {
        pedidos.clear();
        ritmos.clear();
        for (int t = 0; t < 14; ++t) {
            c.tique(dia, hora, a);
            ritmos << ritmo;
        }
        return pedidos;
    }
    ciclo::Contadores contadores;
    ciclo::Ciclo c{contadores};
    ciclo::Acoes a{.solicitarPagina =
                       [this](int n) {
                           paginas << QString::number(n);
                           pedidos << u"/%1"_s.arg(n);
                       },
                   .definirPagina = [this](const QString& t) { paginas << t; },
                   .solicitarPagina6 = [this] { pedidos << u"/6"_s; },
                   .acelerar = [this] { ritmo = u"rapido"_s; },
                   .normalizar = [this] { ritmo = u"normal"_s; },
                   .releitura = {},
                   .barraMes = [](int, int) {},
                   .barraDia = [](int, int) {},
                   .exibirParametro = [](const QString&) {},
                   .exibirPaginaHora = [](const QString&) {},
                   .exibirPasso = [](const QString&) {},
                   .mesLido = {},
                   .diaLido = {}};
    QStringList pedidos, paginas, ritmos; // ritmos: the pace after each tick
    QString ritmo;
};

const QDate dia20(2024, 3, 20);

} // namespace

class TesteNucleoAvancado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first cycle asks for every page, fast; the next ones for the month page holding
    // today and the hour page holding now, at the normal pace.
    void paginaDoDiaEDaHora_data()
    {
        QTest::addColumn<QString>("quando"); // "dd hh:mm" in March 2024
        QTest::addColumn<bool>("semLotacao");
        QTest::addColumn<QStringList>("pedidos");
        QTest::newRow("dia 12 às 11:59") << u"12 11:59"_s << false << QStringList{u"/1"_s, u"/4"_s, u"/6"_s};
        QTest::newRow("dia 13") << u"13 11:59"_s << false << QStringList{u"/2"_s, u"/4"_s, u"/6"_s};
        QTest::newRow("dia 24 ao meio-dia")
            << u"24 12:00"_s << false << QStringList{u"/2"_s, u"/5"_s, u"/6"_s};
        QTest::newRow("dia 25") << u"25 00:00"_s << false << QStringList{u"/3"_s, u"/4"_s, u"/6"_s};
        // The simple panel is open: step 6 asks nothing but still writes "7".
        QTest::newRow("sem lotação") << u"10 09:00"_s << true << QStringList{u"/1"_s, u"/4"_s};
    }
    void paginaDoDiaEDaHora()
    {
        QFETCH(QString, quando);
        QFETCH(bool, semLotacao);
        const QDateTime t = QDateTime::fromString(u"2024-03-"_s + quando, u"yyyy-MM-dd hh:mm"_s);
        Banca b(3);
        b.c.naoLerLotacao = semLotacao;
        QStringList todas{u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s, u"/5"_s, u"/6"_s};
        QCOMPARE(b.umCiclo(t.date(), t.time()), semLotacao ? todas.mid(0, 5) : todas);
        // One step every two ticks at 1000 ms; once both hour pages were asked (step 5), the
        // next step goes to the normal pace. Step 6 leaves "7" on the main window.
        QCOMPARE(b.ritmos.mid(0, 10).count(u"rapido"_s), 9);
        QCOMPARE(b.ritmos[11], u"normal"_s);
        QCOMPARE(b.paginas, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"7"_s}));
        QTEST(b.umCiclo(t.date(), t.time()), "pedidos");
        QCOMPARE(b.paginas.last(), u"7"_s);
    }

    // The morning page once more after noon (its hour 11 was still counting), once a day.
    void manhaFechadaDepoisDoMeioDia()
    {
        Banca b(3);
        QStringList pedidos;
        for (const QString& h : {u"10:00"_s, u"11:59"_s, u"12:00"_s, u"12:30"_s, u"+12:01"_s, u"+13:00"_s}) {
            const QDate dia = h.startsWith(u'+') ? dia20.addDays(1) : dia20;
            pedidos << b.umCiclo(dia, QTime::fromString(h.right(5), u"hh:mm"_s))
                           .filter(QRegularExpression(u"/[45]"_s))
                           .join(u' ');
        }
        QCOMPARE(pedidos, (QStringList{u"/4 /5"_s, u"/4"_s, u"/4 /5"_s, u"/5"_s, u"/4 /5"_s, u"/5"_s}));
    }

    // The whole month is read again every 2·M cycles; the settings window may change M at any
    // time, to below the cycles counted.
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
        Banca b(antes);
        for (int n = 0; n <= ciclosAntes; ++n)
            b.umCiclo(dia20, QTime(9, 0));
        b.c.intervaloAtualizacaoMes = depois;
        auto ciclosAteLerOMes = [&] {
            for (int n = 1; n <= 40; ++n)
                if (b.umCiclo(dia20, QTime(9, 0)).contains(u"/3"_s))
                    return n;
            return 0;
        };
        QTEST(ciclosAteLerOMes(), "ciclosAteReler");
        QCOMPARE(ciclosAteLerOMes(), 2 * depois);
    }

    // A month chosen, the window closed 25 ticks later and opened again: the display still ends
    // 30 ticks after it began, with both charts live, the export withdrawn and the indicator
    // hidden. (A later choice not restarting it: the panel's exibicaoDoHistorico.)
    void duraTrintaTiquesDesdeOInicio()
    {
        int segundos = 0;
        {
            historico::Exibicao e(segundos);
            e.exibirMesHistorico();
            e.mesCarregado(30);
            for (int t = 0; t < 25; ++t)
                QVERIFY(!e.tique());
            QVERIFY(e.mesHistorico() && e.exportacaoHabilitada() && e.contando());
        }
        historico::Exibicao e(segundos);
        e.exibirMesHistorico();
        e.exibirDiaHistorico();
        e.mesCarregado(5);
        for (int t = 0; t < 4; ++t)
            QVERIFY(!e.tique());
        QCOMPARE(e.segundosRestantes(), 1);
        QVERIFY(e.tique());
        QVERIFY(!e.mesHistorico() && !e.diaHistorico() && !e.exportacaoHabilitada() && !e.contando());
        QCOMPARE(e.relatorio(), Relatorio::Oculto);
        QCOMPARE(e.segundosRestantes(), 0);
        QCOMPARE(segundos, 0);
    }

    // Each row: month totals loaded one after the other (-1: the day is chosen), then what the menu item and
    // the indicator show.
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
            } else {
                e.exibirMesHistorico();
                e.mesCarregado(p);
            }
        }
        QTEST(e.exportacaoHabilitada(), "habilitada");
        QTEST(e.relatorio(), "relatorio");
    }
};

QTEST_GUILESS_MAIN(TesteNucleoAvancado)
#include "test_nucleoAvancado.moc"
