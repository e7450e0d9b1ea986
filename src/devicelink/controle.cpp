#include "controle.h"

#include "banco.h"
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

// One slot of a stored-text page: a missing marker keeps the slot's value.
QString campoComoTexto(const QString& texto, const QString& marcador, const QString& anterior)
{
    const std::optional<QString> campo = lerValorCampo(texto, marcador);
    return comoTexto(campo ? *campo : anterior);
}

} // namespace

bool respostaValida(const QString& texto)
{
    return texto.contains(QStringLiteral("\"status\":1,"));
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
        QString& slot = horas[static_cast<size_t>(h)];
        // A morning hour above 2000 visits is a device glitch, not a count.
        if (const std::optional<QString> campo = lerValorCampo(texto, marcadorHora(h)); campo)
            slot = strings::valorNumerico(*campo) > 2000 ? QStringLiteral("0") : *campo;
        slot = comoTexto(slot);
    }
}

void lerHorasTarde(const QString& texto, HorasDia& horas)
{
    for (int h = 12; h <= 23; ++h) {
        QString& slot = horas[static_cast<size_t>(h)];
        slot = campoComoTexto(texto, marcadorHoraDoisDigitos(h), slot);
    }
}

void lerDias(const QString& texto, int de, int ate, int hoje, DiasMes& dias,
             const std::function<void(int, const QString&)>& aoLer)
{
    for (int d = de; d <= ate && d <= 31; ++d) {
        QString& slot = dias[static_cast<size_t>(d - 1)];
        slot = campoComoTexto(texto, marcadorDia(d), slot);
        // Days still to come count as zero, whatever the device sent for them.
        if (d > hoje)
            slot = QStringLiteral("00000");
        if (aoLer)
            aoLer(d, slot);
    }
}

bool paginaCompleta(const QString& texto, const QString& subPagina)
{
    auto campoInteiro = [&texto](const QString& marcador) {
        const std::optional<QString> campo = lerValorCampo(texto, marcador);
        if (!campo || campo->size() != 5)
            return false;
        for (const QChar c : *campo)
            if (c < u'0' || c > u'9')
                return false;
        return true;
    };
    auto faixa = [&](QString (*marcador)(int), int de, int ate) {
        for (int n = de; n <= ate; ++n)
            if (!campoInteiro(marcador(n)))
                return false;
        return true;
    };
    if (subPagina == QLatin1String("/1"))
        return faixa(marcadorDia, 1, 12);
    if (subPagina == QLatin1String("/2"))
        return faixa(marcadorDia, 13, 24);
    if (subPagina == QLatin1String("/3"))
        return faixa(marcadorDia, 25, 31);
    if (subPagina == QLatin1String("/4"))
        return faixa(marcadorHora, 0, 11);
    if (subPagina == QLatin1String("/5"))
        return faixa(marcadorHoraDoisDigitos, 12, 23);
    if (subPagina == QLatin1String("/6"))
        return faixa(marcadorHora, 34, 35);
    return true;
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
    if (m_mesDosDias != inicioDoMes(ouHoje(dia)))
        return false;
    for (int k = 0; k < 31; ++k)
        if (m_diasMes[static_cast<size_t>(k)].isEmpty())
            return false;
    return true;
}

bool Controle::diaLidoPorInteiro(const QDate& dia) const
{
    const QDate hoje = ouHoje(dia);
    if (m_dataManha != hoje || m_dataTarde != hoje)
        return false;
    for (int h = 0; h <= 23; ++h)
        if (m_horasHoje[static_cast<size_t>(h)].isEmpty())
            return false;
    return true;
}

void Controle::solicitarPagina(int n)
{
    m_banco.lerEthernet(m_endereco); // a failed read keeps the last address
    if (!m_conexao)
        return;
    m_conexao->definirSubPagina(QStringLiteral("/") + QString::number(n));
    QString caminho;
    m_conexao->conectarUrl(ethernet::montarUrl(m_endereco.ip1, m_endereco.ip2, m_endereco.ip3, m_endereco.ip4), caminho);
}

