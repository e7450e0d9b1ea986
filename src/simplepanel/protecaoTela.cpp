#include "protecaoTela.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <optional>
#include <utility>

namespace {

const QString servico = QStringLiteral("org.freedesktop.ScreenSaver");
const QString caminho = QStringLiteral("/org/freedesktop/ScreenSaver");

QDBusMessage chamada(const QString& metodo)
{
    return QDBusMessage::createMethodCall(servico, caminho, servico, metodo);
}

void enviarLiberacao(QDBusConnection& barramento, uint cookie)
{
    QDBusMessage m = chamada(QStringLiteral("UnInhibit"));
    m << cookie;
    barramento.send(m);
}

} // namespace

struct ProtecaoTela::Estado {
    explicit Estado(QDBusConnection b) : barramento(std::move(b)) {}
    QDBusConnection barramento;
    bool desejada = false;
    bool pendente = false;
    std::optional<uint> cookie;
};

ProtecaoTela::ProtecaoTela(QDBusConnection barramento)
    : m_estado(std::make_shared<Estado>(std::move(barramento)))
{
}

ProtecaoTela::~ProtecaoTela()
{
    liberar();
}

void ProtecaoTela::inibir()
{
    if (!std::exchange(m_xSuspensa, true))
        costuras::suspenderProtecaoX(true);
    Estado& e = *m_estado;
    e.desejada = true;
    if (e.cookie || e.pendente || !e.barramento.isConnected())
        return;
    QDBusMessage m = chamada(QStringLiteral("Inhibit"));
    m << QCoreApplication::applicationName() << QStringLiteral("Painel de lotação em exibição");
    e.pendente = true;
    // The answer may come after the panel is gone: the state outlives this object until then,
    // so a late cookie is handed straight back.
    auto* espera = new QDBusPendingCallWatcher(e.barramento.asyncCall(m), QCoreApplication::instance());
    QObject::connect(espera, &QDBusPendingCallWatcher::finished, espera,
                     [estado = m_estado](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         estado->pendente = false;
                         const QDBusPendingReply<uint> resposta = *w;
                         if (resposta.isError())
                             return; // no screen saver service: nothing to keep away
                         if (estado->desejada)
                             estado->cookie = resposta.value();
                         else
                             enviarLiberacao(estado->barramento, resposta.value());
                     });
}

void ProtecaoTela::liberar()
{
    if (std::exchange(m_xSuspensa, false))
        costuras::suspenderProtecaoX(false);
    Estado& e = *m_estado;
    e.desejada = false;
    if (!e.cookie)
        return;
    enviarLiberacao(e.barramento, *e.cookie);
    e.cookie.reset();
}
