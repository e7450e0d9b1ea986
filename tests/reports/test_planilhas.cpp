// The .xlsx files read back by an independent reader (openpyxl): the month from the advanced
// panel with its chart, the period from the reports window; and what a failed export leaves.
#include "../apoio/ambienteTeste.h"
#include "aplicacao.h"
#include "janelaRelatorios.h"
#include "painelavancado.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
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
