// libFuzzer target over the reply handling, with in-memory panels and a real copy of the
// shipped database. Three kinds of input, by the first byte:
//  1  chunks as a device sends them, into the device log on virtual time: the log is what
//     arrived (up to its cap), and a reply is handed on only past 600 characters, 500 ms on;
//  2  a device with its own clock (up to 15 minutes off) answering pages across a change of
//     day and month: what is recorded must be what the device said for that day or month;
//  else any bytes a device (or something pretending to be one) may send, through the
//     dispatcher of every page.
// Aborts when something a user or the stored file would see is wrong.
#include "banco.h"
#include "constantes.h"
#include "controle.h"
#include "costuras.h"
#include "destinosFalsos.h"
#include "ethernet.h"
#include "mensagens.h"
#include "serie.h"
#include "temporizador.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> g_pasta;
QStringList g_mensagens;

[[noreturn]] void falhar(const char* oque, const QString& detalhe = QString())
{
    std::fprintf(stderr, "respostas: %s %s\n", oque, detalhe.toLocal8Bit().constData());
    std::abort();
}

// The pages the program requests, plus two it never does, so that the routing is tried too.
const char* const paginas[] = {"/0", "/1", "/2", "/3", "/4", "/5", "/6", "/9"};

void conferirCampo(const QString& texto, const QString& marcador)
{
    const std::optional<QString> campo = controle::lerValorCampo(texto, marcador);
    if (campo.has_value() != texto.contains(marcador))
        falhar("lerValorCampo: presença do marcador", marcador);
    if (!campo)
        return;
    if (campo->size() > 5)
        falhar("lerValorCampo: campo com mais de cinco caracteres", *campo);
    if (controle::comoTexto(*campo).size() != 5)
        falhar("comoTexto: não tem cinco caracteres", *campo);
    const QString numero = controle::comoNumero(*campo);
    if (controle::comoNumero(numero) != numero)
        falhar("comoNumero: não é estável", *campo + QStringLiteral(" -> ") + numero);
}

void conferirPainel(const controle::Controle& c, falsos::PainelAvancado& painel)
{
    if (painel.graficoMes().foraDaGrade || painel.graficoDia().foraDaGrade)
        falhar("escrita fora das linhas do gráfico");
    const controle::HorasDia& horas = c.horasHoje();
    for (int h = 0; h <= 23; ++h) {
        const QString& v = horas[static_cast<size_t>(h)];
        if (!v.isEmpty() && v.size() != 5)
            falhar("horasHoje com campo fora do tamanho", QString::number(h) + u'=' + v);
    }
}

// A recorded column is either absent or one full count series: digits only.
void conferirColuna(const std::optional<QString>& coluna, qsizetype tamanho, const char* nome)
{
    if (!coluna)
        falhar("banco ilegível:", QString::fromLatin1(nome));
    if (!coluna->isEmpty() && coluna->size() != tamanho)
        falhar(nome, QStringLiteral("com %1 caracteres").arg(coluna->size()));
    for (const QChar c : *coluna)
        if (c < u'0' || c > u'9')
            falhar(nome, QStringLiteral("com um caractere que não é dígito: ") + *coluna);
}

// ---- chunks into the device log ----------------------------------------------------------

