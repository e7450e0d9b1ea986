#pragma once

#include "rotuloClicavel.h"

#include <QLabel>

class QComboBox;
class QFrame;

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
