#include "janelaRelatorios.h"

#include "abertura.h"
#include "banco.h"
#include "costuras.h"
#include "datas.h"
#include "exportacao.h"
#include "mensagens.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const char* const siglasMeses[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                   "jul", "ago", "set", "out", "nov", "dez"};

// Brazilian numbers throughout: "12.245" visits, a mean of "1,5".
QLocale brasil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

QString numero(long long v)
{
    return brasil().toString(v);
}

QTableWidgetItem* celula(const QString& texto, Qt::Alignment alinhamento = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(texto);
    item->setTextAlignment(alinhamento);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// A mean under ten keeps its decimal (2.5 visits an hour is not 3); no visits is a plain 0.
QString textoMedia(double v)
{
    return v == 0 ? QStringLiteral("0") : brasil().toString(v, 'f', v < 10 ? 1 : 0);
}

// Few visits pale, many visits deep: one hue from near white to a strong orange-red, so the
// peaks stand out in colour and in print.
QColor corDoNivel(double valor, double maximo)
{
    const double t = maximo > 0 ? std::clamp(valor / maximo, 0.0, 1.0) : 0.0;
    const QColor poucos(255, 250, 235);
    const QColor muitos(200, 45, 20);
    auto mistura = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mistura(poucos.red(), muitos.red()), mistura(poucos.green(), muitos.green()),
                  mistura(poucos.blue(), muitos.blue()));
}

} // namespace

JanelaRelatorios::JanelaRelatorios(banco::Banco& banco, QWidget* parent) : QDialog(parent), m_banco(banco)
{
    setObjectName(QStringLiteral("relatorios"));
    setWindowTitle(QStringLiteral("Relatórios"));
    setAttribute(Qt::WA_DeleteOnClose);
    // As large as the figures need, but never past a small or scaled screen.
    QSize tamanho(1040, 640);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        tamanho = tamanho.boundedTo(tela->availableGeometry().size() - QSize(24, 48));
    resize(tamanho);
    auto* raiz = new QVBoxLayout(this);
    auto* abas = new QTabWidget(this);
    abas->setObjectName(QStringLiteral("tab_relatorios"));
    abas->addTab(criarAbaAno(), QStringLiteral("Ano em resumo"));
    abas->addTab(criarAbaHorarios(), QStringLiteral("Horários de movimento"));
    abas->addTab(criarAbaPeriodo(), QStringLiteral("Exportar período"));
    raiz->addWidget(abas);
}

