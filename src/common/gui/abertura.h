#pragma once

#include "planilha.h"

#include <QUrl>

#include <functional>

// Opening files and web addresses with the desktop's program for them needs Qt Gui, so it
// lives here, beside the widget-free core rather than in it.
namespace costuras {

// Test seam: opens a file or web address; false when that failed.
extern std::function<bool(const QUrl&)> abrirEndereco;
void restaurarAbertura();

} // namespace costuras

namespace planilha {

// Exports the lines, reports a failure in a message box ("Erro ao Exportar") and, only
// after a successful write, opens the file with the system's program for it.
bool exportar(const QString& caminho, const QStringList& linhas);
// The end of any export: the failure box with the export's texts, or the file opened.
bool concluir(const QString& caminho, const Resultado& r);

} // namespace planilha
