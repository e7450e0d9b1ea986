#pragma once

// Helpers shared by the source files of the simple panel's window.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace painelSimplesInterno {

// The system colours in the standard scheme. The panel is a public display: it looks the
// same whatever theme the desktop uses.
inline const QColor corBtnText(0, 0, 0);
inline const QColor corHighlightText(255, 255, 255);
inline const QColor corFundoDesktop(0, 0, 0);
inline const QColor corBtnShadow(160, 160, 160);
inline const QColor corInfoText(0, 0, 0);
inline const QColor corMenuText(0, 0, 0);
inline const QColor corWindowText(0, 0, 0);
inline const QColor corScrollbar(200, 200, 200);
inline const QColor corLegendaLotacao(0xFF, 0xFF, 0xFF);

inline QFont fonte(const QString& familia, double pontos, bool negrito = false)
{
    QFont f(familia);
    // A zero or negative size read from a damaged row would leave Qt's default size and a
    // warning; the value itself is kept as read.
    f.setPointSizeF(std::max(pontos, 1.0));
    f.setBold(negrito);
    return f;
}

inline void pintarFundo(QWidget* w, const QColor& cor)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, cor);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A plain-text caption in one colour: what the operator types shows as typed.
template <class Rotulo = QLabel>
Rotulo* rotulo(QWidget* pai, const QString& nome, const QString& texto, const QFont& f, const QColor& cor,
               Qt::Alignment alinhamento = Qt::AlignHCenter | Qt::AlignTop)
{
    auto* l = new Rotulo(texto, pai);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setFont(f);
    l->setAlignment(alinhamento);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, cor);
    l->setPalette(p);
    return l;
}

} // namespace painelSimplesInterno
