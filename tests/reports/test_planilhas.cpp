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
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '" + apoio::grupos(dias) + "')");
        PainelAvancado* p = m_aplicacao->janelas().painelavancado();
        QAction* xlsx = p->findChild<QAction*>(QStringLiteral("menuExportarMensalXlsx"));
        QVERIFY(xlsx);
        const QString arquivo = amb->caminho(QStringLiteral("excel_2024_03.xlsx"));
        // Available only while a month with visits is on display, as the text export.
        xlsx->trigger();
        QVERIFY(!QFile::exists(arquivo));
        p->escolherMes(); // the selectors start on today, 10/03/2024
        QVERIFY(xlsx->isEnabled());
        xlsx->trigger();
        QCOMPARE(amb->abertos, QStringList{arquivo});
        QVERIFY(amb->caixas.isEmpty());

        const QJsonObject lido = ler(arquivo);
        QCOMPARE(celulas(lido, {"A1", "A2", "B2", "A3", "B3", "B4", "A33", "B33", "A34", "A35", "B35", "A36",
                                "B36"}),
                 (QStringList{"str Histórico de Visitas Mês 03/2024", "str Dia", "str Visitas", "int 1",
                              "int 12", "int 3", "int 31", "int 0", "-", "str Total", "int 15",
                              "str Média por dia com visitas", "float 7.5"}));
        // One column chart over the days' values, labelled by the day numbers.
        QCOMPARE(QJsonDocument(lido[QStringLiteral("graficos")].toArray()).toJson(QJsonDocument::Compact),
                 QByteArray(R"([{"direcao":"col","series":[{"categorias":"Visitas!$A$3:$A$33",)"
                            R"("valores":"Visitas!$B$3:$B$33"}],"tipo":"BarChart"}])"));

        // Held read-only (as by a spreadsheet): the export's message, the old file as it was,
        // and no temporary file left behind.
        const QByteArray antes = conteudo(arquivo);
        QFile::setPermissions(arquivo, QFile::ReadOwner);
        QFile::setPermissions(amb->pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        xlsx->trigger();
        QFile::setPermissions(amb->pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(conteudo(arquivo) == antes);
        QCOMPARE(amb->abertos.size(), 1);
        QCOMPARE(QDir(amb->pasta.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("xlsx")),
                 QStringList{QStringLiteral("excel_2024_03.xlsx")});
    }

    void periodoDaJanela()
    {
        QList<int> horas(24, 0);
        horas[9] = 40;
        horas[23] = 2;
        executar("INSERT INTO Dias (mes, ano, hora31) VALUES ('12', '2023', '" + apoio::grupos(horas) + "')");
        executar("INSERT INTO Dias (mes, ano, hora2) VALUES ('01', '2024', '" +
                 apoio::grupos(QList<int>(24, 1)) + "')");
        executar("INSERT INTO Meses (ano, jan) VALUES ('2024', '" + apoio::grupos({5, 6}) + "')");
        JanelaRelatorios* j = m_aplicacao->janelas().relatorios();
        QCOMPARE(j->findChild<QTableWidget*>(QStringLiteral("tbl_ano"))->item(1, 12)->text(),
                 QStringLiteral("11"));
        j->findChild<QDateEdit*>(QStringLiteral("dt_inicio"))->setDate(QDate(2023, 12, 1));
        j->findChild<QDateEdit*>(QStringLiteral("dt_fim"))->setDate(QDate(2024, 1, 31));
        QVERIFY(j->exportarPeriodoXlsx());
        QVERIFY(j->exportarPeriodoCsv());
        const QString xlsx = amb->caminho(QStringLiteral("visitas_2023-12-01_2024-01-31.xlsx"));
        const QString csv = amb->caminho(QStringLiteral("visitas_2023-12-01_2024-01-31.csv"));
        QCOMPARE(amb->abertos, (QStringList{xlsx, csv}));

        QCOMPARE(
            celulas(ler(xlsx), {"A1", "C2", "D2", "AA2", "A3", "B3", "C3", "M3", "AA3", "A4", "C4", "A5"}),
            (QStringList{"str Visitas de 01/12/2023 a 31/01/2024", "str Total", "str 00h", "str 23h",
                         "datetime 2023-12-31T00:00:00", "str domingo", "int 42", "int 40", "int 2",
                         "datetime 2024-01-02T00:00:00", "int 24", "-"}));
        QVERIFY(QFileInfo(csv).size() > 0);
    }

private:
    // The named cells as "type value", as openpyxl returns them; "-" for an empty one.
    static QStringList celulas(const QJsonObject& lido, const QList<const char*>& nomes)
    {
        QStringList r;
        for (const char* nome : nomes) {
            const QJsonArray c =
                lido[QStringLiteral("celulas")].toObject()[QString::fromLatin1(nome)].toArray();
            const QJsonValue v = c.isEmpty() ? QJsonValue() : c[1];
            r << (c.isEmpty() ? QStringLiteral("-")
                              : c[0].toString() + u' ' +
                                    (v.isString() ? v.toString() : QString::number(v.toDouble())));
        }
        return r;
    }
    static QJsonObject ler(const QString& arquivo)
    {
        QProcess leitor;
        leitor.start(QStringLiteral(FLUXORA_PYTHON), {QStringLiteral(FLUXORA_LER_XLSX), arquivo});
        const bool terminou = leitor.waitForFinished(60000);
        const QByteArray erro = leitor.readAllStandardError();
        if (!terminou || leitor.exitCode() != 0) {
            qWarning("leitura do .xlsx falhou: %s", erro.constData());
            return {};
        }
        return QJsonDocument::fromJson(leitor.readAllStandardOutput()).object();
    }
    static QByteArray conteudo(const QString& arquivo)
    {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void executar(const QString& sql)
    {
        const QString erro = amb->executar(sql);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }

    std::optional<apoio::Ambiente> amb;
    std::unique_ptr<Aplicacao> m_aplicacao;
};

QTEST_MAIN(TestePlanilhas)
#include "test_planilhas.moc"
