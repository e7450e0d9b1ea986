// The database file as the program leaves it: shipped rows, settings round trips, history
// find-or-add, deletion, hostile texts, and failures that report and never create or damage.
#include "../apoio/bancoTeste.h"
#include "banco.h"
#include "costuras.h"
#include "mensagens.h"
#include "serie.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TesteBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        m_caixas.clear();
        banco::novaAcaoDoOperador();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas << p;
            if (m_aoMostrar)
                m_aoMostrar();
            return mensagens::Resposta::Ok;
        });
        m_aoMostrar = nullptr;
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
    }

    void arquivoEntregue()
    {
        const QString novo = m_pasta.filePath(QStringLiteral("novo.mdb"));
        QFile::remove(novo);
        QVERIFY(banco::criarBancoEntregue(novo));
        QCOMPARE(
            consulta(
                novo,
                "SELECT txt_ip1CP || '.' || txt_ip2CP || '.' || txt_ip3CP || '.' || txt_ip4CP FROM ethernet"),
            QStringLiteral("127.0.0.1"));
        QCOMPARE(consulta(novo, "SELECT count(*) FROM Meses"), QStringLiteral("0"));
        // An existing file is never replaced.
        QVERIFY(!banco::criarBancoEntregue(novo));
        QCOMPARE(consulta(novo, "SELECT count(*) FROM ethernet"), QStringLiteral("1"));
    }

    // Quotes and semicolons in a stored text are text.
    void textosComAspas()
    {
        banco::PainelSimples s;
        QVERIFY(banco::lerPainelSimples(s));
        s.infoEmpresa = QStringLiteral("Loja d'Água; \"aberta\"");
        QVERIFY(banco::salvarPainelSimples(s, QDate(2024, 3, 10)));
        banco::PainelSimples s2;
        QVERIFY(banco::lerPainelSimples(s2));
        QCOMPARE(s2.infoEmpresa, s.infoEmpresa);
        QVERIFY(m_caixas.isEmpty());
    }

    void lotacao_data()
    {
        QTest::addColumn<bool>("arquivoAntigo");
        QTest::newRow("arquivo entregue") << false;
        QTest::newRow("arquivo sem a tabela") << true;
    }
    // The capacity settings round trip; a file from before their table reads as no limit, and
    // the first save adds the table while the system's five tables keep their fields and rows.
    void lotacao()
    {
        QFETCH(bool, arquivoAntigo);
        if (arquivoAntigo)
            executar("DROP TABLE painelLotacao");
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '00007')");
        const char* esquema =
            "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE name IN "
            "('ethernet','painelSimples','painelavancado','Meses','Dias') ORDER BY name)";
        const char* linhas =
            "SELECT (SELECT count(*) FROM ethernet) || (SELECT count(*) FROM painelSimples) || "
            "(SELECT count(*) FROM painelavancado) || (SELECT count(*) FROM Meses) || "
            "(SELECT count(*) FROM Dias) || (SELECT infoEmpresa FROM painelSimples)";
        const QString esquemaAntes = consulta(m_arquivo, esquema);
        const QString linhasAntes = consulta(m_arquivo, linhas);
        QCOMPARE(linhasAntes, QStringLiteral("11110Seja bem-vindo!"));

        banco::Lotacao v;
        v.maxima = 7;
        QVERIFY(banco::lerLotacao(v));
        QCOMPARE(v, banco::Lotacao{});

        v = {120, 100, QStringLiteral("Lotado; volte em 5' \"já\""), QStringLiteral("HDMI-1")};
        QVERIFY(banco::salvarLotacao(v, QDate(2024, 3, 10)));
        banco::Lotacao lido;
        QVERIFY(banco::lerLotacao(lido));
        QCOMPARE(lido, v);
        v.maxima = 0;
        QVERIFY(banco::salvarLotacao(v, QDate(2024, 3, 11)));
        QVERIFY(banco::lerLotacao(lido));
        QCOMPARE(lido.maxima, 0);
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) || dia FROM painelLotacao"),
                 QStringLiteral("12024-03-11"));
        QCOMPARE(consulta(m_arquivo, esquema), esquemaAntes);
        QCOMPARE(consulta(m_arquivo, linhas), linhasAntes);
        QVERIFY(m_caixas.isEmpty());
    }

    // A file that cannot be read leaves the values; only the quiet read keeps from reporting.
    void lotacaoSemArquivo()
    {
        QVERIFY(QFile::remove(m_arquivo));
        banco::Lotacao v;
        v.maxima = 9;
        QVERIFY(!banco::lerLotacao(v, false));
        QVERIFY(m_caixas.isEmpty());
        QVERIFY(!banco::lerLotacao(v));
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(v.maxima, 9);
        QVERIFY(!QFile::exists(m_arquivo));
    }

    void historicoAcharOuAdicionar()
    {
        const QString a = serie::montar({"1", "2"});
        QVERIFY(banco::gravarMes(QStringLiteral("2024"), 3, a));
        QVERIFY(banco::gravarMes(QStringLiteral("2024"), 9, serie::montar({"9"})));
        QVERIFY(banco::gravarMes(QStringLiteral("2025"), 1, serie::montar({"5"})));
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) FROM Meses"), QStringLiteral("2"));
        QCOMPARE(consulta(m_arquivo, "SELECT mar FROM Meses WHERE ano = '2024'"),
                 QStringLiteral("0000100002"));
        QCOMPARE(consulta(m_arquivo, "SELECT sete FROM Meses WHERE ano = '2024'"), QStringLiteral("00009"));
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) FROM Meses WHERE ano = '2025' AND mar IS NULL"),
                 QStringLiteral("1"));
        QCOMPARE(*banco::lerMes(QStringLiteral("2024"), 9), QStringLiteral("00009"));
        QCOMPARE(*banco::lerMes(QStringLiteral("1999"), 3), QString());
        QCOMPARE(*banco::listarAnos(), (QStringList{"2024", "2025"}));

        QVERIFY(banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 31, serie::montar({"7"})));
        QVERIFY(banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 1, serie::montar({"8"})));
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) FROM Dias"), QStringLiteral("1"));
        QCOMPARE(*banco::lerDia(QStringLiteral("2024"), QStringLiteral("03"), 31), QStringLiteral("00007"));
        QCOMPARE(*banco::lerDia(QStringLiteral("2024"), QStringLiteral("04"), 1), QString());
        QVERIFY(m_caixas.isEmpty());
    }

    void exclusao()
    {
        executar("INSERT INTO Meses (ano, mar, abr) VALUES ('2024', '0000400004', '00009')");
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '00001')");
        executar("INSERT INTO Meses (ano) VALUES ('2023')");
        QVERIFY(banco::excluirMes(QStringLiteral("2024"), 3));
        QVERIFY(banco::excluirMes(QStringLiteral("2023"), 8));
        QVERIFY(banco::excluirMes(QStringLiteral("1990"), 3));
        QCOMPARE(consulta(m_arquivo, "SELECT mar FROM Meses WHERE rowid = 1"), QString(155, u'0'));
        QCOMPARE(consulta(m_arquivo, "SELECT abr FROM Meses WHERE rowid = 1"), QStringLiteral("00009"));
        // Only the first row of the year.
        QCOMPARE(consulta(m_arquivo, "SELECT mar FROM Meses WHERE rowid = 2"), QStringLiteral("00001"));
        QCOMPARE(consulta(m_arquivo, "SELECT ago FROM Meses WHERE ano = '2023'"), QString(155, u'0'));
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) FROM Meses"), QStringLiteral("3"));
        QVERIFY(m_caixas.isEmpty());
    }

    void textoHostilFicaTexto()
    {
        const QString ano = QStringLiteral("2024'); DROP TABLE Meses; --");
        QVERIFY(banco::gravarMes(ano, 3, QStringLiteral("00001")));
        QCOMPARE(*banco::listarAnos(), QStringList{ano});
        QVERIFY(banco::excluirMes(ano, 3));
        QCOMPARE(consulta(m_arquivo, "SELECT count(*) FROM Meses"), QStringLiteral("1"));
        // Month numbers outside the year never name a column.
        QVERIFY(!banco::gravarMes(QStringLiteral("2024"), 13, QStringLiteral("1")));
        QVERIFY(!banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 0, QStringLiteral("1")));
    }

    void falhas_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::newRow("arquivo ausente") << "ausente";
        QTest::newRow("somente leitura") << "leitura";
        QTest::newRow("não é um banco") << "lixo";
        QTest::newRow("sem a tabela Dias") << "semDias";
    }
    // A failure is told in an orderly box, once while it lasts (polling goes through the
    // database every few seconds), again after an action of the operator or once the file
    // worked in between. The file is never created or touched.
    void falhas()
    {
        QFETCH(QString, estado);
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '00003')");
        QFile original(m_arquivo);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray sao = original.readAll();
        original.close();
        auto estragar = [&] {
            if (estado == QLatin1String("ausente")) {
                QVERIFY(QFile::remove(m_arquivo));
            } else if (estado == QLatin1String("leitura")) {
                QVERIFY(QFile::setPermissions(m_arquivo, QFile::ReadOwner));
            } else if (estado == QLatin1String("lixo")) {
                QFile f(m_arquivo);
                QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(QByteArray(4096, 'x'));
            } else {
                executar("DROP TABLE Dias");
            }
        };
        auto consertar = [&] {
            QFile::setPermissions(m_arquivo, QFile::ReadOwner | QFile::WriteOwner);
            QFile f(m_arquivo);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(sao);
        };
        // What one polling cycle does with the database, twice over.
        auto ciclos = [] {
            for (int i = 0; i < 2; ++i) {
                banco::Ethernet e;
                banco::lerEthernet(e);
                banco::gravarMes(QStringLiteral("2024"), 3, QStringLiteral("00009"));
                banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 3, QStringLiteral("00009"));
            }
        };
        estragar();
        QByteArray antes;
        if (QFile::exists(m_arquivo)) {
            QFile f(m_arquivo);
            QVERIFY(f.open(QIODevice::ReadOnly));
            antes = f.readAll();
        }
        QVERIFY(!banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 3, QStringLiteral("00009")));
        ciclos();
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(m_caixas[0].texto.contains(QStringLiteral("Fluxoradb.mdb")));
        // Never created, never touched.
        QCOMPARE(QFile::exists(m_arquivo), estado != QLatin1String("ausente"));
        if (!antes.isEmpty() && estado != QLatin1String("semDias")) {
            QFile f(m_arquivo);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), antes);
        }

        // The operator did something: the lasting failure is told again, once.
        banco::novaAcaoDoOperador();
        QVERIFY(!banco::excluirMes(QStringLiteral("2024"), 3) || estado == QLatin1String("semDias"));
        banco::Ethernet e{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
        if (estado == QLatin1String("ausente") || estado == QLatin1String("lixo")) {
            QVERIFY(!banco::lerEthernet(e));
            QCOMPARE(m_caixas.size(), 2);
            QCOMPARE(e.ip1, QStringLiteral("a"));
        } else {
            // Reading works; that alone is not the database working again.
            QVERIFY(banco::lerEthernet(e));
            QVERIFY(
                !banco::gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 3, QStringLiteral("00009")));
            QCOMPARE(m_caixas.size(), 2);
        }
        ciclos();
        QCOMPARE(m_caixas.size(), 2);

        // The file back: quiet, and the next failure is a new one, told again.
        consertar();
        ciclos();
        QCOMPARE(m_caixas.size(), 2);
        QCOMPARE(consulta(m_arquivo, "SELECT hora3 FROM Dias"), QStringLiteral("00009"));
        estragar();
        ciclos();
        QCOMPARE(m_caixas.size(), 3);
    }

    void umaCaixaDeCadaVez()
    {
        QVERIFY(QFile::remove(m_arquivo));
        // While a box is up (its own event loop runs timers), further failures add none.
        int dentro = 0;
        m_aoMostrar = [&dentro] {
            ++dentro;
            QVERIFY(mensagens::exibindo());
            banco::gravarMes(QStringLiteral("2024"), 3, QStringLiteral("1"));
            banco::Ethernet e;
            banco::lerEthernet(e);
        };
        banco::Ethernet e;
        QVERIFY(!banco::lerEthernet(e));
        QCOMPARE(dentro, 1);
        QCOMPARE(m_caixas.size(), 1);
    }

private:
    void executar(const char* sql)
    {
        const QString erro = apoio::executar(m_arquivo, QString::fromLatin1(sql));
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }
    static QString consulta(const QString& arquivo, const char* sql)
    {
        return apoio::consulta(arquivo, QString::fromLatin1(sql));
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    QList<mensagens::Pedido> m_caixas;
    std::function<void()> m_aoMostrar;
};

QTEST_GUILESS_MAIN(TesteBanco)
#include "test_banco.moc"
