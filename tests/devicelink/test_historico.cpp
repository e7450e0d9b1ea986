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

#include <array>

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
            nullptr, m_banco,
            controle::Controle::Paineis{.simples = {}, .avancado = [this] { return m_painel.get(); }});
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

    // An hour left out or unreadable after a restart keeps what the file holds for it; the
    // rest of its page counts.
    void entradasUmaAUma()
    {
        tratar(4, [](int) { return 3; });
        tratar(5, [](int) { return 3; });
        m_c = std::make_unique<controle::Controle>(nullptr, m_banco);
        tratar(4, [](int h) { return h == 9 ? -1 : 5; });
        tratar(5, [](int h) { return h == 15 ? -2 : 5; });
        QCOMPARE(hora(u"hora10"_s),
                 cinco(5).repeated(9) + cinco(3) + cinco(5).repeated(5) + cinco(3) + cinco(5).repeated(8));
    }

    // Around midnight a reading goes under the day the device counted it in: the device's
    // clock may be ahead or behind the computer's, and its counts going back show when it
    // started its new day. Readings "dd/MM/yyyy hh:mm:ss /page finished running": the count
    // of the hours and days gone by, and of the running one (hour 23, today, today's total).
    void diaDoAparelho_data()
    {
        QTest::addColumn<QStringList>("leituras");
        QTest::addColumn<QString>("gravado"); // hour 23 of each day column | day 25 of April/May
        const QString antes = QStringLiteral("31/12/2024 23:30:00 /5 7 5");
        QTest::newRow("adiantado na virada do ano")
            << QStringList{antes, u"31/12/2024 23:58:30 /5 0 0"_s, u"01/01/2025 00:02:00 /5 0 0"_s}
            << u"12=00005 01=00000|"_s;
        QTest::newRow("atrasado na virada do ano")
            << QStringList{antes, u"31/12/2024 23:59:00 /5 7 6"_s, u"01/01/2025 00:01:00 /5 7 8"_s,
                           u"01/01/2025 00:02:00 /5 0 0"_s}
            << u"12=00008 01=00000|"_s;
        QTest::newRow("virada vista no total de hoje")
            << QStringList{u"30/04/2024 23:30:00 /6 0 50"_s, u"30/04/2024 23:30:00 /5 7 5"_s,
                           u"30/04/2024 23:59:00 /6 0 2"_s, u"30/04/2024 23:59:30 /5 7 9"_s}
            << u"04=00005 05=00009|"_s;
        QTest::newRow("fim de um mês de 30 dias nas páginas do mês")
            << QStringList{u"30/04/2024 23:30:00 /1 7 7"_s, u"30/04/2024 23:30:00 /2 7 7"_s,
                           u"30/04/2024 23:30:00 /3 7 7"_s, u"30/04/2024 23:50:00 /3 0 0"_s}
            << u"|2024=00007/00000"_s;
        QTest::newRow("ligado perto da meia-noite")
            << QStringList{u"31/12/2024 23:50:00 /5 7 7"_s, u"01/01/2025 00:20:00 /5 3 3"_s}
            << u"01=00003|"_s;
    }
    void diaDoAparelho()
    {
        QFETCH(QStringList, leituras);
        for (const QString& l : leituras) {
            const QStringList p = l.split(u' ');
            costuras::fixarRelogio(p[0], p[1]);
            const int n = p[2].mid(1).toInt();
            const int hoje = p[0].left(2).toInt();
            tratar(n, [&](int i) {
                return i == (n <= 3 ? hoje : n == 6 ? 35 : 23) ? p[4].toInt() : p[3].toInt();
            });
        }
        // Each day column touched here is the only one of its row.
        QTEST(apoio::consulta(
                  arquivo(),
                  u"SELECT coalesce((SELECT group_concat(mes || '=' || substr(coalesce(hora31, hora30, "
                  u"hora1), 116, 5), ' ') FROM Dias), '') || '|' || coalesce((SELECT group_concat(ano || "
                  u"'=' || substr(abr, 121, 5) || '/' || substr(mai, 121, 5)) FROM Meses), '')"_s),
              "gravado");
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
            << u"0000000000"_s;
        QTest::newRow("/3 sozinha no dia 1")
            << marco + QStringList{u"01/04/2024 /3"_s} << u"0"_s << false << u"0000000000"_s;
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

private:
    static void fixar(const char* data, const char* hora)
    {
        costuras::fixarRelogio(QString::fromLatin1(data), QString::fromLatin1(hora));
    }

    // Page n as the device sends it: days 1-12, 13-24, 25-31 for /1 to /3, hours 0-11 and
    // 12-23 for /4 and /5, the live counts for /6, each with the count `contagem` gives it
    // (-1 leaves the entry out, -2 garbles it).
    void tratar(int n, const Contagem& contagem)
    {
        const int de = std::array{1, 13, 25, 0, 12, 34}[static_cast<size_t>(n - 1)];
        const int ate = std::array{12, 24, 31, 11, 23, 35}[static_cast<size_t>(n - 1)];
        QList<apoio::Entrada> e;
        for (int i = de; i <= ate; ++i)
            if (const int v = contagem(i); v != -1)
                e.append({n <= 3 ? u"d"_s : u"h"_s, i, v == -2 ? QStringLiteral("00?00") : cinco(v)});
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
