// The public display as a kiosk: the screen saver kept away through the session bus while the
// panel is on screen, and the pointer hidden while it rests over the panel.
#include "../apoio/bancoTeste.h"
#include "costuras.h"
#include "instanciaUnica.h"
#include "dispositivoWindows.h"
#include "mensagens.h"
#include "painelSimples.h"
#include "protecaoTela.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

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
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{"tela", QRect(0, 0, 1280, 720)}};
        };
        mensagens::instalar([](const mensagens::Pedido&) { return mensagens::Resposta::Ok; });
        m_janelas = std::make_unique<InstanciaUnica<PainelSimples>>([] { return new PainelSimples(nullptr, nullptr); });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        m_janelas.reset();
        costuras::restaurar();
        dispositivoWindows::restaurar();
        mensagens::instalar({});
    }

    // Shown, the panel holds one inhibition; closed, it holds none. A cookie that arrives
    // after the release is handed straight back.
    void protecaoDeTela()
    {
        if (qEnvironmentVariableIsEmpty("FLUXORA_BARRAMENTO_TESTE"))
            QSKIP("runs under dbus-run-session only");
        QDBusConnection servico = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "protetorFalso");
        QVERIFY(servico.isConnected());
        ProtetorFalso falso;
        QVERIFY(servico.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &falso,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(servico.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

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
        servico.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        QDBusConnection::disconnectFromBus("protetorFalso");
    }

    // Without a session bus nothing is asked and nothing complains.
    void semBarramento()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        ProtecaoTela protecao{QDBusConnection(QStringLiteral("inexistente"))};
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
        auto* espera = janela->findChild<Temporizador*>("TimerPonteiro");
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
    std::unique_ptr<InstanciaUnica<PainelSimples>> m_janelas;
    QTemporaryDir m_pasta;
};

QTEST_MAIN(TesteQuiosque)
#include "test_quiosque.moc"
