#include "controle.h"

#include "banco.h"
#include "datas.h"
#include "ethernet.h"
#include "textos.h"

namespace controle {

namespace {

std::function<DestinoPainelSimples*()> g_painelSimples;
std::function<DestinoPainelAvancado*()> g_painelAvancado;
// The stored address, read afresh for every request; kept when the read fails.
QString g_ip[4];

HorasDia g_horasHoje;
double g_totalVisitasMes = 0;

const QString atualizando = QStringLiteral("Atualizando...");

DestinoPainelSimples* painelSimples()
{
    return g_painelSimples ? g_painelSimples() : nullptr;
}
DestinoPainelAvancado* painelAvancado()
{
    return g_painelAvancado ? g_painelAvancado() : nullptr;
}

// One slot of a stored-text page: a missing marker keeps the slot's value.
QString campoComoTexto(const QString& texto, const QString& marcador, const QString& anterior)
{
    const std::optional<QString> campo = lerValorCampo(texto, marcador);
    return comoTexto(campo ? *campo : anterior);
}

} // namespace

bool respostaValida(const QString& texto)
{
    return texto.contains(QStringLiteral("\"status\":1,"));
}

std::optional<QString> lerValorCampo(const QString& texto, const QString& marcador)
{
    const qsizetype p = texto.indexOf(marcador);
    if (p < 0)
        return std::nullopt;
    // Positions are not limited: a marker anywhere in the text is read.
    return texto.mid(p + marcador.size() + 6, 5);
}

QString comoTexto(const QString& campo)
{
    return campo.size() == 5 ? campo : QStringLiteral("00000");
}

QString comoNumero(const QString& campo)
{
    return strings::textoNumero(strings::valorNumerico(campo));
}

QString marcadorHora(int n)
{
    return QStringLiteral("\"h\":") + QString::number(n) + u',';
}
QString marcadorDia(int n)
{
    return QStringLiteral("\"d\":") + QString::number(n) + u',';
}
QString marcadorHoraDoisDigitos(int n)
{
    return QStringLiteral("\"h\":") + strings::doisDigitos(n) + u',';
}

void lerHorasManha(const QString& texto, HorasDia& horas)
{
    for (int h = 0; h <= 11; ++h) {
        QString& slot = horas[static_cast<size_t>(h)];
        // A morning hour above 2000 visits is a device glitch, not a count.
        if (const std::optional<QString> campo = lerValorCampo(texto, marcadorHora(h)); campo)
            slot = strings::valorNumerico(*campo) > 2000 ? QStringLiteral("0") : *campo;
        slot = comoTexto(slot);
    }
}

void lerHorasTarde(const QString& texto, HorasDia& horas)
{
    for (int h = 12; h <= 23; ++h) {
        QString& slot = horas[static_cast<size_t>(h)];
        slot = campoComoTexto(texto, marcadorHoraDoisDigitos(h), slot);
    }
}

const HorasDia& horasHoje()
{
    return g_horasHoje;
}

double totalVisitasMes()
{
    return g_totalVisitasMes;
}

void redefinirEstado()
{
    g_horasHoje.fill(QString());
    g_totalVisitasMes = 0;
}

void definirPainelSimples(std::function<DestinoPainelSimples*()> acessar)
{
    g_painelSimples = std::move(acessar);
}
void definirPainelAvancado(std::function<DestinoPainelAvancado*()> acessar)
{
    g_painelAvancado = std::move(acessar);
}

void solicitarPagina(int n)
{
    banco::Ethernet e{g_ip[0], g_ip[1], g_ip[2], g_ip[3]};
    if (banco::lerEthernet(e)) {
        g_ip[0] = e.ip1;
        g_ip[1] = e.ip2;
        g_ip[2] = e.ip3;
        g_ip[3] = e.ip4;
    }
    ethernet::Conexao* conexao = ethernet::conexaoPrincipal();
    if (!conexao)
        return;
    conexao->definirSubPagina(QStringLiteral("/") + QString::number(n));
    QString caminho;
    conexao->conectarUrl(ethernet::montarUrl(g_ip[0], g_ip[1], g_ip[2], g_ip[3]), caminho);
}

void solicitarPagina1()
{
    solicitarPagina(1);
}
void solicitarPagina2()
{
    solicitarPagina(2);
}
void solicitarPagina3()
{
    solicitarPagina(3);
}
void solicitarPagina4()
{
    solicitarPagina(4);
}
void solicitarPagina5()
{
    solicitarPagina(5);
}
void solicitarPagina6()
{
    solicitarPagina(6);
}

void prepararGraficos()
{
    if (auto* p = painelAvancado()) {
        p->chartMes().setColumn(1);
        p->chartDia().setColumn(1);
    }
}

void lerContagemAtual(const QString& texto)
{
    // Each label is written from a fresh search; a marker missing from the reply leaves
    // its label as it was.
    const QString lotacao = marcadorHora(34);
    const QString total = marcadorHora(35);
    if (const auto v = lerValorCampo(texto, lotacao); v)
        if (auto* p = painelSimples())
            p->definirLotacao(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, total); v)
        if (auto* p = painelSimples())
            p->definirTotal(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, lotacao); v)
        if (auto* p = painelAvancado())
            p->definirLotacao(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, total); v)
        if (auto* p = painelAvancado())
            p->definirTotal(comoNumero(*v));
}

