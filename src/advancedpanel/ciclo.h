#pragma once

#include <QDate>
#include <QTime>

#include <functional>

// The polling cycle of the advanced panel, free of widgets: which device page each tick of
// TimerBaseTempo asks for, the pace of the timer and the two progress bars.
namespace ciclo {

// Counters that outlive the window: they start at 0 with the program and go on across
// closing and reopening the panel, so their owner is whoever outlives the window.
struct Contadores {
    int contadorTiques = 0;
    int ciclosMes = 0;
    int segundosHistorico = 0;
};

// What a tick does to the world outside the cycle, in the order it happens.
struct Acoes {
    std::function<void(int pagina)> solicitarPagina;   // writes lbl_pagina, then requests
    std::function<void(const QString&)> definirPagina; // lbl_pagina alone (the "7" of step 6)
    std::function<void()> solicitarPagina6;            // requests "/6", lbl_pagina untouched
    std::function<void()> acelerar;                    // TimerBaseTempo at 1000 ms
    std::function<void()> normalizar;                  // TimerBaseTempo at its normal pace
    std::function<void()> releitura;                   // at intervaloReleitura
    std::function<void(int maximo, int valor)> barraMes;
    std::function<void(int maximo, int valor)> barraDia;
    std::function<void(const QString&)> exibirParametro;  // lbl_param: the step
    std::function<void(const QString&)> exibirPaginaHora; // lbl_pag: the hour page chosen
    std::function<void(const QString&)> exibirPasso;      // main window's Label1
    // Whether every day of the month and every hour of today were received since start-up.
    // A page lost on the way (a request cut off by another one, a slow device) is asked again
    // in the next cycle, at a pace that leaves it its time-out, instead of waiting for the
    // next full reading. Unset means yes.
    std::function<bool()> mesLido;
    std::function<bool()> diaLido;
};

class Ciclo {
public:
    explicit Ciclo(Contadores& contadores) : m_contadores(contadores) {}

    // The state right after the window loads.
    void carregar(int intervaloAtualizacaoMes);

    void tique(const QDate& hoje, const QTime& agora, const Acoes& acoes);

    // Refresh of today's hours: the next two steps ask for "/4" and "/5".
    void atualizarDia();
    // Full month re-read: the next three steps ask for "/1", "/2" and "/3".
    void atualizarMes();
    // The hour (month) pages are all asked again from the step that reaches them, fast.
    void lerDiaCompleto()
    {
        leituraDiaCompleta = false;
        diaPerdido = false;
    }
    void lerMesCompleto()
    {
        leituraMesCompleta = false;
        mesPerdido = false;
    }
    const Contadores& contadores() const { return m_contadores; }

    int passoCiclo = 0;
    bool leituraMesCompleta = false;
    bool leituraDiaCompleta = false;
    bool naoLerLotacao = false;
    int intervaloAtualizacaoMes = 3;
    // Pages found missing at the end of a cycle: the next one asks for them at the normal
    // pace or slower (intervaloReleitura), since a device too slow for the fast one would see
    // each request cut off by the next.
    bool mesPerdido = false;
    bool diaPerdido = false;
    // The day on which "/4" was last asked after noon: the end of hour 11 reaches the
    // device's page only after 12:00.
    QDate manhaFechadaEm;

private:
    Contadores& m_contadores;
};

// The month page that holds today: 1 for days 1-12, 2 for 13-24, 3 for 25-31.
int paginaDoDia(int dia);
// The hour page that holds now: 4 before noon, 5 after.
int paginaDaHora(int hora);
// TimerBaseTempo's normal interval: 72 ms per second of the day-chart interval.
int intervaloNormal(int segundosDia);
// The interval of a cycle that asks again for missing pages: the normal one, but never so
// short that a page answered within the time-out is cut off before it was handled.
int intervaloReleitura(int segundosDia);

} // namespace ciclo
