// The simple panel window: the settings row loaded and stored, the options frame, the refresh
// rhythm on the wire, the capacity, the screen it covers.
#include "../apoio/bancoTeste.h"
#include "controle.h"
#include "costuras.h"
#include "instanciaUnica.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "mensagens.h"
#include "painelAtivo.h"
#include "painelSimples.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QLabel* rotulo(QWidget* janela, const char* nome)
{
    auto* l = janela->findChild<QLabel*>(QString::fromLatin1(nome));
    if (!l)
        qWarning("sem %s", nome);
    return l;
}

void passar(QWidget* w)
{
    QEnterEvent entrada(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(w, &entrada);
}

} // namespace

class TestePainelSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        costuras::fixarRelogio("10/03/2024", "14:05:33");
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{"tela", QRect(0, 0, 1920, 1080)}};
        };
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas.append(p);
            return mensagens::Resposta::Ok;
        });
        m_conexao = new ethernet::Conexao;
        m_controle = std::make_unique<controle::Controle>(m_conexao);
        m_painelAtivo = PainelAtivo();
        m_janelas = std::make_unique<InstanciaUnica<PainelSimples>>(
            [this] { return new PainelSimples(m_controle.get(), &m_painelAtivo); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        m_controle.reset();
        delete m_conexao;
        costuras::restaurar();
        dispositivoWindows::restaurar();
        mensagens::instalar({});
    }

    void cargaDoBanco()
    {
        PainelSimples* janela = m_janelas->obter();
        QVERIFY(janela->isHidden());
        QCOMPARE(janela->geometry(), QRect(0, 0, 1920, 1080));
        QCOMPARE(rotulo(janela, "lbl_lotacao")->font().pointSizeF(), 200.0);
        QVERIFY(!janela->findChild<QLineEdit*>("txt_infoEmpresa")->isVisibleTo(janela));
        QVERIFY(!janela->findChild<QFrame*>("frm_desconectado")->isVisibleTo(janela));
        QVERIFY(!janela->findChild<QFrame*>("frm_opcoes")->isVisibleTo(janela));
        QCOMPARE(janela->findChild<Temporizador*>("TimerLT")->interval(), 1000);
        QVERIFY(janela->findChild<Temporizador*>("TimerLT")->isActive());
        QVERIFY(m_caixas.isEmpty());
    }

    void intervaloGuardado_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<int>("ms");
        QTest::newRow("15s") << "15s"
                             << "15s" << 1500;
        QTest::newRow("texto") << "rapido"
                               << "60s" << 6000;
        QTest::newRow("5s") << "5s"
                            << "60s" << 6000;
    }
    void intervaloGuardado()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, legenda);
        QFETCH(int, ms);
        QCOMPARE(
            apoio::executar(banco(),
                            QStringLiteral("UPDATE painelSimples SET tempoAtualizacao = '%1'").arg(guardado)),
            QString());
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), legenda);
        QCOMPARE(janela->findChild<Temporizador*>("TimerLT")->interval(), ms);
    }

    void idaEVolta_data()
    {
        QTest::addColumn<bool>("peloX");
        QTest::newRow("pelo X do painel") << true;
        QTest::newRow("fechando a janela") << false;
    }
    // Adjust on screen, close, read the row back, reopen.
    void idaEVolta()
    {
        QFETCH(bool, peloX);
        PainelSimples* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        QVERIFY(janela->findChild<QFrame*>("frm_opcoes")->isVisible());
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tamLotacao")->text(), QStringLiteral("28"));
        QTest::mouseClick(rotulo(janela, "lbl_posicaoTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarLegendaFonteTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("20s"));
        QCOMPARE(janela->findChild<Temporizador*>("TimerLT")->interval(), 2000);
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_lotacao"), Qt::LeftButton);
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoEmpresa");
        QVERIFY(editor->isVisible());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("  Loja Centro  "));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Loja Centro"));

        QSignalSpy fechando(janela, &PainelSimples::fechando);
        if (peloX)
            QTest::mouseClick(rotulo(janela, "lbl_fechar"), Qt::LeftButton);
        else
            janela->close();
        QCOMPARE(fechando.count(), 1);
        QTRY_VERIFY(!m_janelas->existente());
        QVERIFY(!m_painelAtivo.painelSimplesEstaAtivo());

        QCOMPARE(apoio::consulta(banco(), QStringLiteral("SELECT count(*) FROM painelSimples")),
                 QStringLiteral("1"));
        QCOMPARE(apoio::consulta(
                     banco(),
                     QStringLiteral("SELECT lotacaoFonte||'|'||chklotacao||'|'||chktotal||'|'||"
                                    "tempoAtualizacao||'|'||legendaFonteTotal||'|'||infoEmpresa||'|'||dia "
                                    "FROM painelSimples")),
                 QStringLiteral("280.0|1|0|20s|34.0|Loja Centro|2024-03-10"));
        QVERIFY(m_caixas.isEmpty());

        // A new window starts afresh from the row: the message in display mode, frame closed.
        PainelSimples* outra = m_janelas->obter();
        QCOMPARE(rotulo(outra, "lbl_lotacao")->font().pointSizeF(), 280.0);
        QVERIFY(!rotulo(outra, "lbl_lotacao")->isVisibleTo(outra));
        QVERIFY(!outra->findChild<QLineEdit*>("txt_infoEmpresa")->isVisibleTo(outra));
        QCOMPARE(rotulo(outra, "lbl_infoEmpresa")->text(), QStringLiteral("Loja Centro"));
        QCOMPARE(rotulo(outra, "lbl_total")->y(), 407);
    }

    // The frame opens and closes on a mere pass of the pointer; an editor left open stays.
    void opcoesPorPassagem()
    {
        PainelSimples* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto* frame = janela->findChild<QFrame*>("frm_opcoes");
        passar(rotulo(janela, "lbl_opcoes"));
        QVERIFY(frame->isVisible());
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        QVERIFY(!rotulo(janela, "lbl_aumentarFonteinfoEmpresa")->isVisible());
        passar(rotulo(janela, "lbl_fecharopcoes"));
        QVERIFY(!frame->isVisible());
        QCOMPARE(janela->focusWidget(), janela->findChild<QLineEdit*>("txt_ocultarMouse"));
        QVERIFY(janela->findChild<QLineEdit*>("txt_infoEmpresa")->isVisible());
        QVERIFY(rotulo(janela, "lbl_infoEmpresa")->isVisible());
    }

    // "10s": eleven ticks, the bar climbing 0 ... 10, and GET /6 on the wire at the eleventh.
    void ritmoNoFio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        const quint16 porta = servidor.serverPort();
        costuras::portaPadrao = [porta] { return porta; };
        QByteArray recebido;
        int conexoes = 0;
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = servidor.nextPendingConnection()) {
                ++conexoes;
                connect(s, &QTcpSocket::readyRead, this, [&recebido, s] { recebido += s->readAll(); });
            }
        });
        PainelSimples* janela = m_janelas->obter();
        janela->findChild<Temporizador*>("TimerLT")->stop();
        auto* barra = janela->findChild<QProgressBar*>("bar_atualizacao");
        for (int t = 0; t < 10; ++t) {
            janela->tiqueTimerLT();
            QCOMPARE(barra->value(), t);
            QCOMPARE(barra->maximum(), 10);
        }
        QCoreApplication::processEvents();
        QCOMPARE(conexoes, 0);
        QVERIFY(m_conexao->subPaginaAtual().isEmpty());
        janela->tiqueTimerLT();
        QCOMPARE(barra->value(), 10);
        QCOMPARE(m_conexao->subPaginaAtual(), QStringLiteral("/6"));
        QTRY_COMPARE(recebido, QByteArray("GET /6 HTTP/1.0\n\n"));
        QCOMPARE(janela->contadorAtualizacao(), 0);
        servidor.disconnect(this);
    }

    // Lowering the interval while the counter is past the new N: the bar stays in range and
    // the request goes out at once.
    void intervaloReduzido()
    {
        QCOMPARE(
            apoio::executar(banco(), QStringLiteral("UPDATE painelSimples SET tempoAtualizacao = '60s'")),
            QString());
        PainelSimples* janela = m_janelas->obter();
        janela->findChild<Temporizador*>("TimerLT")->stop();
        for (int t = 0; t < 30; ++t)
            janela->tiqueTimerLT();
        QCOMPARE(janela->contadorAtualizacao(), 30);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("10s"));
        janela->tiqueTimerLT();
        auto* barra = janela->findChild<QProgressBar*>("bar_atualizacao");
        QCOMPARE(barra->maximum(), 10);
        QCOMPARE(barra->value(), 10);
        QCOMPARE(m_conexao->subPaginaAtual(), QStringLiteral("/6"));
        QCOMPARE(janela->contadorAtualizacao(), 0);
    }

    // Without a readable row the panel still shows the counts, reports once and never writes
    // its stand-ins over the file.
    void semBanco()
    {
        QVERIFY(QFile::remove(banco()));
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("60s"));
        janela->definirTotal(QStringLiteral("7"));
        QCOMPARE(rotulo(janela, "lbl_total")->text(), QStringLiteral("7"));
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(!QFile::exists(banco()));
    }

    // The capacity set on the panel: colours and message follow at once, the full-house text
    // is edited like the custom message, and the new table keeps what was set. (The colours of
    // each state against the simulator: test_ligacoesSimples.)
    void lotacaoMaxima()
    {
        QCOMPARE(apoio::executar(banco(), QStringLiteral("UPDATE painelLotacao SET lotacaoMaxima = 50")),
                 QString());
        PainelSimples* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto cor = [janela](const char* nome) {
            return rotulo(janela, nome)->palette().color(QPalette::WindowText);
        };
        const QColor branco(0xFF, 0xFF, 0xFF);
        janela->definirLotacao(QStringLiteral("50"));
        const QColor corLotado = cor("lbl_lotacao");
        QVERIFY(corLotado != branco);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(),
                 QStringLiteral("Lotação máxima atingida. Por favor, aguarde."));

        // Raised on the spot: 50 is now below the warning level of 54.
        passar(rotulo(janela, "lbl_opcoes"));
        auto* maxima = janela->findChild<QSpinBox*>("txt_lotacaoMaxima");
        QVERIFY(maxima->isVisible());
        maxima->selectAll();
        QTest::keyClicks(maxima, QStringLiteral("60"));
        QCOMPARE(maxima->value(), 60);
        QCOMPARE(cor("lbl_lotacao"), branco);
        janela->definirLotacao(QStringLiteral("60"));
        QCOMPARE(cor("lbl_lotacao"), corLotado);

        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoLotado"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoLotado");
        QVERIFY(editor->isVisible());
        QVERIFY(!janela->findChild<QCheckBox*>("chk_infoEmpresa")->isChecked());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("  Aguarde na fila  "));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Aguarde na fila"));
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoLotado"), Qt::LeftButton);
        QVERIFY(!editor->isVisible());
        janela->definirLotacao(QStringLiteral("12"));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Seja bem-vindo!"));
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(apoio::consulta(
                     banco(),
                     QStringLiteral("SELECT lotacaoMaxima || '|' || lotacaoAviso || '|' || infoLotado FROM "
                                    "painelLotacao")),
                 QStringLiteral("60|0|Aguarde na fila"));
        QVERIFY(m_caixas.isEmpty());
    }

    // The panel covers the screen the rules pick, lays itself out on that screen's size, and
    // moves to a remaining screen when its own goes away; a chosen screen is remembered.
    void telaDoPainel()
    {
        const dispositivoWindows::Tela notebook{"eDP-1", QRect(0, 0, 1366, 768)};
        const dispositivoWindows::Tela tv{"HDMI-1", QRect(1366, 0, 1920, 1080)};
        QList<dispositivoWindows::Tela> telas{notebook, tv};
        dispositivoWindows::telas = [&telas] { return telas; };
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(janela->geometry(), tv.geometria);

        telas = {notebook};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), notebook.geometria);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        QVERIFY(janela->findChild<QFrame*>("frm_opcoes")->geometry().bottom() < 768);

        // The operator picks the notebook's screen; it comes back the next time.
        telas = {notebook, tv};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), tv.geometria);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QVERIFY(janela->windowState() & Qt::WindowFullScreen);
        passar(rotulo(janela, "lbl_opcoes"));
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), QStringLiteral("Auto"));
        QTest::mouseClick(rotulo(janela, "lbl_tela"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), QStringLiteral("1"));
        QCOMPARE(janela->nomeTela(), QStringLiteral("eDP-1"));
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(apoio::consulta(banco(), QStringLiteral("SELECT telaPainel FROM painelLotacao")),
                 QStringLiteral("eDP-1"));
        QCOMPARE(m_janelas->obter()->geometry(), notebook.geometria);
    }

    // A message typed by the operator is shown as typed, never read as markup.
    void mensagemEmTextoPuro()
    {
        PainelSimples* janela = m_janelas->obter();
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoEmpresa");
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("<b>x</b>"));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("<b>x</b>"));
        for (QLabel* l : janela->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }

    QTemporaryDir m_pasta;
    ethernet::Conexao* m_conexao = nullptr;
    std::unique_ptr<controle::Controle> m_controle;
    PainelAtivo m_painelAtivo;
    std::unique_ptr<InstanciaUnica<PainelSimples>> m_janelas;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePainelSimples)
#include "test_painelSimples.moc"