void Controle::solicitarPagina1()
{
    solicitarPagina(1);
}
void Controle::solicitarPagina2()
{
    solicitarPagina(2);
}
void Controle::solicitarPagina3()
{
    solicitarPagina(3);
}
void Controle::solicitarPagina4()
{
    solicitarPagina(4);
}
void Controle::solicitarPagina5()
{
    solicitarPagina(5);
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

void Controle::lerContagemAtual(const QString& texto)
{
    // Each label is written from a fresh search; a marker missing from the reply leaves
    // its label as it was.
    const QString lotacao = marcadorHora(34);
    const QString total = marcadorHora(35);
    if (const auto v = lerValorCampo(texto, lotacao); v)
        if (auto* p = painelSimples())
            p->definirLotacao(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, total); v)
        if (auto* p = painelSimples())
            p->definirTotal(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, lotacao); v)
        if (auto* p = painelAvancado())
            p->definirLotacao(comoNumero(*v));
    if (const auto v = lerValorCampo(texto, total); v)
        if (auto* p = painelAvancado())
            p->definirTotal(comoNumero(*v));
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
        // Until the next full reading the chart shows none of the old month's days either.
        for (int d = 1; haviaDias && d <= 31; ++d)
            if (d < de || d > ate)
                mostrar(d, QStringLiteral("00000"));
    }
    lerDias(texto, de, ate, hoje.day(), m_diasMes, mostrar);
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
    // Until every day has been read once since start-up (a page lost at the first reading),
    // the empty slots would be recorded as zeros over the days already in the file.
    const QDate hoje = ouHoje(dia);
    if (!mesLidoPorInteiro(hoje))
        return;
    QStringList slots;
    for (const QString& s : m_diasMes)
        slots << s;
    m_banco.gravarMes(hoje.toString(QStringLiteral("yyyy")), hoje.month(), serie::montar(slots));
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
    // Same guard as the month: the morning page lost at start-up must not blank the
    // morning already recorded for today.
    const QDate hoje = ouHoje(dia);
    if (!diaLidoPorInteiro(hoje))
        return;
    QStringList slots;
    for (int h = 0; h <= 23; ++h)
        slots << m_horasHoje[static_cast<size_t>(h)];
    m_banco.gravarDia(hoje.toString(QStringLiteral("yyyy")), hoje.toString(QStringLiteral("MM")), hoje.day(),
                     serie::montar(slots));
}

void Controle::tratarResposta()
{
    if (!m_conexao)
        return;
    ethernet::Conexao* conexao = m_conexao;
    tratarResposta(conexao->log(), [conexao] { return conexao->subPaginaAtual(); });
}

void Controle::tratarResposta(const QString& texto, const std::function<QString()>& subPaginaAtual)
{
    if (!respostaValida(texto))
        return;
    // One reading of the clock keys the whole reply: a write never straddles midnight.
    const QDate hoje = datas::hoje();
    prepararGraficos();
    // Independent tests, in this order; none of the handlers changes the page. A page whose
    // entries are not all there in full is dropped whole.
    auto pagina = [&](const char* caminho) {
        const QString atual = subPaginaAtual();
        return atual == QLatin1String(caminho) && paginaCompleta(texto, atual);
    };
    if (pagina("/6")) {
        lerContagemAtual(texto);
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
        gravarMes(hoje);
    }
    // The day is recorded after either hour page: before noon the cycle asks only for "/4".
    if (pagina("/4")) {
        lerHorasManha(texto, hoje);
        preencherGraficoDia();
        // Before noon this is the only hour page asked: the mean must follow it.
        exibirMediaHoraria();
        gravarDia(hoje);
    }
    if (pagina("/5")) {
        lerHorasTarde(texto, hoje);
        preencherGraficoDia();
        exibirMediaHoraria();
        gravarDia(hoje);
    }
}

} // namespace controle
