#include "caixaAjuste.h"

#include <QKeyEvent>
#include <QWheelEvent>

CaixaAjuste::CaixaAjuste(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
    // The text outside the list is drawn as the placeholder; it is a real value, not a hint,
    // so it must not look greyed out.
    QPalette cores = palette();
    for (auto grupo : {QPalette::Active, QPalette::Inactive})
        cores.setColor(grupo, QPalette::PlaceholderText, cores.color(grupo, QPalette::ButtonText));
    setPalette(cores);
    // When the list comes to offer the shown text, mark it as the current item so that the
    // dropped-down list opens on it.
    connect(model(), &QAbstractItemModel::rowsInserted, this, &CaixaAjuste::selecionarTextoNaLista);
}

QString CaixaAjuste::texto() const
{
    // A text outside the list is shown as the placeholder of "no current item".
    return currentIndex() >= 0 ? currentText() : placeholderText();
}

void CaixaAjuste::definirTexto(const QString& texto)
{
    setPlaceholderText(texto);
    setCurrentIndex(findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CaixaAjuste::limparLista()
{
    const QString atual = texto();
    clear();
    definirTexto(atual);
}

void CaixaAjuste::selecionarTextoNaLista()
{
    if (currentIndex() < 0 && !placeholderText().isEmpty())
        setCurrentIndex(findText(placeholderText(), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CaixaAjuste::showPopup()
{
    Q_EMIT listaAbrindo();
    QComboBox::showPopup();
}

void CaixaAjuste::keyPressEvent(QKeyEvent* evento)
{
    const int tecla = evento->key();
    const bool alt = evento->modifiers() & Qt::AltModifier;
    if (tecla == Qt::Key_F4 || (alt && (tecla == Qt::Key_Down || tecla == Qt::Key_Up)) ||
        (tecla == Qt::Key_Space && evento->modifiers() == Qt::NoModifier)) {
        showPopup();
        evento->accept();
        return;
    }
    // Not consumed: Escape still reaches the window (and closes it), Tab moves focus.
    evento->ignore();
}

void CaixaAjuste::keyReleaseEvent(QKeyEvent* evento)
{
    evento->ignore();
}

void CaixaAjuste::wheelEvent(QWheelEvent* evento)
{
    evento->ignore();
}
