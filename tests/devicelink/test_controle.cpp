// Reply format, page routing, live counts and today's hours, on recorded panels.
#include "../apoio/paineisGravados.h"
#include "../apoio/resposta.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"

#include <QMap>
#include <QtTest>

namespace {

using apoio::Entrada;
using apoio::resposta;

// Every entry of every page: day d counts d, hour h counts 100 + h; 7 inside, 153 today.
QString todasAsPaginas()
{
    QList<Entrada> e;
    for (int d = 1; d <= 31; ++d)
        e << Entrada{"d", d, QStringLiteral("%1").arg(d, 5, 10, QChar(u'0'))};
    for (int h = 0; h <= 23; ++h)
        e << Entrada{"h", h, QStringLiteral("%1").arg(100 + h, 5, 10, QChar(u'0'))};
    e << Entrada{"h", 34, "00007"} << Entrada{"h", 35, "00153"};
    return resposta(e);
}

QStringList pontos(const QString& grafico, int de, int ate, const std::function<QString(int)>& valor)
{
    QStringList r;
    for (int i = de; i <= ate; ++i)
        r << QStringLiteral("%1[%2]=%3").arg(grafico).arg(i).arg(valor(i));
    return r;
}

} // namespace

using MapaHoras = QMap<int, QString>;

