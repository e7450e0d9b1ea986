#pragma once

#include <QString>

// Where the database and the exports live.
namespace localDados {

// The program's own folder when it can be written and holds its database (the build folder,
// a portable copy), or when no installed template exists beside it. Otherwise (an installed
// program under /usr or /usr/local, or an installed copy without a database of its own) the
// per-user data folder, which gets a copy of the shipped template on the very first start
// only (when that folder does not exist yet).
// `modelo` is the installed template (<prefix>/share/fluxora/Fluxoradb.mdb).
QString escolherPasta(const QString& pastaPrograma, const QString& pastaUsuario, const QString& modelo);

// The same with the real folders of this program.
QString escolherPasta();

} // namespace localDados
