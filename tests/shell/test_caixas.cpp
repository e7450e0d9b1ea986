// The program's boxes after its start-up step: Qt's own texts in Brazilian Portuguese, and a
// lasting database failure told again only after the operator did something.
#include "banco.h"
#include "caixas.h"
#include "costuras.h"
#include "mensagens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

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

    // A missing database is told once; dismissing the box is not a new action, a click
    // elsewhere is.
    void falhaContadaDeNovoAposAcao()
    {
        m_vistas.clear();
        QTemporaryDir vazia;
        costuras::pastaAplicacao = [&vazia] { return vazia.path(); };
        banco::Banco bd;
        caixas::AcoesDoOperador acoes([&bd] { bd.novaAcaoDoOperador(); });
        banco::Ethernet e;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!bd.lerEthernet(e));
            QVERIFY(!bd.gravarMes(QStringLiteral("2024"), 3, QStringLiteral("1")));
        }
        QCOMPARE(m_vistas.size(), 1);
        QVERIFY(m_vistas[0].startsWith(QStringLiteral("Não encontramos o arquivo fluxoradb.mdb")));
        QWidget janela;
        auto* campo = new QLineEdit(&janela);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QTest::mouseClick(campo, Qt::LeftButton);
        QVERIFY(!bd.gravarMes(QStringLiteral("2024"), 3, QStringLiteral("1")));
        QVERIFY(!bd.lerEthernet(e));
        QCOMPARE(m_vistas.size(), 2);
        QVERIFY(m_vistas[1].startsWith(QStringLiteral("Não foi possível")));
        costuras::restaurar();
    }

private:
    QTimer m_respondedor;
    QStringList m_vistas;
};

QTEST_MAIN(TesteCaixas)
#include "test_caixas.moc"
