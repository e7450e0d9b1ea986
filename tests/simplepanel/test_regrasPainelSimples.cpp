// The simple panel's refresh, capacity, screen and options-frame rules, without a window.
#include "regrasLotacao.h"
#include "regrasPainelSimples.h"

#include <QtTest>

using namespace regrasPainelSimples;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(regrasLotacao::Estado)
Q_DECLARE_METATYPE(dispositivoWindows::Tela)

class TesteRegrasPainelSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void intervaloTimer_data()
    {
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QString>("valida");
        QTest::addColumn<int>("ms");
        QTest::newRow("10s") << "10s" << u"10s"_s << 1000;
        QTest::newRow("sem numero") << "abc" << u"60s"_s << 6000;
        QTest::newRow("negativo") << "-10s" << u"60s"_s << 6000;
        QTest::newRow("9s") << "9s" << u"60s"_s << 6000;
        QTest::newRow("9,5s") << "9.5s" << u"60s"_s << 6000;
    }
    // A damaged or too short caption must never make TimerLT flood the device.
    void intervaloTimer()
    {
        QFETCH(QString, legenda);
        QFETCH(QString, valida);
        QFETCH(int, ms);
        QCOMPARE(legendaIntervaloValida(legenda), valida);
        QCOMPARE(intervaloTimerMs(valida), ms);
        QVERIFY(intervaloTimerMs(legenda) >= 1);
    }

    void estadoLotacao_data()
    {
        using E = regrasLotacao::Estado;
        QTest::addColumn<QString>("lotacao");
        QTest::addColumn<int>("maxima");
        QTest::addColumn<int>("aviso");
        QTest::addColumn<E>("estado");
        QTest::newRow("abaixo do aviso") << u"89"_s << 100 << 0 << E::normal;
        QTest::newRow("no aviso de 90%") << u"90"_s << 100 << 0 << E::aviso;
        QTest::newRow("90% arredondado para cima") << u"13"_s << 15 << 0 << E::normal;
        QTest::newRow("aviso escolhido") << u"50"_s << 100 << 50 << E::aviso;
        QTest::newRow("na maxima") << u"100"_s << 100 << 0 << E::lotado;
        QTest::newRow("aviso acima da maxima") << u"100"_s << 100 << 120 << E::lotado;
        QTest::newRow("sem limite") << u"99999"_s << 0 << 0 << E::normal;
        QTest::newRow("sem leitura") << u"---"_s << 100 << 0 << E::normal;
    }
    void estadoLotacao()
    {
        QFETCH(QString, lotacao);
        QFETCH(int, maxima);
        QFETCH(int, aviso);
        QFETCH(regrasLotacao::Estado, estado);
        QCOMPARE(regrasLotacao::estado(lotacao, maxima, aviso), estado);
        // The message line changes only at the maximum.
        QCOMPARE(regrasLotacao::mensagem(estado, u"Bem-vindo"_s, u"Aguarde"_s),
                 estado == regrasLotacao::Estado::lotado ? u"Aguarde"_s : u"Bem-vindo"_s);
    }

    void escolhaDeTela_data()
    {
        QTest::addColumn<QList<Tela>>("telas");
        QTest::addColumn<QRect>("principal");
        QTest::addColumn<QString>("escolhida");
        QTest::addColumn<int>("indice");
        const Tela notebook{u"eDP-1"_s, QRect(0, 0, 1366, 768)};
        const Tela tv{u"HDMI-1"_s, QRect(1366, 0, 1920, 1080)};
        const Tela monitor{u"DP-1"_s, QRect(-1280, 0, 1280, 1024)};
        QTest::newRow("nenhuma") << QList<Tela>{} << QRect() << u""_s << -1;
        QTest::newRow("janela na esquerda")
            << QList<Tela>{notebook, tv} << QRect(100, 100, 600, 400) << u""_s << 1;
        QTest::newRow("janela entre as duas, mais na direita")
            << QList<Tela>{notebook, tv} << QRect(1200, 100, 600, 400) << u""_s << 0;
        QTest::newRow("escolhida presente")
            << QList<Tela>{notebook, tv} << QRect(1500, 100, 600, 400) << u"HDMI-1"_s << 1;
        QTest::newRow("escolhida sumiu")
            << QList<Tela>{notebook, tv} << QRect(1500, 100, 600, 400) << u"VGA-1"_s << 0;
        QTest::newRow("tres, a maior das outras")
            << QList<Tela>{notebook, monitor, tv} << QRect(10, 10, 300, 200) << u""_s << 2;
    }
    void escolhaDeTela()
    {
        QFETCH(QList<Tela>, telas);
        QFETCH(QRect, principal);
        QFETCH(QString, escolhida);
        QFETCH(int, indice);
        QCOMPARE(escolherTela(telas, principal, escolhida), indice);
    }

    void opcoesCabemNaTela_data()
    {
        QTest::addColumn<int>("alturaTela");
        QTest::newRow("768") << 768;
        QTest::newRow("1280x720 a 150%") << 480;
    }
    // Every group of the options frame, and so its "X", stays within the screen's height, and
    // groups sharing a column never overlap; a screen with room keeps the original column.
    void opcoesCabemNaTela()
    {
        QFETCH(int, alturaTela);
        constexpr int topoFrame = 120;
        const QList<BlocoOpcoes> blocos{{32, 129}, {152, 249}, {272, 313}, {328, 473}, {0, 217, true}};
        const DisposicaoOpcoes d = disporOpcoes(blocos, alturaTela - topoFrame);
        QVERIFY(topoFrame + d.tamanho.height() <= alturaTela);
        QMap<int, QList<std::pair<int, int>>> colunas;
        for (qsizetype i = 0; i < blocos.size(); ++i) {
            const QPoint p = d.deslocamentos.at(i);
            const int topo = blocos.at(i).topo + p.y();
            const int fim = blocos.at(i).fim + p.y();
            QVERIFY(topo >= 0 && fim <= d.tamanho.height());
            QVERIFY(p.x() + larguraColunaOpcoes <= d.tamanho.width());
            for (const auto& outro : colunas.value(p.x()))
                QVERIFY(fim <= outro.first || topo >= outro.second);
            colunas[p.x()].append({topo, fim});
        }
        // The capacity group always has a column of its own.
        QVERIFY(d.deslocamentos.last().x() > d.deslocamentos.at(3).x());
        if (alturaTela >= 768)
            QCOMPARE(d.deslocamentos.at(3), QPoint());
    }
};

QTEST_APPLESS_MAIN(TesteRegrasPainelSimples)
#include "test_regrasPainelSimples.moc"
