// The whole client, headless, against the simulated counter on loopback: the start-up
// requests in the cycle's order and pace, the live figures and the recorded history.
#include "../apoio/bancoTeste.h"
#include "../apoio/cliente.h"
#include "ethernet.h"
#include "mensagens.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestePontaAPonta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inicioPedeAsPaginasEmOrdemEMostraAsContagens()
    {
        QTemporaryDir pasta;
        const QString arquivo = apoio::copiarBancoEntregue(pasta);
        QVERIFY(!arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        QStringList caixas;
        mensagens::instalar([&](const mensagens::Pedido& p) {
            caixas << p.texto;
            return mensagens::Resposta::Ok;
        });
        apoio::Cliente cliente(7);
        QVERIFY(cliente.porta != 0);
        apoio::TempoVirtual& tempo = cliente.tempo;
        // When each request started, in virtual time; the start-up one went out in carregar().
        QList<QDateTime> inicios{tempo.relogio().agora()};
        Aplicacao& aplicacao = cliente.iniciar();
        QObject::connect(&aplicacao.conexao(), &ethernet::Conexao::logAlterado, &aplicacao.principal(),
                         [&](const QString& log) {
                             if (log.isEmpty())
                                 inicios << tempo.relogio().agora();
                         });

        QVERIFY(cliente.primeiroCiclo());
        QCOMPARE(cliente.simulador->caminhos().mid(0, 7),
                 (QStringList{u"/0"_s, u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s, u"/5"_s, u"/6"_s}));
        for (int i = 2; i < 7; ++i) {
            const qint64 intervalo = inicios[i - 1].msecsTo(inicios[i]);
            QVERIFY2(intervalo > 1500 && intervalo < 2600, qPrintable(QString::number(intervalo)));
        }
        QVERIFY(cliente.painel()->isHidden());
        const QString lotacao = apoio::Cliente::numero(7, 6, QStringLiteral("\"h\":34,"));
        QVERIFY(tempo.avancarAte([&] { return cliente.rotulo("lbl_lotacao") == lotacao; }, 5000));
        QCOMPARE(cliente.rotulo("lbl_total"), apoio::Cliente::numero(7, 6, QStringLiteral("\"h\":35,")));
        // Stamped with the clock's time of the reply, a few virtual seconds after start.
        QVERIFY(QRegularExpression(QStringLiteral("^as 14:05:[3-5]\\d$"))
                    .match(cliente.rotulo("lbl_atualizadoAgora"))
                    .hasMatch());
        apoio::conferirGravacao(tempo, arquivo, 7);
        QVERIFY2(caixas.isEmpty(), qPrintable(caixas.join(u'|')));
        mensagens::instalar({});
        costuras::restaurar();
    }
};

QTEST_MAIN(TestePontaAPonta)
#include "test_pontaAPonta.moc"