void carimbarLeituraAtual()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    p->definirAtualizadoAgora(datas::carimbo());
    p->definirAtualizadoHoje(datas::carimbo());
    p->definirAtualizadoMedia(datas::carimbo());
    p->exibirAtualizarAgora();
    p->normalizarTimerBaseTempo();
}

void carimbarHistoricoMes()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    p->definirMes(strings::textoNumero(g_totalVisitasMes));
    p->definirAtualizadoTotalMes(datas::carimbo());
    p->exibirAtualizarTotalMes();
}

void lerHorasManha(const QString& texto)
{
    if (auto* p = painelAvancado()) {
        p->definirAtualizadoAgora(atualizando);
        p->definirAtualizadoHoje(atualizando);
        p->definirAtualizadoMedia(atualizando);
    }
    lerHorasManha(texto, g_horasHoje);
}

void lerHorasTarde(const QString& texto)
{
    lerHorasTarde(texto, g_horasHoje);
}

void preencherGraficoDia()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    const int ini = p->inicioExpediente();
    const int fim = p->fimExpediente();
    DestinoGrafico& grafico = p->chartDia();
    grafico.setColumn(1);
    for (int k = 0; k <= fim - ini; ++k) {
        const int hora = ini + k;
        if (hora < 0 || hora >= static_cast<int>(g_horasHoje.size()))
            break;
        grafico.setRow(k + 1);
        grafico.setRowLabel(QString::number(hora));
        grafico.setData(g_horasHoje[static_cast<size_t>(hora)]);
    }
}

void tratarResposta()
{
    ethernet::Conexao* conexao = ethernet::conexaoPrincipal();
    if (!conexao)
        return;
    tratarResposta(conexao->log(), [conexao] { return conexao->subPaginaAtual(); });
}

void tratarResposta(const QString& texto, const std::function<QString()>& subPaginaAtual)
{
    if (!respostaValida(texto))
        return;
    prepararGraficos();
    // Independent tests, in this order; none of the handlers changes the page.
    if (subPaginaAtual() == QLatin1String("/6")) {
        lerContagemAtual(texto);
        carimbarLeituraAtual();
        preencherGraficoDia();
    }
    if (subPaginaAtual() == QLatin1String("/1"))
        carimbarHistoricoMes();
    if (subPaginaAtual() == QLatin1String("/2"))
        carimbarHistoricoMes();
    if (subPaginaAtual() == QLatin1String("/3"))
        carimbarHistoricoMes();
    if (subPaginaAtual() == QLatin1String("/4")) {
        lerHorasManha(texto);
        preencherGraficoDia();
    }
    if (subPaginaAtual() == QLatin1String("/5")) {
        lerHorasTarde(texto);
        preencherGraficoDia();
    }
}

} // namespace controle
