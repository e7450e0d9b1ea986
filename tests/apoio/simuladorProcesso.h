#pragma once

// The simulated counter as a child process on loopback, for integration tests.
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <utility>

class SimuladorProcesso {
public:
    // A seed and a clock stopped at 10/03/2024 14:05:33, the tests' fixed day.
    static QStringList argumentosFixos(int semente)
    {
        return {QStringLiteral("--semente"),  QString::number(semente), QStringLiteral("--data"),
                QStringLiteral("10/03/2024"), QStringLiteral("--hora"), QStringLiteral("14:05:33"),
                QStringLiteral("--congelar")};
    }

    // The five-character field of an entry in the simulator's reply to a page, as the
    // simulator started with `argumentos` would send it.
    static QString valorDaPagina(const QStringList& argumentos, int pagina, const QString& marcador)
    {
        const QString texto = textoDaPagina(argumentos, pagina);
        const qsizetype i = texto.indexOf(marcador);
        return i < 0 ? QString() : texto.mid(i + marcador.size() + 6, 5);
    }
    static QString textoDaPagina(const QStringList& argumentos, int pagina)
    {
        QProcess p;
        p.start(QStringLiteral(FLUXORA_SIMULADOR),
                QStringList{QStringLiteral("--mostrar"), QString::number(pagina)} + argumentos);
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // Starts on `endereco` (loopback only) with an ephemeral port unless `porta` is given.
    explicit SimuladorProcesso(const QStringList& extra = {}, quint16 porta = 0,
                               const QString& endereco = QStringLiteral("127.0.0.1"))
        : m_endereco(endereco)
    {
        QObject::connect(&m_processo, &QProcess::readyReadStandardOutput, &m_processo, [this] { ler(); });
        m_processo.start(QStringLiteral(FLUXORA_SIMULADOR),
                         QStringList{QStringLiteral("--endereco"), endereco, QStringLiteral("--porta"),
                                     QString::number(porta)} +
                             extra);
        // A loaded machine (a sanitizer build, tests in parallel) can take seconds to start it.
        for (int i = 0; i < 400 && m_porta == 0 && m_processo.state() != QProcess::NotRunning; ++i) {
            m_processo.waitForReadyRead(50);
            ler();
        }
    }
    ~SimuladorProcesso()
    {
        m_processo.kill();
        m_processo.waitForFinished();
    }

    quint16 porta() const { return m_porta; }

    const QString& endereco() const { return m_endereco; }

    // Switches the fault mode of the running simulator; true once it confirmed the switch.
    bool falha(const QString& modo) { return comando(QStringLiteral("falha ") + modo); }

    // A command on its standard input; true once it was echoed back, or at once when
    // `confirmar` is false.
    bool comando(const QString& linha, bool confirmar = true)
    {
        m_processo.write((linha + u'\n').toUtf8());
        for (int i = 0; confirmar && i < 100 && !m_linhas.contains(linha); ++i) {
            m_processo.waitForReadyRead(50);
            ler();
        }
        return !confirmar || m_linhas.contains(linha);
    }

    // The paths requested so far ("/0", "/1", ...).
    const QStringList& caminhos()
    {
        ler();
        return m_caminhos;
    }

private:
    void ler()
    {
        m_buffer += m_processo.readAllStandardOutput();
        qsizetype fim;
        while ((fim = m_buffer.indexOf('\n')) >= 0) {
            const QString linha = QString::fromUtf8(m_buffer.left(fim)).trimmed();
            m_buffer.remove(0, fim + 1);
            m_linhas << linha;
            if (linha.startsWith(QLatin1String("pedido ")))
                m_caminhos << linha.mid(7);
            const qsizetype p = linha.indexOf(m_endereco + u':');
            if (p >= 0 && m_porta == 0)
                m_porta = static_cast<quint16>(linha.mid(p + m_endereco.size() + 1).toUInt());
        }
    }

    QString m_endereco;
    QProcess m_processo;
    QByteArray m_buffer;
    QStringList m_linhas;
    quint16 m_porta = 0;
    QStringList m_caminhos;
};
