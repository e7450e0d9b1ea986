// The history keys are indexed, on the shipped template and on an older file at its first
// use, without changing the tables' fields; a file marked read-only is never changed.
#include "../apoio/bancoTeste.h"
#include "banco.h"
#include "costuras.h"
#include "mensagens.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

class TesteIndices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        mensagens::instalar([](const mensagens::Pedido&) { return mensagens::Resposta::Ok; });
    }
    void cleanup()
    {
        QFile::setPermissions(m_arquivo, QFile::ReadOwner | QFile::WriteOwner);
        mensagens::instalar({});
        costuras::restaurar();
    }

    void modeloJaIndexado() { QCOMPARE(indices(), QStringLiteral("idx_Dias_ano_mes,idx_Meses_ano")); }

    void arquivoAntigoGanhaIndicesAoUsar()
    {
        semIndices();
        const QString tabelas = campos();
        QVERIFY(banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 10, apoio::grupos({1, 2})));
        QCOMPARE(indices(), QStringLiteral("idx_Dias_ano_mes,idx_Meses_ano"));
        QCOMPARE(campos(), tabelas);
        QCOMPARE(banco::lerDia(QStringLiteral("2024"), QStringLiteral("03"), 10).value(),
                 apoio::grupos({1, 2}));
        // The reader's lookup goes through the index, not a scan of every row.
        QVERIFY(plano(QStringLiteral(
                          "SELECT hora10 FROM Dias WHERE ano = '2024' AND mes = '03' ORDER BY rowid LIMIT 1"))
                    .contains(QStringLiteral("idx_Dias_ano_mes")));
        QVERIFY(plano(QStringLiteral("SELECT mar FROM Meses WHERE ano = '2024' ORDER BY rowid LIMIT 1"))
                    .contains(QStringLiteral("idx_Meses_ano")));
    }

    void somenteLeituraFicaComoEsta()
    {
        semIndices();
        QVERIFY(
            apoio::executar(m_arquivo, "INSERT INTO Meses (ano, jan) VALUES ('2024', '00007')").isEmpty());
        QFile::setPermissions(m_arquivo, QFile::ReadOwner);
        const QByteArray antes = resumo();
        QCOMPARE(banco::lerMes(QStringLiteral("2024"), 1).value(), QStringLiteral("00007"));
        QCOMPARE(resumo(), antes);
        QCOMPARE(indices(), QString());
    }

private:
    void semIndices()
    {
        for (const char* sql :
             {"DROP INDEX IF EXISTS idx_Meses_ano", "DROP INDEX IF EXISTS idx_Dias_ano_mes"})
            QVERIFY(apoio::executar(m_arquivo, QString::fromLatin1(sql)).isEmpty());
        QCOMPARE(indices(), QString());
    }
    QString indices()
    {
        return apoio::consulta(m_arquivo,
                               "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master WHERE "
                               "type = 'index' ORDER BY name)");
    }
    QString campos()
    {
        return apoio::consulta(m_arquivo,
                               "SELECT group_concat(sql, ';') FROM sqlite_master WHERE type = 'table'");
    }
    QString plano(const QString& sql)
    {
        QString r;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plano"));
            db.setDatabaseName(m_arquivo);
            if (db.open()) {
                QSqlQuery q(db);
                q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
                while (q.next())
                    r += q.value(3).toString() + u'\n';
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("plano"));
        return r;
    }
    QByteArray resumo()
    {
        QFile f(m_arquivo);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
};

QTEST_GUILESS_MAIN(TesteIndices)
#include "test_indices.moc"
