#include "principal.h"

#include "banco.h"
#include "constantes.h"
#include "ethernet.h"
#include "vistaTexto.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>

Principal::Principal(ethernet::Conexao& conexao, banco::Banco& banco, QWidget* parent)
    : QMainWindow(parent), m_conexao(&conexao), m_banco(banco)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(constantes::legendaPrincipal);
    criarMenus();
    criarControles();
    // A device may send its reply a byte at a time or without end: the view follows the log
    // by appending, at a bounded pace, instead of laying out the whole log for every chunk.
    auto* espelho = new ethernet::EspelhoTexto(vistaDeTexto(m_txtSource), this);
    connect(m_conexao, &ethernet::Conexao::logAlterado, espelho, &ethernet::EspelhoTexto::mostrar);
}

void Principal::criarMenus()
{
    QMenuBar* barra = menuBar();
    QMenu* configuracoes = barra->addMenu(QStringLiteral("Configurações"));
    configuracoes->setObjectName(QStringLiteral("menuConfiguracoes"));
    QAction* conectar = configuracoes->addAction(QStringLiteral("Conectar ao Contador"));
    conectar->setObjectName(QStringLiteral("menuConectar"));
    // Kept enabled; choosing it does nothing.
    QAction* rede = configuracoes->addAction(QStringLiteral("Configurar Rede"));
    rede->setObjectName(QStringLiteral("menuConfigurarRele"));
    connect(rede, &QAction::triggered, this, [this] {
        statusCongurandoEthernet(true);
        Q_EMIT configurarRedePedido();
    });
    QAction* importar = configuracoes->addAction(QStringLiteral("Importar histórico…"));
    importar->setObjectName(QStringLiteral("menuImportarHistorico"));
    connect(importar, &QAction::triggered, this, &Principal::importarHistoricoPedido);

    QMenu* exibir = barra->addMenu(QStringLiteral("Exibir"));
    exibir->setObjectName(QStringLiteral("menuExibir"));
    QAction* simples = exibir->addAction(QStringLiteral("Painel Simples"));
    simples->setObjectName(QStringLiteral("menuPainelSimples"));
    connect(simples, &QAction::triggered, this, &Principal::painelSimplesPedido);
    QAction* avancado = exibir->addAction(QStringLiteral("Painel Avançado"));
    avancado->setObjectName(QStringLiteral("menuPainelAvancado"));
    connect(avancado, &QAction::triggered, this, &Principal::painelAvancadoPedido);
    QAction* relatorios = exibir->addAction(QStringLiteral("Relatórios"));
    relatorios->setObjectName(QStringLiteral("menuRelatorios"));
    connect(relatorios, &QAction::triggered, this, &Principal::relatoriosPedido);

    QAction* sair = barra->addAction(QStringLiteral("Sair"));
    sair->setObjectName(QStringLiteral("menuSair"));
    connect(sair, &QAction::triggered, this, [] { QApplication::exit(0); });
}

void Principal::criarControles()
{
    auto* centro = new QWidget(this);
    centro->setObjectName(QStringLiteral("centro"));
    setCentralWidget(centro);
    setFixedSize(640, 440);

    auto* titulo = new QLabel(QStringLiteral("Sistema de Gestão de Fluxo de  Pessoas"), centro);
    titulo->setObjectName(QStringLiteral("Label5"));
    QFont fonteTitulo(QStringLiteral("Times New Roman"));
    fonteTitulo.setPointSizeF(20.25);
    fonteTitulo.setStyleHint(QFont::Serif);
    titulo->setFont(fonteTitulo);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setGeometry(10, 14, 620, 44);
    titulo->setStyleSheet(QStringLiteral("color: #1d2b4a; background: transparent;"));

    m_label1 = new QLabel(QStringLiteral("Log do dispositivo:"), centro);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(24, 72, 300, 18);
    m_label1->setTextFormat(Qt::PlainText);

    m_lblPagina = new QLabel(QStringLiteral("0"), centro);
    m_lblPagina->setObjectName(QStringLiteral("lbl_pagina"));
    m_lblPagina->setGeometry(560, 72, 56, 18);
    m_lblPagina->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblPagina->setTextFormat(Qt::PlainText);

    m_txtSource = new QPlainTextEdit(centro);
    m_txtSource->setObjectName(QStringLiteral("txtSource"));
    m_txtSource->setReadOnly(true);
    m_txtSource->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fonteLog(QStringLiteral("Courier New"));
    fonteLog.setPointSizeF(8.25);
    fonteLog.setStyleHint(QFont::TypeWriter);
    m_txtSource->setFont(fonteLog);
    m_txtSource->setToolTip(QStringLiteral("Dados recebidos do dispositivo"));
    m_txtSource->setGeometry(24, 92, 592, 270);

    m_frmDesconectado = new QFrame(centro);
    m_frmDesconectado->setObjectName(QStringLiteral("frm_desconectado"));
    m_frmDesconectado->setGeometry(24, 372, 14, 14);
    m_frmDesconectado->setStyleSheet(QStringLiteral("background: rgb(255, 0, 0); border-radius: 7px;"));
    m_frmDesconectado->hide();

    m_lblLegendaDesconectado = new QLabel(QStringLiteral("Desconectado"), centro);
    m_lblLegendaDesconectado->setObjectName(QStringLiteral("lbl_legendaDesconectado"));
    m_lblLegendaDesconectado->setGeometry(46, 366, 570, 26);
    m_lblLegendaDesconectado->setAttribute(Qt::WA_TranslucentBackground);
    m_lblLegendaDesconectado->setTextFormat(Qt::PlainText);
    QFont fonteStatus = m_lblLegendaDesconectado->font();
    fonteStatus.setPointSize(12);
    m_lblLegendaDesconectado->setFont(fonteStatus);
    QPalette p = m_lblLegendaDesconectado->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_lblLegendaDesconectado->setPalette(p);
}

