#pragma once

#include "banco.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;

namespace ethernet {
class Conexao;
}

// The operator's console: menus, the device log and the connection-status line, over the one
// exchange with the device. Lives for the whole run.
class Principal : public QMainWindow {
    Q_OBJECT
public:
    Principal(ethernet::Conexao& conexao, banco::Banco& banco, QWidget* parent = nullptr);

    ethernet::Conexao& conexao() { return *m_conexao; }

    void definirSubPagina(const QString& pagina);
    QString subPaginaAtual() const;
    void acessarPagina(const QString& pagina);
    void statusCongurandoEthernet(bool statusConfigurando) { m_statusConfigurando = statusConfigurando; }

    void exibirDesconectadoPrincipal();
    void exibirColetandoPrincipal();

    // Written by the panels: the page chosen last and the polling cycle's step.
    void definirPagina(const QString& texto);
    void definirLegendaLog(const QString& texto);

    // Start-up: reads the stored address, sets the time-out and requests page 0.
    void carregar();

Q_SIGNALS:
    void painelSimplesPedido();
    void painelAvancadoPedido();
    void configurarRedePedido();
    void relatoriosPedido();
    void importarHistoricoPedido();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    void criarMenus();
    void criarControles();

    ethernet::Conexao* m_conexao;
    banco::Banco& m_banco;
    banco::Ethernet m_endereco;
    bool m_statusConfigurando = false;

    QPlainTextEdit* m_txtSource = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_lblPagina = nullptr;
    QLabel* m_lblLegendaDesconectado = nullptr;
    QFrame* m_frmDesconectado = nullptr;
};
