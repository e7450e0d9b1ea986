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

#include <cmath>

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
        auto* status = janela.findChild<QLabel*>(u"lbl_legendaDesconectado"_s);
        QCOMPARE(status->text(), u"Já estamos coletando os dados."_s);
        QVERIFY(!janela.findChild<QFrame*>(u"frm_desconectado"_s)->isVisibleTo(&janela));
        // Readable: the text's colour against the background painted behind the line's end.
        const QImage tela = janela.grab().toImage();
        const QColor fundo = tela.pixelColor(status->mapTo(&janela, QPoint(status->width() - 2, 2)));
        auto luz = [](const QColor& c) {
            auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF()) + 0.05;
        };
        const double razao = luz(fundo) / luz(status->palette().color(QPalette::WindowText));
        QVERIFY2(razao >= 4.5, qPrintable(QString::number(razao)));
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
        QCOMPARE(janela.conexao().winsock().estado(), ethernet::Winsock::Estado::Fechado);
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