QWidget* JanelaRelatorios::criarAbaAno()
{
    auto* aba = new QWidget(this);
    auto* layout = new QVBoxLayout(aba);
    auto* topo = new QHBoxLayout;
    topo->addWidget(new QLabel(QStringLiteral("Ano:"), aba));
    m_cmbAno = new QComboBox(aba);
    m_cmbAno->setObjectName(QStringLiteral("cmb_anoRelatorio"));
    m_cmbAno->setToolTip(QStringLiteral("Ano comparado com o anterior"));
    topo->addWidget(m_cmbAno);
    topo->addStretch();
    layout->addLayout(topo);

    m_graficoAno = new QChart;
    m_graficoAno->setAnimationOptions(QChart::NoAnimation);
    m_graficoAno->legend()->setAlignment(Qt::AlignBottom);
    m_graficoAno->setLocalizeNumbers(true);
    m_graficoAno->setLocale(brasil());
    m_seriesAno = new QBarSeries(m_graficoAno);
    m_graficoAno->addSeries(m_seriesAno);
    m_eixoMeses = new QBarCategoryAxis(m_graficoAno);
    for (const char* m : siglasMeses)
        m_eixoMeses->append(QString::fromLatin1(m));
    m_eixoVisitas = new QValueAxis(m_graficoAno);
    m_eixoVisitas->setLabelFormat(QStringLiteral("%.0f"));
    m_graficoAno->addAxis(m_eixoMeses, Qt::AlignBottom);
    m_graficoAno->addAxis(m_eixoVisitas, Qt::AlignLeft);
    m_seriesAno->attachAxis(m_eixoMeses);
    m_seriesAno->attachAxis(m_eixoVisitas);
    auto* vista = new QChartView(m_graficoAno, aba);
    vista->setObjectName(QStringLiteral("chartAno"));
    vista->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(vista, 1);

    m_tabelaAno = new QTableWidget(2, 13, aba);
    m_tabelaAno->setObjectName(QStringLiteral("tbl_ano"));
    QStringList cabecalho;
    for (const char* m : siglasMeses)
        cabecalho << QString::fromLatin1(m);
    cabecalho << QStringLiteral("Total");
    m_tabelaAno->setHorizontalHeaderLabels(cabecalho);
    m_tabelaAno->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tabelaAno->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tabelaAno->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Room for a scroll bar: on a small or scaled screen whole figures scroll rather than being cut.
    m_tabelaAno->setFixedHeight(m_tabelaAno->horizontalHeader()->sizeHint().height() + 2 * 30 + 4 +
                                m_tabelaAno->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    layout->addWidget(m_tabelaAno);

    connect(m_cmbAno, &QComboBox::activated, this,
            [this](int i) { exibirAno(m_cmbAno->itemData(i).toInt()); });
    return aba;
}

QWidget* JanelaRelatorios::criarAbaHorarios()
{
    auto* aba = new QWidget(this);
    auto* layout = new QVBoxLayout(aba);
    auto* topo = new QHBoxLayout;
    topo->addWidget(new QLabel(QStringLiteral("Período:"), aba));
    m_cmbSemanas = new QComboBox(aba);
    m_cmbSemanas->setObjectName(QStringLiteral("cmb_semanas"));
    for (int semanas : {4, 12, 26, 52})
        m_cmbSemanas->addItem(QStringLiteral("Últimas %1 semanas").arg(semanas), semanas);
    m_cmbSemanas->setCurrentIndex(1);
    topo->addWidget(m_cmbSemanas);
    m_lblHorarios = new QLabel(aba);
    m_lblHorarios->setObjectName(QStringLiteral("lbl_horarios"));
    topo->addWidget(m_lblHorarios, 1);
    layout->addLayout(topo);

    m_tabelaHoras = new QTableWidget(7, 24, aba);
    m_tabelaHoras->setObjectName(QStringLiteral("tbl_horas"));
    QStringList horas, dias;
    for (int h = 0; h < 24; ++h)
        horas << relatorios::nomeHora(h);
    for (int d = 1; d <= 7; ++d)
        dias << relatorios::nomeDiaSemana(d);
    m_tabelaHoras->setHorizontalHeaderLabels(horas);
    m_tabelaHoras->setVerticalHeaderLabels(dias);
    m_tabelaHoras->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tabelaHoras->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_tabelaHoras->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_tabelaHoras, 1);
    auto* legenda = new QLabel(QStringLiteral("Média de visitas por hora nos dias registrados do período; "
                                              "cores mais fortes, mais visitas. Horas de expediente em "
                                              "negrito e sublinhadas."),
                               aba);
    legenda->setWordWrap(true);
    layout->addWidget(legenda);

    connect(m_cmbSemanas, &QComboBox::activated, this,
            [this](int i) { exibirHorarios(m_cmbSemanas->itemData(i).toInt()); });
    return aba;
}

QWidget* JanelaRelatorios::criarAbaPeriodo()
{
    auto* aba = new QWidget(this);
    auto* layout = new QVBoxLayout(aba);
    auto* formulario = new QFormLayout;
    formulario->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_dtInicio = new QDateEdit(aba);
    m_dtInicio->setObjectName(QStringLiteral("dt_inicio"));
    m_dtFim = new QDateEdit(aba);
    m_dtFim->setObjectName(QStringLiteral("dt_fim"));
    for (QDateEdit* d : {m_dtInicio, m_dtFim}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        connect(d, &QDateEdit::dateChanged, this, [this] { atualizarPeriodo(); });
    }
    formulario->addRow(QStringLiteral("De:"), m_dtInicio);
    formulario->addRow(QStringLiteral("Até:"), m_dtFim);
    layout->addLayout(formulario);
    m_lblPeriodo = new QLabel(aba);
    m_lblPeriodo->setObjectName(QStringLiteral("lbl_periodo"));
    layout->addWidget(m_lblPeriodo);
    auto* botoes = new QHBoxLayout;
    auto* xlsx = new QPushButton(QStringLiteral("Exportar planilha (.xlsx)"), aba);
    xlsx->setObjectName(QStringLiteral("cmd_exportarXlsx"));
    auto* csv = new QPushButton(QStringLiteral("Exportar texto (.csv)"), aba);
    csv->setObjectName(QStringLiteral("cmd_exportarCsv"));
    connect(xlsx, &QPushButton::clicked, this, [this] { exportarPeriodoXlsx(); });
    connect(csv, &QPushButton::clicked, this, [this] { exportarPeriodoCsv(); });
    botoes->addWidget(xlsx);
    botoes->addWidget(csv);
    botoes->addStretch();
    layout->addLayout(botoes);
    auto* nota =
        new QLabel(QStringLiteral("Uma linha por dia registrado: data, dia da semana, total do dia e as "
                                  "visitas de cada hora. O arquivo é gravado na pasta do programa."),
                   aba);
    nota->setWordWrap(true);
    layout->addWidget(nota);
    layout->addStretch();
    return aba;
}

