// Layout, adjustment, refresh, capacity and screen rules of the simple panel, without a window.
#include "regrasLotacao.h"
#include "regrasPainelSimples.h"

#include <QtTest>

using namespace regrasPainelSimples;

Q_DECLARE_METATYPE(regrasPainelSimples::Ajuste)
Q_DECLARE_METATYPE(regrasLotacao::Estado)
Q_DECLARE_METATYPE(dispositivoWindows::Tela)

namespace {

bool perto(double a, double b)
{
    return std::abs(a - b) < 1e-6;
}

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
    void geometria_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QRectF>("editor");
        QTest::addColumn<QRectF>("mensagem");
        QTest::addColumn<QRectF>("faixa");
        QTest::addColumn<QRectF>("legenda");
        QTest::addColumn<double>("topoBarra");
        QTest::newRow("1920x1080") << 1920 << 1080 << QRectF(192, 1026, 1536, 81)
                                   << QRectF(19.2, 1026, 1881.6, 49) << QRectF(1344, 1075.68, 1920, 17)
                                   << QRectF(16, 1036.8, 1862.4, 41) << 1077.84;
        QTest::newRow("1366x768") << 1366 << 768 << QRectF(136.6, 729.6, 1092.8, 81)
                                  << QRectF(13.66, 729.6, 1338.68, 49) << QRectF(956.2, 764.928, 1366, 17)
                                  << QRectF(16, 737.28, 1325.02, 41) << 766.464;
        QTest::newRow("3840x2160") << 3840 << 2160 << QRectF(384, 2052, 3072, 81)
                                   << QRectF(38.4, 2052, 3763.2, 49) << QRectF(2688, 2151.36, 3840, 17)
                                   << QRectF(16, 2073.6, 3724.8, 41) << 2155.68;
    }
    void geometria()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QRectF, editor);
        QFETCH(QRectF, mensagem);
        QFETCH(QRectF, faixa);
        QFETCH(QRectF, legenda);
        QFETCH(double, topoBarra);
        const Geometria g = calcularGeometria(w, h);
        auto igual = [](const QRectF& a, const QRectF& b) {
            return perto(a.x(), b.x()) && perto(a.y(), b.y()) && perto(a.width(), b.width()) &&
                   perto(a.height(), b.height());
        };
        QVERIFY2(igual(g.txtInfoEmpresa, editor), "editor");
        QVERIFY2(igual(g.lblInfoEmpresa, mensagem), "mensagem");
        QVERIFY2(igual(g.frmDesconectado, faixa), "faixa");
        QVERIFY2(igual(g.lblLegendaDesconectado, legenda), "legenda");
        QVERIFY(perto(g.frmBarra.y(), topoBarra));
        QVERIFY(perto(g.txtOcultarMouse.y(), topoBarra));
        QCOMPARE(g.larguraNumeros, double(w));
    }

    // Presses repeated from the defaults: where the value ends, how many presses counted,
    // and where the number's top ends.
    void ajustes_data()
    {
        QTest::addColumn<Ajuste>("ajuste");
        QTest::addColumn<int>("vezes");
        QTest::addColumn<double>("fonteInicial");
        QTest::addColumn<double>("fonteFinal");
        QTest::addColumn<int>("aceitos");
        QTest::addColumn<double>("topoFinal");
        // Twelve presses from 200 reach 680; the top rises by 2 % of each new size.
        double topo = 32;
        for (int f = 240; f <= 680; f += 40)
            topo -= 0.02 * f;
        QTest::newRow("+ lotacao dezesseis vezes")
            << Ajuste::aumentarFonteLotacao << 16 << 200.0 << 680.0 << 12 << topo;
        QTest::newRow("- lotacao a partir de 80")
            << Ajuste::diminuirFonteLotacao << 3 << 80.0 << 40.0 << 1 << 32 + 0.02 * 40;
        QTest::newRow("- total a partir de 140")
            << Ajuste::diminuirFonteTotal << 5 << 140.0 << 60.0 << 2 << 384 + 0.02 * 100 + 0.02 * 60;
        QTest::newRow("legenda lotacao 30 para 34")
            << Ajuste::aumentarLegendaFonteLotacao << 1 << 30.0 << 34.0 << 1 << 32 + 2.72;
        QTest::newRow("legenda total ate 130")
            << Ajuste::aumentarLegendaFonteTotal << 40 << 30.0 << 130.0 << 25 << -1.0;
        QTest::newRow("legenda lotacao ate 18")
            << Ajuste::diminuirLegendaFonteLotacao << 10 << 30.0 << 18.0 << 3 << 32 - 0.08 * (26 + 22 + 18);
    }
    void ajustes()
    {
        QFETCH(Ajuste, ajuste);
        QFETCH(int, vezes);
        QFETCH(double, fonteInicial);
        QFETCH(double, fonteFinal);
        QFETCH(int, aceitos);
        QFETCH(double, topoFinal);
        Disposicao d = padrao1080();
        double* fonte = nullptr;
        double* topo = nullptr;
        switch (ajuste) {
        case Ajuste::aumentarFonteLotacao:
        case Ajuste::diminuirFonteLotacao:
            fonte = &d.lotacaoFonte;
            topo = &d.lotacaoTopo;
            break;
        case Ajuste::diminuirFonteTotal:
            fonte = &d.totalFonte;
            topo = &d.totalTopo;
            break;
        case Ajuste::aumentarLegendaFonteLotacao:
        case Ajuste::diminuirLegendaFonteLotacao:
            fonte = &d.legendaLotacaoFonte;
            topo = &d.lotacaoTopo;
            break;
        case Ajuste::aumentarLegendaFonteTotal:
            fonte = &d.legendaTotalFonte;
            topo = nullptr;
            break;
        default:
            QFAIL("caso sem alvo");
        }
        *fonte = fonteInicial;
        const double legendaAntes = d.legendaLotacaoTopo;
        int contados = 0;
        for (int i = 0; i < vezes; ++i)
            contados += aplicarAjuste(ajuste, d) ? 1 : 0;
        QCOMPARE(*fonte, fonteFinal);
        QCOMPARE(contados, aceitos);
        if (topo)
            QVERIFY2(perto(*topo, topoFinal), qPrintable(QString::number(*topo)));
        // A legend's size never moves the legend itself.
        QCOMPARE(d.legendaLotacaoTopo, legendaAntes);
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
        QTest::newRow("< de -90 passa uma vez")
            << Ajuste::posicaomenosLotacao << -90.0 << QList<bool>{true, false} << -110.0;
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

    // The message grows upward by 20 % of its new size and the label follows the editor.
    void fonteMensagem()
    {
        Disposicao d = padrao1080();
        QVERIFY(aplicarAjuste(Ajuste::aumentarFonteinfoEmpresa, d));
        QCOMPARE(d.txtInfoFonte, 20.0);
        QVERIFY(perto(d.txtInfoTopo, 1026 - 4.0));
        QCOMPARE(d.lblInfoFonte, 20.0);
        QCOMPARE(d.lblInfoTopo, d.txtInfoTopo);
        QVERIFY(aplicarAjuste(Ajuste::aumentarFonteinfoEmpresa, d));
        QVERIFY(aplicarAjuste(Ajuste::aumentarFonteinfoEmpresa, d));
        QVERIFY(!aplicarAjuste(Ajuste::aumentarFonteinfoEmpresa, d));
        QCOMPARE(d.txtInfoFonte, 24.0);
        for (int i = 0; i < 10; ++i)
            aplicarAjuste(Ajuste::diminuirFonteinfoEmpresa, d);
        QCOMPARE(d.txtInfoFonte, 10.0);
        QCOMPARE(d.lblInfoFonte, 10.0);
    }

    void padroes()
    {
        Disposicao d;
        d.lotacaoFonte = 480;
        d.totalFonte = 40;
        d.legendaLotacaoFonte = 90;
        d.txtInfoFonte = 24;
        d.lblInfoTopo = 900;
        redefinirPadroes(d, 1920, 1080);
        QCOMPARE(d.lotacaoFonte, 200.0);
        QCOMPARE(d.totalFonte, 200.0);
        QCOMPARE(d.lotacaoTopo, 32.0);
        QCOMPARE(d.totalTopo, 384.0);
        QCOMPARE(d.legendaLotacaoTopo, 8.0);
        QCOMPARE(d.legendaTotalTopo, 360.0);
        QCOMPARE(d.legendaLotacaoFonte, 30.0);
        QCOMPARE(d.legendaTotalFonte, 30.0);
        QVERIFY(perto(d.txtInfoTopo, 1025.1));
        QCOMPARE(d.txtInfoFonte, 18.0);
        QCOMPARE(d.lblInfoFonte, 18.0);
        QCOMPARE(d.lblInfoTopo, 900.0);
    }

    void tamanhoFonte_data()
    {
        QTest::addColumn<double>("fonte");
        QTest::addColumn<QString>("texto");
        QTest::newRow("200") << 200.0 << "20";
        QTest::newRow("245") << 245.0 << "24";
        QTest::newRow("40") << 40.0 << "4";
        QTest::newRow("680") << 680.0 << "68";
    }
    void tamanhoFonte()
    {
        QFETCH(double, fonte);
        QFETCH(QString, texto);
        QCOMPARE(textoTamanhoFonte(fonte), texto);
    }

    void cicloIntervalo_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QStringList>("seguintes");
        QTest::newRow("60s") << "60s" << QStringList{"10s", "20s", "30s", "40s", "50s", "60s", "10s"};
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
        QTest::newRow("60s") << "60s"
                             << "60s" << 6000;
        QTest::newRow("15s") << "15s"
                             << "15s" << 1500;
        QTest::newRow("vazio") << ""
                               << "60s" << 6000;
        QTest::newRow("sem numero") << "abc"
                                    << "60s" << 6000;
        QTest::newRow("zero") << "0s"
                              << "60s" << 6000;
        QTest::newRow("negativo") << "-10s"
                                  << "60s" << 6000;
        QTest::newRow("1s") << "1s"
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

    // "10s": the bar shows 0 ... 10 on eleven ticks and the request leaves on the eleventh.
    void ritmo()
    {
        int contador = 0;
        QList<int> barra;
        QList<int> pedidos;
        for (int t = 1; t <= 22; ++t) {
            const Tique r = tique(10, contador);
            barra.append(r.valorBarra);
            if (r.solicitar)
                pedidos.append(t);
        }
        QCOMPARE(barra.mid(0, 11), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(pedidos, (QList<int>{11, 22}));
        // "60s": 61 ticks of 6 s, 366 s.
        contador = 0;
        int t = 0;
        while (!tique(60, contador).solicitar)
            ++t;
        QCOMPARE((t + 1) * 6, 366);
    }

    // Lowering the interval below the counter: the bar stays in range and requests go on.
    void ritmoAoReduzirIntervalo()
    {
        int contador = 45;
        const Tique r = tique(10, contador);
        QCOMPARE(r.valorBarra, 10);
        QVERIFY(r.solicitar);
        QCOMPARE(contador, 0);
        QVERIFY(!tique(10, contador).solicitar);
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
        QTest::newRow("14 de 15") << "14" << 15 << 0 << E::aviso;
        QTest::newRow("aviso escolhido") << "50" << 100 << 50 << E::aviso;
        QTest::newRow("na maxima") << "100" << 100 << 0 << E::lotado;
        QTest::newRow("acima da maxima") << "130" << 100 << 0 << E::lotado;
        QTest::newRow("aviso acima da maxima") << "100" << 100 << 120 << E::lotado;
        QTest::newRow("maxima de 1") << "1" << 1 << 0 << E::lotado;
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
        QTest::newRow("uma, escolhida sumiu") << QList<Tela>{notebook} << QRect() << "HDMI-1" << 0;
        QTest::newRow("janela na esquerda")
            << QList<Tela>{notebook, tv} << QRect(100, 100, 600, 400) << "" << 1;
        QTest::newRow("janela na direita")
            << QList<Tela>{notebook, tv} << QRect(1500, 100, 600, 400) << "" << 0;
        QTest::newRow("janela entre as duas, mais na direita")
            << QList<Tela>{notebook, tv} << QRect(1200, 100, 600, 400) << "" << 0;
        QTest::newRow("janela oculta") << QList<Tela>{notebook, tv} << QRect() << "" << 1;
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
        QTest::newRow("1080") << 1080;
        QTest::newRow("768") << 768;
        QTest::newRow("1366x768 a 150%") << 512;
        QTest::newRow("1080p a 200%") << 540;
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

    void mensagem_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("brancos") << "  Bem-vindo  "
                                 << "Bem-vindo";
        QTest::newRow("brancos internos") << " Loja  Centro "
                                          << "Loja  Centro";
        QTest::newRow("so brancos") << "    "
                                    << "";
        QTest::newRow("vazio") << ""
                               << "";
    }
    void mensagem()
    {
        QFETCH(QString, editor);
        QFETCH(QString, texto);
        QCOMPARE(textoMensagem(editor), texto);
    }
};

QTEST_APPLESS_MAIN(TesteRegrasPainelSimples)
#include "test_regrasPainelSimples.moc"
