#pragma once

// A copy of the shipped database for a test, and plain SQL on it from the test's side.
#include "costuras.h"
#include "serie.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>

namespace apoio {

// Puts a fresh, writable copy of the shipped file into `pasta` and makes that folder the
// program's; returns the copy's path, empty when it could not be made.
inline QString copiarBancoEntregue(const QTemporaryDir& pasta)
{
    const QString arquivo = pasta.filePath(QStringLiteral("Fluxoradb.mdb"));
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(arquivo);
    if (!QFile::copy(QStringLiteral(FLUXORA_BANCO_MODELO), arquivo))
        return QString();
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    costuras::pastaAplicacao = [caminho = pasta.path()] { return caminho; };
    return arquivo;
}

// Runs `sql` on a connection of its own (read-only for a query, so that looking never changes
// the file); the first column of the first row goes to `valor`. The engine's message, if any.
inline QString rodar(const QString& arquivo, const QString& sql, QString* valor)
{
    QString erro;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("apoio-sql"));
        db.setDatabaseName(arquivo);
        db.setConnectOptions(valor ? QStringLiteral("QSQLITE_OPEN_READONLY") : QString());
        if (!db.open())
            erro = db.lastError().text();
        else if (QSqlQuery q(db); !q.exec(sql))
            erro = q.lastError().text() + QStringLiteral(" (") + sql + u')';
        else if (valor && q.next())
            *valor = q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("apoio-sql"));
    return erro;
}

// The first column of the first row of `sql`, empty when there is none or it failed.
inline QString consulta(const QString& arquivo, const QString& sql)
{
    QString valor;
    rodar(arquivo, sql, &valor);
    return valor;
}

// Runs `sql`; the engine's message when it failed, empty otherwise.
inline QString executar(const QString& arquivo, const QString& sql)
{
    return rodar(arquivo, sql, nullptr);
}

// A count series from numbers, as the program records it (five digits each).
inline QString grupos(const QList<int>& valores)
{
    QStringList textos;
    for (int v : valores)
        textos << QString::number(v);
    return serie::montar(textos);
}

} // namespace apoio
