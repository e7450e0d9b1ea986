// The advanced panel as the operator sees it: load state, the cycle's requests and the clicks
// that steer it, the history display, export, deletion, the settings command, the layout.
#include "../apoio/bancoTeste.h"
#include "abertura.h"
#include "ajustesAvancado.h"
#include "banco.h"
#include "caixaAjuste.h"
#include "ciclo.h"
#include "costuras.h"
#include "grafico.h"
#include "mensagens.h"
#include "painelavancado.h"
#include "temporizador.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLayout>
#include <QtTest>

class TestePainelAvancado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        m_arquivo = apoio::copiarBancoEntregue(m_pasta);
        QVERIFY(!m_arquivo.isEmpty());
        m_relogio = std::make_unique<RelogioManual>(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
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
        m_contadores = {};
        m_ajustes = {};
        m_banco = banco::Banco();
        m_paginas.clear();
        m_passos.clear();
        m_pedidos.clear();
    }
    void cleanup()
    {
        delete m_painel;
        m_relogio.reset();
        mensagens::instalar({});
        costuras::restaurar();
    }

    void estadoAoCarregar()
    {
        executar("INSERT INTO Meses (ano, fev) VALUES ('2023', '" + apoio::grupos({1, 2}) + "')");
        QVERIFY(painel()->isHidden());
        QCOMPARE(vista(), QStringLiteral("2024/03/10 colunas 1+1 sem exportar"));
        QCOMPARE(combo("cmb_ano")->itemText(0), QStringLiteral("2023"));
        QCOMPARE(grafico("chartMes")->rowCount(), 31);
        QCOMPARE(grafico("chartDia")->rowCount(), 11); // 08h to 18h
    }

    void cicloEscreveNaJanelaPrincipal()
    {
        m_ajustes.cmb_tempoDia = QStringLiteral("60 seg");
        PainelAvancado* p = painel();
        for (int t = 0; t < 12; ++t)
            p->tiqueBaseTempo();
        QCOMPARE(m_pedidos, (QList<int>{1, 2, 3, 4, 5, 6}));
        // Step 6 asks for "/6" itself: the caption stays at "7".
        QCOMPARE(m_paginas, (QStringList{"1", "2", "3", "4", "5", "7"}));
        QCOMPARE(m_passos.last(), QStringLiteral("6"));
        QCOMPARE(p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"))->interval(), 4320);
    }

    // The refresh pictures steer the cycle: the next steps ask for the pages they refresh, fast
    // for today's hours, at the normal pace for the month (its day part runs last).
    void figurasDeAtualizar_data()
    {
        QTest::addColumn<QString>("figura");
        QTest::addColumn<QList<int>>("pedidos");
        QTest::addColumn<int>("intervalo");
        QTest::newRow("pic_atualizarAgora") << "pic_atualizarAgora" << QList<int>{4, 5} << 1000;
        QTest::newRow("Picture1") << "Picture1" << QList<int>{4, 5} << 1000;
        QTest::newRow("pic_atualizarTotalMes") << "pic_atualizarTotalMes" << QList<int>{1, 2, 3, 5} << 2160;
    }
    void figurasDeAtualizar()
    {
        QFETCH(QString, figura);
        QFETCH(QList<int>, pedidos);
        PainelAvancado* p = painel();
        for (int t = 0; t < 28; ++t)
            p->tiqueBaseTempo();
        QTest::mouseClick(p->findChild<QLabel*>(figura), Qt::LeftButton);
        QVERIFY(p->findChild<QLabel*>(figura)->isHidden() || figura == "Picture1");
        m_pedidos.clear();
        for (int t = 0; t < 10; ++t) {
            p->tiqueBaseTempo();
            if (t == 1)
                QTEST(p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"))->interval(), "intervalo");
        }
        QCOMPARE(m_pedidos.mid(0, pedidos.size()), pedidos);
    }

    // Chosen periods show beside the live series until 30 s after the first choice.
    void exibicaoDoHistorico()
    {
        executar("INSERT INTO Meses (ano, fev) VALUES ('2023', '" + apoio::grupos({10, 0, 20}) + "')");
        painel();
        escolher(combo("cmb_ano"), QStringLiteral("2023"));
        // The year alone loads the month of the selectors: March 2023, not recorded.
        QCOMPARE(vista(), QStringLiteral("2023/03/10 colunas 2+1 sem exportar Sem Registros mês 0/0"));
        m_relogio->avancar(20000);
        escolher(combo("cmb_mes"), QStringLiteral("02"));
        // The mean is over the 2 days with visits.
        QCOMPARE(vista(),
                 QStringLiteral("2023/02/10 colunas 2+2 exportar Excel Disponível mês 30/15 dia 0/0"));
        m_relogio->avancar(10000);
        QCOMPARE(vista(), QStringLiteral("2024/03/10 colunas 1+1 sem exportar"));
    }

    void diaDoHistoricoNoExpediente()
    {
        QList<int> horas(24, 0);
        horas[7] = 50;
        horas[9] = 12;
        horas[10] = 30;
        executar("INSERT INTO Dias (mes, ano, hora5) VALUES ('03', '2024', '" + apoio::grupos(horas) + "')");
        m_ajustes.cmb_inicio = QStringLiteral("09h");
        painel();
        escolher(combo("cmb_dia"), QStringLiteral("05"));
        QCOMPARE(texto("lbl_HistoricoTotalDia"), QStringLiteral("42"));
        QCOMPARE(texto("lbl_HistoricoMediaDia"), QStringLiteral("21"));
        QCOMPARE(grafico("chartDia")->valor(2, 2).value_or(-1), 30.0); // category 2 is 10h
    }

    // Neither keys nor the wheel over a selector change it or load history; an opened list has
    // the shown value highlighted.
    void seletoresSoPelaLista()
    {
        executar("INSERT INTO Meses (ano) VALUES ('2023'), ('2024'), ('2025')");
        PainelAvancado* p = painel();
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        for (QComboBox* c : {combo("cmb_ano"), combo("cmb_dia")}) {
            const QString mostrado = c->currentText();
            const QPointF dentro(c->width() / 2.0, c->height() / 2.0);
            QWheelEvent roda(dentro, c->mapToGlobal(dentro), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &roda);
            QTest::keyClicks(c, QStringLiteral("1999"));
            QTest::keyClick(c, Qt::Key_Down);
            QCOMPARE(c->currentText(), mostrado);
            QCOMPARE(grafico("chartMes")->columnCount(), 1);
            c->showPopup();
            QCOMPARE(c->view()->currentIndex().data().toString(), mostrado);
            c->hidePopup();
        }
    }

    void exportacaoDoMes()
    {
        QList<int> dias(32, 0);
        dias[0] = 12;
        dias[1] = 3;
        executar("INSERT INTO Meses (ano, mar) VALUES ('2024', '" + apoio::grupos({7}) + "')");
        painel();
        escolher(combo("cmb_mes"), QStringLiteral("03"));
        exportar()->trigger();
        // The same month again replaces the file, after the month changed in the database.
        executar("UPDATE Meses SET mar = '" + apoio::grupos(dias) + "' WHERE ano = '2024'");
        escolher(combo("cmb_mes"), QStringLiteral("03"));
        exportar()->trigger();
        const QString arquivo = m_pasta.filePath(QStringLiteral("excel_2024_03.csv"));
        QByteArray esperado = "Hist\xF3rico de Visitas M\xEAs 03/2024\r\nDia;Visitas\r\n;\r\n1;12\r\n2;3\r\n";
        for (int d = 3; d <= 31; ++d)
            esperado += QByteArray::number(d) + ";0\r\n";
        QCOMPARE(conteudo(arquivo), esperado);
        QCOMPARE(m_abertos, (QStringList{arquivo, arquivo}));
        QVERIFY(m_caixas.isEmpty());

        // Held read-only (as by a spreadsheet): the message, and the old file as it was.
        QFile::setPermissions(arquivo, QFile::ReadOwner);
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
        exportar()->trigger();
        QFile::setPermissions(m_pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(m_caixas.size(), 1);
        QCOMPARE(conteudo(arquivo), esperado);
        QCOMPARE(m_abertos.size(), 2);
    }

    // On a small screen (1366x768 at 150 % is 910x512 in the window's own units) the panel opens
    // inside the free area with the history row and the charts on it, and the charts stay put
    // while the figures beside them change width.
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
        PainelAvancado* p = painel();
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        p->ajustarAoEspaco(area);
        QTRY_VERIFY2(area.contains(p->frameGeometry()) && p->height() + 30 <= area.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(p->width()).arg(p->height())));
        escolher(combo("cmb_mes"), QStringLiteral("03"));
        p->layout()->activate();
        QVERIFY(area.contains(p->frameGeometry()));
        for (const char* nome : {"cmb_ano", "cmb_dia", "lbl_excluir", "chartDia", "chartMes", "lbl_lotacao",
                                 "lbl_mediaHora", "lbl_HistoricoMediaDia", "lbl_relatorio"}) {
            auto* w = p->findChild<QWidget*>(QString::fromLatin1(nome));
            QVERIFY2(p->rect().contains(QRect(w->mapTo(p, QPoint(0, 0)), w->size())) && w->height() > 0,
                     nome);
        }
        auto* chart = grafico("chartDia");
        const QRect antes(chart->mapTo(p, QPoint(0, 0)), chart->size());
        for (const char* valor : {"0", "99999", "00000"}) {
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
        PainelAvancado* p = painel();
        auto* x = p->findChild<QLabel*>(QStringLiteral("lbl_excluir"));
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(m_caixas[0].padraoNao);
        QCOMPARE(consulta("SELECT mar FROM Meses"), apoio::grupos({4, 4}));
        QCOMPARE(grafico("chartMes")->columnCount(), 1);

        m_resposta = mensagens::Resposta::Sim;
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(consulta("SELECT mar FROM Meses"), QString(155, u'0'));
        QCOMPARE(consulta("SELECT abr FROM Meses"), apoio::grupos({9}));
        QCOMPARE(texto("lbl_HistoricoTotalMes"), QStringLiteral("0"));
        QCOMPARE(grafico("chartMes")->columnCount(), 2);
    }

    // The cycle pauses while the settings window is open, and its closing applies the new
    // business hours and re-reads today's hours.
    void ajustesPausamEAplicam()
    {
        PainelAvancado* p = painel();
        Temporizador* base = p->findChild<Temporizador*>(QStringLiteral("TimerBaseTempo"));
        bool pausado = false;
        m_abrirAjustes = [&](const std::function<void()>& aoFechar) {
            pausado = !base->isActive();
            m_ajustes.cmb_inicio = QStringLiteral("10h");
            aoFechar();
        };
        p->findChild<QAction*>(QStringLiteral("menuAjustesExpediente"))->trigger();
        QVERIFY(pausado);
        QVERIFY(base->isActive());
        QCOMPARE(base->interval(), 1000);
        QCOMPARE(p->estadoCiclo().passoCiclo, 3);
        QCOMPARE(grafico("chartDia")->rowCount(), 9);
        QVERIFY(p->findChild<QLabel*>(QStringLiteral("pic_atualizarAgora"))->isHidden());
    }

    void fecharDescarregaEReabreDoZero()
    {
        QPointer<PainelAvancado> p = painel();
        for (int t = 0; t < 15; ++t)
            p->tiqueBaseTempo();
        p->exibirDesconectadoAvancado();
        const int ciclos = m_contadores.ciclosMes;
        QVERIFY(ciclos > 0);
        p->close();
        QTRY_VERIFY(p.isNull());
        PainelAvancado* novo = painel();
        QCOMPARE(novo->estadoCiclo().passoCiclo, 0);
        QVERIFY(!novo->estadoCiclo().leituraMesCompleta);
        QCOMPARE(m_contadores.ciclosMes, ciclos);
        QVERIFY(novo->findChild<QFrame*>(QStringLiteral("frm_desconectado"))->isHidden());
    }

    void demonstracao()
    {
        costuras::aleatorio = [] { return 0.5; };
        PainelAvancado* p = painel();
        QTest::mouseClick(p->findChild<QLabel*>(QStringLiteral("Label14")), Qt::LeftButton);
        QCOMPARE(texto("lbl_total"), QStringLiteral("330")); // 11 business hours of 30
        QCOMPARE(texto("lbl_mediaHora"), QStringLiteral("30"));
        QCOMPARE(texto("lbl_mes"), QStringLiteral("7750"));
        QCOMPARE(grafico("chartDia")->valor(1, 11).value_or(-1), 30.0);
    }

private:
    // What the history browser shows: selectors, series per chart, the export item, the
    // indicator and the figures on display.
    QString vista() const
    {
        QString v = combo("cmb_ano")->currentText() + u'/' + combo("cmb_mes")->currentText() + u'/' +
                    combo("cmb_dia")->currentText() +
                    QStringLiteral(" colunas %1+%2 ")
                        .arg(grafico("chartMes")->columnCount())
                        .arg(grafico("chartDia")->columnCount()) +
                    (exportar()->isEnabled() ? QStringLiteral("exportar") : QStringLiteral("sem exportar"));
        auto visivel = [this](const char* nome) {
            return !m_painel->findChild<QLabel*>(QString::fromLatin1(nome))->isHidden();
        };
        if (visivel("lbl_relatorio"))
            v += u' ' + texto("lbl_relatorio");
        if (visivel("lbl_HistoricoTotalMes"))
            v += QStringLiteral(" mês ") + texto("lbl_HistoricoTotalMes") + u'/' +
                 texto("lbl_HistoricoMediaMes");
        if (visivel("lbl_HistoricoTotalDia"))
            v += QStringLiteral(" dia ") + texto("lbl_HistoricoTotalDia") + u'/' +
                 texto("lbl_HistoricoMediaDia");
        return v;
    }
    PainelAvancado* painel()
    {
        m_painel = new PainelAvancado({m_contadores,
                                       m_ajustes,
                                       m_banco,
                                       [this](int n) { m_pedidos << n; },
                                       [this] { m_pedidos << 6; },
                                       {},
                                       {},
                                       [this](const QString& t) { m_paginas << t; },
                                       [this](const QString& t) { m_passos << t; },
                                       [this](const std::function<void()>& aoFechar) {
                                           if (m_abrirAjustes)
                                               m_abrirAjustes(aoFechar);
                                       }});
        m_painel->carregar();
        return m_painel;
    }
    QString texto(const char* nome) const
    {
        auto* l = m_painel->findChild<QLabel*>(QString::fromLatin1(nome));
        return l ? l->text() : QStringLiteral("<sem %1>").arg(QString::fromLatin1(nome));
    }
    QComboBox* combo(const char* nome) const
    {
        return m_painel->findChild<QComboBox*>(QString::fromLatin1(nome));
    }
    Grafico* grafico(const char* nome) const
    {
        return m_painel->findChild<Grafico*>(QString::fromLatin1(nome));
    }
    QAction* exportar() const { return m_painel->findChild<QAction*>(QStringLiteral("menuExportarMensal")); }
    // A pick from the list, as the mouse makes it.
    static void escolher(QComboBox* c, const QString& item)
    {
        const int i = c->findText(item);
        QVERIFY(i >= 0);
        c->setCurrentIndex(i);
        Q_EMIT c->textActivated(item);
    }
    static QByteArray conteudo(const QString& arquivo)
    {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void executar(const QString& sql)
    {
        const QString erro = apoio::executar(m_arquivo, sql);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    }
    QString consulta(const QString& sql) { return apoio::consulta(m_arquivo, sql); }

    QTemporaryDir m_pasta;
    QString m_arquivo;
    std::unique_ptr<RelogioManual> m_relogio;
    ciclo::Contadores m_contadores;
    ajustes::Avancado m_ajustes;
    banco::Banco m_banco;
    QPointer<PainelAvancado> m_painel;
    std::function<void(const std::function<void()>&)> m_abrirAjustes;
    QStringList m_abertos;
    QList<mensagens::Pedido> m_caixas;
    mensagens::Resposta m_resposta = mensagens::Resposta::Nao;
    QStringList m_paginas;
    QStringList m_passos;
    QList<int> m_pedidos;
};

QTEST_MAIN(TestePainelAvancado)
#include "test_painelavancado.moc"
