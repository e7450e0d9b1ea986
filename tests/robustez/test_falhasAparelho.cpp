// Every fault of a misbehaving device, against the whole client: it keeps running, a reply it
// must refuse changes no figure, chart point or history row, a flood stays bounded, a mute
// device shows the disconnected strip, and the next good cycle records correctly again.
#include "../apoio/bancoTeste.h"
#include "../apoio/cliente.h"
#include "ethernet.h"
#include "ethernetConfig.h"
#include "grafico.h"
#include "mensagens.h"
#include "principal.h"

#include <QFile>
#include <QFrame>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

qint64 memoriaResidenteKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const qsizetype i = s.indexOf("VmRSS:") + 6;
    return s.mid(i, s.indexOf('\n', i) - i).trimmed().split(' ').first().toLongLong();
}

// What the operator and the file can see.
struct Retrato {
    QStringList rotulos;
    QList<std::optional<double>> pontos;
    QString banco;
    bool operator==(const Retrato&) const = default;
};

enum class Esperado { NadaMuda, Atualiza, Qualquer };

} // namespace

Q_DECLARE_METATYPE(Esperado)

class TesteFalhasAparelho : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        mensagens::instalar([](const mensagens::Pedido&) { return mensagens::Resposta::Ok; });
    }
    void cleanup()
    {
        mensagens::instalar({});
        costuras::restaurar();
    }

    void aparelho_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<Esperado>("esperado");
        // A slow reply is handled 500 ms after it passed 600 characters: in full when its
        // entries were in by then, else dropped whole. Either is sound. Only the network
        // window looks for the device's name: without it the data is still good.
        for (const char* modo : {"status0", "curta", "lixo", "enorme", "corte", "mudo"})
            QTest::newRow(modo) << modo << Esperado::NadaMuda;
        QTest::newRow("lenta") << "lenta" << Esperado::Qualquer;
        QTest::newRow("gotejo") << "gotejo" << Esperado::Qualquer;
        QTest::newRow("semarduino") << "semarduino" << Esperado::Atualiza;
    }
    void aparelho()
    {
        QFETCH(QString, modo);
        QFETCH(Esperado, esperado);
        apoio::Cliente cliente(7);
        QVERIFY(cliente.porta != 0);
        Aplicacao& aplicacao = cliente.iniciar();
        apoio::TempoVirtual& tempo = cliente.tempo;

        // A full good cycle first.
        QVERIFY(cliente.primeiroCiclo());
        PainelAvancado* painel = cliente.painel();
        const QString lotacaoBoa = apoio::Cliente::numero(7, 6, u"\"h\":34,"_s);
        QVERIFY(tempo.avancarAte([&] { return cliente.rotulo("lbl_lotacao") == lotacaoBoa; }, 10000));
        QVERIFY(tempo.avancarAte([&] { return !consulta("SELECT hora10 FROM Dias").isEmpty(); }, 10000));
        const Retrato bom = retrato(cliente);

        // The faulty device, with other counts, so that anything taken from it would show.
        QVERIFY(cliente.trocarAparelho(8, {u"--falha"_s, modo}));
        [[maybe_unused]] const qint64 memoriaAntes = memoriaResidenteKb();
        qsizetype maiorLog = 0, tamanhoLog = 0, chegou = 0, desenhado = 0;
        ethernet::Conexao& conexao = aplicacao.conexao();
        QObject::connect(&conexao, &ethernet::Conexao::logAlterado, painel, [&](const QString& log) {
            maiorLog = std::max(maiorLog, log.size());
            chegou += std::max<qsizetype>(0, log.size() - tamanhoLog);
            tamanhoLog = log.size();
        });
        // What the two log views lay out, against what arrived: a view that lays the whole log
        // out again for every chunk works with the square of the reply and pegs the processor.
        auto* vistaPrincipal = aplicacao.principal().findChild<QPlainTextEdit*>(QStringLiteral("txtSource"));
        QVERIFY(aplicacao.janelas().ethernetConfigExistente());
        auto* caixaResposta = aplicacao.janelas().ethernetConfigExistente()->findChild<QPlainTextEdit*>(
            QStringLiteral("txtSource"));
        for (QPlainTextEdit* vista : {vistaPrincipal, caixaResposta})
            QObject::connect(vista->document(), &QTextDocument::contentsChange, painel,
                             [&desenhado](int, int, int adicionados) { desenhado += adicionados; });
        QVERIFY(cliente.cicloCompleto(4500));
        QVERIFY2(desenhado <= 2 * chegou + 4096,
                 qPrintable(QStringLiteral("%1 laid out for %2 received").arg(desenhado).arg(chegou)));
        tempo.avancar(500);
        // The view shows the log as it is (a text view turns any line break into one).
        QTextDocument comoVista;
        comoVista.setPlainText(conexao.log());
        QCOMPARE(vistaPrincipal->toPlainText(), comoVista.toPlainText());

        QVERIFY(cliente.painel() == painel);
        const Retrato depois = retrato(cliente);
        if (esperado == Esperado::NadaMuda)
            QCOMPARE(depois, bom);
        if (esperado == Esperado::Atualiza)
            QCOMPARE(depois.rotulos[0], apoio::Cliente::numero(8, 6, u"\"h\":34,"_s));
        verificarSeries();
        // The log, and with it the views, stays bounded however much the device sends.
        QVERIFY(maiorLog <= 64 * 1024);
        if (modo == QLatin1String("enorme")) {
            QCOMPARE(maiorLog, qsizetype(64 * 1024));
#if !defined(__SANITIZE_ADDRESS__) // its shadow memory makes resident size meaningless
            QVERIFY2(memoriaResidenteKb() - memoriaAntes < 10 * 1024, "the flood was kept in memory");
#endif
        }
        auto* faixa = painel->findChild<QFrame*>(QStringLiteral("frm_desconectado"));
        auto* faixaPrincipal = aplicacao.principal().findChild<QFrame*>(QStringLiteral("frm_desconectado"));
        if (modo == QLatin1String("mudo")) {
            QVERIFY(!faixa->isHidden());
            QVERIFY(faixaPrincipal->isVisibleTo(&aplicacao.principal()));
        }

        // Back to a sound device: the next cycle records its counts.
        QVERIFY(cliente.trocarAparelho(8));
        QVERIFY(cliente.cicloCompleto(4500));
        const QString lotacaoNova = apoio::Cliente::numero(8, 6, u"\"h\":34,"_s);
        QVERIFY(tempo.avancarAte([&] { return cliente.rotulo("lbl_lotacao") == lotacaoNova; }, 10000));
        QVERIFY(tempo.avancarAte([&] { return faixa->isHidden() && faixaPrincipal->isHidden(); }, 10000));
        apoio::conferirGravacao(tempo, m_arquivo, 8);
        verificarSeries();
    }

