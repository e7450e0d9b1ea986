#pragma once

// The history display of the advanced panel, free of widgets: which chart shows a chosen
// period beside the live series, whether the month export is offered, and the countdown that
// returns both charts to the live series. The history browser renders it.
namespace historico {

class Exibicao {
public:
    static constexpr int duracao = 30; // ticks of TimerExibirHistorico, one a second

    enum class Relatorio { Oculto, Disponivel, SemRegistros };

    // `segundosHistorico` outlives the window that shows the display.
    explicit Exibicao(int& segundosHistorico) : m_segundos(segundosHistorico) {}

    // Live modes: the chart's history figures hidden, one series, no export.
    void exibirMesAtual();
    void exibirDiaAtual();
    // History modes: the figures shown and two series; the export decided on the month total
    // shown so far.
    void exibirMesHistorico();
    void exibirDiaHistorico();
    // Offers the export while the month total shown is above zero; refusing leaves the
    // menu item as it was.
    void verificarExportacao();
    void desabilitarExportacao();

    // A history fill has put its figures up; the countdown runs (it is not restarted by a
    // further choice). The month's export is decided again on the new total.
    void mesCarregado(long long totalMes);
    void diaCarregado();

    // One tick of the countdown; true when it ended the display (live modes, selectors back on
    // today, the countdown stopped).
    bool tique();

    bool mesHistorico() const { return m_mesHistorico; }
    bool diaHistorico() const { return m_diaHistorico; }
    bool exportacaoHabilitada() const { return m_exportacao; }
    Relatorio relatorio() const { return m_relatorio; }
    bool contando() const { return m_contando; }
    // What the countdown bar shows: 30 - ticks, 0 at the end of a display and before any.
    int segundosRestantes() const { return m_restante; }
    long long totalMes() const { return m_totalMes; }

private:
    int& m_segundos;
    bool m_mesHistorico = false;
    bool m_diaHistorico = false;
    bool m_exportacao = false;
    bool m_contando = false;
    Relatorio m_relatorio = Relatorio::Oculto;
    int m_restante = 0;
    long long m_totalMes = 0; // the month total on display ("00000" before any)
};

} // namespace historico
