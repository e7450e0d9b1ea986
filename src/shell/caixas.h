#pragma once

namespace caixas {
// Installs the real message boxes behind mensagens::mostrar.
void instalar();
} // namespace caixas