void fuzzPedacos(const std::uint8_t* dados, std::size_t tamanho)
{
    RelogioManual relogio(QDateTime(QDate(2024, 3, 31), QTime(14, 5, 33)));
    ethernet::Conexao conexao; // after the manual clock: its timers run on it
    QByteArray enviado;
    qint64 passouDe600 = -1;
    int entregas = 0;
    QObject::connect(&conexao, &ethernet::Conexao::respostaCompleta, &conexao, [&] {
        const qint64 agora = relogio.agora().toMSecsSinceEpoch();
        if (conexao.log().size() <= constantes::tamanhoMinimoResposta)
            falhar("resposta entregue com até 600 caracteres");
        if (passouDe600 < 0 || agora - passouDe600 < 500)
            falhar("resposta entregue antes de 500 ms");
        ++entregas;
    });
    std::size_t i = 1;
    while (i + 1 < tamanho) {
        // A length byte (high bit: kibibytes) and a pause in tens of milliseconds.
        const std::size_t comprimento = (dados[i] & 0x7F) * ((dados[i] & 0x80) ? 1024u : 1u);
        const int pausaMs = dados[i + 1] * 10;
        i += 2;
        const QByteArray pedaco(reinterpret_cast<const char*>(dados + i),
                                static_cast<qsizetype>(std::min(comprimento, tamanho - i)));
        i += static_cast<std::size_t>(pedaco.size());
        enviado += pedaco;
        conexao.receberBytes(pedaco);
        const QString& log = conexao.log();
        if (log.size() > constantes::limiteLogDispositivo)
            falhar("log acima do limite");
        if (log != QString::fromLatin1(enviado.left(constantes::limiteLogDispositivo)))
            falhar("o log não é o que chegou");
        if (passouDe600 < 0 && log.size() > constantes::tamanhoMinimoResposta)
            passouDe600 = relogio.agora().toMSecsSinceEpoch();
        relogio.avancar(pausaMs);
    }
    relogio.avancar(600);
    if (passouDe600 >= 0 && entregas == 0)
        falhar("resposta com mais de 600 caracteres nunca entregue");
}

// ---- a device with its own clock, across midnight -------------------------------------------

// What the simulated device counts: per hour of a day a fixed number of visits spread evenly
// over the hour; days still to come hold leftovers.
std::uint32_t espalhar(std::uint64_t x)
{
    x = (x ^ (x >> 31)) * 0x7FB5D329728EA185ULL;
    x = (x ^ (x >> 27)) * 0x81DADEF4BC2DD44DULL;
    return static_cast<std::uint32_t>(x ^ (x >> 33));
}
int visitasHora(const QDate& dia, int h)
{
    return 1 + static_cast<int>(espalhar(static_cast<std::uint64_t>(dia.toJulianDay()) * 24 + h) % 97);
}
int contagemHora(const QDateTime& agora, int h)
{
    const int s = agora.time().msecsSinceStartOfDay() / 1000;
    const int completa = visitasHora(agora.date(), h);
    return h < s / 3600 ? completa : h > s / 3600 ? 0 : completa * (s % 3600) / 3600;
}
int totalDia(const QDateTime& agora, const QDate& dia)
{
    if (dia > agora.date())
        return static_cast<int>(espalhar(static_cast<std::uint64_t>(dia.toJulianDay())) % 50000);
    int total = 0;
    for (int h = 0; h <= 23; ++h)
        total += dia < agora.date() ? visitasHora(dia, h) : contagemHora(agora, h);
    return total;
}

using Ditos = QHash<QString, QSet<QString>>; // "yyyy-MM-dd hN" / "yyyy-MM dN" -> counts said

// Page n of the device at its time `agora`; entry `ruim` is left out (modo 1) or garbled (2).
// Counts it said in full go into `ditos`.
QString paginaDoAparelho(int n, const QDateTime& agora, int ruim, int modo, Ditos& ditos)
{
    const std::array<int, 6> de{1, 13, 25, 0, 12, 34};
    const std::array<int, 6> ate{12, 24, 31, 11, 23, 35};
    const QDate hoje = agora.date();
    QString corpo = QStringLiteral("{\"status\":1,\"dados\":[");
    for (int k = de[static_cast<size_t>(n - 1)]; k <= ate[static_cast<size_t>(n - 1)]; ++k) {
        const QDate dia(hoje.year(), hoje.month(), 1);
        const QDate diaK = dia.addDays(k - 1);
        const bool eDia = n <= 3;
        int valor = 0;
        if (eDia)
            valor = diaK.month() == hoje.month() ? totalDia(agora, diaK) : 0;
        else
            valor = k == 35 ? totalDia(agora, hoje) : k == 34 ? 7 : contagemHora(agora, k);
        if (k - de[static_cast<size_t>(n - 1)] == ruim && modo == 1)
            continue;
        QString campo = QStringLiteral("%1").arg(valor, 5, 10, QChar(u'0'));
        if (k - de[static_cast<size_t>(n - 1)] == ruim && modo == 2)
            campo[1] = u'x';
        else if (eDia && k <= hoje.day())
            ditos[hoje.toString(QStringLiteral("yyyy-MM d")) + QString::number(k)].insert(campo);
        else if (!eDia && k <= 23)
            ditos[hoje.toString(QStringLiteral("yyyy-MM-dd h")) + QString::number(k)].insert(campo);
        corpo += QStringLiteral("{\"%1\":%2,\"qt\":\"%3\"},").arg(eDia ? u'd' : u'h').arg(k).arg(campo);
    }
    return QStringLiteral("HTTP/1.0 200 OK\r\n\r\n") + corpo + QStringLiteral("{}],\"reserva\":\"") +
           QString(600, u'-') + QStringLiteral("\"}\r\n");
}

