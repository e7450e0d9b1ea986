#include "arquivos.h"

#include <QFile>

namespace arquivos {

bool modoPermiteEscrita(const QString& caminho)
{
    const QFile::Permissions p = QFile::permissions(caminho);
    const bool algumBitDeEscrita =
        p.testAnyFlags(QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther);
    return algumBitDeEscrita && p.testFlag(QFileDevice::WriteUser);
}

} // namespace arquivos
