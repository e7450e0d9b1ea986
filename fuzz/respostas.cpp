// libFuzzer target over the reply handling: any bytes a device (or something pretending to
// be one) may send, through the dispatcher of every page, with in-memory panels and a real
// copy of the shipped database. Aborts when a handler leaves something a user or the stored
// file would see in a broken state.
#include "banco.h"
#include "controle.h"
#include "costuras.h"
#include "destinosFalsos.h"
#include "mensagens.h"

#include <QCoreApplication>
#include <QDir>
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

template <size_t N> bool cheio(const std::array<QString, N>& slots, size_t quantos)
{
    return std::none_of(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(quantos),
                        [](const QString& s) { return s.isEmpty(); });
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
    controle::Controle c(nullptr, bd, {[&simples] { return &simples; }, [&avancado] { return &avancado; }});
    g_mensagens.clear();

    for (const char* pagina : paginas) {
        const QString sub = QString::fromLatin1(pagina);
        c.tratarResposta(texto, [&sub] { return sub; });
        conferirPainel(c, avancado);
    }
    // With the database in place nothing may fail, so no box may have been asked for.
    if (!g_mensagens.isEmpty())
        falhar("mensagem durante o tratamento", g_mensagens.join(QStringLiteral(" | ")));
    // The file is read back only when a full month or a full day was in the buffers, the
    // only times a handler may have written it; reading it for every input would halve the
    // speed for nothing.
    if (cheio(c.diasMes(), 31))
        conferirColuna(bd.lerMes(QStringLiteral("2024"), 3), 160, "Meses.mar");
    if (cheio(c.horasHoje(), 24))
        conferirColuna(bd.lerDia(QStringLiteral("2024"), QStringLiteral("03"), 31), 120, "Dias.hora31");

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
