#include "controle.h"

#include "banco.h"
#include "constantes.h"
#include "costuras.h"
#include "datas.h"
#include "ethernet.h"
#include "serie.h"
#include "textos.h"

#include <algorithm>
#include <cmath>

namespace controle {

namespace {

const QString atualizando = QStringLiteral("Atualizando...");

// The date a handler works for: the one its reply was keyed by, else today.
QDate ouHoje(const QDate& dia)
{
    return dia.isValid() ? dia : datas::hoje();
}

QDate inicioDoMes(const QDate& dia)
{
    return QDate(dia.year(), dia.month(), 1);
}

// Around midnight the device's own clock may be this far either side of the computer's.
constexpr int janelaMeiaNoiteS = 15 * 60;

// The number in the hour or day marker of the page's entries, and their range.
struct Faixa {
    QString (*marcador)(int);
    int de;
    int ate;
};

std::optional<Faixa> faixaDaPagina(const QString& pagina)
{
    if (pagina == QLatin1String("/1"))
        return Faixa{marcadorDia, 1, 12};
    if (pagina == QLatin1String("/2"))
        return Faixa{marcadorDia, 13, 24};
    if (pagina == QLatin1String("/3"))
        return Faixa{marcadorDia, 25, 31};
    if (pagina == QLatin1String("/4"))
        return Faixa{marcadorHora, 0, 11};
    if (pagina == QLatin1String("/5"))
        return Faixa{marcadorHoraDoisDigitos, 12, 23};
    if (pagina == QLatin1String("/6"))
        return Faixa{marcadorHora, 35, 35}; // the occupancy (34) falls during the day: not a clock
    return std::nullopt;
}

// A slot not read yet takes the group already recorded for it, else zero: a missing entry
// never writes over what the file holds.
QStringList comGravado(QStringList slots, const std::optional<QString>& gravado)
{
    for (qsizetype k = 0; k < slots.size(); ++k)
        if (slots[k].isEmpty() && gravado)
            slots[k] = serie::grupo(*gravado, static_cast<int>(k) + 1);
    return slots;
}

} // namespace

bool respostaValida(const QString& texto)
{
    return texto.contains(constantes::marcadorStatus);
}

std::optional<QString> lerValorCampo(const QString& texto, const QString& marcador)
{
    const qsizetype p = texto.indexOf(marcador);
    if (p < 0)
        return std::nullopt;
    // Positions are not limited: a marker anywhere in the text is read.
    return texto.mid(p + marcador.size() + 6, 5);
}

QString comoTexto(const QString& campo)
{
    return campo.size() == 5 ? campo : QStringLiteral("00000");
}

QString comoNumero(const QString& campo)
{
    return strings::textoNumero(strings::valorNumerico(campo));
}

std::optional<QString> lerEntrada(const QString& texto, const QString& marcador)
{
    std::optional<QString> campo = lerValorCampo(texto, marcador);
    if (!campo || campo->size() != 5)
        return std::nullopt;
    for (const QChar c : *campo)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return campo;
}

QString marcadorHora(int n)
{
    return QStringLiteral("\"h\":") + QString::number(n) + u',';
}
QString marcadorDia(int n)
{
    return QStringLiteral("\"d\":") + QString::number(n) + u',';
}
QString marcadorHoraDoisDigitos(int n)
{
    return QStringLiteral("\"h\":") + strings::doisDigitos(n) + u',';
}

void lerHorasManha(const QString& texto, HorasDia& horas)
{
    for (int h = 0; h <= 11; ++h) {
        // A morning hour above 2000 visits is a device glitch, not a count.
        if (const std::optional<QString> campo = lerEntrada(texto, marcadorHora(h)); campo)
            horas[static_cast<size_t>(h)] = campo->toInt() > 2000 ? QStringLiteral("00000") : *campo;
    }
}

void lerHorasTarde(const QString& texto, HorasDia& horas)
{
    for (int h = 12; h <= 23; ++h)
        if (const std::optional<QString> campo = lerEntrada(texto, marcadorHoraDoisDigitos(h)); campo)
            horas[static_cast<size_t>(h)] = *campo;
}

void lerDias(const QString& texto, int de, int ate, int hoje, DiasMes& dias,
             const std::function<void(int, const QString&)>& aoLer)
{
    for (int d = de; d <= ate && d <= 31; ++d) {
        QString& slot = dias[static_cast<size_t>(d - 1)];
        // Days still to come count as zero, whatever the device sent for them.
        if (d > hoje)
            slot = QStringLiteral("00000");
        else if (const std::optional<QString> campo = lerEntrada(texto, marcadorDia(d)); campo)
            slot = *campo;
        if (aoLer && !slot.isEmpty())
            aoLer(d, slot);
    }
}

bool respostaInteira(const QString& texto)
{
    // The body is one object: a reply that stops before its closing brace was cut short.
    for (qsizetype i = texto.size() - 1; i >= 0; --i)
        if (!texto.at(i).isSpace())
            return texto.at(i) == u'}';
    return false;
}

QString textoMedia(double soma, int n)
{
    if (n < 1)
        return QStringLiteral("---");
    return strings::textoNumero(std::floor(soma / n));
}

Controle::Controle(ethernet::Conexao* conexao, banco::Banco& banco, Paineis paineis)
    : m_conexao(conexao), m_banco(banco), m_paineis(std::move(paineis))
{
}

DestinoPainelSimples* Controle::painelSimples() const
{
    return m_paineis.simples ? m_paineis.simples() : nullptr;
}
DestinoPainelAvancado* Controle::painelAvancado() const
{
    return m_paineis.avancado ? m_paineis.avancado() : nullptr;
}

// Empties hours de..ate, read on another date than today's.
void Controle::esquecerHoras(int de, int ate)
{
    for (int h = de; h <= ate; ++h)
        m_horasHoje[static_cast<size_t>(h)].clear();
}

bool Controle::mesLidoPorInteiro(const QDate& dia) const
{
    return m_mesDosDias == inicioDoMes(ouHoje(dia)) && m_paginasMes == 0b111;
}

bool Controle::diaLidoPorInteiro(const QDate& dia) const
{
    const QDate hoje = ouHoje(dia);
    return m_dataManha == hoje && m_dataTarde == hoje;
}

void Controle::solicitarPagina(int n)
{
    m_banco.lerEthernet(m_endereco); // a failed read keeps the last address
    if (!m_conexao)
        return;
    m_conexao->definirSubPagina(QStringLiteral("/") + QString::number(n));
    QString caminho;
    m_conexao->conectarUrl(
        ethernet::montarUrl(m_endereco.ip1, m_endereco.ip2, m_endereco.ip3, m_endereco.ip4), caminho);
}

void Controle::solicitarPagina6()
{
    solicitarPagina(6);
}

void Controle::prepararGraficos()
{
    if (auto* p = painelAvancado()) {
        p->chartMes().setColumn(1);
        p->chartDia().setColumn(1);
    }
}

bool Controle::lerContagemAtual(const QString& texto)
{
    // Each label is written from a fresh search; an entry missing from the reply or unreadable
    // leaves its label as it was.
    const auto lotacao = lerEntrada(texto, marcadorHora(34));
    const auto total = lerEntrada(texto, marcadorHora(35));
    if (lotacao)
        m_ultimaLotacao = comoNumero(*lotacao);
    if (total)
        m_ultimoTotal = comoNumero(*total);
    if (lotacao)
        if (auto* p = painelSimples())
            p->definirLotacao(comoNumero(*lotacao));
    if (total)
        if (auto* p = painelSimples())
            p->definirTotal(comoNumero(*total));
    if (lotacao)
        if (auto* p = painelAvancado())
            p->definirLotacao(comoNumero(*lotacao));
    if (total)
        if (auto* p = painelAvancado())
            p->definirTotal(comoNumero(*total));
    return lotacao || total;
}

void Controle::carimbarLeituraAtual()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    p->definirAtualizadoAgora(datas::carimbo());
    p->definirAtualizadoHoje(datas::carimbo());
    p->definirAtualizadoMedia(datas::carimbo());
    p->exibirAtualizarAgora();
    p->normalizarTimerBaseTempo();
}

