#pragma once

namespace caixas {
// Start-up of the program's dialogs: Qt's own texts (the buttons of message boxes, the
// context menus of text boxes) in Brazilian Portuguese, the real message boxes behind
// mensagens::mostrar, and the operator's key presses and clicks outside a message box
// counted as new actions (after one, a lasting database failure may be told again).
void instalar();
} // namespace caixas
