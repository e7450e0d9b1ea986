#include "relatorios.h"

#include "banco.h"
#include "constantes.h"
#include "datas.h"
#include "mensagens.h"
#include "serie.h"
#include "textos.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

#include <algorithm>

namespace relatorios {

namespace {

// A read-only connection for one report: nothing here ever writes, and a file marked
// read-only still gives its reports.
class Leitura {
public:
    Leitura()
    {
        // Unique for as long as the connection is registered, without a shared counter.
        m_nome = QStringLiteral("fluxora-relatorio-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        const QString caminho = banco::caminhoBanco();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nome);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=200"));
        QUrl url = QUrl::fromLocalFile(caminho);
        url.setScheme(QStringLiteral("file"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro"));
        if (!db.open())
            m_erro = db.lastError().text();
    }
    ~Leitura()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_nome, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_nome);
    }
    Leitura(const Leitura&) = delete;
    Leitura& operator=(const Leitura&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_nome, false); }
    bool aberta() const { return m_erro.isEmpty(); }
    QString erro() const { return m_erro; }

private:
    QString m_nome;
    QString m_erro;
};

void avisar(const QString& motivo)
{
    if (mensagens::exibindo())
        return;
    mensagens::Pedido p;
    p.titulo = constantes::tituloAplicacao;
    p.texto = QStringLiteral("Não foi possível ler o histórico em %1.").arg(constantes::nomeBanco);
    if (!motivo.trimmed().isEmpty())
        p.texto += QStringLiteral("\r\n\r\n") + motivo.trimmed();
    p.icone = mensagens::Icone::Aviso;
    mensagens::mostrar(p);
}

// The value of group n (1-based) read as the panel reads it; missing groups are zero. The
// common all-digit group is read directly: a report over decades reads half a million.
int valorGrupo(const QString& serie, int n)
{
    const qsizetype i = 5 * (n - 1);
    if (i + 5 <= serie.size()) {
        int v = 0;
        bool digitos = true;
        for (qsizetype k = i; k < i + 5 && digitos; ++k) {
            const char16_t c = serie.at(k).unicode();
            digitos = c >= u'0' && c <= u'9';
            v = v * 10 + (c - u'0');
        }
        if (digitos)
            return v;
    }
    return ::serie::valor(serie.mid(i, 5));
}

QString colunasDias()
{
    QStringList colunas;
    for (int d = 1; d <= 31; ++d)
        colunas << datas::colunaDia(d);
    return colunas.join(u',');
}

} // namespace

long long Dia::total() const
{
    long long t = 0;
    for (int v : horas)
        t += v;
    return t;
}

std::optional<QList<Dia>> diasRegistrados(const QDate& inicio, const QDate& fim)
{
    QList<Dia> dias;
    if (!inicio.isValid() || !fim.isValid() || fim < inicio)
        return dias;
    Leitura l;
    if (!l.aberta()) {
        avisar(l.erro());
        return std::nullopt;
    }
    QSqlQuery q(l.db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ano, mes, %1 FROM Dias WHERE ano BETWEEN ? AND ? ORDER BY rowid")
                  .arg(colunasDias()));
    q.addBindValue(QString::number(inicio.year()));
    q.addBindValue(QString::number(fim.year()));
    if (!q.exec()) {
        avisar(q.lastError().text());
        return std::nullopt;
    }
    // Only the first row of a month counts, as in every other reader.
    QSet<int> vistos;
    while (q.next()) {
        bool okAno = false, okMes = false;
        const int ano = q.value(0).toString().toInt(&okAno);
        const int mes = q.value(1).toString().toInt(&okMes);
        if (!okAno || !okMes || mes < 1 || mes > 12 || vistos.contains(ano * 100 + mes))
            continue;
        vistos.insert(ano * 100 + mes);
        for (int d = 1; d <= 31; ++d) {
            const QDate data(ano, mes, d);
            if (!data.isValid() || data < inicio || data > fim)
                continue;
            const QVariant v = q.value(1 + d);
            if (v.isNull() || v.toString().isEmpty())
                continue;
            const QString s = v.toString();
            Dia dia;
            dia.data = data;
            for (int h = 0; h < 24; ++h)
                dia.horas[static_cast<size_t>(h)] = valorGrupo(s, h + 1);
            dias << dia;
        }
    }
    std::sort(dias.begin(), dias.end(), [](const Dia& a, const Dia& b) { return a.data < b.data; });
    return dias;
}

std::optional<Ano> resumoDoAno(int ano)
{
    Ano r;
    r.ano = ano;
    Leitura l;
    if (!l.aberta()) {
        avisar(l.erro());
        return std::nullopt;
    }
    QStringList colunas;
    for (int m = 1; m <= 12; ++m)
        colunas << datas::colunaMes(m);
    QSqlQuery q(l.db());
    q.prepare(
        QStringLiteral("SELECT %1 FROM Meses WHERE ano = ? ORDER BY rowid LIMIT 1").arg(colunas.join(u',')));
    q.addBindValue(QString::number(ano));
    if (!q.exec()) {
        avisar(q.lastError().text());
        return std::nullopt;
    }
    if (!q.next())
        return r;
    r.registrado = true;
    for (int m = 1; m <= 12; ++m) {
        const QString s = q.value(m - 1).toString();
        const int diasNoMes = QDate(ano, m, 1).daysInMonth();
        long long soma = 0;
        // Only the days the month has: a stray count on 30 February is no visit.
        for (int d = 1; d <= diasNoMes; ++d)
            soma += valorGrupo(s, d);
        r.meses[static_cast<size_t>(m - 1)] = soma;
        r.total += soma;
    }
    return r;
}

std::optional<QList<int>> anosRegistrados(int anoAtual)
{
    Leitura l;
    if (!l.aberta()) {
        avisar(l.erro());
        return std::nullopt;
    }
    QSqlQuery q(l.db());
    if (!q.exec(QStringLiteral("SELECT DISTINCT ano FROM Meses"))) {
        avisar(q.lastError().text());
        return std::nullopt;
    }
    QList<int> anos;
    while (q.next()) {
        bool ok = false;
        const int a = q.value(0).toString().toInt(&ok);
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
    return strings::doisDigitos(hora) + u'h';
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
