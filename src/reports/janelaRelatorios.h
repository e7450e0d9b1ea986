#pragma once

#include "relatorios.h"

#include <QDialog>

class QBarSeries;
class QBarCategoryAxis;
class QChart;
class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;
class QValueAxis;

// The reports window: the year at a glance, the busiest hours and the period export. It reads
// only the database (no device needed) and renders what relatorios computes.
class JanelaRelatorios : public QDialog {
    Q_OBJECT
public:
    explicit JanelaRelatorios(banco::Banco& banco, QWidget* parent = nullptr);

    // Fills every part from the database.
    void carregar();
    // Reads the figures again, keeping the year, weeks and period chosen: the window may have
    // stayed open while the history grew.
    void recarregar();

    void exibirAno(int ano);
    void exibirHorarios(int semanas);
    void atualizarPeriodo();
    bool exportarPeriodoXlsx();
    bool exportarPeriodoCsv();

private:
    QWidget* criarAbaAno();
    QWidget* criarAbaHorarios();
    QWidget* criarAbaPeriodo();
    std::optional<QList<relatorios::Dia>> diasDoPeriodo();
    bool periodoValido();

    QComboBox* m_cmbAno = nullptr;
    QChart* m_graficoAno = nullptr;
    QBarSeries* m_seriesAno = nullptr;
    QBarCategoryAxis* m_eixoMeses = nullptr;
    QValueAxis* m_eixoVisitas = nullptr;
    QTableWidget* m_tabelaAno = nullptr;

    QComboBox* m_cmbSemanas = nullptr;
    QTableWidget* m_tabelaHoras = nullptr;
    QLabel* m_lblHorarios = nullptr;
    banco::Banco& m_banco;
    relatorios::Expediente m_expediente;

    QDateEdit* m_dtInicio = nullptr;
    QDateEdit* m_dtFim = nullptr;
    QLabel* m_lblPeriodo = nullptr;
};
