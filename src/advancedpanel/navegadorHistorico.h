#pragma once

#include "exibicaoHistorico.h"

#include <QWidget>

class Grafico;
class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class RotuloClicavel;
class Temporizador;
namespace banco {
class Banco;
}
namespace ajustes {
struct Avancado;
}

// The history browser of the advanced panel: the year, month and day selectors, the figures of
// a chosen period, the countdown of its display, the month export and the deletion. It puts the
// chosen period into the panel's two charts; the display's state is the widget-free Exibicao.
class NavegadorHistorico : public QWidget {
    Q_OBJECT
public:
    struct Dependencias {
        Grafico& chartMes;
        Grafico& chartDia;
        const ajustes::Avancado& ajustes;
        int& segundosHistorico; // outlives the window
        banco::Banco& banco;
        QAction* menuExportarMensal;
        QAction* menuExportarMensalXlsx;
    };
    NavegadorHistorico(const Dependencias& dependencias, QWidget* parent);

    void buscaAnoMesDisponiveisBancoDeDados();
    void buscaDiasBancoDeDados();
    // With no period on display, the selectors go to today's date (a hidden panel lives for
    // days); `relistar` reads the years recorded meanwhile too.
    void acompanharHoje(bool relistar);
    void carregarHistoricoMes();
    void carregarHistoricoDia();
    void tiqueExibirHistorico();
    void escolherAno();
    void escolherMes();
    void escolherDia();

    void exibirMesAtual();
    void exibirDiaAtual();

    void exportarMensal();
    void exportarMensalXlsx();
    void excluirHistorico();

    // The figures go beside the selectors when the row fits in `largura`, on a line of their
    // own below them otherwise.
    void dispor(int largura);

    const historico::Exibicao& exibicao() const { return m_exibicao; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    QComboBox* seletor(const QString& nome, const QString& dica);
    void renderizar();

    Dependencias m_dep;
    historico::Exibicao m_exibicao;
    historico::Exibicao::Relatorio m_relatorioMostrado = historico::Exibicao::Relatorio::Oculto;
    Temporizador* m_timerExibirHistorico = nullptr;
    QComboBox* m_cmbAno = nullptr;
    QComboBox* m_cmbMes = nullptr;
    QComboBox* m_cmbDia = nullptr;
    QLabel* m_lblHistoricoTotalMes = nullptr;
    QLabel* m_lblHistoricoMediaMes = nullptr;
    QLabel* m_lblHistoricoTotalDia = nullptr;
    QLabel* m_lblHistoricoMediaDia = nullptr;
    QProgressBar* m_barTempoHistorico = nullptr;
    QLabel* m_lblRelatorio = nullptr;
    QWidget* m_figurasHistorico = nullptr;
    QHBoxLayout* m_linhaHistorico = nullptr;
    QHBoxLayout* m_segundaLinhaHistorico = nullptr;
    RotuloClicavel* m_lblExcluir = nullptr;
};
