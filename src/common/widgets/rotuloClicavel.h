#pragma once

#include <QLabel>

// A label that reports clicks, and the pointer coming over it, to whoever connects.
class RotuloClicavel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // A release off the label, after a press on it, counts as a click too. The simple
    // panel's small option labels have always worked that way.
    void contarSoltarFora(bool contar) { m_soltarForaConta = contar; }

Q_SIGNALS:
    void clicado();
    // The pointer entered the label or moved over it (with mouse tracking, without a button).
    void apontado();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void enterEvent(QEnterEvent* evento) override;

private:
    bool m_soltarForaConta = false;
};