void JanelaRelatorios::carregar()
{
    const QDate hoje = datas::hoje();
    m_expediente = relatorios::lerExpediente(m_banco).value_or(relatorios::Expediente{});
    m_cmbAno->clear();
    for (int ano : relatorios::anosRegistrados(m_banco, hoje.year()).value_or(QList<int>{hoje.year()}))
        m_cmbAno->addItem(QString::number(ano), ano);
    m_cmbAno->setCurrentIndex(0);
    exibirAno(m_cmbAno->currentData().toInt());
    exibirHorarios(m_cmbSemanas->currentData().toInt());
    const QSignalBlocker b1(m_dtInicio), b2(m_dtFim);
    m_dtInicio->setDate(QDate(hoje.year(), hoje.month(), 1).addMonths(-1));
    m_dtFim->setDate(hoje);
    atualizarPeriodo();
}

void JanelaRelatorios::recarregar()
{
    // The operator's choices stay; the figures are read again.
    const int ano = m_cmbAno->currentData().toInt();
    const QDate hoje = datas::hoje();
    m_expediente = relatorios::lerExpediente(m_banco).value_or(relatorios::Expediente{});
    m_cmbAno->clear();
    for (int a : relatorios::anosRegistrados(m_banco, hoje.year()).value_or(QList<int>{hoje.year()}))
        m_cmbAno->addItem(QString::number(a), a);
    m_cmbAno->setCurrentIndex(std::max(0, m_cmbAno->findData(ano)));
    exibirAno(m_cmbAno->currentData().toInt());
    exibirHorarios(m_cmbSemanas->currentData().toInt());
    atualizarPeriodo();
}

void JanelaRelatorios::exibirAno(int ano)
{
    const relatorios::Ano atual = relatorios::resumoDoAno(m_banco, ano).value_or(relatorios::Ano{ano});
    const relatorios::Ano anterior =
        relatorios::resumoDoAno(m_banco, ano - 1).value_or(relatorios::Ano{ano - 1});
    m_seriesAno->clear();
    long long maior = 0;
    int linha = 0;
    for (const relatorios::Ano* a : {&anterior, &atual}) {
        auto* conjunto = new QBarSet(QString::number(a->ano));
        if (a == &anterior)
            conjunto->setColor(QColor(170, 180, 195));
        else
            conjunto->setColor(QColor(30, 90, 170));
        for (long long v : a->meses) {
            *conjunto << static_cast<double>(v);
            maior = std::max(maior, v);
        }
        m_seriesAno->append(conjunto);
        m_tabelaAno->setVerticalHeaderItem(linha, new QTableWidgetItem(QString::number(a->ano)));
        for (int m = 0; m < 12; ++m)
            m_tabelaAno->setItem(
                linha, m,
                celula(a->registrado ? numero(a->meses[static_cast<size_t>(m)]) : QStringLiteral("—")));
        auto* total = celula(a->registrado ? numero(a->total) : QStringLiteral("—"));
        QFont negrito = total->font();
        negrito.setBold(true);
        total->setFont(negrito);
        m_tabelaAno->setItem(linha, 12, total);
        ++linha;
    }
    // Stretched columns never narrower than the widest figure ("1.597.740" in bold).
    int largura = 0;
    for (int l = 0; l < m_tabelaAno->rowCount(); ++l)
        for (int c = 0; c < m_tabelaAno->columnCount(); ++c)
            if (const QTableWidgetItem* item = m_tabelaAno->item(l, c))
                largura = std::max(largura, QFontMetrics(item->font()).horizontalAdvance(item->text()));
    m_tabelaAno->horizontalHeader()->setMinimumSectionSize(largura + 12);
    m_eixoVisitas->setRange(0, std::max<double>(10, static_cast<double>(maior) * 1.1));
    m_eixoVisitas->applyNiceNumbers();
    m_graficoAno->setTitle(QStringLiteral("Visitas por mês: %1 e %2").arg(ano - 1).arg(ano));
}

