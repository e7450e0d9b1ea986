// Virtual time and failures of the export file.
#include "../apoio/ambienteTeste.h"
#include "temporizador.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TesteCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { costuras::restaurar(); }

    // Virtual time: ticks fire in the order they fall due, a repeating timer as often as its
    // interval fits, a stopped one never, and the clock seam reads the same time.
    void relogioManual()
    {
        RelogioManual relogio(QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)));
        Temporizador lento, rapido, unico;
        unico.setSingleShot(true);
        QStringList tiques;
        auto iniciar = [&](const char* nome, Temporizador& t, int ms) {
            QObject::connect(&t, &Temporizador::timeout, &t, [&tiques, &relogio, nome] {
                tiques << u"%1@%2"_s.arg(QLatin1StringView(nome)).arg(relogio.agora().time().msec());
            });
            t.start(ms);
        };
        iniciar("lento", lento, 1000);
        iniciar("rapido", rapido, 300);
        iniciar("unico", unico, 450);
        relogio.avancar(999);
        QCOMPARE(tiques, (QStringList{u"rapido@300"_s, u"unico@450"_s, u"rapido@600"_s, u"rapido@900"_s}));
        QCOMPARE(lento.remainingTime(), 1);
        QVERIFY(!unico.isActive());
        rapido.stop();
        tiques.clear();
        relogio.avancar(1);
        QCOMPARE(tiques, QStringList{u"lento@0"_s});
        QCOMPARE(costuras::relogio(), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
    }

    void falhasDeExportacao_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("arquivo somente leitura") << "arquivo";
        QTest::newRow("pasta somente leitura") << "pasta";
        QTest::newRow("pasta inexistente") << "inexistente";
    }
    // Every failure is reported, the old file keeps its bytes and nothing is opened.
    void falhasDeExportacao()
    {
        QFETCH(QString, caso);
        apoio::Ambiente amb;
        const QString antigo = amb.caminho(u"excel_2024_03.csv"_s);
        QString caminho = antigo;
        {
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("antigo");
        }
        if (caso == u"arquivo")
            QFile::setPermissions(caminho, QFile::ReadOwner | QFile::ReadUser);
        if (caso == u"pasta")
            QFile::setPermissions(amb.pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (caso == u"inexistente")
            caminho = amb.caminho(u"nao/existe/excel_2024_03.csv"_s);
        QVERIFY(!planilha::exportar(caminho, planilha::linhasMes(u"03"_s, u"2024"_s, {{u"1"_s, u"5"_s}})));
        QFile::setPermissions(amb.pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(amb.caixas.size(), 1);
        QVERIFY(amb.caixas.first().texto.startsWith(u"Não pudemos exportar o arquivo EXCEL."_s));
        QFile f(antigo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("antigo"));
        QVERIFY(amb.abertos.isEmpty());
        // No temporary file is left behind.
        QCOMPARE(QDir(amb.pasta.path()).entryList({u"*.csv*"_s}, QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TesteCommon)
#include "test_common.moc"