void Controle::carimbarHistoricoMes()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    p->definirMes(strings::textoNumero(m_totalVisitasMes));
    p->definirAtualizadoTotalMes(datas::carimbo());
    p->exibirAtualizarTotalMes();
}

void Controle::lerHorasManha(const QString& texto, const QDate& dia)
{
    const QDate hoje = ouHoje(dia);
    if (m_dataTarde != hoje)
        esquecerHoras(12, 23);
    m_dataManha = hoje;
    if (auto* p = painelAvancado()) {
        p->definirAtualizadoAgora(atualizando);
        p->definirAtualizadoHoje(atualizando);
        p->definirAtualizadoMedia(atualizando);
    }
    controle::lerHorasManha(texto, m_horasHoje);
}

void Controle::lerHorasTarde(const QString& texto, const QDate& dia)
{
    const QDate hoje = ouHoje(dia);
    if (m_dataManha != hoje)
        esquecerHoras(0, 11);
    m_dataTarde = hoje;
    controle::lerHorasTarde(texto, m_horasHoje);
}

void Controle::preencherGraficoDia()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    const int ini = p->inicioExpediente();
    const int fim = p->fimExpediente();
    DestinoGrafico& grafico = p->chartDia();
    grafico.setColumn(1);
    for (int k = 0; k <= fim - ini; ++k) {
        const int hora = ini + k;
        if (hora < 0 || hora >= static_cast<int>(m_horasHoje.size()))
            break;
        grafico.setRow(k + 1);
        grafico.setRowLabel(QString::number(hora));
        grafico.setData(m_horasHoje[static_cast<size_t>(hora)]);
    }
}

