#pragma once

#include <QString>

namespace arquivos {

// Whether the file or folder may be written, by its mode bits as well as for this user.
// access() grants root everything; a file or folder marked read-only stays untouched for
// every user of the program.
bool modoPermiteEscrita(const QString& caminho);

} // namespace arquivos
