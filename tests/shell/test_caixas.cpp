// The program's boxes after its start-up step: Qt's own texts in Brazilian Portuguese, and a
// lasting database failure told again only after the operator did something.
#include "../apoio/bancoTeste.h"
#include "banco.h"
#include "caixas.h"
#include "mensagens.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
QString semAtalho(QString texto)
{
    return texto.remove(u'&');
}
} // namespace

class TesteCaixas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        caixas::instalar();
        // Answers whatever box is up, the way the operator would: a key press in the box.
        m_respondedor.setInterval(10);
        connect(&m_respondedor, &QTimer::timeout, this, [this] {
            auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caixa || !caixa->isVisible())
                return;
            QStringList botoes;
            for (QAbstractButton* b : caixa->buttons())
                botoes << semAtalho(b->text());
            botoes.sort();
            m_vistas << caixa->text() + u'|' + botoes.join(u',');
            QTest::keyClick(caixa, Qt::Key_Escape);
            if (caixa->isVisible())
                QTest::keyClick(caixa, Qt::Key_Return);
        });
        m_respondedor.start();
    }
    void init()
    {
        m_vistas.clear();
        banco::novaAcaoDoOperador();
    }

    void textosDoQt_data()
    {
        QTest::addColumn<int>("botoes");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("Sim e Não") << int(mensagens::Botoes::SimNao) << "Não,Sim";
        QTest::newRow("OK") << int(mensagens::Botoes::Ok) << "OK";
    }
    void textosDoQt()
    {
        QFETCH(int, botoes);
        QFETCH(QString, esperado);
        QVERIFY2(caixas::traducaoCarregada(), "qtbase_pt_BR.qm not found (package qt6-translations-l10n)");
        mensagens::Pedido p;
        p.texto = QStringLiteral("Pergunta");
        p.botoes = static_cast<mensagens::Botoes>(botoes);
        mensagens::mostrar(p);
        QCOMPARE(m_vistas, QStringList{QStringLiteral("Pergunta|") + esperado});
        // A text box's context menu speaks the same language.
        QLineEdit campo;
        std::unique_ptr<QMenu> menu(campo.createStandardContextMenu());
        QStringList acoes;
        for (QAction* a : menu->actions())
            acoes << semAtalho(a->text()).section(u'\t', 0, 0);
        QVERIFY2(acoes.contains(QStringLiteral("Copiar")) && acoes.contains(QStringLiteral("Colar")),
                 qPrintable(acoes.join(u',')));
    }

    // A missing database is told once; dismissing the box is not a new action, a click
    // elsewhere is.
    void falhaContadaDeNovoAposAcao()
    {
        QTemporaryDir vazia;
        costuras::pastaAplicacao = [&vazia] { return vazia.path(); };
        banco::Ethernet e;
        QVERIFY(!banco::lerEthernet(e));
        QCOMPARE(m_vistas.size(), 1);
        QVERIFY(m_vistas[0].startsWith(QStringLiteral("Não encontramos o arquivo fluxoradb.mdb")));
        for (int i = 0; i < 3; ++i)
            QVERIFY(!banco::gravarMes(QStringLiteral("2024"), 3, QStringLiteral("1")));
        QVERIFY(!banco::lerEthernet(e));
        QCOMPARE(m_vistas.size(), 1);

        QWidget janela;
        auto* campo = new QLineEdit(&janela);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QTest::mouseClick(campo, Qt::LeftButton);
        QVERIFY(!banco::gravarMes(QStringLiteral("2024"), 3, QStringLiteral("1")));
        QCOMPARE(m_vistas.size(), 2);
        QVERIFY(m_vistas[1].startsWith(QStringLiteral("Não foi possível")));
        QVERIFY(!banco::lerEthernet(e));
        QCOMPARE(m_vistas.size(), 2);
        QTest::keyClick(campo, Qt::Key_5);
        QVERIFY(!banco::lerEthernet(e));
        QCOMPARE(m_vistas.size(), 3);
        costuras::restaurar();
    }

private:
    QTimer m_respondedor;
    QStringList m_vistas;
};

QTEST_MAIN(TesteCaixas)
#include "test_caixas.moc"
