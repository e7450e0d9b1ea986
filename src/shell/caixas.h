#pragma once

namespace caixas {

// Start-up of the program's dialogs: Qt's own texts (the buttons of message boxes, the
// context menus of text boxes) in Brazilian Portuguese, and the real message boxes behind
// mensagens::mostrar.
void instalar();

} // namespace caixas
