// The advanced panel as the operator sees it: load state, the cycle's requests, the history
// display, export, deletion, the settings command and the demonstration fill.
#include "../apoio/bancoTeste.h"
#include "caixaAjuste.h"
#include "ciclo.h"
#include "costuras.h"
#include "instanciaUnica.h"
#include "grafico.h"
#include "mensagens.h"
#include "painelavancado.h"
#include "painelavancadoAjustes.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

class TestePainelAvancado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_janelas = std::make_unique<InstanciaUnica<PainelAvancado>>([] { return new PainelAvancado(); });
        m_ajustes = std::make_unique<InstanciaUnica<PainelAvancadoAjustes>>([] { return new PainelAvancadoAjustes(); });
        ajustes::definirJanela([this] { return m_ajustes->obter(); });
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        costuras::fixarRelogio(QStringLiteral("10/03/2024"), QStringLiteral("14:05:33"));
        m_abertos.clear();
        costuras::abrirEndereco = [this](const QUrl& u) {
            m_abertos << u.toLocalFile();
            return true;
        };
        m_caixas.clear();
        m_resposta = mensagens::Resposta::Nao;
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas << p;
            return p.botoes == mensagens::Botoes::SimNao ? m_resposta : mensagens::Resposta::Ok;
        });
        m_paginas.clear();
        m_passos.clear();
        PainelAvancado::definirPrincipal(
            {[this](const QString& t) { m_paginas << t; }, [this](const QString& t) { m_passos << t; }, {}, {}, {}});
        ciclo::contadores() = {};
    }
    void cleanup()
    {
        for (QWidget* w : {static_cast<QWidget*>(m_janelas->existente()),
                           static_cast<QWidget*>(m_ajustes->existente())})
            delete w;
        PainelAvancado::definirPrincipal({});
        mensagens::instalar({});
        costuras::restaurar();
        QSqlDatabase::removeDatabase(QStringLiteral("teste"));
    }

    void estadoAoCarregar()
    {
        executar("INSERT INTO Meses (ano, fev) VALUES ('2023', '" + apoio::grupos({1, 2}) + "')");
        PainelAvancado* p = m_janelas->obter();
        QVERIFY(p->isHidden());
        QCOMPARE(combo(p, "cmb_ano")->currentText(), QStringLiteral("2024"));
        QCOMPARE(combo(p, "cmb_mes")->currentText(), QStringLiteral("03"));
        QCOMPARE(combo(p, "cmb_dia")->currentText(), QStringLiteral("10"));
        QCOMPARE(combo(p, "cmb_ano")->itemText(0), QStringLiteral("2023"));
        QVERIFY(!exportar(p)->isEnabled());
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("lbl_HistoricoTotalMes"))->isHidden());
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("lbl_relatorio"))->isHidden());
        QCOMPARE(grafico(p, "chartMes")->rowCount(), 31);
        QCOMPARE(grafico(p, "chartDia")->rowCount(), 11); // shipped business hours 08h to 18h
        QVERIFY(p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"))->isActive());
    }

    void cicloEscreveNaJanelaPrincipal()
    {
        PainelAvancado* p = m_janelas->obter();
        Temporizador* base = p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"));
        for (int t = 0; t < 12; ++t)
            p->tiqueBaseTempo();
        // Step 6 asks for "/6" itself: the caption stays at "7".
        QCOMPARE(m_paginas, (QStringList{"1", "2", "3", "4", "5", "7"}));
        QCOMPARE(m_passos.last(), QStringLiteral("6"));
        QCOMPARE(texto(p, "lbl_param"), QStringLiteral("5"));
        QCOMPARE(base->interval(), 2160); // "30 seg" shipped
        QCOMPARE(p->findChild<QProgressBar*>(QStringLiteral("bar_atualizacaoDia"))->value(), 6);
        QCOMPARE(p->findChild<QProgressBar*>(QStringLiteral("bar_atualizacaoMes"))->maximum(), 9);
    }

    void exibicaoDoHistoricoDura30Segundos()
    {
        executar("INSERT INTO Meses (ano, fev) VALUES ('2023', '" + apoio::grupos({10, 0, 20}) + "')");
        PainelAvancado* p = m_janelas->obter();
        escolher(combo(p, "cmb_ano"), QStringLiteral("2023"));
        // The year alone loads the month of the selectors: March 2023, not recorded.
        QCOMPARE(texto(p, "lbl_HistoricoTotalMes"), QStringLiteral("0"));
        QCOMPARE(texto(p, "lbl_relatorio"), QStringLiteral("Sem Registros"));
        QVERIFY(!exportar(p)->isEnabled());
        escolher(combo(p, "cmb_mes"), QStringLiteral("02"));
        QCOMPARE(texto(p, "lbl_HistoricoTotalMes"), QStringLiteral("30"));
        QCOMPARE(texto(p, "lbl_HistoricoMediaMes"), QStringLiteral("15")); // over the 2 days with visits
        QCOMPARE(texto(p, "lbl_relatorio"), QStringLiteral("Excel Disponível"));
        QVERIFY(exportar(p)->isEnabled());
        QCOMPARE(grafico(p, "chartMes")->columnCount(), 2);
        QCOMPARE(grafico(p, "chartDia")->columnCount(), 2);
        QVERIFY(!p->findChild<QLabel*>(QStringLiteral("lbl_HistoricoTotalDia"))->isHidden());

        Temporizador* historico = p->findChild<Temporizador*>(QStringLiteral("TimerExibirHistorico"));
        QVERIFY(historico->isActive());
        for (int s = 0; s < 29; ++s)
            p->tiqueExibirHistorico();
        QCOMPARE(p->findChild<QProgressBar*>(QStringLiteral("bar_tempoHistorico"))->value(), 1);
        QCOMPARE(grafico(p, "chartMes")->columnCount(), 2);
        p->tiqueExibirHistorico();
        QVERIFY(!historico->isActive());
        QCOMPARE(grafico(p, "chartMes")->columnCount(), 1);
        QCOMPARE(grafico(p, "chartDia")->columnCount(), 1);
        QCOMPARE(combo(p, "cmb_ano")->currentText(), QStringLiteral("2024"));
        QCOMPARE(combo(p, "cmb_mes")->currentText(), QStringLiteral("03"));
        QVERIFY(!exportar(p)->isEnabled());
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("lbl_relatorio"))->isHidden());
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("lbl_HistoricoTotalMes"))->isHidden());
    }

    void diaDoHistoricoNoExpediente()
    {
        QList<int> horas(24, 0);
        horas[7] = 50;
        horas[9] = 12;
        horas[10] = 30;
        executar("INSERT INTO Dias (mes, ano, hora5) VALUES ('03', '2024', '" + apoio::grupos(horas) + "')");
        PainelAvancado* p = m_janelas->obter();
        escolher(combo(p, "cmb_dia"), QStringLiteral("05"));
        QCOMPARE(texto(p, "lbl_HistoricoTotalDia"), QStringLiteral("42"));
        QCOMPARE(texto(p, "lbl_HistoricoMediaDia"), QStringLiteral("21"));
        Grafico* dia = grafico(p, "chartDia");
        QCOMPARE(dia->valor(2, 2).value_or(-1), 12.0); // category 2 is 9h
    }

    // Neither keys nor the wheel over a selector change it or load history; an opened list has the
    // shown value highlighted, whatever entry the list held before.
    void seletoresSoPelaLista_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("ano") << "cmb_ano"
                             << "2024";
        QTest::newRow("dia") << "cmb_dia"
                             << "10";
    }
    void seletoresSoPelaLista()
    {
        QFETCH(QString, nome);
        QFETCH(QString, mostrado);
        executar("INSERT INTO Meses (ano) VALUES ('2023'), ('2024'), ('2025')");
        PainelAvancado* p = m_janelas->obter();
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        auto* c = p->findChild<QComboBox*>(nome);
        QCOMPARE(c->currentText(), mostrado);
        for (int passo : {120, -120, -120, -120}) {
            const QPointF dentro(c->width() / 2.0, c->height() / 2.0);
            QWheelEvent roda(dentro, c->mapToGlobal(dentro), QPoint(), QPoint(0, passo), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &roda);
            QCOMPARE(c->currentText(), mostrado);
        }
        QTest::keyClicks(c, QStringLiteral("1999"));
        QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(c->currentText(), mostrado);
        QVERIFY(!p->findChild<Temporizador*>(QStringLiteral("TimerExibirHistorico"))->isActive());
        QCOMPARE(grafico(p, "chartMes")->columnCount(), 1);
        c->showPopup();
        QCOMPARE(c->view()->currentIndex().data().toString(), mostrado);
        c->hidePopup();
    }

    void exportacaoDoMes()
    {
        QList<int> dias(32, 0);
        dias[0] = 12;
        dias[1] = 3;
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '" + apoio::grupos(dias) + "')");
        PainelAvancado* p = m_janelas->obter();
        escolher(combo(p, "cmb_mes"), QStringLiteral("03"));
        exportar(p)->trigger();
        const QString arquivo = m_pasta.filePath(QStringLiteral("excel_2024_03.csv"));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QByteArray esperado = "Hist\xF3rico de Visitas M\xEAs 03/2024\r\nDia;Visitas\r\n;\r\n1;12\r\n2;3\r\n";
        for (int d = 3; d <= 31; ++d)
            esperado += QByteArray::number(d) + ";0\r\n";
        QCOMPARE(bytes, esperado);
        QCOMPARE(bytes.count("\r\n"), 34);
        QCOMPARE(m_abertos, QStringList{arquivo});
        QVERIFY(m_caixas.isEmpty());

        // The same month again replaces the file, after the month changed in the database.
        executar("UPDATE Meses SET mar = '" + apoio::grupos({7}) + "' WHERE ano = '2024'");
        escolher(combo(p, "cmb_mes"), QStringLiteral("03"));
        exportar(p)->trigger();
        QVERIFY(f.open(QIODevice::ReadOnly));
        // A month column shorter than the month: the days it lacks are days without visits.
        QVERIFY(f.readAll().startsWith(esperado.left(esperado.indexOf("1;12")) + "1;7\r\n2;0\r\n3;0\r\n"));
        f.close();
        QCOMPARE(m_abertos.size(), 2);
        executar("UPDATE Meses SET mar = '" + apoio::grupos(dias) + "' WHERE ano = '2024'");
        escolher(combo(p, "cmb_mes"), QStringLiteral("03"));
        exportar(p)->trigger();

        // Held read-only (as by a spreadsheet): the message, and the old file as it was.
        QFile::setPermissions(arquivo, QFile::ReadOwner);
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        exportar(p)->trigger();
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), esperado);
        QCOMPARE(m_abertos.size(), 3);
    }

    // On a small screen (a laptop with a taskbar; 1366x768 at 150 %, 910x512 in the window's
    // own units) the panel opens inside the free area with the history row and the charts on
    // it, and the charts stay put while the figures beside them change width.
    void disposicao_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::newRow("1280x720 com barra") << QRect(0, 0, 1280, 680);
        QTest::newRow("1366x768 a 150%") << QRect(0, 0, 910, 512);
        QTest::newRow("segunda tela a 150%") << QRect(910, 0, 910, 485);
    }
    void disposicao()
    {
        QFETCH(QRect, area);
        PainelAvancado* p = m_janelas->obter();
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        p->ajustarAoEspaco(area);
        // Inside the area, with room left for a window manager's title bar.
        QTRY_VERIFY2(area.contains(p->frameGeometry()) && p->height() + 30 <= area.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(p->width()).arg(p->height())));
        p->layout()->activate();
        auto naJanela = [p](const char* nome) {
            auto* w = p->findChild<QWidget*>(QString::fromLatin1(nome));
            return w && p->rect().contains(QRect(w->mapTo(p, QPoint(0, 0)), w->size())) && w->height() > 0;
        };
        for (const char* nome : {"cmb_ano", "cmb_mes", "cmb_dia", "lbl_excluir", "chartDia", "chartMes",
                                 "lbl_lotacao", "lbl_mediaHora"})
            QVERIFY2(naJanela(nome), nome);

        // History figures shown, then live figures of every width.
        escolher(combo(p, "cmb_mes"), QStringLiteral("03"));
        p->layout()->activate();
        QVERIFY2(area.contains(p->frameGeometry()), qPrintable(QStringLiteral("%1 wide").arg(p->width())));
        for (const char* nome : {"lbl_HistoricoMediaDia", "lbl_relatorio", "lbl_excluir"})
            QVERIFY2(naJanela(nome), nome);
        auto* chart = grafico(p, "chartDia");
        const QRect antes(chart->mapTo(p, QPoint(0, 0)), chart->size());
        for (const char* valor : {"0", "3561", "99999", "00000"}) {
            for (const char* nome : {"lbl_lotacao", "lbl_total", "lbl_mediaDia", "lbl_mediaHora"})
                p->findChild<QLabel*>(QString::fromLatin1(nome))->setText(QString::fromLatin1(valor));
            p->findChild<QLabel*>(QStringLiteral("lbl_mes"))
                ->setText(QString::fromLatin1(valor) + QStringLiteral("00"));
            p->layout()->activate();
            QCOMPARE(QRect(chart->mapTo(p, QPoint(0, 0)), chart->size()), antes);
        }
    }

    void exclusaoPedeConfirmacao()
    {
        executar("INSERT INTO Meses (ano, mar, abr) VALUES ('2024', '" + apoio::grupos({4, 4}) + "', '" +
                 apoio::grupos({9}) + "')");
        PainelAvancado* p = m_janelas->obter();
        auto* x = p->findChild<QLabel*>(QStringLiteral("lbl_excluir"));
        m_resposta = mensagens::Resposta::Nao;
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(m_caixas[0].padraoNao);
        QCOMPARE(consulta("SELECT mar FROM Meses"), apoio::grupos({4, 4}));
        QVERIFY(!p->findChild<Temporizador*>(QStringLiteral("TimerExibirHistorico"))->isActive());

        m_resposta = mensagens::Resposta::Sim;
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(consulta("SELECT mar FROM Meses"), QString(155, u'0'));
        QCOMPARE(consulta("SELECT abr FROM Meses"), apoio::grupos({9}));
        QCOMPARE(texto(p, "lbl_HistoricoTotalMes"), QStringLiteral("0"));
        QCOMPARE(texto(p, "lbl_HistoricoMediaMes"), QStringLiteral("0"));
        QVERIFY(p->findChild<Temporizador*>(QStringLiteral("TimerExibirHistorico"))->isActive());
    }

    void ajustesPausamEAplicam()
    {
        PainelAvancado* p = m_janelas->obter();
        Temporizador* base = p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"));
        bool pausado = false;
        QTimer::singleShot(0, this, [&] {
            PainelAvancadoAjustes* a = m_ajustes->existente();
            QVERIFY(a);
            pausado = !base->isActive();
            auto* inicio = a->findChild<CaixaAjuste*>(QStringLiteral("cmb_inicio"));
            QVERIFY(inicio);
            inicio->definirTexto(QStringLiteral("10h"));
            a->close();
        });
        p->findChild<QAction*>(QStringLiteral("menuAjustesExpediente"))->trigger();
        QVERIFY(pausado);
        QVERIFY(base->isActive());
        QCOMPARE(base->interval(), 1000);
        QCOMPARE(p->estadoCiclo().passoCiclo, 3);
        QCOMPARE(grafico(p, "chartDia")->rowCount(), 9);
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("pic_atualizarAgora"))->isHidden());
        QCOMPARE(consulta("SELECT cmb_inicio FROM painelavancado"), QStringLiteral("10h"));
    }

    void fecharDescarregaEReabreDoZero()
    {
        QPointer<PainelAvancado> p = m_janelas->obter();
        for (int t = 0; t < 15; ++t)
            p->tiqueBaseTempo();
        p->exibirDesconectadoAvancado();
        QVERIFY(!p->findChild<QFrame*>(QStringLiteral("frm_desconectado"))->isHidden());
        const int ciclos = ciclo::contadores().ciclosMes;
        p->close();
        QTRY_VERIFY(p.isNull());
        PainelAvancado* novo = m_janelas->obter();
        QCOMPARE(novo->estadoCiclo().passoCiclo, 0);
        QVERIFY(!novo->estadoCiclo().leituraMesCompleta);
        QCOMPARE(ciclo::contadores().ciclosMes, ciclos);
        QVERIFY(novo->findChild<QFrame*>(QStringLiteral("frm_desconectado"))->isHidden());
    }

