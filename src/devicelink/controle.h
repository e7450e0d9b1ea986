#pragma once

#include "banco.h"
#include "destinos.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace ethernet {
class Conexao;
}

// Page requests, the reply dispatcher and the page handlers.
namespace controle {

// ---- reply format, free of any window ----------------------------------------------

// True when the text holds the status marker "status":1, (exact, case-sensitive).
bool respostaValida(const QString& texto);

// The value field of an entry marker: the five characters that begin six characters after
// the end of the first occurrence of `marcador`; shorter when the text ends sooner.
// nullopt when the marker does not occur.
std::optional<QString> lerValorCampo(const QString& texto, const QString& marcador);

// The field of an entry when it is exactly five decimal digits: anything else is no count.
std::optional<QString> lerEntrada(const QString& texto, const QString& marcador);

// The field as stored text: unchanged when exactly five characters, else "00000".
QString comoTexto(const QString& campo);
// The field as a number: its leading decimal number in the shortest decimal text.
QString comoNumero(const QString& campo);

// Entry markers: "h": + n + "," for the hours and the live counts, "d": + n + "," for days.
QString marcadorHora(int n);
QString marcadorDia(int n);
// The hour markers of page /5 write the number as its last two digits of "00" + n.
QString marcadorHoraDoisDigitos(int n);

// Today's visits per hour, slots 0 to 24, each a five-character field ("00042").
using HorasDia = std::array<QString, 25>;

// Page /4 into hours 0 to 11: a value above 2000 is stored as "00000". An entry missing or
// unreadable leaves its slot as it was.
void lerHorasManha(const QString& texto, HorasDia& horas);
// Page /5 into hours 12 to 23, without an upper limit.
void lerHorasTarde(const QString& texto, HorasDia& horas);

// This month's visits per day, slots 0 to 31 (slot d-1 is day d; slot 31 stays empty).
using DiasMes = std::array<QString, 32>;

// Reads days `de` to `ate` of a month page into `dias` (a day after `hoje` counts "00000", an
// entry missing or unreadable leaves its slot as it was); `aoLer` receives each day that
// holds a count and its stored text.
void lerDias(const QString& texto, int de, int ate, int hoje, DiasMes& dias,
             const std::function<void(int dia, const QString& valor)>& aoLer = {});

// The reply ends where a whole one does, after its body's closing brace. One cut short fails
// this and is ignored as a whole, so it cannot overwrite good counts with zeros.
bool respostaInteira(const QString& texto);

// The floor of `soma` / `n`, as shortest decimal text; "---" when n < 1.
QString textoMedia(double soma, int n);

// ---- the reply handling ----------------------------------------------------------------

// The page requests, the dispatcher and the handlers, over one exchange with the device. It
// holds what the handlers have read so far; the panels it writes into are reached through the
// accessors it is given, which return the living panel (creating it hidden) or nullptr.
class Controle {
public:
    struct Paineis {
        std::function<DestinoPainelSimples*()> simples;
        std::function<DestinoPainelAvancado*()> avancado;
    };

    // `conexao` may be null (the handlers then work on given replies only).
    Controle(ethernet::Conexao* conexao, banco::Banco& banco, Paineis paineis = {});

    const DiasMes& diasMes() const { return m_diasMes; }
    const HorasDia& horasHoje() const { return m_horasHoje; }
    // This month's visits: the sum of the days in diasMes after the last month page.
    double totalVisitasMes() const { return m_totalVisitasMes; }
    // The last occupancy and total accepted from page /6 ("" before the first), for a panel
    // that opens between readings.
    QString ultimaLotacao() const { return m_ultimaLotacao; }
    QString ultimoTotal() const { return m_ultimoTotal; }
    // Every month page was answered for the month of `dia` / both hour pages on `dia`. A date left out means
    // today, read from the clock; so does it in the handlers below, which the dispatcher hands the one date
    // it read for the reply.
    bool mesLidoPorInteiro(const QDate& dia = {}) const;
    bool diaLidoPorInteiro(const QDate& dia = {}) const;

    // ---- page requests and dispatch ---------------------------------------------------
    void solicitarPagina6();
    // n = 1 ... 6
    void solicitarPagina(int n);

    // Run by TimerDadoRecebido on the device log.
    void tratarResposta();
    // The dispatcher over a given reply; `subPaginaAtual` is asked afresh before each test.
    void tratarResposta(const QString& texto, const std::function<QString()>& subPaginaAtual);

    // ---- handlers (run by the dispatcher; public for tests) ----------------------------
    void prepararGraficos();
    // False when neither live count could be read.
    bool lerContagemAtual(const QString& texto);
    void carimbarLeituraAtual();
    void carimbarHistoricoMes();
    void lerHorasManha(const QString& texto, const QDate& dia = {});
    void lerHorasTarde(const QString& texto, const QDate& dia = {});
    void preencherGraficoDia();
    void lerDiasPagina1(const QString& texto, const QDate& dia = {});
    void lerDiasPagina2(const QString& texto, const QDate& dia = {});
    void lerDiasPagina3(const QString& texto, const QDate& dia = {});
    void exibirMediaDiaria();
    void gravarMes(const QDate& dia = {});
    void exibirMediaHoraria();
    void gravarDia(const QDate& dia = {});

private:
    DestinoPainelSimples* painelSimples() const;
    DestinoPainelAvancado* painelAvancado() const;
    void esquecerHoras(int de, int ate);
    QDate diaDaLeitura(const QDateTime& agora, const QString& texto, const QString& pagina);
    void mudarDiaAparelho(const QDate& dia);
    std::optional<bool> contagensCairam(const QString& texto, const QString& pagina) const;
    void anotarContagens(const QString& texto, const QString& pagina);
    void lerDiasMes(const QString& texto, int de, int ate, const QDate& dia);

    ethernet::Conexao* m_conexao;
    banco::Banco& m_banco;
    Paineis m_paineis;
    // The stored address, read afresh for every request; kept when the read fails.
    banco::Ethernet m_endereco;
    HorasDia m_horasHoje;
    // The date each half of m_horasHoje was read on: the device keeps only its own today.
    QDate m_dataManha;
    QDate m_dataTarde;
    DiasMes m_diasMes;
    // The first day of the month whose days m_diasMes holds.
    QDate m_mesDosDias;
    // The month pages (bits 0 to 2) answered for m_mesDosDias.
    int m_paginasMes = 0;
    double m_totalVisitasMes = 0;
    // The day the device's counts belong to, and its last counts of that day by entry marker.
    QDate m_diaAparelho;
    bool m_diaIncerto = false;
    bool m_leituraIncerta = false;
    QHash<QString, int> m_ultimasContagens;
    QString m_ultimaLotacao;
    QString m_ultimoTotal;
};

} // namespace controle
