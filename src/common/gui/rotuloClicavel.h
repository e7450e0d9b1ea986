#pragma once

#include <QLabel>

// A label that reports clicks: a left button released over it. The windows connect to clicado()
// instead of watching a label's events and telling it apart by name.
class RotuloClicavel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicado();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
};