void JanelaRelatorios::exibirHorarios(int semanas)
{
    const auto [inicio, fim] = relatorios::ultimasSemanas(semanas, datas::hoje());
    const QList<relatorios::Dia> dias =
        relatorios::diasRegistrados(m_banco, inicio, fim).value_or(QList<relatorios::Dia>{});
    const relatorios::MapaHoras mapa = relatorios::horasMovimentadas(dias);
    for (int h = 0; h < 24; ++h) {
        auto* cabecalho = new QTableWidgetItem(relatorios::nomeHora(h));
        if (h >= m_expediente.inicio && h <= m_expediente.fim) {
            QFont f = cabecalho->font();
            f.setBold(true);
            f.setUnderline(true);
            cabecalho->setFont(f);
            cabecalho->setToolTip(QStringLiteral("Horário de expediente"));
        }
        m_tabelaHoras->setHorizontalHeaderItem(h, cabecalho);
    }
    for (int s = 0; s < 7; ++s) {
        const auto ss = static_cast<size_t>(s);
        m_tabelaHoras->setVerticalHeaderItem(
            s, new QTableWidgetItem(
                   QStringLiteral("%1 (%2)").arg(relatorios::nomeDiaSemana(s + 1), numero(mapa.dias[ss]))));
        for (int h = 0; h < 24; ++h) {
            const double v = mapa.media[ss][static_cast<size_t>(h)];
            auto* item = celula(mapa.dias[ss] ? textoMedia(v) : QString(), Qt::AlignCenter);
            const QColor fundo = corDoNivel(v, mapa.maximo);
            item->setBackground(fundo);
            item->setForeground(fundo.lightness() < 130 ? Qt::white : Qt::black);
            const bool expediente = h >= m_expediente.inicio && h <= m_expediente.fim;
            if (expediente) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            m_tabelaHoras->setItem(s, h, item);
        }
    }
    m_lblHorarios->setText(
        QStringLiteral("de %1 a %2, %3 dias registrados; expediente das %4 às %5")
            .arg(inicio.toString(QStringLiteral("dd/MM/yyyy")), fim.toString(QStringLiteral("dd/MM/yyyy")))
            .arg(numero(dias.size()))
            .arg(relatorios::nomeHora(m_expediente.inicio), relatorios::nomeHora(m_expediente.fim)));
}

std::optional<QList<relatorios::Dia>> JanelaRelatorios::diasDoPeriodo()
{
    return relatorios::diasRegistrados(m_banco, m_dtInicio->date(), m_dtFim->date());
}

void JanelaRelatorios::atualizarPeriodo()
{
    if (m_dtFim->date() < m_dtInicio->date()) {
        m_lblPeriodo->setText(QStringLiteral("A data final é anterior à inicial."));
        return;
    }
    const auto dias = diasDoPeriodo();
    long long total = 0;
    for (const relatorios::Dia& d : dias.value_or(QList<relatorios::Dia>{}))
        total += d.total();
    m_lblPeriodo->setText(QStringLiteral("%1 dias registrados, %2 visitas")
                              .arg(numero(dias ? dias->size() : 0), numero(total)));
}

bool JanelaRelatorios::periodoValido()
{
    if (m_dtFim->date() >= m_dtInicio->date())
        return true;
    // An empty file named after an impossible period helps nobody.
    mensagens::Pedido p;
    p.titulo = QStringLiteral("Exportar período");
    p.icone = mensagens::Icone::Aviso;
    p.texto = QStringLiteral("A data final é anterior à inicial.\r\n\r\nEscolha um período válido e tente "
                             "novamente.");
    mensagens::mostrar(p);
    return false;
}

bool JanelaRelatorios::exportarPeriodoXlsx()
{
    if (!periodoValido())
        return false;
    const QDate inicio = m_dtInicio->date(), fim = m_dtFim->date();
    m_banco.novaAcaoDoOperador(); // asked for by the operator: a lasting failure is told again
    const auto dias = diasDoPeriodo();
    if (!dias)
        return false;
    const QString caminho =
        QDir(costuras::pastaAplicacao())
            .filePath(relatorios::nomeArquivoPeriodo(inicio, fim, QStringLiteral(".xlsx")));
    return planilha::concluir(caminho, exportacao::gravarPeriodoXlsx(caminho, inicio, fim, *dias));
}

bool JanelaRelatorios::exportarPeriodoCsv()
{
    if (!periodoValido())
        return false;
    m_banco.novaAcaoDoOperador();
    const auto dias = diasDoPeriodo();
    if (!dias)
        return false;
    const QString caminho = QDir(costuras::pastaAplicacao())
                                .filePath(relatorios::nomeArquivoPeriodo(m_dtInicio->date(), m_dtFim->date(),
                                                                         QStringLiteral(".csv")));
    return planilha::concluir(caminho, exportacao::gravarPeriodoCsv(caminho, *dias));
}
