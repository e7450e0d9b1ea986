#include "regrasAjustes.h"

#include "textos.h"

#include <algorithm>
#include <cmath>

namespace ajustes {

namespace {

bool comecaComNumero(const QString& texto)
{
    const QString t = texto.trimmed();
    return !t.isEmpty() && t.at(0).unicode() >= '0' && t.at(0).unicode() <= '9';
}

QString horaNormalizada(const QString& texto, const QString& padrao)
{
    if (horasDesde(0).contains(texto))
        return texto;
    if (!comecaComNumero(texto))
        return padrao;
    const double v = strings::valorNumerico(texto);
    return textoHora(static_cast<int>(std::clamp(std::floor(v), 0.0, 23.0)));
}

} // namespace

QString textoHora(int hora)
{
    return strings::doisDigitos(hora) + u'h';
}

QStringList horasDesde(int de)
{
    QStringList horas;
    for (int h = std::max(de, 0); h <= 23; ++h)
        horas.append(textoHora(h));
    return horas;
}

int valorHora(const QString& texto)
{
    const double v = strings::valorNumerico(texto);
    // Hours only ever lie in 0..23; a huge stored number must not overflow the conversion.
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

int valorTempo(const QString& texto)
{
    return static_cast<int>(strings::valorNumerico(texto.left(2)));
}

int primeiraHoraFim(int inicio)
{
    return inicio < 23 ? inicio + 1 : inicio;
}

std::optional<QString> fimAposEscolherInicio(int inicio, int fim)
{
    if (inicio < fim)
        return std::nullopt;
    return textoHora(primeiraHoraFim(inicio));
}

QString tempoMesCombinado(const QString& tempoDia)
{
    if (strings::textoNumero(strings::valorNumerico(tempoDia)).startsWith(QLatin1String("30")))
        return QStringLiteral("03 min");
    return QStringLiteral("10 min");
}

banco::PainelAvancado normalizar(const banco::PainelAvancado& lido)
{
    banco::PainelAvancado r;
    r.cmb_inicio = horaNormalizada(lido.cmb_inicio, QString::fromUtf16(inicioPadrao));
    r.cmb_fim = horaNormalizada(lido.cmb_fim, QString::fromUtf16(fimPadrao));
    // A last hour before the first would give the day chart no rows at all.
    if (valorHora(r.cmb_fim) < valorHora(r.cmb_inicio))
        r.cmb_fim = textoHora(primeiraHoraFim(valorHora(r.cmb_inicio)));

    const QString seg30 = QStringLiteral("30 seg"), seg60 = QStringLiteral("60 seg");
    if (lido.cmb_tempoDia == seg30 || lido.cmb_tempoDia == seg60)
        r.cmb_tempoDia = lido.cmb_tempoDia;
    else if (valorTempo(lido.cmb_tempoDia) == 60)
        r.cmb_tempoDia = seg60;
    else if (valorTempo(lido.cmb_tempoDia) == 30)
        r.cmb_tempoDia = seg30;
    else
        r.cmb_tempoDia = QString::fromUtf16(tempoDiaPadrao);

    const QString min3 = QStringLiteral("03 min"), min10 = QStringLiteral("10 min");
    if (lido.cmb_tempoMes == min3 || lido.cmb_tempoMes == min10)
        r.cmb_tempoMes = lido.cmb_tempoMes;
    else if (valorTempo(lido.cmb_tempoMes) == 3)
        r.cmb_tempoMes = min3;
    else if (valorTempo(lido.cmb_tempoMes) == 10)
        r.cmb_tempoMes = min10;
    else
        r.cmb_tempoMes = tempoMesCombinado(r.cmb_tempoDia);
    return r;
}

} // namespace ajustes
