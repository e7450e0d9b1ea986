#include "costuras.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QRandomGenerator>

namespace costuras {

namespace {

QDateTime relogioReal()
{
    return QDateTime::currentDateTime();
}

QString pastaReal()
{
    return QCoreApplication::applicationDirPath();
}

QString ipReal()
{
    // The first IPv4 address of an interface that is up and not the loopback.
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& itf : interfaces) {
        const auto flags = itf.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entradas = itf.addressEntries();
        for (const QNetworkAddressEntry& e : entradas) {
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return e.ip().toString();
        }
    }
    return {};
}

double aleatorioReal()
{
    return QRandomGenerator::global()->generateDouble();
}

quint16 portaReal()
{
    return 80;
}

} // namespace

std::function<QDateTime()> relogio = relogioReal;
std::function<QString()> pastaAplicacao = pastaReal;
std::function<QString()> ipLocal = ipReal;
std::function<double()> aleatorio = aleatorioReal;
std::function<quint16()> portaPadrao = portaReal;

void restaurar()
{
    relogio = relogioReal;
    pastaAplicacao = pastaReal;
    ipLocal = ipReal;
    aleatorio = aleatorioReal;
    portaPadrao = portaReal;
}

void fixarRelogio(const QString& data, const QString& hora)
{
    const QDateTime fixo(QDate::fromString(data, QStringLiteral("dd/MM/yyyy")),
                         QTime::fromString(hora, QStringLiteral("HH:mm:ss")));
    relogio = [fixo] { return fixo; };
}

} // namespace costuras
