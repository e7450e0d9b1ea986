// Month and day history: the month pages and page /5 as they reach the database.
#include "../apoio/bancoTeste.h"
#include "../apoio/paineisGravados.h"
#include "../apoio/resposta.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "mensagens.h"
#include "textos.h"

#include <QTemporaryDir>
#include <QtTest>

using apoio::cinco;
using namespace Qt::StringLiterals;
using Contagem = std::function<int(int)>;

class TesteHistorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        fixar("10/03/2024", "14:05:33");
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_mensagens << p.texto;
            return mensagens::Resposta::Ok;
        });
        m_painel = std::make_unique<PainelAvancadoGravado>();
        m_banco = banco::Banco();
        m_c = std::make_unique<controle::Controle>(
            nullptr, m_banco, controle::Controle::Paineis{{}, [this] { return m_painel.get(); }});
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
    }

    void cicloCompletoDoMes()
    {
        // The device sends 7 for every day, days to come included.
        tratarMes([](int) { return 7; });
        const QString serie = mar();
        QCOMPARE(serie.size(), 160);
        QCOMPARE(serie.left(50), cinco(7).repeated(10));
        QCOMPARE(serie.mid(50), QString(110, u'0'));
        // Ten days of 7 visits; the mean is over the days with visits.
        QCOMPARE(ultimo(u"mes="_s), QStringLiteral("70"));
        QCOMPARE(ultimo(u"mediaDia="_s), QStringLiteral("7"));
        QCOMPARE(m_painel->mes.dados.value(11), QStringLiteral("00000"));
        QVERIFY(m_mensagens.isEmpty());
    }

    // The total stays the sum of the month's days, however often "/3" comes alone.
    void paginaTresAvulsaNaoSomaDeNovo()
    {
        fixar("28/03/2024", "14:05:33");
        tratarMes([](int) { return 2; });
        m_painel->mesCompleto = true;
        for (int k = 0; k < 2; ++k) {
            tratar(3, [](int) { return 2; });
            QCOMPARE(ultimo(u"mes="_s), QStringLiteral("56"));
        }
        QCOMPARE(mar().left(140), cinco(2).repeated(28));
    }

    void anoNovoGanhaLinha()
    {
        tratarMes([](int) { return 1; });
        fixar("05/01/2025", "10:00:00");
        tratarMes([](int) { return 4; });
        QCOMPARE(campo(u"Meses"_s, u"count(*)"_s, u"ano = '2025'"_s), QStringLiteral("1"));
        QCOMPARE(campo(u"Meses"_s, u"jan"_s, u"ano = '2025'"_s).left(30), cinco(4).repeated(5) + cinco(0));
        QVERIFY(campo(u"Meses"_s, u"mar"_s, u"ano = '2025'"_s).isEmpty());
        QVERIFY(campo(u"Meses"_s, u"jan"_s, u"ano = '2024'"_s).isEmpty());
        QCOMPARE(mar().left(5), QStringLiteral("00001"));
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
        tratar(pagina, [](int) { return 3; });
        QCOMPARE(campo(u"Meses"_s, u"count(*)"_s, u"1"_s) + campo(u"Dias"_s, u"count(*)"_s, u"1"_s),
                 QStringLiteral("00"));
    }

    // A reply handled as the clock passes midnight: the clock reads the old date `leituras`
    // times, the new one afterwards. One reply is one date: its record goes to the old
    // date's row and column, or nowhere when the pages held belong to another date.
    void meiaNoite_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<int>("leituras");
        QTest::addColumn<QString>("gravado");
        for (int k : {1, 3}) {
            QTest::addRow("/3 em 31/12, virando após %d leituras", k) << 3 << k << "2024 dez";
            QTest::addRow("/5 em 31/12, virando após %d leituras", k) << 5 << k << "2024-12 hora31";
        }
        QTest::newRow("/3 já em 01/01 depois de /1 e /2 em 31/12") << 3 << 0 << "";
        QTest::newRow("/5 já em 01/01 depois de /4 em 31/12") << 5 << 0 << "";
    }
    void meiaNoite()
    {
        QFETCH(int, pagina);
        QFETCH(int, leituras);
        fixar("31/12/2024", "23:59:50");
        for (int n = pagina == 3 ? 1 : 4; n < pagina; ++n)
            tratar(n, [](int) { return 7; });
        int lidas = 0;
        costuras::relogio = [&] {
            return lidas++ < leituras ? QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999))
                                      : QDateTime(QDate(2025, 1, 1), QTime(0, 0));
        };
        tratar(pagina, [](int) { return 7; });
        const QString sql =
            pagina == 3
                ? QStringLiteral("SELECT group_concat(ano || iif(coalesce(jan, '') <> '', ' jan', '') || "
                                 "iif(coalesce(dez, '') <> '', ' dez', ''), ',') FROM Meses")
                : QStringLiteral("SELECT group_concat(ano || '-' || mes || iif(coalesce(hora1, '') <> '', "
                                 "' hora1', '') || iif(coalesce(hora31, '') <> '', ' hora31', ''), ',') "
                                 "FROM Dias");
        QTEST(apoio::consulta(arquivo(), sql), "gravado");
    }

    // Days held from last month are not this month's: neither in its total nor in its column.
    void mesNovo_data()
    {
        QTest::addColumn<QStringList>("leituras"); // "dd/MM/yyyy /n"
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("lido");
        QTest::addColumn<QString>("abril");
        const QStringList marco{u"31/03/2024 /1"_s, u"31/03/2024 /2"_s, u"31/03/2024 /3"_s};
        QTest::newRow("/1 sozinha no dia 1")
            << marco + QStringList{u"01/04/2024 /1"_s} << u"5"_s << false << u""_s;
        QTest::newRow("leitura completa passando da meia-noite")
            << QStringList{u"31/03/2024 /1"_s, u"31/03/2024 /2"_s, u"01/04/2024 /3"_s} << u"0"_s << false
            << u""_s;
        QTest::newRow("/3 sozinha no dia 1")
            << marco + QStringList{u"01/04/2024 /3"_s} << u"0"_s << false << u""_s;
        QTest::newRow("e a leitura completa seguinte")
            << marco +
                   QStringList{u"01/04/2024 /1"_s, u"01/04/2024 /1"_s, u"01/04/2024 /2"_s, u"01/04/2024 /3"_s}
            << u"5"_s << true << "0000500000";
    }
    void mesNovo()
    {
        QFETCH(QStringList, leituras);
        for (const QString& l : leituras) {
            costuras::fixarRelogio(l.left(10), QStringLiteral("10:00:00"));
            // March's days hold 7 visits each, April's 5.
            tratar(l.right(1).toInt(), [&l](int) { return l.mid(3, 2) == QLatin1String("03") ? 7 : 5; });
        }
        QTEST(strings::textoNumero(m_c->totalVisitasMes()), "total");
        QTEST(m_c->mesLidoPorInteiro(), "lido");
        QTEST(campo(u"Meses"_s, u"abr"_s, u"ano = '2024'"_s).left(10), "abril");
        QCOMPARE(ultimo(u"mes="_s), strings::textoNumero(m_c->totalVisitasMes()));
        // The month chart shows no March day either.
        for (int d = 2; d <= 31; ++d)
            QCOMPARE(m_painel->mes.dados.value(d), QStringLiteral("00000"));
    }

    // Before noon the cycle asks only for the morning page; each one is recorded.
    void manhaGravadaACadaLeitura()
    {
        fixar("10/03/2024", "09:00:00");
        tratar(4, [](int h) { return h; });
        tratar(5, [](int) { return 0; });
        for (int k = 2; k <= 3; ++k) {
            tratar(4, [k](int h) { return k * h; });
            QCOMPARE(hora(u"hora10"_s).mid(45),
                     cinco(9 * k) + cinco(10 * k) + cinco(11 * k) + QString(60, u'0'));
        }
    }

    // Hours read on another date are not today's: after midnight the new morning is not
    // recorded with yesterday's afternoon, and the cycle is told to read both pages again.
    void horasDeOntem()
    {
        fixar("10/03/2024", "23:50:00");
        tratar(4, [](int) { return 3; });
        tratar(5, [](int) { return 4; });
        const QString ontem = hora(u"hora10"_s);
        QVERIFY(m_c->diaLidoPorInteiro());
        fixar("11/03/2024", "00:10:00");
        QVERIFY(!m_c->diaLidoPorInteiro());
        tratar(4, [](int) { return 1; });
        QVERIFY(hora(u"hora11"_s).isEmpty());
        QVERIFY(!m_c->diaLidoPorInteiro());
        tratar(5, [](int) { return 0; });
        QCOMPARE(hora(u"hora11"_s), cinco(1).repeated(12) + QString(60, u'0'));
        QCOMPARE(hora(u"hora10"_s), ontem);
    }

