#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class RelogioManual;

// A timer with the part of QTimer's interface the program uses. It runs on Qt's event loop,
// unless a RelogioManual was alive when it was made: then it fires only when a test advances
// that clock, at the virtual moment it is due.
class Temporizador : public QObject {
    Q_OBJECT

public:
    explicit Temporizador(QObject* pai = nullptr);
    ~Temporizador() override;

    void setInterval(int ms);
    int interval() const { return m_intervalo; }
    void setSingleShot(bool unico);
    bool isSingleShot() const { return m_unico; }
    void setTimerType(Qt::TimerType tipo);
    bool isActive() const;
    // Milliseconds until the next tick, -1 when stopped.
    int remainingTime() const;

    void start();
    void start(int ms);
    void stop();

Q_SIGNALS:
    void timeout();

private:
    friend class RelogioManual;

    int m_intervalo = 0;
    bool m_unico = false;
    QTimer m_real;
    QPointer<RelogioManual> m_manual;
    bool m_ativoManual = false;
    qint64 m_venceMs = 0;
    quint64 m_ordem = 0;
};

// Virtual time for tests: while one is alive, the clock seam reads it and the timers made
// meanwhile fire only through avancar(), in the order they fall due. Only one at a time.
class RelogioManual : public QObject {
    Q_OBJECT

public:
    explicit RelogioManual(const QDateTime& inicio);
    ~RelogioManual() override;

    QDateTime agora() const { return m_inicio.addMSecs(m_ms); }
    // Moves time forward by ms, firing every tick due on the way and letting the events each
    // one posts run before the next.
    void avancar(qint64 ms);

    static RelogioManual* ativo();

private:
    friend class Temporizador;

    void agendar(Temporizador* t);
    Temporizador* proximoAte(qint64 limite) const;

    QDateTime m_inicio;
    std::function<QDateTime()> m_relogioAnterior;
    qint64 m_ms = 0;
    quint64 m_proximaOrdem = 0;
    QList<QPointer<Temporizador>> m_temporizadores;
};
