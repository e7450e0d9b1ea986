#include "regrasPainelSimples.h"

#include "textos.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace regrasPainelSimples {

Geometria calcularGeometria(int larguraTela, int alturaTela)
{
    const double w = larguraTela;
    const double h = alturaTela;
    Geometria g;
    g.larguraNumeros = w;
    g.txtInfoEmpresa = QRectF(w - w * 0.9, h - h * 0.05, w * 0.8, 81);
    g.lblInfoEmpresa = QRectF(w - w * 0.99, h - h * 0.05, w * 0.98, 49);
    g.frmDesconectado = QRectF(w * 0.7, h - h * 0.004, w, 17);
    g.lblLegendaDesconectado = QRectF(16, h - h * 0.04, w - w * 0.03, 41);
    g.frmBarra = QRectF(16, h - h * 0.002, 177, 25);
    g.txtOcultarMouse = QRectF(8, h - h * 0.002, 17, 19);
    return g;
}

namespace {

// The shortest interval the panel itself offers ("10s").
constexpr double menorIntervalo = 10;
// 59 s is the last caption a click raises (to 69 s); the next click gives "10s".
constexpr double maiorIntervalo = 69;
// What the size buttons reach: the bound plus one step past it.
constexpr double fonteNumeroMinima = 60 - 40, fonteNumeroMaxima = 680 + 40;
constexpr double fonteLegendaMinima = 20 - 4, fonteLegendaMaxima = 130 + 4;
constexpr double fonteMensagemMinima = 10 - 2, fonteMensagemMaxima = 24 + 2;
// The position buttons stop once past -100 and 1000; the size buttons and the legends above
// their numbers take a top at most about 150 pixels further.
constexpr double topoMinimo = -250, topoMaximo = 1150;

// Font of a number: the top moves against the growth so the digits stay roughly in place.
bool fonteNumero(double& fonte, double& topo, bool aumentar)
{
    if (aumentar ? !(fonte < 680) : !(fonte > 60))
        return false;
    fonte += aumentar ? 40 : -40;
    topo += (aumentar ? -0.02 : 0.02) * fonte;
    return true;
}

// A legend's font pushes its number down when it grows (the legend itself stays).
bool fonteLegenda(double& fonte, double& topoNumero, bool aumentar)
{
    if (aumentar ? !(fonte < 130) : !(fonte > 20))
        return false;
    fonte += aumentar ? 4 : -4;
    topoNumero += (aumentar ? 0.08 : -0.08) * fonte;
    return true;
}

bool fonteMensagem(Disposicao& d, bool aumentar)
{
    if (aumentar ? !(d.txtInfoFonte < 24) : !(d.txtInfoFonte > 10))
        return false;
    d.txtInfoFonte += aumentar ? 2 : -2;
    d.txtInfoTopo += (aumentar ? -0.2 : 0.2) * d.txtInfoFonte;
    d.lblInfoFonte = d.txtInfoFonte;
    d.lblInfoTopo = d.txtInfoTopo;
    return true;
}

// A number and its legend move together.
bool posicao(double& topo, double& topoLegenda, bool baixar)
{
    if (baixar ? !(topo < 1000) : !(topo > -100))
        return false;
    const double passo = baixar ? 20 : -20;
    topo += passo;
    topoLegenda += passo;
    return true;
}

} // namespace

bool aplicarAjuste(Ajuste ajuste, Disposicao& d)
{
    switch (ajuste) {
    case Ajuste::AumentarFonteLotacao:
        return fonteNumero(d.lotacaoFonte, d.lotacaoTopo, true);
    case Ajuste::DiminuirFonteLotacao:
        return fonteNumero(d.lotacaoFonte, d.lotacaoTopo, false);
    case Ajuste::AumentarFonteTotal:
        return fonteNumero(d.totalFonte, d.totalTopo, true);
    case Ajuste::DiminuirFonteTotal:
        return fonteNumero(d.totalFonte, d.totalTopo, false);
    case Ajuste::AumentarLegendaFonteLotacao:
        return fonteLegenda(d.legendaLotacaoFonte, d.lotacaoTopo, true);
    case Ajuste::DiminuirLegendaFonteLotacao:
        return fonteLegenda(d.legendaLotacaoFonte, d.lotacaoTopo, false);
    case Ajuste::AumentarLegendaFonteTotal:
        return fonteLegenda(d.legendaTotalFonte, d.totalTopo, true);
    case Ajuste::DiminuirLegendaFonteTotal:
        return fonteLegenda(d.legendaTotalFonte, d.totalTopo, false);
    case Ajuste::AumentarFonteinfoEmpresa:
        return fonteMensagem(d, true);
    case Ajuste::DiminuirFonteinfoEmpresa:
        return fonteMensagem(d, false);
    case Ajuste::PosicaoLotacao:
        return posicao(d.lotacaoTopo, d.legendaLotacaoTopo, true);
    case Ajuste::PosicaomenosLotacao:
        return posicao(d.lotacaoTopo, d.legendaLotacaoTopo, false);
    case Ajuste::PosicaoTotal:
        return posicao(d.totalTopo, d.legendaTotalTopo, true);
    case Ajuste::PosicaomenosTotal:
        return posicao(d.totalTopo, d.legendaTotalTopo, false);
    }
    return false;
}

