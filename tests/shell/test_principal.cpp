// The main window: start-up request, status line, menus.
#include "../apoio/bancoTeste.h"
#include "costuras.h"
#include "ethernet.h"
#include "mensagens.h"
#include "aplicacao.h"

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
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
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

    // The operator's commands, by the names the rest of the program finds them with.
    void menus()
    {
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
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
        QVERIFY(janela.findChild<QPlainTextEdit*>("txtSource")->isReadOnly());
    }

    // Start-up reads the stored address (127.0.0.1 in the shipped file) and requests page 0;
    // the reply shows in the log and the status line turns to collecting.
    void inicioPedePaginaZero()
    {
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        aplicacao.carregar();
        QVERIFY(aplicacao.conexao().findChild<Temporizador*>("TimeOut")->isActive());
        QTRY_COMPARE(m_recebido, QByteArray("GET /0 HTTP/1.0\n\n"));
        m_cliente->write("HTTP/1.0 200 OK\r\nServer: Arduino\r\n\r\n{\"status\":1,}");
        auto* log = janela.findChild<QPlainTextEdit*>("txtSource");
        QTRY_VERIFY(log->toPlainText().contains("Server: Arduino"));
        auto* status = janela.findChild<QLabel*>("lbl_legendaDesconectado");
        QCOMPARE(status->text(), QStringLiteral("Já estamos coletando os dados."));
        QVERIFY(!janela.findChild<QFrame*>("frm_desconectado")->isVisibleTo(&janela));
        QVERIFY(!aplicacao.conexao().findChild<Temporizador*>("TimeOut")->isActive());
        QVERIFY(m_caixas.isEmpty());
    }

    void estadoDesconectado()
    {
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        janela.exibirColetandoPrincipal();
        janela.exibirDesconectadoPrincipal();
        auto* status = janela.findChild<QLabel*>("lbl_legendaDesconectado");
        QCOMPARE(status->text(), QStringLiteral("Desconectado."));
        QVERIFY(status->isVisibleTo(&janela));
        QVERIFY(janela.findChild<QFrame*>("frm_desconectado")->isVisibleTo(&janela));
    }

    // Without the database file the address stays empty: the message of the guarded read,
    // the request goes to "//.../0", nothing reaches any server, and no file is created.
    void semBanco()
    {
        QVERIFY(QFile::remove(m_pasta.filePath("Fluxoradb.mdb")));
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        aplicacao.carregar();
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(m_caixas.first().texto, QStringLiteral("Não encontramos o arquivo fluxoradb.mdb\r\n\r\n."));
        QCOMPARE(janela.subPaginaAtual(), QStringLiteral("/0"));
        QTRY_COMPARE(janela.conexao().winsock().estado(), 9);
        QVERIFY(m_recebido.isEmpty());
        QVERIFY(!QFile::exists(m_pasta.filePath("Fluxoradb.mdb")));
    }

    void conectarNaoFazNada()
    {
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        janela.definirSubPagina(QStringLiteral("/3"));
        janela.findChild<QAction*>("menuConectar")->trigger();
        QCOMPARE(janela.subPaginaAtual(), QStringLiteral("/3"));
        QCOMPARE(janela.conexao().winsock().estado(), 0);
        QVERIFY(!aplicacao.conexao().findChild<Temporizador*>("TimeOut")->isActive());
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
