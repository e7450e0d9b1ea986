// Creates the database file shipped with the program.
//   fluxora-criabanco CAMINHO [--se-ausente]
#include "banco.h"
#include "indices.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "uso: fluxora-criabanco CAMINHO [--se-ausente]\n");
        return 2;
    }
    const QString caminho = args.at(1);
    if (args.contains(QStringLiteral("--se-ausente")) && QFile::exists(caminho))
        return 0; // the operator's database is never overwritten
    QString erro;
    if (!banco::criarBancoEntregue(caminho, &erro)) {
        std::fprintf(stderr, "fluxora-criabanco: %s\n", qPrintable(erro));
        return 1;
    }
    // The template carries the history indexes from the start.
    bool indices = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("criabanco-indices"));
        db.setDatabaseName(caminho);
        indices = db.open() && banco::garantirIndices(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("criabanco-indices"));
    if (!indices) {
        std::fprintf(stderr, "fluxora-criabanco: índices não criados\n");
        return 1;
    }
    return 0;
}
