#include "aplicacao.h"
#include "caixas.h"
#include "constantes.h"
#include "costuras.h"
#include "historicoAnterior.h"
#include "instanciaPrograma.h"
#include "localDados.h"
#include "mensagens.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>

#include <cstdio>
#include <string_view>

namespace {

// With --medir-inicio the program says when its main window was first painted and ends
// there: the start-up figure of the performance notes.
class PrimeiraPintura : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint && !m_visto) {
            m_visto = true;
            std::puts("pintado");
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool m_visto = false;
};

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window system is touched, so they work in a bare terminal too.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--version") {
            std::puts("Fluxora " FLUXORA_VERSAO);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::puts("Uso: fluxora [--help | --version]\n"
                      "Mostra a lotação, as visitas e o histórico do contador de pessoas da rede local.\n"
                      "Todos os ajustes ficam no banco de dados e se mudam pelas janelas do programa.\n"
                      "Instalado, o banco fica em ~/.local/share/Fluxora/Fluxora/.\n\n"
                      "  -h, --help     mostra esta ajuda e sai\n"
                      "      --version  mostra a versão e sai");
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fluxora"));
    QApplication::setOrganizationName(QStringLiteral("Fluxora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/fluxora.png")));
    caixas::instalar();

    const QString pasta = localDados::escolherPasta();
    costuras::pastaAplicacao = [pasta] { return pasta; };

    InstanciaPrograma instancia(pasta);
    const InstanciaPrograma::Resultado trava = instancia.adquirir();
    if (trava == InstanciaPrograma::Resultado::OutraAberta) {
        bool respondeu = false;
        QEventLoop espera;
        QObject::connect(&instancia, &InstanciaPrograma::frenteRespondida, &espera, [&](bool r) {
            respondeu = r;
            espera.quit();
        });
        instancia.pedirFrente();
        espera.exec();
        // The running one came forward: that is the answer the operator sees.
        if (!respondeu) {
            mensagens::Pedido aviso;
            aviso.titulo = QStringLiteral("Fluxora");
            aviso.texto = instancia.avisoSemResposta();
            aviso.icone = mensagens::Icone::Aviso;
            mensagens::mostrar(aviso);
        }
        return 0;
    }
    if (trava == InstanciaPrograma::Resultado::SemTrava) {
        mensagens::Pedido aviso;
        aviso.titulo = QStringLiteral("Fluxora");
        aviso.texto = instancia.avisoSemTrava();
        aviso.icone = mensagens::Icone::Aviso;
        mensagens::mostrar(aviso);
    }

    // An earlier installation's database: converted when the operator agrees, never run on.
    if (const QString banco = QDir(pasta).filePath(constantes::nomeBanco);
        importacao::pareceJet(banco) && !importacao::oferecerConversao(banco))
        return 1;

    Aplicacao aplicacao;
    Principal& principal = aplicacao.principal();
    QObject::connect(&instancia, &InstanciaPrograma::frentePedida, &principal, [&principal] {
        principal.showNormal();
        principal.raise();
        principal.activateWindow();
    });
    aplicacao.carregar();
    if (QApplication::arguments().contains(QStringLiteral("--medir-inicio")))
        principal.installEventFilter(new PrimeiraPintura(&principal));
    principal.show();
    return QApplication::exec();
}
