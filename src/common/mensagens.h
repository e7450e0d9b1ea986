#pragma once

#include <QString>

#include <functional>

// Message boxes go through one replaceable entry point, so that the widget-free libraries can
// report failures and tests can answer and read them. The shell installs the real boxes.
namespace mensagens {

enum class Botoes { Ok, SimNao };
enum class Icone { Nenhum, Informacao, Aviso, Erro, Pergunta };
enum class Resposta { Ok, Sim, Nao };

struct Pedido {
    QString texto;
    QString titulo;
    Botoes botoes = Botoes::Ok;
    Icone icone = Icone::Nenhum;
    bool padraoNao = true; // with Yes/No, No is the default button
};

// Shows the box and returns the answer. Without an installed handler the request is logged
// and answered with Ok, or No for a question.
Resposta mostrar(const Pedido& pedido);

void instalar(std::function<Resposta(const Pedido&)> manipulador);

// True while a box shown through mostrar() is on screen.
bool exibindo();

} // namespace mensagens