private:
    static void fixar(const char* data, const char* hora)
    {
        costuras::fixarRelogio(QString::fromLatin1(data), QString::fromLatin1(hora));
    }

    // Page n as the device sends it: days 1-12, 13-24, 25-31 for /1 to /3, hours 0-11 and
    // 12-23 for /4 and /5, each with the count `contagem` gives it.
    void tratar(int n, const Contagem& contagem)
    {
        const int de = n == 1 ? 1 : n == 2 ? 13 : n == 3 ? 25 : n == 4 ? 0 : 12;
        const int ate = n == 1 ? 12 : n == 2 ? 24 : n == 3 ? 31 : n == 4 ? 11 : 23;
        QList<apoio::Entrada> e;
        for (int i = de; i <= ate; ++i)
            e.append({n <= 3 ? u"d"_s : u"h"_s, i, cinco(contagem(i))});
        m_c->tratarResposta(apoio::resposta(e), [n] { return QStringLiteral("/%1").arg(n); });
    }
    void tratarMes(const Contagem& contagem)
    {
        for (int n = 1; n <= 3; ++n)
            tratar(n, contagem);
    }

    QString ultimo(const QString& prefixo) const
    {
        for (qsizetype i = m_painel->log.size() - 1; i >= 0; --i)
            if (m_painel->log[i].startsWith(prefixo))
                return m_painel->log[i].mid(prefixo.size());
        return QString();
    }

    QString arquivo() const { return m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")); }
    QString campo(const QString& tabela, const QString& coluna, const QString& filtro)
    {
        return apoio::consulta(arquivo(),
                               QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(coluna, tabela, filtro));
    }
    QString mar() { return campo(u"Meses"_s, u"mar"_s, u"ano = '2024'"_s); }
    QString hora(const QString& coluna) { return campo(u"Dias"_s, coluna, u"ano = '2024' AND mes = '03'"_s); }

    QTemporaryDir m_pasta;
    QStringList m_mensagens;
    std::unique_ptr<PainelAvancadoGravado> m_painel;
    banco::Banco m_banco;
    std::unique_ptr<controle::Controle> m_c;
};

QTEST_GUILESS_MAIN(TesteHistorico)
#include "test_historico.moc"
