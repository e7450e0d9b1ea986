// The simple panel inside the program: the live counts written into it, the menu command
// that shows it, and the connection status sent to it while it is on screen.
#include "../apoio/bancoTeste.h"
#include "../apoio/resposta.h"
#include "../apoio/simuladorProcesso.h"
#include "aplicacao.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "ethernetConfig.h"
#include "mensagens.h"
#include "painelAtivo.h"
#include "painelSimples.h"
#include "painelavancado.h"
#include "painelavancadoAjustes.h"
#include "principal.h"
#include "coresLotacao.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString resposta(const QString& lotacao, const QString& total)
{
    return apoio::resposta({{"h", 33, "00999"}, {"h", 34, lotacao}, {"h", 35, total}});
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
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        costuras::fixarRelogio("10/03/2024", "14:05:33");
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{"tela", QRect(0, 0, 1366, 768)}};
        };
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas.append(p);
            return mensagens::Resposta::Ok;
        });
        m_aplicacao = std::make_unique<Aplicacao>();
        m_principal = &m_aplicacao->principal();
    }
    void cleanup()
    {
        m_aplicacao.reset();
        costuras::restaurar();
        dispositivoWindows::restaurar();
        mensagens::instalar({});
    }

    // A reply to /6 creates the panel hidden, running its own rhythm. The menu shows it
    // modally with the numbers it already held; closing it hands the status back and stores
    // the settings.
    void menuAbreEFecha()
    {
        m_principal->definirSubPagina(QStringLiteral("/6"));
        m_aplicacao->controle().tratarResposta(resposta("00042", "00007"),
                                               [this] { return m_principal->subPaginaAtual(); });
        QPointer<PainelSimples> painel = m_aplicacao->janelas().painelsimplesExistente();
        QVERIFY(painel && painel->isHidden());
        QCOMPARE(texto(painel, "lbl_total"), QStringLiteral("7"));
        QVERIFY(painel->findChild<Temporizador*>("TimerLT")->isActive());
        QCOMPARE(apoio::executar(banco(), QStringLiteral("UPDATE painelSimples SET dia = 'antes'")),
                 QString());
        bool visivel = false;
        bool modal = false;
        bool ativo = false;
        QString pagina;
        QString lotacao;
        QTimer::singleShot(0, this, [&] {
            visivel = painel && painel->isVisible();
            modal = painel && QApplication::activeModalWidget() == painel;
            ativo = m_aplicacao->painelAtivo().painelSimplesEstaAtivo();
            pagina = texto(m_principal, "lbl_pagina");
            lotacao = painel ? texto(painel, "lbl_lotacao") : QString();
            if (painel)
                QTest::mouseClick(painel->findChild<QLabel*>("lbl_fechar"), Qt::LeftButton);
        });
        m_principal->findChild<QAction*>("menuPainelSimples")->trigger();
        QVERIFY(visivel);
        QVERIFY(modal);
        QVERIFY(ativo);
        QCOMPARE(pagina, QStringLiteral("6"));
        QCOMPARE(lotacao, QStringLiteral("42"));
        QVERIFY(!m_aplicacao->painelAtivo().painelSimplesEstaAtivo());
        QTRY_VERIFY(!painel);
        QCOMPARE(apoio::consulta(banco(), QStringLiteral("SELECT dia FROM painelSimples")),
                 QStringLiteral("2024-03-10"));
        // The next reply creates it again, hidden, with numbers from that reply only.
        m_aplicacao->controle().lerContagemAtual(resposta("00043", "00008"));
        QVERIFY(m_aplicacao->janelas().painelsimplesExistente()->isHidden());
        QCOMPARE(texto(m_aplicacao->janelas().painelsimplesExistente(), "lbl_total"), QStringLiteral("8"));
        QVERIFY(m_caixas.isEmpty());
    }

    // The panel's own rhythm asks the device for the live counts through the program's
    // exchange; the reply fills both panels.
    void ritmoProprioComOSimulador()
    {
        const QStringList argumentos = SimuladorProcesso::argumentosFixos(7);
        const QString lotacao = QString::number(
            SimuladorProcesso::valorDaPagina(argumentos, 6, QStringLiteral("\"h\":34,")).toInt());
        SimuladorProcesso simulador(argumentos);
        const quint16 porta = simulador.porta();
        QVERIFY(porta != 0);
        costuras::portaPadrao = [porta] { return porta; };
        PainelSimples* painel = m_aplicacao->janelas().painelsimples();
        painel->findChild<Temporizador*>("TimerLT")->stop();
        for (int t = 0; t <= 10; ++t)
            painel->tiqueTimerLT();
        QTRY_COMPARE(texto(painel, "lbl_lotacao"), lotacao);
        const QStringList pedidos = simulador.caminhos();
        QVERIFY(!pedidos.isEmpty() && pedidos.count(QStringLiteral("/6")) == pedidos.size());
        QCOMPARE(texto(m_aplicacao->janelas().painelavancadoExistente(), "lbl_lotacao"), lotacao);
        QVERIFY(m_caixas.isEmpty());
    }

    // While the panel is on screen, time-outs and data go to it; otherwise to the advanced panel.
    void estadoDaConexao()
    {
        ethernet::Conexao& conexao = m_aplicacao->conexao();
        PainelSimples* painel = m_aplicacao->janelas().painelsimples();
        auto* legenda = painel->findChild<QLabel*>("lbl_legendaDesconectado");
        auto* faixa = painel->findChild<QFrame*>("frm_desconectado");
        conexao.sinalizarDesconexao();
        QVERIFY(!legenda->isVisibleTo(painel));
        m_aplicacao->painelAtivo().ativarPainelSimples();
        conexao.sinalizarDesconexao();
        QVERIFY(legenda->isVisibleTo(painel));
        QVERIFY(faixa->isVisibleTo(painel));
        QCOMPARE(texto(m_principal, "lbl_legendaDesconectado"), QStringLiteral("Desconectado."));
        Q_EMIT conexao.conexaoConfirmada();
        QVERIFY(!legenda->isVisibleTo(painel));
        QVERIFY(!faixa->isVisibleTo(painel));
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
        QVERIFY(QFile::remove(banco()));
        QWidget* pedidaNaCaixa = nullptr;
        bool pediu = false;
        mensagens::instalar([&](const mensagens::Pedido&) {
            if (!pediu) {
                pediu = true;
                pedidaNaCaixa = pedirJanela(m_aplicacao->janelas(), janela);
            }
            return mensagens::Resposta::Ok;
        });
        QWidget* criada = pedirJanela(m_aplicacao->janelas(), janela);
        QVERIFY(pediu);
        QCOMPARE(pedidaNaCaixa, criada);
        QCOMPARE(janelasVivas(janela), QList<QWidget*>{criada});
        QCOMPARE(pedirJanela(m_aplicacao->janelas(), janela), criada);
        delete criada;
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }

    QTemporaryDir m_pasta;
    std::unique_ptr<Aplicacao> m_aplicacao;
    Principal* m_principal = nullptr;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TesteLigacoesSimples)
#include "test_ligacoesSimples.moc"
