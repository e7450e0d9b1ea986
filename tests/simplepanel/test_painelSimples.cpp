// The simple panel: its settings stored and read back, the refresh pace on the wire, the
// capacity colours and message, the screen it covers, and the kiosk: the screen saver kept
// away through the session bus while it is on screen, the pointer hidden while it rests.
#include "../apoio/ambienteTeste.h"
#include "../apoio/resposta.h"
#include "controle.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "instanciaUnica.h"
#include "painelAtivo.h"
#include "painelSimples.h"
#include "protecaoTela.h"
#include "regrasLotacao.h"
#include "regrasPainelSimples.h"

#include <QCheckBox>
#include <QDBusConnection>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;
using Tela = dispositivoWindows::Tela;
Q_DECLARE_METATYPE(regrasLotacao::Estado)
Q_DECLARE_METATYPE(dispositivoWindows::Tela)

namespace {

template <class T = QLabel> T* filho(QWidget* janela, const char* nome)
{
    return janela->findChild<T*>(QString::fromLatin1(nome));
}
void clicar(QWidget* janela, const char* nome)
{
    QTest::mouseClick(filho<QWidget>(janela, nome), Qt::LeftButton);
}
// On screen with the options frame opened, as the pointer passing over "opções" does.
bool mostrarComOpcoes(QWidget* janela)
{
    janela->show();
    QEnterEvent entrada(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    return QTest::qWaitForWindowExposed(janela) &&
           QApplication::sendEvent(filho(janela, "lbl_opcoes"), &entrada) &&
           filho<QFrame>(janela, "frm_opcoes")->isVisible();
}

} // namespace

// Plays the desktop's screen saver on the test's own session bus.
class ProtetorFalso : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QSet<uint> ativos;
    uint pedidos = 0;
    QString aplicacao;

public Q_SLOTS:
    uint Inhibit(const QString& nomeAplicacao, const QString&)
    {
        aplicacao = nomeAplicacao;
        ativos.insert(++pedidos + 100);
        return pedidos + 100;
    }
    void UnInhibit(uint cookie) { ativos.remove(cookie); }
};

class TestePainelSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        dispositivoWindows::telas = [] { return QList<Tela>{{u"tela"_s, QRect(0, 0, 1920, 1080)}}; };
        m_conexao = new ethernet::Conexao;
        m_banco = banco::Banco();
        m_controle = std::make_unique<controle::Controle>(m_conexao, m_banco);
        m_painelAtivo = PainelAtivo();
        m_janelas = std::make_unique<InstanciaUnica<PainelSimples>>([this] {
            return new PainelSimples(
                {.controle = m_controle.get(), .painelAtivo = &m_painelAtivo, .banco = m_banco});
        });
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

    void valorGuardado_data()
    {
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("guardado"); // as SQL
        QTest::addColumn<QString>("controle");
        QTest::addColumn<double>("mostrado"); // its font size or top, or TimerLT's interval
        QTest::addColumn<QString>("gravado"); // the column after a close
        for (const QString& ruim : {u"'nan'"_s, u"-40"_s, QString(10000, u'9')})
            QTest::newRow(qPrintable(ruim.left(5)))
                << u"lotacaoFonte"_s << ruim << u"lbl_lotacao"_s << 200.0 << u"200"_s;
        QTest::newRow("1e9") << u"totalPosicao"_s << u"1e9"_s << u"lbl_total"_s << 384.0 << u"384"_s;
        QTest::newRow("abc") << u"legendaPosicao"_s << u"'abc'"_s << u"lbl_legendaLotacao"_s << 8.0 << u"8"_s;
        QTest::newRow("inf") << u"legendaFonte"_s << u"'inf'"_s << u"lbl_legendaLotacao"_s << 30.0 << u"30"_s;
        QTest::newRow("15s") << u"tempoAtualizacao"_s << u"'15s'"_s << u"TimerLT"_s << 1500.0 << u"15s"_s;
        // Too short floods the device; too long leaves the public figures for days.
        for (const char* ruim : {"rapido", "5s", "99999999999s"})
            QTest::newRow(ruim) << u"tempoAtualizacao"_s << u"'%1'"_s.arg(QLatin1StringView(ruim))
                                << u"TimerLT"_s << 6000.0 << u"60s"_s;
    }
    // A damaged stored value is never used as read: the panel shows that value's "Padrões"
    // (1920 x 1080 here), and the next close stores the row whole and valid.
    void valorGuardado()
    {
        QFETCH(QString, coluna);
        QFETCH(QString, guardado);
        QFETCH(QString, controle);
        QFETCH(double, mostrado);
        QFETCH(QString, gravado);
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET %1 = %2"_s.arg(coluna, guardado)), QString());
        PainelSimples* janela = m_janelas->obter();
        auto* w = janela->findChild<QWidget*>(controle);
        QCOMPARE(controle == u"TimerLT"_s      ? filho<Temporizador>(janela, "TimerLT")->interval()
                 : coluna.contains(u"Fonte"_s) ? w->font().pointSizeF()
                                               : double(w->y()),
                 mostrado);
        janela->show();
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->consulta(u"SELECT %1 FROM painelSimples"_s.arg(coluna)), gravado);
    }

    void leituraQueFalhou_data()
    {
        QTest::addColumn<bool>("voltaAntesDeMostrar");
        QTest::addColumn<QString>("clique");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("lido ao mostrar") << true << QString() << u"320"_s;
        QTest::newRow("nada mudou") << false << QString() << u"320"_s;
        QTest::newRow("operador aumentou") << false << u"lbl_aumentarFonteLotacao"_s << u"240"_s;
    }
    // Created hidden while the file could not be read: the row is read when the panel comes on
    // screen; the stand-ins are never stored, but what the operator changed on them is.
    void leituraQueFalhou()
    {
        QFETCH(bool, voltaAntesDeMostrar);
        QFETCH(QString, clique);
        QFETCH(QString, gravado);
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET lotacaoFonte = 320"_s), QString());
        const QString fora = amb->banco + u".fora"_s;
        QVERIFY(QFile::rename(amb->banco, fora));
        PainelSimples* janela = m_janelas->obter();
        QVERIFY(!voltaAntesDeMostrar || QFile::rename(fora, amb->banco));
        QVERIFY(mostrarComOpcoes(janela));
        QVERIFY(voltaAntesDeMostrar || QFile::rename(fora, amb->banco));
        QCOMPARE(filho(janela, "lbl_lotacao")->font().pointSizeF(), voltaAntesDeMostrar ? 320.0 : 200.0);
        if (!clique.isEmpty())
            clicar(janela, qPrintable(clique));
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->consulta(u"SELECT lotacaoFonte FROM painelSimples"_s), gravado);
    }

    // Adjusted on screen, closed, the row read back by a new window. A typed message is shown
    // as typed, never read as markup.
    void idaEVolta()
    {
        PainelSimples* janela = m_janelas->obter();
        QVERIFY(mostrarComOpcoes(janela));
        for (const char* nome :
             {"lbl_aumentarFonteLotacao", "lbl_aumentarFonteLotacao", "lbl_posicaoTotal",
              "lbl_aumentarLegendaFonteTotal", "lbl_tempoAtualizacao", "chk_lotacao", "chk_infoEmpresa"})
            clicar(janela, nome);
        QCOMPARE(filho<Temporizador>(janela, "TimerLT")->interval(), 2000);
        auto* editor = filho<QLineEdit>(janela, "txt_infoEmpresa");
        QVERIFY(editor->isVisible());
        editor->clear();
        QTest::keyClicks(editor, u"  <b>Loja d'Água; \"aberta\"</b>  "_s);
        QCOMPARE(filho(janela, "lbl_infoEmpresa")->text(), u"<b>Loja d'Água; \"aberta\"</b>"_s);
        for (QLabel* l : janela->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));

        QSignalSpy fechando(janela, &PainelSimples::fechando);
        janela->close();
        QCOMPARE(fechando.count(), 1);
        QTRY_VERIFY(!m_janelas->existente());
        QVERIFY(!m_painelAtivo.painelSimplesEstaAtivo());
        QCOMPARE(
            amb->consulta(u"SELECT count(*)||'|'||lotacaoFonte||'|'||chklotacao||'|'||chktotal||'|'||"
                          "tempoAtualizacao||'|'||legendaFonteTotal||'|'||totalPosicao||'|'||infoEmpresa||"
                          "'|'||dia FROM painelSimples"_s),
            u"1|280.0|1|0|20s|34.0|406.72|<b>Loja d'Água; \"aberta\"</b>|2024-03-10"_s);
        QVERIFY(amb->caixas.isEmpty());
        // A new window starts afresh from the row: the message in display mode, frame closed.
        PainelSimples* outra = m_janelas->obter();
        QCOMPARE(filho(outra, "lbl_lotacao")->font().pointSizeF(), 280.0);
        QVERIFY(!filho(outra, "lbl_lotacao")->isVisibleTo(outra));
        QVERIFY(!filho<QLineEdit>(outra, "txt_infoEmpresa")->isVisibleTo(outra));
        QCOMPARE(filho(outra, "lbl_infoEmpresa")->text(), u"<b>Loja d'Água; \"aberta\"</b>"_s);
    }

    // Lowered from 60 s while the counter is past the new 10 s: the bar stays in range and
    // GET /6 goes out at once. Then eleven ticks, the bar climbing 0 ... 10, the next GET /6.
    void ritmoNoFio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress(u"127.0.0.1"_s), 0));
        costuras::portaPadrao = [porta = servidor.serverPort()] { return porta; };
        QByteArray recebido;
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = servidor.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [&recebido, s] { recebido += s->readAll(); });
        });
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET tempoAtualizacao = '60s'"_s), QString());
        PainelSimples* janela = m_janelas->obter();
        filho<Temporizador>(janela, "TimerLT")->stop();
        auto* barra = filho<QProgressBar>(janela, "bar_atualizacao");
        for (int t = 0; t < 30; ++t)
            janela->tiqueTimerLT();
        QVERIFY(m_conexao->subPaginaAtual().isEmpty());
        QVERIFY(mostrarComOpcoes(janela));
        clicar(janela, "lbl_tempoAtualizacao");
        QCOMPARE(filho(janela, "lbl_tempoAtualizacao")->text(), u"10s"_s);
        janela->tiqueTimerLT();
        QCOMPARE(barra->value(), barra->maximum());
        const QByteArray pedido("GET /6 HTTP/1.0\n\n");
        QTRY_COMPARE(recebido, pedido);
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

    // The warning level is a percentage of the maximum, reached when the reading reaches it
    // (rounded up: 80 % of 38 is 31 people); 90 % when none valid; a maximum of 0 is no limit.
    void estadoLotacao()
    {
        using E = regrasLotacao::Estado;
        const QList<std::tuple<QString, int, int, E>> casos{
            {u"89"_s, 100, 90, E::Normal}, {u"90"_s, 100, 90, E::Aviso},   {u"13"_s, 15, 90, E::Normal},
            {u"9"_s, 10, 90, E::Aviso},    {u"30"_s, 38, 80, E::Normal},   {u"31"_s, 38, 80, E::Aviso},
            {u"90"_s, 100, 0, E::Aviso},   {u"100"_s, 100, 90, E::Lotado}, {u"99999"_s, 0, 90, E::Normal},
            {u"---"_s, 100, 90, E::Normal}};
        for (const auto& [lotacao, maxima, aviso, estado] : casos)
            QVERIFY2(regrasLotacao::estado(lotacao, maxima, aviso) == estado,
                     qPrintable(u"%1 de %2, aviso %3"_s.arg(lotacao).arg(maxima).arg(aviso)));
    }

    // The capacity set on the panel: colours and message follow at once, the full-house text
    // is edited like the custom message, and the table keeps what was set.
    void lotacaoMaxima()
    {
        QCOMPARE(amb->executar(u"UPDATE painelLotacao SET lotacaoMaxima = 50"_s), QString());
        PainelSimples* janela = m_janelas->obter();
        auto cor = [janela] { return filho(janela, "lbl_lotacao")->palette().color(QPalette::WindowText); };
        janela->definirLotacao(u"50"_s);
        const QColor corLotado = cor();
        QVERIFY(corLotado != QColor(Qt::white));
        QCOMPARE(filho(janela, "lbl_infoEmpresa")->text(), u"Lotação máxima atingida. Por favor, aguarde."_s);

        // Raised on the spot: 50 is now below the warning level of 54.
        QVERIFY(mostrarComOpcoes(janela));
        auto* maxima = filho<QSpinBox>(janela, "txt_lotacaoMaxima");
        maxima->selectAll();
        QTest::keyClicks(maxima, u"60"_s);
        QCOMPARE(cor(), QColor(Qt::white));
        janela->definirLotacao(u"60"_s);
        QCOMPARE(cor(), corLotado);

        clicar(janela, "chk_infoLotado");
        auto* editor = filho<QLineEdit>(janela, "txt_infoLotado");
        QVERIFY(editor->isVisible());
        QVERIFY(!filho<QCheckBox>(janela, "chk_infoEmpresa")->isChecked());
        editor->clear();
        QTest::keyClicks(editor, u"  Aguarde na fila  "_s);
        QCOMPARE(filho(janela, "lbl_infoEmpresa")->text(), u"Aguarde na fila"_s);
        clicar(janela, "chk_infoLotado");
        QVERIFY(!editor->isVisible());
        janela->definirLotacao(u"12"_s);
        QCOMPARE(filho(janela, "lbl_infoEmpresa")->text(), u"Seja bem-vindo!"_s);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->consulta(
                     u"SELECT lotacaoMaxima||'|'||avisoPercentual||'|'||infoLotado FROM painelLotacao"_s),
                 u"60|90|Aguarde na fila"_s);
        QVERIFY(amb->caixas.isEmpty());
    }

    // Beside the main window, the largest other screen; a chosen screen while it is there.
    void escolhaDeTela()
    {
        const Tela notebook{u"eDP-1"_s, QRect(0, 0, 1366, 768)}, tv{u"HDMI-1"_s, QRect(1366, 0, 1920, 1080)};
        const Tela monitor{u"DP-1"_s, QRect(-1280, 0, 1280, 1024)};
        const QList<Tela> duas{notebook, tv};
        using regrasPainelSimples::escolherTela;
        QCOMPARE(escolherTela({}, QRect(), QString()), -1);
        QCOMPARE(escolherTela(duas, QRect(100, 100, 600, 400), QString()), 1);
        QCOMPARE(escolherTela(duas, QRect(1200, 100, 600, 400), QString()), 0); // mostly on the right
        QCOMPARE(escolherTela(duas, QRect(1500, 100, 600, 400), u"HDMI-1"_s), 1);
        QCOMPARE(escolherTela(duas, QRect(1500, 100, 600, 400), u"VGA-1"_s), 0); // the chosen one is gone
        QCOMPARE(escolherTela({notebook, monitor, tv}, QRect(10, 10, 300, 200), QString()), 2);
    }

    // The panel covers the screen the rules pick, with its options within reach, moves to a
    // remaining screen when its own goes away; a chosen screen is remembered.
    void telaDoPainel()
    {
        const Tela notebook{u"eDP-1"_s, QRect(0, 0, 1366, 768)}, tv{u"HDMI-1"_s, QRect(1366, 0, 1920, 1080)};
        QList<Tela> telas{notebook, tv};
        dispositivoWindows::telas = [&telas] { return telas; };
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(janela->geometry(), tv.geometria);
        telas = {notebook};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), notebook.geometria);
        QVERIFY(filho<QFrame>(janela, "frm_opcoes")->geometry().bottom() < 768);

        telas = {notebook, tv};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), tv.geometria);
        QVERIFY(mostrarComOpcoes(janela));
        QVERIFY(janela->windowState() & Qt::WindowFullScreen);
        clicar(janela, "lbl_tela");
        QCOMPARE(janela->nomeTela(), u"eDP-1"_s);
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(amb->consulta(u"SELECT telaPainel FROM painelLotacao"_s), u"eDP-1@0,0 1366x768"_s);
        QCOMPARE(m_janelas->obter()->geometry(), notebook.geometria);
    }

    // Separate X screens share a name and start at 0,0: the choice goes through each screen,
    // and back to "Auto".
    void ciclarTelas_data()
    {
        QTest::addColumn<Tela>("segunda");
        QTest::newRow("mesmo nome e lugar") << Tela{u"screen"_s, QRect(0, 0, 1024, 768)};
        QTest::newRow("idênticas") << Tela{u"screen"_s, QRect(0, 0, 1366, 768)};
        QTest::newRow("nomes distintos") << Tela{u"HDMI-1"_s, QRect(1366, 0, 1024, 768)};
    }
    void ciclarTelas()
    {
        QFETCH(Tela, segunda);
        const QList<Tela> telas{{u"screen"_s, QRect(0, 0, 1366, 768)}, segunda};
        dispositivoWindows::telas = [telas] { return telas; };
        PainelSimples* janela = m_janelas->obter();
        QVERIFY(mostrarComOpcoes(janela));
        QStringList visto;
        for (int i = 0; i < 3; ++i) {
            clicar(janela, "lbl_tela");
            visto << filho(janela, "lbl_tela")->text() + u' ' +
                         QString::number(janela->tamanhoTela().width());
        }
        const QString largura = QString::number(segunda.geometria.width());
        QCOMPARE(visto, (QStringList{u"1 1366"_s, u"2 "_s + largura, u"Auto "_s + largura}));
    }

    // Laid out on the screen it opens on, "Padrões" or the stored layout of a 1920 x 1080
    // screen: the digits and legends apart and above the message, which is whole on screen
    // with its editor while typing. 910 x 512 is 1366 x 768 at a scale of 1.5.
    void disposicaoNaTela_data()
    {
        QTest::addColumn<QSize>("tela");
        QTest::addColumn<bool>("padroes");
        for (const QSize t : {QSize(910, 512), QSize(1366, 768), QSize(800, 600), QSize(1920, 1080),
                              QSize(800, 480), QSize(1024, 600)}) {
            const QByteArray nome = QByteArray::number(t.width()) + 'x' + QByteArray::number(t.height());
            QTest::newRow(QByteArray(nome + " guardada").constData()) << t << false;
            QTest::newRow(QByteArray(nome + " Padrões").constData()) << t << true;
        }
    }
    void disposicaoNaTela()
    {
        QFETCH(QSize, tela);
        QFETCH(bool, padroes);
        dispositivoWindows::telas = [tela] { return QList<Tela>{{u"tela"_s, QRect(QPoint(0, 0), tela)}}; };
        PainelSimples* janela = m_janelas->obter();
        QVERIFY(mostrarComOpcoes(janela));
        if (padroes)
            clicar(janela, "lbl_redefinir");
        clicar(janela, "chk_infoEmpresa");
        janela->definirLotacao(u"88888"_s);
        janela->definirTotal(u"88888"_s);
        QLabel* mensagem = filho(janela, "lbl_infoEmpresa");
        QList<QRect> partes; // the ink of each text, above the message
        for (const char* nome : {"lbl_legendaLotacao", "lbl_lotacao", "lbl_legendaTotal", "lbl_total"}) {
            QLabel* l = filho(janela, nome);
            const QFontMetrics fm(l->font());
            const QRect r = fm.tightBoundingRect(l->text()).translated(0, fm.ascent());
            partes << QRect(l->x() + (l->width() - r.width()) / 2, l->y() + r.top(), r.width(), r.height());
            QVERIFY2(QRect(0, 0, tela.width(), mensagem->y()).contains(partes.last()), nome);
            for (qsizetype j = 0; j + 1 < partes.size(); ++j)
                QVERIFY2(!partes[j].intersects(partes.last()), nome);
        }
        for (QLabel* l : {mensagem, filho(janela, "lbl_legendaDesconectado")})
            QVERIFY2(l->y() + QFontMetrics(l->font()).height() <= tela.height(), qPrintable(l->objectName()));
        auto* editor = filho<QLineEdit>(janela, "txt_infoEmpresa");
        QVERIFY(editor->isVisible() && editor->height() >= QFontMetrics(editor->font()).height());
        QVERIFY(editor->geometry().bottom() < tela.height());

        // The options frame whole on screen, its groups together however they are arranged: each
        // cross's box between its arrows and its signs, the message's box between its signs, the
        // interval with "Padrões" and "X" under it, and the capacity column, each stacked.
        auto* opcoes = filho<QFrame>(janela, "frm_opcoes");
        QVERIFY(opcoes->geometry().bottom() < tela.height());
        auto lugar = [opcoes](const QString& nome) {
            auto* w = opcoes->findChild<QWidget*>(nome);
            return w && opcoes->rect().contains(w->geometry()) ? w->geometry() : QRect(-999, -999, 1, 1);
        };
        for (const QString& fig : {u"Lotacao"_s, u"Total"_s, u"infoEmpresa"_s}) {
            const QPoint caixa = lugar(u"chk_"_s + (fig == u"infoEmpresa"_s ? fig : fig.toLower())).center();
            QVERIFY2(lugar(u"lbl_diminuirFonte"_s + fig).center().x() < caixa.x() &&
                         caixa.x() < lugar(u"lbl_aumentarFonte"_s + fig).center().x(),
                     qPrintable(fig));
            QVERIFY2(fig == u"infoEmpresa"_s ||
                         (lugar(u"lbl_posicaomenos"_s + fig).center().y() < caixa.y() &&
                          caixa.y() < lugar(u"lbl_posicao"_s + fig).center().y()),
                     qPrintable(fig));
        }
        for (const QString& coluna :
             {u"Label1 lbl_tempoAtualizacao lbl_redefinir lbl_fecharopcoes"_s,
              u"lbl_legendaLotacaoMaxima txt_lotacaoMaxima lbl_legendaLotacaoAviso txt_lotacaoAviso "
              "lbl_legendaInfoLotado chk_infoLotado lbl_legendaTela lbl_tela"_s}) {
            const QStringList nomes = coluna.split(u' ');
            for (qsizetype i = 1; i < nomes.size(); ++i) {
                const QRect acima = lugar(nomes[i - 1]), r = lugar(nomes[i]);
                QVERIFY2(r.top() > acima.bottom() && r.top() <= acima.bottom() + 16 &&
                             r.left() < acima.right() && acima.left() < r.right(),
                         qPrintable(nomes[i]));
            }
        }
    }

    // Opened between readings it shows the last one; three of its intervals without a reading
    // bring up "Desconectado", which data without a reading does not clear and a reading does.
    void ultimaLeituraEDesconectado()
    {
        m_controle->lerContagemAtual(apoio::resposta({{u"h"_s, 34, u"00042"_s}, {u"h"_s, 35, u"00007"_s}}));
        QCOMPARE(amb->executar(u"UPDATE painelSimples SET tempoAtualizacao = '10s'"_s), QString());
        PainelSimples* janela = m_janelas->obter();
        QCOMPARE(filho(janela, "lbl_lotacao")->text() + u' ' + filho(janela, "lbl_total")->text(), u"42 7"_s);
        QLabel* desconectado = filho(janela, "lbl_legendaDesconectado");
        QString visto; // after each of ticks 33 and 34, data without a reading, a reading
        for (int t = 0; t < 33; ++t)
            janela->tiqueTimerLT();
        visto += QString::number(desconectado->isVisibleTo(janela));
        janela->tiqueTimerLT();
        visto += QString::number(desconectado->isVisibleTo(janela));
        janela->ocultarDesconectado();
        visto += QString::number(desconectado->isVisibleTo(janela));
        janela->definirTotal(u"8"_s);
        QCOMPARE(visto + QString::number(desconectado->isVisibleTo(janela)), u"0110"_s);
    }

    // Shown, the panel holds one inhibition; closed, it holds none. A cookie that arrives
    // after the release is handed straight back.
    void protecaoDeTela()
    {
        if (qEnvironmentVariableIsEmpty("FLUXORA_BARRAMENTO_TESTE"))
            QSKIP("runs under dbus-run-session only");
        QDBusConnection servico =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"protetorFalso"_s);
        QVERIFY(servico.isConnected());
        ProtetorFalso falso;
        QVERIFY(servico.registerObject(u"/org/freedesktop/ScreenSaver"_s, &falso,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(servico.registerService(u"org.freedesktop.ScreenSaver"_s));

        PainelSimples* janela = m_janelas->obter();
        QTest::qWait(100);
        QCOMPARE(falso.pedidos, 0u); // hidden: the desktop may rest
        janela->show();
        QTRY_COMPARE(falso.ativos.size(), 1);
        QCOMPARE(falso.aplicacao, QCoreApplication::applicationName());
        janela->close();
        QTRY_VERIFY(falso.ativos.isEmpty());
        QCOMPARE(falso.pedidos, 1u);

        {
            ProtecaoTela breve;
            breve.inibir();
            breve.liberar();
        }
        QTRY_COMPARE(falso.pedidos, 2u);
        QTRY_VERIFY(falso.ativos.isEmpty());
        servico.unregisterService(u"org.freedesktop.ScreenSaver"_s);
        QDBusConnection::disconnectFromBus(u"protetorFalso"_s);
    }

    // Without a session bus nothing is asked and nothing complains; the X server's own blanking
    // is suspended once and resumed.
    void semBarramento()
    {
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        QList<bool> pedidos;
        costuras::suspenderProtecaoX = [&pedidos](bool s) { pedidos << s; };
        ProtecaoTela protecao{QDBusConnection(u"inexistente"_s)};
        protecao.inibir();
        protecao.inibir();
        protecao.liberar();
        costuras::restaurarProtecaoX();
        QCOMPARE(pedidos, (QList<bool>{true, false}));
    }

    // The pointer rests hidden over the panel only: timed from a move over it, back on the
    // next move, and never left hidden when it goes elsewhere.
    void ponteiro()
    {
        PainelSimples* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto* espera = janela->findChild<Temporizador*>(u"TimerPonteiro"_s);
        QTest::mouseMove(janela->windowHandle(), QPoint(600, 400));
        QVERIFY(espera->isActive());
        janela->tiquePonteiro();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QTest::mouseMove(janela->windowHandle(), QPoint(610, 400));
        QVERIFY(!QGuiApplication::overrideCursor());
        janela->tiquePonteiro();
        QEvent saida(QEvent::Leave);
        QCoreApplication::sendEvent(janela->windowHandle(), &saida);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!espera->isActive());
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
