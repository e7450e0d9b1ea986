// History writes survive the writer being killed at any moment: after each SIGKILL the
// file passes SQLite's integrity check and every column holds a whole series, old or new.
#include "../apoio/bancoTeste.h"
#include "banco.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The child: records the month and the day over and over, printing each completed round.
int escritor(const QString& pasta)
{
    costuras::pastaAplicacao = [pasta] { return pasta; };
    banco::Banco bd;
    for (int i = 1;; ++i) {
        const QString v = QString::number(i % 99999).rightJustified(5, u'0');
        if (!bd.gravarMes(u"2024"_s, 3, v.repeated(32)) ||
            !bd.gravarDia(u"2024"_s, u"03"_s, 10, v.repeated(24)))
            return 3;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}

// One value from the file, after a read-write connection as the program's own looked at it: after
// a kill that rolls back a half-written transaction, which a read-only one could not.
QString ler(const QString& arquivo, const QString& sql)
{
    apoio::executar(arquivo, u"SELECT count(*) FROM sqlite_master"_s);
    return apoio::consulta(arquivo, sql);
}

// A whole series of `grupos` equal groups; returns its value, or -1 when partial or mixed.
int valorInteiro(const QString& serie, int grupos)
{
    if (serie.size() != grupos * 5 || serie != serie.left(5).repeated(grupos))
        return -1;
    return serie.left(5).toInt();
}

} // namespace

class TesteQuedaDoBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quedasAleatorias()
    {
        QTemporaryDir pasta;
        const QString arquivo = apoio::copiarBancoEntregue(pasta);
        QVERIFY(!arquivo.isEmpty());
        QRandomGenerator aleatorio(20240310);
        int ultimoMes = 0;
        const int quedas = 80;
        for (int k = 0; k < quedas; ++k) {
            QProcess filho;
            filho.start(QCoreApplication::applicationFilePath(), {u"--escritor"_s, pasta.path()});
            QVERIFY(filho.waitForStarted());
            QVERIFY2(filho.waitForReadyRead(10000), "the writer did not complete a first round");
            // A random moment of the writer's work, not a wait for something to happen.
            QTest::qWait(static_cast<int>(aleatorio.bounded(1, 40)));
            ::kill(static_cast<pid_t>(filho.processId()), SIGKILL);
            QVERIFY(filho.waitForFinished(5000));
            const int concluida = filho.readAllStandardOutput().trimmed().split('\n').last().toInt();
            QCOMPARE(ler(arquivo, u"PRAGMA integrity_check"_s), u"ok"_s);
            const int mes = valorInteiro(ler(arquivo, u"SELECT mar FROM Meses WHERE ano = '2024'"_s), 32);
            const int dia = valorInteiro(
                ler(arquivo, u"SELECT hora10 FROM Dias WHERE ano = '2024' AND mes = '03'"_s), 24);
            QVERIFY2(mes >= 0 && dia >= 0, qPrintable(u"partial column after kill %1"_s.arg(k)));
            // Each child restarts its count: what it reported as done is on disk, and at most
            // the round in progress beyond that; the day is written after the month.
            QVERIFY(mes >= concluida && mes <= concluida + 1);
            QVERIFY(dia == mes || dia == mes - 1);
            QVERIFY(dia >= concluida);
            ultimoMes = mes;
        }
        QVERIFY(ultimoMes > 0);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--escritor") == 0)
        return escritor(QString::fromLocal8Bit(argv[2]));
    TesteQuedaDoBanco teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "test_quedaDoBanco.moc"
