// Reply format, page routing, live counts and today's hours, on recorded panels.
#include "controle.h"
#include "costuras.h"

#include <QMap>
#include <QtTest>

namespace {

// A device reply: status line, headers and a body with the given entries ("h", n, value).
struct Entrada {
    QString chave;
    int numero;
    QString valor;
};

QString resposta(const QList<Entrada>& entradas, const QString& status = QStringLiteral("\"status\":1,"))
{
    QString corpo = QStringLiteral("{") + status + QStringLiteral("\"dados\":[");
    for (const Entrada& e : entradas)
        corpo += QStringLiteral("{\"%1\":%2,\"qt\":\"%3\"},").arg(e.chave).arg(e.numero).arg(e.valor);
    corpo += QStringLiteral("]}");
    return QStringLiteral("HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nServer: Arduino\r\n\r\n") +
           corpo + QString(600, u' ');
}

QString pagina6(const QString& lotacao, const QString& total)
{
    return resposta({{"h", 34, lotacao}, {"h", 35, total}});
}

class GraficoGravado : public controle::DestinoGrafico {
public:
    explicit GraficoGravado(QString nome, QStringList& log) : m_nome(std::move(nome)), m_log(log) {}
    int columnCount() const override { return 1; }
    void setColumnCount(int) override {}
    int column() const override { return m_coluna; }
    void setColumn(int c) override
    {
        m_coluna = c;
        m_log << m_nome + QStringLiteral(".Column=") + QString::number(c);
    }
    int rowCount() const override { return 24; }
    void setRowCount(int) override {}
    int row() const override { return m_linha; }
    void setRow(int r) override { m_linha = r; }
    QString rowLabel() const override { return rotulos.value(m_linha); }
    void setRowLabel(const QString& r) override { rotulos[m_linha] = r; }
    QString data() const override { return dados.value(m_linha); }
    void setData(const QString& v) override
    {
        dados[m_linha] = v;
        m_log << m_nome + QStringLiteral("[%1]=%2").arg(m_linha).arg(v);
    }
    QMap<int, QString> rotulos;
    QMap<int, QString> dados;

private:
    QString m_nome;
    QStringList& m_log;
    int m_coluna = 0;
    int m_linha = 0;
};

// Records every write as "operation=value" in call order.
class PainelAvancadoGravado : public controle::DestinoPainelAvancado {
public:
    void definirLotacao(const QString& t) override { log << "lotacao=" + t; }
    void definirTotal(const QString& t) override { log << "total=" + t; }
    void definirMes(const QString& t) override { log << "mes=" + t; }
    void definirMediaDia(const QString& t) override { log << "mediaDia=" + t; }
    void definirMediaHora(const QString& t) override { log << "mediaHora=" + t; }
    void definirAtualizadoAgora(const QString& t) override { log << "agora=" + t; }
    void definirAtualizadoHoje(const QString& t) override { log << "hoje=" + t; }
    void definirAtualizadoMedia(const QString& t) override { log << "media=" + t; }
    void definirAtualizadoTotalMes(const QString& t) override { log << "totalMes=" + t; }
    void exibirAtualizarAgora() override { log << QStringLiteral("pic_atualizarAgora"); }
    void exibirAtualizarTotalMes() override { log << QStringLiteral("pic_atualizarTotalMes"); }
    void normalizarTimerBaseTempo() override { log << QStringLiteral("normalizar"); }
    bool leuMesCompleto() const override { return false; }
    controle::DestinoGrafico& chartMes() override { return mes; }
    controle::DestinoGrafico& chartDia() override { return dia; }
    int inicioExpediente() override { return inicio; }
    int fimExpediente() override { return fim; }

    QStringList log;
    GraficoGravado mes{QStringLiteral("chartMes"), log};
    GraficoGravado dia{QStringLiteral("chartDia"), log};
    int inicio = 8;
    int fim = 10;
};

class PainelSimplesGravado : public controle::DestinoPainelSimples {
public:
    void definirLotacao(const QString& t) override { log << "lotacao=" + t; }
    void definirTotal(const QString& t) override { log << "total=" + t; }
    QStringList log;
};

} // namespace

