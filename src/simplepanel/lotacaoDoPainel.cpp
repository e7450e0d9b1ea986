#include "lotacaoDoPainel.h"

#include "coresLotacao.h"
#include "datas.h"
#include "painelSimplesInterno.h"
#include "quadroOpcoes.h"
#include "regrasPainelSimples.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace rl = regrasLotacao;

namespace {

void pintarTexto(QWidget* w, const QColor& cor)
{
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == cor)
        return;
    p.setColor(QPalette::WindowText, cor);
    w->setPalette(p);
}

} // namespace

LotacaoDoPainel::LotacaoDoPainel(banco::Banco& banco, QuadroOpcoes& quadro, QLineEdit& txtInfoLotado,
                                 QObject* pai)
    : QObject(pai), m_banco(banco), m_quadro(quadro), m_txtInfoLotado(txtInfoLotado)
{
    connect(&m_txtInfoLotado, &QLineEdit::textEdited, this, [this](const QString& texto) {
        m_lotacao.mensagemLotado = regrasPainelSimples::textoMensagem(texto);
        alterar();
    });
    connect(m_quadro.txtLotacaoMaxima(), &QSpinBox::valueChanged, this, [this](int v) {
        m_lotacao.maxima = v;
        alterar();
    });
    connect(m_quadro.txtLotacaoAviso(), &QSpinBox::valueChanged, this, [this](int v) {
        m_lotacao.aviso = v;
        alterar();
    });
}

void LotacaoDoPainel::alterar()
{
    m_alterada = true;
    Q_EMIT alterou();
}

void LotacaoDoPainel::ler(bool relatarFalha)
{
    banco::Lotacao v;
    if (m_banco.lerLotacao(v, relatarFalha)) {
        m_lotacao = v;
        m_alterada = false;
    }
    const QSignalBlocker b1(m_quadro.txtLotacaoMaxima());
    const QSignalBlocker b2(m_quadro.txtLotacaoAviso());
    m_quadro.txtLotacaoMaxima()->setValue(m_lotacao.maxima);
    m_quadro.txtLotacaoAviso()->setValue(m_lotacao.aviso);
    m_txtInfoLotado.setText(m_lotacao.mensagemLotado);
}

void LotacaoDoPainel::salvar()
{
    // An unchanged row needs no write; one never read is written only once the operator
    // changed it here.
    if (!m_alterada)
        return;
    if (m_banco.salvarLotacao(m_lotacao, datas::hoje()))
        m_alterada = false;
}

void LotacaoDoPainel::escolherTela(const QString& tela)
{
    m_lotacao.tela = tela;
    m_alterada = true;
}

rl::Estado LotacaoDoPainel::estado(const QString& lotacao) const
{
    return rl::estado(lotacao, m_lotacao.maxima, m_lotacao.aviso);
}

void LotacaoDoPainel::pintar(QLabel* lotacao, QLabel* legenda) const
{
    const rl::Estado e = estado(lotacao->text());
    pintarTexto(lotacao, rl::cor(e, painelSimplesInterno::corHighlightText));
    pintarTexto(legenda, rl::cor(e, painelSimplesInterno::corLegendaLotacao));
}

QString LotacaoDoPainel::mensagem(const QString& lotacao, const QString& mensagemEmpresa) const
{
    return rl::mensagem(estado(lotacao), mensagemEmpresa, m_lotacao.mensagemLotado);
}
