// The .xlsx files read back by an independent reader (openpyxl): the month from the advanced
// panel with its chart, the period from the reports window; and what a failed export leaves.
#include "../apoio/bancoTeste.h"
#include "costuras.h"
#include "exportacao.h"
#include "janelaRelatorios.h"
#include "mensagens.h"
#include "painelavancado.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestePlanilhas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_abertos.clear();
        costuras::abrirEndereco = [this](const QUrl& u) {
            m_abertos << u.toLocalFile();
            return true;
        };
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas << p;
            return mensagens::Resposta::Ok;
        });
        PainelAvancado::definirPrincipal({[](const QString&) {}, [](const QString&) {}});
    }
    void cleanup()
    {
        delete janelas::painelavancadoExistente();
        delete janelas::relatoriosExistente();
        PainelAvancado::definirPrincipal({});
        mensagens::instalar({});
        costuras::restaurar();
    }

    void mesComGrafico()
    {
        QList<int> dias(32, 0);
        dias[0] = 12;
        dias[1] = 3;
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '" + apoio::grupos(dias) + "')");
        PainelAvancado* p = janelas::painelavancado();
        QAction* xlsx = p->findChild<QAction*>(QStringLiteral("menuExportarMensalXlsx"));
        QVERIFY(xlsx);
        const QString arquivo = m_pasta.filePath(QStringLiteral("excel_2024_03.xlsx"));
        // Available only while a month with visits is on display, as the text export.
        xlsx->trigger();
        QVERIFY(!QFile::exists(arquivo));
        escolher(p->findChild<QComboBox*>(QStringLiteral("cmb_mes")), QStringLiteral("03"));
        QVERIFY(xlsx->isEnabled());
        xlsx->trigger();
        QCOMPARE(m_abertos, QStringList{arquivo});
        QVERIFY(m_caixas.isEmpty());

        const QJsonObject lido = ler(arquivo);
        const QJsonObject c = lido[QStringLiteral("celulas")].toObject();
        QCOMPARE(celula(c, "A1"), QStringLiteral("str Histórico de Visitas Mês 03/2024"));
        QCOMPARE(celula(c, "A2") + u'|' + celula(c, "B2"), QStringLiteral("str Dia|str Visitas"));
        QCOMPARE(celula(c, "A3") + u'|' + celula(c, "B3"), QStringLiteral("int 1|int 12"));
        QCOMPARE(celula(c, "B4"), QStringLiteral("int 3"));
        QCOMPARE(celula(c, "A33") + u'|' + celula(c, "B33"), QStringLiteral("int 31|int 0"));
        QVERIFY(!c.contains(QStringLiteral("A34")));
        QCOMPARE(celula(c, "B35"), QStringLiteral("int 15"));
        QCOMPARE(celula(c, "A36"), QStringLiteral("str Média por dia com visitas"));
        QCOMPARE(celula(c, "B36"), QStringLiteral("float 7.5"));

        const QJsonArray graficos = lido[QStringLiteral("graficos")].toArray();
        QCOMPARE(graficos.size(), 1);
        const QJsonObject g = graficos[0].toObject();
        QCOMPARE(g[QStringLiteral("tipo")].toString() + u' ' + g[QStringLiteral("direcao")].toString(),
                 QStringLiteral("BarChart col"));
        const QJsonArray series = g[QStringLiteral("series")].toArray();
        QCOMPARE(series.size(), 1);
        QCOMPARE(series[0].toObject()[QStringLiteral("valores")].toString(),
                 QStringLiteral("Visitas!$B$3:$B$33"));
        QCOMPARE(series[0].toObject()[QStringLiteral("categorias")].toString(),
                 QStringLiteral("Visitas!$A$3:$A$33"));

        // Held read-only (as by a spreadsheet): the export's message, the old file as it was,
        // and no temporary file left behind.
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray antes = f.readAll();
        f.close();
        QFile::setPermissions(arquivo, QFile::ReadOwner);
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        xlsx->trigger();
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(m_caixas[0].titulo, QStringLiteral("Erro ao Exportar"));
        QCOMPARE(m_caixas[0].texto, QStringLiteral("Não pudemos exportar o arquivo EXCEL.\r\n\r\n"
                                                   "Por favor, feche o EXCEL e tente novamente."));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
        QCOMPARE(m_abertos.size(), 1);
        QCOMPARE(QDir(m_pasta.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("xlsx")),
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
        JanelaRelatorios* j = janelas::relatorios();
        QCOMPARE(j->findChild<QTableWidget*>(QStringLiteral("tbl_ano"))->item(1, 12)->text(),
                 QStringLiteral("11"));
        j->findChild<QDateEdit*>(QStringLiteral("dt_inicio"))->setDate(QDate(2023, 12, 1));
        j->findChild<QDateEdit*>(QStringLiteral("dt_fim"))->setDate(QDate(2024, 1, 31));
        QVERIFY(j->exportarPeriodoXlsx());
        QVERIFY(j->exportarPeriodoCsv());
        const QString xlsx = m_pasta.filePath(QStringLiteral("visitas_2023-12-01_2024-01-31.xlsx"));
        const QString csv = m_pasta.filePath(QStringLiteral("visitas_2023-12-01_2024-01-31.csv"));
        QCOMPARE(m_abertos, (QStringList{xlsx, csv}));

        const QJsonObject c = ler(xlsx)[QStringLiteral("celulas")].toObject();
        QCOMPARE(celula(c, "A1"), QStringLiteral("str Visitas de 01/12/2023 a 31/01/2024"));
        QCOMPARE(celula(c, "C2") + u'|' + celula(c, "D2") + u'|' + celula(c, "AA2"),
                 QStringLiteral("str Total|str 00h|str 23h"));
        QCOMPARE(celula(c, "A3") + u'|' + celula(c, "B3") + u'|' + celula(c, "C3"),
                 QStringLiteral("datetime 2023-12-31T00:00:00|str domingo|int 42"));
        QCOMPARE(celula(c, "M3") + u'|' + celula(c, "AA3"), QStringLiteral("int 40|int 2"));
        QCOMPARE(celula(c, "A4") + u'|' + celula(c, "C4"),
                 QStringLiteral("datetime 2024-01-02T00:00:00|int 24"));
        QVERIFY(!c.contains(QStringLiteral("A5")));

        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 relatorios::csvPeriodo(
                     relatorios::diasRegistrados(QDate(2023, 12, 1), QDate(2024, 1, 31)).value()));
    }

private:
    // Cell "A1" as "type value", as openpyxl returns it.
    static QString celula(const QJsonObject& celulas, const char* nome)
    {
        const QJsonArray c = celulas[QString::fromLatin1(nome)].toArray();
        if (c.isEmpty())
            return QStringLiteral("<vazia>");
        const QJsonValue v = c[1];
        const QString texto = v.isString() ? v.toString() : QString::number(v.toDouble());
        return c[0].toString() + u' ' + texto;
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
    static void escolher(QComboBox* c, const QString& item)
    {
        const int i = c->findText(item);
        QVERIFY(i >= 0);
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
        Q_EMIT c->textActivated(item);
    }
    void executar(const QString& sql)
    {
        const QString erro = apoio::executar(m_arquivo, sql);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    QStringList m_abertos;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePlanilhas)
#include "test_planilhas.moc"