using MapaHoras = QMap<int, QString>;

class TesteControle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        controle::redefinirEstado();
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_avancado = std::make_unique<PainelAvancadoGravado>();
        m_simples = std::make_unique<PainelSimplesGravado>();
        controle::definirPainelAvancado([this] { return m_avancado.get(); });
        controle::definirPainelSimples([this] { return m_simples.get(); });
    }
    void cleanup()
    {
        controle::definirPainelAvancado({});
        controle::definirPainelSimples({});
        costuras::restaurar();
    }

    void statusMarcador_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("aceita");
        QTest::newRow("exato") << QStringLiteral("\"status\":1,") << true;
        QTest::newRow("zero") << QStringLiteral("\"status\":0,") << false;
        QTest::newRow("branco após dois-pontos") << QStringLiteral("\"status\": 1,") << false;
        QTest::newRow("maiúscula") << QStringLiteral("\"Status\":1,") << false;
        QTest::newRow("sem vírgula") << QStringLiteral("\"status\":1}") << false;
    }
    void statusMarcador()
    {
        QFETCH(QString, status);
        QFETCH(bool, aceita);
        const QString texto = resposta({{"h", 34, "00042"}, {"h", 35, "00100"}}, status);
        QCOMPARE(controle::respostaValida(texto), aceita);
        controle::tratarResposta(texto, [] { return QStringLiteral("/6"); });
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
        QTest::newRow("zeros") << QStringLiteral("\"h\":35,\"qt\":\"00000\"") << "\"h\":35," << true
                               << "00000"
                               << "0";
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
        // Business hours 8 to 10: hours never read are empty points; page /4 without their
        // markers stores "00000".
        const QStringList grafico = {"chartDia.Column=1", "chartDia[1]=", "chartDia[2]=", "chartDia[3]="};
        const QStringList graficoManha = {"chartDia.Column=1", "chartDia[1]=00000", "chartDia[2]=00000",
                                          "chartDia[3]=00000"};
        const QStringList historico = {"mes=0", "totalMes=as 14:05:33", "pic_atualizarTotalMes"};
        const QStringList atualizando = {"agora=Atualizando...", "hoje=Atualizando...",
                                         "media=Atualizando..."};
        QTest::newRow("/0") << "/0" << colunas;
        QTest::newRow("/6") << "/6"
                            << colunas +
                                   QStringList{"lotacao=7",        "total=153",         "agora=as 14:05:33",
                                               "hoje=as 14:05:33", "media=as 14:05:33", "pic_atualizarAgora",
                                               "normalizar"} +
                                   grafico;
        QTest::newRow("/1") << "/1" << colunas + historico;
        QTest::newRow("/2") << "/2" << colunas + historico;
        QTest::newRow("/3") << "/3" << colunas + historico;
        QTest::newRow("/4") << "/4" << colunas + atualizando + graficoManha;
        QTest::newRow("/5") << "/5" << colunas + grafico;
        QTest::newRow("/7") << "/7" << colunas;
        QTest::newRow("/60") << "/60" << colunas;
    }
    void roteamento()
    {
        QFETCH(QString, pagina);
        QFETCH(QStringList, esperado);
        int leituras = 0;
        controle::tratarResposta(pagina6(QStringLiteral("00007"), QStringLiteral("00153")), [&] {
            ++leituras;
            return pagina;
        });
        QCOMPARE(m_avancado->log, esperado);
        QCOMPARE(leituras, 6);
        const QStringList simples =
            pagina == QLatin1String("/6") ? QStringList{"lotacao=7", "total=153"} : QStringList{};
        QCOMPARE(m_simples->log, simples);
    }

    void contagemSemMarcador_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("sem lotação") << resposta({{"h", 35, "00153"}}) << QStringList{"total=153"};
        QTest::newRow("sem total") << resposta({{"h", 34, "00009"}}) << QStringList{"lotacao=9"};
        QTest::newRow("nenhum") << resposta({{"h", 1, "00009"}}) << QStringList{};
    }
    void contagemSemMarcador()
    {
        QFETCH(QString, texto);
        QFETCH(QStringList, esperado);
        controle::lerContagemAtual(texto);
        QCOMPARE(m_simples->log, esperado);
        QCOMPARE(m_avancado->log, esperado);
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

    void marcadorAusenteSemValorAnterior()
    {
        // At program start a missing hour becomes "00000", never a read from the text's start.
        controle::tratarResposta(resposta({{"h", 0, "00005"}}), [] { return QStringLiteral("/4"); });
        QCOMPARE(controle::horasHoje()[0], QStringLiteral("00005"));
        QCOMPARE(controle::horasHoje()[1], QStringLiteral("00000"));
        QCOMPARE(controle::horasHoje()[12], QString());
    }

    void graficoDoExpediente()
    {
        m_avancado->inicio = 8;
        m_avancado->fim = 18;
        QList<Entrada> manha, tarde;
        for (int h = 0; h <= 11; ++h)
            manha << Entrada{"h", h, QStringLiteral("001%1").arg(h, 2, 10, QChar(u'0'))};
        for (int h = 12; h <= 23; ++h)
            tarde << Entrada{"h", h, QStringLiteral("001%1").arg(h)};
        controle::tratarResposta(resposta(manha), [] { return QStringLiteral("/4"); });
        controle::tratarResposta(resposta(tarde), [] { return QStringLiteral("/5"); });
        const GraficoGravado& dia = m_avancado->dia;
        QCOMPARE(dia.rotulos.size(), 11);
        for (int r = 1; r <= 11; ++r) {
            QCOMPARE(dia.rotulos.value(r), QString::number(7 + r));
            QCOMPARE(dia.dados.value(r), QStringLiteral("001%1").arg(7 + r, 2, 10, QChar(u'0')));
        }
        // A live reading redraws from the stored hours with the business hours of now.
        m_avancado->inicio = 17;
        m_avancado->fim = 18;
        m_avancado->log.clear();
        controle::tratarResposta(pagina6(QStringLiteral("00001"), QStringLiteral("00002")),
                                 [] { return QStringLiteral("/6"); });
        QCOMPARE(dia.rotulos.value(1), QStringLiteral("17"));
        QCOMPARE(dia.dados.value(1), QStringLiteral("00117"));
        QCOMPARE(dia.dados.value(2), QStringLiteral("00118"));
        QVERIFY(m_avancado->log.endsWith(QStringLiteral("chartDia[2]=00118")));
        QCOMPARE(controle::horasHoje()[17], QStringLiteral("00117"));
    }

    void expedienteInvertidoNaoDesenha()
    {
        m_avancado->inicio = 12;
        m_avancado->fim = 11;
        controle::preencherGraficoDia();
        QCOMPARE(m_avancado->log, QStringList{"chartDia.Column=1"});
    }

    void carimboDaHoraDaLeitura()
    {
        controle::tratarResposta(pagina6(QStringLiteral("00001"), QStringLiteral("00002")),
                                 [] { return QStringLiteral("/6"); });
        QVERIFY(m_avancado->log.contains(QStringLiteral("agora=as 14:05:33")));
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("09:00:07"));
        m_avancado->log.clear();
        controle::tratarResposta(pagina6(QStringLiteral("00001"), QStringLiteral("00002")),
                                 [] { return QStringLiteral("/6"); });
        QVERIFY(m_avancado->log.contains(QStringLiteral("hoje=as 09:00:07")));
    }

    void semPainelNaoFalha()
    {
        controle::definirPainelAvancado({});
        controle::definirPainelSimples({});
        for (const char* p : {"/0", "/1", "/4", "/5", "/6"})
            controle::tratarResposta(pagina6(QStringLiteral("00001"), QStringLiteral("00002")),
                                     [p] { return QString::fromLatin1(p); });
        QCOMPARE(controle::horasHoje()[0], QStringLiteral("00000"));
    }

private:
    std::unique_ptr<PainelAvancadoGravado> m_avancado;
    std::unique_ptr<PainelSimplesGravado> m_simples;
};

QTEST_GUILESS_MAIN(TesteControle)
#include "test_controle.moc"
