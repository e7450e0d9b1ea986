// Reply format, page routing, live counts and today's hours, on recorded panels.
#include "../apoio/paineisGravados.h"
#include "../apoio/resposta.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using apoio::Entrada;
using apoio::resposta;

// Every entry of every page: day d counts d, hour h counts 100 + h; 7 inside, 153 today.
QString todasAsPaginas()
{
    QList<Entrada> e;
    for (int d = 1; d <= 31; ++d)
        e << Entrada{u"d"_s, d, apoio::cinco(d)};
    for (int h = 0; h <= 23; ++h)
        e << Entrada{u"h"_s, h, apoio::cinco(100 + h)};
    e << Entrada{u"h"_s, 34, u"00007"_s} << Entrada{u"h"_s, 35, u"00153"_s};
    return resposta(e);
}

// Chart points from row `de` to `ate`.
QMap<int, QString> faixa(int de, int ate, const std::function<QString(int)>& valor)
{
    QMap<int, QString> r;
    for (int i = de; i <= ate; ++i)
        r[i] = valor(i);
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
        m_c = std::make_unique<controle::Controle>(
            nullptr, m_banco,
            controle::Controle::Paineis{.simples = [this] { return m_simples.get(); },
                                        .avancado = [this] { return m_avancado.get(); }});
    }
    void cleanup() { costuras::restaurar(); }

    // The field is the five characters six after the marker, "00000" when the reply ends first.
    void regraDoValor_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("marcador");
        QTest::addColumn<QString>("comoTexto"); // "-" when the marker is not found
        QTest::addColumn<QString>("comoNumero");
        auto linha = [](const char* nome, QString texto, QString marcador, QString t, QString n) {
            QTest::newRow(nome) << texto << marcador << t << n;
        };
        linha("seis caracteres quaisquer", u"x\"h\":34,ab%$\n 00042zz"_s, u"\"h\":34,"_s, u"00042"_s,
              u"42"_s);
        linha("hora 1 não casa com 12", u"\"h\":12,\"qt\":\"00012\""_s, u"\"h\":1,"_s, u"-"_s, u""_s);
        linha("primeira ocorrência", u"\"h\":7,\"qt\":\"00070\",\"h\":7,\"qt\":\"00099\""_s, u"\"h\":7,"_s,
              u"00070"_s, u"70"_s);
        linha("cortado pelo fim", u"\"h\":34,\"qt\":\"004"_s, u"\"h\":34,"_s, u"00000"_s, u"4"_s);
        linha("não numérico", u"\"h\":34,\"qt\":\"ab123\""_s, u"\"h\":34,"_s, u"ab123"_s, u"0"_s);
    }
    void regraDoValor()
    {
        QFETCH(QString, texto);
        QFETCH(QString, marcador);
        QFETCH(QString, comoTexto);
        const std::optional<QString> campo = controle::lerValorCampo(texto, marcador);
        QCOMPARE(campo.has_value(), comoTexto != QLatin1String("-"));
        if (campo) {
            QCOMPARE(controle::comoTexto(*campo), comoTexto);
            QTEST(controle::comoNumero(*campo), "comoNumero");
        }
    }

    // What each page changes on the panels: the figures and stamps in order, the chart points.
    void roteamento_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QStringList>("rotulos");
        QTest::addColumn<MapaHoras>("mes");
        QTest::addColumn<MapaHoras>("dia");
        // Business hours 8 to 10; today is the 10th, so days 11 on count zero.
        auto dia = [](int d) { return apoio::cinco(d > 10 ? 0 : d); };
        auto zero = [](int) { return QStringLiteral("00000"); };
        auto vazio = [](int) { return QString(); };
        const QString as = QStringLiteral("as 14:05:33");
        const QString at = QStringLiteral("Atualizando...");
        auto linha = [](const QString& pg, const QStringList& rotulos, const MapaHoras& m,
                        const MapaHoras& d) { QTest::newRow(qPrintable(pg)) << pg << rotulos << m << d; };
        linha(u"/0"_s, {}, {}, {});
        linha(u"/6"_s, {u"lotacao=7"_s, u"total=153"_s, u"agora="_s + as, u"hoje="_s + as, u"media="_s + as},
              {}, faixa(1, 3, vazio));
        linha(u"/1"_s, {u"totalMes="_s + at, u"mes=55"_s, u"totalMes="_s + as}, faixa(1, 12, dia), {});
        linha(u"/2"_s, {u"mes=0"_s, u"totalMes="_s + as}, faixa(13, 24, zero), {});
        linha(u"/3"_s, {u"mes=0"_s, u"totalMes="_s + as, u"mediaDia=0"_s}, faixa(25, 31, zero), {});
        linha(u"/4"_s, {u"agora="_s + at, u"hoje="_s + at, u"media="_s + at, u"mediaHora=109"_s}, {},
              faixa(1, 3, [](int r) { return apoio::cinco(107 + r); }));
        linha(u"/5"_s, {u"mediaHora=---"_s}, {}, faixa(1, 3, vazio));
        linha(u"/7"_s, {}, {}, {});
    }
    void roteamento()
    {
        QFETCH(QString, pagina);
        m_c->tratarResposta(todasAsPaginas(), [&] { return pagina; });
        QTEST(m_avancado->log, "rotulos");
        QTEST(m_avancado->mes.dados, "mes");
        QTEST(m_avancado->dia.dados, "dia");
        QCOMPARE(m_simples->log,
                 (pagina == u"/6" ? QStringList{u"lotacao=7"_s, u"total=153"_s} : QStringList{}));
    }

    // A reply that lost entries on the way (cut short, mangled, refused) changes nothing at all.
    void paginaIncompletaIgnorada_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QString>("texto");
        const QString todas = todasAsPaginas();
        // Cut inside the value of the page's last entry.
        const QList<std::pair<QString, QString>> ultimas = {
            {u"/1"_s, u"\"d\":12,"_s}, {u"/2"_s, u"\"d\":24,"_s}, {u"/3"_s, u"\"d\":31,"_s},
            {u"/4"_s, u"\"h\":11,"_s}, {u"/5"_s, u"\"h\":23,"_s}, {u"/6"_s, u"\"h\":35,"_s}};
        for (const auto& [pg, marcador] : ultimas)
            QTest::newRow(qPrintable(pg + u" cortada"_s))
                << pg << todas.left(todas.indexOf(marcador) + marcador.size() + 9);
        QTest::newRow("/6 status 0") << "/6" << QString(todas).replace(u"\"status\":1"_s, u"\"status\":0"_s);
    }
    void paginaIncompletaIgnorada()
    {
        QFETCH(QString, pagina);
        QFETCH(QString, texto);
        m_c->tratarResposta(texto, [&] { return pagina; });
        QVERIFY(m_avancado->log.isEmpty() && m_simples->log.isEmpty());
        QVERIFY(m_avancado->mes.dados.isEmpty() && m_avancado->dia.dados.isEmpty());
        for (const QString& h : m_c->horasHoje())
            QVERIFY(h.isEmpty());
        for (const QString& d : m_c->diasMes())
            QVERIFY(d.isEmpty());
    }

    // Page /4 fills hours 0 to 11 and drops a count above 2000, /5 fills 12 to 23 as sent; an
    // entry missing or cut by the reply's end keeps what the hour held.
    void horas_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<int>("hora9");
        QTest::addColumn<MapaHoras>("esperado");
        QTest::newRow("/4 acima de 2000")
            << u"/4"_s << 2500 << MapaHoras{{8, u"00018"_s}, {9, u"00000"_s}, {11, u"00021"_s}};
        QTest::newRow("/4 exatamente 2000") << u"/4"_s << 2000 << MapaHoras{{9, u"02000"_s}};
        QTest::newRow("/5 sem limite")
            << u"/5"_s << 2500 << MapaHoras{{12, u"00022"_s}, {15, u"02500"_s}, {23, u"00033"_s}};
        QTest::newRow("/5 cortado pelo fim")
            << u"/5"_s << -1 << MapaHoras{{12, u"00022"_s}, {13, u"11111"_s}, {14, u"11111"_s}};
    }
    void horas()
    {
        QFETCH(QString, pagina);
        QFETCH(int, hora9);
        QFETCH(MapaHoras, esperado);
        const bool manha = pagina == u"/4";
        QList<Entrada> e;
        for (int h = manha ? 0 : 12; h <= (manha ? 11 : 23); ++h)
            e << Entrada{u"h"_s, h, apoio::cinco(h == (manha ? 9 : 15) ? hora9 : h + 10)};
        QString texto = resposta(e);
        if (hora9 < 0)
            texto = texto.left(texto.indexOf(u"\"h\":13,") + 15);
        controle::HorasDia horas;
        horas.fill(QStringLiteral("11111"));
        manha ? controle::lerHorasManha(texto, horas) : controle::lerHorasTarde(texto, horas);
        for (auto it = esperado.cbegin(); it != esperado.cend(); ++it)
            QCOMPARE(horas[static_cast<size_t>(it.key())], it.value());
        // The other half of the day and slot 24 are never touched.
        for (int h = manha ? 12 : 0; h <= (manha ? 24 : 11); ++h)
            QCOMPARE(horas[static_cast<size_t>(h)], QStringLiteral("11111"));
    }

    // With no panel open, every page is still read into the counts.
    void semPainelNaoFalha()
    {
        m_c = std::make_unique<controle::Controle>(nullptr, m_banco);
        for (const char* p : {"/1", "/2", "/3", "/4", "/5", "/6"})
            m_c->tratarResposta(todasAsPaginas(), [p] { return QString::fromLatin1(p); });
        QCOMPARE(m_c->horasHoje()[0] + m_c->diasMes()[9], QStringLiteral("0010000010"));
    }

private:
    banco::Banco m_banco;
    std::unique_ptr<controle::Controle> m_c;
    std::unique_ptr<PainelAvancadoGravado> m_avancado;
    std::unique_ptr<PainelSimplesGravado> m_simples;
};

QTEST_GUILESS_MAIN(TesteControle)
#include "test_controle.moc"