private:
    Retrato retrato(apoio::Cliente& cliente)
    {
        Retrato r;
        for (const char* nome : {"lbl_lotacao", "lbl_total", "lbl_mes", "lbl_mediaDia", "lbl_mediaHora"})
            r.rotulos << cliente.rotulo(nome);
        for (const char* nome : {"chartMes", "chartDia"}) {
            auto* g = cliente.painel()->findChild<Grafico*>(QString::fromLatin1(nome));
            for (int linha = 1; linha <= g->rowCount(); ++linha)
                r.pontos << g->valor(1, linha);
        }
        r.banco = consulta("SELECT group_concat(coalesce(mar, '-'), '|') FROM Meses") + u'#' +
                  consulta("SELECT group_concat(coalesce(hora10, '-'), '|') FROM Dias");
        return r;
    }

    // Every recorded column is a whole series of digits.
    void verificarSeries()
    {
        const QString mes = consulta("SELECT mar FROM Meses WHERE ano = '2024'");
        const QString dia = consulta("SELECT hora10 FROM Dias WHERE ano = '2024' AND mes = '03'");
        QCOMPARE(mes.size(), 160);
        QCOMPARE(dia.size(), 120);
        for (const QChar c : QString(mes + dia))
            QVERIFY(c.isDigit());
    }

    QString consulta(const char* sql)
    {
        return apoio::consulta(m_arquivo, QString::fromLatin1(sql));
    }

    QTemporaryDir m_pasta;
    QString m_arquivo;
};

QTEST_MAIN(TesteFalhasAparelho)
#include "test_falhasAparelho.moc"
