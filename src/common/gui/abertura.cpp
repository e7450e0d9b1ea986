#include "abertura.h"

#include "mensagens.h"

#include <QDesktopServices>

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
    costuras::abrirEndereco(QUrl::fromLocalFile(caminho));
    return true;
}

} // namespace planilha
