#pragma once

// The whole client driven from a test: a fresh application object on virtual time, started
// against a simulated counter on loopback.
#include "aplicacao.h"
#include "bancoTeste.h"
#include "costuras.h"
#include "painelavancado.h"
#include "simuladorProcesso.h"
#include "tempoVirtual.h"

#include <QLabel>
#include <QTest>

#include <memory>

namespace apoio {

struct Cliente {
    // The simulator's seed; the clock starts at the tests' fixed moment unless the simulator's
    // arguments and the computer's start are given.
    explicit Cliente(int semente, const QStringList& argumentos = {},
                     const QDateTime& inicio = QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)))
        : simulador(std::make_unique<SimuladorProcesso>(
              argumentos.isEmpty() ? SimuladorProcesso::argumentosFixos(semente) : argumentos)),
          porta(simulador->porta()), tempo(inicio)
    {
        costuras::portaPadrao = [p = porta] { return p; };
    }

    // Replaces the device on the same port.
    bool trocarAparelho(int semente, const QStringList& extra = {})
    {
        simulador.reset();
        simulador =
            std::make_unique<SimuladorProcesso>(SimuladorProcesso::argumentosFixos(semente) + extra, porta);
        return simulador->porta() == porta;
    }

    // Builds the application (after the manual clock, so its timers run on it) and starts it.
    Aplicacao& iniciar()
    {
        aplicacao = std::make_unique<Aplicacao>();
        tempo.acompanhar(aplicacao->conexao());
        aplicacao->carregar();
        return *aplicacao;
    }

    // Until the start-up's first full cycle went out and the advanced panel holds its counts.
    bool primeiroCiclo()
    {
        return tempo.avancarAte([&] { return simulador->caminhos().size() >= 7; }, 60000) && painel();
    }

    PainelAvancado* painel() { return aplicacao->janelas().painelavancadoExistente(); }
    QString rotulo(const char* nome)
    {
        return painel()->findChild<QLabel*>(QString::fromLatin1(nome))->text();
    }

    // The value of an entry in page `pagina` of the device with that seed, as a number.
    static QString numero(int semente, int pagina, const QString& marcador)
    {
        return QString::number(
            SimuladorProcesso::valorDaPagina(SimuladorProcesso::argumentosFixos(semente), pagina, marcador)
                .toInt());
    }

    // Asks the panel for every page again at the fast pace, waits until "/1" and then "/6" went
    // out after the call (a "/6" asked just before it does not count), then `esperaMs` more
    // for the last reply to be handled or to time out.
    bool cicloCompleto(int esperaMs)
    {
        const qsizetype antes = simulador->caminhos().size();
        painel()->clicarAtualizarTotalMes();
        painel()->lerDiaCompleto();
        auto completo = [&] {
            const QStringList depois = simulador->caminhos().mid(antes);
            const qsizetype um = depois.indexOf(QStringLiteral("/1"));
            return um >= 0 && depois.indexOf(QStringLiteral("/6"), um) > um;
        };
        if (!tempo.avancarAte(completo, 60000))
            return false;
        tempo.avancar(esperaMs);
        return true;
    }

    std::unique_ptr<SimuladorProcesso> simulador;
    quint16 porta;
    TempoVirtual tempo;
    std::unique_ptr<Aplicacao> aplicacao;
};

// Within the next cycles the file holds the counts of the device with that seed: days 1 to
// 10 of the month and hour 14 of today (a page cut off by the hidden simple panel's own "/6"
// comes again in the next cycle).
inline void conferirGravacao(TempoVirtual& tempo, const QString& arquivo, int semente)
{
    const QStringList args = SimuladorProcesso::argumentosFixos(semente);
    QString esperado;
    for (int d = 1; d <= 10; ++d)
        esperado += SimuladorProcesso::valorDaPagina(args, 1, QStringLiteral("\"d\":%1,").arg(d));
    esperado += u'|' + SimuladorProcesso::valorDaPagina(args, 5, QStringLiteral("\"h\":14,"));
    const QString sql =
        QStringLiteral("SELECT substr(mar, 1, 50) || '|' || (SELECT substr(hora10, 71, 5) FROM Dias "
                       "WHERE ano = '2024' AND mes = '03') FROM Meses WHERE ano = '2024'");
    tempo.avancarAte([&] { return consulta(arquivo, sql) == esperado; }, 40000);
    QCOMPARE(consulta(arquivo, sql), esperado);
}

} // namespace apoio
