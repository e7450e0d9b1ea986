#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>

// Keeps the desktop's screen saver and display blanking away while the public display is on
// screen, through the session bus's org.freedesktop.ScreenSaver service. Without a session
// bus, or without that service, it quietly does nothing.
class ProtecaoTela {
public:
    explicit ProtecaoTela(QDBusConnection barramento = QDBusConnection::sessionBus());
    ~ProtecaoTela();
    ProtecaoTela(const ProtecaoTela&) = delete;
    ProtecaoTela& operator=(const ProtecaoTela&) = delete;

    void inibir();
    void liberar();

private:
    struct Estado;
    std::shared_ptr<Estado> m_estado;
};