// Days de..ate into diasMes and column 1 of the month chart. The month total is then the sum
// of the month's days as held now, so a lone page between full readings never counts its
// days twice. Days held from another month are dropped first: they are not this month's.
void Controle::lerDiasMes(const QString& texto, int de, int ate, const QDate& dia)
{
    DestinoPainelAvancado* p = painelAvancado();
    auto mostrar = [p](int d, const QString& valor) {
        if (!p)
            return;
        DestinoGrafico& grafico = p->chartMes();
        grafico.setRow(d);
        grafico.setRowLabel(QString::number(d));
        grafico.setData(valor);
    };
    const QDate hoje = ouHoje(dia);
    if (m_mesDosDias != inicioDoMes(hoje)) {
        const bool haviaDias = m_mesDosDias.isValid();
        m_diasMes.fill(QString());
        m_mesDosDias = inicioDoMes(hoje);
        m_paginasMes = 0;
        // Until the next full reading the chart shows none of the old month's days either.
        for (int d = 1; haviaDias && d <= 31; ++d)
            if (d < de || d > ate)
                mostrar(d, QStringLiteral("00000"));
    }
    lerDias(texto, de, ate, hoje.day(), m_diasMes, mostrar);
    m_paginasMes |= 1 << ((de - 1) / 12);
    m_totalVisitasMes = 0;
    for (int k = 0; k < 31; ++k)
        m_totalVisitasMes += strings::valorNumerico(m_diasMes[static_cast<size_t>(k)]);
}

void Controle::lerDiasPagina1(const QString& texto, const QDate& dia)
{
    if (auto* p = painelAvancado())
        p->definirAtualizadoTotalMes(atualizando);
    lerDiasMes(texto, 1, 12, dia);
}

void Controle::lerDiasPagina2(const QString& texto, const QDate& dia)
{
    // Between full readings a lone "/2" is not added in again.
    if (auto* p = painelAvancado(); p && p->leuMesCompleto())
        return;
    lerDiasMes(texto, 13, 24, dia);
}

