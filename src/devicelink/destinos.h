#pragma once

#include <QString>

// What the reply handlers write into the two panels. The panels implement these; the
// handlers reach them only through these interfaces (the windows live above this library).
namespace controle {

class DestinoPainelSimples {
public:
    virtual ~DestinoPainelSimples() = default;
    virtual void definirLotacao(const QString& texto) = 0; // lbl_lotacao
    virtual void definirTotal(const QString& texto) = 0;   // lbl_total
};

class DestinoPainelAvancado {
public:
    virtual ~DestinoPainelAvancado() = default;
    virtual void definirLotacao(const QString& texto) = 0; // lbl_lotacao
    virtual void definirTotal(const QString& texto) = 0;   // lbl_total
    // Further operations (charts, stamps, month figures, business hours, ...) are added here
    // by the live-data work.
};

} // namespace controle
