// The simple panel inside the program: the live counts written into it, the menu command
// that shows it, and the connection status sent to it while it is on screen.
#include "../apoio/ambienteTeste.h"
#include "../apoio/resposta.h"
#include "aplicacao.h"
#include "banco.h"
#include "controle.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "ethernetConfig.h"
#include "painelAtivo.h"
#include "painelSimples.h"
#include "painelavancado.h"
#include "painelavancadoAjustes.h"
#include "principal.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString resposta(const QString& lotacao, const QString& total)
{
    return apoio::resposta({{u"h"_s, 33, u"00999"_s}, {u"h"_s, 34, lotacao}, {u"h"_s, 35, total}});
}

// The registry's accessor of the window named `nome`.
QWidget* pedirJanela(Janelas& janelas, const QString& nome)
{
    if (nome == QLatin1String("painelsimples"))
        return janelas.painelsimples();
    if (nome == QLatin1String("painelavancado"))
        return janelas.painelavancado();
    if (nome == QLatin1String("ethernetConfig"))
        return janelas.ethernetConfig();
    return janelas.painelavancadoAjustes();
}
// Every window of that name alive, loaded or not.
QList<QWidget*> janelasVivas(const QString& nome)
{
    QList<QWidget*> vivas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == nome)
            vivas << w;
    return vivas;
}

QString texto(QWidget* janela, const char* nome)
{
    return janela->findChild<QLabel*>(QString::fromLatin1(nome))->text();
}

} // namespace

class TesteLigacoesSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{u"tela"_s, QRect(0, 0, 1366, 768)}};
        };
        m_aplicacao = std::make_unique<Aplicacao>();
        m_principal = &m_aplicacao->principal();
    }
    void cleanup()
    {
        m_aplicacao.reset();
        dispositivoWindows::restaurar();
        amb.reset();
    }

    // A reply to /6 creates the panel hidden, running its own rhythm. The menu shows it
    // modally with the numbers it already held; closing it hands the status back and stores
    // the settings.
    void menuAbreEFecha()
    {
        m_principal->definirSubPagina(QStringLiteral("/6"));
        m_aplicacao->controle().tratarResposta(resposta(u"00042"_s, u"00007"_s),
                                               [this] { return m_principal->subPaginaAtual(); });
        QPointer<PainelSimples> painel = m_aplicacao->janelas().painelsimplesExistente();
        QVERIFY(painel && painel->isHidden());
        QCOMPARE(texto(painel, "lbl_total"), QStringLiteral("7"));
        QVERIFY(painel->findChild<Temporizador*>(u"TimerLT"_s)->isActive());
        QCOMPARE(amb->executar(QStringLiteral("UPDATE painelSimples SET dia = 'antes'")), QString());
        QString visto; // shown, modal, the panel active, the page, the capacity
        QTimer::singleShot(0, this, [&] {
            if (!painel)
                return;
            visto = QStringLiteral("%1|%2|%3|%4|%5")
                        .arg(painel->isVisible())
                        .arg(QApplication::activeModalWidget() == painel)
                        .arg(m_aplicacao->painelAtivo().painelSimplesEstaAtivo())
                        .arg(texto(m_principal, "lbl_pagina"), texto(painel, "lbl_lotacao"));
            QTest::mouseClick(painel->findChild<QLabel*>(u"lbl_fechar"_s), Qt::LeftButton);
        });
        m_principal->findChild<QAction*>(u"menuPainelSimples"_s)->trigger();
        QCOMPARE(visto, QStringLiteral("1|1|1|6|42"));
        QVERIFY(!m_aplicacao->painelAtivo().painelSimplesEstaAtivo());
        QTRY_VERIFY(!painel);
        QCOMPARE(amb->consulta(QStringLiteral("SELECT dia FROM painelSimples")),
                 QStringLiteral("2024-03-10"));
        // The next reply creates it again, hidden, with numbers from that reply only.
        m_aplicacao->controle().lerContagemAtual(resposta(u"00043"_s, u"00008"_s));
        QVERIFY(m_aplicacao->janelas().painelsimplesExistente()->isHidden());
        QCOMPARE(texto(m_aplicacao->janelas().painelsimplesExistente(), "lbl_total"), QStringLiteral("8"));
        QVERIFY(amb->caixas.isEmpty());
    }

    // While the panel is on screen, time-outs and data go to it; otherwise to the advanced panel.
    void estadoDaConexao()
    {
        ethernet::Conexao& conexao = m_aplicacao->conexao();
        PainelSimples* painel = m_aplicacao->janelas().painelsimples();
        auto avisado = [painel] {
            return painel->findChild<QLabel*>(u"lbl_legendaDesconectado"_s)->isVisibleTo(painel) &&
                   painel->findChild<QFrame*>(u"frm_desconectado"_s)->isVisibleTo(painel);
        };
        conexao.sinalizarDesconexao();
        QVERIFY(!avisado());
        m_aplicacao->painelAtivo().ativarPainelSimples();
        conexao.sinalizarDesconexao();
        QVERIFY(avisado());
        QCOMPARE(texto(m_principal, "lbl_legendaDesconectado"), QStringLiteral("Desconectado."));
        Q_EMIT conexao.conexaoConfirmada();
        QVERIFY(!avisado());
    }

    void longeDaJanelaPrincipal_data()
    {
        QTest::addColumn<QPoint>("principal");
        QTest::addColumn<QRect>("painel");
        QTest::newRow("principal no notebook") << QPoint(100, 100) << QRect(1366, 0, 1920, 1080);
        QTest::newRow("principal na TV") << QPoint(1500, 100) << QRect(0, 0, 1366, 768);
    }
    // With two screens the panel covers the one the main window is not on.
    void longeDaJanelaPrincipal()
    {
        QFETCH(QPoint, principal);
        QFETCH(QRect, painel);
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{u"eDP-1"_s, QRect(0, 0, 1366, 768)},
                                                   {u"HDMI-1"_s, QRect(1366, 0, 1920, 1080)}};
        };
        m_principal->move(principal);
        m_principal->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_principal));
        QCOMPARE(m_aplicacao->janelas().painelsimples()->geometry(), painel);
    }

    void janelaPedidaDuranteACarga_data()
    {
        QTest::addColumn<QString>("janela");
        for (const char* nome :
             {"painelsimples", "painelavancado", "ethernetConfig", "painelavancadoAjustes"})
            QTest::newRow(nome) << QString::fromLatin1(nome);
    }
    // A database box during a window's load lets a reply or a time-out ask for that window:
    // it gets the window being loaded, never a second one left hidden for the rest of the run.
    void janelaPedidaDuranteACarga()
    {
        QFETCH(QString, janela);
        qDeleteAll(janelasVivas(janela));
        m_aplicacao->banco().novaAcaoDoOperador(); // an earlier row's failure is not this one's
        QVERIFY(QFile::remove(amb->banco));
        QWidget* pedidaNaCaixa = nullptr;
        amb->aoMostrar = [&, pediu = false]() mutable {
            if (!std::exchange(pediu, true))
                pedidaNaCaixa = pedirJanela(m_aplicacao->janelas(), janela);
        };
        QWidget* criada = pedirJanela(m_aplicacao->janelas(), janela);
        QVERIFY(criada && pedidaNaCaixa == criada);
        QCOMPARE(janelasVivas(janela), QList<QWidget*>{criada});
        QCOMPARE(pedirJanela(m_aplicacao->janelas(), janela), criada);
        delete criada;
    }

private:
    std::optional<apoio::Ambiente> amb;
    std::unique_ptr<Aplicacao> m_aplicacao;
    Principal* m_principal = nullptr;
};

QTEST_MAIN(TesteLigacoesSimples)
#include "test_ligacoesSimples.moc"
