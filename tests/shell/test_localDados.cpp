// Where the data lives, and one running program per database.
#include "localDados.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
QByteArray ler(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void escrever(const QString& caminho, const QByteArray& dados)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dados);
}
const auto somenteLeitura = QFile::ReadOwner | QFile::ExeOwner;
} // namespace

class TesteLocalDados : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_raiz.path()).mkpath(u"bin"_s) && QDir(m_raiz.path()).mkpath(u"share"_s));
        m_programa = m_raiz.filePath(u"bin"_s);
        m_usuario = m_raiz.filePath(u"usuario/Fluxora"_s);
        m_modelo = m_raiz.filePath(u"share/Fluxoradb.mdb"_s);
        escrever(m_modelo, "modelo");
    }
    void cleanup()
    {
        QFile::setPermissions(m_programa, somenteLeitura | QFile::WriteOwner);
        QDir(m_raiz.path()).removeRecursively();
    }

    // The build folder or a portable copy: the database beside the program is used as it is.
    // Not installed and no database either: the folder stays the program's (the missing file
    // is then reported), and no database is made up.
    void pastaDoPrograma()
    {
        QFile::remove(m_modelo);
        QCOMPARE(localDados::escolherPasta(m_programa, m_usuario, m_modelo), m_programa);
        QVERIFY(!QFile::exists(m_programa + u"/Fluxoradb.mdb"_s));
        escrever(m_programa + u"/Fluxoradb.mdb"_s, "meu");
        escrever(m_modelo, "modelo");
        QCOMPARE(localDados::escolherPasta(m_programa, m_usuario, m_modelo), m_programa);
        QCOMPARE(ler(m_programa + u"/Fluxoradb.mdb"_s), QByteArray("meu"));
        QVERIFY(!QFileInfo::exists(m_usuario));
    }

    void instalado_data()
    {
        QTest::addColumn<bool>("somenteLeitura");
        QTest::newRow("pasta somente leitura") << true;
        QTest::newRow("instalado sem banco proprio") << false;
    }
    // An installed program: the template is copied on the very first start to the user's
    // folder, which is used from then on; a later start never overwrites the user's copy, nor
    // replaces a copy that went missing (that is reported as a missing database).
    void instalado()
    {
        QFETCH(bool, somenteLeitura);
        if (somenteLeitura)
            QFile::setPermissions(m_programa, ::somenteLeitura);
        // A first start interrupted before: its leftovers do not stop this one.
        QDir().mkpath(m_usuario + u".novo"_s);
        escrever(m_usuario + u".novo/Fluxoradb.mdb"_s, "meio");
        QCOMPARE(localDados::escolherPasta(m_programa, m_usuario, m_modelo), m_usuario);
        QVERIFY(!QFileInfo::exists(m_usuario + u".novo"_s));
        QCOMPARE(ler(m_usuario + u"/Fluxoradb.mdb"_s), QByteArray("modelo"));
        QVERIFY(QFile::permissions(m_usuario + u"/Fluxoradb.mdb"_s).testFlag(QFile::WriteOwner));
        escrever(m_usuario + u"/Fluxoradb.mdb"_s, "historico");
        QCOMPARE(localDados::escolherPasta(m_programa, m_usuario, m_modelo), m_usuario);
        QCOMPARE(ler(m_usuario + u"/Fluxoradb.mdb"_s), QByteArray("historico"));
        QVERIFY(!QFile::exists(m_programa + u"/Fluxoradb.mdb"_s));
        QVERIFY(QFile::remove(m_usuario + u"/Fluxoradb.mdb"_s));
        QCOMPARE(localDados::escolherPasta(m_programa, m_usuario, m_modelo), m_usuario);
        QVERIFY(!QFile::exists(m_usuario + u"/Fluxoradb.mdb"_s));
    }

    // The real program: a second start on the same folder exits at once without a window of
    // its own, while the first keeps running.
    void segundoInicioDoPrograma()
    {
        const QString original = QStringLiteral(FLUXORA_PROGRAMA);
        const QString copia = m_programa + u"/fluxora"_s;
        QVERIFY(QFile::copy(original, copia));
        QVERIFY(QFile::copy(QStringLiteral(FLUXORA_BANCO_MODELO), m_programa + u"/Fluxoradb.mdb"_s));
        QFile::setPermissions(m_programa + u"/Fluxoradb.mdb"_s, QFile::ReadOwner | QFile::WriteOwner);
        QProcess primeiro, segundo;
        primeiro.start(copia, {});
        QVERIFY(primeiro.waitForStarted());
        QTRY_VERIFY(QFile::exists(m_programa + u"/Fluxoradb.mdb.lock"_s));
        segundo.start(copia, {});
        QVERIFY(segundo.waitForFinished(10000));
        QCOMPARE(segundo.exitCode(), 0);
        QCOMPARE(primeiro.state(), QProcess::Running);
        primeiro.terminate();
        QVERIFY(primeiro.waitForFinished(5000));
    }

private:
    QTemporaryDir m_raiz;
    QString m_programa, m_usuario, m_modelo;
};

QTEST_GUILESS_MAIN(TesteLocalDados)
#include "test_localDados.moc"
