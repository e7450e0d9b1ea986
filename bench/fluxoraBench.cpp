// Timings of the work behind one polling cycle: the history writes, the dispatcher with a
// page the simulated counter really sent, and the history reads of the browser over a
// database holding fifty years.
#include "aplicacao.h"
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "datas.h"
#include "destinosFalsos.h"
#include "mensagens.h"
#include "serie.h"

#include "exportacao.h"
#include "historicoAnterior.h"
#include "historicoJet.h"
#include "janelaRelatorios.h"
#include "painelavancado.h"
#include "relatorios.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QStringList g_mensagens;

// A fresh copy of the shipped database in a folder of its own, as the program's folder.
class BancoTemporario {
public:
    BancoTemporario()
    {
        m_ok = m_pasta.isValid() && QFile::copy(QStringLiteral(FLUXORA_BANCO_MODELO),
                                                m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")));
        QFile::setPermissions(m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")),
                              QFile::ReadOwner | QFile::WriteOwner);
        const QString pasta = m_pasta.path();
        costuras::pastaAplicacao = [pasta] { return pasta; };
        g_mensagens.clear();
    }
    ~BancoTemporario() { costuras::pastaAplicacao = m_anterior; }
    BancoTemporario(const BancoTemporario&) = delete;
    BancoTemporario& operator=(const BancoTemporario&) = delete;

    bool ok() const { return m_ok; }
    QString arquivo() const { return m_pasta.filePath(QStringLiteral("Fluxoradb.mdb")); }

private:
    std::function<QString()> m_anterior = costuras::pastaAplicacao;
    QTemporaryDir m_pasta;
    bool m_ok = false;
};

// A count series of `grupos` groups with varied values.
QString serieExemplo(int grupos, int semente)
{
    QStringList slots;
    for (int k = 0; k < grupos; ++k)
        slots << QString::number((k * 37 + semente * 11) % 900);
    return serie::montar(slots);
}

bool semFalhas(benchmark::State& state)
{
    if (g_mensagens.isEmpty())
        return true;
    state.SkipWithError(g_mensagens.first().toLocal8Bit().constData());
    return false;
}

void BM_gravarMes(benchmark::State& state)
{
    BancoTemporario banco;
    if (!banco.ok()) {
        state.SkipWithError("sem cópia do banco entregue");
        return;
    }
    const QString s = serieExemplo(32, 1);
    banco::Banco bd;
    for (auto _ : state)
        benchmark::DoNotOptimize(bd.gravarMes(QStringLiteral("2024"), 3, s));
    semFalhas(state);
}
BENCHMARK(BM_gravarMes)->Unit(benchmark::kMicrosecond);

void BM_gravarDia(benchmark::State& state)
{
    BancoTemporario banco;
    if (!banco.ok()) {
        state.SkipWithError("sem cópia do banco entregue");
        return;
    }
    const QString s = serieExemplo(24, 2);
    banco::Banco bd;
    for (auto _ : state)
        benchmark::DoNotOptimize(bd.gravarDia(QStringLiteral("2024"), QStringLiteral("03"), 31, s));
    semFalhas(state);
}
BENCHMARK(BM_gravarDia)->Unit(benchmark::kMicrosecond);

QString lerResposta(int pagina)
{
    QFile f(QStringLiteral(FLUXORA_BENCH_DADOS "/pagina%1_normal").arg(pagina));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// One accepted reply of page /N through the dispatcher: parsing, the in-memory panels and,
// for /3 and /5, the database write. The pages before it are handled once first, so the
// month and the day are complete and the write really happens.
void BM_tratarResposta(benchmark::State& state)
{
    const int pagina = static_cast<int>(state.range(0));
    BancoTemporario banco;
    if (!banco.ok()) {
        state.SkipWithError("sem cópia do banco entregue");
        return;
    }
    falsos::PainelSimples simples;
    falsos::PainelAvancado avancado(8, 18, false);
    banco::Banco bd;
    controle::Controle c(
        nullptr, bd,
        {.simples = [&simples] { return &simples; }, .avancado = [&avancado] { return &avancado; }});

    QString respostas[7];
    for (int p = 1; p <= 6; ++p) {
        respostas[p] = lerResposta(p);
        if (!controle::respostaValida(respostas[p])) {
            state.SkipWithError("resposta gravada ausente ou sem o marcador de status");
            return;
        }
    }
    for (int p = 1; p <= 6; ++p) {
        const QString sub = QStringLiteral("/%1").arg(p);
        c.tratarResposta(respostas[p], [&sub] { return sub; });
    }

    const QString sub = QStringLiteral("/%1").arg(pagina);
    const std::function<QString()> subPagina = [&sub] { return sub; };
    for (auto _ : state)
        c.tratarResposta(respostas[pagina], subPagina);

    if (!semFalhas(state))
        return;
    // The write must have been what was timed, not a reply dropped on the way.
    if (pagina == 3 && bd.lerMes(QStringLiteral("2024"), 3).value_or(QString()).size() != 160)
        state.SkipWithError("o mês não foi gravado");
    if (pagina == 5 &&
        bd.lerDia(QStringLiteral("2024"), QStringLiteral("03"), 31).value_or(QString()).size() != 120)
        state.SkipWithError("o dia não foi gravado");
}
BENCHMARK(BM_tratarResposta)->DenseRange(1, 6)->ArgName("pagina")->Unit(benchmark::kMicrosecond);

// The same through the real advanced panel (hidden, its cycle stopped): the labels, the Qt
// Charts drawing of both charts (done once the event loop runs, as in the program) and the
// database write.
void BM_tratarRespostaPainel(benchmark::State& state)
{
    const int pagina = static_cast<int>(state.range(0));
    BancoTemporario banco;
    if (!banco.ok()) {
        state.SkipWithError("sem cópia do banco entregue");
        return;
    }
    Aplicacao aplicacao;
    controle::Controle& c = aplicacao.controle();
    PainelAvancado* painel = aplicacao.janelas().painelavancado();
    painel->pararTimerBaseTempo();
    QString respostas[7];
    for (int p = 1; p <= 6; ++p) {
        respostas[p] = lerResposta(p);
        const QString sub = QStringLiteral("/%1").arg(p);
        c.tratarResposta(respostas[p], [&sub] { return sub; });
    }
    QCoreApplication::processEvents();
    const QString sub = QStringLiteral("/%1").arg(pagina);
    const std::function<QString()> subPagina = [&sub] { return sub; };
    // Two readings in turn whose counts differ by one in their last digit, as from one cycle
    // to the next: every point changes and is drawn again.
    QString outra = respostas[pagina];
    const QString chave = QStringLiteral("\"qt\":\"");
    for (qsizetype i = outra.indexOf(chave); i >= 0; i = outra.indexOf(chave, i + 1)) {
        const qsizetype ultimo = i + chave.size() + 4;
        if (ultimo < outra.size() && outra[ultimo].isDigit())
            outra[ultimo] = QChar(u'0' + (outra[ultimo].digitValue() + 1) % 10);
    }
    const QString* alternadas[2] = {&respostas[pagina], &outra};
    int vez = 0;
    for (auto _ : state) {
        c.tratarResposta(*alternadas[vez], subPagina);
        vez ^= 1;
        QCoreApplication::processEvents();
    }
    semFalhas(state);
}
BENCHMARK(BM_tratarRespostaPainel)->DenseRange(1, 6)->ArgName("pagina")->Unit(benchmark::kMicrosecond);

// Fifty years of history, 1975 to 2024: every month of Meses and every day of Dias filled,
// in stored order oldest first, as years of polling leave them.
bool gravarCinquentaAnos(const QString& arquivo, QString& erro)
{
    const QString nome = QStringLiteral("bench-historico");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(arquivo);
        ok = db.open() && db.transaction();
        QSqlQuery mes(db);
        QSqlQuery dia(db);
        QStringList colunasDia, marcasDia;
        for (int d = 1; d <= 31; ++d) {
            colunasDia << datas::colunaDia(d);
            marcasDia << QStringLiteral("?");
        }
        ok = ok && mes.prepare(
                       QStringLiteral("INSERT INTO Meses (ano, jan, fev, mar, abr, mai, jun, jul, ago, sete, "
                                      "out, nov, dez) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        ok = ok && dia.prepare(QStringLiteral("INSERT INTO Dias (mes, ano, %1) VALUES (?, ?, %2)")
                                   .arg(colunasDia.join(u','), marcasDia.join(u',')));
        for (int ano = 1975; ok && ano <= 2024; ++ano) {
            mes.addBindValue(QString::number(ano));
            for (int m = 1; m <= 12; ++m)
                mes.addBindValue(serieExemplo(32, ano + m));
            ok = mes.exec();
            for (int m = 1; ok && m <= 12; ++m) {
                dia.addBindValue(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
                dia.addBindValue(QString::number(ano));
                for (int d = 1; d <= 31; ++d)
                    dia.addBindValue(serieExemplo(24, ano + m + d));
                ok = dia.exec();
            }
        }
        if (!ok)
            erro = mes.lastError().text() + dia.lastError().text() + db.lastError().text();
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(nome);
    return ok;
}

class Historico : public benchmark::Fixture {
public:
    void SetUp(benchmark::State& state) override
    {
        m_banco = std::make_unique<BancoTemporario>();
        QString erro;
        if (!m_banco->ok() || !gravarCinquentaAnos(m_banco->arquivo(), erro))
            state.SkipWithError(("histórico não foi gravado: " + erro).toLocal8Bit().constData());
    }
    void TearDown(benchmark::State&) override { m_banco.reset(); }

private:
    std::unique_ptr<BancoTemporario> m_banco;
};

// The most recent year: the one the browser shows most, and the last rows scanned.
BENCHMARK_DEFINE_F(Historico, BM_lerMes)(benchmark::State& state)
{
    banco::Banco bd;
    for (auto _ : state) {
        const std::optional<QString> s = bd.lerMes(QStringLiteral("2024"), 3);
        if (!s || s->size() != 160) {
            state.SkipWithError("mês lido errado");
            break;
        }
    }
    semFalhas(state);
}
BENCHMARK_REGISTER_F(Historico, BM_lerMes)->Unit(benchmark::kMicrosecond);

BENCHMARK_DEFINE_F(Historico, BM_lerDia)(benchmark::State& state)
{
    banco::Banco bd;
    for (auto _ : state) {
        const std::optional<QString> s = bd.lerDia(QStringLiteral("2024"), QStringLiteral("03"), 31);
        if (!s || s->size() != 120) {
            state.SkipWithError("dia lido errado");
            break;
        }
    }
    semFalhas(state);
}
BENCHMARK_REGISTER_F(Historico, BM_lerDia)->Unit(benchmark::kMicrosecond);

// The history fills of the advanced panel as a selection runs them: read, chart series 2,
// figures, and the drawing.
void escolher(PainelAvancado* painel, const char* nome, const QString& texto)
{
    painel->findChild<QComboBox*>(QString::fromLatin1(nome))->setEditText(texto);
}

BENCHMARK_DEFINE_F(Historico, BM_carregarHistoricoMes)(benchmark::State& state)
{
    Aplicacao aplicacao;
    PainelAvancado* painel = aplicacao.janelas().painelavancado();
    painel->pararTimerBaseTempo();
    escolher(painel, "cmb_ano", QStringLiteral("2024"));
    escolher(painel, "cmb_mes", QStringLiteral("03"));
    for (auto _ : state) {
        painel->carregarHistoricoMes();
        QCoreApplication::processEvents();
    }
    semFalhas(state);
}
BENCHMARK_REGISTER_F(Historico, BM_carregarHistoricoMes)->Unit(benchmark::kMicrosecond);

BENCHMARK_DEFINE_F(Historico, BM_carregarHistoricoDia)(benchmark::State& state)
{
    Aplicacao aplicacao;
    PainelAvancado* painel = aplicacao.janelas().painelavancado();
    painel->pararTimerBaseTempo();
    escolher(painel, "cmb_ano", QStringLiteral("2024"));
    escolher(painel, "cmb_mes", QStringLiteral("03"));
    escolher(painel, "cmb_dia", QStringLiteral("31"));
    for (auto _ : state) {
        painel->carregarHistoricoDia();
        QCoreApplication::processEvents();
    }
    semFalhas(state);
}
BENCHMARK_REGISTER_F(Historico, BM_carregarHistoricoDia)->Unit(benchmark::kMicrosecond);

// The reports window opened over fifty years: its year, its busiest hours (twelve weeks) and
// its period count, painted once.
BENCHMARK_DEFINE_F(Historico, BM_abrirRelatorios)(benchmark::State& state)
{
    Aplicacao aplicacao;
    for (auto _ : state) {
        JanelaRelatorios* janela = aplicacao.janelas().relatorios();
        janela->show();
        QCoreApplication::processEvents();
        delete janela;
    }
    semFalhas(state);
}
BENCHMARK_REGISTER_F(Historico, BM_abrirRelatorios)->Unit(benchmark::kMillisecond);

// Every recorded day of the fifty years (18 262 rows) read and written to a spreadsheet file or
// a text file.
void exportarTudo(benchmark::State& state, bool xlsx)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(xlsx ? QStringLiteral("tudo.xlsx") : QStringLiteral("tudo.csv"));
    const QDate inicio(1975, 1, 1), fim(2024, 12, 31);
    banco::Banco bd;
    for (auto _ : state) {
        const auto dias = relatorios::diasRegistrados(bd, inicio, fim);
        if (!dias || dias->size() != 18263) {
            state.SkipWithError("período lido errado");
            break;
        }
        const planilha::Resultado r = xlsx ? exportacao::gravarPeriodoXlsx(arquivo, inicio, fim, *dias)
                                           : exportacao::gravarPeriodoCsv(arquivo, *dias);
        if (!r.ok) {
            state.SkipWithError(r.motivo.toLocal8Bit().constData());
            break;
        }
    }
    semFalhas(state);
}

BENCHMARK_DEFINE_F(Historico, BM_exportarPeriodoXlsx)(benchmark::State& state)
{
    exportarTudo(state, true);
}
BENCHMARK_REGISTER_F(Historico, BM_exportarPeriodoXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK_DEFINE_F(Historico, BM_exportarPeriodoCsv)(benchmark::State& state)
{
    exportarTudo(state, false);
}
BENCHMARK_REGISTER_F(Historico, BM_exportarPeriodoCsv)->Unit(benchmark::kMillisecond);

// An earlier installation's Jet file with 50 years of history (50 Meses rows, 600 Dias rows).
QByteArray jetCinquentaAnos()
{
    jet::Opcoes o;
    o.anos = 50;
    o.anoInicial = 1975;
    return jet::arquivoFluxora(o);
}

// Its conversion at start-up: read through libmdb, new database written, synced and swapped in.
void BM_converterJet(benchmark::State& state)
{
    const QByteArray jet = jetCinquentaAnos();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("Fluxoradb.mdb"));
        QFile f(arquivo);
        f.open(QIODevice::WriteOnly);
        f.write(jet);
        f.close();
        state.ResumeTiming();
        QString erro;
        if (!importacao::converter(arquivo, erro)) {
            state.SkipWithError(erro.toLocal8Bit().constData());
            return;
        }
    }
}
BENCHMARK(BM_converterJet)->Unit(benchmark::kMillisecond);

// Its import into a database that has none of it yet: read, then merged in one transaction.
void BM_importarJet(benchmark::State& state)
{
    QTemporaryDir origem;
    const QString jetArquivo = origem.filePath(QStringLiteral("outra.mdb"));
    QFile f(jetArquivo);
    f.open(QIODevice::WriteOnly);
    f.write(jetCinquentaAnos());
    f.close();
    for (auto _ : state) {
        state.PauseTiming();
        auto banco = std::make_unique<BancoTemporario>();
        state.ResumeTiming();
        QString erro;
        const auto conteudo = importacao::ler(jetArquivo, erro);
        if (!conteudo || !importacao::mesclar(banco->arquivo(), *conteudo, false, erro)) {
            state.SkipWithError(erro.toLocal8Bit().constData());
            return;
        }
        state.PauseTiming();
        banco.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_importarJet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The panel's widgets need a platform; no screen is needed for them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The last day of a month: every day of the month pages counts.
    costuras::fixarRelogio(QStringLiteral("31/03/2024"), QStringLiteral("14:05:33"));
    mensagens::instalar([](const mensagens::Pedido& p) {
        g_mensagens << p.texto;
        return p.botoes == mensagens::Botoes::SimNao ? mensagens::Resposta::Nao : mensagens::Resposta::Ok;
    });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
