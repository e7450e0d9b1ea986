#include "historico.h"

#include "serie.h"
#include "textos.h"

#include <QStringList>

#include <algorithm>

namespace historico {

namespace {
// A stored group as the chart gets it: digits only, so a damaged group never charts negative.
QString grupoLido(const QString& grupo)
{
    return grupo.trimmed().isEmpty() ? grupo : QString::number(serie::valor(grupo));
}
} // namespace

void defineLegendaColunasChartMes(controle::DestinoGrafico& g)
{
    g.setRowCount(31);
    const int n = g.rowCount();
    for (int i = 1; i <= n; ++i) {
        g.setRow(i);
        g.setRowLabel(QString::number(i));
    }
}

void defineLegendaColunasChartDia(controle::DestinoGrafico& g, int inicio, int fim)
{
    g.setRowCount(fim - inicio + 1);
    const int n = g.rowCount();
    for (int i = 1; i <= n; ++i) {
        g.setRow(i);
        g.setRowLabel(QString::number(inicio + i - 1));
    }
}

Figuras preencherMes(const QString& dadosMes, controle::DestinoGrafico& g)
{
    g.setColumn(2);
    Figuras f;
    long long dias = 0;
    int categoria = 0;
    for (int i = 1; i <= 151; i += 5) {
        ++categoria;
        g.setRow(categoria);
        g.setData(grupoLido(dadosMes.mid(i - 1, 5)));
        const auto v = static_cast<long long>(strings::valorNumerico(g.data()));
        f.total += v;
        if (v > 0)
            ++dias;
    }
    f.media = f.total / std::max(dias, 1LL);
    return f;
}

Figuras preencherDia(const QString& dadosDia, int inicio, controle::DestinoGrafico& g)
{
    g.setColumn(2);
    Figuras f;
    long long horas = 0;
    int categoria = 0;
    // A first hour outside the day reads nothing rather than a wrong part of the column.
    const bool horaValida = inicio >= 0 && inicio <= 23;
    for (int j = 1; j <= 120; j += 5) {
        ++categoria;
        if (categoria > g.rowCount())
            break;
        g.setRow(categoria);
        g.setData(horaValida ? grupoLido(dadosDia.mid(5 * inicio + j - 1, 5)) : QString());
        const auto v = static_cast<long long>(strings::valorNumerico(g.data()));
        f.total += v;
        if (v > 0)
            ++horas;
    }
    f.media = f.total / std::max(horas, 1LL);
    return f;
}

QList<std::pair<QString, QString>> pontosHistorico(controle::DestinoGrafico& g)
{
    g.setColumn(2);
    QList<std::pair<QString, QString>> r;
    const int n = g.rowCount();
    for (int i = 1; i <= n; ++i) {
        g.setRow(i);
        // A point without a value is a day without visits: the file holds counts.
        const QString valor = g.data();
        r.append({g.rowLabel(), valor.isEmpty() ? QStringLiteral("0") : valor});
    }
    return r;
}

QStringList mesesDoAno()
{
    QStringList r;
    for (int m = 1; m <= 12; ++m)
        r << strings::doisDigitos(m);
    return r;
}

QStringList diasDoMes()
{
    QStringList r;
    for (int d = 1; d <= 31; ++d)
        r << strings::doisDigitos(d);
    return r;
}

Demonstracao demonstracao(int inicio, int fim, const std::function<double()>& aleatorio)
{
    Demonstracao d;
    for (int h = inicio; h <= fim; ++h) {
        const int v = static_cast<int>(aleatorio() * 60);
        d.horas.append(v);
        d.totalHoje += v;
        d.lotacao = v;
    }
    // The mean is over the hours filled: fim - inicio would divide by zero with one hour.
    if (!d.horas.isEmpty())
        d.mediaHora = d.totalHoje / d.horas.size();
    for (int dia = 1; dia <= 31; ++dia) {
        const int v = static_cast<int>(aleatorio() * 500);
        d.dias.append(v);
        d.totalMes += v;
    }
    d.mediaDia = d.totalMes / 31;
    return d;
}

} // namespace historico
