// Virtual time, text rules, date keys and failures of the export file.
#include "costuras.h"
#include "datas.h"
#include "mensagens.h"
#include "planilha.h"
#include "temporizador.h"
#include "textos.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray ler(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TesteCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        costuras::restaurar();
        mensagens::instalar({});
    }

    // Virtual time: ticks fire in the order they fall due, a repeating timer as often as its
    // interval fits, a stopped one never, and the clock seam reads the same time.
    void relogioManual()
    {
        RelogioManual relogio(QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)));
        Temporizador lento, rapido, unico;
        lento.setInterval(1000);
        rapido.setInterval(300);
        unico.setSingleShot(true);
        unico.setInterval(450);
        QStringList tiques;
        auto anotar = [&](const char* nome, Temporizador& t) {
            QObject::connect(&t, &Temporizador::timeout, &t, [&tiques, &relogio, nome] {
                tiques << QStringLiteral("%1@%2").arg(QLatin1String(nome)).arg(relogio.agora().time().msec());
            });
        };
        anotar("lento", lento);
        anotar("rapido", rapido);
        anotar("unico", unico);
        lento.start();
        rapido.start();
        unico.start();
        relogio.avancar(999);
        QCOMPARE(tiques, (QStringList{"rapido@300", "unico@450", "rapido@600", "rapido@900"}));
        QCOMPARE(lento.remainingTime(), 1);
        QVERIFY(!unico.isActive());
        rapido.stop();
        tiques.clear();
        relogio.avancar(1);
        QCOMPARE(tiques, QStringList{"lento@0"});
        QCOMPARE(costuras::relogio(), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    }

    void valorNumerico_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("valor");
        QTest::newRow("zeros a esquerda") << "00042" << 42.0;
        QTest::newRow("brancos antes") << "   7x" << 7.0;
        QTest::newRow("sem numero") << "abc" << 0.0;
        QTest::newRow("negativo") << "-3" << -3.0;
        QTest::newRow("para no branco interno") << "1 2" << 1.0;
    }
    void valorNumerico()
    {
        QFETCH(QString, texto);
        QFETCH(double, valor);
        QCOMPARE(strings::valorNumerico(texto), valor);
    }

    void chavesDeData()
    {
        costuras::fixarRelogio("07/09/2024", "09:05:03");
        QCOMPARE(datas::diaHoje(), QStringLiteral("07"));
        QCOMPARE(datas::mesHoje(), QStringLiteral("09"));
        QCOMPARE(datas::anoHoje(), QStringLiteral("2024"));
        QCOMPARE(datas::carimbo(), QStringLiteral("as 09:05:03"));
        QCOMPARE(datas::colunaMes(9), QStringLiteral("sete"));
        QCOMPARE(datas::colunaMes(13), QString());
        QCOMPARE(datas::colunaDia(31), QStringLiteral("hora31"));
        QCOMPARE(datas::colunaDia(0), QString());
    }

    void falhasDeExportacao_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("texto");
        const QString negado = QStringLiteral(
            "Não pudemos exportar o arquivo EXCEL.\r\n\r\nPor favor, feche o EXCEL e tente novamente.");
        QTest::newRow("arquivo somente leitura") << "arquivo" << negado;
        QTest::newRow("pasta somente leitura") << "pasta" << negado;
        QTest::newRow("pasta inexistente") << "inexistente"
                                           << "Não pudemos exportar o arquivo EXCEL.\r\n\r\n";
    }
    // Every failure is reported, the old file keeps its bytes and nothing is opened.
    void falhasDeExportacao()
    {
        QFETCH(QString, caso);
        QFETCH(QString, texto);
        QTemporaryDir pasta;
        QString caminho = pasta.filePath("excel_2024_03.csv");
        {
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("antigo");
        }
        if (caso == "arquivo")
            QFile::setPermissions(caminho, QFile::ReadOwner | QFile::ReadUser);
        if (caso == "pasta")
            QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (caso == "inexistente")
            caminho = pasta.filePath("nao/existe/excel_2024_03.csv");
        QList<mensagens::Pedido> caixas;
        mensagens::instalar([&](const mensagens::Pedido& p) {
            caixas.append(p);
            return mensagens::Resposta::Ok;
        });
        bool abriu = false;
        costuras::abrirEndereco = [&](const QUrl&) { return abriu = true; };
        QVERIFY(!planilha::exportar(caminho, planilha::linhasMes("03", "2024", {{"1", "5"}})));
        QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(caixas.size(), 1);
        if (caso == "inexistente")
            QVERIFY(caixas.first().texto.startsWith(texto) && caixas.first().texto.size() > texto.size());
        else
            QCOMPARE(caixas.first().texto, texto);
        QCOMPARE(ler(pasta.filePath("excel_2024_03.csv")), QByteArray("antigo"));
        QVERIFY(!abriu);
        // No temporary file is left behind.
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TesteCommon)
#include "test_common.moc"
