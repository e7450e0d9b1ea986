#include "abertura.h"

#include "mensagens.h"

#include <QDesktopServices>
#include <QDir>

namespace costuras {

namespace {
bool abrirReal(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
} // namespace

std::function<bool(const QUrl&)> abrirEndereco = abrirReal;

void restaurarAbertura()
{
    abrirEndereco = abrirReal;
}

} // namespace costuras

namespace planilha {

bool exportar(const QString& caminho, const QStringList& linhas)
{
    return concluir(caminho, gravar(caminho, linhas));
}

bool concluir(const QString& caminho, const Resultado& r)
{
    if (!r.ok) {
        mensagens::Pedido erro;
        erro.titulo = QStringLiteral("Erro ao Exportar");
        erro.icone = mensagens::Icone::Nenhum;
        erro.texto = QStringLiteral("Não pudemos exportar o arquivo EXCEL.");
        if (r.acessoNegado)
            erro.texto += QStringLiteral("\r\n\r\nPor favor, feche o EXCEL e tente novamente.");
        else
            erro.texto += QStringLiteral("\r\n\r\n") + r.motivo;
        mensagens::mostrar(erro);
        return false;
    }
    // Without a program for the file type the export would look lost: say where it is.
    if (!costuras::abrirEndereco(QUrl::fromLocalFile(caminho))) {
        mensagens::Pedido aviso;
        aviso.titulo = QStringLiteral("Exportação concluída");
        aviso.icone = mensagens::Icone::Informacao;
        aviso.texto = QStringLiteral("O arquivo foi salvo em:\r\n\r\n") + QDir::toNativeSeparators(caminho) +
                      QStringLiteral("\r\n\r\nNão encontramos um programa para abri-lo.");
        mensagens::mostrar(aviso);
    }
    return true;
}

} // namespace planilha