void Principal::paintEvent(QPaintEvent* evento)
{
    // The background: a quiet light gradient with a band under the title.
    QPainter pintor(this);
    QLinearGradient fundo(0, 0, 0, height());
    fundo.setColorAt(0.0, QColor(0xe9, 0xef, 0xf7));
    fundo.setColorAt(1.0, QColor(0xc9, 0xd6, 0xe8));
    pintor.fillRect(rect(), fundo);
    pintor.fillRect(QRect(0, menuBar()->height() + 62, width(), 2), QColor(0x1d, 0x2b, 0x4a, 60));
    QMainWindow::paintEvent(evento);
}

void Principal::definirSubPagina(const QString& pagina)
{
    m_conexao->definirSubPagina(pagina);
}

QString Principal::subPaginaAtual() const
{
    return m_conexao->subPaginaAtual();
}

void Principal::acessarPagina(const QString& pagina)
{
    m_conexao->acessarPagina(m_endereco.ip1, m_endereco.ip2, m_endereco.ip3, m_endereco.ip4, pagina);
}

void Principal::exibirDesconectadoPrincipal()
{
    QFont f = m_lblLegendaDesconectado->font();
    f.setPointSize(12);
    m_lblLegendaDesconectado->setFont(f);
    QPalette p = m_lblLegendaDesconectado->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_lblLegendaDesconectado->setPalette(p);
    m_lblLegendaDesconectado->setText(QStringLiteral("Desconectado."));
    m_lblLegendaDesconectado->setVisible(true);
    m_frmDesconectado->setVisible(true);
}

void Principal::exibirColetandoPrincipal()
{
    // Every chunk of a reply confirms the device: once shown, the state needs no new styling.
    if (m_frmDesconectado->isHidden() &&
        m_lblLegendaDesconectado->text() == QStringLiteral("Já estamos coletando os dados."))
        return;
    QFont f = m_lblLegendaDesconectado->font();
    f.setPointSize(9);
    m_lblLegendaDesconectado->setFont(f);
    QPalette p = m_lblLegendaDesconectado->palette();
    // A dark grey: quiet beside the red of a failure, yet at least 5:1 against the lightest and
    // the darkest end of the background gradient (the theme's disabled grey was about 1.2:1).
    p.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
    m_lblLegendaDesconectado->setPalette(p);
    m_lblLegendaDesconectado->setText(QStringLiteral("Já estamos coletando os dados."));
    m_lblLegendaDesconectado->setVisible(true);
    m_frmDesconectado->setVisible(false);
}

void Principal::definirPagina(const QString& texto)
{
    m_lblPagina->setText(texto);
}

void Principal::definirLegendaLog(const QString& texto)
{
    m_label1->setText(texto);
}

void Principal::carregar()
{
    m_banco.lerEthernet(m_endereco); // a failed read keeps the address empty
    m_conexao->timerTimeOut().setInterval(constantes::intervaloTimeOutMs);
    acessarPagina(QStringLiteral("0"));
}

void Principal::closeEvent(QCloseEvent* evento)
{
    // Closing the console ends the program at once, without a question.
    evento->accept();
    QApplication::exit(0);
}
