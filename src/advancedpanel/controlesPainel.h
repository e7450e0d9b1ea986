#pragma once

#include <QLabel>

class QComboBox;
class QFrame;

// A label that reports clicks (the refresh pictures, the "X" and the demonstration fill).
class RotuloClicavel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicado();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
};

// Small builders shared by the panel and its history browser.
namespace controlesPainel {

QFont fonte(int pontos, bool negrito = false);
// A plain-text label: whatever reaches a caption (device values, stored texts) shows as written.
QLabel* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QString& dica = {});
// Separator LineN.
QFrame* linha(QWidget* pai, int n, bool vertical);
// Shows a text in a selector with the list's current entry on it, so that an opened list
// highlights what is shown; a text the list lacks (a year not recorded yet) is shown alone.
void mostrarNoSeletor(QComboBox* seletor, const QString& texto);

} // namespace controlesPainel
