// History writes survive the writer being killed at any moment: after each SIGKILL the
// file passes SQLite's integrity check and every column holds a whole series, old or new.
#include "banco.h"
#include "costuras.h"
#include "mensagens.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>

namespace {

QString serieUniforme(int valor, int grupos)
{
    return QString::number(valor).rightJustified(5, u'0').repeated(grupos);
}

// The child: records the month and the day over and over, printing each completed round.
int escritor(const QString& pasta)
{
    costuras::pastaAplicacao = [pasta] { return pasta; };
    for (int i = 1;; ++i) {
        const int v = i % 99999;
        if (!banco::gravarMes(QStringLiteral("2024"), 3, serieUniforme(v, 32)))
            return 3;
        if (!banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 10, serieUniforme(v, 24)))
            return 4;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}

struct Leitura {
    QString integridade;
    QString mes;
    QString dia;
};

Leitura ler(const QString& arquivo)
{
    Leitura r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("verificacao"));
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                r.integridade = q.value(0).toString();
            if (q.exec(QStringLiteral("SELECT mar FROM Meses WHERE ano = '2024'")) && q.next())
                r.mes = q.value(0).toString();
            if (q.exec(QStringLiteral("SELECT hora10 FROM Dias WHERE ano = '2024' AND mes = '03'")) && q.next())
                r.dia = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("verificacao"));
    return r;
}

// A whole series of `grupos` equal groups; returns its value, or -1 when partial or mixed.
int valorInteiro(const QString& serie, int grupos)
{
    if (serie.size() != grupos * 5)
        return -1;
    const QString primeiro = serie.left(5);
    if (serie != primeiro.repeated(grupos))
        return -1;
    return primeiro.toInt();
}

} // namespace

class TesteQuedaDoBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quedasAleatorias()
    {
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("Fluxoradb.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(FLUXORA_BANCO_MODELO), arquivo));
        QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
        QRandomGenerator aleatorio(20240310);
        int ultimoMes = 0;
        const int quedas = 80;
        for (int k = 0; k < quedas; ++k) {
            QProcess filho;
            filho.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--escritor"), pasta.path()});
            QVERIFY(filho.waitForStarted());
            QVERIFY2(filho.waitForReadyRead(10000), "the writer did not complete a first round");
            // Let it run a random while, then kill it wherever it is.
            QTest::qWait(static_cast<int>(aleatorio.bounded(1, 40)));
            ::kill(static_cast<pid_t>(filho.processId()), SIGKILL);
            QVERIFY(filho.waitForFinished(5000));
            const QList<QByteArray> rodadas = filho.readAllStandardOutput().trimmed().split('\n');
            const int concluida = rodadas.last().toInt();
            const Leitura l = ler(arquivo);
            QCOMPARE(l.integridade, QStringLiteral("ok"));
            const int mes = valorInteiro(l.mes, 32);
            const int dia = valorInteiro(l.dia, 24);
            QVERIFY2(mes >= 0, qPrintable(QStringLiteral("partial month column after kill %1").arg(k)));
            QVERIFY2(dia >= 0, qPrintable(QStringLiteral("partial day column after kill %1").arg(k)));
            // Each child restarts its count: what it reported as done is on disk, and at most
            // the round in progress beyond that.
            QVERIFY(mes >= concluida && mes <= concluida + 1);
            // The day is written after the month in each round.
            QVERIFY(dia == mes || dia == mes - 1);
            QVERIFY(dia >= concluida);
            ultimoMes = mes;
        }
        QVERIFY(ultimoMes > 0);
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--escritor") == 0) {
        QCoreApplication app(argc, argv);
        return escritor(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TesteQuedaDoBanco teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "test_quedaDoBanco.moc"
