// The simple panel window: texts, load from the settings row, the options frame, the round
// trip into table painelSimples, the refresh rhythm on the wire and the disconnected strip.
#include "apoioPainel.h"
#include "costuras.h"
#include "dispositivoWindows.h"
#include "ethernet.h"
#include "mensagens.h"
#include "painelAtivo.h"
#include "painelSimples.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QLabel* rotulo(QWidget* janela, const char* nome)
{
    auto* l = janela->findChild<QLabel*>(QString::fromLatin1(nome));
    if (!l)
        qWarning("sem %s", nome);
    return l;
}

void passar(QWidget* w)
{
    QEnterEvent entrada(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(w, &entrada);
}

} // namespace

class TestePainelSimples : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QFile::remove(banco());
        QVERIFY(QFile::copy(FLUXORA_BANCO_MODELO, banco()));
        QFile::setPermissions(banco(), QFile::ReadOwner | QFile::WriteOwner);
        costuras::pastaAplicacao = [this] { return m_pasta.path(); };
        costuras::fixarRelogio("10/03/2024", "14:05:33");
        dispositivoWindows::telas = [] {
            return QList<dispositivoWindows::Tela>{{"tela", QRect(0, 0, 1920, 1080)}};
        };
        m_caixas.clear();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas.append(p);
            return mensagens::Resposta::Ok;
        });
        m_conexao = new ethernet::Conexao;
        ethernet::registrarConexaoPrincipal(m_conexao);
    }
    void cleanup()
    {
        delete janelas::painelsimplesExistente();
        ethernet::registrarConexaoPrincipal(nullptr);
        delete m_conexao;
        painelAtivo::desativarPainelSimples();
        costuras::restaurar();
        dispositivoWindows::restaurar();
        mensagens::instalar({});
    }

    void textos_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("dica");
        QTest::newRow("lotacao") << "lbl_lotacao"
                                 << "---"
                                 << "";
        QTest::newRow("total") << "lbl_total"
                               << "---"
                               << "";
        QTest::newRow("legenda lotacao") << "lbl_legendaLotacao"
                                         << "Lotação Atual"
                                         << "";
        QTest::newRow("legenda total") << "lbl_legendaTotal"
                                       << "Total Hoje"
                                       << "";
        QTest::newRow("mensagem") << "lbl_infoEmpresa"
                                  << "Seja bem-vindo!"
                                  << "Clique em ? para alterar a mensagem";
        QTest::newRow("opcoes") << "lbl_opcoes"
                                << "?"
                                << "Mostrar opções de conteúdo";
        QTest::newRow("fechar") << "lbl_fechar"
                                << "X"
                                << "Fechar o Painel simplificado";
        QTest::newRow("desconectado") << "lbl_legendaDesconectado"
                                      << "Desconectado"
                                      << "";
        QTest::newRow("elevar lotacao") << "lbl_posicaomenosLotacao"
                                        << "<"
                                        << "Elevar Exibição  da lotação atual";
        QTest::newRow("reduzir lotacao") << "lbl_diminuirFonteLotacao"
                                         << "-"
                                         << "Reduzir tamanho  da lotação atual";
        QTest::newRow("legenda +") << "lbl_aumentarLegendaFonteLotacao"
                                   << "\""
                                   << "Aumentar Legenda do Total da Lotação";
        QTest::newRow("legenda -") << "lbl_diminuirLegendaFonteTotal" << QString(QChar(0x00A8))
                                   << "Reduzir Legenda do Total de Visitas";
        QTest::newRow("aumentar total") << "lbl_aumentarFonteTotal"
                                        << "+"
                                        << "Aumentar tamanho  do Total de Visitas";
        QTest::newRow("baixar total") << "lbl_posicaoTotal"
                                      << ">"
                                      << "Baixar Exibição  do Total de Visitas";
        QTest::newRow("tamanho lotacao") << "lbl_tamLotacao"
                                         << "20"
                                         << "Tamanho da fonte de exibição da Lotação";
        QTest::newRow("tamanho total") << "lbl_tamTotal"
                                       << "20"
                                       << "Tamanho da fonte de exibição da contagem Total";
        QTest::newRow("atualizacao") << "Label1"
                                     << "Atualização"
                                     << "";
        QTest::newRow("intervalo") << "lbl_tempoAtualizacao"
                                   << "10s"
                                   << "Tempo entre cada atualização";
        QTest::newRow("padroes") << "lbl_redefinir"
                                 << "Padrões"
                                 << "Redefinir Padrões de Exibição";
        QTest::newRow("fechar opcoes") << "lbl_fecharopcoes"
                                       << "X"
                                       << "Ocultar opções de conteúdo";
    }
    // Captions and tooltips at load, with the shipped settings row.
    void textos()
    {
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        QFETCH(QString, dica);
        PainelSimples* janela = janelas::painelsimples();
        auto* l = janela->findChild<QLabel*>(nome);
        QVERIFY(l);
        QCOMPARE(l->text(), texto);
        QCOMPARE(l->toolTip(), dica);
    }

    void cargaDoBanco()
    {
        PainelSimples* janela = janelas::painelsimples();
        QCOMPARE(janela->windowTitle(), QStringLiteral("Painel Simplificado"));
        QVERIFY(janela->isHidden());
        QCOMPARE(janela->geometry(), QRect(0, 0, 1920, 1080));
        QVERIFY(janela->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->font().pointSizeF(), 200.0);
        QVERIFY(rotulo(janela, "lbl_lotacao")->font().bold());
        QCOMPARE(rotulo(janela, "lbl_lotacao")->geometry(), QRect(0, 32, 1920, 825));
        QCOMPARE(rotulo(janela, "lbl_total")->geometry(), QRect(16, 384, 1920, 825));
        QCOMPARE(rotulo(janela, "lbl_legendaLotacao")->geometry(), QRect(8, 8, 1920, 217));
        QCOMPARE(rotulo(janela, "lbl_legendaTotal")->geometry(), QRect(8, 360, 1920, 209));
        QCOMPARE(rotulo(janela, "lbl_legendaTotal")->font().pointSizeF(), 30.0);
        QCOMPARE(rotulo(janela, "lbl_total")->palette().color(QPalette::WindowText),
                 QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->geometry(), QRect(19, 1026, 1882, 49));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->font().pointSizeF(), 18.0);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoEmpresa");
        QCOMPARE(editor->text(), QStringLiteral("Seja bem-vindo!"));
        QCOMPARE(editor->maxLength(), 200);
        QCOMPARE(editor->geometry(), QRect(192, 1026, 1536, 81));
        QVERIFY(!editor->isVisibleTo(janela));
        QCOMPARE(janela->findChild<QFrame*>("frm_desconectado")->geometry(), QRect(1344, 1076, 1920, 17));
        QCOMPARE(janela->findChild<QFrame*>("frm_barra")->geometry(), QRect(16, 1078, 177, 25));
        QVERIFY(!janela->findChild<QFrame*>("frm_desconectado")->isVisibleTo(janela));
        QVERIFY(!rotulo(janela, "lbl_legendaDesconectado")->isVisibleTo(janela));
        QVERIFY(!janela->findChild<QFrame*>("frm_opcoes")->isVisibleTo(janela));
        auto* timer = janela->findChild<Temporizador*>("TimerLT");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(janela->contadorAtualizacao(), 0);
        QVERIFY(m_caixas.isEmpty());
    }

    void intervaloGuardado_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<int>("ms");
        QTest::newRow("30s") << "30s"
                             << "30s" << 3000;
        QTest::newRow("15s") << "15s"
                             << "15s" << 1500;
        QTest::newRow("vazio") << ""
                               << "60s" << 6000;
        QTest::newRow("texto") << "rapido"
                               << "60s" << 6000;
        QTest::newRow("5s") << "5s"
                            << "60s" << 6000;
    }
    void intervaloGuardado()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, legenda);
        QFETCH(int, ms);
        QVERIFY(apoio::executar(
            banco(), QStringLiteral("UPDATE painelSimples SET tempoAtualizacao = '%1'").arg(guardado)));
        PainelSimples* janela = janelas::painelsimples();
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), legenda);
        QCOMPARE(janela->findChild<Temporizador*>("TimerLT")->interval(), ms);
    }

    void idaEVolta_data()
    {
        QTest::addColumn<bool>("peloX");
        QTest::newRow("pelo X do painel") << true;
        QTest::newRow("fechando a janela") << false;
    }
    // Adjust on screen, close, read the row back, reopen.
    void idaEVolta()
    {
        QFETCH(bool, peloX);
        PainelSimples* janela = janelas::painelsimples();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        QVERIFY(janela->findChild<QFrame*>("frm_opcoes")->isVisible());
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarFonteLotacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tamLotacao")->text(), QStringLiteral("28"));
        QTest::mouseClick(rotulo(janela, "lbl_posicaoTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_aumentarLegendaFonteTotal"), Qt::LeftButton);
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("20s"));
        QCOMPARE(janela->findChild<Temporizador*>("TimerLT")->interval(), 2000);
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_lotacao"), Qt::LeftButton);
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoEmpresa");
        QVERIFY(editor->isVisible());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("  Loja Centro  "));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Loja Centro"));

        QSignalSpy fechando(janela, &PainelSimples::fechando);
        if (peloX)
            QTest::mouseClick(rotulo(janela, "lbl_fechar"), Qt::LeftButton);
        else
            janela->close();
        QCOMPARE(fechando.count(), 1);
        QTRY_VERIFY(!janelas::painelsimplesExistente());
        QVERIFY(!painelAtivo::painelSimplesEstaAtivo());

        const QVariantMap linha = apoio::linhaPainelSimples(banco());
        QVERIFY(!linha.contains("linhaExtra"));
        QCOMPARE(linha.value("lotacaoFonte").toDouble(), 280.0);
        QVERIFY(qAbs(linha.value("lotacaoPosicao").toDouble() - (32 - 4.8 - 5.6)) < 1e-4);
        QCOMPARE(linha.value("totalFonte").toDouble(), 200.0);
        QVERIFY(qAbs(linha.value("totalPosicao").toDouble() - (404 + 2.72)) < 1e-4);
        QCOMPARE(linha.value("chklotacao").toInt(), 1);
        QCOMPARE(linha.value("chktotal").toInt(), 0);
        QCOMPARE(linha.value("tempoAtualizacao").toString(), QStringLiteral("20s"));
        QCOMPARE(linha.value("legendaFonteTotal").toDouble(), 34.0);
        QCOMPARE(linha.value("legendaFonte").toDouble(), 30.0);
        QCOMPARE(linha.value("legendaPosicao").toDouble(), 8.0);
        QCOMPARE(linha.value("legendaTotalPosicao").toDouble(), 380.0);
        QCOMPARE(linha.value("infoEmpresaFonte").toDouble(), 18.0);
        QCOMPARE(linha.value("infoEmpresa").toString(), QStringLiteral("Loja Centro"));
        QCOMPARE(linha.value("dia").toString(), QStringLiteral("2024-03-10"));
        QVERIFY(m_caixas.isEmpty());

        // A new window starts afresh from the row: the message in display mode, frame closed.
        PainelSimples* outra = janelas::painelsimples();
        QCOMPARE(rotulo(outra, "lbl_lotacao")->font().pointSizeF(), 280.0);
        QCOMPARE(rotulo(outra, "lbl_lotacao")->text(), QStringLiteral("---"));
        QVERIFY(!rotulo(outra, "lbl_lotacao")->isVisibleTo(outra));
        QVERIFY(outra->findChild<QCheckBox*>("chk_lotacao")->isChecked());
        QVERIFY(!outra->findChild<QCheckBox*>("chk_infoEmpresa")->isChecked());
        QVERIFY(!outra->findChild<QLineEdit*>("txt_infoEmpresa")->isVisibleTo(outra));
        QCOMPARE(rotulo(outra, "lbl_infoEmpresa")->text(), QStringLiteral("Loja Centro"));
        QCOMPARE(rotulo(outra, "lbl_tempoAtualizacao")->text(), QStringLiteral("20s"));
        QCOMPARE(rotulo(outra, "lbl_total")->y(), 407);
        QCOMPARE(outra->contadorAtualizacao(), 0);
    }

    void ocultarNumero_data()
    {
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<QStringList>("ocultos");
        QTest::addColumn<QStringList>("intactos");
        const QStringList lotacao = {"lbl_lotacao",
                                     "lbl_legendaLotacao",
                                     "lbl_tamLotacao",
                                     "lbl_posicaomenosLotacao",
                                     "lbl_posicaoLotacao",
                                     "lbl_aumentarFonteLotacao",
                                     "lbl_diminuirFonteLotacao",
                                     "lbl_aumentarLegendaFonteLotacao",
                                     "lbl_diminuirLegendaFonteLotacao"};
        const QStringList total = {"lbl_total",
                                   "lbl_legendaTotal",
                                   "lbl_tamTotal",
                                   "lbl_posicaomenosTotal",
                                   "lbl_posicaoTotal",
                                   "lbl_aumentarFonteTotal",
                                   "lbl_diminuirFonteTotal",
                                   "lbl_aumentarLegendaFonteTotal",
                                   "lbl_diminuirLegendaFonteTotal"};
        QTest::newRow("lotacao") << "chk_lotacao" << lotacao << total;
        QTest::newRow("total") << "chk_total" << total << lotacao;
    }
    void ocultarNumero()
    {
        QFETCH(QString, caixa);
        QFETCH(QStringList, ocultos);
        QFETCH(QStringList, intactos);
        PainelSimples* janela = janelas::painelsimples();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        auto* chk = janela->findChild<QCheckBox*>(caixa);
        QTest::mouseClick(chk, Qt::LeftButton);
        for (const QString& n : ocultos)
            QVERIFY2(!janela->findChild<QLabel*>(n)->isVisible(), qPrintable(n));
        for (const QString& n : intactos)
            QVERIFY2(janela->findChild<QLabel*>(n)->isVisible(), qPrintable(n));
        QVERIFY(chk->isVisible());
        // A hidden number cannot be adjusted.
        QTest::mouseClick(chk, Qt::LeftButton);
        for (const QString& n : ocultos + intactos)
            QVERIFY2(janela->findChild<QLabel*>(n)->isVisible(), qPrintable(n));
    }

    // The frame opens and closes on a mere pass of the pointer; an editor left open stays.
    void opcoesPorPassagem()
    {
        PainelSimples* janela = janelas::painelsimples();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto* frame = janela->findChild<QFrame*>("frm_opcoes");
        passar(rotulo(janela, "lbl_opcoes"));
        QVERIFY(frame->isVisible());
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        QVERIFY(!rotulo(janela, "lbl_aumentarFonteinfoEmpresa")->isVisible());
        passar(rotulo(janela, "lbl_fecharopcoes"));
        QVERIFY(!frame->isVisible());
        QCOMPARE(janela->focusWidget(), janela->findChild<QLineEdit*>("txt_ocultarMouse"));
        QVERIFY(janela->findChild<QLineEdit*>("txt_infoEmpresa")->isVisible());
        QVERIFY(rotulo(janela, "lbl_infoEmpresa")->isVisible());
    }

    // "Padrões" on 1920 x 1080 after a few adjustments; message and interval untouched.
    void padroes()
    {
        PainelSimples* janela = janelas::painelsimples();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        for (const char* n : {"lbl_diminuirFonteTotal", "lbl_posicaomenosLotacao",
                              "lbl_aumentarLegendaFonteLotacao", "lbl_tempoAtualizacao"})
            QTest::mouseClick(rotulo(janela, n), Qt::LeftButton);
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_total"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tamTotal")->text(), QStringLiteral("16"));
        QTest::mouseClick(rotulo(janela, "lbl_redefinir"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->y(), 32);
        QCOMPARE(rotulo(janela, "lbl_total")->y(), 384);
        QCOMPARE(rotulo(janela, "lbl_legendaLotacao")->y(), 8);
        QCOMPARE(rotulo(janela, "lbl_legendaTotal")->y(), 360);
        QCOMPARE(rotulo(janela, "lbl_legendaLotacao")->font().pointSizeF(), 30.0);
        QVERIFY(rotulo(janela, "lbl_total")->isVisible());
        QVERIFY(!janela->findChild<QCheckBox*>("chk_total")->isChecked());
        QCOMPARE(rotulo(janela, "lbl_tamLotacao")->text(), QStringLiteral("20"));
        QCOMPARE(rotulo(janela, "lbl_tamTotal")->text(), QStringLiteral("20"));
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("20s"));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Seja bem-vindo!"));
        QCOMPARE(janela->findChild<QLineEdit*>("txt_infoEmpresa")->y(), 1025);
        // Nothing is stored before the panel closes.
        QCOMPARE(apoio::linhaPainelSimples(banco()).value("totalFonte").toDouble(), 200.0);
        QCOMPARE(apoio::linhaPainelSimples(banco()).value("tempoAtualizacao").toString(),
                 QStringLiteral("10s"));
    }

    void desconectado()
    {
        PainelSimples* janela = janelas::painelsimples();
        janela->definirLotacao(QStringLiteral("42"));
        janela->exibirDesconectado();
        QVERIFY(rotulo(janela, "lbl_legendaDesconectado")->isVisibleTo(janela));
        QVERIFY(janela->findChild<QFrame*>("frm_desconectado")->isVisibleTo(janela));
        QCOMPARE(rotulo(janela, "lbl_legendaDesconectado")->alignment() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->text(), QStringLiteral("42"));
        QVERIFY(janela->findChild<Temporizador*>("TimerLT")->isActive());
        janela->ocultarDesconectado();
        QVERIFY(!rotulo(janela, "lbl_legendaDesconectado")->isVisibleTo(janela));
        QVERIFY(!janela->findChild<QFrame*>("frm_desconectado")->isVisibleTo(janela));
    }

    // "10s": eleven ticks, the bar climbing 0 ... 10, and GET /6 on the wire at the eleventh.
    void ritmoNoFio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
        const quint16 porta = servidor.serverPort();
        costuras::portaPadrao = [porta] { return porta; };
        QByteArray recebido;
        int conexoes = 0;
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = servidor.nextPendingConnection()) {
                ++conexoes;
                connect(s, &QTcpSocket::readyRead, this, [&recebido, s] { recebido += s->readAll(); });
            }
        });
        PainelSimples* janela = janelas::painelsimples();
        janela->findChild<Temporizador*>("TimerLT")->stop();
        auto* barra = janela->findChild<QProgressBar*>("bar_atualizacao");
        for (int t = 0; t < 10; ++t) {
            janela->tiqueTimerLT();
            QCOMPARE(barra->value(), t);
            QCOMPARE(barra->maximum(), 10);
        }
        QCoreApplication::processEvents();
        QCOMPARE(conexoes, 0);
        QVERIFY(m_conexao->subPaginaAtual().isEmpty());
        janela->tiqueTimerLT();
        QCOMPARE(barra->value(), 10);
        QCOMPARE(m_conexao->subPaginaAtual(), QStringLiteral("/6"));
        QTRY_COMPARE(recebido, QByteArray("GET /6 HTTP/1.0\n\n"));
        QCOMPARE(janela->contadorAtualizacao(), 0);
        servidor.disconnect(this);
    }

    // Lowering the interval while the counter is past the new N: the bar stays in range and
    // the request goes out at once.
    void intervaloReduzido()
    {
        QVERIFY(
            apoio::executar(banco(), QStringLiteral("UPDATE painelSimples SET tempoAtualizacao = '60s'")));
        PainelSimples* janela = janelas::painelsimples();
        janela->findChild<Temporizador*>("TimerLT")->stop();
        for (int t = 0; t < 30; ++t)
            janela->tiqueTimerLT();
        QCOMPARE(janela->contadorAtualizacao(), 30);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        passar(rotulo(janela, "lbl_opcoes"));
        QTest::mouseClick(rotulo(janela, "lbl_tempoAtualizacao"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("10s"));
        janela->tiqueTimerLT();
        auto* barra = janela->findChild<QProgressBar*>("bar_atualizacao");
        QCOMPARE(barra->maximum(), 10);
        QCOMPARE(barra->value(), 10);
        QCOMPARE(m_conexao->subPaginaAtual(), QStringLiteral("/6"));
        QCOMPARE(janela->contadorAtualizacao(), 0);
    }

    // Without a readable row the panel still shows the counts, reports once and never writes
    // its stand-ins over the file.
    void semBanco()
    {
        QVERIFY(QFile::remove(banco()));
        PainelSimples* janela = janelas::painelsimples();
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->font().pointSizeF(), 200.0);
        QCOMPARE(rotulo(janela, "lbl_total")->y(), 384);
        QCOMPARE(rotulo(janela, "lbl_tempoAtualizacao")->text(), QStringLiteral("60s"));
        janela->definirTotal(QStringLiteral("7"));
        QCOMPARE(rotulo(janela, "lbl_total")->text(), QStringLiteral("7"));
        janela->close();
        QTRY_VERIFY(!janelas::painelsimplesExistente());
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(!QFile::exists(banco()));
    }

    // The capacity set on the panel: colours and message follow at once, the full-house text
    // is edited like the custom message, and the new table keeps what was set. (The colours of
    // each state against the simulator: test_ligacoesSimples.)
    void lotacaoMaxima()
    {
        QVERIFY(apoio::executar(banco(), QStringLiteral("UPDATE painelLotacao SET lotacaoMaxima = 50")));
        PainelSimples* janela = janelas::painelsimples();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto cor = [janela](const char* nome) {
            return rotulo(janela, nome)->palette().color(QPalette::WindowText);
        };
        const QColor branco(0xFF, 0xFF, 0xFF);
        janela->definirLotacao(QStringLiteral("50"));
        const QColor corLotado = cor("lbl_lotacao");
        QVERIFY(corLotado != branco);
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(),
                 QStringLiteral("Lotação máxima atingida. Por favor, aguarde."));

        // Raised on the spot: 50 is now below the warning level of 54.
        passar(rotulo(janela, "lbl_opcoes"));
        auto* maxima = janela->findChild<QSpinBox*>("txt_lotacaoMaxima");
        QVERIFY(maxima->isVisible());
        maxima->selectAll();
        QTest::keyClicks(maxima, QStringLiteral("60"));
        QCOMPARE(maxima->value(), 60);
        QCOMPARE(cor("lbl_lotacao"), branco);
        janela->definirLotacao(QStringLiteral("60"));
        QCOMPARE(cor("lbl_lotacao"), corLotado);

        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoLotado"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoLotado");
        QVERIFY(editor->isVisible());
        QVERIFY(!janela->findChild<QCheckBox*>("chk_infoEmpresa")->isChecked());
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("  Aguarde na fila  "));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Aguarde na fila"));
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoLotado"), Qt::LeftButton);
        QVERIFY(!editor->isVisible());
        janela->definirLotacao(QStringLiteral("12"));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->text(), QStringLiteral("Seja bem-vindo!"));
        janela->close();
        QTRY_VERIFY(!janelas::painelsimplesExistente());
        QCOMPARE(apoio::consultar(banco(),
                                  "SELECT lotacaoMaxima || '|' || lotacaoAviso || '|' || infoLotado FROM "
                                  "painelLotacao"),
                 QStringLiteral("60|0|Aguarde na fila"));
        QVERIFY(m_caixas.isEmpty());
    }

    // The panel covers the screen the rules pick, lays itself out on that screen's size, and
    // moves to a remaining screen when its own goes away; a chosen screen is remembered.
    void telaDoPainel()
    {
        const dispositivoWindows::Tela notebook{"eDP-1", QRect(0, 0, 1366, 768)};
        const dispositivoWindows::Tela tv{"HDMI-1", QRect(1366, 0, 1920, 1080)};
        QList<dispositivoWindows::Tela> telas{notebook, tv};
        dispositivoWindows::telas = [&telas] { return telas; };
        PainelSimples* janela = janelas::painelsimples();
        QCOMPARE(janela->geometry(), tv.geometria);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1920);
        QCOMPARE(janela->findChild<QFrame*>("frm_desconectado")->geometry(), QRect(1344, 1076, 1920, 17));

        telas = {notebook};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), notebook.geometria);
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        QCOMPARE(rotulo(janela, "lbl_legendaTotal")->width(), 1366);
        QCOMPARE(janela->findChild<QFrame*>("frm_barra")->y(), qRound(768 - 768 * 0.002));
        QCOMPARE(rotulo(janela, "lbl_infoEmpresa")->geometry(), QRect(14, 730, 1339, 49));
        const QFrame* opcoes = janela->findChild<QFrame*>("frm_opcoes");
        QVERIFY(opcoes->geometry().bottom() < 768);

        // The operator picks the notebook's screen; it comes back the next time.
        telas = {notebook, tv};
        janela->acompanharTela();
        QCOMPARE(janela->geometry(), tv.geometria);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QVERIFY(janela->windowState() & Qt::WindowFullScreen);
        passar(rotulo(janela, "lbl_opcoes"));
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), QStringLiteral("Auto"));
        QTest::mouseClick(rotulo(janela, "lbl_tela"), Qt::LeftButton);
        QCOMPARE(rotulo(janela, "lbl_tela")->text(), QStringLiteral("1"));
        QCOMPARE(janela->nomeTela(), QStringLiteral("eDP-1"));
        QCOMPARE(rotulo(janela, "lbl_lotacao")->width(), 1366);
        janela->close();
        QTRY_VERIFY(!janelas::painelsimplesExistente());
        QCOMPARE(apoio::consultar(banco(), "SELECT telaPainel FROM painelLotacao"), QStringLiteral("eDP-1"));
        QCOMPARE(janelas::painelsimples()->geometry(), notebook.geometria);
    }

    // A message typed by the operator is shown as typed, never read as markup.
    void mensagemEmTextoPuro()
    {
        PainelSimples* janela = janelas::painelsimples();
        QTest::mouseClick(janela->findChild<QCheckBox*>("chk_infoEmpresa"), Qt::LeftButton);
        auto* editor = janela->findChild<QLineEdit*>("txt_infoEmpresa");
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("<b>x</b>"));
        QLabel* mensagem = rotulo(janela, "lbl_infoEmpresa");
        QCOMPARE(mensagem->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(mensagem->textFormat(), Qt::PlainText);
        for (QLabel* l : janela->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }

    QTemporaryDir m_pasta;
    ethernet::Conexao* m_conexao = nullptr;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePainelSimples)
#include "test_painelSimples.moc"
