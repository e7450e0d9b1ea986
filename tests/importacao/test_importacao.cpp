// An earlier installation's Jet file: refused with its fault named and untouched, converted
// whole, merged into the current history.
#include "bancoTeste.h"
#include "historicoAnterior.h"
#include "historicoJet.h"
#include "mensagens.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytes(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool gravar(const QString& caminho, const QByteArray& b)
{
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

// Every history row of a database, as text, in stored order.
QStringList historico(const QString& banco)
{
    QStringList linhas;
    for (const QString& sql :
         {u"SELECT group_concat(ano || ':' || ifnull(jan,'') || ifnull(sete,'') || "
          u"ifnull(dez,''), '|') FROM Meses"_s,
          u"SELECT group_concat(ano || mes || ':' || ifnull(hora1,'') || ifnull(hora29,'') "
          u"|| ifnull(hora31,''), '|') FROM Dias"_s})
        linhas << apoio::consulta(banco, sql);
    return linhas;
}

} // namespace

class TesteImportacao : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recusas_data()
    {
        QTest::addColumn<QString>("dano");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("cortado") << u"truncado"_s << u"está incompleto"_s;
        QTest::newRow("danificado") << u"danificado"_s << u"está danificado"_s;
        QTest::newRow("sem tabela") << u"semTabela"_s << u"Falta a tabela Dias"_s;
        QTest::newRow("tipo errado") << u"outroTipo"_s << u"O campo sete da tabela Meses"_s;
        QTest::newRow("senha") << u"senha"_s << u"protegido por senha"_s;
        QTest::newRow("Jet 3") << u"versao"_s << u"outra versão do Jet"_s;
        QTest::newRow("não é Jet") << u"texto"_s << u"não é um banco de dados Jet 4.0"_s;
    }
    void recusas()
    {
        QFETCH(QString, dano);
        QFETCH(QString, mensagem);
        jet::Opcoes o;
        o.truncado = dano == u"truncado";
        o.danificado = dano == u"danificado";
        o.semTabela = dano == u"semTabela" ? u"Dias"_s : QString();
        o.outroTipo = dano == u"outroTipo" ? u"Meses.sete"_s : QString();
        o.senha = dano == u"senha" ? u"loja"_s : QString();
        o.versao = dano == u"versao" ? 0 : 1;
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"Fluxoradb.mdb"_s);
        QVERIFY(
            gravar(arquivo, dano == u"texto" ? QByteArray("anotações da loja\n") : jet::arquivoFluxora(o)));
        const QByteArray gravado = bytes(arquivo);

        QString erro;
        QVERIFY(!importacao::converter(arquivo, erro));
        QVERIFY2(erro.contains(mensagem) && erro.contains(u"Fluxoradb.mdb"_s), qPrintable(erro));
        QCOMPARE(bytes(arquivo), gravado);
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList{u"Fluxoradb.mdb"_s});
    }

    void conversao()
    {
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"Fluxoradb.mdb"_s);
        jet::Opcoes o;
        o.anos = 3;
        const QByteArray jetOriginal = jet::arquivoFluxora(o);
        QVERIFY(gravar(arquivo, jetOriginal));

        // A power cut just before the swap: the Jet file is still the database, whole.
        QString erro, guardado;
        QVERIFY(!importacao::converter(arquivo, erro, nullptr, [] { return false; }));
        QCOMPARE(bytes(arquivo), jetOriginal);

        QVERIFY2(importacao::converter(arquivo, erro, &guardado), qPrintable(erro));
        QCOMPARE(bytes(guardado), jetOriginal);
        QCOMPARE(QFileInfo(guardado).fileName(), u"Fluxoradb-original-jet4.mdb"_s);
        QVERIFY(!QFile::exists(arquivo + u".convertendo"_s));

        // Every series exactly, in the order written.
        const QList<jet::Tabela> t = jet::tabelasFluxora(o);
        for (const jet::Tabela& tabela : t) {
            if (tabela.nome != u"Meses" && tabela.nome != u"Dias")
                continue;
            QCOMPARE(apoio::consulta(arquivo, u"SELECT count(*) FROM "_s + tabela.nome).toInt(),
                     tabela.linhas.size());
            for (int i = 0; i < tabela.linhas.size(); ++i)
                for (int c = 0; c < tabela.colunas.size(); ++c)
                    QCOMPARE(apoio::consulta(
                                 arquivo, u"SELECT ifnull(%1, '') FROM %2 WHERE rowid = %3"_s.arg(
                                              tabela.colunas[c].nome, tabela.nome, QString::number(i + 1))),
                             tabela.linhas[i][c].toString());
        }
        QCOMPARE(
            apoio::consulta(
                arquivo, u"SELECT txt_ip1CP||'.'||txt_ip2CP||'.'||txt_ip3CP||'.'||txt_ip4CP FROM ethernet"_s),
            u"127.0.17.9"_s);
        QCOMPARE(apoio::consulta(
                     arquivo,
                     u"SELECT lotacaoFonte||' '||totalFonte||' '||chktotal||' '||infoEmpresa||' '||dia "
                     u"FROM painelSimples"_s),
                 u"180.5 150.25 1 Loja Açaí – bem-vindos! 2020-06-15"_s);
        QCOMPARE(apoio::consulta(arquivo,
                                 u"SELECT group_concat(cmb_inicio||cmb_fim||cmb_tempoMes||cmb_tempoDia) FROM "
                                 u"painelavancado"_s),
                 u"09h19h10 min60 seg"_s);
    }

    // The start-up offer: "Sim" converts and the program goes on; "Não" changes nothing and says
    // the program cannot run on that file.
    void inicio_data()
    {
        QTest::addColumn<bool>("sim");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("Sim") << true << u"foi convertido"_s;
        QTest::newRow("Não") << false << u"não pode funcionar"_s;
    }
    void inicio()
    {
        QFETCH(bool, sim);
        QFETCH(QString, aviso);
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"Fluxoradb.mdb"_s);
        const QByteArray jetOriginal = jet::arquivoFluxora({});
        QVERIFY(gravar(arquivo, jetOriginal));
        QStringList textos;
        mensagens::instalar([&](const mensagens::Pedido& p) {
            textos << p.texto;
            return sim ? mensagens::Resposta::Sim : mensagens::Resposta::Nao;
        });
        QCOMPARE(importacao::oferecerConversao(arquivo), sim);
        mensagens::instalar({});
        QCOMPARE(textos.size(), 2);
        QVERIFY2(textos[1].contains(aviso), qPrintable(textos[1]));
        QCOMPARE(importacao::pareceJet(arquivo), !sim);
        QCOMPARE(bytes(pasta.filePath(u"Fluxoradb-original-jet4.mdb"_s)), sim ? jetOriginal : QByteArray());
    }

    void mescla_data()
    {
        QTest::addColumn<QString>("atual");     // this database's hora1 of 03/2024, hours 0..2
        QTest::addColumn<QString>("importado"); // the other file's
        QTest::addColumn<QString>("fica");
        QTest::addColumn<int>("dias");
        QTest::addColumn<QStringList>("diferentes");
        const QStringList nenhum;
        QTest::newRow("vazio recebe")
            << QString() << u"000070000300000"_s << u"000070000300000"_s << 1 << nenhum;
        QTest::newRow("zeros recebem")
            << u"000000000000009"_s << u"000070000300000"_s << u"000070000300009"_s << 1 << nenhum;
        QTest::newRow("maior fica") << u"000090000100000"_s << u"000070000300000"_s << u"000090000300000"_s
                                    << 1 << QStringList{u"01/03/2024"_s};
        QTest::newRow("iguais") << u"000070000300000"_s << u"000070000300000"_s << u"000070000300000"_s << 0
                                << nenhum;
        QTest::newRow("atual já maior") << u"000090000300000"_s << u"000070000300000"_s
                                        << u"000090000300000"_s << 0 << QStringList{u"01/03/2024"_s};
    }
    void mescla()
    {
        QFETCH(QString, atual);
        QFETCH(QString, importado);
        QFETCH(QString, fica);
        QFETCH(int, dias);
        QFETCH(QStringList, diferentes);
        QTemporaryDir pasta;
        const QString banco = apoio::copiarBancoEntregue(pasta);
        QCOMPARE(apoio::executar(banco, u"INSERT INTO Dias (ano, mes, hora1) VALUES ('2024', '03', %1)"_s.arg(
                                            atual.isEmpty() ? u"NULL"_s : u"'"_s + atual + u"'"_s)),
                 QString());
        importacao::Conteudo c;
        QStringList linha = {u"2024"_s, u"03"_s, importado};
        c.dias << linha + QStringList(30, QString());
        QString erro;
        const auto r = importacao::mesclar(banco, c, false, erro);
        QVERIFY2(r, qPrintable(erro));
        QCOMPARE(r->dias, dias);
        QCOMPARE(r->diferentes, diferentes);
        const QString guardado = apoio::consulta(banco, u"SELECT hora1 FROM Dias WHERE ano = '2024'"_s);
        QCOMPARE(guardado.left(15), fica);
        QCOMPARE(apoio::consulta(banco, u"SELECT count(*) FROM Dias"_s), u"1"_s);
    }

    // Two earlier installations with overlapping years; the second import of a file changes nothing.
    // The data folder's name may hold characters that mean something in a database URI.
    void importarDuasVezes()
    {
        QTemporaryDir pasta(QDir::tempPath() + u"/Loja #2 ?100%-XXXXXX"_s);
        const QString banco = apoio::copiarBancoEntregue(pasta);
        const QString outro = pasta.filePath(u"outra.mdb"_s);
        jet::Opcoes o;
        o.anos = 2;
        o.anoInicial = 2022;
        o.semente = 5;
        const QByteArray jetOutro = jet::arquivoFluxora(o);
        QVERIFY(gravar(outro, jetOutro));
        QString erro;
        const auto conteudo = importacao::ler(outro, erro);
        QVERIFY2(conteudo, qPrintable(erro));
        const importacao::Resumo resumo = importacao::resumir(*conteudo);
        QCOMPARE(resumo.anos, 2);
        QCOMPARE(resumo.primeiro.year(), 2022);
        QCOMPARE(resumo.ultimo.year(), 2023);

        const auto primeira = importacao::mesclar(banco, *conteudo, false, erro);
        QVERIFY2(primeira, qPrintable(erro));
        QVERIFY(primeira->meses > 20 && primeira->dias > 600);
        QCOMPARE(apoio::consulta(banco, u"SELECT cmb_inicio FROM painelavancado"_s),
                 u"08h"_s); // settings left alone
        const QStringList depois = historico(banco);
        const auto segunda = importacao::mesclar(banco, *conteudo, false, erro);
        QVERIFY(segunda);
        QCOMPARE(segunda->meses + segunda->dias, 0);
        QCOMPARE(historico(banco), depois);
        QCOMPARE(bytes(outro), jetOutro);

        // With the settings asked for, they come too.
        QVERIFY(importacao::mesclar(banco, *conteudo, true, erro));
        QCOMPARE(apoio::consulta(banco, u"SELECT cmb_inicio FROM painelavancado"_s), u"09h"_s);
    }
};

QTEST_GUILESS_MAIN(TesteImportacao)
#include "test_importacao.moc"
