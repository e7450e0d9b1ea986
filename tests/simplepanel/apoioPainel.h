#pragma once
// Shared by the simple panel's tests: a copy of the shipped database and reads of its row.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantMap>

namespace apoio {

inline QVariantMap linhaPainelSimples(const QString& arquivo)
{
    QVariantMap linha;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("verificacao"));
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT * FROM painelSimples")) && q.next()) {
                const QSqlRecord r = q.record();
                for (int i = 0; i < r.count(); ++i)
                    linha.insert(r.fieldName(i), r.value(i));
            }
            if (q.next())
                linha.insert(QStringLiteral("linhaExtra"), true);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("verificacao"));
    return linha;
}

inline bool executar(const QString& arquivo, const QString& sql)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("preparo"));
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("preparo"));
    return ok;
}

// The first column of the first row of `sql`, empty when there is none.
inline QString consultar(const QString& arquivo, const char* sql)
{
    QString r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("consulta"));
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QString::fromLatin1(sql)) && q.next())
                r = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("consulta"));
    return r;
}

} // namespace apoio
