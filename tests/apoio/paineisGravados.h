#pragma once

// Panels that record what the reply handlers write into them.
#include "destinos.h"

#include <QMap>
#include <QStringList>

class GraficoGravado : public controle::DestinoGrafico {
public:
    int columnCount() const override { return 1; }
    void setColumnCount(int) override {}
    int column() const override { return m_coluna; }
    void setColumn(int c) override { m_coluna = c; }
    int rowCount() const override { return 24; }
    void setRowCount(int) override {}
    int row() const override { return m_linha; }
    void setRow(int r) override { m_linha = r; }
    QString rowLabel() const override { return rotulos.value(m_linha); }
    void setRowLabel(const QString& r) override { rotulos[m_linha] = r; }
    QString data() const override { return dados.value(m_linha); }
    void setData(const QString& v) override { dados[m_linha] = v; }
    QMap<int, QString> rotulos;
    QMap<int, QString> dados;

private:
    int m_coluna = 0;
    int m_linha = 0;
};

// Records every figure and stamp as "name=text" in call order; the charts keep their points.
class PainelAvancadoGravado : public controle::DestinoPainelAvancado {
public:
    void definirLotacao(const QString& t) override { log << QStringLiteral("lotacao=") + t; }
    void definirTotal(const QString& t) override { log << QStringLiteral("total=") + t; }
    void definirMes(const QString& t) override { log << QStringLiteral("mes=") + t; }
    void definirMediaDia(const QString& t) override { log << QStringLiteral("mediaDia=") + t; }
    void definirMediaHora(const QString& t) override { log << QStringLiteral("mediaHora=") + t; }
    void definirAtualizadoAgora(const QString& t) override { log << QStringLiteral("agora=") + t; }
    void definirAtualizadoHoje(const QString& t) override { log << QStringLiteral("hoje=") + t; }
    void definirAtualizadoMedia(const QString& t) override { log << QStringLiteral("media=") + t; }
    void definirAtualizadoTotalMes(const QString& t) override { log << QStringLiteral("totalMes=") + t; }
    void exibirAtualizarAgora() override {}
    void exibirAtualizarTotalMes() override {}
    void normalizarTimerBaseTempo() override {}
    bool leuMesCompleto() const override { return mesCompleto; }
    controle::DestinoGrafico& chartMes() override { return mes; }
    controle::DestinoGrafico& chartDia() override { return dia; }
    int inicioExpediente() override { return inicio; }
    int fimExpediente() override { return fim; }

    QStringList log;
    GraficoGravado mes;
    GraficoGravado dia;
    bool mesCompleto = false;
    int inicio = 8;
    int fim = 10;
};

class PainelSimplesGravado : public controle::DestinoPainelSimples {
public:
    void definirLotacao(const QString& t) override { log << QStringLiteral("lotacao=") + t; }
    void definirTotal(const QString& t) override { log << QStringLiteral("total=") + t; }
    QStringList log;
};
