#include "textos.h"

#include <cmath>

namespace strings {

int filtrarDigitos(int codigo)
{
    if (codigo == 8)
        return codigo;
    if (codigo >= '0' && codigo <= '9')
        return codigo;
    return 0;
}

double valorNumerico(const QString& texto)
{
    qsizetype i = 0;
    const qsizetype n = texto.size();
    auto branco = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    while (i < n && branco(texto[i]))
        ++i;
    bool negativo = false;
    if (i < n && (texto[i] == u'-' || texto[i] == u'+')) {
        negativo = texto[i] == u'-';
        ++i;
    }
    double valor = 0.0;
    bool algum = false;
    while (i < n && texto[i].isDigit() && texto[i].unicode() < 128) {
        valor = valor * 10.0 + (texto[i].unicode() - '0');
        algum = true;
        ++i;
    }
    if (i < n && texto[i] == u'.') {
        ++i;
        double escala = 0.1;
        while (i < n && texto[i].unicode() >= '0' && texto[i].unicode() <= '9') {
            valor += (texto[i].unicode() - '0') * escala;
            escala /= 10.0;
            algum = true;
            ++i;
        }
    }
    if (!algum)
        return 0.0;
    return negativo ? -valor : valor;
}

QString textoNumero(double valor)
{
    if (std::isfinite(valor) && std::floor(valor) == valor && std::fabs(valor) < 1e15)
        return QString::number(static_cast<qint64>(valor));
    return QString::number(valor, 'g', 15);
}

QString doisDigitos(int n)
{
    return QString(QStringLiteral("00") + QString::number(n)).right(2);
}

QString cincoDigitos(const QString& texto)
{
    return QString(QStringLiteral("00000") + texto).right(5);
}

} // namespace strings
