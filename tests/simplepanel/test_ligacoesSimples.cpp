// The simple panel inside the program: the live counts written into it, the menu command
// that shows it, and the connection status sent to it while it is on screen.
#include "../apoio/bancoTeste.h"
#include "../apoio/resposta.h"
#include "../apoio/simuladorProcesso.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "ethernetConfig.h"
#include "ligacoes.h"
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

// The registry's accessor of the window named `nome`, and its living window.
QWidget* pedirJanela(const QString& nome)
{
    if (nome == QLatin1String("painelsimples"))
        return janelas::painelsimples();
    if (nome == QLatin1String("painelavancado"))
        return janelas::painelavancado();
    if (nome == QLatin1String("ethernetConfig"))
        return janelas::ethernetConfig();
    return janelas::painelavancadoAjustes();
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
        m_principal = new Principal;
        ligacoes::instalar(*m_principal);
    }
    void cleanup()
    {
        delete janelas::painelsimplesExistente();
        delete m_principal;
        painelAtivo::desativarPainelSimples();
        controle::definirPainelSimples({});
        costuras::restaurar();
        dispositivoWindows::restaurar();
        mensagens::instalar({});
    }

    // A reply to /6 creates the panel hidden when none is alive and writes both numbers.
    void contagemAoVivo()
    {
        QVERIFY(!janelas::painelsimplesExistente());
        m_principal->definirSubPagina(QStringLiteral("/6"));
        controle::tratarResposta(resposta("12345", "00310"),
                                 [this] { return m_principal->subPaginaAtual(); });
        PainelSimples* painel = janelas::painelsimplesExistente();
        QVERIFY(painel);
        QVERIFY(painel->isHidden());
        QCOMPARE(texto(painel, "lbl_lotacao"), QStringLiteral("12345"));
        QCOMPARE(texto(painel, "lbl_total"), QStringLiteral("310"));
        // Created by the write, it still runs its own rhythm.
        QVERIFY(painel->findChild<Temporizador*>("TimerLT")->isActive());
    }

    // The menu shows the panel modally; it keeps the numbers it already held; closing it
    // hands the status back and stores the settings.
    void menuAbreEFecha()
    {
        controle::lerContagemAtual(resposta("00042", "00007"));
        QPointer<PainelSimples> painel = janelas::painelsimplesExistente();
        QVERIFY(painel);
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
            ativo = painelAtivo::painelSimplesEstaAtivo();
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
        QVERIFY(!painelAtivo::painelSimplesEstaAtivo());
        QTRY_VERIFY(!painel);
        QCOMPARE(apoio::consulta(banco(), QStringLiteral("SELECT dia FROM painelSimples")),
                 QStringLiteral("2024-03-10"));
        // The next reply creates it again, hidden, with numbers from that reply only.
        controle::lerContagemAtual(resposta("00043", "00008"));
        QVERIFY(janelas::painelsimplesExistente()->isHidden());
        QCOMPARE(texto(janelas::painelsimplesExistente(), "lbl_total"), QStringLiteral("8"));
        QVERIFY(m_caixas.isEmpty());
    }

    void coresComOSimulador_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("abaixo do aviso") << "abaixo";
        QTest::newRow("no aviso") << "aviso";
        QTest::newRow("na maxima") << "maxima";
    }
    // A reading of the simulated counter, requested by the panel's own rhythm, against the
    // maximum set: the colours of both panels' figures and the message line.
    void coresComOSimulador()
    {
        QFETCH(QString, caso);
        const QStringList argumentos = SimuladorProcesso::argumentosFixos(7);
        const int lotacao =
            SimuladorProcesso::valorDaPagina(argumentos, 6, QStringLiteral("\"h\":34,")).toInt();
        QVERIFY(lotacao >= 2);
        int maxima = 0;
        int aviso = 0;
        regrasLotacao::Estado esperado = regrasLotacao::Estado::normal;
        if (caso == "abaixo") {
            maxima = lotacao * 2 + 20;
        } else if (caso == "aviso") {
            maxima = lotacao + 1;
            aviso = lotacao;
            esperado = regrasLotacao::Estado::aviso;
        } else if (caso == "maxima") {
            maxima = lotacao;
            esperado = regrasLotacao::Estado::lotado;
        }
        QCOMPARE(apoio::executar(banco(), QStringLiteral("UPDATE painelLotacao SET lotacaoMaxima = %1, "
                                                         "lotacaoAviso = %2, infoLotado = 'Lotado!'")
                                              .arg(maxima)
                                              .arg(aviso)),
                 QString());
        SimuladorProcesso simulador(argumentos);
        QVERIFY(simulador.porta() != 0);
        const quint16 porta = simulador.porta();
        costuras::portaPadrao = [porta] { return porta; };

        PainelSimples* painel = janelas::painelsimples();
        painel->findChild<Temporizador*>("TimerLT")->stop();
        for (int t = 0; t <= 10; ++t)
            painel->tiqueTimerLT();
        QTRY_COMPARE(texto(painel, "lbl_lotacao"), QString::number(lotacao));

        const QColor branco(0xFF, 0xFF, 0xFF);
        const QColor cor = regrasLotacao::cor(esperado, branco);
        auto corDe = [](QWidget* janela, const char* nome) {
            QLabel* l = janela->findChild<QLabel*>(QString::fromLatin1(nome));
            l->ensurePolished();
            return l->palette().color(QPalette::WindowText);
        };
        QCOMPARE(corDe(painel, "lbl_lotacao"), cor);
        QCOMPARE(corDe(painel, "lbl_legendaLotacao"), cor);
        QCOMPARE(texto(painel, "lbl_infoEmpresa"), esperado == regrasLotacao::Estado::lotado
                                                       ? QStringLiteral("Lotado!")
                                                       : QStringLiteral("Seja bem-vindo!"));
        PainelAvancado* avancado = janelas::painelavancadoExistente();
        QVERIFY(avancado);
        QCOMPARE(texto(avancado, "lbl_lotacao"), QString::number(lotacao));
        QCOMPARE(corDe(avancado, "lbl_lotacao"), regrasLotacao::cor(esperado, QColor(0x1f, 0x4e, 0x79)));
        delete avancado;
        QVERIFY(m_caixas.isEmpty());
    }

    // While the panel is on screen, time-outs and data go to it; otherwise to the advanced panel.
    void estadoDaConexao()
    {
        ethernet::Conexao& conexao = m_principal->conexao();
        PainelSimples* painel = janelas::painelsimples();
        auto* legenda = painel->findChild<QLabel*>("lbl_legendaDesconectado");
        auto* faixa = painel->findChild<QFrame*>("frm_desconectado");
        conexao.sinalizarDesconexao();
        QVERIFY(!legenda->isVisibleTo(painel));
        painelAtivo::ativarPainelSimples();
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
        banco::novaAcaoDoOperador(); // an earlier row's failure is not this one's
        QVERIFY(QFile::remove(banco()));
        QWidget* pedidaNaCaixa = nullptr;
        bool pediu = false;
        mensagens::instalar([&](const mensagens::Pedido&) {
            if (!pediu) {
                pediu = true;
                pedidaNaCaixa = pedirJanela(janela);
            }
            return mensagens::Resposta::Ok;
        });
        QWidget* criada = pedirJanela(janela);
        QVERIFY(pediu);
        QCOMPARE(pedidaNaCaixa, criada);
        QCOMPARE(janelasVivas(janela), QList<QWidget*>{criada});
        QCOMPARE(pedirJanela(janela), criada);
        delete criada;
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }

    QTemporaryDir m_pasta;
    Principal* m_principal = nullptr;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TesteLigacoesSimples)
#include "test_ligacoesSimples.moc"
