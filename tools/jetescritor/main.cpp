// Writes the Jet 4.0 database of an earlier installation, for tests, benchmarks and trials.
//   fluxora-jet SAIDA [--anos N] [--ano-inicial A] [--semente S] [--esperado JSON]
//                     [--sem-tabela T] [--outro-tipo Tabela.campo] [--senha S] [--versao N]
//                     [--truncado] [--danificado]
#include "historicoJet.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    jet::Opcoes o;
    QString saida, esperado;
    for (int i = 1; i < a.size(); ++i) {
        const QString& arg = a[i];
        if (arg == u"--anos"_s)
            o.anos = a.value(++i).toInt();
        else if (arg == u"--ano-inicial"_s)
            o.anoInicial = a.value(++i).toInt();
        else if (arg == u"--semente"_s)
            o.semente = a.value(++i).toUInt();
        else if (arg == u"--esperado"_s)
            esperado = a.value(++i);
        else if (arg == u"--sem-tabela"_s)
            o.semTabela = a.value(++i);
        else if (arg == u"--outro-tipo"_s)
            o.outroTipo = a.value(++i);
        else if (arg == u"--senha"_s)
            o.senha = a.value(++i);
        else if (arg == u"--versao"_s)
            o.versao = a.value(++i).toInt();
        else if (arg == u"--truncado"_s)
            o.truncado = true;
        else if (arg == u"--danificado"_s)
            o.danificado = true;
        else if (saida.isEmpty() && !arg.startsWith(u'-'))
            saida = arg;
        else {
            std::fprintf(stderr, "fluxora-jet: opção desconhecida %s\n", qPrintable(arg));
            return 2;
        }
    }
    if (saida.isEmpty() || o.anos < 0) {
        std::fprintf(stderr, "uso: fluxora-jet SAIDA [--anos N] [--ano-inicial A] [--semente S] "
                             "[--esperado JSON] [--sem-tabela T] [--outro-tipo Tabela.campo] [--senha S] "
                             "[--versao N] [--truncado] [--danificado]\n");
        return 2;
    }
    const QByteArray bytes = jet::arquivoFluxora(o);
    QFile f(saida);
    if (bytes.isEmpty() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fluxora-jet: não foi possível escrever %s\n", qPrintable(saida));
        return 1;
    }
    if (!esperado.isEmpty()) {
        QFile j(esperado);
        if (!j.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            j.write(QJsonDocument(jet::comoJson(jet::tabelasFluxora(o))).toJson()) < 0)
            return 1;
    }
    return 0;
}