void Controle::lerDiasPagina3(const QString& texto, const QDate& dia)
{
    lerDiasMes(texto, 25, 31, dia);
}

void Controle::exibirMediaDiaria()
{
    // Over the days with at least one visit, as its tooltip says; by 1 when there is none.
    int n = 0;
    for (int d = 1; d <= 31; ++d)
        if (strings::valorNumerico(m_diasMes[static_cast<size_t>(d - 1)]) != 0)
            ++n;
    if (auto* p = painelAvancado())
        p->definirMediaDia(textoMedia(m_totalVisitasMes, std::max(n, 1)));
}

void Controle::gravarMes(const QDate& dia)
{
    const QDate hoje = ouHoje(dia);
    if (m_mesDosDias != inicioDoMes(hoje))
        return;
    const QString ano = hoje.toString(QStringLiteral("yyyy"));
    QStringList slots(m_diasMes.begin(), m_diasMes.end() - 1);
    std::optional<QString> gravado;
    // A day not read since start-up (a page lost, an entry missing) keeps its recorded count.
    if (slots.contains(QString()) && !(gravado = m_banco.lerMes(ano, hoje.month())))
        return;
    m_banco.gravarMes(ano, hoje.month(), serie::montar(comGravado(slots, gravado) << QString()));
}

void Controle::exibirMediaHoraria()
{
    auto* p = painelAvancado();
    if (!p)
        return;
    const int a = p->inicioExpediente();
    const int b = p->fimExpediente();
    double s = 0;
    int n = 0;
    for (int h = std::max(a, 0); h <= b && h <= 23; ++h) {
        const double v = strings::valorNumerico(m_horasHoje[static_cast<size_t>(h)]);
        s += v;
        if (v != 0)
            ++n;
    }
    p->definirMediaHora(textoMedia(s, n));
}

void Controle::gravarDia(const QDate& dia)
{
    // As for the month: an hour not read on that day keeps what the file holds for it.
    const QDate hoje = ouHoje(dia);
    if (m_dataManha != hoje && m_dataTarde != hoje)
        return;
    const QString ano = hoje.toString(QStringLiteral("yyyy"));
    const QString mes = hoje.toString(QStringLiteral("MM"));
    const QStringList slots(m_horasHoje.begin(), m_horasHoje.begin() + 24);
    std::optional<QString> gravado;
    if (slots.contains(QString()) && !(gravado = m_banco.lerDia(ano, mes, hoje.day())))
        return;
    m_banco.gravarDia(ano, mes, hoje.day(), serie::montar(comGravado(slots, gravado)));
}

void Controle::tratarResposta()
{
    if (!m_conexao)
        return;
    ethernet::Conexao* conexao = m_conexao;
    tratarResposta(conexao->log(), [conexao] { return conexao->subPaginaAtual(); });
}

// Past the window the computer's date holds. Within it the device keeps the day it is in until
// its counts fall back to the start of a day; a device met first inside the window (start-up,
// a long silence) is on an unknown side of its midnight, and is not recorded until that is known.
QDate Controle::diaDaLeitura(const QDateTime& agora, const QString& texto, const QString& pagina)
{
    const QDate hoje = agora.date();
    const int s = agora.time().msecsSinceStartOfDay() / 1000;
    const bool antesDaMeiaNoite = s >= 24 * 3600 - janelaMeiaNoiteS;
    m_leituraIncerta = false;
    if (!antesDaMeiaNoite && s >= janelaMeiaNoiteS) {
        m_diaIncerto = false;
        if (m_diaAparelho != hoje)
            mudarDiaAparelho(hoje);
    } else {
        const QDate antes = antesDaMeiaNoite ? hoje : hoje.addDays(-1);
        const QDate depois = antes.addDays(1);
        if (m_diaAparelho != antes && m_diaAparelho != depois) {
            mudarDiaAparelho(antes);
            m_diaIncerto = true;
        } else if (m_diaAparelho == antes) {
            // A page with no earlier count to compare cannot tell which side it is on.
            const std::optional<bool> caiu = contagensCairam(texto, pagina);
            if (caiu.value_or(false)) {
                mudarDiaAparelho(depois);
                m_diaIncerto = false;
            }
            m_leituraIncerta = !caiu.has_value();
        }
    }
    anotarContagens(texto, pagina);
    return m_diaAparelho;
}

