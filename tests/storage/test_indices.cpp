// The history keys are indexed, on the shipped template and on an older file at its first
// use, without changing the tables' fields; a file marked read-only is never changed.
#include "../apoio/bancoTeste.h"
#include "banco.h"
#include "costuras.h"
#include "mensagens.h"

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
        QCOMPARE(indices(), QStringLiteral("idx_Dias_ano_mes,idx_Meses_ano")); // the template has them
        for (const char* sql : {"DROP INDEX idx_Meses_ano", "DROP INDEX idx_Dias_ano_mes"})
            QVERIFY(apoio::executar(m_arquivo, QString::fromLatin1(sql)).isEmpty());
    }
    void cleanup()
    {
        QFile::setPermissions(m_arquivo, QFile::ReadOwner | QFile::WriteOwner);
        mensagens::instalar({});
        costuras::restaurar();
    }

    void arquivoAntigoGanhaIndicesAoUsar()
    {
        const QString tabelas = apoio::consulta(
            m_arquivo, "SELECT group_concat(sql, ';') FROM sqlite_master WHERE type = 'table'");
        QVERIFY(banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 10, apoio::grupos({1, 2})));
        QCOMPARE(indices(), QStringLiteral("idx_Dias_ano_mes,idx_Meses_ano"));
        QVERIFY(apoio::consulta(m_arquivo,
                                "SELECT group_concat(sql, ';') FROM sqlite_master WHERE type = 'table'") ==
                tabelas);
        QCOMPARE(banco::lerDia(QStringLiteral("2024"), QStringLiteral("03"), 10).value(),
                 apoio::grupos({1, 2}));
    }

    void somenteLeituraFicaComoEsta()
    {
        QVERIFY(
            apoio::executar(m_arquivo, "INSERT INTO Meses (ano, jan) VALUES ('2024', '00007')").isEmpty());
        QFile::setPermissions(m_arquivo, QFile::ReadOwner);
        const QByteArray antes = conteudo();
        QCOMPARE(banco::lerMes(QStringLiteral("2024"), 1).value(), QStringLiteral("00007"));
        QVERIFY(conteudo() == antes);
        QCOMPARE(indices(), QString());
    }

private:
    QString indices()
    {
        return apoio::consulta(m_arquivo,
                               "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master WHERE "
                               "type = 'index' ORDER BY name)");
    }
    QByteArray conteudo()
    {
        QFile f(m_arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
};

QTEST_GUILESS_MAIN(TesteIndices)
#include "test_indices.moc"
