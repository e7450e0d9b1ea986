// The main window: the start-up request and the status line, with and without the database.
#include "../apoio/ambienteTeste.h"
#include "aplicacao.h"
#include "ethernet.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestePrincipal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        QVERIFY(m_servidor.listen(QHostAddress(u"127.0.0.1"_s), 0));
        m_recebido.clear();
        connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
                m_cliente = s;
                connect(s, &QTcpSocket::readyRead, this, [this, s] { m_recebido += s->readAll(); });
            }
        });
        costuras::portaPadrao = [porta = m_servidor.serverPort()] { return porta; };
    }
    void cleanup()
    {
        m_servidor.close();
        m_servidor.disconnect(this);
        amb.reset();
    }

    // Start-up reads the stored address (127.0.0.1 in the shipped file) and requests page 0;
    // the reply shows in the log and the status line turns to collecting.
    void inicioPedePaginaZero()
    {
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        aplicacao.carregar();
        QVERIFY(aplicacao.conexao().findChild<Temporizador*>(u"TimeOut"_s)->isActive());
        QTRY_COMPARE(m_recebido, QByteArray("GET /0 HTTP/1.0\n\n"));
        m_cliente->write("HTTP/1.0 200 OK\r\nServer: Arduino\r\n\r\n{\"status\":1,}");
        auto* log = janela.findChild<QPlainTextEdit*>(u"txtSource"_s);
        QTRY_VERIFY(log->toPlainText().contains(u"Server: Arduino"_s));
        QCOMPARE(janela.findChild<QLabel*>(u"lbl_legendaDesconectado"_s)->text(),
                 u"Já estamos coletando os dados."_s);
        QVERIFY(!janela.findChild<QFrame*>(u"frm_desconectado"_s)->isVisibleTo(&janela));
        QVERIFY(!aplicacao.conexao().findChild<Temporizador*>(u"TimeOut"_s)->isActive());
        QVERIFY(amb->caixas.isEmpty());
    }

    // Without the database file the address stays empty: the message of the guarded read,
    // the request for "/0" looks up and reaches nothing (the time-out runs on to
    // "Desconectado."), and no file is created.
    void semBanco()
    {
        QVERIFY(QFile::remove(amb->banco));
        Aplicacao aplicacao;
        Principal& janela = aplicacao.principal();
        aplicacao.carregar();
        QCOMPARE(amb->caixas.size(), 1);
        QCOMPARE(amb->caixas.first().texto, u"Não encontramos o arquivo fluxoradb.mdb\r\n\r\n."_s);
        QCOMPARE(janela.subPaginaAtual(), u"/0"_s);
        QCOMPARE(janela.conexao().winsock().estado(), 0);
        QVERIFY(aplicacao.conexao().findChild<Temporizador*>(u"TimeOut"_s)->isActive());
        QVERIFY(m_recebido.isEmpty());
        QVERIFY(!QFile::exists(amb->banco));
    }

private:
    std::optional<apoio::Ambiente> amb;
    QTcpServer m_servidor;
    QTcpSocket* m_cliente = nullptr;
    QByteArray m_recebido;
};

QTEST_MAIN(TestePrincipal)
#include "test_principal.moc"
