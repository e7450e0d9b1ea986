#include "historicoAnterior.h"

#include "constantes.h"
#include "mensagens.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace importacao {

bool oferecerConversao(const QString& caminho)
{
    const QString arquivo = QFileInfo(caminho).fileName();
    const QString guardado = QFileInfo(nomeOriginal(caminho)).fileName();
    mensagens::Pedido pergunta;
    pergunta.titulo = constantes::tituloAplicacao;
    pergunta.icone = mensagens::Icone::Pergunta;
    pergunta.botoes = mensagens::Botoes::SimNao;
    pergunta.padraoNao = false; // converting is what the operator came for; the original is kept
    pergunta.texto =
        u"O banco de dados %1 é de uma instalação anterior (formato Microsoft Jet 4.0).\n\n"
        u"Deseja convertê-lo agora para o formato do Fluxora, com todo o histórico e os ajustes? "
        u"O arquivo original será guardado ao lado, sem alterações, como %2."_s.arg(arquivo, guardado);
    mensagens::Pedido aviso;
    aviso.titulo = constantes::tituloAplicacao;
    if (mensagens::mostrar(pergunta) != mensagens::Resposta::Sim) {
        aviso.icone = mensagens::Icone::Aviso;
        aviso.texto = u"O Fluxora não pode funcionar com o arquivo %1 no formato Jet 4.0. Nada foi alterado; "
                      u"abra o Fluxora de novo quando quiser convertê-lo."_s.arg(arquivo);
        mensagens::mostrar(aviso);
        return false;
    }
    QString erro, original;
    if (!converter(caminho, erro, &original)) {
        aviso.icone = mensagens::Icone::Erro;
        aviso.texto = erro + u"\n\nNada foi alterado. O Fluxora não pode funcionar com este arquivo."_s;
        mensagens::mostrar(aviso);
        return false;
    }
    aviso.icone = mensagens::Icone::Informacao;
    aviso.texto = u"O banco de dados foi convertido. O arquivo original foi guardado como %1."_s.arg(
        QFileInfo(original).fileName());
    mensagens::mostrar(aviso);
    return true;
}

} // namespace importacao
