// The .xlsx files read back by an independent reader (openpyxl): the month from the advanced
// panel with its chart, the period from the reports window; and what a failed export leaves.
#include "../apoio/ambienteTeste.h"
#include "aplicacao.h"
#include "exportacao.h"
#include "janelaRelatorios.h"
#include "painelavancado.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestePlanilhas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_aplicacao = std::make_unique<Aplicacao>();
    }
    void cleanup()
    {
        m_aplicacao.reset();
        amb.reset();
    }

    void mesComGrafico()
    {
        QList<int> dias(32, 0);
        dias[0] = 12;
        dias[1] = 3;
        executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '"_s + apoio::grupos(dias) + u"')"_s);
        PainelAvancado* p = m_aplicacao->janelas().painelavancado();
        QAction* xlsx = p->findChild<QAction*>(u"menuExportarMensalXlsx"_s);
        const QString arquivo = amb->caminho(u"excel_2024_03.xlsx"_s);
        // Available only while a month with visits is on display, as the text export.
        xlsx->trigger();
        QVERIFY(!QFile::exists(arquivo));
        p->escolherMes(); // the selectors start on today, 10/03/2024
        QVERIFY(xlsx->isEnabled());
        xlsx->trigger();
        QCOMPARE(amb->abertos, QStringList{arquivo});
        QVERIFY(amb->caixas.isEmpty());

        // One column chart over the days' values, labelled by the day numbers.
        QCOMPARE(ler(arquivo, u"A1 A2 B2 A3 B3 B4 A33 B33 A34 A35 B35 A36 B36"_s),
                 (QStringList{u"str Histórico de Visitas Mês 03/2024"_s, u"str Dia"_s, u"str Visitas"_s,
                              u"int 1"_s, u"int 12"_s, u"int 3"_s, u"int 31"_s, u"int 0"_s, u"-"_s,
                              u"str Total"_s, u"int 15"_s, u"str Média por dia com visitas"_s, u"float 7.5"_s,
                              u"BarChart col Visitas!$A$3:$A$33 Visitas!$B$3:$B$33"_s}));

        // Held read-only (as by a spreadsheet): the export's message, the old file as it was,
        // and no temporary file left behind.
        const QFileInfo antes(arquivo);
        QFile::setPermissions(arquivo, QFile::ReadOwner);
        QFile::setPermissions(amb->pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        xlsx->trigger();
        QFile::setPermissions(amb->pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(amb->caixas.size(), 1);
        QCOMPARE(QFileInfo(arquivo).lastModified(), antes.lastModified());
        QCOMPARE(QFileInfo(arquivo).size(), antes.size());
        QCOMPARE(amb->abertos.size(), 1);
        QCOMPARE(QDir(amb->pasta.path()).entryList(QDir::Files | QDir::Hidden).filter(u"xlsx"_s),
                 QStringList{u"excel_2024_03.xlsx"_s});
    }

    void periodoDaJanela()
    {
        QList<int> horas(24, 0);
        horas[9] = 40;
        horas[23] = 2;
        executar(u"INSERT INTO Dias (mes, ano, hora31) VALUES ('12', '2023', '"_s + apoio::grupos(horas) +
                 u"')"_s);
        executar(u"INSERT INTO Dias (mes, ano, hora2) VALUES ('01', '2024', '"_s +
                 apoio::grupos(QList<int>(24, 1)) + u"')"_s);
        executar(u"INSERT INTO Meses (ano, jan) VALUES ('2024', '"_s + apoio::grupos({5, 6}) + u"')"_s);
        JanelaRelatorios* j = m_aplicacao->janelas().relatorios();
        QCOMPARE(j->findChild<QTableWidget*>(u"tbl_ano"_s)->item(1, 12)->text(), u"11"_s);
        j->findChild<QDateEdit*>(u"dt_inicio"_s)->setDate(QDate(2023, 12, 1));
        j->findChild<QDateEdit*>(u"dt_fim"_s)->setDate(QDate(2024, 1, 31));
        QVERIFY(j->exportarPeriodoXlsx());
        QVERIFY(j->exportarPeriodoCsv());
        const QString xlsx = amb->caminho(u"visitas_2023-12-01_2024-01-31.xlsx"_s);
        const QString csv = amb->caminho(u"visitas_2023-12-01_2024-01-31.csv"_s);
        QCOMPARE(amb->abertos, (QStringList{xlsx, csv}));

        QCOMPARE(
            ler(xlsx, u"A1 C2 D2 AA2 A3 B3 C3 M3 AA3 A4 C4 A5"_s),
            (QStringList{u"str Visitas de 01/12/2023 a 31/01/2024"_s, u"str Total"_s, u"str 00h"_s,
                         u"str 23h"_s, u"datetime 2023-12-31T00:00:00"_s, u"str domingo"_s, u"int 42"_s,
                         u"int 40"_s, u"int 2"_s, u"datetime 2024-01-02T00:00:00"_s, u"int 24"_s, u"-"_s}));
        QVERIFY(QFileInfo(csv).size() > 0);
    }

    // The chart always holds 31 days; the sheet has the month's own. An export killed half-way
    // earlier left a temporary file: the next export removes it, never one being written now.
    void mesDeTrintaDias_data()
    {
        QTest::addColumn<QString>("mes");
        QTest::addColumn<QString>("ultima"); // the last day's row
        QTest::newRow("abril") << u"04"_s << u"A32 B32 A33 B33"_s;
        QTest::newRow("fevereiro bissexto") << u"02"_s << u"A31 B31 A32 B32"_s;
    }
    void mesDeTrintaDias()
    {
        QFETCH(QString, mes);
        QFETCH(QString, ultima);
        QFile velho(amb->caminho(u".excel_2024_01.xlsx.AbC123"_s)),
            novo(amb->caminho(u".visitas_2024.csv.XyZ789"_s));
        QVERIFY(velho.open(QIODevice::WriteOnly) && novo.open(QIODevice::WriteOnly));
        QVERIFY(velho.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
        QList<std::pair<QString, QString>> dias;
        for (int d = 1; d <= 31; ++d)
            dias.append({QString::number(d), d == 1 ? u"-0001"_s : QString::number(d)});
        const QString arquivo = amb->caminho(exportacao::nomeArquivoMes(u"2024"_s, mes));
        QVERIFY(exportacao::gravarMesXlsx(arquivo, mes, u"2024"_s, dias).ok);
        const int n = mes == u"04"_s ? 30 : 29;
        QCOMPARE(ler(arquivo, ultima + u" B3"_s),
                 (QStringList{u"int %1"_s.arg(n), u"int %1"_s.arg(n), u"-"_s, u"-"_s, u"int 0"_s,
                              u"BarChart col Visitas!$A$3:$A$%1 Visitas!$B$3:$B$%1"_s.arg(n + 2)}));
        QVERIFY(!velho.exists() && novo.exists());
    }

    // An impossible period writes nothing; a file the desktop cannot open is said to be saved;
    // the window chosen again shows what was recorded since, in Brazilian numbers.
    void periodoEAvisos()
    {
        JanelaRelatorios* j = m_aplicacao->janelas().relatorios();
        j->findChild<QDateEdit*>(u"dt_inicio"_s)->setDate(QDate(2024, 3, 5));
        j->findChild<QDateEdit*>(u"dt_fim"_s)->setDate(QDate(2024, 3, 1));
        QVERIFY(!j->exportarPeriodoXlsx() && !j->exportarPeriodoCsv());
        QVERIFY(amb->caixas.value(1).texto.startsWith(u"A data final é anterior à inicial."_s));
        QVERIFY(amb->abertos.isEmpty() && QDir(amb->pasta.path()).entryList({u"visitas_*"_s}).isEmpty());

        costuras::abrirEndereco = [](const QUrl&) { return false; };
        j->findChild<QDateEdit*>(u"dt_fim"_s)->setDate(QDate(2024, 3, 9));
        QVERIFY(j->exportarPeriodoCsv());
        QVERIFY(amb->caixas.value(2).texto.contains(amb->caminho(u"visitas_2024-03-05_2024-03-09.csv"_s)));

        // Recorded since: two Mondays (5 and 26 February) with 5 visits at 9h in all, a big month.
        QList<int> horas(24, 0);
        horas[9] = 5;
        executar(u"INSERT INTO Dias (mes, ano, hora5, hora26) VALUES ('02', '2024', '"_s +
                 apoio::grupos(horas) + u"', '"_s + apoio::grupos(QList<int>(24, 0)) + u"')"_s);
        executar(u"INSERT INTO Meses (ano, fev) VALUES ('2024', '"_s + apoio::grupos({12245}) + u"')"_s);
        m_aplicacao->abrirRelatorios();
        auto* ano = j->findChild<QTableWidget*>(u"tbl_ano"_s);
        QCOMPARE(ano->item(1, 12)->text(), u"12.245"_s);
        QCOMPARE(j->findChild<QTableWidget*>(u"tbl_horas"_s)->item(0, 9)->text(), u"2,5"_s);
        // Whole figures however narrow the window.
        j->resize(500, j->height());
        QTRY_VERIFY(ano->horizontalHeader()->sectionSize(12) >
                    QFontMetrics(ano->item(1, 12)->font()).horizontalAdvance(u"12.245"_s));
    }

private:
    // What openpyxl finds: the named cells as "type value" ("-" for an empty one), then the
    // chart series.
    static QStringList ler(const QString& arquivo, const QString& nomes)
    {
        QProcess leitor;
        leitor.start(QStringLiteral(FLUXORA_PYTHON), {QStringLiteral(FLUXORA_LER_XLSX), arquivo});
        if (!leitor.waitForFinished(60000) || leitor.exitCode() != 0)
            qWarning("leitura do .xlsx falhou: %s", leitor.readAllStandardError().constData());
        const QJsonObject lido = QJsonDocument::fromJson(leitor.readAllStandardOutput()).object();
        QStringList r;
        for (const QString& nome : nomes.split(u' '))
            r << lido.value(u"celulas"_s).toObject().value(nome).toString(u"-"_s);
        for (const QJsonValue g : lido.value(u"graficos"_s).toArray())
            r << g.toString();
        return r;
    }
    void executar(const QString& sql) { QCOMPARE(amb->executar(sql), QString()); }

    std::optional<apoio::Ambiente> amb;
    std::unique_ptr<Aplicacao> m_aplicacao;
};

QTEST_MAIN(TestePlanilhas)
#include "test_planilhas.moc"
