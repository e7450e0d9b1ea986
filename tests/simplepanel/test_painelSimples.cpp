// The simple panel window: the settings row loaded and stored, the options frame, the refresh
// rhythm on the wire, the capacity, the screen it covers.
#include "../apoio/ambienteTeste.h"
#include "dispositivoWindows.h"
#include "controle.h"
#include "ethernet.h"
#include "instanciaUnica.h"
#include "painelAtivo.h"
#include "painelSimples.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

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
        amb.emplace();
        QVERIFY(amb->valido());
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{u"tela"_s, QRect(0, 0, 1920, 1080)}};
        };
        m_conexao = new ethernet::Conexao;
        m_banco = banco::Banco();
        m_controle = std::make_unique<controle::Controle>(m_conexao, m_banco);
        m_painelAtivo = PainelAtivo();
        m_janelas = std::make_unique<InstanciaUnica<PainelSimples>>(
            [this] { return new PainelSimples(m_controle.get(), &m_painelAtivo, m_banco); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        m_controle.reset();
        delete m_conexao;
        dispositivoWindows::restaurar();
        amb.reset();
    }

    void intervaloGuardado_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<int>("ms");
        QTest::newRow("15s") << u"15s"_s << u"15s"_s << 1500;
        QTest::newRow("texto") << u"rapido"_s << u"60s"_s << 6000;
        // A stored interval that would flood the device with requests.
        QTest::newRow("5s") << u"5s"_s << u"60s"_s << 6000;
    }
    void intervaloGuardado()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, legenda);
        QFETCH(int, ms);
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET tempoAtualizacao = '%1'"_s.arg(guardado)),
                 QString());
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), legenda);
        QCOMPARE(janela->findChild<Temporizador*>(u"TimerLT"_s)->interval(), ms);
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
        QVERIFY(janela->findChild<QFrame*>(u"frm_opcoes"_s)->isVisible());
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tamLotacao")->text(), u"28"_s);
        QTest::mouseClick(rotulo(janela, "lbl_posicaoTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarLegendaFonteTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), u"20s"_s);
        QCOMPARE(janela->findChild<Temporizador*>(u"TimerLT"_s)->interval(), 2000);
        QTest::mouseClick(janela->findChild<QCheckBox*>(u"chk_lotacao"_s), Qt::LeftButton);
        QTest::mouseClick(janela->findChild<QCheckBox*>(u"chk_infoEmpresa"_s), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>(u"txt_infoEmpresa"_s);
        QVERIFY(editor->isVisible());
        editor->clear();
        QTest::keyClicks(editor, u"  Loja Centro  "_s);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), u"Loja Centro"_s);

        QSignalSpy fechando(janela, &PainelSimples::fechando);
        if (peloX)
            QTest::mouseClick(rotulo(janela, "lbl_fechar"), Qt::LeftButton);
        else
            janela->close();
        QCOMPARE(fechando.count(), 1);
        QTRY_VERIFY(!m_janelas->existente());
        QVERIFY(!m_painelAtivo.painelSimplesEstaAtivo());

        QCOMPARE(amb->consulta(u"SELECT count(*)||'|'||lotacaoFonte||'|'||chklotacao||'|'||chktotal||'|'||"
                               "tempoAtualizacao||'|'||legendaFonteTotal||'|'||infoEmpresa||'|'||dia "
                               "FROM painelSimples"_s),
                 u"1|280.0|1|0|20s|34.0|Loja Centro|2024-03-10"_s);
        QVERIFY(amb->caixas.isEmpty());

        // A new window starts afresh from the row: the message in display mode, frame closed.
        PainelSimples* outra = m_janelas->obter();
        QCOMPARE(rotulo(outra, "lbl_lotacao")->font().pointSizeF(), 280.0);
        QVERIFY(!rotulo(outra, "lbl_lotacao")->isVisibleTo(outra));
        QVERIFY(!outra->findChild<QLineEdit*>(u"txt_infoEmpresa"_s)->isVisibleTo(outra));
        QCOMPARE(rotulo(outra, "lbl_infoEmpresa")->text(), u"Loja Centro"_s);
        QCOMPARE(rotulo(outra, "lbl_total")->y(), 407); // moved down once
    }

    // The refresh rhythm on the wire. Lowered from 60 s while the counter is past the new N:
    // the bar stays in range and GET /6 goes out at once. Then at 10 s: eleven ticks, the bar
    // climbing 0 ... 10, and the next GET /6 at the eleventh.
    void ritmoNoFio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress(u"127.0.0.1"_s), 0));
        const quint16 porta = servidor.serverPort();
        costuras::portaPadrao = [porta] { return porta; };
        QByteArray recebido;
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = servidor.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [&recebido, s] { recebido += s->readAll(); });
        });
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET tempoAtualizacao = '60s'"_s), QString());
        PainelSimples* janela = m_janelas->obter();
        janela->findChild<Temporizador*>(u"TimerLT"_s)->stop();
        auto* barra = janela->findChild<QProgressBar*>(u"bar_atualizacao"_s);
        for (int t = 0; t < 30; ++t)
            janela->tiqueTimerLT();
        QCOMPARE(janela->contadorAtualizacao(), 30);
        QVERIFY(m_conexao->subPaginaAtual().isEmpty());
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), u"10s"_s);
        janela->tiqueTimerLT();
        QCOMPARE(barra->maximum(), 10);
        QCOMPARE(barra->value(), 10);
        const QByteArray pedido("GET /6 HTTP/1.0\n\n");
        QTRY_COMPARE(recebido, pedido);
        QCOMPARE(janela->contadorAtualizacao(), 0);

        for (int t = 0; t < 10; ++t) {
            janela->tiqueTimerLT();
            QCOMPARE(barra->value(), t);
        }
        QCoreApplication::processEvents();
        QCOMPARE(recebido, pedido);
        janela->tiqueTimerLT();
        QCOMPARE(barra->value(), 10);
        QTRY_COMPARE(recebido, pedido + pedido);
        servidor.disconnect(this);
    }

    // Without a readable row the panel still shows the counts, reports once and never writes
    // its stand-ins over the file.
    void semBanco()
    {
        QVERIFY(QFile::remove(amb->banco));
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(amb->caixas.size(), 1);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), u"60s"_s);
        janela->definirTotal(u"7"_s);
        QCOMPARE(rotulo(janela, "lbl_total")->text(), u"7"_s);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(!QFile::exists(amb->banco));
    }

    // The capacity set on the panel: colours and message follow at once, the full-house text
    // is edited like the custom message, and the new table keeps what was set. (The colours of
    // each state against the simulator: test_ligacoesSimples.)
    void lotacaoMaxima()
    {
        QCOMPARE(amb->executar(u"UPDATE painelLotacao SET lotacaoMaxima = 50"_s), QString());
        PainelSimples* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto cor = [janela](const char* nome) {
            return rotulo(janela, nome)->palette().color(QPalette::WindowText);
        };
        const QColor branco(0xFF, 0xFF, 0xFF);
        janela->definirLotacao(u"50"_s);
        const QColor corLotado = cor("lbl_lotacao");
        QVERIFY(corLotado != branco);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(),
                 u"Lotação máxima atingida. Por favor, aguarde."_s);

        // Raised on the spot: 50 is now below the warning level of 54.
        passar(rotulo(janela, "lbl_opcoes"));
        auto* maxima = janela->findChild<QSpinBox*>(u"txt_lotacaoMaxima"_s);
        QVERIFY(maxima->isVisible());
        maxima->selectAll();
        QTest::keyClicks(maxima, u"60"_s);
        QCOMPARE(maxima->value(), 60);
        QCOMPARE(cor("lbl_lotacao"), branco);
        janela->definirLotacao(u"60"_s);
        QCOMPARE(cor("lbl_lotacao"), corLotado);

        QTest::mouseClick(janela->findChild<QCheckBox*>(u"chk_infoLotado"_s), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>(u"txt_infoLotado"_s);
        QVERIFY(editor->isVisible());
        QVERIFY(!janela->findChild<QCheckBox*>(u"chk_infoEmpresa"_s)->isChecked());
        editor->clear();
        QTest::keyClicks(editor, u"  Aguarde na fila  "_s);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), u"Aguarde na fila"_s);
        QTest::mouseClick(janela->findChild<QCheckBox*>(u"chk_infoLotado"_s), Qt::LeftButton);
        QVERIFY(!editor->isVisible());
        janela->definirLotacao(u"12"_s);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), u"Seja bem-vindo!"_s);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(
            amb->consulta(u"SELECT lotacaoMaxima||'|'||lotacaoAviso||'|'||infoLotado FROM painelLotacao"_s),
            u"60|0|Aguarde na fila"_s);
        QVERIFY(amb->caixas.isEmpty());
    }

    // The panel covers the screen the rules pick, lays itself out on that screen's size, and
    // moves to a remaining screen when its own goes away; a chosen screen is remembered.
    void telaDoPainel()
    {
        const dispositivoWindows::Tela notebook{u"eDP-1"_s, QRect(0, 0, 1366, 768)};
        const dispositivoWindows::Tela tv{u"HDMI-1"_s, QRect(1366, 0, 1920, 1080)};
        QList<dispositivoWindows::Tela> telas{notebook, tv};
        dispositivoWindows::telas = [&telas] { return telas; };
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(janela->geometry(), tv.geometria);

        telas = {notebook};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), notebook.geometria);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        QVERIFY(janela->findChild<QFrame*>(u"frm_opcoes"_s)->geometry().bottom() < 768);

        // The operator picks the notebook's screen; it comes back the next time.
        telas = {notebook, tv};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), tv.geometria);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QVERIFY(janela->windowState() & Qt::WindowFullScreen);
        passar(rotulo(janela, "lbl_opcoes"));
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), u"Auto"_s);
        QTest::mouseClick(rotulo(janela, "lbl_tela"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), u"1"_s);
        QCOMPARE(janela->nomeTela(), u"eDP-1"_s);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->consulta(u"SELECT telaPainel FROM painelLotacao"_s), u"eDP-1"_s);
        QCOMPARE(m_janelas->obter()->geometry(), notebook.geometria);
    }

    // A message typed by the operator is shown as typed, never read as markup.
    void mensagemEmTextoPuro()
    {
        PainelSimples* janela = m_janelas->obter();
        QTest::mouseClick(janela->findChild<QCheckBox*>(u"chk_infoEmpresa"_s), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>(u"txt_infoEmpresa"_s);
        editor->clear();
        QTest::keyClicks(editor, u"<b>x</b>"_s);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), u"<b>x</b>"_s);
        for (QLabel* l : janela->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    }

private:
    std::optional<apoio::Ambiente> amb;
    ethernet::Conexao* m_conexao = nullptr;
    banco::Banco m_banco;
    std::unique_ptr<controle::Controle> m_controle;
    PainelAtivo m_painelAtivo;
    std::unique_ptr<InstanciaUnica<PainelSimples>> m_janelas;
};

QTEST_MAIN(TestePainelSimples)
#include "test_painelSimples.moc"
