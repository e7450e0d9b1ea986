#include "localDados.h"

#include "arquivos.h"
#include "constantes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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
    QDir().mkpath(pastaUsuario);
    const QString bancoUsuario = QDir(pastaUsuario).filePath(constantes::nomeBanco);
    if (!QFile::exists(bancoUsuario)) {
        // Copy to a temporary name first, so an interrupted first start leaves no half file.
        const QString temporario = bancoUsuario + QStringLiteral(".copiando");
        QFile::remove(temporario);
        if (QFile::copy(modelo, temporario)) {
            QFile::setPermissions(temporario, QFile::ReadOwner | QFile::WriteOwner);
            QFile::rename(temporario, bancoUsuario);
        }
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
