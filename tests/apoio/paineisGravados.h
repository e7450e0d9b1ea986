#pragma once

// Panels that record what the reply handlers write into them, in call order.
#include "destinos.h"

#include <QMap>
#include <QStringList>

class GraficoGravado : public controle::DestinoGrafico {
public:
    explicit GraficoGravado(QString nome, QStringList& log) : m_nome(std::move(nome)), m_log(log) {}
    int columnCount() const override { return 1; }
    void setColumnCount(int) override {}
    int column() const override { return m_coluna; }
    void setColumn(int c) override
    {
        m_coluna = c;
        m_log << m_nome + QStringLiteral(".Column=") + QString::number(c);
    }
    int rowCount() const override { return 24; }
    void setRowCount(int) override {}
    int row() const override { return m_linha; }
    void setRow(int r) override { m_linha = r; }
    QString rowLabel() const override { return rotulos.value(m_linha); }
    void setRowLabel(const QString& r) override { rotulos[m_linha] = r; }
    QString data() const override { return dados.value(m_linha); }
    void setData(const QString& v) override
    {
        dados[m_linha] = v;
        m_log << m_nome + QStringLiteral("[%1]=%2").arg(m_linha).arg(v);
    }
    QMap<int, QString> rotulos;
    QMap<int, QString> dados;

private:
    QString m_nome;
    QStringList& m_log;
    int m_coluna = 0;
    int m_linha = 0;
};

// Records every write as "operation=value" in call order.
class PainelAvancadoGravado : public controle::DestinoPainelAvancado {
public:
    void definirLotacao(const QString& t) override { log << "lotacao=" + t; }
    void definirTotal(const QString& t) override { log << "total=" + t; }
    void definirMes(const QString& t) override { log << "mes=" + t; }
    void definirMediaDia(const QString& t) override { log << "mediaDia=" + t; }
    void definirMediaHora(const QString& t) override { log << "mediaHora=" + t; }
    void definirAtualizadoAgora(const QString& t) override { log << "agora=" + t; }
    void definirAtualizadoHoje(const QString& t) override { log << "hoje=" + t; }
    void definirAtualizadoMedia(const QString& t) override { log << "media=" + t; }
    void definirAtualizadoTotalMes(const QString& t) override { log << "totalMes=" + t; }
    void exibirAtualizarAgora() override { log << QStringLiteral("pic_atualizarAgora"); }
    void exibirAtualizarTotalMes() override { log << QStringLiteral("pic_atualizarTotalMes"); }
    void normalizarTimerBaseTempo() override { log << QStringLiteral("normalizar"); }
    bool leuMesCompleto() const override { return mesCompleto; }
    controle::DestinoGrafico& chartMes() override { return mes; }
    controle::DestinoGrafico& chartDia() override { return dia; }
    int inicioExpediente() override { return inicio; }
    int fimExpediente() override { return fim; }

    QStringList log;
    GraficoGravado mes{QStringLiteral("chartMes"), log};
    GraficoGravado dia{QStringLiteral("chartDia"), log};
    bool mesCompleto = false;
    int inicio = 8;
    int fim = 10;
};

class PainelSimplesGravado : public controle::DestinoPainelSimples {
public:
    void definirLotacao(const QString& t) override { log << "lotacao=" + t; }
    void definirTotal(const QString& t) override { log << "total=" + t; }
    QStringList log;
};
