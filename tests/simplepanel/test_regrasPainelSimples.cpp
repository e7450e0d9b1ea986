// Layout, adjustment, refresh, capacity and screen rules of the simple panel, without a window.
#include "regrasLotacao.h"
#include "regrasPainelSimples.h"

#include <QtTest>

using namespace regrasPainelSimples;

Q_DECLARE_METATYPE(regrasPainelSimples::Ajuste)
Q_DECLARE_METATYPE(regrasLotacao::Estado)
Q_DECLARE_METATYPE(dispositivoWindows::Tela)

namespace {

Disposicao padrao1080()
{
    Disposicao d;
    d.lotacaoTopo = 32;
    d.totalTopo = 384;
    d.legendaLotacaoTopo = 8;
    d.legendaTotalTopo = 360;
    d.txtInfoTopo = 1026;
    d.lblInfoTopo = 1026;
    return d;
}

} // namespace

class TesteRegrasPainelSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Presses repeated from the defaults stop at the limits and count only when they changed
    // something; the font size and the top stay in step.
    void limitesDosAjustes()
    {
        Disposicao d = padrao1080();
        int contados = 0;
        for (int i = 0; i < 16; ++i)
            contados += aplicarAjuste(Ajuste::aumentarFonteLotacao, d) ? 1 : 0;
        QCOMPARE(d.lotacaoFonte, 680.0);
        QCOMPARE(contados, 12);
        const double topo = d.lotacaoTopo;
        QVERIFY(!aplicarAjuste(Ajuste::aumentarFonteLotacao, d));
        QCOMPARE(d.lotacaoTopo, topo);
        d.lotacaoFonte = 80;
        QVERIFY(aplicarAjuste(Ajuste::diminuirFonteLotacao, d));
        QVERIFY(!aplicarAjuste(Ajuste::diminuirFonteLotacao, d));
        QCOMPARE(d.lotacaoFonte, 40.0);
        const double legenda = d.legendaLotacaoTopo;
        for (int i = 0; i < 40; ++i)
            aplicarAjuste(Ajuste::aumentarLegendaFonteTotal, d);
        QCOMPARE(d.legendaTotalFonte, 130.0);
        QCOMPARE(d.legendaLotacaoTopo, legenda);
    }

    void posicoes_data()
    {
        QTest::addColumn<Ajuste>("ajuste");
        QTest::addColumn<double>("inicial");
        QTest::addColumn<QList<bool>>("aceitos");
        QTest::addColumn<double>("final");
        QTest::newRow("> de 990") << Ajuste::posicaoLotacao << 990.0 << QList<bool>{true, false} << 1010.0;
        QTest::newRow("< ate -100") << Ajuste::posicaomenosTotal << -60.0 << QList<bool>{true, true, false}
                                    << -100.0;
    }
    // A number and its legend move together by 20 pixels.
    void posicoes()
    {
        QFETCH(Ajuste, ajuste);
        QFETCH(double, inicial);
        QFETCH(QList<bool>, aceitos);
        QFETCH(double, final);
        Disposicao d = padrao1080();
        const bool lotacao = ajuste == Ajuste::posicaoLotacao || ajuste == Ajuste::posicaomenosLotacao;
        double& topo = lotacao ? d.lotacaoTopo : d.totalTopo;
        double& legenda = lotacao ? d.legendaLotacaoTopo : d.legendaTotalTopo;
        topo = inicial;
        const double distancia = topo - legenda;
        for (bool esperado : aceitos)
            QCOMPARE(aplicarAjuste(ajuste, d), esperado);
        QCOMPARE(topo, final);
        QCOMPARE(topo - legenda, distancia);
    }

    void cicloIntervalo_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QStringList>("seguintes");
        QTest::newRow("15s guardado") << "15s" << QStringList{"25s", "35s", "45s", "55s", "65s", "10s"};
    }
    void cicloIntervalo()
    {
        QFETCH(QString, inicio);
        QFETCH(QStringList, seguintes);
        QString legenda = inicio;
        for (const QString& esperado : seguintes) {
            legenda = proximoIntervalo(legenda);
            QCOMPARE(legenda, esperado);
        }
    }

    void intervaloTimer_data()
    {
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QString>("valida");
        QTest::addColumn<int>("ms");
        QTest::newRow("10s") << "10s"
                             << "10s" << 1000;
        QTest::newRow("15s") << "15s"
                             << "15s" << 1500;
        QTest::newRow("sem numero") << "abc"
                                    << "60s" << 6000;
        QTest::newRow("negativo") << "-10s"
                                  << "60s" << 6000;
        QTest::newRow("9s") << "9s"
                            << "60s" << 6000;
        QTest::newRow("9,5s") << "9.5s"
                              << "60s" << 6000;
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
        QTest::newRow("abaixo do aviso") << "89" << 100 << 0 << E::normal;
        QTest::newRow("no aviso de 90%") << "90" << 100 << 0 << E::aviso;
        QTest::newRow("90% arredondado para cima") << "13" << 15 << 0 << E::normal;
        QTest::newRow("aviso escolhido") << "50" << 100 << 50 << E::aviso;
        QTest::newRow("na maxima") << "100" << 100 << 0 << E::lotado;
        QTest::newRow("aviso acima da maxima") << "100" << 100 << 120 << E::lotado;
        QTest::newRow("sem limite") << "99999" << 0 << 0 << E::normal;
        QTest::newRow("sem leitura") << "---" << 100 << 0 << E::normal;
    }
    void estadoLotacao()
    {
        QFETCH(QString, lotacao);
        QFETCH(int, maxima);
        QFETCH(int, aviso);
        QFETCH(regrasLotacao::Estado, estado);
        QCOMPARE(regrasLotacao::estado(lotacao, maxima, aviso), estado);
        const QColor branco(Qt::white);
        const QColor cor = regrasLotacao::cor(estado, branco);
        QCOMPARE(cor == branco, estado == regrasLotacao::Estado::normal);
        QCOMPARE(cor == regrasLotacao::cor(regrasLotacao::Estado::lotado, branco),
                 estado == regrasLotacao::Estado::lotado);
        // The message line changes only at the maximum.
        QCOMPARE(regrasLotacao::mensagem(estado, "Bem-vindo", "Aguarde"),
                 QString::fromLatin1(estado == regrasLotacao::Estado::lotado ? "Aguarde" : "Bem-vindo"));
    }

    void escolhaDeTela_data()
    {
        QTest::addColumn<QList<Tela>>("telas");
        QTest::addColumn<QRect>("principal");
        QTest::addColumn<QString>("escolhida");
        QTest::addColumn<int>("indice");
        const Tela notebook{"eDP-1", QRect(0, 0, 1366, 768)};
        const Tela tv{"HDMI-1", QRect(1366, 0, 1920, 1080)};
        const Tela monitor{"DP-1", QRect(-1280, 0, 1280, 1024)};
        QTest::newRow("nenhuma") << QList<Tela>{} << QRect() << "" << -1;
        QTest::newRow("janela na esquerda")
            << QList<Tela>{notebook, tv} << QRect(100, 100, 600, 400) << "" << 1;
        QTest::newRow("janela entre as duas, mais na direita")
            << QList<Tela>{notebook, tv} << QRect(1200, 100, 600, 400) << "" << 0;
        QTest::newRow("escolhida presente")
            << QList<Tela>{notebook, tv} << QRect(1500, 100, 600, 400) << "HDMI-1" << 1;
        QTest::newRow("escolhida sumiu")
            << QList<Tela>{notebook, tv} << QRect(1500, 100, 600, 400) << "VGA-1" << 0;
        QTest::newRow("tres, a maior das outras")
            << QList<Tela>{notebook, monitor, tv} << QRect(10, 10, 300, 200) << "" << 2;
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
        QTest::newRow("1366x768 a 150%") << 512;
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
        QCOMPARE(d.deslocamentos.size(), blocos.size());
        QVERIFY(topoFrame + d.tamanho.height() <= alturaTela);
        QMap<int, QList<std::pair<int, int>>> colunas;
        for (qsizetype i = 0; i < blocos.size(); ++i) {
            const QPoint p = d.deslocamentos.at(i);
            const int topo = blocos.at(i).topo + p.y();
            const int fim = blocos.at(i).fim + p.y();
            QVERIFY(topo >= 0);
            QVERIFY2(fim <= d.tamanho.height(), qPrintable(QString::number(i)));
            QVERIFY(p.x() + larguraColunaOpcoes <= d.tamanho.width());
            for (const auto& outro : colunas.value(p.x()))
                QVERIFY(fim <= outro.first || topo >= outro.second);
            colunas[p.x()].append({topo, fim});
        }
        // The capacity group always has a column of its own.
        QVERIFY(d.deslocamentos.last().x() > d.deslocamentos.at(3).x());
        if (alturaTela >= 768) {
            for (int i = 0; i < 4; ++i)
                QCOMPARE(d.deslocamentos.at(i), QPoint());
            QCOMPARE(d.tamanho, QSize(2 * larguraColunaOpcoes, 497));
        }
    }
};

QTEST_APPLESS_MAIN(TesteRegrasPainelSimples)
#include "test_regrasPainelSimples.moc"
