// The program's boxes after its start-up step: Qt's own texts in Brazilian Portuguese, and a
// lasting database failure told again only when the operator asks for what needs it.
#include "../apoio/ambienteTeste.h"
#include "aplicacao.h"
#include "caixas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QtTest>

using namespace Qt::StringLiterals;

class TesteCaixas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        caixas::instalar();
        // Notes each box with its buttons and dismisses it as the operator would, by a key.
        connect(&m_respondedor, &QTimer::timeout, this, [this] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caixa || !caixa->isVisible())
                return;
            QStringList botoes;
            for (QAbstractButton* b : caixa->buttons())
                botoes << b->text().remove(u'&');
            botoes.sort();
            m_vistas << caixa->text() + u'|' + botoes.join(u',');
            QTest::keyClick(caixa, Qt::Key_Escape);
        });
        m_respondedor.start(10);
    }

    void textosDoQtEmPortugues()
    {
        mensagens::Pedido p;
        p.texto = QStringLiteral("Pergunta");
        p.botoes = mensagens::Botoes::SimNao;
        QCOMPARE(mensagens::mostrar(p), mensagens::Resposta::Nao);
        QCOMPARE(m_vistas, QStringList{QStringLiteral("Pergunta|Não,Sim")});
        QLineEdit campo;
        std::unique_ptr<QMenu> menu(campo.createStandardContextMenu());
        QStringList acoes;
        for (QAction* a : menu->actions())
            acoes << a->text().remove(u'&').section(u'\t', 0, 0);
        QVERIFY2(acoes.contains(QStringLiteral("Copiar")), qPrintable(acoes.join(u',')));
    }

    // With the database failing while the counts are polled, the failure is told once. A
    // click or a key is no reason to tell it again (the next box would close the menu just
    // opened); asking for a window that reads the database is, and that window tells it once.
    void falhaNaoVoltaPorClique_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QString>("frase");
        QTest::newRow("ausente") << u"ausente"_s << u"O arquivo Fluxoradb.mdb não foi encontrado"_s;
        QTest::newRow("em uso") << u"travado"_s << u"O arquivo Fluxoradb.mdb está em uso"_s;
        QTest::newRow("danificado") << u"lixo"_s << u"O arquivo Fluxoradb.mdb está danificado"_s;
    }
    void falhaNaoVoltaPorClique()
    {
        QFETCH(QString, falha);
        QFETCH(QString, frase);
        apoio::Ambiente amb;
        QSqlDatabase trava = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"trava"_s);
        if (falha == u"ausente"_s) {
            QVERIFY(QFile::remove(amb.banco));
        } else if (falha == u"travado"_s) {
            trava.setDatabaseName(amb.banco);
            QVERIFY(trava.open());
            QVERIFY(QSqlQuery(trava).exec(u"BEGIN EXCLUSIVE"_s));
        } else {
            QFile f(amb.banco);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(8192, 'x'));
        }
        {
            Aplicacao aplicacao;
            aplicacao.carregar();
            banco::Banco& bd = aplicacao.banco();
            auto segundoPlano = [&bd] {
                banco::Ethernet e;
                bd.lerEthernet(e);
                bd.gravarMes(u"2024"_s, 3, u"00001"_s);
                bd.gravarDia(u"2024"_s, u"03"_s, 10, u"00001"_s);
            };
            segundoPlano();
            QCOMPARE(amb.caixas.size(), 1);
            Principal& janela = aplicacao.principal();
            janela.show();
            QVERIFY(QTest::qWaitForWindowExposed(&janela));
            QTest::mouseClick(janela.findChild<QPlainTextEdit*>(u"txtSource"_s), Qt::LeftButton);
            QTest::keyClick(&janela, Qt::Key_Alt);
            segundoPlano();
            QCOMPARE(amb.caixas.size(), 1);

            aplicacao.abrirRelatorios();
            QCOMPARE(amb.caixas.size(), 2);
            QVERIFY2(amb.caixas[1].texto.startsWith(frase), qPrintable(amb.caixas[1].texto));
            segundoPlano();
            QCOMPARE(amb.caixas.size(), 2);
        }
        trava.close();
        trava = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"trava"_s);
    }

private:
    QTimer m_respondedor;
    QStringList m_vistas;
};

QTEST_MAIN(TesteCaixas)
#include "test_caixas.moc"
