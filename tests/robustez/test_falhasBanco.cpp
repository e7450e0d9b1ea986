// Database faults while the client polls: the file gone, read-only, locked by another
// connection, overwritten with noise, a settings row or a table missing. Each is reported in
// one orderly box (never stacked, never repeated while it lasts), polling goes on, nothing recorded is lost,
// and once the file is sound again the next cycle records.
#include "../apoio/bancoTeste.h"
#include "../apoio/cliente.h"
#include "mensagens.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TesteFalhasBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas << p;
            return mensagens::Resposta::Ok;
        });
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
        QSqlDatabase::removeDatabase(QStringLiteral("trava"));
    }

    void banco_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QString>("frase"); // how the box begins (a pattern)
        const QString naoEncontrado = u"Não encontramos o arquivo fluxoradb.mdb\r\n\r\n\\.$"_s;
        // Whichever read comes first: the address's fixed text or the sentence for the kind.
        QTest::newRow("apagado") << u"apagado"_s
                                 << naoEncontrado + u"|O arquivo Fluxoradb.mdb não foi encontrado"_s;
        QTest::newRow("somenteLeitura")
            << u"somenteLeitura"_s << u"O arquivo Fluxoradb.mdb está protegido contra gravação."_s;
        QTest::newRow("travado") << u"travado"_s
                                 << u"O arquivo Fluxoradb.mdb está em uso por outro programa."_s;
        QTest::newRow("lixo") << u"lixo"_s << u"O arquivo Fluxoradb.mdb está danificado,"_s;
        // Without the address row requests go on to the address read last; only the reading
        // of it is reported.
        QTest::newRow("semEthernet") << u"semEthernet"_s << naoEncontrado;
        QTest::newRow("semDias") << u"semDias"_s
                                 << u"O arquivo Fluxoradb.mdb não tem as tabelas que o Fluxora usa."_s;
    }
    void banco()
    {
        QFETCH(QString, falha);
        QFETCH(QString, frase);
        apoio::Cliente cliente(7);
        QVERIFY(cliente.porta != 0);
        Aplicacao& aplicacao = cliente.iniciar();
        apoio::TempoVirtual& tempo = cliente.tempo;
        QVERIFY(cliente.primeiroCiclo());
        QVERIFY(tempo.avancarAte([&] { return !consulta("SELECT hora10 FROM Dias").isEmpty(); }, 10000));
        PainelAvancado* painel = cliente.painel();
        const QString mesGravado = consulta("SELECT mar FROM Meses WHERE ano = '2024'");
        const QString diaGravado = consulta("SELECT hora10 FROM Dias");
        QCOMPARE(mesGravado.size(), 160);
        QVERIFY(m_caixas.isEmpty());

        QFile original(m_arquivo);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray copia = original.readAll();
        original.close();

        // The fault, with a device whose counts differ, so a write that got through would show.
        QVERIFY(cliente.trocarAparelho(8));
        QSqlDatabase trava;
        if (falha == QLatin1String("apagado")) {
            QVERIFY(QFile::remove(m_arquivo));
        } else if (falha == QLatin1String("somenteLeitura")) {
            QFile::setPermissions(m_arquivo, QFile::ReadOwner);
        } else if (falha == QLatin1String("travado")) {
            trava = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("trava"));
            trava.setDatabaseName(m_arquivo);
            QVERIFY(trava.open());
            QSqlQuery q(trava);
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else if (falha == QLatin1String("lixo")) {
            QByteArray ruido(copia.size(), '\0');
            for (char& c : ruido)
                c = static_cast<char>(QRandomGenerator::global()->bounded(256));
            QVERIFY(gravar(ruido));
        } else {
            const QString erro =
                apoio::executar(m_arquivo, falha == QLatin1String("semDias") ? u"DROP TABLE Dias"_s
                                                                             : u"DELETE FROM ethernet"_s);
            QVERIFY2(erro.isEmpty(), qPrintable(erro));
        }
        const int pedidosAntes = static_cast<int>(cliente.simulador->caminhos().size());
        QVERIFY(cliente.cicloCompleto(1500));

        // Polling went on, and every failure was told in an orderly box, one at a time.
        // Every page is asked for again (the hidden simple panel's own "/6" may cut one off;
        // the next cycle asks for it again).
        auto todas = [&] {
            const QStringList depois = cliente.simulador->caminhos().mid(pedidosAntes);
            for (int n = 1; n <= 6; ++n)
                if (!depois.contains(QStringLiteral("/%1").arg(n)))
                    return false;
            return true;
        };
        QVERIFY2(tempo.avancarAte(todas, 40000), qPrintable(cliente.simulador->caminhos().join(u' ')));
        QVERIFY(tempo.avancarAte([&] { return !m_caixas.isEmpty(); }, 40000));
        // Told once for the whole cycle, not once per request or per write.
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY2(QRegularExpression(u"^(?:"_s + frase + u')').match(m_caixas[0].texto).hasMatch(),
                 qPrintable(m_caixas[0].texto));
        QVERIFY(aplicacao.janelas().painelavancadoExistente() == painel);

        // Nothing recorded before was lost where the file was still there to keep it.
        if (falha == QLatin1String("somenteLeitura") || falha == QLatin1String("travado")) {
            if (trava.isOpen())
                QSqlQuery(trava).exec(QStringLiteral("ROLLBACK"));
            trava.close();
            QCOMPARE(consulta("SELECT mar FROM Meses WHERE ano = '2024'"), mesGravado);
            QCOMPARE(consulta("SELECT hora10 FROM Dias"), diaGravado);
        }

        // The file sound again: the next cycle records the new counts.
        QFile::remove(m_arquivo);
        QVERIFY(gravar(copia));
        m_caixas.clear();
        QVERIFY(cliente.cicloCompleto(1500));
        apoio::conferirGravacao(tempo, m_arquivo, 8);
        QVERIFY2(m_caixas.isEmpty(), qPrintable(m_caixas.isEmpty() ? QString() : m_caixas.first().texto));
    }

private:
    bool gravar(const QByteArray& bytes)
    {
        QFile f(m_arquivo);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    QString consulta(const char* sql) { return apoio::consulta(m_arquivo, QString::fromLatin1(sql)); }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TesteFalhasBanco)
#include "test_falhasBanco.moc"