private:
    static QString texto(PainelAvancado* p, const char* nome)
    {
        auto* l = p->findChild<QLabel*>(QString::fromLatin1(nome));
        return l ? l->text() : QStringLiteral("<sem %1>").arg(QString::fromLatin1(nome));
    }
    static QComboBox* combo(PainelAvancado* p, const char* nome)
    {
        return p->findChild<QComboBox*>(QString::fromLatin1(nome));
    }
    static Grafico* grafico(PainelAvancado* p, const char* nome)
    {
        return p->findChild<Grafico*>(QString::fromLatin1(nome));
    }
    static QAction* exportar(PainelAvancado* p)
    {
        return p->findChild<QAction*>(QStringLiteral("menuExportarMensal"));
    }
    // A pick from the list, as the mouse makes it.
    static void escolher(QComboBox* c, const QString& item)
    {
        const int i = c->findText(item);
        QVERIFY(i >= 0);
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
        Q_EMIT c->textActivated(item);
    }

    void executar(const QString& sql)
    {
        const QString erro = apoio::executar(m_arquivo, sql);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }
    QString consulta(const QString& sql) { return apoio::consulta(m_arquivo, sql); }

    std::unique_ptr<InstanciaUnica<PainelAvancado>> m_janelas;
    std::unique_ptr<InstanciaUnica<PainelAvancadoAjustes>> m_ajustes;
    QTemporaryDir m_pasta;
    QString m_arquivo;
    QStringList m_abertos;
    QList<mensagens::Pedido> m_caixas;
    mensagens::Resposta m_resposta = mensagens::Resposta::Nao;
    QStringList m_paginas;
    QStringList m_passos;
};

QTEST_MAIN(TestePainelAvancado)
#include "test_painelavancado.moc"
