#include "controle.h"

#include "banco.h"
#include "ethernet.h"
#include "textos.h"

namespace controle {

namespace {

std::function<DestinoPainelSimples*()> g_painelSimples;
std::function<DestinoPainelAvancado*()> g_painelAvancado;
// The stored address, read afresh for every request; kept when the read fails.
QString g_ip[4];

DestinoPainelSimples* painelSimples()
{
    return g_painelSimples ? g_painelSimples() : nullptr;
}
DestinoPainelAvancado* painelAvancado()
{
    return g_painelAvancado ? g_painelAvancado() : nullptr;
}

void lerContagemAtual(const QString& texto)
{
    // A marker missing from the reply leaves its label as it was.
    const QString lotacao = QStringLiteral("\"h\":34,");
    const QString total = QStringLiteral("\"h\":35,");
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
    ethernet::Conexao* conexao = ethernet::conexaoPrincipal();
    banco::Ethernet e{g_ip[0], g_ip[1], g_ip[2], g_ip[3]};
    if (banco::lerEthernet(e)) {
        g_ip[0] = e.ip1;
        g_ip[1] = e.ip2;
        g_ip[2] = e.ip3;
        g_ip[3] = e.ip4;
    }
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

void tratarResposta()
{
    ethernet::Conexao* conexao = ethernet::conexaoPrincipal();
    if (!conexao)
        return;
    const QString texto = conexao->log();
    if (!respostaValida(texto))
        return;
    if (conexao->subPaginaAtual() == QLatin1String("/6"))
        lerContagemAtual(texto);
}

} // namespace controle
