#pragma once

#include "instanciaUnica.h"

#include <QDialog>
#include "temporizador.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
namespace ethernet {
class EspelhoTexto;
}

// The network configuration window: the device's IPv4 address typed, proposed from this
// computer's address, stored in table ethernet and tested.
class EthernetConfig : public QDialog {
    Q_OBJECT
public:
    explicit EthernetConfig(QWidget* parent = nullptr);
    // Load steps, run by the window registry once it holds the window.
    void carregar();

    // Reads the stored octets into the four strings (the guarded read).
    static void leConfiguracoes(QString& iP1, QString& iP2, QString& iP3, QString& iP4);
    void leConfiguracoesDestaTela(QString& iP1, QString& iP2, QString& iP3, QString& iP4);
    bool salvarConfiguracoes();
    void redefinirIP();
    void lerPrefixoIPLocal(QString& a, QString& b) const;

    // The reply box: a copy of the main device log, plus the socket-state lines of a test.
    void definirResposta(const QString& texto);
    QString textoResposta() const { return m_resposta; }

    // Link clicks and timer ticks, public so that tests can drive them.
    void clicarRedefinir();
    void clicarTestarConexao();
    void clicarAjuda();
    void tiqueState();
    void tiqueTimeout();

Q_SIGNALS:
    // The window is closing (after its settings were stored).
    void fechando();

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    QLabel* criarLink(const QString& nome, const QString& texto, const QString& dica);

    QLineEdit* m_ip[4] = {};
    QPlainTextEdit* m_txtSource = nullptr;
    ethernet::EspelhoTexto* m_espelhoResposta = nullptr;
    QLabel* m_lblStatusPesquisa = nullptr;
    Temporizador m_timerState;
    Temporizador m_timerTimeout;
    QString m_resposta;
    QString m_ipLido[4];
    QString m_prefixo[2];
    QString m_caminho;
};

namespace janelas {
// The living network window, created hidden (and loaded) when there is none.
EthernetConfig* ethernetConfig();
EthernetConfig* ethernetConfigExistente();
void definirAoCriarEthernetConfig(InstanciaUnica<EthernetConfig>::AoCriar aoCriar);
} // namespace janelas
