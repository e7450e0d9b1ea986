#include "encaixeTela.h"

#include <algorithm>

namespace encaixeTela {

namespace rsp = regrasPainelSimples;

namespace {

// The screen the classic layout was drawn for.
constexpr double larguraClassica = 1920;
constexpr double alturaClassica = 1080;

struct Faixa {
    double topo;
    double fim;
    double largura;
};

Faixa faixa(double topoRotulo, double fonte, const Tinta& t)
{
    return {topoRotulo + t.topo * fonte, topoRotulo + t.fim * fonte, t.largura * fonte};
}

QList<Faixa> faixas(const rsp::Disposicao& d, const Tintas& t)
{
    QList<Faixa> r;
    if (t.lotacaoVisivel) {
        r << faixa(d.legendaLotacaoTopo, d.legendaLotacaoFonte, t.legendaLotacao);
        r << faixa(d.lotacaoTopo, d.lotacaoFonte, t.lotacao);
    }
    if (t.totalVisivel) {
        r << faixa(d.legendaTotalTopo, d.legendaTotalFonte, t.legendaTotal);
        r << faixa(d.totalTopo, d.totalFonte, t.total);
    }
    return r;
}

bool semSobreposicao(const QList<Faixa>& f)
{
    for (qsizetype i = 0; i < f.size(); ++i)
        for (qsizetype j = i + 1; j < f.size(); ++j)
            if (f.at(i).topo < f.at(j).fim && f.at(j).topo < f.at(i).fim)
                return false;
    return true;
}

// Everything measured from the screen's top edge grows with the factor.
void escalar(rsp::Disposicao& d, double s)
{
    for (double* v : {&d.lotacaoFonte, &d.lotacaoTopo, &d.totalFonte, &d.totalTopo, &d.legendaLotacaoFonte,
                      &d.legendaLotacaoTopo, &d.legendaTotalFonte, &d.legendaTotalTopo})
        *v *= s;
}

// The largest factor up to `maximo` at which the (non-overlapping, on-screen-starting) parts
// fit the room.
double fatorQueCabe(const QList<Faixa>& f, const Espaco& e, double maximo)
{
    double s = maximo;
    for (const Faixa& x : f) {
        if (x.fim > 0)
            s = std::min(s, e.limite / x.fim);
        if (x.largura > 0)
            s = std::min(s, e.largura / x.largura);
    }
    // A little short of the edge: tops are whole pixels and fonts the sizes the engine has.
    return std::max(s < maximo ? s * 0.98 : s, 0.0);
}

} // namespace

bool cabe(const rsp::Disposicao& d, const Tintas& t, const Espaco& e)
{
    const QList<Faixa> f = faixas(d, t);
    for (const Faixa& x : f)
        if (x.topo < 0 || x.fim > e.limite || x.largura > e.largura)
            return false;
    return semSobreposicao(f);
}

void padroes(rsp::Disposicao& d, int larguraTela, int alturaTela, const Tintas& t, const Espaco& e)
{
    // The classic layout itself, then sized: its tops follow the width, its digits the height.
    rsp::Disposicao classica = d;
    rsp::redefinirPadroes(classica, static_cast<int>(larguraClassica), static_cast<int>(alturaClassica));
    const double s = std::min(larguraTela / larguraClassica, alturaTela / alturaClassica);
    escalar(classica, s);
    Tintas todas = t;
    todas.lotacaoVisivel = todas.totalVisivel = true;
    if (!cabe(classica, todas, e))
        escalar(classica, fatorQueCabe(faixas(classica, todas), e, 1.0));
    // The message: the classic rule for this screen.
    rsp::Disposicao mensagem = d;
    rsp::redefinirPadroes(mensagem, larguraTela, alturaTela);
    classica.txtInfoTopo = mensagem.txtInfoTopo;
    classica.txtInfoFonte = mensagem.txtInfoFonte;
    classica.lblInfoFonte = mensagem.lblInfoFonte;
    classica.lblInfoTopo = d.lblInfoTopo;
    d = classica;
}

bool encaixar(rsp::Disposicao& d, int larguraTela, int alturaTela, const Tintas& t, const Espaco& e)
{
    if (cabe(d, t, e))
        return false;
    const QList<Faixa> f = faixas(d, t);
    const bool comecaNaTela = std::all_of(f.begin(), f.end(), [](const Faixa& x) { return x.topo >= 0; });
    if (comecaNaTela && semSobreposicao(f)) {
        escalar(d, fatorQueCabe(f, e, 1.0));
        return true;
    }
    const rsp::Disposicao mensagem = d;
    padroes(d, larguraTela, alturaTela, t, e);
    // Only the numbers and legends were at fault; the message stays as the operator left it.
    d.txtInfoTopo = mensagem.txtInfoTopo;
    d.txtInfoFonte = mensagem.txtInfoFonte;
    d.lblInfoFonte = mensagem.lblInfoFonte;
    d.lblInfoTopo = mensagem.lblInfoTopo;
    return true;
}

} // namespace encaixeTela
