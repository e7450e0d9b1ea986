#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The month export: a semicolon-separated text file for spreadsheets, in Windows-1252 with
// CR LF after every line. Free of widgets; failures come back as a result to report.
namespace planilha {

// Windows-1252 bytes of the text; nullopt when a character has no code in that page.
std::optional<QByteArray> paraWindows1252(const QString& texto);

// "excel_" + ano + "_" + mes + ".csv"
QString nomeArquivo(const QString& ano, const QString& mes);

// Title, "Dia;Visitas", ";", then "label;value" for every (label, value) pair.
QStringList linhasMes(const QString& mes, const QString& ano, const QList<std::pair<QString, QString>>& dias);

struct Resultado {
    bool ok = false;
    bool acessoNegado = false; // the file or its folder cannot be written (held, read-only)
    QString motivo;            // the system's reason for any other failure
};

// Writes the lines to `caminho` through a temporary file in the same folder that replaces
// the old file only once complete: a failure never leaves a half-written or emptied file.
Resultado gravar(const QString& caminho, const QStringList& linhas);

// Removes what an export killed half-way left in `pasta`: the temporary files of exports
// (".excel_2024_03.xlsx.AbC123", "excel_2024_03.csv.AbC123") untouched for some minutes, so
// that one being written right now is never taken.
void removerTemporariosAntigos(const QString& pasta);

// Reporting a failure and opening the written file need the desktop: see abertura.h.

} // namespace planilha
