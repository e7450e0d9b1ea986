#include "grafico.h"

#include "textos.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

double Grafico::topoRedondo(double valor)
{
    if (valor <= 10)
        return 10;
    const double potencia = std::pow(10.0, std::floor(std::log10(valor)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (valor <= m * potencia)
            return m * potencia;
    return 10 * potencia;
}

Grafico::Grafico(QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    m_serie = new QBarSeries(chart);
    const QColor cores[maximoColunas] = {QColor(0x1f, 0x6f, 0xb4), QColor(0xe0, 0x8a, 0x1e)};
    for (int c = 0; c < maximoColunas; ++c) {
        m_conjuntos[c] = new QBarSet(c == 0 ? QStringLiteral("Hoje") : QStringLiteral("Histórico"));
        m_conjuntos[c]->setColor(cores[c]);
        m_conjuntos[c]->setBorderColor(cores[c]);
    }
    m_serie->append(m_conjuntos[0]);
    chart->addSeries(m_serie);
    m_eixoX = new QBarCategoryAxis(chart);
    m_eixoY = new QValueAxis(chart);
    m_eixoY->setLabelFormat(QStringLiteral("%d"));
    m_eixoY->setTickCount(6);
    chart->addAxis(m_eixoX, Qt::AlignBottom);
    m_fonteRotulos = m_eixoX->labelsFont();
    connect(chart, &QChart::plotAreaChanged, this, &Grafico::ajustarRotulos);
    chart->addAxis(m_eixoY, Qt::AlignLeft);
    m_serie->attachAxis(m_eixoX);
    m_serie->attachAxis(m_eixoY);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);

    m_redesenho.setSingleShot(true);
    m_redesenho.setInterval(0);
    connect(&m_redesenho, &QTimer::timeout, this, &Grafico::redesenhar);
    redesenhar();
}

void Grafico::setColumnCount(int n)
{
    n = std::clamp(n, 1, maximoColunas);
    if (n == m_colunas)
        return;
    if (n == 2) {
        m_serie->append(m_conjuntos[1]);
    } else {
        // take() keeps the set alive for the next history display.
        m_serie->take(m_conjuntos[1]);
    }
    m_colunas = n;
    chart()->legend()->setVisible(n == 2);
    agendarRedesenho();
}

void Grafico::definirNomesSeries(const QString& atual, const QString& historico)
{
    m_conjuntos[0]->setLabel(atual);
    m_conjuntos[1]->setLabel(historico);
}

void Grafico::setColumn(int c)
{
    m_coluna = c;
}

void Grafico::setRowCount(int n)
{
    n = std::max(n, 0);
    m_rotulos.resize(n);
    for (auto& v : m_valores)
        v.resize(static_cast<size_t>(n));
    m_linha = std::clamp(m_linha, 1, std::max(n, 1));
    agendarRedesenho();
}

void Grafico::setRow(int r)
{
    m_linha = r;
}

bool Grafico::pontoValido() const
{
    return m_coluna >= 1 && m_coluna <= maximoColunas && m_linha >= 1 && m_linha <= rowCount();
}

QString Grafico::rowLabel() const
{
    return m_linha >= 1 && m_linha <= rowCount() ? m_rotulos[m_linha - 1] : QString();
}

void Grafico::setRowLabel(const QString& rotulo)
{
    // A point outside the categories is ignored rather than growing the chart.
    if (m_linha < 1 || m_linha > rowCount())
        return;
    m_rotulos[m_linha - 1] = rotulo;
    agendarRedesenho();
}

QString Grafico::data() const
{
    if (!pontoValido())
        return QString();
    const std::optional<double>& v = m_valores[m_coluna - 1][static_cast<size_t>(m_linha - 1)];
    return v ? strings::textoNumero(*v) : QString();
}

void Grafico::setData(const QString& valor)
{
    if (!pontoValido())
        return;
    std::optional<double>& v = m_valores[m_coluna - 1][static_cast<size_t>(m_linha - 1)];
    if (valor.trimmed().isEmpty())
        v.reset();
    else
        v = strings::valorNumerico(valor);
    agendarRedesenho();
}

std::optional<double> Grafico::valor(int coluna, int linha) const
{
    if (coluna < 1 || coluna > maximoColunas || linha < 1 || linha > rowCount())
        return std::nullopt;
    return m_valores[coluna - 1][static_cast<size_t>(linha - 1)];
}

void Grafico::resizeEvent(QResizeEvent* evento)
{
    QChartView::resizeEvent(evento);
    ajustarRotulos();
}

void Grafico::ajustarRotulos()
{
    // A narrow chart (a small screen, large scaling) would cut the day numbers down to "...":
    // a smaller type keeps 31 of them readable.
    qsizetype maisLongo = 1;
    for (const QString& r : std::as_const(m_rotulos))
        maisLongo = std::max(maisLongo, r.size());
    const QRectF area = chart()->plotArea();
    const qreal largura = area.width() > 0 ? area.width() : width() - 80.0;
    const qreal porCategoria = largura / static_cast<qreal>(std::max<qsizetype>(1, m_rotulos.size()));
    QFont f = m_fonteRotulos;
    for (qreal pontos = m_fonteRotulos.pointSizeF(); pontos >= 5; pontos -= 0.5) {
        f.setPointSizeF(pontos);
        if (QFontMetricsF(f).horizontalAdvance(QString(maisLongo, u'0')) + 10 <= porCategoria)
            break;
    }
    if (m_eixoX->labelsFont() != f)
        m_eixoX->setLabelsFont(f);
    // A short chart would cut its scale down to "..." too: fewer steps, halves of the top.
    if (area.height() > 0) {
        const qreal linha = QFontMetricsF(m_eixoY->labelsFont()).height() * 1.5;
        const int marcas = area.height() >= 5 * linha ? 6 : 3;
        if (m_eixoY->tickCount() != marcas)
            m_eixoY->setTickCount(marcas);
    }
}

void Grafico::agendarRedesenho()
{
    if (!m_redesenho.isActive())
        m_redesenho.start();
}

void Grafico::redesenhar()
{
    // Only what changed is handed to the chart: a reply touches a few points, and every
    // category or bar set rebuilt makes Qt Charts lay the whole chart out again.
    if (m_eixoX->categories() != m_rotulos) {
        if (m_rotulos.isEmpty())
            m_eixoX->clear();
        else
            m_eixoX->setCategories(m_rotulos);
        ajustarRotulos();
    }
    double maximo = 0;
    for (int c = 0; c < maximoColunas; ++c) {
        QBarSet* conjunto = m_conjuntos[c];
        const auto& valores = m_valores[c];
        const int n = static_cast<int>(valores.size());
        if (conjunto->count() > n)
            conjunto->remove(n, conjunto->count() - n);
        for (int i = 0; i < n; ++i) {
            const std::optional<double>& v = valores[static_cast<size_t>(i)];
            const qreal ponto = v ? *v : 0.0;
            if (i >= conjunto->count())
                conjunto->append(ponto);
            else if (conjunto->at(i) != ponto)
                conjunto->replace(i, ponto);
            if (v && c < m_colunas)
                maximo = std::max(maximo, *v);
        }
    }
    // The scale tops at a round number (1, 2 or 5 times a power of ten) above the highest
    // bar, and is set only when that number changes: laying out the axis labels is the
    // dearest part of a redraw.
    const double topo = topoRedondo(maximo * 1.05);
    if (topo != m_maximoEscala) {
        m_maximoEscala = topo;
        m_eixoY->setRange(0, topo);
        // Five intervals (or two, on a short chart): every top of 1, 2 or 5 × 10^k divides
        // into round steps.
        ajustarRotulos();
    }
}
