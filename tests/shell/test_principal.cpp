// The main window: start-up request, status line, menus.
#include "costuras.h"
#include "ethernet.h"
#include "ligacoes.h"
#include "mensagens.h"
#include "principal.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

class TestePrincipal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QFile::remove(m_pasta.filePath("Fluxoradb.mdb"));
        QVERIFY(QFile::copy(FLUXORA_BANCO_MODELO, m_pasta.filePath("Fluxoradb.mdb")));
        QFile::setPermissions(m_pasta.filePath("Fluxoradb.mdb"), QFile::ReadOwner | QFile::WriteOwner);
        costuras::pastaAplicacao = [this] { return m_pasta.path(); };
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas.append(p);
            return mensagens::Resposta::Ok;
        });
        QVERIFY(m_servidor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        m_recebido.clear();
        connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
                m_cliente = s;
                connect(s, &QTcpSocket::readyRead, this, [this, s] { m_recebido += s->readAll(); });
            }
        });
        const quint16 porta = m_servidor.serverPort();
        costuras::portaPadrao = [porta] { return porta; };
    }
    void cleanup()
    {
        m_servidor.close();
        m_servidor.disconnect(this);
        costuras::restaurar();
        mensagens::instalar({});
    }

    void legendasEMenus()
    {
        Principal janela;
        QCOMPARE(janela.objectName(), QStringLiteral("main"));
        QCOMPARE(janela.windowTitle(), QStringLiteral("Fluxora Ver.04"));
        QCOMPARE(janela.findChild<QLabel*>("Label5")->text(),
                 QStringLiteral("Sistema de Gestão de Fluxo de  Pessoas"));
        QCOMPARE(janela.findChild<QLabel*>("Label1")->text(), QStringLiteral("Log do dispositivo:"));
        QCOMPARE(janela.findChild<QLabel*>("lbl_pagina")->text(), QStringLiteral("0"));
        QCOMPARE(janela.findChild<QLabel*>("lbl_legendaDesconectado")->text(),
                 QStringLiteral("Desconectado"));
        const QList<std::pair<const char*, const char*>> itens = {{"menuConectar", "Conectar ao Contador"},
                                                                  {"menuConfigurarRele", "Configurar Rede"},
                                                                  {"menuPainelSimples", "Painel Simples"},
                                                                  {"menuPainelAvancado", "Painel Avançado"},
                                                                  {"menuSair", "Sair"}};
        for (const auto& [nome, legenda] : itens) {
            auto* acao = janela.findChild<QAction*>(nome);
            QVERIFY2(acao, nome);
            QCOMPARE(acao->text(), QString::fromUtf8(legenda));
        }
        QCOMPARE(janela.findChild<QMenu*>("menuConfiguracoes")->title(), QStringLiteral("Configurações"));
        QCOMPARE(janela.findChild<QMenu*>("menuExibir")->title(), QStringLiteral("Exibir"));
        auto* log = janela.findChild<QPlainTextEdit*>("txtSource");
        QVERIFY(log->isReadOnly());
        QCOMPARE(log->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(log->font().pointSizeF(), 8.25);
        QCOMPARE(log->toolTip(), QStringLiteral("Dados recebidos do dispositivo"));
        for (const char* t : {"TimertentandoConectar", "TimeOut", "TimerDadoRecebido"}) {
            auto* timer = janela.findChild<Temporizador*>(t);
            QVERIFY2(timer, t);
            QVERIFY(!timer->isActive());
        }
        QCOMPARE(janela.findChild<Temporizador*>("TimertentandoConectar")->interval(), 200);
        QCOMPARE(janela.findChild<Temporizador*>("TimerDadoRecebido")->interval(), 500);
    }

    // Start-up reads the stored address (127.0.0.1 in the shipped file) and requests page 0;
    // the reply shows in the log and the status line turns to collecting.
    void inicioPedePaginaZero()
    {
        Principal janela;
        ligacoes::instalar(janela);
        janela.carregar();
        QCOMPARE(janela.findChild<Temporizador*>("TimeOut")->interval(), 4000);
        QVERIFY(janela.findChild<Temporizador*>("TimeOut")->isActive());
        QTRY_COMPARE(m_recebido, QByteArray("GET /0 HTTP/1.0\n\n"));
        m_cliente->write("HTTP/1.0 200 OK\r\nServer: Arduino\r\n\r\n{\"status\":1,}");
        auto* log = janela.findChild<QPlainTextEdit*>("txtSource");
        QTRY_VERIFY(log->toPlainText().contains("Server: Arduino"));
        auto* status = janela.findChild<QLabel*>("lbl_legendaDesconectado");
        QCOMPARE(status->text(), QStringLiteral("Já estamos coletando os dados."));
        QCOMPARE(status->font().pointSize(), 9);
        QVERIFY(!janela.findChild<QFrame*>("frm_desconectado")->isVisibleTo(&janela));
        QVERIFY(!janela.findChild<Temporizador*>("TimeOut")->isActive());
        QVERIFY(m_caixas.isEmpty());
    }

    void estadoDesconectado()
    {
        Principal janela;
        janela.exibirColetandoPrincipal();
        janela.exibirDesconectadoPrincipal();
        auto* status = janela.findChild<QLabel*>("lbl_legendaDesconectado");
        QCOMPARE(status->text(), QStringLiteral("Desconectado."));
        QCOMPARE(status->font().pointSize(), 12);
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(status->isVisibleTo(&janela));
        QVERIFY(janela.findChild<QFrame*>("frm_desconectado")->isVisibleTo(&janela));
    }

    // Without the database file the address stays empty: the message of the guarded read,
    // the request goes to "//.../0", nothing reaches any server, and no file is created.
    void semBanco()
    {
        QVERIFY(QFile::remove(m_pasta.filePath("Fluxoradb.mdb")));
        Principal janela;
        ligacoes::instalar(janela);
        janela.carregar();
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(m_caixas.first().texto, QStringLiteral("Não encontramos o arquivo fluxoradb.mdb\r\n\r\n."));
        QCOMPARE(m_caixas.first().titulo, QStringLiteral("Fluxora"));
        QCOMPARE(janela.subPaginaAtual(), QStringLiteral("/0"));
        QTRY_COMPARE(janela.conexao().winsock().estado(), 9);
        QVERIFY(m_recebido.isEmpty());
        QVERIFY(!QFile::exists(m_pasta.filePath("Fluxoradb.mdb")));
    }

    void conectarNaoFazNada()
    {
        Principal janela;
        janela.definirSubPagina(QStringLiteral("/3"));
        janela.findChild<QAction*>("menuConectar")->trigger();
        QCOMPARE(janela.subPaginaAtual(), QStringLiteral("/3"));
        QCOMPARE(janela.conexao().winsock().estado(), 0);
        QVERIFY(!janela.findChild<Temporizador*>("TimeOut")->isActive());
        QVERIFY(m_caixas.isEmpty());
    }

private:
    QTemporaryDir m_pasta;
    QTcpServer m_servidor;
    QTcpSocket* m_cliente = nullptr;
    QByteArray m_recebido;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePrincipal)
#include "test_principal.moc"
