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

// A column chart as the handlers use it: series (columns) and categories (rows), 1-based,
// a current series and a current category, a label per category and the value of the
// current point set as text and read back as the text of its number.
class DestinoGrafico {
public:
    virtual ~DestinoGrafico() = default;
    virtual int columnCount() const = 0;
    virtual void setColumnCount(int n) = 0;
    virtual int column() const = 0;
    virtual void setColumn(int c) = 0;
    virtual int rowCount() const = 0;
    virtual void setRowCount(int n) = 0;
    virtual int row() const = 0;
    virtual void setRow(int r) = 0;
    virtual QString rowLabel() const = 0;
    virtual void setRowLabel(const QString& rotulo) = 0;
    virtual QString data() const = 0;
    virtual void setData(const QString& valor) = 0;
};

class DestinoPainelAvancado {
public:
    virtual ~DestinoPainelAvancado() = default;
    virtual void definirLotacao(const QString& texto) = 0;   // lbl_lotacao
    virtual void definirTotal(const QString& texto) = 0;     // lbl_total
    virtual void definirMes(const QString& texto) = 0;       // lbl_mes
    virtual void definirMediaDia(const QString& texto) = 0;  // lbl_mediaDia
    virtual void definirMediaHora(const QString& texto) = 0; // lbl_mediaHora

    // Update stamps beside the live figures and the month figure.
    virtual void definirAtualizadoAgora(const QString& texto) = 0;    // lbl_atualizadoAgora
    virtual void definirAtualizadoHoje(const QString& texto) = 0;     // lbl_atualizadoHoje
    virtual void definirAtualizadoMedia(const QString& texto) = 0;    // lbl_atualizadoMedia
    virtual void definirAtualizadoTotalMes(const QString& texto) = 0; // lbl_atualizadoTotalMes
    virtual void exibirAtualizarAgora() = 0;                          // pic_atualizarAgora visible
    virtual void exibirAtualizarTotalMes() = 0;                       // pic_atualizarTotalMes visible

    // The polling cycle back to its normal pace.
    virtual void normalizarTimerBaseTempo() = 0;
    // Whether the three month pages were requested since the last full month refresh.
    virtual bool leuMesCompleto() const = 0;

    virtual DestinoGrafico& chartMes() = 0;
    virtual DestinoGrafico& chartDia() = 0;

    // First and last business hour (0 to 23), read from the settings on every call.
    virtual int inicioExpediente() = 0;
    virtual int fimExpediente() = 0;
};

} // namespace controle
