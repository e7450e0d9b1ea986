// The network configuration window: typing, storing, proposing and testing the address.
#include "../apoio/ambienteTeste.h"
#include "../apoio/simuladorProcesso.h"
#include "banco.h"
#include "ethernet.h"
#include "ethernetConfig.h"
#include "instanciaUnica.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTcpServer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList campos(QWidget* janela)
{
    QStringList r;
    for (int i = 1; i <= 4; ++i)
        r << janela->findChild<QLineEdit*>(QStringLiteral("txt_ip%1CP").arg(i))->text();
    return r;
}

void preencher(QWidget* janela, const QStringList& valores)
{
    for (int i = 0; i < 4; ++i)
        janela->findChild<QLineEdit*>(QStringLiteral("txt_ip%1CP").arg(i + 1))->setText(valores[i]);
}

} // namespace

class TesteEthernetConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_conexao = new ethernet::Conexao;
        m_banco = banco::Banco();
        m_janelas = std::make_unique<InstanciaUnica<EthernetConfig>>([this] { return new EthernetConfig(m_conexao, m_banco); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        delete m_conexao;
        amb.reset();
    }

    void filtroDeDigitos_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("letra e ponto recusados") << u"1a.2"_s << u"12"_s;
        QTest::newRow("quarto digito recusado") << u"1234"_s << u"123"_s;
        QTest::newRow("espaco e sinal") << u" -7"_s << u"7"_s;
    }
    void filtroDeDigitos()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, resultado);
        EthernetConfig* janela = m_janelas->obter();
        auto* campo = janela->findChild<QLineEdit*>("txt_ip2CP");
        campo->clear();
        QTest::keyClicks(campo, digitado);
        QCOMPARE(campo->text(), resultado);
        QTest::keyClick(campo, Qt::Key_Backspace);
        QCOMPARE(campo->text(), resultado.chopped(1));
    }

    void fechamento_data()
    {
        QTest::addColumn<QString>("jeito");
        QTest::newRow("caixa de fechar") << u"close"_s;
        QTest::newRow("Escape na caixa de resposta") << u"escapeResposta"_s;
        QTest::newRow("Escape num campo") << u"escapeCampo"_s;
        QTest::newRow("done") << u"done"_s;
    }
    // Every way of closing the modal window stores what was typed and says so once; an octet
    // typed as 010 is stored as the number ten, as the page requests read it.
    void fechamento()
    {
        QFETCH(QString, jeito);
        QPointer<EthernetConfig> janela = m_janelas->obter();
        QSignalSpy fechando(janela.data(), &EthernetConfig::fechando);
        bool fechou = false;
        QTimer::singleShot(0, janela, [&] {
            auto* campo = janela->findChild<QLineEdit*>("txt_ip3CP");
            campo->selectAll();
            QTest::keyClicks(campo, "010");
            auto* resposta = janela->findChild<QPlainTextEdit*>("txtSource");
            if (jeito == "close") {
                janela->close();
            } else if (jeito == "escapeResposta") {
                QTest::mouseClick(resposta->viewport(), Qt::LeftButton);
                QTest::keyClick(resposta, Qt::Key_Escape);
            } else if (jeito == "escapeCampo") {
                QTest::keyClick(campo, Qt::Key_Escape);
            } else {
                janela->done(QDialog::Accepted);
            }
            fechou = !janela || !janela->isVisible();
            if (!fechou)
                janela->done(QDialog::Rejected); // let exec() return so the test can fail
        });
        janela->exec();
        QVERIFY(fechou);
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(fechando.count(), 1);
        QCOMPARE(amb->consulta(QStringLiteral("SELECT txt_ip3CP || dia FROM ethernet")),
                 QStringLiteral("102024-03-10"));
    }

    void teclasDeFoco_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("foco");
        QTest::addColumn<int>("caixas");
        QTest::newRow("Tab do campo 1") << u"txt_ip1CP"_s << int(Qt::Key_Tab) << u"txt_ip2CP"_s << 0;
        QTest::newRow("Shift+Tab do campo 2")
            << u"txt_ip2CP"_s << int(Qt::Key_Backtab) << u"txt_ip1CP"_s << 0;
        QTest::newRow("Tab do campo 4 ao link")
            << u"txt_ip4CP"_s << int(Qt::Key_Tab) << u"lbl_testarConexao"_s << 0;
        QTest::newRow("Enter num campo") << u"txt_ip2CP"_s << int(Qt::Key_Return) << u"txt_ip2CP"_s << 0;
        QTest::newRow("Espaco no link")
            << u"lbl_redefinir"_s << int(Qt::Key_Space) << u"lbl_redefinir"_s << 1;
    }
    // Focus keys work in the octet fields as in any dialog; links are reached and followed
    // from the keyboard.
    void teclasDeFoco()
    {
        QFETCH(QString, inicio);
        QFETCH(int, tecla);
        QFETCH(QString, foco);
        QFETCH(int, caixas);
        EthernetConfig* janela = m_janelas->obter();
        janela->show();
        QApplication::setActiveWindow(janela);
        QVERIFY(QTest::qWaitForWindowActive(janela));
        auto* origem = janela->findChild<QWidget*>(inicio);
        origem->setFocus();
        QCOMPARE(QApplication::focusWidget(), origem);
        QTest::keyClick(origem, Qt::Key(tecla));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), foco);
        QCOMPARE(amb->caixas.size(), caixas);
        QCOMPARE(janela->findChild<QLineEdit*>("txt_ip2CP")->text(), QStringLiteral("0"));
    }

    void detectar_data()
    {
        QTest::addColumn<bool>("sim");
        QTest::addColumn<QStringList>("propostos");
        QTest::newRow("nao") << false << QStringList{"127", "0", "0", "1"};
        QTest::newRow("sim") << true << QStringList{"10", "1", "1", "10"};
    }
    // "Detectar" proposes from this computer's address (the seam) and connects to nothing.
    void detectar()
    {
        QFETCH(bool, sim);
        QFETCH(QStringList, propostos);
        costuras::ipLocal = [] { return QStringLiteral("10.1.2.3"); };
        amb->resposta = sim ? mensagens::Resposta::Sim : mensagens::Resposta::Nao;
        EthernetConfig* janela = m_janelas->obter();
        janela->clicarRedefinir();
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(amb->caixas.first().botoes == mensagens::Botoes::SimNao && amb->caixas.first().padraoNao);
        QCOMPARE(campos(janela), propostos);
        QCOMPARE(m_conexao->winsock().estado(), 0);
        QVERIFY(!m_conexao->timerTimeOut().isActive());
    }

    void testeDeConexao_data()
    {
        QTest::addColumn<QStringList>("modo");
        QTest::addColumn<QString>("endereco");
        QTest::addColumn<QStringList>("digitados");
        QTest::addColumn<QString>("depois");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QColor>("cor");
        const QString achado = QStringLiteral("Dispositivo encontrado!");
        const QString perdido =
            QStringLiteral("Não encontramos o dispositivo na rede. Por favor, verifique todas as conexões.");
        const QStringList local = {"127", "0", "0", "1"};
        QTest::newRow("dispositivo") << QStringList{} << u"127.0.0.1"_s << local << u""_s << achado
                                     << QColor(Qt::black);
        QTest::newRow("semarduino") << QStringList{"--falha", "semarduino"} << u"127.0.0.1"_s << local
                                    << u""_s << perdido << QColor(255, 0, 0);
        // "010" is ten, as stored and as the page requests use it, not octal eight.
        QTest::newRow("zero a esquerda")
            << QStringList{} << u"127.0.0.10"_s << QStringList{"127", "000", "0", "010"} << u""_s << achado
            << QColor(Qt::black);
        // A request of the polling cycle empties the log after the device answered the test.
        QTest::newRow("log esvaziado por outro pedido")
            << QStringList{} << u"127.0.0.1"_s << local << u"mudo"_s << achado << QColor(Qt::black);
        // ...or fills it with another device's reply: not the test's answer.
        QTest::newRow("outro pedido responde") << QStringList{"--falha", "semarduino"} << u"127.0.0.1"_s
                                               << local << u"outro"_s << perdido << QColor(255, 0, 0);
    }
    // The test against the simulator on loopback: the state lines while it runs, then the
    // verdict from the word "Arduino" in the reply.
    void testeDeConexao()
    {
        QFETCH(QStringList, modo);
        QFETCH(QString, endereco);
        QFETCH(QStringList, digitados);
        QFETCH(QString, depois);
        QFETCH(QString, status);
        QFETCH(QColor, cor);
        SimuladorProcesso simulador(modo, 0, endereco);
        QVERIFY(simulador.porta() != 0);
        costuras::portaPadrao = [&] { return simulador.porta(); };
        m_conexao->definirSubPagina(QStringLiteral("/0"));
        connect(m_conexao, &ethernet::Conexao::dadosRecebidos, this,
                [this](const QString& log) { m_janelas->obter()->definirResposta(log); });
        EthernetConfig* janela = m_janelas->obter();
        preencher(janela, digitados);
        janela->clicarTestarConexao();
        auto* rotulo = janela->findChild<QLabel*>("lbl_statusPesquisa");
        QCOMPARE(rotulo->text(), QStringLiteral("Pesquisando dispositivo na rede local..."));
        QVERIFY(janela->findChild<Temporizador*>("TimerTimeout")->isActive());
        QTRY_VERIFY(m_conexao->log().contains("status"));
        // Let a state line be logged after the reply, then end the test instead of waiting 5 s.
        QTRY_VERIFY(janela->textoResposta().endsWith(QStringLiteral("Encerrando...\r\n")) ||
                    janela->textoResposta().endsWith(QStringLiteral("Conexão encerrada.\r\n")));
        std::unique_ptr<SimuladorProcesso> outro;
        QString caminho;
        if (depois == "mudo") {
            QTcpServer fechado;
            QVERIFY(fechado.listen(QHostAddress::LocalHost));
            const quint16 porta = fechado.serverPort();
            fechado.close();
            m_conexao->conectarUrl(QStringLiteral("//127.0.0.1:%1/1").arg(porta), caminho);
            QVERIFY(m_conexao->log().isEmpty());
        } else if (depois == "outro") {
            outro = std::make_unique<SimuladorProcesso>();
            QVERIFY(outro->porta() != 0);
            m_conexao->conectarUrl(QStringLiteral("//127.0.0.1:%1/1").arg(outro->porta()), caminho);
            QTRY_VERIFY(m_conexao->log().contains("Arduino"));
        }
        janela->tiqueTimeout();
        QCOMPARE(rotulo->text(), status);
        QCOMPARE(rotulo->palette().color(QPalette::WindowText), cor);
        QVERIFY(!janela->findChild<Temporizador*>("TimerState")->isActive());
        QVERIFY(janela->textoResposta().startsWith(QStringLiteral("HTTP/1.0")));
        // The test stored the fields first.
        QCOMPARE(amb->consulta(QStringLiteral("SELECT dia FROM ethernet")), QStringLiteral("2024-03-10"));
    }

    // A failed save is reported, not lost silently.
    void falhaAoGravar()
    {
        EthernetConfig* janela = m_janelas->obter();
        QVERIFY(QFile::remove(amb->banco));
        QVERIFY(!janela->salvarConfiguracoes());
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(!QFile::exists(amb->banco));
    }

private:
    std::optional<apoio::Ambiente> amb;
    ethernet::Conexao* m_conexao = nullptr;
    banco::Banco m_banco;
    std::unique_ptr<InstanciaUnica<EthernetConfig>> m_janelas;
};

QTEST_MAIN(TesteEthernetConfig)
#include "test_ethernetConfig.moc"