void posicionarLegendas(Disposicao& d)
{
    d.legendaLotacaoTopo = d.lotacaoTopo - 0.12 * d.lotacaoFonte;
    d.legendaTotalTopo = d.totalTopo - 0.12 * d.totalFonte;
    d.txtInfoTopo = d.txtInfoTopo - 0.05 * d.txtInfoFonte;
    d.lblInfoFonte = d.txtInfoFonte;
}

void redefinirPadroes(Disposicao& d, int larguraTela, int alturaTela)
{
    const double w = larguraTela;
    const double h = alturaTela;
    d.lotacaoFonte = 200;
    d.totalFonte = 200;
    // Both tops follow the screen's width, as the panel has always placed them.
    d.lotacaoTopo = w / 60;
    d.totalTopo = w / 5;
    d.legendaTotalFonte = 30;
    d.legendaLotacaoFonte = 30;
    d.txtInfoTopo = h - h * 0.05;
    d.txtInfoFonte = 18;
    posicionarLegendas(d);
}

Disposicao disposicaoValida(const Disposicao& lida, int larguraTela, int alturaTela)
{
    Disposicao padrao = lida;
    redefinirPadroes(padrao, larguraTela, alturaTela);
    Disposicao d = lida;
    auto ajustar = [](double& valor, double minimo, double maximo, double seInvalido) {
        if (!(valor >= minimo && valor <= maximo))
            valor = seInvalido;
    };
    ajustar(d.lotacaoFonte, fonteNumeroMinima, fonteNumeroMaxima, padrao.lotacaoFonte);
    ajustar(d.totalFonte, fonteNumeroMinima, fonteNumeroMaxima, padrao.totalFonte);
    ajustar(d.legendaLotacaoFonte, fonteLegendaMinima, fonteLegendaMaxima, padrao.legendaLotacaoFonte);
    ajustar(d.legendaTotalFonte, fonteLegendaMinima, fonteLegendaMaxima, padrao.legendaTotalFonte);
    ajustar(d.txtInfoFonte, fonteMensagemMinima, fonteMensagemMaxima, padrao.txtInfoFonte);
    ajustar(d.lblInfoFonte, fonteMensagemMinima, fonteMensagemMaxima, padrao.lblInfoFonte);
    ajustar(d.lotacaoTopo, topoMinimo, topoMaximo, padrao.lotacaoTopo);
    ajustar(d.totalTopo, topoMinimo, topoMaximo, padrao.totalTopo);
    ajustar(d.legendaLotacaoTopo, topoMinimo, topoMaximo, padrao.legendaLotacaoTopo);
    ajustar(d.legendaTotalTopo, topoMinimo, topoMaximo, padrao.legendaTotalTopo);
    return d;
}

QString textoTamanhoFonte(double fonte)
{
    return QString::number(static_cast<long long>(std::floor(fonte / 10)));
}

double numeroIntervalo(const QString& legenda)
{
    return strings::valorNumerico(legenda);
}

QString legendaIntervaloValida(const QString& legenda)
{
    const double n = numeroIntervalo(legenda);
    if (!(n >= menorIntervalo && n <= maiorIntervalo))
        return QStringLiteral("60s");
    return strings::textoNumero(n) + u's';
}

int intervaloTimerMs(const QString& legenda)
{
    const double ms = std::round(numeroIntervalo(legenda) * 100);
    if (!(ms >= 1))
        return 1;
    if (ms > INT_MAX)
        return INT_MAX;
    return static_cast<int>(ms);
}

QString proximoIntervalo(const QString& legenda)
{
    const double n = numeroIntervalo(legenda);
    if (n >= 60)
        return QStringLiteral("10s");
    return strings::textoNumero(n + 10) + u's';
}

