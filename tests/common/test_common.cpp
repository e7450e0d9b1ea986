// Virtual time, the leading-number rule and failures of the export file.
#include "../apoio/ambienteTeste.h"
#include "temporizador.h"
#include "textos.h"

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
        lento.setInterval(1000);
        rapido.setInterval(300);
        unico.setSingleShot(true);
        unico.setInterval(450);
        QStringList tiques;
        auto anotar = [&](const char* nome, Temporizador& t) {
            QObject::connect(&t, &Temporizador::timeout, &t, [&tiques, &relogio, nome] {
                tiques << u"%1@%2"_s.arg(QLatin1StringView(nome)).arg(relogio.agora().time().msec());
            });
        };
        anotar("lento", lento);
        anotar("rapido", rapido);
        anotar("unico", unico);
        lento.start();
        rapido.start();
        unico.start();
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
        QVERIFY(amb.caixas.first().texto.startsWith(texto));
        QCOMPARE(amb.caixas.first().texto.size() > texto.size(), caso == u"inexistente");
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
