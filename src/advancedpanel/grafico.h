#pragma once

#include "destinos.h"

#include <QChartView>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

// A column chart with one or two series (live, and a period from the history) over labelled
// categories, addressed the way the reply handlers and the history fills use it: a current
// series and category, and the value of the current point set and read back as text.
class Grafico : public QChartView, public controle::DestinoGrafico {
    Q_OBJECT
public:
    explicit Grafico(QWidget* parent = nullptr);

    int columnCount() const override { return m_colunas; }
    void setColumnCount(int n) override;
    int column() const override { return m_coluna; }
    void setColumn(int c) override;
    int rowCount() const override { return static_cast<int>(m_rotulos.size()); }
    void setRowCount(int n) override;
    int row() const override { return m_linha; }
    void setRow(int r) override;
    QString rowLabel() const override;
    void setRowLabel(const QString& rotulo) override;
    // The number of the current point in decimal, empty when the point has no value.
    QString data() const override;
    // A text that starts with a number sets that number; an empty text clears the point.
    void setData(const QString& valor) override;

    // Legend names of the live and the history series; the legend shows while both are drawn.
    void definirNomesSeries(const QString& atual, const QString& historico);

    // The top of the value scale for a highest bar: 10, or the next 1, 2 or 5 × 10^k.
    static double topoRedondo(double valor);

    // For tests and the export: the value of any point (nullopt = no value).
    std::optional<double> valor(int coluna, int linha) const;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void agendarRedesenho();
    void ajustarRotulos();
    void redesenhar();
    bool pontoValido() const;

    static constexpr int maximoColunas = 2;
    int m_colunas = 1;
    int m_coluna = 1;
    int m_linha = 1;
    QStringList m_rotulos;
    std::vector<std::optional<double>> m_valores[maximoColunas];

    QBarSeries* m_serie = nullptr;
    QBarSet* m_conjuntos[maximoColunas] = {};
    QBarCategoryAxis* m_eixoX = nullptr;
    QValueAxis* m_eixoY = nullptr;
    // Many points change per reply; the chart is drawn once after they are all in.
    QTimer m_redesenho;
    double m_maximoEscala = -1;
    QFont m_fonteRotulos;
};
