#pragma once

#include <QComboBox>

// A pick-only combo box of the settings window. Its text is kept apart from its list, as the
// settings window needs: the text may be one that the list does not offer ("08h" over a list
// that starts at "09h"), and emptying the list keeps the text. Typing is refused: every key
// press is discarded except those that drop the list down (F4, Alt+Up/Down, Space), so keyboard
// navigation and type-ahead cannot change the value; the mouse wheel is ignored for the same
// reason (it would pick from a list that is only rebuilt when dropped down).
class CaixaAjuste : public QComboBox {
    Q_OBJECT
public:
    explicit CaixaAjuste(QWidget* parent = nullptr);

    QString texto() const;
    void definirTexto(const QString& texto);
    // Empties the list, not the text.
    void limparLista();

    void showPopup() override;

Q_SIGNALS:
    // The list is about to drop down; handlers may rebuild it.
    void listaAbrindo();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void keyReleaseEvent(QKeyEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;

private:
    void selecionarTextoNaLista();
};
