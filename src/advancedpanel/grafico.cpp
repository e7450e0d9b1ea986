#include "grafico.h"

#include "textos.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

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
    chart->addAxis(m_eixoX, Qt::AlignBottom);
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

void Grafico::agendarRedesenho()
{
    if (!m_redesenho.isActive())
        m_redesenho.start();
}

void Grafico::redesenhar()
{
    m_eixoX->setCategories(m_rotulos);
    double maximo = 0;
    for (int c = 0; c < maximoColunas; ++c) {
        QList<qreal> pontos;
        pontos.reserve(rowCount());
        for (const auto& v : m_valores[c]) {
            pontos << (v ? *v : 0.0);
            if (v && c < m_colunas)
                maximo = std::max(maximo, *v);
        }
        m_conjuntos[c]->remove(0, m_conjuntos[c]->count());
        m_conjuntos[c]->append(pontos);
    }
    // Round the scale to tidy steps so the axis labels stay whole, round numbers.
    m_eixoY->setRange(0, std::max(10.0, maximo * 1.05));
    m_eixoY->applyNiceNumbers();
}
