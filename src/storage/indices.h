#pragma once

class QSqlDatabase;

namespace banco {

// Indexes over the history keys (Meses.ano; Dias.ano, mes), so that a lookup reads a few
// pages instead of every row however many years are recorded. Only adds what is missing and
// never touches the tables' fields; false when the engine refused (the lookups still work,
// only slower).
bool garantirIndices(const QSqlDatabase& db);

} // namespace banco
