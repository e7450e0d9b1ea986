// Month and day history: the month pages and page /5 as they reach the database.
#include "../apoio/bancoTeste.h"
#include "../apoio/paineisGravados.h"
#include "../apoio/resposta.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "mensagens.h"
#include "textos.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using apoio::cinco;
using apoio::resposta;

// Month page n (1 to 3) with the count of day d given by `contagem`.
QString paginaMes(int n, const std::function<int(int)>& contagem)
{
    const int de = n == 1 ? 1 : n == 2 ? 13 : 25;
    const int ate = n == 1 ? 12 : n == 2 ? 24 : 31;
    QList<apoio::Entrada> e;
    for (int d = de; d <= ate; ++d)
        e.append({"d", d, cinco(contagem(d))});
    return resposta(e);
}

QString paginaHoras(int n, const std::function<int(int)>& contagem)
{
    QList<apoio::Entrada> e;
    for (int h = n == 4 ? 0 : 12; h <= (n == 4 ? 11 : 23); ++h)
        e.append({"h", h, cinco(contagem(h))});
    return resposta(e);
}

} // namespace

class TesteHistorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_mensagens.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_mensagens << p.texto;
            return mensagens::Resposta::Ok;
        });
        m_painel = std::make_unique<PainelAvancadoGravado>();
        m_banco = banco::Banco();
        m_c = std::make_unique<controle::Controle>(nullptr, m_banco, controle::Controle::Paineis{{}, [this] { return m_painel.get(); }});
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
    }

    void cicloCompletoDoMes()
    {
        // The device sends 7 for every day, days to come included.
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 7; }), n);
        const QString serie = campo("Meses", "mar", "ano = '2024'");
        QCOMPARE(serie.size(), 160);
        QCOMPARE(serie.left(50), QString(10, u'x').replace(QStringLiteral("x"), QStringLiteral("00007")));
        QCOMPARE(serie.mid(50), QString(110, u'0'));
        // Ten days of 7 visits; the mean is over the days with visits.
        QCOMPARE(ultimo("mes="), QStringLiteral("70"));
        QCOMPARE(ultimo("mediaDia="), QStringLiteral("7"));
        QCOMPARE(m_painel->mes.dados.value(11), QStringLiteral("00000"));
        QCOMPARE(m_painel->mes.rotulos.value(31), QStringLiteral("31"));
        QVERIFY(m_mensagens.isEmpty());
    }

    void paginaDoisAvulsaIgnorada()
    {
        tratar(paginaMes(1, [](int) { return 1; }), 1);
        tratar(paginaMes(2, [](int) { return 1; }), 2);
        m_painel->mesCompleto = true;
        costuras::fixarRelogio(QStringLiteral("20/03/2024"), QStringLiteral("14:05:33"));
        const controle::DiasMes antes = m_c->diasMes();
        const double total = m_c->totalVisitasMes();
        const auto pontos = m_painel->mes.dados;
        tratar(paginaMes(2, [](int) { return 9; }), 2);
        QCOMPARE(m_c->diasMes(), antes);
        QCOMPARE(m_c->totalVisitasMes(), total);
        QCOMPARE(m_painel->mes.dados, pontos);
    }

    void paginaTresAvulsaNaoSomaDeNovo()
    {
        costuras::fixarRelogio(QStringLiteral("28/03/2024"), QStringLiteral("14:05:33"));
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 2; }), n);
        QCOMPARE(ultimo("mes="), QStringLiteral("56"));
        m_painel->mesCompleto = true;
        tratar(paginaMes(3, [](int) { return 2; }), 3);
        // The total stays the sum of the month's days, however often "/3" comes alone.
        QCOMPARE(ultimo("mes="), QStringLiteral("56"));
        tratar(paginaMes(3, [](int) { return 2; }), 3);
        QCOMPARE(ultimo("mes="), QStringLiteral("56"));
        QCOMPARE(ultimo("mediaDia="), QStringLiteral("2"));
        QCOMPARE(campo("Meses", "mar", "ano = '2024'").left(140),
                 QString(28, u'x').replace(QStringLiteral("x"), QStringLiteral("00002")));
    }

    void mesExcluidoVoltaNaProximaLeitura()
    {
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 3; }), n);
        QVERIFY(m_banco.excluirMes(QStringLiteral("2024"), 3));
        QCOMPARE(campo("Meses", "mar", "ano = '2024'"), QString(155, u'0'));
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 3; }), n);
        QCOMPARE(campo("Meses", "mar", "ano = '2024'").left(10), QStringLiteral("0000300003"));
    }

    void anoNovoGanhaLinha()
    {
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 1; }), n);
        costuras::fixarRelogio(QStringLiteral("05/01/2025"), QStringLiteral("10:00:00"));
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 4; }), n);
        QCOMPARE(campo("Meses", "count(*)", "ano = '2025'"), QStringLiteral("1"));
        QCOMPARE(campo("Meses", "jan", "ano = '2025'").left(30),
                 QStringLiteral("000040000400004000040000400000"));
        QVERIFY(campo("Meses", "mar", "ano = '2025'").isEmpty());
        QVERIFY(campo("Meses", "jan", "ano = '2024'").isEmpty());
        QCOMPARE(campo("Meses", "mar", "ano = '2024'").left(5), QStringLiteral("00001"));
    }

    // A page lost at the first reading (a month page, the morning) must not blank what the
    // file holds: nothing is recorded until every slot was read.
    void paginaPerdidaNaoGrava_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::newRow("só /3") << 3;
        QTest::newRow("só /5") << 5;
    }
    void paginaPerdidaNaoGrava()
    {
        QFETCH(int, pagina);
        tratar(pagina == 3 ? paginaMes(3, [](int) { return 5; }) : paginaHoras(5, [](int) { return 3; }),
               pagina);
        QCOMPARE(campo("Meses", "count(*)", "1"), QStringLiteral("0"));
        QCOMPARE(campo("Dias", "count(*)", "1"), QStringLiteral("0"));
    }

    void mediaHoraria_data()
    {
        QTest::addColumn<int>("inicio");
        QTest::addColumn<int>("fim");
        QTest::addColumn<QString>("media");
        // Visits in hours 9 and 10 (12 and 30), and 50 at hour 7 and 40 at hour 19.
        QTest::newRow("8 a 18") << 8 << 18 << "21";
        QTest::newRow("sem visitas no expediente") << 11 << 18 << "---";
        QTest::newRow("o dia todo") << 0 << 23 << "33";
        QTest::newRow("início depois do fim") << 12 << 11 << "---";
    }
    void mediaHoraria()
    {
        QFETCH(int, inicio);
        QFETCH(int, fim);
        m_painel->inicio = inicio;
        m_painel->fim = fim;
        auto contagem = [](int h) { return h == 9 ? 12 : h == 10 ? 30 : h == 7 ? 50 : h == 19 ? 40 : 0; };
        tratar(paginaHoras(4, contagem), 4);
        tratar(paginaHoras(5, contagem), 5);
        QTEST(ultimo("mediaHora="), "media");
        // All 24 hours are recorded whatever the business hours.
        const QString serie = campo("Dias", "hora10", "ano = '2024' AND mes = '03'");
        QCOMPARE(serie.size(), 120);
        QCOMPARE(serie.mid(35, 20), QStringLiteral("00050000000001200030"));
        QCOMPARE(serie.mid(95, 5), QStringLiteral("00040"));
    }

    void diaVaiParaSuaColuna_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("mes");
        QTest::newRow("dia 31") << "31/03/2024"
                                << "hora31"
                                << "03";
        QTest::newRow("dia 1") << "01/12/2024"
                               << "hora1"
                               << "12";
    }
    void diaVaiParaSuaColuna()
    {
        QFETCH(QString, data);
        QFETCH(QString, coluna);
        QFETCH(QString, mes);
        costuras::fixarRelogio(data, QStringLiteral("20:00:00"));
        tratar(paginaHoras(4, [](int h) { return h; }), 4);
        tratar(paginaHoras(5, [](int h) { return h; }), 5);
        const QString filtro = QStringLiteral("ano = '2024' AND mes = '%1'").arg(mes);
        QCOMPARE(campo("Dias", "count(*)", filtro), QStringLiteral("1"));
        QCOMPARE(campo("Dias", coluna, filtro).right(5), QStringLiteral("00023"));
        // Only today's column of the new month's row is filled.
        QCOMPARE(campo("Dias", "count(*)", filtro + QStringLiteral(" AND hora2 IS NULL")),
                 QStringLiteral("1"));
    }

    // A reply handled as the clock passes midnight: the clock reads the old date `leituras`
    // times, the new one afterwards. One reply is one date: its record goes to the old
    // date's row and column, or nowhere when the pages held belong to another date.
    void meiaNoite_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<int>("leituras");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("gravado");
        const QString meses =
            QStringLiteral("SELECT group_concat(ano || iif(coalesce(jan, '') <> '', ' jan', '') || "
                           "iif(coalesce(dez, '') <> '', ' dez', ''), ',') FROM Meses");
        const QString dias =
            QStringLiteral("SELECT group_concat(ano || '-' || mes || iif(coalesce(hora1, '') <> '', "
                           "' hora1', '') || iif(coalesce(hora31, '') <> '', ' hora31', ''), ',') FROM Dias");
        for (int k : {1, 3})
            QTest::newRow(qPrintable(QStringLiteral("/3 em 31/12, virando após %1 leituras").arg(k)))
                << 3 << k << meses << "2024 dez";
        QTest::newRow("/3 já em 01/01 depois de /1 e /2 em 31/12") << 3 << 0 << meses << "";
        for (int k : {1, 3})
            QTest::newRow(qPrintable(QStringLiteral("/5 em 31/12, virando após %1 leituras").arg(k)))
                << 5 << k << dias << "2024-12 hora31";
        QTest::newRow("/5 já em 01/01 depois de /4 em 31/12") << 5 << 0 << dias << "";
    }
    void meiaNoite()
    {
        QFETCH(int, pagina);
        QFETCH(int, leituras);
        QFETCH(QString, consulta);
        costuras::fixarRelogio(QStringLiteral("31/12/2024"), QStringLiteral("23:59:50"));
        if (pagina == 3) {
            tratar(paginaMes(1, [](int) { return 7; }), 1);
            tratar(paginaMes(2, [](int) { return 7; }), 2);
        } else {
            tratar(paginaHoras(4, [](int) { return 7; }), 4);
        }
        QCOMPARE(campo("Meses", "count(*)", "1"), QStringLiteral("0"));
        QCOMPARE(campo("Dias", "count(*)", "1"), QStringLiteral("0"));
        const QDateTime velho(QDate(2024, 12, 31), QTime(23, 59, 59, 999));
        const QDateTime novo(QDate(2025, 1, 1), QTime(0, 0));
        int lidas = 0;
        costuras::relogio = [&] { return lidas++ < leituras ? velho : novo; };
        if (pagina == 3)
            tratar(paginaMes(3, [](int) { return 7; }), 3);
        else
            tratar(paginaHoras(5, [](int) { return 7; }), 5);
        QTEST(apoio::consulta(m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")), consulta), "gravado");
    }

    // Days held from last month are not this month's: neither in its total nor in its column.
    void mesNovo_data()
    {
        QTest::addColumn<QStringList>("leituras"); // "dd/MM/yyyy /n"
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("lido");
        QTest::addColumn<QString>("abril");
        QTest::newRow("/1 sozinha no dia 1")
            << QStringList{"31/03/2024 /1", "31/03/2024 /2", "31/03/2024 /3", "01/04/2024 /1"} << "5" << false
            << "";
        QTest::newRow("leitura completa passando da meia-noite")
            << QStringList{"31/03/2024 /1", "31/03/2024 /2", "01/04/2024 /3"} << "0" << false << "";
        QTest::newRow("/3 sozinha no dia 1")
            << QStringList{"31/03/2024 /1", "31/03/2024 /2", "31/03/2024 /3", "01/04/2024 /3"} << "0" << false
            << "";
        QTest::newRow("e a leitura completa seguinte")
            << QStringList{"31/03/2024 /1", "31/03/2024 /2", "31/03/2024 /3", "01/04/2024 /1",
                           "01/04/2024 /1", "01/04/2024 /2", "01/04/2024 /3"}
            << "5" << true << "0000500000";
    }
    void mesNovo()
    {
        QFETCH(QStringList, leituras);
        for (const QString& l : leituras) {
            costuras::fixarRelogio(l.left(10), QStringLiteral("10:00:00"));
            const int n = l.right(1).toInt();
            // March's days hold 7 visits each, April's 5.
            tratar(paginaMes(n, [&l](int) { return l.mid(3, 2) == QLatin1String("03") ? 7 : 5; }), n);
        }
        QTEST(strings::textoNumero(m_c->totalVisitasMes()), "total");
        QTEST(m_c->mesLidoPorInteiro(), "lido");
        QTEST(campo("Meses", "abr", "ano = '2024'").left(10), "abril");
        QCOMPARE(ultimo("mes="), strings::textoNumero(m_c->totalVisitasMes()));
        // The month chart shows no March day either.
        for (int d = 2; d <= 31; ++d)
            QCOMPARE(m_painel->mes.dados.value(d), QStringLiteral("00000"));
    }

    // Before noon the cycle asks only for the morning page; each one is recorded.
    void manhaGravadaACadaLeitura()
    {
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("09:00:00"));
        tratar(paginaHoras(4, [](int h) { return h; }), 4);
        tratar(paginaHoras(5, [](int) { return 0; }), 5);
        for (int k = 2; k <= 4; ++k) {
            tratar(paginaHoras(4, [k](int h) { return k * h; }), 4);
            const QString serie = campo("Dias", "hora10", "ano = '2024' AND mes = '03'");
            QCOMPARE(serie.mid(5 * 9, 5), cinco(9 * k));
            QCOMPARE(serie.mid(5 * 11, 5), cinco(11 * k));
            QCOMPARE(serie.mid(5 * 12), QString(60, u'0'));
        }
    }

    // Hours read on another date are not today's: after midnight the new morning is not
    // recorded with yesterday's afternoon, and the cycle is told to read both pages again.
    void horasDeOntem()
    {
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("23:50:00"));
        tratar(paginaHoras(4, [](int) { return 3; }), 4);
        tratar(paginaHoras(5, [](int) { return 4; }), 5);
        const QString ontem = campo("Dias", "hora10", "ano = '2024' AND mes = '03'");
        QVERIFY(m_c->diaLidoPorInteiro());
        costuras::fixarRelogio(QStringLiteral("11/03/2024"), QStringLiteral("00:10:00"));
        QVERIFY(!m_c->diaLidoPorInteiro());
        tratar(paginaHoras(4, [](int) { return 1; }), 4);
        QVERIFY(campo("Dias", "hora11", "ano = '2024' AND mes = '03'").isEmpty());
        QVERIFY(!m_c->diaLidoPorInteiro());
        tratar(paginaHoras(5, [](int) { return 0; }), 5);
        QCOMPARE(campo("Dias", "hora11", "ano = '2024' AND mes = '03'"),
                 QString(12, u'x').replace(QStringLiteral("x"), QStringLiteral("00001")) + QString(60, u'0'));
        QCOMPARE(campo("Dias", "hora10", "ano = '2024' AND mes = '03'"), ontem);
    }

    void bancoAusenteAvisaENaoPara()
    {
        QFile::remove(m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")));
        for (int n = 1; n <= 3; ++n)
            tratar(paginaMes(n, [](int) { return 1; }), n);
        QCOMPARE(m_mensagens.size(), 1);
        QCOMPARE(ultimo("mes="), QStringLiteral("10"));
        QVERIFY(!QFile::exists(m_pasta.filePath(QStringLiteral("Fluxoradb.mdb"))));
    }

private:
    void tratar(const QString& texto, int pagina)
    {
        m_c->tratarResposta(texto, [pagina] { return QStringLiteral("/%1").arg(pagina); });
    }

    QString ultimo(const QString& prefixo) const
    {
        for (qsizetype i = m_painel->log.size() - 1; i >= 0; --i)
            if (m_painel->log[i].startsWith(prefixo))
                return m_painel->log[i].mid(prefixo.size());
        return QString();
    }

    QString campo(const QString& tabela, const QString& coluna, const QString& filtro)
    {
        return apoio::consulta(m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")),
                               QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(coluna, tabela, filtro));
    }

    QTemporaryDir m_pasta;
    QStringList m_mensagens;
    std::unique_ptr<PainelAvancadoGravado> m_painel;
    banco::Banco m_banco;
    std::unique_ptr<controle::Controle> m_c;
};

QTEST_GUILESS_MAIN(TesteHistorico)
#include "test_historico.moc"
