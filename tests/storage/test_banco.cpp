// The database file as the program leaves it: the shipped template, settings and history,
// hostile texts, and failures that report and never create or damage the file.
#include "../apoio/ambienteTeste.h"
#include "banco.h"
#include "serie.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
QByteArray ler(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TesteBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_banco = banco::Banco(); // no failure told yet
    }
    void cleanup()
    {
        QFile::setPermissions(amb->banco, QFile::ReadOwner | QFile::WriteOwner);
        amb.reset();
    }

    // The template talks to this computer and holds no history; an existing file is never replaced.
    void arquivoEntregue()
    {
        const QString novo = amb->caminho(u"novo.mdb"_s);
        QVERIFY(banco::criarBancoEntregue(novo));
        QCOMPARE(apoio::consulta(novo, u"SELECT txt_ip1CP||'.'||txt_ip2CP||'.'||txt_ip3CP||'.'||txt_ip4CP "
                                       "||(SELECT count(*) FROM Meses) FROM ethernet"_s),
                 u"127.0.0.10"_s);
        QVERIFY(!banco::criarBancoEntregue(novo));
        QCOMPARE(apoio::consulta(novo, u"SELECT count(*) FROM ethernet"_s), u"1"_s);
    }

    // SQL in a stored year is text (quotes in the settings: test_painelSimples); month numbers
    // outside the year never name a column.
    void textosHostis()
    {
        const QString ano = u"2024'); DROP TABLE Meses; --"_s;
        QVERIFY(m_banco.gravarMes(ano, 3, u"00001"_s));
        QCOMPARE(*m_banco.listarAnos(), QStringList{ano});
        QVERIFY(m_banco.excluirMes(ano, 3));
        QCOMPARE(amb->consulta(u"SELECT count(*) FROM Meses"_s), u"1"_s);
        QVERIFY(!m_banco.gravarMes(u"2024"_s, 13, u"1"_s));
        QVERIFY(!m_banco.gravarDia(u"2024"_s, u"03"_s, 0, u"1"_s));
        QVERIFY(amb->caixas.isEmpty());
    }

    void lotacao_data()
    {
        QTest::addColumn<bool>("arquivoAntigo");
        QTest::newRow("arquivo entregue") << false;
        QTest::newRow("arquivo sem a tabela") << true;
    }
    // The capacity settings round trip in one row; a file from before their table reads as no
    // limit, and the first save adds the table while the other tables keep their fields and rows.
    void lotacao()
    {
        QFETCH(bool, arquivoAntigo);
        if (arquivoAntigo)
            QCOMPARE(amb->executar(u"DROP TABLE painelLotacao"_s), QString());
        QCOMPARE(amb->executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '00007')"_s), QString());
        const QString esquema =
            u"SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE name "
            "IN ('ethernet','painelSimples','painelavancado','Meses','Dias') ORDER BY name)"_s;
        const QString linhas =
            u"SELECT (SELECT count(*) FROM ethernet) || (SELECT count(*) FROM painelSimples) "
            "|| (SELECT count(*) FROM painelavancado) || (SELECT count(*) FROM Meses) || "
            "(SELECT count(*) FROM Dias) || (SELECT infoEmpresa FROM painelSimples)"_s;
        const QString esquemaAntes = amb->consulta(esquema);
        QCOMPARE(amb->consulta(linhas), u"11110Seja bem-vindo!"_s);

        banco::Lotacao v;
        v.maxima = 7;
        QVERIFY(m_banco.lerLotacao(v));
        QCOMPARE(v, banco::Lotacao{});
        v = {120, 75, u"Lotado; volte em 5' \"já\""_s, u"HDMI-1"_s};
        QVERIFY(m_banco.salvarLotacao(v, QDate(2024, 3, 10)));
        QVERIFY(m_banco.salvarLotacao(v, QDate(2024, 3, 11)));
        banco::Lotacao lido;
        QVERIFY(m_banco.lerLotacao(lido));
        QCOMPARE(lido, v);
        QCOMPARE(amb->consulta(u"SELECT count(*) || dia FROM painelLotacao"_s), u"12024-03-11"_s);
        QCOMPARE(amb->consulta(esquema), esquemaAntes);
        QCOMPARE(amb->consulta(linhas), u"11110Seja bem-vindo!"_s);
        QVERIFY(amb->caixas.isEmpty());
    }

    void avisoGuardado_data()
    {
        QTest::addColumn<QString>("linha");   // lotacaoMaxima, lotacaoAviso, avisoPercentual
        QTest::addColumn<QString>("gravado"); // avisoPercentual|lotacaoAviso after a save
        // Before the percentage the level was in people, 0 meaning 90 %; typed past the
        // maximum, it was meant as the percentage the field showed.
        QTest::newRow("antigo 0") << u"38, 0, NULL"_s << u"90|35"_s;
        QTest::newRow("antigo 30 pessoas") << u"38, 30, NULL"_s << u"78|30"_s;
        QTest::newRow("antigo 80 de 38") << u"38, 80, NULL"_s << u"80|31"_s;
        QTest::newRow("75 %") << u"38, 30, 75"_s << u"75|29"_s;
        QTest::newRow("100 %") << u"38, 30, 100"_s << u"90|35"_s;
        QTest::newRow("letras") << u"'nan', 30, 'abc'"_s << u"90|0"_s;
    }
    // The warning level is a percentage of the maximum; a level in people from an older build
    // is converted once, and kept in people beside the percentage for older builds.
    void avisoGuardado()
    {
        QFETCH(QString, linha);
        QFETCH(QString, gravado);
        QCOMPARE(amb->executar(u"DELETE FROM painelLotacao"_s), QString());
        QCOMPARE(amb->executar(u"INSERT INTO painelLotacao (lotacaoMaxima, lotacaoAviso, avisoPercentual) "
                               "VALUES (%1)"_s.arg(linha)),
                 QString());
        if (linha.endsWith(u"NULL"_s))
            QCOMPARE(amb->executar(u"ALTER TABLE painelLotacao DROP COLUMN avisoPercentual"_s), QString());
        banco::Lotacao v;
        QVERIFY(m_banco.lerLotacao(v));
        QVERIFY(m_banco.salvarLotacao(v, QDate(2024, 3, 10)));
        QCOMPARE(amb->consulta(u"SELECT avisoPercentual||'|'||lotacaoAviso FROM painelLotacao"_s), gravado);
    }

    // The first row of a year is found or added; a second row of the year is never touched.
    void historico()
    {
        QCOMPARE(amb->executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '00001')"_s), QString());
        QCOMPARE(amb->executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '00002')"_s), QString());
        QVERIFY(m_banco.gravarMes(u"2024"_s, 9, serie::montar({u"9"_s})));
        QVERIFY(m_banco.gravarMes(u"2025"_s, 1, serie::montar({u"5"_s})));
        QVERIFY(m_banco.excluirMes(u"2024"_s, 3));
        QVERIFY(m_banco.excluirMes(u"1990"_s, 3));
        QCOMPARE(
            amb->consulta(u"SELECT group_concat(ano || ':' || ifnull(mar, '-') || ':' || ifnull(sete, '-')) "
                          "FROM Meses"_s),
            u"2024:%1:00009,2024:00002:-,2025:-:-"_s.arg(QString(155, u'0')));
        QCOMPARE(*m_banco.lerMes(u"2024"_s, 9), u"00009"_s);
        QCOMPARE(*m_banco.lerMes(u"1999"_s, 3), QString());
        // One row holds the day being counted.
        QVERIFY(m_banco.gravarDia(u"2024"_s, u"03"_s, 31, serie::montar({u"7"_s})));
        QVERIFY(m_banco.gravarDia(u"2024"_s, u"03"_s, 1, serie::montar({u"8"_s})));
        QCOMPARE(amb->consulta(u"SELECT count(*) FROM Dias"_s), u"1"_s);
        QCOMPARE(*m_banco.lerDia(u"2024"_s, u"03"_s, 31), u"00007"_s);
        QCOMPARE(*m_banco.lerDia(u"2024"_s, u"04"_s, 1), QString());
        QVERIFY(amb->caixas.isEmpty());
    }

    void falhas_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("frase"); // the box's first line, in the operator's words
        QTest::newRow("arquivo ausente")
            << u"ausente"_s << u"O arquivo Fluxoradb.mdb não foi encontrado na pasta do Fluxora."_s;
        QTest::newRow("somente leitura")
            << u"leitura"_s << u"O arquivo Fluxoradb.mdb está protegido contra gravação."_s;
        QTest::newRow("não é um banco")
            << u"lixo"_s
            << u"O arquivo Fluxoradb.mdb está danificado, e o Fluxora não vai gravar mais "
               "nada nele até que seja trocado por uma cópia em bom estado."_s;
        QTest::newRow("sem a tabela Dias")
            << u"semDias"_s << u"O arquivo Fluxoradb.mdb não tem as tabelas que o Fluxora usa."_s;
    }
    // A failure is told in an orderly box, once while it lasts (polling goes through the
    // database every few seconds, also while the box is up), again after an action of the
    // operator or once the file worked in between. The file is never created or touched.
    void falhas()
    {
        QFETCH(QString, estado);
        QFETCH(QString, frase);
        QCOMPARE(amb->executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '00003')"_s), QString());
        const QByteArray sao = ler(amb->banco);
        auto estragar = [&] {
            if (estado == u"ausente") {
                QVERIFY(QFile::remove(amb->banco));
            } else if (estado == u"leitura") {
                QVERIFY(QFile::setPermissions(amb->banco, QFile::ReadOwner));
            } else if (estado == u"lixo") {
                QFile f(amb->banco);
                QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(QByteArray(4096, 'x'));
            } else {
                QCOMPARE(amb->executar(u"DROP TABLE Dias"_s), QString());
            }
        };
        // What one polling cycle does with the database, twice over.
        auto ciclos = [this] {
            for (int i = 0; i < 2; ++i) {
                banco::Ethernet e;
                m_banco.lerEthernet(e);
                m_banco.gravarMes(u"2024"_s, 3, u"00009"_s);
                m_banco.gravarDia(u"2024"_s, u"03"_s, 3, u"00009"_s);
            }
        };
        // While a box is up (its own event loop runs timers), further failures add none.
        amb->aoMostrar = ciclos;
        estragar();
        const QByteArray antes = ler(amb->banco);
        QVERIFY(!m_banco.gravarDia(u"2024"_s, u"03"_s, 3, u"00009"_s));
        ciclos();
        QCOMPARE(amb->caixas.size(), 1);
        // One sentence of its own; the engine's English words at most as the last line's detail.
        const QStringList linhas = amb->caixas[0].texto.split(u"\r\n"_s);
        QVERIFY2(linhas.first() == frase, qPrintable(amb->caixas[0].texto));
        QVERIFY2(linhas.size() <= 4 &&
                     (linhas.size() < 4 || linhas.last().startsWith(u"Detalhe técnico: "_s)),
                 qPrintable(amb->caixas[0].texto));
        QCOMPARE(QFile::exists(amb->banco), estado != u"ausente");
        if (estado != u"semDias")
            QVERIFY(ler(amb->banco) == antes);

        // The operator did something: the lasting failure is told again, once.
        m_banco.novaAcaoDoOperador();
        banco::Lotacao v;
        m_banco.lerLotacao(v, false); // the read for the live figure stays quiet
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(!m_banco.excluirMes(u"2024"_s, 3));
        banco::Ethernet e{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
        if (estado == u"ausente" || estado == u"lixo") {
            QVERIFY(!m_banco.lerEthernet(e));
            QCOMPARE(e.ip1, u"a"_s);
        } else {
            // Reading works; that alone is not the database working again.
            QVERIFY(m_banco.lerEthernet(e));
            QVERIFY(!m_banco.gravarDia(u"2024"_s, u"03"_s, 3, u"00009"_s));
        }
        QCOMPARE(amb->caixas.size(), 2);
        ciclos();
        QCOMPARE(amb->caixas.size(), 2);

        // The file back: quiet, and the next failure is a new one, told again.
        QFile::setPermissions(amb->banco, QFile::ReadOwner | QFile::WriteOwner);
        QFile f(amb->banco);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(sao);
        f.close();
        ciclos();
        QCOMPARE(amb->caixas.size(), 2);
        QCOMPARE(amb->consulta(u"SELECT hora3 FROM Dias"_s), u"00009"_s);
        estragar();
        ciclos();
        QCOMPARE(amb->caixas.size(), 3);
    }

    // A page of the file damaged (the day history's): once the engine's check fails, nothing
    // is written to it any more, not even where a write would still go through, and that is
    // told once. A sound copy put in its place is written again.
    void danificadoNaoRecebeGravacao()
    {
        QVERIFY(m_banco.gravarMes(u"2024"_s, 3, u"00001"_s));
        QVERIFY(m_banco.gravarDia(u"2024"_s, u"03"_s, 3, u"00001"_s));
        const QByteArray sao = ler(amb->banco);
        const int pagina = amb->consulta(u"PRAGMA page_size"_s).toInt();
        const int raiz = amb->consulta(u"SELECT rootpage FROM sqlite_master WHERE name = 'Dias'"_s).toInt();
        QByteArray estragado = sao;
        estragado.replace((raiz - 1) * pagina, pagina, QByteArray(pagina, '\x5a'));
        escrever(estragado);
        QVERIFY(!m_banco.lerDia(u"2024"_s, u"03"_s, 3));
        QVERIFY(!m_banco.gravarMes(u"2024"_s, 3, u"00002"_s));
        m_banco.novaAcaoDoOperador();
        QVERIFY(!m_banco.excluirMes(u"2024"_s, 3));
        QVERIFY(ler(amb->banco) == estragado);
        QCOMPARE(amb->caixas.size(), 2);
        QVERIFY(amb->caixas[1].texto.startsWith(u"O arquivo Fluxoradb.mdb está danificado"_s));

        escrever(sao);
        QVERIFY(m_banco.gravarMes(u"2024"_s, 3, u"00002"_s));
        QCOMPARE(amb->consulta(u"SELECT mar FROM Meses"_s), u"00002"_s);
    }

private:
    void escrever(const QByteArray& bytes)
    {
        QFile f(amb->banco);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        // Another file than the one found damaged, as an operator's copy is.
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(++m_copias),
                              QFileDevice::FileModificationTime));
    }

    std::optional<apoio::Ambiente> amb;
    banco::Banco m_banco;
    int m_copias = 0;
};

QTEST_GUILESS_MAIN(TesteBanco)
#include "test_banco.moc"