// Each recorded group is zero or a count the device said for that day and entry.
void conferirGravado(const std::optional<QString>& coluna, const Ditos& ditos, const QString& chave,
                     int grupos)
{
    if (!coluna)
        falhar("banco ilegível:", chave);
    if (coluna->isEmpty())
        return;
    if (coluna->size() != grupos * 5)
        falhar("coluna fora do tamanho:", chave);
    for (int g = 1; g <= grupos; ++g) {
        const QString valor = serie::grupo(*coluna, g);
        const int n = chave.endsWith(u'h') ? g - 1 : g;
        if (valor != QLatin1String("00000") && !ditos.value(chave + QString::number(n)).contains(valor))
            falhar("gravado o que o aparelho não disse para esse dia:",
                   chave + QString::number(n) + u'=' + valor);
    }
}

void fuzzMeiaNoite(const std::uint8_t* dados, std::size_t tamanho)
{
    if (tamanho < 3)
        return;
    // The device's offset (within 15 minutes either way) and the day whose midnight is crossed.
    const qint64 desvio = static_cast<qint64>(static_cast<std::int8_t>(dados[1])) * 7;
    const std::array<QDate, 4> datas{QDate(2024, 12, 31), QDate(2024, 4, 30), QDate(2023, 2, 28),
                                     QDate(2024, 3, 9)};
    QDateTime agora(datas[dados[2] % 4], QTime(23, 40));
    const QString arquivo = g_pasta->filePath(QStringLiteral("Fluxoradb.mdb"));
    QFile::remove(arquivo);
    QString erro;
    if (!banco::criarBancoEntregue(arquivo, &erro))
        falhar("banco entregue não foi criado", erro);
    costuras::relogio = [&agora] { return agora; };

    falsos::PainelAvancado avancado(8, 18, false);
    banco::Banco bd;
    controle::Controle c(nullptr, bd, {.simples = {}, .avancado = [&avancado] { return &avancado; }});
    Ditos ditos;
    const QDate primeiro = agora.date().addDays(-1);
    // A full reading first, as the panel makes at start-up; then a page, a pause and a fault
    // per three bytes.
    for (int n = 1; n <= 6; ++n) {
        const QString texto = paginaDoAparelho(n, agora.addSecs(desvio), -1, 0, ditos);
        c.tratarResposta(texto, [n] { return QStringLiteral("/%1").arg(n); });
    }
    for (std::size_t i = 3; i + 2 < tamanho && i < 3 + 3 * 60; i += 3) {
        agora = agora.addSecs(dados[i + 1] * 5);
        const int n = 1 + dados[i] % 6;
        const int modo = dados[i + 2] < 32 ? 1 : dados[i + 2] < 64 ? 2 : 0;
        const QString texto = paginaDoAparelho(n, agora.addSecs(desvio), dados[i + 2] % 12, modo, ditos);
        c.tratarResposta(texto, [n] { return QStringLiteral("/%1").arg(n); });
    }
    for (QDate d = primeiro; d <= agora.date().addDays(1); d = d.addDays(1)) {
        const QString ano = d.toString(QStringLiteral("yyyy"));
        conferirGravado(bd.lerDia(ano, d.toString(QStringLiteral("MM")), d.day()), ditos,
                        d.toString(QStringLiteral("yyyy-MM-dd h")), 24);
        std::optional<QString> mes = bd.lerMes(ano, d.month());
        if (mes && !mes->isEmpty()) {
            if (mes->size() != 160 || !mes->endsWith(QLatin1String("00000")))
                falhar("coluna do mês fora do tamanho", *mes);
            mes->chop(5);
        }
        conferirGravado(mes, ditos, d.toString(QStringLiteral("yyyy-MM d")), 31);
    }
    costuras::fixarRelogio(QStringLiteral("31/03/2024"), QStringLiteral("14:05:33"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Never destroyed: Qt's own globals are gone by the time static destructors would run it.
    new QCoreApplication(*argc, *argv);
    // tmpfs when there is one: every accepted month or hour page commits a write. The
    // runner script gives a folder it removes itself, since a crash skips our cleanup.
    QString base = qEnvironmentVariable("FLUXORA_FUZZ_TMP");
    if (base.isEmpty())
        base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    g_pasta = std::make_unique<QTemporaryDir>(base + QStringLiteral("/fluxora-fuzz-XXXXXX"));
    if (!g_pasta->isValid())
        falhar("sem pasta temporária");
    const QString pasta = g_pasta->path();
    QString erro;
    if (!banco::criarBancoEntregue(pasta + QStringLiteral("/Fluxoradb.mdb"), &erro))
        falhar("banco entregue não foi criado", erro);
    costuras::pastaAplicacao = [pasta] { return pasta; };
    // The last day of a month: no day of the month pages is in the future.
    costuras::fixarRelogio(QStringLiteral("31/03/2024"), QStringLiteral("14:05:33"));
    mensagens::instalar([](const mensagens::Pedido& p) {
        g_mensagens << p.texto;
        return p.botoes == mensagens::Botoes::SimNao ? mensagens::Resposta::Nao : mensagens::Resposta::Ok;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho)
{
    if (tamanho == 0)
        return 0;
    if (dados[0] == 1) {
        fuzzPedacos(dados, tamanho);
        return 0;
    }
    if (dados[0] == 2) {
        fuzzMeiaNoite(dados, tamanho);
        if (!g_mensagens.isEmpty())
            falhar("mensagem durante o tratamento", g_mensagens.join(QStringLiteral(" | ")));
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(dados);
    const auto n = static_cast<qsizetype>(tamanho);
    // Captured replies start with "HTTP" (an even byte): read as UTF-8; an odd first byte
    // reads the same bytes as Latin-1, so both decodings of device text are tried.
    const QString texto = (dados[0] & 1) ? QString::fromLatin1(bytes, n) : QString::fromUtf8(bytes, n);

    // Business hours 0 to 23 (the settings keep them in range) and the month-read flag,
    // varied by the length so that the reply bytes stay the device's own.
    const int inicio = static_cast<int>(tamanho % 24);
    const int fim = static_cast<int>((tamanho / 24) % 24);
    const bool mesCompleto = (tamanho / 576) % 2 == 1;

    falsos::PainelSimples simples;
    falsos::PainelAvancado avancado(inicio, fim, mesCompleto);
    banco::Banco bd;
    controle::Controle c(
        nullptr, bd,
        {.simples = [&simples] { return &simples; }, .avancado = [&avancado] { return &avancado; }});
    g_mensagens.clear();

    for (const char* pagina : paginas) {
        const QString sub = QString::fromLatin1(pagina);
        c.tratarResposta(texto, [&sub] { return sub; });
        conferirPainel(c, avancado);
    }
    // With the database in place nothing may fail, so no box may have been asked for.
    if (!g_mensagens.isEmpty())
        falhar("mensagem durante o tratamento", g_mensagens.join(QStringLiteral(" | ")));
    // The file is read back only after a whole reply, the only kind a handler may have
    // written; reading it for every input would halve the speed for nothing.
    if (controle::respostaValida(texto) && controle::respostaInteira(texto)) {
        conferirColuna(bd.lerMes(QStringLiteral("2024"), 3), 160, "Meses.mar");
        conferirColuna(bd.lerDia(QStringLiteral("2024"), QStringLiteral("03"), 31), 120, "Dias.hora31");
    }

    // The value rule with markers taken from the input itself, and the device's own kinds.
    const qsizetype comprimento = dados[1 % tamanho] % 16;
    const qsizetype inicioMarcador = (dados[2 % tamanho] * 256 + dados[3 % tamanho]) % n;
    conferirCampo(texto, texto.mid(inicioMarcador, comprimento));
    const int numero = static_cast<int>(dados[4 % tamanho]) - 100;
    conferirCampo(texto, controle::marcadorHora(numero));
    conferirCampo(texto, controle::marcadorDia(numero));
    conferirCampo(texto, controle::marcadorHoraDoisDigitos(numero));
    return 0;
}
