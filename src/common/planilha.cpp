#include "planilha.h"

#include "arquivos.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace planilha {

std::optional<QByteArray> paraWindows1252(const QString& texto)
{
    // Qt 6.4 has no encoder for this code page; glibc's iconv has.
    iconv_t cd = iconv_open("WINDOWS-1252", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray entrada = texto.toUtf8();
    QByteArray saida(entrada.size() + 1, '\0');
    char* in = entrada.data();
    size_t inLeft = static_cast<size_t>(entrada.size());
    char* out = saida.data();
    size_t outLeft = static_cast<size_t>(saida.size());
    const size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        return std::nullopt;
    saida.truncate(saida.size() - static_cast<qsizetype>(outLeft));
    return saida;
}

QString nomeArquivo(const QString& ano, const QString& mes)
{
    return QStringLiteral("excel_") + ano + u'_' + mes + QStringLiteral(".csv");
}

QStringList linhasMes(const QString& mes, const QString& ano, const QList<std::pair<QString, QString>>& dias)
{
    QStringList linhas;
    linhas << QStringLiteral("Histórico de Visitas Mês ") + mes + u'/' + ano << QStringLiteral("Dia;Visitas")
           << QStringLiteral(";");
    for (const auto& [rotulo, valor] : dias)
        linhas << rotulo + u';' + valor;
    return linhas;
}

void removerTemporariosAntigos(const QString& pasta)
{
    static const QRegularExpression temporario(
        QStringLiteral("^\\.?(excel|visitas)_[0-9_-]+\\.(csv|xlsx)\\.[A-Za-z0-9]{6}$"));
    // File times are the system's, not the program's clock.
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-10 * 60);
    const QDir dir(pasta);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (temporario.match(f.fileName()).hasMatch() && f.lastModified().toUTC() < limite)
            QFile::remove(f.absoluteFilePath());
    }
}

Resultado gravar(const QString& caminho, const QStringList& linhas)
{
    Resultado r;
    const QFileInfo info(caminho);
    removerTemporariosAntigos(info.absolutePath());
    if (info.exists() && !arquivos::modoPermiteEscrita(caminho)) {
        r.acessoNegado = true;
        return r;
    }
    const QString pasta = info.absolutePath();
    if (QFileInfo::exists(pasta) && !arquivos::modoPermiteEscrita(pasta)) {
        r.acessoNegado = true;
        return r;
    }
    QString texto;
    for (const QString& l : linhas)
        texto += l + QStringLiteral("\r\n");
    const std::optional<QByteArray> bytes = paraWindows1252(texto);
    if (!bytes) {
        r.motivo = QStringLiteral("O texto contém caracteres que a planilha não pode representar.");
        return r;
    }
    QSaveFile arquivo(caminho);
    errno = 0;
    if (!arquivo.open(QIODevice::WriteOnly)) {
        r.acessoNegado = errno == EACCES || errno == EPERM || errno == EROFS ||
                         arquivo.error() == QFileDevice::PermissionsError;
        r.motivo = arquivo.errorString();
        return r;
    }
    if (arquivo.write(*bytes) != bytes->size()) {
        r.motivo = arquivo.errorString();
        arquivo.cancelWriting();
        return r;
    }
    errno = 0;
    if (!arquivo.commit()) {
        r.acessoNegado = errno == EACCES || errno == EPERM;
        r.motivo = arquivo.errorString();
        if (r.motivo.isEmpty() && errno != 0)
            r.motivo = QString::fromLocal8Bit(std::strerror(errno));
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace planilha
