#include "navegadorHistorico.h"

#include "abertura.h"
#include "ajustesAvancado.h"
#include "banco.h"
#include "controlesPainel.h"
#include "costuras.h"
#include "datas.h"
#include "exportacao.h"
#include "grafico.h"
#include "historico.h"
#include "mensagens.h"
#include "planilha.h"
#include "temporizador.h"
#include "textos.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>

using namespace controlesPainel;

NavegadorHistorico::NavegadorHistorico(const Dependencias& dependencias, QWidget* parent)
    : QWidget(parent), m_dep(dependencias), m_exibicao(dependencias.segundosHistorico)
{
    setObjectName(QStringLiteral("navegadorHistorico"));
    criarControles();
}

QComboBox* NavegadorHistorico::seletor(const QString& nome, const QString& dica)
{
    auto* c = new QComboBox(this);
    c->setObjectName(nome);
    c->setToolTip(dica);
    // Editable only so that it can show a text that is not (yet) in its list, as the current
    // year before any month was recorded; every key press is thrown away.
    c->setEditable(true);
    c->lineEdit()->setReadOnly(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->installEventFilter(this);
    c->lineEdit()->installEventFilter(this);
    c->setMinimumContentsLength(4);
    return c;
}

bool NavegadorHistorico::eventFilter(QObject* objeto, QEvent* evento)
{
    // The wheel is refused like the keys: scrolling over the panel must not load history. The
    // keys that leave the selector (Tab, Shift+Tab) or the window (Escape) still work.
    const bool tecla = evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease;
    if (tecla) {
        const int k = static_cast<QKeyEvent*>(evento)->key();
        if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Escape)
            return QWidget::eventFilter(objeto, evento);
    }
    if (tecla || evento->type() == QEvent::InputMethod || evento->type() == QEvent::Wheel) {
        for (QComboBox* c : {m_cmbAno, m_cmbMes, m_cmbDia})
            if (c && (objeto == c || objeto == c->lineEdit()))
                return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void NavegadorHistorico::criarControles()
{
    m_timerExibirHistorico = new Temporizador(this);
    m_timerExibirHistorico->setObjectName(QStringLiteral("TimerExibirHistorico"));
    m_timerExibirHistorico->setInterval(1000);
    connect(m_timerExibirHistorico, &Temporizador::timeout, this, &NavegadorHistorico::tiqueExibirHistorico);

    auto* linhas = new QVBoxLayout(this);
    linhas->setContentsMargins(0, 0, 0, 0);
    auto* hist = new QHBoxLayout;
    linhas->addLayout(hist);
    m_segundaLinhaHistorico = new QHBoxLayout;
    linhas->addLayout(m_segundaLinhaHistorico);
    m_linhaHistorico = hist;

    hist->addWidget(rotulo(this, QStringLiteral("Label8"), QStringLiteral("Ver período:")));
    hist->addWidget(rotulo(this, QStringLiteral("Label7"), QStringLiteral("Ano")));
    m_cmbAno =
        seletor(QStringLiteral("cmb_ano"), QStringLiteral("Selecionar ano para visualizar o histórico"));
    hist->addWidget(m_cmbAno);
    hist->addWidget(rotulo(this, QStringLiteral("Label9"), QStringLiteral("Mês")));
    m_cmbMes = seletor(QStringLiteral("cmb_mes"), QStringLiteral("Ver Total de Visitas de outro mês"));
    hist->addWidget(m_cmbMes);
    auto* frame3 = new QFrame(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* f3 = new QHBoxLayout(frame3);
    f3->setContentsMargins(0, 0, 0, 0);
    f3->addWidget(rotulo(frame3, QStringLiteral("Label6"), QStringLiteral("Dia")));
    m_cmbDia = seletor(QStringLiteral("cmb_dia"),
                       QStringLiteral("Selecione o dia para visualizar o fluxo de vsiitas por hora"));
    m_cmbDia->setParent(frame3);
    f3->addWidget(m_cmbDia);
    hist->addWidget(frame3);
    connect(m_cmbAno, &QComboBox::textActivated, this, &NavegadorHistorico::escolherAno);
    connect(m_cmbMes, &QComboBox::textActivated, this, &NavegadorHistorico::escolherMes);
    connect(m_cmbDia, &QComboBox::textActivated, this, &NavegadorHistorico::escolherDia);

    m_figurasHistorico = new QWidget(this);
    m_figurasHistorico->setObjectName(QStringLiteral("figurasHistorico"));
    auto* hf = new QHBoxLayout(m_figurasHistorico);
    hf->setContentsMargins(0, 0, 0, 0);
    hist->addWidget(m_figurasHistorico);
    hf->addWidget(linha(this, 8, true));
    auto figura = [this](const QString& nome, const QString& dica) {
        QLabel* l = rotulo(this, nome, QStringLiteral("00000"), dica);
        l->setFont(fonte(11, true));
        l->setMinimumWidth(54);
        // Their room is kept while hidden: showing them must not push the row about.
        QSizePolicy politica = l->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        l->setSizePolicy(politica);
        l->hide();
        return l;
    };
    hf->addWidget(rotulo(this, QStringLiteral("lbl_legendaHistoricoTotalMes"), QStringLiteral("Total Mês")));
    m_lblHistoricoTotalMes =
        figura(QStringLiteral("lbl_HistoricoTotalMes"), QStringLiteral("Visitas no mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoTotalMes);
    hf->addWidget(rotulo(this, QStringLiteral("Label12"), QStringLiteral("Média / dia:")));
    m_lblHistoricoMediaMes = figura(QStringLiteral("lbl_HistoricoMediaMes"),
                                    QStringLiteral("Média de Visitas no mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoMediaMes);
    hf->addWidget(linha(this, 9, true));
    hf->addWidget(rotulo(this, QStringLiteral("lbl_LegendaHistoricoTotalDia"), QStringLiteral("Total Dia")));
    m_lblHistoricoTotalDia = figura(QStringLiteral("lbl_HistoricoTotalDia"),
                                    QStringLiteral("Total de Visitas no dia do mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoTotalDia);
    hf->addWidget(rotulo(this, QStringLiteral("Label13"), QStringLiteral("Média / hora")));
    m_lblHistoricoMediaDia = figura(QStringLiteral("lbl_HistoricoMediaDia"),
                                    QStringLiteral("Média de Visitas no dia do mês e ano selecionados"));
    hf->addWidget(m_lblHistoricoMediaDia);
    hf->addWidget(linha(this, 10, true));

    m_barTempoHistorico = new QProgressBar(this);
    m_barTempoHistorico->setObjectName(QStringLiteral("bar_tempoHistorico"));
    m_barTempoHistorico->setToolTip(QStringLiteral("Tempo restante de exibição do histórico"));
    m_barTempoHistorico->setTextVisible(false);
    m_barTempoHistorico->setFixedSize(80, 8);
    m_barTempoHistorico->setRange(0, historico::Exibicao::duracao);
    m_barTempoHistorico->setValue(0);
    hist->addWidget(m_barTempoHistorico);
    m_lblRelatorio = rotulo(this, QStringLiteral("lbl_relatorio"), QStringLiteral("."));
    m_lblRelatorio->setMinimumWidth(110);
    QSizePolicy politicaRelatorio = m_lblRelatorio->sizePolicy();
    politicaRelatorio.setRetainSizeWhenHidden(true);
    m_lblRelatorio->setSizePolicy(politicaRelatorio);
    m_lblRelatorio->hide(); // shown with the history figures
    hist->addWidget(m_lblRelatorio);
    hist->addStretch();
    m_lblExcluir = new RotuloClicavel(QStringLiteral("X"), this);
    m_lblExcluir->setObjectName(QStringLiteral("lbl_excluir"));
    m_lblExcluir->setToolTip(QStringLiteral("Excluir Histórico Selecionado"));
    m_lblExcluir->setFont(fonte(11, true));
    m_lblExcluir->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_lblExcluir->setCursor(Qt::PointingHandCursor);
    hist->addWidget(m_lblExcluir);
    connect(m_lblExcluir, &RotuloClicavel::clicado, this, &NavegadorHistorico::excluirHistorico);
}

void NavegadorHistorico::dispor(int largura)
{
    m_linhaHistorico->removeWidget(m_figurasHistorico);
    m_segundaLinhaHistorico->removeWidget(m_figurasHistorico);
    const int umaLinha = m_linhaHistorico->sizeHint().width() + m_figurasHistorico->sizeHint().width() +
                         m_linhaHistorico->spacing();
    if (umaLinha <= largura)
        m_linhaHistorico->insertWidget(m_linhaHistorico->indexOf(m_barTempoHistorico), m_figurasHistorico);
    else
        m_segundaLinhaHistorico->addWidget(m_figurasHistorico, 0, Qt::AlignLeft);
}

void NavegadorHistorico::renderizar()
{
    const historico::Exibicao& e = m_exibicao;
    m_lblHistoricoTotalMes->setVisible(e.mesHistorico());
    m_lblHistoricoMediaMes->setVisible(e.mesHistorico());
    m_lblHistoricoTotalDia->setVisible(e.diaHistorico());
    m_lblHistoricoMediaDia->setVisible(e.diaHistorico());
    m_dep.chartMes.setColumnCount(e.mesHistorico() ? 2 : 1);
    m_dep.chartDia.setColumnCount(e.diaHistorico() ? 2 : 1);
    for (QAction* a : {m_dep.menuExportarMensal, m_dep.menuExportarMensalXlsx})
        a->setEnabled(e.exportacaoHabilitada());
    // Only a change restyles the indicator: this runs on every tick of the countdown.
    if (e.relatorio() != m_relatorioMostrado) {
        m_relatorioMostrado = e.relatorio();
        const bool disponivel = e.relatorio() == historico::Exibicao::Relatorio::Disponivel;
        m_lblRelatorio->setStyleSheet(disponivel ? QStringLiteral("color: rgb(192, 0, 192);")
                                                 : QStringLiteral("color: rgb(255, 0, 0);"));
        m_lblRelatorio->setText(disponivel ? QStringLiteral("Excel Disponível")
                                           : QStringLiteral("Sem Registros"));
        m_lblRelatorio->setVisible(e.relatorio() != historico::Exibicao::Relatorio::Oculto);
    }
    if (!e.contando())
        m_timerExibirHistorico->stop();
    else if (!m_timerExibirHistorico->isActive())
        m_timerExibirHistorico->start();
    m_barTempoHistorico->setValue(e.segundosRestantes());
}

void NavegadorHistorico::buscaAnoMesDisponiveisBancoDeDados()
{
    m_cmbMes->clear();
    m_cmbAno->clear();
    m_cmbMes->addItems(historico::mesesDoAno());
    if (const std::optional<QStringList> anos = m_dep.banco.listarAnos())
        m_cmbAno->addItems(*anos);
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
    mostrarNoSeletor(m_cmbAno, datas::anoHoje());
}

void NavegadorHistorico::buscaDiasBancoDeDados()
{
    m_cmbMes->clear();
    m_cmbDia->clear();
    m_cmbMes->addItems(historico::mesesDoAno());
    m_cmbDia->addItems(historico::diasDoMes());
    mostrarNoSeletor(m_cmbDia, datas::diaHoje());
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
}

void NavegadorHistorico::acompanharHoje(bool relistar)
{
    // A period on display keeps its selection; its end brings today back.
    if (m_exibicao.contando())
        return;
    if (relistar) {
        buscaAnoMesDisponiveisBancoDeDados();
        buscaDiasBancoDeDados();
        return;
    }
    if (m_cmbDia->currentText() != datas::diaHoje())
        mostrarNoSeletor(m_cmbDia, datas::diaHoje());
    if (m_cmbMes->currentText() != datas::mesHoje())
        mostrarNoSeletor(m_cmbMes, datas::mesHoje());
    if (m_cmbAno->currentText() != datas::anoHoje())
        mostrarNoSeletor(m_cmbAno, datas::anoHoje());
}

void NavegadorHistorico::carregarHistoricoMes()
{
    m_exibicao.exibirMesHistorico();
    const int m = static_cast<int>(strings::valorNumerico(m_cmbMes->currentText()));
    QString dadosMes;
    if (m >= 1 && m <= 12)
        dadosMes = m_dep.banco.lerMes(m_cmbAno->currentText(), m).value_or(QString());
    const historico::Figuras f = historico::preencherMes(dadosMes, m_dep.chartMes);
    m_lblHistoricoTotalMes->setText(QString::number(f.total));
    m_lblHistoricoMediaMes->setText(QString::number(f.media));
    m_exibicao.mesCarregado(f.total);
    renderizar();
}

void NavegadorHistorico::carregarHistoricoDia()
{
    const int s = m_dep.ajustes.inicioExpediente();
    m_exibicao.exibirDiaHistorico();
    const int d = static_cast<int>(strings::valorNumerico(m_cmbDia->currentText()));
    QString dadosDia;
    if (d >= 1 && d <= 31)
        dadosDia =
            m_dep.banco.lerDia(m_cmbAno->currentText(), m_cmbMes->currentText(), d).value_or(QString());
    const historico::Figuras f = historico::preencherDia(dadosDia, s, m_dep.chartDia);
    m_lblHistoricoTotalDia->setText(QString::number(f.total));
    m_lblHistoricoMediaDia->setText(QString::number(f.media));
    m_exibicao.diaCarregado();
    renderizar();
}

void NavegadorHistorico::tiqueExibirHistorico()
{
    if (m_exibicao.tique()) {
        mostrarNoSeletor(m_cmbMes, datas::mesHoje());
        mostrarNoSeletor(m_cmbAno, datas::anoHoje());
        mostrarNoSeletor(m_cmbDia, datas::diaHoje());
    }
    renderizar();
}

void NavegadorHistorico::escolherAno()
{
    carregarHistoricoMes();
}

void NavegadorHistorico::escolherMes()
{
    carregarHistoricoMes();
    carregarHistoricoDia();
}

void NavegadorHistorico::escolherDia()
{
    carregarHistoricoDia();
    carregarHistoricoMes();
}

void NavegadorHistorico::exibirMesAtual()
{
    m_exibicao.exibirMesAtual();
    mostrarNoSeletor(m_cmbMes, datas::mesHoje());
    mostrarNoSeletor(m_cmbAno, datas::anoHoje());
    renderizar();
}

void NavegadorHistorico::exibirDiaAtual()
{
    m_exibicao.exibirDiaAtual();
    mostrarNoSeletor(m_cmbDia, datas::diaHoje());
    renderizar();
}

void NavegadorHistorico::exportarMensal()
{
    // The menu item may be triggered while disabled only by a shortcut or a test; refuse.
    if (!m_exibicao.exportacaoHabilitada())
        return;
    const QString ano = m_cmbAno->currentText();
    const QString mes = m_cmbMes->currentText();
    const QString caminho = QDir(costuras::pastaAplicacao()).filePath(planilha::nomeArquivo(ano, mes));
    planilha::exportar(caminho, planilha::linhasMes(mes, ano, historico::pontosHistorico(m_dep.chartMes)));
}

void NavegadorHistorico::exportarMensalXlsx()
{
    if (!m_exibicao.exportacaoHabilitada())
        return;
    const QString ano = m_cmbAno->currentText();
    const QString mes = m_cmbMes->currentText();
    const QString caminho = QDir(costuras::pastaAplicacao()).filePath(exportacao::nomeArquivoMes(ano, mes));
    const auto dias = historico::pontosHistorico(m_dep.chartMes);
    planilha::concluir(caminho, exportacao::gravarMesXlsx(caminho, mes, ano, dias));
}

void NavegadorHistorico::excluirHistorico()
{
    const QString mes = m_cmbMes->currentText();
    const QString ano = m_cmbAno->currentText();
    mensagens::Pedido p;
    p.texto = QStringLiteral("Deseja excluir o histórico de visitas mês ") + mes + u'/' + ano +
              QStringLiteral(" ?");
    p.titulo = QStringLiteral("Confirmação de Exclusão");
    p.botoes = mensagens::Botoes::SimNao;
    p.icone = mensagens::Icone::Nenhum;
    p.padraoNao = true;
    if (mensagens::mostrar(p) != mensagens::Resposta::Sim)
        return;
    m_dep.banco.novaAcaoDoOperador(); // asked for by the operator: a lasting failure is told again
    m_dep.banco.excluirMes(ano, static_cast<int>(strings::valorNumerico(mes)));
    carregarHistoricoMes();
}
