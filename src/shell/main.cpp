#include "caixas.h"
#include "costuras.h"
#include "instanciaPrograma.h"
#include "ligacoes.h"
#include "localDados.h"
#include "mensagens.h"
#include "principal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fluxora"));
    QApplication::setOrganizationName(QStringLiteral("Fluxora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fluxora.png")));
    caixas::instalar();

    const QString pasta = localDados::escolherPasta();
    costuras::pastaAplicacao = [pasta] { return pasta; };

    InstanciaPrograma instancia(pasta);
    if (!instancia.adquirir()) {
        if (!instancia.pedirFrente()) {
            mensagens::Pedido aviso;
            aviso.titulo = QStringLiteral("Fluxora");
            aviso.texto = QStringLiteral("O Fluxora já está aberto.");
            mensagens::mostrar(aviso);
        }
        return 0;
    }

    Principal principal;
    QObject::connect(&instancia, &InstanciaPrograma::frentePedida, &principal, [&principal] {
        principal.showNormal();
        principal.raise();
        principal.activateWindow();
    });
    ligacoes::instalar(principal);
    principal.carregar();
    principal.show();
    return QApplication::exec();
}
