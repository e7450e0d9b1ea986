#include "indices.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace banco {

bool garantirIndices(const QSqlDatabase& db)
{
    // Already there on every file but the first open of an older one: checking costs a
    // schema lookup, no write.
    QSqlQuery existentes(db);
    if (!existentes.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                                        "('idx_Meses_ano', 'idx_Dias_ano_mes')")))
        return false;
    if (existentes.next() && existentes.value(0).toInt() == 2)
        return true;
    existentes.finish();
    bool ok = true;
    for (const char* sql : {"CREATE INDEX IF NOT EXISTS idx_Meses_ano ON Meses (ano)",
                            "CREATE INDEX IF NOT EXISTS idx_Dias_ano_mes ON Dias (ano, mes)"}) {
        QSqlQuery q(db);
        ok = q.exec(QString::fromLatin1(sql)) && ok;
    }
    return ok;
}

} // namespace banco
