#include "mensagens.h"

#include <QDebug>

namespace mensagens {

namespace {
std::function<Resposta(const Pedido&)> g_manipulador;
int g_abertas = 0;
} // namespace

Resposta mostrar(const Pedido& pedido)
{
    if (!g_manipulador) {
        qWarning().noquote() << pedido.titulo << ":" << pedido.texto;
        return pedido.botoes == Botoes::SimNao ? Resposta::Nao : Resposta::Ok;
    }
    ++g_abertas;
    const Resposta r = g_manipulador(pedido);
    --g_abertas;
    return r;
}

void instalar(std::function<Resposta(const Pedido&)> manipulador)
{
    g_manipulador = std::move(manipulador);
}

bool exibindo()
{
    return g_abertas > 0;
}

} // namespace mensagens
