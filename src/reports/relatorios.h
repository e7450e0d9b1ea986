#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>

namespace banco {
class Banco;
}

// What the reports window shows and exports, computed from the database alone (no device, no
// widgets), read through the program's one database object: a failure is told by it, once,
// and the reader returns nullopt.
namespace relatorios {

// A recorded day: its date and its visits per hour (hour 0 first).
struct Dia {
    QDate data;
    std::array<int, 24> horas{};
    long long total() const;
};

// Every recorded day from `inicio` to `fim` (both included), oldest first. A day is recorded
// when its Dias column holds text; a column of a date the month does not have (30 February)
// is no day and is left out.
std::optional<QList<Dia>> diasRegistrados(banco::Banco& banco, const QDate& inicio, const QDate& fim);

// Visits per month of one year, from Meses (the first row of the year, as everywhere else).
struct Ano {
    int ano = 0;
    bool registrado = false; // a Meses row exists
    std::array<long long, 12> meses{};
    long long total = 0;
};
std::optional<Ano> resumoDoAno(banco::Banco& banco, int ano);

// The years of Meses, newest first, each once; the current year when there is none.
std::optional<QList<int>> anosRegistrados(banco::Banco& banco, int anoAtual);

// Mean visits per weekday (0 Monday ... 6 Sunday) and hour over the given days; a weekday
// without recorded days has zeros and no days.
struct MapaHoras {
    std::array<std::array<double, 24>, 7> media{};
    std::array<int, 7> dias{};
    double maximo = 0;
};
MapaHoras horasMovimentadas(const QList<Dia>& dias);

// The `semanas` whole weeks that end yesterday: today is still being counted, and a mean
// with half a day in it would sink the afternoon.
std::pair<QDate, QDate> ultimasSemanas(int semanas, const QDate& hoje);

// The business hours of the advanced panel's settings (first and last hour, 0-23).
struct Expediente {
    int inicio = 8;
    int fim = 18;
};
std::optional<Expediente> lerExpediente(banco::Banco& banco);

// "segunda-feira" ... "domingo" for Qt's 1 (Monday) ... 7.
QString nomeDiaSemana(int diaDaSemana);
// "00h" ... "23h"
QString nomeHora(int hora);

// The period as text for a spreadsheet: UTF-8 with a byte order mark, ";" between fields,
// CR LF after every line; a header, then one line per day.
QByteArray csvPeriodo(const QList<Dia>& dias);

// File names of the period exports: "visitas_2024-01-01_2024-03-31" + extensao.
QString nomeArquivoPeriodo(const QDate& inicio, const QDate& fim, const QString& extensao);

} // namespace relatorios
