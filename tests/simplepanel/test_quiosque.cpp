// The public display as a kiosk: the screen saver kept away through the session bus while the
// panel is on screen, and the pointer hidden while it rests over the panel.
#include "../apoio/ambienteTeste.h"
#include "dispositivoWindows.h"
#include "instanciaUnica.h"
#include "painelSimples.h"
#include "protecaoTela.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

// Plays the desktop's screen saver on the test's own session bus.
class ProtetorFalso : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QSet<uint> ativos;
    int pedidos = 0;
    QString aplicacao;

public Q_SLOTS:
    uint Inhibit(const QString& nomeAplicacao, const QString& motivo)
    {
        Q_UNUSED(motivo);
        aplicacao = nomeAplicacao;
        ++pedidos;
        ativos.insert(static_cast<uint>(pedidos) + 100);
        return static_cast<uint>(pedidos) + 100;
    }
    void UnInhibit(uint cookie) { ativos.remove(cookie); }
};

class TesteQuiosque : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{u"tela"_s, QRect(0, 0, 1280, 720)}};
        };
        m_janelas = std::make_unique<InstanciaUnica<PainelSimples>>([this] { return new PainelSimples(nullptr, nullptr, m_banco); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        dispositivoWindows::restaurar();
        amb.reset();
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
        QCOMPARE(falso.pedidos, 0); // hidden: the desktop may rest
        janela->show();
        QTRY_COMPARE(falso.ativos.size(), 1);
        QCOMPARE(falso.aplicacao, QCoreApplication::applicationName());
        janela->close();
        QTRY_VERIFY(falso.ativos.isEmpty());
        QCOMPARE(falso.pedidos, 1);

        {
            ProtecaoTela breve;
            breve.inibir();
            breve.liberar();
        }
        QTRY_COMPARE(falso.pedidos, 2);
        QTRY_VERIFY(falso.ativos.isEmpty());
        servico.unregisterService(u"org.freedesktop.ScreenSaver"_s);
        QDBusConnection::disconnectFromBus(u"protetorFalso"_s);
    }

    // Without a session bus nothing is asked and nothing complains.
    void semBarramento()
    {
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        ProtecaoTela protecao{QDBusConnection(u"inexistente"_s)};
        protecao.inibir();
        protecao.liberar();
        protecao.inibir();
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
        QCOMPARE(espera->interval(), 3000);
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
    banco::Banco m_banco;
    std::unique_ptr<InstanciaUnica<PainelSimples>> m_janelas;
};

QTEST_MAIN(TesteQuiosque)
#include "test_quiosque.moc"
