#pragma once

#include "temporizador.h"
#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
namespace ethernet {
class Conexao;
class EspelhoTexto;
} // namespace ethernet

// The network configuration window: the device's IPv4 address typed, proposed from this
// computer's address, stored in table ethernet and tested.
namespace banco {
class Banco;
}

class EthernetConfig : public QDialog {
    Q_OBJECT
public:
    // `conexao`: the exchange the connection test and the status lines use (may be null).
    EthernetConfig(ethernet::Conexao* conexao, banco::Banco& banco, QWidget* parent = nullptr);
    // Load steps, run by the window registry once it holds the window.
    void carregar();

    // Reads the stored octets into the four strings (the guarded read).
    void leConfiguracoesDestaTela(QString& iP1, QString& iP2, QString& iP3, QString& iP4);
    // Stores the four fields, unless one of them was neither read nor typed (false then).
    bool salvarConfiguracoes();
    // Every field holds a read or typed octet.
    bool enderecoDefinido() const;
    // The four fields as the numbers they are stored as (leading number, 0 without one).
    std::array<int, 4> octetosDigitados() const;
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

    // Escape, accept()/reject() and done() close the window like its close box does.
    void done(int resultado) override;

Q_SIGNALS:
    // The window is closing (after its settings were stored).
    void fechando();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarControles();
    void caberNaTela();
    void passosDeFechamento();
    void acompanharPedidoDoTeste();
    QLabel* criarLink(const QString& nome, const QString& texto, const QString& dica);
    // Runs the link's command; false when `objeto` is none of the links.
    bool seguirLink(const QObject* objeto);

    ethernet::Conexao* m_conexao;
    banco::Banco& m_banco;
    QLineEdit* m_ip[4] = {};
    QPlainTextEdit* m_txtSource = nullptr;
    ethernet::EspelhoTexto* m_espelhoResposta = nullptr;
    QLabel* m_lblStatusPesquisa = nullptr;
    QLabel* m_lblSuporte = nullptr; // Label8, over lbl_ajuda
    // The links, followed with a click or from the keyboard.
    QLabel* m_lblTestarConexao = nullptr;
    QLabel* m_lblRedefinir = nullptr;
    QLabel* m_lblAjuda = nullptr;
    Temporizador m_timerState;
    Temporizador m_timerTimeout;
    QString m_resposta;
    QString m_ipLido[4];
    bool m_definido[4] = {};
    QString m_prefixo[2];
    QString m_caminho;
    bool m_fechamentoFeito = false;
    // The connection test's own request (the exchange's request number) and whether the
    // device's signature arrived in reply to it; background requests do not count.
    quint64 m_pedidoDoTeste = 0;
    qsizetype m_lidoDoTeste = 0;
    bool m_achouNoTeste = false;
    QMetaObject::Connection m_ligacaoTeste;
};
