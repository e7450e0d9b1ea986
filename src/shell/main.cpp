#include "caixas.h"
#include "ligacoes.h"
#include "principal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fluxora"));
    caixas::instalar();
    Principal principal;
    ligacoes::instalar(principal);
    principal.carregar();
    principal.show();
    return QApplication::exec();
}