Tique tique(double n, int& contador)
{
    Tique t;
    const int maximo = n > 0 ? (n < INT_MAX ? static_cast<int>(n) : INT_MAX) : 0;
    t.valorBarra = contador < 0 ? 0 : (contador > maximo ? maximo : contador);
    if (contador >= n) {
        contador = 0;
        t.solicitar = true;
    } else {
        ++contador;
    }
    return t;
}

int escolherTela(const QList<Tela>& telas, const QRect& janelaPrincipal, const QString& escolhida)
{
    if (telas.isEmpty())
        return -1;
    if (const int i = indiceTela(telas, escolhida); i >= 0)
        return i;
    if (telas.size() == 1)
        return 0;
    // The main window's screen: the one holding its centre, else the one it overlaps most,
    // else the first (the primary screen comes first).
    int principal = 0;
    long long maiorArea = 0;
    for (qsizetype i = 0; i < telas.size(); ++i) {
        const QRect& g = telas.at(i).geometria;
        if (janelaPrincipal.isValid() && g.contains(janelaPrincipal.center())) {
            principal = static_cast<int>(i);
            break;
        }
        const QRect comum = g.intersected(janelaPrincipal);
        const long long area = comum.isEmpty() ? 0 : 1LL * comum.width() * comum.height();
        if (area > maiorArea) {
            maiorArea = area;
            principal = static_cast<int>(i);
        }
    }
    int escolha = -1;
    long long maior = -1;
    for (qsizetype i = 0; i < telas.size(); ++i) {
        if (i == principal)
            continue;
        const QRect& g = telas.at(i).geometria;
        const long long area = 1LL * g.width() * g.height();
        if (area > maior) {
            maior = area;
            escolha = static_cast<int>(i);
        }
    }
    return escolha;
}

QString chaveTela(const QList<Tela>& telas, int i)
{
    const Tela& t = telas.at(i);
    const QRect& g = t.geometria;
    const QString chave = t.nome + u'@' + QString::number(g.x()) + u',' + QString::number(g.y()) + u' ' +
                          QString::number(g.width()) + u'x' + QString::number(g.height());
    int iguais = 0;
    for (int j = 0; j < i; ++j)
        if (telas.at(j).nome == t.nome && telas.at(j).geometria == g)
            ++iguais;
    return iguais == 0 ? chave : chave + u'#' + QString::number(iguais + 1);
}

int indiceTela(const QList<Tela>& telas, const QString& escolhida)
{
    if (escolhida.isEmpty())
        return -1;
    for (qsizetype i = 0; i < telas.size(); ++i)
        if (chaveTela(telas, static_cast<int>(i)) == escolhida)
            return static_cast<int>(i);
    for (qsizetype i = 0; i < telas.size(); ++i)
        if (telas.at(i).nome == escolhida)
            return static_cast<int>(i);
    return -1;
}

QString proximaTela(const QList<Tela>& telas, const QString& escolhida)
{
    if (telas.isEmpty())
        return QString();
    const int i = escolhida.isEmpty() ? -1 : indiceTela(telas, escolhida);
    if (i < 0)
        return chaveTela(telas, 0);
    return i + 1 < telas.size() ? chaveTela(telas, i + 1) : QString();
}

DisposicaoOpcoes disporOpcoes(const QList<BlocoOpcoes>& blocos, int alturaDisponivel)
{
    // The original column: 32 pixels above the first control, 24 below the last.
    constexpr int topoColuna = 32;
    constexpr int margemInferior = 24;
    DisposicaoOpcoes d;
    int coluna = 0;
    int fimColuna = -1; // bottom of the last block placed in this column; -1 when empty
    int fimOriginal = 0;
    int fundo = 0;
    for (const BlocoOpcoes& b : blocos) {
        const int altura = b.fim - b.topo;
        int topo = fimColuna < 0 ? b.topo : fimColuna + (b.topo - fimOriginal);
        if (fimColuna >= 0 && (b.novaColuna || topo + altura + margemInferior > alturaDisponivel)) {
            ++coluna;
            topo = topoColuna;
        }
        d.deslocamentos.append(QPoint(coluna * larguraColunaOpcoes, topo - b.topo));
        fimColuna = topo + altura;
        fimOriginal = b.fim;
        fundo = std::max(fundo, fimColuna);
    }
    d.tamanho = QSize((coluna + 1) * larguraColunaOpcoes, fundo + margemInferior);
    return d;
}

QString textoMensagem(const QString& editor)
{
    qsizetype inicio = 0;
    qsizetype fim = editor.size();
    while (inicio < fim && editor.at(inicio) == u' ')
        ++inicio;
    while (fim > inicio && editor.at(fim - 1) == u' ')
        --fim;
    return editor.mid(inicio, fim - inicio);
}

} // namespace regrasPainelSimples
