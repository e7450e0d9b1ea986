#include "relatorios.h"

#include "banco.h"
#include "regrasAjustes.h"
#include "serie.h"
#include "textos.h"

#include <QSet>

#include <algorithm>

namespace relatorios {

long long Dia::total() const
{
    long long t = 0;
    for (int v : horas)
        t += v;
    return t;
}

std::optional<QList<Dia>> diasRegistrados(banco::Banco& banco, const QDate& inicio, const QDate& fim)
{
    QList<Dia> dias;
    if (!inicio.isValid() || !fim.isValid() || fim < inicio)
        return dias;
    const auto linhas = banco.lerDiasDosAnos(QString::number(inicio.year()), QString::number(fim.year()));
    if (!linhas)
        return std::nullopt;
    // Only the first row of a month counts, as in every other reader.
    QSet<int> vistos;
    for (const banco::Banco::MesDias& linha : *linhas) {
        bool okAno = false, okMes = false;
        const int ano = linha.ano.toInt(&okAno);
        const int mes = linha.mes.toInt(&okMes);
        if (!okAno || !okMes || mes < 1 || mes > 12 || vistos.contains(ano * 100 + mes))
            continue;
        vistos.insert(ano * 100 + mes);
        for (int d = 1; d <= 31; ++d) {
            const QDate data(ano, mes, d);
            const QString& s = linha.dias.at(d - 1);
            if (!data.isValid() || data < inicio || data > fim || s.isEmpty())
                continue;
            Dia dia;
            dia.data = data;
            for (int h = 0; h < 24; ++h)
                dia.horas[static_cast<size_t>(h)] = serie::valorGrupo(s, h + 1);
            dias << dia;
        }
    }
    std::sort(dias.begin(), dias.end(), [](const Dia& a, const Dia& b) { return a.data < b.data; });
    return dias;
}

std::optional<Ano> resumoDoAno(banco::Banco& banco, int ano)
{
    Ano r;
    r.ano = ano;
    const std::optional<QStringList> meses = banco.lerAno(QString::number(ano));
    if (!meses)
        return std::nullopt;
    if (meses->isEmpty())
        return r;
    r.registrado = true;
    for (int m = 1; m <= 12; ++m) {
        const QString& s = meses->at(m - 1);
        const int diasNoMes = QDate(ano, m, 1).daysInMonth();
        long long soma = 0;
        // Only the days the month has: a stray count on 30 February is no visit.
        for (int d = 1; d <= diasNoMes; ++d)
            soma += serie::valorGrupo(s, d);
        r.meses[static_cast<size_t>(m - 1)] = soma;
        r.total += soma;
    }
    return r;
}

std::optional<QList<int>> anosRegistrados(banco::Banco& banco, int anoAtual)
{
    const std::optional<QStringList> registrados = banco.listarAnos();
    if (!registrados)
        return std::nullopt;
    QList<int> anos;
    for (const QString& texto : *registrados) {
        bool ok = false;
        const int a = texto.toInt(&ok);
        if (ok && a > 0 && !anos.contains(a))
            anos << a;
    }
    if (anos.isEmpty())
        anos << anoAtual;
    std::sort(anos.begin(), anos.end(), std::greater<>());
    return anos;
}

MapaHoras horasMovimentadas(const QList<Dia>& dias)
{
    MapaHoras m;
    std::array<std::array<long long, 24>, 7> somas{};
    for (const Dia& d : dias) {
        const auto s = static_cast<size_t>(d.data.dayOfWeek() - 1);
        ++m.dias[s];
        for (size_t h = 0; h < 24; ++h)
            somas[s][h] += d.horas[h];
    }
    for (size_t s = 0; s < 7; ++s) {
        if (m.dias[s] == 0)
            continue;
        for (size_t h = 0; h < 24; ++h) {
            m.media[s][h] = static_cast<double>(somas[s][h]) / m.dias[s];
            m.maximo = std::max(m.maximo, m.media[s][h]);
        }
    }
    return m;
}

std::pair<QDate, QDate> ultimasSemanas(int semanas, const QDate& hoje)
{
    const QDate fim = hoje.addDays(-1);
    return {fim.addDays(-7 * static_cast<qint64>(semanas) + 1), fim};
}

std::optional<Expediente> lerExpediente(banco::Banco& banco)
{
    banco::PainelAvancado p;
    if (!banco.lerPainelAvancado(p))
        return std::nullopt;
    Expediente e;
    e.inicio = std::clamp(static_cast<int>(strings::valorNumerico(p.cmb_inicio)), 0, 23);
    e.fim = std::clamp(static_cast<int>(strings::valorNumerico(p.cmb_fim)), 0, 23);
    return e;
}

QString nomeDiaSemana(int diaDaSemana)
{
    static const char* const nomes[] = {"segunda-feira", "terça-feira", "quarta-feira", "quinta-feira",
                                        "sexta-feira",   "sábado",      "domingo"};
    if (diaDaSemana < 1 || diaDaSemana > 7)
        return {};
    return QString::fromUtf8(nomes[diaDaSemana - 1]);
}

QString nomeHora(int hora)
{
    return ajustes::textoHora(hora);
}

QByteArray csvPeriodo(const QList<Dia>& dias)
{
    QByteArray r("\xEF\xBB\xBF");
    r.reserve(3 + 160 * (dias.size() + 1));
    QString cabecalho = QStringLiteral("Data;Dia da semana;Total");
    for (int h = 0; h < 24; ++h)
        cabecalho += u';' + nomeHora(h);
    r += cabecalho.toUtf8() + "\r\n";
    for (const Dia& d : dias) {
        r += d.data.toString(QStringLiteral("dd/MM/yyyy")).toUtf8() + ';' +
             nomeDiaSemana(d.data.dayOfWeek()).toUtf8() + ';' + QByteArray::number(d.total());
        for (int v : d.horas)
            r += ';' + QByteArray::number(v);
        r += "\r\n";
    }
    return r;
}

QString nomeArquivoPeriodo(const QDate& inicio, const QDate& fim, const QString& extensao)
{
    return QStringLiteral("visitas_") + inicio.toString(Qt::ISODate) + u'_' + fim.toString(Qt::ISODate) +
           extensao;
}

} // namespace relatorios
