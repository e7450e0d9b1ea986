// The network configuration window: typing, storing, proposing and testing the address.
#include "../apoio/ambienteTeste.h"
#include "../apoio/simuladorProcesso.h"
#include "banco.h"
#include "controle.h"
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

class TesteEthernetConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_conexao = new ethernet::Conexao;
        m_banco = banco::Banco();
        m_janelas = std::make_unique<InstanciaUnica<EthernetConfig>>(
            [this] { return new EthernetConfig(m_conexao, m_banco); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        delete m_conexao;
        amb.reset();
    }

    void fechamento_data()
    {
        QTest::addColumn<QString>("jeito");
        QTest::newRow("caixa de fechar") << u"close"_s;
        QTest::newRow("Escape na caixa de resposta") << u"escapeResposta"_s;
        QTest::newRow("Escape num campo") << u"escapeCampo"_s;
    }
    // Every way of closing the modal window stores what was typed and says so once. Only three
    // digits go into an octet, and 010 is stored as the number ten, as the page requests read it.
    void fechamento()
    {
        QFETCH(QString, jeito);
        QPointer<EthernetConfig> janela = m_janelas->obter();
        QSignalSpy fechando(janela.data(), &EthernetConfig::fechando);
        bool fechou = false;
        QTimer::singleShot(0, janela, [&] {
            auto* campo = janela->findChild<QLineEdit*>(u"txt_ip3CP"_s);
            campo->selectAll();
            QTest::keyClicks(campo, u"0a1.01"_s);
            // Past 255 a digit is refused as typed: "2569" leaves 25.
            janela->findChild<QLineEdit*>(u"txt_ip4CP"_s)->selectAll();
            QTest::keyClicks(janela->findChild<QLineEdit*>(u"txt_ip4CP"_s), u"2569"_s);
            auto* resposta = janela->findChild<QPlainTextEdit*>(u"txtSource"_s);
            if (jeito == u"escapeResposta"_s)
                QTest::mouseClick(resposta->viewport(), Qt::LeftButton);
            if (jeito == u"close"_s)
                janela->close(); // as Alt+F4 or the title bar's close box
            else
                QTest::keyClick(jeito == u"escapeCampo"_s ? static_cast<QWidget*>(campo) : resposta,
                                Qt::Key_Escape);
            fechou = !janela || !janela->isVisible();
            if (!fechou)
                janela->done(QDialog::Rejected); // let exec() return so the test can fail
        });
        janela->exec();
        QVERIFY(fechou);
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(fechando.count(), 1);
        QCOMPARE(amb->consulta(QStringLiteral("SELECT txt_ip3CP || '.' || txt_ip4CP || dia FROM ethernet")),
                 QStringLiteral("10.252024-03-10"));
    }

    void enderecoDanificado_data()
    {
        QTest::addColumn<QString>("octeto"); // stored in txt_ip4CP, as SQL
        for (const char* ruim : {"256", "-1", "1.5", "'abc'", "'9.9.9'"})
            QTest::newRow(ruim) << QString::fromLatin1(ruim);
        QTest::newRow("10000 digitos") << u"'%1'"_s.arg(QString(10000, u'9'));
    }
    // A damaged stored address is never looked up as a host name: nothing is requested, the
    // time-out runs on to "Desconectado", the operator is told once, and closing the window
    // stores no placeholder over it.
    void enderecoDanificado()
    {
        QFETCH(QString, octeto);
        QCOMPARE(amb->executar(u"UPDATE ethernet SET txt_ip4CP = %1"_s.arg(octeto)), QString());
        const QString antes = amb->consulta(u"SELECT txt_ip1CP||'.'||txt_ip4CP FROM ethernet"_s);
        controle::Controle controle(m_conexao, m_banco);
        controle.solicitarPagina6();
        controle.solicitarPagina6();
        QCOMPARE(m_conexao->winsock().estado(), ethernet::Winsock::Estado::Fechado);
        QVERIFY(m_conexao->timerTimeOut().isActive());
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(amb->caixas[0].texto.contains(u"não é válido"_s));
        m_janelas->obter()->close();
        QCOMPARE(amb->consulta(u"SELECT txt_ip1CP||'.'||txt_ip4CP FROM ethernet"_s), antes);
    }

    void leituraQueFalhou_data()
    {
        QTest::addColumn<bool>("voltaAntesDeMostrar");
        QTest::newRow("lido ao mostrar") << true;
        QTest::newRow("nunca lido") << false;
    }
    // Created hidden while the file could not be read: the row is read when the window is
    // shown, and the "000" placeholders are never stored.
    void leituraQueFalhou()
    {
        QFETCH(bool, voltaAntesDeMostrar);
        const QString fora = amb->banco + u".fora"_s;
        QVERIFY(QFile::rename(amb->banco, fora));
        EthernetConfig* janela = m_janelas->obter();
        if (voltaAntesDeMostrar)
            QVERIFY(QFile::rename(fora, amb->banco));
        janela->show();
        QVERIFY(voltaAntesDeMostrar || QFile::rename(fora, amb->banco));
        QCOMPARE(janela->findChild<QLineEdit*>(u"txt_ip1CP"_s)->text(),
                 voltaAntesDeMostrar ? u"127"_s : u"000"_s);
        janela->close();
        QCOMPARE(amb->consulta(
                     u"SELECT txt_ip1CP||'.'||txt_ip2CP||'.'||txt_ip3CP||'.'||txt_ip4CP FROM ethernet"_s),
                 u"127.0.0.1"_s);
    }

    void teclasDeFoco_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("foco");
        QTest::newRow("Tab do campo 1") << u"txt_ip1CP"_s << int(Qt::Key_Tab) << u"txt_ip2CP"_s;
        QTest::newRow("Shift+Tab do campo 2") << u"txt_ip2CP"_s << int(Qt::Key_Backtab) << u"txt_ip1CP"_s;
        QTest::newRow("Tab do campo 4 ao link")
            << u"txt_ip4CP"_s << int(Qt::Key_Tab) << u"lbl_testarConexao"_s;
        QTest::newRow("Enter num campo") << u"txt_ip2CP"_s << int(Qt::Key_Return) << u"txt_ip2CP"_s;
        QTest::newRow("Espaco no link") << u"lbl_redefinir"_s << int(Qt::Key_Space) << u"lbl_redefinir"_s;
    }
    // Focus keys work in the octet fields as in any dialog; links are reached and followed
    // from the keyboard. "Detectar" asks first (No by default), proposes from this computer's
    // address and connects to nothing.
    void teclasDeFoco()
    {
        QFETCH(QString, inicio);
        QFETCH(int, tecla);
        QFETCH(QString, foco);
        costuras::ipLocal = [] { return QStringLiteral("10.1.2.3"); };
        amb->resposta = mensagens::Resposta::Sim;
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
        const bool detectou = tecla == Qt::Key_Space;
        QCOMPARE(amb->caixas.size(), detectou ? 1 : 0);
        QVERIFY(!detectou ||
                (amb->caixas[0].botoes == mensagens::Botoes::SimNao && amb->caixas[0].padraoNao));
        QStringList campos;
        for (int i = 1; i <= 4; ++i)
            campos << janela->findChild<QLineEdit*>(u"txt_ip%1CP"_s.arg(i))->text();
        QCOMPARE(campos.join(u'.'), detectou ? u"10.1.1.10"_s : u"127.0.0.1"_s);
        QCOMPARE(m_conexao->winsock().estado(), ethernet::Winsock::Estado::Fechado);
        QVERIFY(!m_conexao->timerTimeOut().isActive());
    }

    void testeDeConexao_data()
    {
        QTest::addColumn<bool>("semArduino");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("depois");
        QTest::newRow("dispositivo") << false << u"127.0.0.1"_s << u""_s;
        QTest::newRow("semarduino") << true << u"127.0.0.1"_s << u""_s;
        // "010" is ten, as stored and as the page requests use it, not octal eight.
        QTest::newRow("zero a esquerda") << false << u"127.000.0.010"_s << u""_s;
        // A request of the polling cycle empties the log after the device answered the test...
        QTest::newRow("log esvaziado por outro pedido") << false << u"127.0.0.1"_s << u"mudo"_s;
        // ...or fills it with another device's reply: not the test's answer.
        QTest::newRow("outro pedido responde") << true << u"127.0.0.1"_s << u"outro"_s;
    }
    // The test against the simulator on loopback: the state lines while it runs, then the
    // verdict from the word "Arduino" in its own reply.
    void testeDeConexao()
    {
        QFETCH(bool, semArduino);
        QFETCH(QString, digitado);
        QFETCH(QString, depois);
        const QStringList octetos = digitado.split(u'.');
        SimuladorProcesso simulador(semArduino ? QStringList{u"--falha"_s, u"semarduino"_s} : QStringList{},
                                    0, u"127.0.0.%1"_s.arg(octetos[3].toInt()));
        QVERIFY(simulador.porta() != 0);
        costuras::portaPadrao = [&] { return simulador.porta(); };
        m_conexao->definirSubPagina(QStringLiteral("/0"));
        connect(m_conexao, &ethernet::Conexao::dadosRecebidos, this,
                [this](const QString& log) { m_janelas->obter()->definirResposta(log); });
        EthernetConfig* janela = m_janelas->obter();
        for (int i = 0; i < 4; ++i)
            janela->findChild<QLineEdit*>(u"txt_ip%1CP"_s.arg(i + 1))->setText(octetos[i]);
        janela->clicarTestarConexao();
        auto* rotulo = janela->findChild<QLabel*>(u"lbl_statusPesquisa"_s);
        QCOMPARE(rotulo->text(), QStringLiteral("Pesquisando dispositivo na rede local..."));
        QTRY_VERIFY(m_conexao->log().contains(u"status"_s));
        // Let a state line be logged after the reply, then end the test instead of waiting 5 s.
        QTRY_VERIFY(janela->textoResposta().endsWith(QStringLiteral("Encerrando...\r\n")) ||
                    janela->textoResposta().endsWith(QStringLiteral("Conexão encerrada.\r\n")));
        std::unique_ptr<SimuladorProcesso> outro;
        QString caminho;
        if (depois == u"mudo"_s) {
            QTcpServer fechado;
            QVERIFY(fechado.listen(QHostAddress::LocalHost));
            const quint16 porta = fechado.serverPort();
            fechado.close();
            m_conexao->conectarUrl(QStringLiteral("//127.0.0.1:%1/1").arg(porta), caminho);
            QVERIFY(m_conexao->log().isEmpty());
        } else if (depois == u"outro"_s) {
            outro = std::make_unique<SimuladorProcesso>();
            QVERIFY(outro->porta() != 0);
            m_conexao->conectarUrl(QStringLiteral("//127.0.0.1:%1/1").arg(outro->porta()), caminho);
            QTRY_VERIFY(m_conexao->log().contains(u"Arduino"_s));
        }
        janela->tiqueTimeout();
        QCOMPARE(rotulo->text(), semArduino
                                     ? QStringLiteral("Não encontramos o dispositivo na rede. Por favor, "
                                                      "verifique todas as conexões.")
                                     : QStringLiteral("Dispositivo encontrado!"));
        QCOMPARE(rotulo->palette().color(QPalette::WindowText),
                 semArduino ? QColor(Qt::red) : QColor(Qt::black));
        QVERIFY(!janela->findChild<Temporizador*>(u"TimerState"_s)->isActive());
        // The test stored the fields first.
        QCOMPARE(amb->consulta(QStringLiteral("SELECT dia FROM ethernet")), QStringLiteral("2024-03-10"));
    }

private:
    std::optional<apoio::Ambiente> amb;
    ethernet::Conexao* m_conexao = nullptr;
    banco::Banco m_banco;
    std::unique_ptr<InstanciaUnica<EthernetConfig>> m_janelas;
};

QTEST_MAIN(TesteEthernetConfig)
#include "test_ethernetConfig.moc"
