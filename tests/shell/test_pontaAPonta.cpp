// The whole client, headless, against the simulated counter on loopback: the start-up
// requests in the cycle's order, the live figures, the recorded history and the
// disconnected indication.
#include "../apoio/bancoTeste.h"
#include "../apoio/cliente.h"
#include "costuras.h"
#include "ethernet.h"
#include "mensagens.h"
#include "painelavancado.h"
#include "principal.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList argumentosRelogio = SimuladorProcesso::argumentosFixos(7);

QString valorDaPagina(int pagina, const QString& marcador)
{
    return SimuladorProcesso::valorDaPagina(argumentosRelogio, pagina, marcador);
}

} // namespace

class TestePontaAPonta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas << p.texto;
            return mensagens::Resposta::Ok;
        });
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
    }

    void inicioPedeAsPaginasEmOrdemEMostraAsContagens()
    {
        apoio::Cliente cliente(7);
        QVERIFY(cliente.porta != 0);
        apoio::TempoVirtual& tempo = cliente.tempo;
        // When each request started, in virtual time.
        QList<QDateTime> inicios;
        Aplicacao& aplicacao = cliente.iniciar();
        QObject::connect(&aplicacao.conexao(), &ethernet::Conexao::logAlterado, &aplicacao.principal(),
                         [&](const QString& log) {
                             if (log.isEmpty())
                                 inicios << tempo.relogio().agora();
                         });
        inicios << tempo.relogio().agora(); // the start-up request went out in carregar()

        QVERIFY(cliente.primeiroCiclo());
        QCOMPARE(cliente.simulador->caminhos().mid(0, 7),
                 (QStringList{"/0", "/1", "/2", "/3", "/4", "/5", "/6"}));
        for (int i = 2; i < 7; ++i) {
            const qint64 intervalo = inicios[i - 1].msecsTo(inicios[i]);
            QVERIFY2(intervalo > 1500 && intervalo < 2600, qPrintable(QString::number(intervalo)));
        }

        PainelAvancado* painel = cliente.painel();
        QVERIFY(painel->isHidden());
        const QString lotacao = QString::number(valorDaPagina(6, QStringLiteral("\"h\":34,")).toInt());
        const QString total = QString::number(valorDaPagina(6, QStringLiteral("\"h\":35,")).toInt());
        auto texto = [painel](const char* nome) {
            return painel->findChild<QLabel*>(QString::fromLatin1(nome))->text();
        };
        QVERIFY(tempo.avancarAte([&] { return texto("lbl_lotacao") == lotacao; }, 5000));
        QCOMPARE(texto("lbl_total"), total);
        // Stamped with the clock's time of the reply, a few virtual seconds after start.
        QVERIFY(QRegularExpression(QStringLiteral("^as 14:05:[3-5]\\d$"))
                    .match(texto("lbl_atualizadoAgora"))
                    .hasMatch());

        // The month and the day went into the database as the device reported them.
        QString dias;
        for (int d = 1; d <= 31; ++d)
            dias += d <= 10 ? valorDaPagina(d <= 12   ? 1
                                            : d <= 24 ? 2
                                                      : 3,
                                            QStringLiteral("\"d\":%1,").arg(d))
                            : QStringLiteral("00000");
        QCOMPARE(consulta("SELECT mar FROM Meses WHERE ano = '2024'"), dias + QStringLiteral("00000"));
        const QString hora14 = valorDaPagina(5, QStringLiteral("\"h\":14,"));
        QCOMPARE(consulta("SELECT substr(hora10, 71, 5) FROM Dias WHERE ano = '2024' AND mes = '03'"),
                 hora14);
        QVERIFY2(m_caixas.isEmpty(), qPrintable(m_caixas.join(u'|')));
    }

    void semAparelhoIndicaDesconectado()
    {
        apoio::Cliente cliente(7);
        Aplicacao& aplicacao = cliente.iniciar();
        Principal& principal = aplicacao.principal();
        apoio::TempoVirtual& tempo = cliente.tempo;
        QVERIFY(tempo.avancarAte([&] { return cliente.simulador->caminhos().size() >= 3; }, 10000));
        PainelAvancado* painel = cliente.painel();
        QVERIFY(painel);
        auto* faixa = painel->findChild<QFrame*>(QStringLiteral("frm_desconectado"));
        QVERIFY(faixa->isHidden());

        // The time-out counts from the first request that goes unanswered (the log is
        // cleared as each request starts).
        QDateTime primeiroSemResposta;
        cliente.simulador.reset();
        QObject::connect(&aplicacao.conexao(), &ethernet::Conexao::logAlterado, &principal,
                         [&](const QString& log) {
                             if (log.isEmpty() && !primeiroSemResposta.isValid())
                                 primeiroSemResposta = tempo.relogio().agora();
                         });
        QVERIFY(tempo.avancarAte([&] { return !faixa->isHidden(); }, 10000));
        QVERIFY(primeiroSemResposta.isValid());
        const qint64 espera = primeiroSemResposta.msecsTo(tempo.relogio().agora());
        QVERIFY2(espera >= 4000 && espera <= 4100, qPrintable(QString::number(espera)));
        QVERIFY(principal.findChild<QFrame*>(QStringLiteral("frm_desconectado"))->isVisibleTo(&principal));

        QVERIFY(cliente.trocarAparelho(7));
        QVERIFY(tempo.avancarAte([&] { return faixa->isHidden(); }, 8000));
    }

private:
    QString consulta(const QString& sql) { return apoio::consulta(m_arquivo, sql); }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    QStringList m_caixas;
};

QTEST_MAIN(TestePontaAPonta)
#include "test_pontaAPonta.moc"
