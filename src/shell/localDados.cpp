#include "localDados.h"

#include "arquivos.h"
#include "constantes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace localDados {

QString escolherPasta(const QString& pastaPrograma, const QString& pastaUsuario, const QString& modelo)
{
    const QString bancoPrograma = QDir(pastaPrograma).filePath(constantes::nomeBanco);
    const bool instalado = QFile::exists(modelo);
    const bool programaGravavel = arquivos::modoPermiteEscrita(pastaPrograma);
    if (programaGravavel && (QFile::exists(bancoPrograma) || !instalado))
        return pastaPrograma;
    if (!instalado)
        return pastaPrograma; // nothing to copy: the missing file is reported as usual
    // Only the very first start makes the per-user database. Afterwards a missing file is
    // reported like any missing database, never silently replaced by an empty template (the
    // history would seem gone and the address would be back to the shipped one). The folder
    // appears only once it holds the copy, so an interrupted first start is retried.
    if (!QFileInfo::exists(pastaUsuario)) {
        const QString novo = QDir::cleanPath(pastaUsuario) + QStringLiteral(".novo");
        QDir(novo).removeRecursively();
        QDir().mkpath(novo);
        const QString copia = QDir(novo).filePath(constantes::nomeBanco);
        const bool feito = QFile::copy(modelo, copia) &&
                           QFile::setPermissions(copia, QFile::ReadOwner | QFile::WriteOwner) &&
                           QDir().rename(novo, pastaUsuario);
        QDir(novo).removeRecursively();
        if (!feito)
            return pastaPrograma; // no database anywhere: reported as missing, retried next start
    }
    return pastaUsuario;
}

QString escolherPasta()
{
    const QString programa = QCoreApplication::applicationDirPath();
    const QString modelo =
        QDir(programa).filePath(QStringLiteral("../share/fluxora/") + constantes::nomeBanco);
    return escolherPasta(programa, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                         QDir::cleanPath(modelo));
}

} // namespace localDados