class TesteControle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_avancado = std::make_unique<PainelAvancadoGravado>();
        m_simples = std::make_unique<PainelSimplesGravado>();
        m_banco = banco::Banco();
        m_c = std::make_unique<controle::Controle>(nullptr, m_banco, controle::Controle::Paineis{[this] { return m_simples.get(); },
                                                 [this] { return m_avancado.get(); }});
    }
    void cleanup() { costuras::restaurar(); }

    void statusMarcador_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("aceita");
        QTest::newRow("exato") << QStringLiteral("\"status\":1,") << true;
        QTest::newRow("zero") << QStringLiteral("\"status\":0,") << false;
        QTest::newRow("branco após dois-pontos") << QStringLiteral("\"status\": 1,") << false;
        QTest::newRow("sem vírgula") << QStringLiteral("\"status\":1}") << false;
    }
    void statusMarcador()
    {
        QFETCH(QString, status);
        QFETCH(bool, aceita);
        const QString texto = resposta({{"h", 34, "00042"}, {"h", 35, "00100"}}, status);
        QCOMPARE(controle::respostaValida(texto), aceita);
        m_c->tratarResposta(texto, [] { return QStringLiteral("/6"); });
        QCOMPARE(m_avancado->log.contains(QStringLiteral("lotacao=42")), aceita);
        if (!aceita) {
            QVERIFY(m_avancado->log.isEmpty());
            QVERIFY(m_simples->log.isEmpty());
        }
    }

    void regraDoValor_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("marcador");
        QTest::addColumn<bool>("encontrado");
        QTest::addColumn<QString>("comoTexto");
        QTest::addColumn<QString>("comoNumero");
        QTest::newRow("seis caracteres quaisquer")
            << QStringLiteral("x\"h\":34,ab%$\n 00042zz") << "\"h\":34," << true << "00042"
            << "42";
        QTest::newRow("hora 1 não casa com 12 e 13")
            << QStringLiteral("\"h\":12,\"qt\":\"00012\",\"h\":13,\"qt\":\"00013\"") << "\"h\":1," << false
            << ""
            << "";
        QTest::newRow("hora 1 depois de 12")
            << QStringLiteral("\"h\":12,\"qt\":\"00012\",\"h\":1,\"qt\":\"00001\"") << "\"h\":1," << true
            << "00001"
            << "1";
        QTest::newRow("primeira ocorrência")
            << QStringLiteral("\"h\":7,\"qt\":\"00070\",\"h\":7,\"qt\":\"00099\"") << "\"h\":7," << true
            << "00070"
            << "70";
        QTest::newRow("campo cortado pelo fim")
            << QStringLiteral("\"h\":34,\"qt\":\"004") << "\"h\":34," << true << "00000"
            << "4";
        QTest::newRow("marcador no fim") << QStringLiteral("abc\"h\":34,") << "\"h\":34," << true << "00000"
                                         << "0";
        QTest::newRow("além de 32767") << QString(40000, u'.') + QStringLiteral("\"h\":34,\"qt\":\"01234\"")
                                       << "\"h\":34," << true << "01234"
                                       << "1234";
        QTest::newRow("campo não numérico")
            << QStringLiteral("\"h\":34,\"qt\":\"ab123\"") << "\"h\":34," << true << "ab123"
            << "0";
    }
    void regraDoValor()
    {
        QFETCH(QString, texto);
        QFETCH(QString, marcador);
        QFETCH(bool, encontrado);
        const std::optional<QString> campo = controle::lerValorCampo(texto, marcador);
        QCOMPARE(campo.has_value(), encontrado);
        if (!encontrado)
            return;
        QTEST(controle::comoTexto(*campo), "comoTexto");
        QTEST(controle::comoNumero(*campo), "comoNumero");
    }

    void roteamento_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QStringList>("esperado");
        const QStringList colunas = {"chartMes.Column=1", "chartDia.Column=1"};
        // Business hours 8 to 10; today is the 10th, so days 11 on count zero.
        auto dia = [](int d) {
            return d > 10 ? QStringLiteral("00000") : QStringLiteral("%1").arg(d, 5, 10, QChar(u'0'));
        };
        auto zero = [](int) { return QStringLiteral("00000"); };
        auto vazio = [](int) { return QString(); };
        const QStringList historico = {"totalMes=as 14:05:33", "pic_atualizarTotalMes"};
        const QStringList atualizando = {"agora=Atualizando...", "hoje=Atualizando...",
                                         "media=Atualizando..."};
        QTest::newRow("/0") << "/0" << colunas;
        QTest::newRow("/6") << "/6"
                            << colunas +
                                   QStringList{"lotacao=7",        "total=153",         "agora=as 14:05:33",
                                               "hoje=as 14:05:33", "media=as 14:05:33", "pic_atualizarAgora",
                                               "normalizar",       "chartDia.Column=1"} +
                                   pontos("chartDia", 1, 3, vazio);
        QTest::newRow("/1") << "/1"
                            << colunas + QStringList{"totalMes=Atualizando..."} +
                                   pontos("chartMes", 1, 12, dia) + QStringList{"mes=55"} + historico;
        QTest::newRow("/2") << "/2"
                            << colunas + pontos("chartMes", 13, 24, zero) + QStringList{"mes=0"} + historico;
        QTest::newRow("/3") << "/3"
                            << colunas + pontos("chartMes", 25, 31, zero) + QStringList{"mes=0"} + historico +
                                   QStringList{"mediaDia=0"};
        QTest::newRow("/4") << "/4"
                            << colunas + atualizando + QStringList{"chartDia.Column=1"} +
                                   pontos("chartDia", 1, 3, [](int r) {
                                       return QStringLiteral("001%1").arg(7 + r, 2, 10, QChar(u'0'));
                                   });
        QTest::newRow("/5") << "/5"
                            << colunas + QStringList{"chartDia.Column=1"} + pontos("chartDia", 1, 3, vazio) +
                                   QStringList{"mediaHora=---"};
        QTest::newRow("/7") << "/7" << colunas;
    }
    void roteamento()
    {
        QFETCH(QString, pagina);
        QFETCH(QStringList, esperado);
        int leituras = 0;
        m_c->tratarResposta(todasAsPaginas(), [&] {
            ++leituras;
            return pagina;
        });
        QCOMPARE(m_avancado->log, esperado);
        QCOMPARE(leituras, 6);
        const QStringList simples =
            pagina == QLatin1String("/6") ? QStringList{"lotacao=7", "total=153"} : QStringList{};
        QCOMPARE(m_simples->log, simples);
    }

    // A reply that lost entries on the way (cut short, mangled) changes nothing at all.
    void paginaIncompletaIgnorada_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QString>("texto");
        const QString todas = todasAsPaginas();
        // Cut inside the value of the page's last entry.
        const QList<std::pair<QString, QString>> ultimas = {{"/1", "\"d\":12,"}, {"/2", "\"d\":24,"},
                                                            {"/3", "\"d\":31,"}, {"/4", "\"h\":11,"},
                                                            {"/5", "\"h\":23,"}, {"/6", "\"h\":35,"}};
        for (const auto& [pg, marcador] : ultimas)
            QTest::newRow(qPrintable(pg + " cortada"))
                << pg << todas.left(todas.indexOf(marcador) + marcador.size() + 9);
        QString semDia20 = todas;
        semDia20.replace(QStringLiteral("{\"d\":20,\"qt\":\"00020\"},"), QString());
        QTest::newRow("/2 sem o dia 20") << "/2" << semDia20;
        QString letra = todas;
        letra.replace(QStringLiteral("\"h\":9,\"qt\":\"00109\""), QStringLiteral("\"h\":9,\"qt\":\"001O9\""));
        QTest::newRow("/4 letra no campo") << "/4" << letra;
        QString semTotal = todas;
        semTotal.replace(QStringLiteral("\"h\":35,"), QStringLiteral("\"h\":36,"));
        QTest::newRow("/6 sem total") << "/6" << semTotal;
    }
    void paginaIncompletaIgnorada()
    {
        QFETCH(QString, pagina);
        QFETCH(QString, texto);
        QVERIFY(controle::respostaValida(texto));
        m_c->tratarResposta(texto, [&] { return pagina; });
        QCOMPARE(m_avancado->log, (QStringList{"chartMes.Column=1", "chartDia.Column=1"}));
        QVERIFY(m_simples->log.isEmpty());
        for (const QString& h : m_c->horasHoje())
            QVERIFY(h.isEmpty());
        for (const QString& d : m_c->diasMes())
            QVERIFY(d.isEmpty());
    }

    void horas_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<MapaHoras>("esperado");
        QList<Entrada> manha;
        for (int h = 0; h <= 11; ++h)
            manha << Entrada{"h", h, QStringLiteral("000%1").arg(h + 10)};
        QList<Entrada> manhaAlta = manha;
        manhaAlta[9].valor = QStringLiteral("02500");
        QTest::newRow("/4 acima de 2000")
            << "/4" << resposta(manhaAlta) << MapaHoras{{8, "00018"}, {9, "00000"}, {10, "00020"}};
        QList<Entrada> manha2000 = manha;
        manha2000[9].valor = QStringLiteral("02000");
        QTest::newRow("/4 exatamente 2000") << "/4" << resposta(manha2000) << MapaHoras{{9, "02000"}};
        QList<Entrada> tarde;
        for (int h = 12; h <= 23; ++h)
            tarde << Entrada{"h", h, QStringLiteral("000%1").arg(h + 10)};
        tarde[3].valor = QStringLiteral("02500");
        QTest::newRow("/5 sem limite")
            << "/5" << resposta(tarde) << MapaHoras{{12, "00022"}, {15, "02500"}, {23, "00033"}};
        QList<Entrada> semNove = manha;
        semNove.removeAt(9);
        QTest::newRow("/4 marcador ausente mantém")
            << "/4" << resposta(semNove) << MapaHoras{{8, "00018"}, {9, "11111"}};
        QTest::newRow("/5 cortado pelo fim")
            << "/5" << QStringLiteral("\"status\":1,\"h\":12,\"qt\":\"00012\",\"h\":13,\"qt\":\"00")
            << MapaHoras{{12, "00012"}, {13, "00000"}, {14, "11111"}};
    }
    void horas()
    {
        QFETCH(QString, pagina);
        QFETCH(QString, texto);
        QFETCH(MapaHoras, esperado);
        controle::HorasDia horas;
        horas.fill(QStringLiteral("11111"));
        const controle::HorasDia antes = horas;
        if (pagina == QLatin1String("/4"))
            controle::lerHorasManha(texto, horas);
        else
            controle::lerHorasTarde(texto, horas);
        for (auto it = esperado.cbegin(); it != esperado.cend(); ++it)
            QCOMPARE(horas[static_cast<size_t>(it.key())], it.value());
        // The other half of the day and slot 24 are never touched.
        const int de = pagina == QLatin1String("/4") ? 12 : 0;
        const int ate = pagina == QLatin1String("/4") ? 24 : 11;
        for (int h = de; h <= ate; ++h)
            QCOMPARE(horas[static_cast<size_t>(h)], antes[static_cast<size_t>(h)]);
        QCOMPARE(horas[24], QStringLiteral("11111"));
    }

    void semPainelNaoFalha()
    {
        m_banco = banco::Banco();
        m_c = std::make_unique<controle::Controle>(nullptr, m_banco);
        for (const char* p : {"/0", "/1", "/2", "/3", "/4", "/5", "/6"})
            m_c->tratarResposta(todasAsPaginas(), [p] { return QString::fromLatin1(p); });
        QCOMPARE(m_c->horasHoje()[0], QStringLiteral("00100"));
        QCOMPARE(m_c->diasMes()[9], QStringLiteral("00010"));
        QCOMPARE(m_c->totalVisitasMes(), 55.0);
    }

private:
    banco::Banco m_banco;
    std::unique_ptr<controle::Controle> m_c;
    std::unique_ptr<PainelAvancadoGravado> m_avancado;
    std::unique_ptr<PainelSimplesGravado> m_simples;
};

QTEST_GUILESS_MAIN(TesteControle)
#include "test_controle.moc"