void Controle::mudarDiaAparelho(const QDate& dia)
{
    m_diaAparelho = dia;
    m_ultimasContagens.clear();
}

// Counts of a day only grow, and those of the days and hours gone by (near midnight: up to
// hour 22) no longer change: one lower, or a finished one different, is a new day's (days
// still to come may hold anything, so a new month's are no help). nullopt when no entry of
// the page has an earlier count of the device's day.
std::optional<bool> Controle::contagensCairam(const QString& texto, const QString& pagina) const
{
    const std::optional<Faixa> f = faixaDaPagina(pagina);
    std::optional<bool> caiu;
    for (int n = f ? f->de : 1; f && n <= f->ate; ++n) {
        const QString marcador = f->marcador(n);
        const auto anterior = m_ultimasContagens.constFind(marcador);
        const auto campo = lerEntrada(texto, marcador);
        if (anterior == m_ultimasContagens.cend() || !campo)
            continue;
        const bool encerrada = f->marcador == marcadorDia ? n < m_diaAparelho.day() : n < 23;
        if (campo->toInt() < *anterior || (encerrada && campo->toInt() != *anterior))
            return true;
        caiu = false;
    }
    return caiu;
}

void Controle::anotarContagens(const QString& texto, const QString& pagina)
{
    const std::optional<Faixa> f = faixaDaPagina(pagina);
    for (int n = f ? f->de : 1; f && n <= f->ate; ++n) {
        // Days still to come may hold anything: only the days gone by are counts.
        if (f->marcador == marcadorDia && n > m_diaAparelho.day())
            break;
        if (const auto campo = lerEntrada(texto, f->marcador(n)); campo)
            m_ultimasContagens.insert(f->marcador(n), campo->toInt());
    }
}

void Controle::tratarResposta(const QString& texto, const std::function<QString()>& subPaginaAtual)
{
    if (!respostaValida(texto))
        return;
    prepararGraficos();
    // A reply cut short is dropped whole; in a whole one, each entry counts on its own.
    if (!respostaInteira(texto))
        return;
    // One reading of the clock keys the whole reply: a write never straddles midnight, and
    // a reading is recorded under the day the device counted it in.
    const QDate hoje = diaDaLeitura(costuras::relogio(), texto, subPaginaAtual());
    const bool gravar = !m_diaIncerto && !m_leituraIncerta;
    // Independent tests, in this order; none of the handlers changes the page.
    auto pagina = [&](const char* caminho) { return subPaginaAtual() == QLatin1String(caminho); };
    if (pagina("/6")) {
        if (lerContagemAtual(texto))
            carimbarLeituraAtual();
        preencherGraficoDia();
    }
    if (pagina("/1")) {
        lerDiasPagina1(texto, hoje);
        carimbarHistoricoMes();
    }
    if (pagina("/2")) {
        lerDiasPagina2(texto, hoje);
        carimbarHistoricoMes();
    }
    if (pagina("/3")) {
        lerDiasPagina3(texto, hoje);
        carimbarHistoricoMes();
        exibirMediaDiaria();
        if (gravar)
            gravarMes(hoje);
    }
    // The day is recorded after either hour page: before noon the cycle asks only for "/4".
    if (pagina("/4")) {
        lerHorasManha(texto, hoje);
        preencherGraficoDia();
        // Before noon this is the only hour page asked: the mean must follow it.
        exibirMediaHoraria();
        if (gravar)
            gravarDia(hoje);
    }
    if (pagina("/5")) {
        lerHorasTarde(texto, hoje);
        preencherGraficoDia();
        exibirMediaHoraria();
        if (gravar)
            gravarDia(hoje);
    }
}

} // namespace controle
