#include "datas.h"

#include "costuras.h"
#include "textos.h"

#include <array>

namespace datas {

QDate hoje()
{
    return costuras::relogio().date();
}
QTime agora()
{
    return costuras::relogio().time();
}

QString textoData()
{
    return hoje().toString(QStringLiteral("dd/MM/yyyy"));
}
QString textoHora()
{
    return agora().toString(QStringLiteral("HH:mm:ss"));
}

QString diaHoje()
{
    return textoData().mid(0, 2);
}
QString mesHoje()
{
    return textoData().mid(3, 2);
}
QString anoHoje()
{
    return textoData().mid(6, 4);
}

QString carimbo()
{
    return QStringLiteral("as ") + textoHora().left(8);
}

QString colunaMes(int mes)
{
    static const std::array<const char*, 12> nomes = {"jan", "fev", "mar",  "abr", "mai", "jun",
                                                      "jul", "ago", "sete", "out", "nov", "dez"};
    if (mes < 1 || mes > 12)
        return {};
    return QString::fromLatin1(nomes[static_cast<size_t>(mes - 1)]);
}

QString colunaDia(int dia)
{
    if (dia < 1 || dia > 31)
        return {};
    return QStringLiteral("hora") + QString::number(dia);
}

} // namespace datas
