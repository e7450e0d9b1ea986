#pragma once
// In-memory stand-ins for the two panels and their charts, for the fuzzer and the
// benchmarks: no widgets, every write kept so a run can be checked afterwards.

#include "destinos.h"
#include "textos.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace falsos {

// A column chart as a grid of columns x rows of texts, 1-based. A write outside the grid is
// counted, not stored: a real chart has no such cell, so a handler doing it is at fault.
class Grafico : public controle::DestinoGrafico {
public:
    Grafico(int colunas, int linhas) { redimensionar(colunas, linhas); }

    int columnCount() const override { return m_colunas; }
    void setColumnCount(int n) override { redimensionar(n, m_linhas); }
    int column() const override { return m_coluna; }
    void setColumn(int c) override { m_coluna = c; }
    int rowCount() const override { return m_linhas; }
    void setRowCount(int n) override { redimensionar(m_colunas, n); }
    int row() const override { return m_linha; }
    void setRow(int r) override { m_linha = r; }
    QString rowLabel() const override { return dentro(1, m_linha) ? m_rotulos.at(m_linha - 1) : QString(); }
    void setRowLabel(const QString& rotulo) override
    {
        if (dentro(1, m_linha))
            m_rotulos[m_linha - 1] = rotulo;
        else
            ++foraDaGrade;
    }
    // Read back as the text of its number, as the real chart does: "00042" gives "42".
    QString data() const override
    {
        return dentro(m_coluna, m_linha)
                   ? strings::textoNumero(strings::valorNumerico(celula(m_coluna, m_linha)))
                   : QStringLiteral("0");
    }
    void setData(const QString& valor) override
    {
        if (dentro(m_coluna, m_linha))
            m_celulas[indice(m_coluna, m_linha)] = valor;
        else
            ++foraDaGrade;
    }

    QString celula(int coluna, int linha) const { return m_celulas.at(indice(coluna, linha)); }
    QString rotulo(int linha) const { return m_rotulos.at(linha - 1); }

    int foraDaGrade = 0;

private:
    // A chart keeps at least one series and one category.
    void redimensionar(int colunas, int linhas)
    {
        m_colunas = std::max(1, colunas);
        m_linhas = std::max(1, linhas);
        m_celulas = QList<QString>(static_cast<qsizetype>(m_colunas) * m_linhas);
        m_rotulos = QList<QString>(m_linhas);
    }
    bool dentro(int coluna, int linha) const
    {
        return coluna >= 1 && coluna <= m_colunas && linha >= 1 && linha <= m_linhas;
    }
    qsizetype indice(int coluna, int linha) const
    {
        return static_cast<qsizetype>(coluna - 1) * m_linhas + (linha - 1);
    }

    int m_colunas = 1;
    int m_linhas = 1;
    int m_coluna = 1;
    int m_linha = 1;
    QList<QString> m_celulas;
    QList<QString> m_rotulos;
};

class PainelSimples : public controle::DestinoPainelSimples {
public:
    void definirLotacao(const QString& texto) override { lotacao = texto; }
    void definirTotal(const QString& texto) override { total = texto; }
    QString lotacao, total;
};

// Business hours as the settings give them (0 to 23); the day chart gets their rows, as the
// advanced panel sets it up.
class PainelAvancado : public controle::DestinoPainelAvancado {
public:
    PainelAvancado(int inicio, int fim, bool mesCompleto)
        : m_inicio(inicio), m_fim(fim), m_mesCompleto(mesCompleto), m_mes(1, 31), m_dia(1, fim - inicio + 1)
    {
    }

    void definirLotacao(const QString& t) override { lotacao = t; }
    void definirTotal(const QString& t) override { total = t; }
    void definirMes(const QString& t) override { mes = t; }
    void definirMediaDia(const QString& t) override { mediaDia = t; }
    void definirMediaHora(const QString& t) override { mediaHora = t; }
    void definirAtualizadoAgora(const QString& t) override { atualizadoAgora = t; }
    void definirAtualizadoHoje(const QString& t) override { atualizadoHoje = t; }
    void definirAtualizadoMedia(const QString& t) override { atualizadoMedia = t; }
    void definirAtualizadoTotalMes(const QString& t) override { atualizadoTotalMes = t; }
    void exibirAtualizarAgora() override { ++atualizarAgora; }
    void exibirAtualizarTotalMes() override { ++atualizarTotalMes; }
    void normalizarTimerBaseTempo() override { ++normalizacoes; }
    bool leuMesCompleto() const override { return m_mesCompleto; }
    controle::DestinoGrafico& chartMes() override { return m_mes; }
    controle::DestinoGrafico& chartDia() override { return m_dia; }
    int inicioExpediente() override { return m_inicio; }
    int fimExpediente() override { return m_fim; }

    Grafico& graficoMes() { return m_mes; }
    Grafico& graficoDia() { return m_dia; }

    QString lotacao, total, mes, mediaDia, mediaHora;
    QString atualizadoAgora, atualizadoHoje, atualizadoMedia, atualizadoTotalMes;
    int atualizarAgora = 0, atualizarTotalMes = 0, normalizacoes = 0;

private:
    int m_inicio;
    int m_fim;
    bool m_mesCompleto;
    Grafico m_mes;
    Grafico m_dia;
};

} // namespace falsos
