#pragma once

#include <QObject>

#include <functional>

namespace caixas {

// Start-up of the program's dialogs: Qt's own texts (the buttons of message boxes, the
// context menus of text boxes) in Brazilian Portuguese, and the real message boxes behind
// mensagens::mostrar.
void instalar();

// While it lives, every key press or click of the operator anywhere but in a message box
// (its OK or Escape only dismisses what was told) runs `aoAgir`: after a new action, a
// lasting database failure may be told again.
class AcoesDoOperador : public QObject {
public:
    explicit AcoesDoOperador(std::function<void()> aoAgir);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::function<void()> m_aoAgir;
};

} // namespace caixas
