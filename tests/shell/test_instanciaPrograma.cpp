// One Fluxora per database: what a lock file left behind does to the next start, and what a
// second start says when the first does not answer.
#include "instanciaPrograma.h"
#include "temporizador.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using Resultado = InstanciaPrograma::Resultado;

Q_DECLARE_METATYPE(InstanciaPrograma::Resultado)

class TesteInstanciaPrograma : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void trava_data()
    {
        QTest::addColumn<QByteArray>("conteudo"); // of the lock file found at start
        QTest::addColumn<Resultado>("esperado");
        const QByteArray eu = QByteArray::number(QCoreApplication::applicationPid());
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("vazia: queda de energia") << QByteArray("") << Resultado::Dona;
        QTest::newRow("lixo") << QByteArray("\x01\xff\xfe nada\n\n") << Resultado::Dona;
        QTest::newRow("outro computador, processo vivo aqui")
            << QByteArray(eu + "\nfluxora\noutra-maquina-da-loja\n") << Resultado::Dona;
        // After a power cut the start at boot may well get the pid it had before.
        const QByteArray programa = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
        QTest::newRow("mesmo pid depois de religar")
            << QByteArray(eu + '\n' + programa + '\n' + host + '\n') << Resultado::Dona;
        QTest::newRow("processo morto") << QByteArray("4194000\nfluxora\n" + host + '\n') << Resultado::Dona;
        QTest::newRow("dona viva") << QByteArray("viva") << Resultado::OutraAberta;
        QTest::newRow("não pode ser gravada") << QByteArray("pasta") << Resultado::SemTrava;
    }
    void trava()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(Resultado, esperado);
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"Fluxoradb.mdb.lock"_s);
        QLockFile outra(arquivo);
        if (conteudo == "viva") {
            QVERIFY(outra.tryLock(0));
        } else if (conteudo == "pasta") {
            // A lock that cannot be replaced: a folder with something in it.
            QVERIFY(QDir().mkpath(arquivo + u"/dentro"_s));
        } else {
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(conteudo);
        }
        InstanciaPrograma instancia(pasta.path());
        QCOMPARE(instancia.adquirir(), esperado);
        qint64 pid = 0;
        QString host, programa;
        QCOMPARE(QLockFile(arquivo).getLockInfo(&pid, &host, &programa) &&
                     pid == QCoreApplication::applicationPid(),
                 esperado != Resultado::SemTrava);
    }

    // The second start waits for the first one's answer on the virtual clock: a first that
    // answers is brought forward, one that is silent or gone is reported after 3 s.
    void segundoInicio_data()
    {
        QTest::addColumn<QString>("primeiro");
        QTest::addColumn<bool>("respondeu");
        QTest::newRow("responde") << u"responde"_s << true;
        QTest::newRow("travado") << u"mudo"_s << false;
        QTest::newRow("sem servidor") << u"ausente"_s << false;
    }
    void segundoInicio()
    {
        QFETCH(QString, primeiro);
        QFETCH(bool, respondeu);
        QTemporaryDir pasta;
        RelogioManual relogio(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
        InstanciaPrograma dona(pasta.path());
        QLockFile trava(pasta.filePath(u"Fluxoradb.mdb.lock"_s));
        QLocalServer mudo;
        if (primeiro == u"responde"_s) {
            QCOMPARE(dona.adquirir(), Resultado::Dona);
        } else {
            QVERIFY(trava.tryLock(0));
            if (primeiro == u"mudo"_s) {
                QLocalServer::removeServer(dona.nomeServidor());
                QVERIFY(mudo.listen(dona.nomeServidor()));
            }
        }
        QSignalSpy frente(&dona, &InstanciaPrograma::frentePedida);
        InstanciaPrograma segunda(pasta.path());
        QCOMPARE(segunda.adquirir(), Resultado::OutraAberta);
        QSignalSpy resposta(&segunda, &InstanciaPrograma::frenteRespondida);
        segunda.pedirFrente(3000);
        QCOMPARE(resposta.size(), 0);
        if (!resposta.wait(300)) {
            relogio.avancar(2900);
            QCOMPARE(resposta.size(), 0);
            relogio.avancar(200);
        }
        QCOMPARE(resposta.size(), 1);
        QCOMPARE(resposta.first().first().toBool(), respondeu);
        QCOMPARE(frente.size(), respondeu ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TesteInstanciaPrograma)
#include "test_instanciaPrograma.moc"
