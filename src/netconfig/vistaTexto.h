#pragma once

#include "ethernet.h"

#include <QPlainTextEdit>

// A read-only text view fed by an EspelhoTexto: the whole text on a replacement, the new tail
// appended otherwise, the end kept in sight.
inline ethernet::EspelhoTexto::Vista vistaDeTexto(QPlainTextEdit* vista)
{
    // An undo history would only keep every reply ever shown.
    vista->setUndoRedoEnabled(false);
    return {[vista](const QString& texto) {
                vista->setPlainText(texto);
                vista->moveCursor(QTextCursor::End);
            },
            [vista](const QString& cauda) {
                vista->moveCursor(QTextCursor::End);
                vista->insertPlainText(cauda);
                vista->moveCursor(QTextCursor::End);
            }};
}
