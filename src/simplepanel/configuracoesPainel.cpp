#include "configuracoesPainel.h"

#include "banco.h"
#include "datas.h"
#include "quadroOpcoes.h"

#include <QCheckBox>
#include <QLineEdit>

namespace rsp = regrasPainelSimples;

ConfiguracoesPainel::ConfiguracoesPainel(banco::Banco& banco, rsp::Disposicao& d, QuadroOpcoes& opcoes,
                                         QLineEdit& txtInfoEmpresa)
    : m_banco(banco), m_d(d), m_opcoes(opcoes), m_txtInfoEmpresa(txtInfoEmpresa)
{
}

void ConfiguracoesPainel::ler(int larguraTela, int alturaTela)
{
    banco::PainelSimples v;
    if (!m_banco.lerPainelSimples(v)) {
        // The failure has been reported. The panel still shows the counts, laid out as
        // "Padrões" would, and will not write these stand-ins over the stored row.
        m_lidas = false;
        rsp::redefinirPadroes(m_d, larguraTela, alturaTela);
        m_txtInfoEmpresa.setText(QString());
        m_opcoes.definirTempoAtualizacao(QStringLiteral("60s"));
        return;
    }
    m_lidas = true;
    m_d.lotacaoFonte = v.lotacaoFonte;
    m_d.lotacaoTopo = v.lotacaoPosicao;
    m_d.totalFonte = v.totalFonte;
    m_d.totalTopo = v.totalPosicao;
    m_d.legendaTotalFonte = v.legendaFonteTotal;
    m_d.legendaLotacaoFonte = v.legendaFonte;
    m_opcoes.chkTotal()->setChecked(v.chktotal == 1);
    m_opcoes.chkLotacao()->setChecked(v.chklotacao == 1);
    m_d.txtInfoFonte = v.infoEmpresaFonte;
    m_d.lblInfoFonte = v.infoEmpresaFonte;
    m_txtInfoEmpresa.setText(v.infoEmpresa);
    m_d.legendaLotacaoTopo = v.legendaPosicao;
    m_d.legendaTotalTopo = v.legendaTotalPosicao;
    // Damaged values become their defaults here, so the next save stores the row whole.
    m_d = rsp::disposicaoValida(m_d, larguraTela, alturaTela);
    m_opcoes.definirTempoAtualizacao(rsp::legendaIntervaloValida(v.tempoAtualizacao));
}

void ConfiguracoesPainel::salvar()
{
    // Stand-ins for a row never read are not stored, unless the operator changed them: what
    // is on screen then is the operator's choice.
    if (!m_lidas && !m_alteradas)
        return;
    banco::PainelSimples v;
    v.lotacaoFonte = m_d.lotacaoFonte;
    v.lotacaoPosicao = m_d.lotacaoTopo;
    v.totalFonte = m_d.totalFonte;
    v.totalPosicao = m_d.totalTopo;
    v.chktotal = m_opcoes.chkTotal()->isChecked() ? 1 : 0;
    v.chklotacao = m_opcoes.chkLotacao()->isChecked() ? 1 : 0;
    v.tempoAtualizacao = m_opcoes.tempoAtualizacao();
    v.legendaFonteTotal = m_d.legendaTotalFonte;
    v.legendaFonte = m_d.legendaLotacaoFonte;
    v.legendaPosicao = m_d.legendaLotacaoTopo;
    v.legendaTotalPosicao = m_d.legendaTotalTopo;
    v.infoEmpresaFonte = m_d.txtInfoFonte;
    v.infoEmpresa = rsp::textoMensagem(m_txtInfoEmpresa.text());
    m_banco.salvarPainelSimples(v, datas::hoje());
}
