#pragma once

#include <QDBusConnection>
#include <QString>

#include <functional>
#include <memory>

// Keeps the desktop's screen saver and display blanking away while the public display is on
// screen, through the session bus's org.freedesktop.ScreenSaver service, and the X server's
// own blanking and power saving, which run on a session without that service. Without a
// session bus or an X display, that part quietly does nothing.
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
    bool m_xSuspensa = false;
};

namespace costuras {
// Test seam: suspends (true) or resumes (false) the X server's screen saver and display power
// saving; calls come in pairs.
extern std::function<void(bool)> suspenderProtecaoX;
void restaurarProtecaoX();
} // namespace costuras
