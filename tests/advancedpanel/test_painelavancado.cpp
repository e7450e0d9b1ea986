// The advanced panel as the operator sees it: the cycle's requests and the clicks that steer
// it, the history display, export, deletion, the settings command, closing, the layout.
#include "../apoio/ambienteTeste.h"
#include "ajustesAvancado.h"
#include "banco.h"
#include "ciclo.h"
#include "grafico.h"
#include "painelavancado.h"
#include "temporizador.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestePainelAvancado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_relogio.emplace(QDateTime(QDate(2024, 3, 10), QTime(14, 5, 33)));
        m_contadores = {};
        m_ajustes = {};
        m_banco = banco::Banco();
        m_pedidos.clear();
        m_paginas.clear();
        m_abrirAjustes = {};
    }
    void cleanup()
    {
        delete m_painel;
        m_relogio.reset();
        amb.reset();
    }

    // After the first cycle (its "/6" leaves the main window's caption at "7"), the refresh
    // pictures steer it: the next steps ask for the pages they refresh, fast for today's hours,
    // at the normal pace of the day interval for the month (its day part runs last).
    void figurasDeAtualizar_data()
    {
        QTest::addColumn<QString>("figura");
        QTest::addColumn<QList<int>>("pedidos");
        QTest::addColumn<int>("intervalo");
        QTest::newRow("pic_atualizarAgora") << "pic_atualizarAgora" << QList<int>{4, 5} << 1000;
        QTest::newRow("Picture1") << "Picture1" << QList<int>{4, 5} << 1000;
        QTest::newRow("pic_atualizarTotalMes")
            << "pic_atualizarTotalMes" << QList<int>{1, 2, 3, 5} << ciclo::intervaloNormal(60);
    }
    void figurasDeAtualizar()
    {
        QFETCH(QString, figura);
        QFETCH(QList<int>, pedidos);
        m_ajustes.cmb_tempoDia = u"60 seg"_s;
        PainelAvancado* p = painel();
        for (int t = 0; t < 28; ++t)
            p->tiqueBaseTempo();
        QCOMPARE(m_pedidos.mid(0, 6), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(m_paginas.mid(0, 6), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"7"_s}));
        auto* f = p->findChild<QLabel*>(figura);
        QTest::mouseClick(f, Qt::LeftButton);
        QVERIFY(f->isHidden() || figura == u"Picture1"_s);
        m_pedidos.clear();
        for (int t = 0; t < 10; ++t) {
            p->tiqueBaseTempo();
            if (t == 1)
                QTEST(w<Temporizador>("TimerBaseTempo")->interval(), "intervalo");
        }
        QCOMPARE(m_pedidos.mid(0, pedidos.size()), pedidos);
    }

    // Chosen periods show beside the live series until 30 s after the first choice.
    void exibicaoDoHistorico()
    {
        executar(u"INSERT INTO Meses (ano, fev) VALUES ('2023', '"_s + apoio::grupos({10, 0, 20}) + u"')"_s);
        painel();
        QCOMPARE(vista(), u"2024/03/10 colunas 1+1 sem exportar"_s);
        escolher(w<QComboBox>("cmb_ano"), u"2023"_s);
        // The year alone loads the month of the selectors: March 2023, not recorded.
        QCOMPARE(vista(), u"2023/03/10 colunas 2+1 sem exportar Sem Registros mês 0/0"_s);
        m_relogio->avancar(20000);
        escolher(w<QComboBox>("cmb_mes"), u"02"_s);
        // The mean is over the 2 days with visits.
        QCOMPARE(vista(), u"2023/02/10 colunas 2+2 exportar Excel Disponível mês 30/15 dia 0/0"_s);
        m_relogio->avancar(10000);
        QCOMPARE(vista(), u"2024/03/10 colunas 1+1 sem exportar"_s);
    }

    void diaDoHistoricoNoExpediente()
    {
        QList<int> horas(24, 0);
        horas[7] = 50;
        horas[9] = 12;
        horas[10] = 30;
        executar(u"INSERT INTO Dias (mes, ano, hora5) VALUES ('03', '2024', '"_s + apoio::grupos(horas) +
                 u"')"_s);
        m_ajustes.cmb_inicio = u"09h"_s;
        painel();
        escolher(w<QComboBox>("cmb_dia"), u"05"_s);
        QCOMPARE(texto("lbl_HistoricoTotalDia"), u"42"_s);
        QCOMPARE(texto("lbl_HistoricoMediaDia"), u"21"_s);
        QCOMPARE(w<Grafico>("chartDia")->valor(2, 2).value_or(-1), 30.0); // category 2 is 10h
    }

    // Neither keys nor the wheel over a selector change it or load history; an opened list has
    // the shown value highlighted. Tab, Shift+Tab and Escape still leave it.
    void seletoresSoPelaLista()
    {
        executar(u"INSERT INTO Meses (ano) VALUES ('2023'), ('2024'), ('2025')"_s);
        PainelAvancado* p = painel();
        p->show();
        QVERIFY(QTest::qWaitForWindowActive(p));
        for (QComboBox* c : {w<QComboBox>("cmb_ano"), w<QComboBox>("cmb_dia")}) {
            const QString mostrado = c->currentText();
            const QPointF dentro(c->width() / 2.0, c->height() / 2.0);
            QWheelEvent roda(dentro, c->mapToGlobal(dentro), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &roda);
            QTest::keyClicks(c, u"1999"_s);
            QTest::keyClick(c, Qt::Key_Down);
            QCOMPARE(c->currentText(), mostrado);
            QCOMPARE(w<Grafico>("chartMes")->columnCount(), 1);
            c->showPopup();
            QCOMPARE(c->view()->currentIndex().data().toString(), mostrado);
            c->hidePopup();
        }
        w<QComboBox>("cmb_mes")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(w<QComboBox>("cmb_dia")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(w<QComboBox>("cmb_mes")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!p->isVisible());
    }

    // Loaded hidden on 31/03 and shown on 02/04, then on screen past midnight: the selectors
    // show the day it is, and a day chosen alone is of that month.
    void seletoresNoDiaDeHoje()
    {
        executar(
            u"INSERT INTO Dias (mes, ano, hora5) VALUES ('03', '2024', '%1'), ('04', '2024', '%2')"_s.arg(
                apoio::grupos(QList<int>(10, 7)), apoio::grupos(QList<int>(10, 1))));
        m_relogio.emplace(QDateTime(QDate(2024, 3, 31), QTime(23, 0)));
        PainelAvancado* p = painel();
        p->pararTimerBaseTempo();
        m_relogio->avancar(2 * 24 * 3600 * 1000);
        p->show();
        QCOMPARE(vista(), u"2024/04/02 colunas 1+1 sem exportar"_s);
        m_relogio->avancar(24 * 3600 * 1000);
        p->tiqueBaseTempo();
        QCOMPARE(vista(), u"2024/04/03 colunas 1+1 sem exportar"_s);
        escolher(w<QComboBox>("cmb_dia"), u"05"_s);
        QCOMPARE(texto("lbl_HistoricoTotalDia"), u"2"_s); // hours 8 and 9
    }

    // The same month exported again replaces the file, after the month changed in the database.
    void exportacaoDoMes()
    {
        QList<int> dias(32, 0);
        dias[0] = 12;
        dias[1] = 3;
        executar(u"INSERT INTO Meses (ano, mar) VALUES ('2024', '"_s + apoio::grupos({7}) + u"')"_s);
        painel();
        escolher(w<QComboBox>("cmb_mes"), u"03"_s);
        exportar()->trigger();
        executar(u"UPDATE Meses SET mar = '"_s + apoio::grupos(dias) + u"' WHERE ano = '2024'"_s);
        escolher(w<QComboBox>("cmb_mes"), u"03"_s);
        exportar()->trigger();
        const QString arquivo = amb->caminho(u"excel_2024_03.csv"_s);
        QByteArray esperado = "Hist\xF3rico de Visitas M\xEAs 03/2024\r\nDia;Visitas\r\n;\r\n1;12\r\n2;3\r\n";
        for (int d = 3; d <= 31; ++d)
            esperado += QByteArray::number(d) + ";0\r\n";
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), esperado);
        QCOMPARE(amb->abertos, (QStringList{arquivo, arquivo}));
        QVERIFY(amb->caixas.isEmpty());
    }

    // On a small screen (1366x768 at 150 % is 910x512 in the window's own units) the panel opens
    // inside the free area, history on display, with the history row and the charts on it.
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
        escolher(w<QComboBox>("cmb_mes"), u"03"_s);
        QTRY_VERIFY2(area.contains(p->frameGeometry()) && p->height() + 30 <= area.height(),
                     qPrintable(u"%1x%2"_s.arg(p->width()).arg(p->height())));
        for (const char* nome : {"cmb_dia", "lbl_excluir", "chartDia", "chartMes", "lbl_relatorio"}) {
            auto* c = w<QWidget>(nome);
            QVERIFY2(p->rect().contains(QRect(c->mapTo(p, QPoint(0, 0)), c->size())) && c->height() > 0,
                     nome);
        }
    }

    // The month's hours go with its days; other months keep theirs.
    void exclusaoPedeConfirmacao()
    {
        executar(u"INSERT INTO Meses (ano, mar, abr) VALUES ('2024', '"_s + apoio::grupos({4, 4}) +
                 u"', '"_s + apoio::grupos({9}) + u"')"_s);
        executar(u"INSERT INTO Dias (mes, ano, hora1) VALUES ('03', '2024', '1'), ('04', '2024', '2'), "
                 "('03', '2023', '3'), ('03', '2024', '4')"_s);
        painel();
        auto* x = w<QLabel>("lbl_excluir");
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(amb->caixas.size(), 1);
        QVERIFY(amb->caixas[0].padraoNao);
        QCOMPARE(amb->consulta(u"SELECT mar FROM Meses"_s), apoio::grupos({4, 4}));
        QCOMPARE(w<Grafico>("chartMes")->columnCount(), 1);

        amb->resposta = mensagens::Resposta::Sim;
        QTest::mouseClick(x, Qt::LeftButton);
        QCOMPARE(amb->consulta(u"SELECT mar FROM Meses"_s), QString(155, u'0'));
        QCOMPARE(amb->consulta(u"SELECT abr FROM Meses"_s), apoio::grupos({9}));
        QCOMPARE(amb->consulta(u"SELECT group_concat(hora1) FROM Dias"_s), u"2,3"_s);
        QCOMPARE(texto("lbl_HistoricoTotalMes"), u"0"_s);
        QCOMPARE(w<Grafico>("chartMes")->columnCount(), 2);
    }

    // The cycle pauses while the settings window is open, and its closing applies the new
    // business hours and re-reads today's hours, fast.
    void ajustesPausamEAplicam()
    {
        bool pausado = false;
        m_abrirAjustes = [&](const std::function<void()>& aoFechar) {
            pausado = !w<Temporizador>("TimerBaseTempo")->isActive();
            m_ajustes.cmb_inicio = u"10h"_s;
            aoFechar();
        };
        PainelAvancado* p = painel();
        w<QAction>("menuAjustesExpediente")->trigger();
        QVERIFY(pausado);
        QVERIFY(w<Temporizador>("TimerBaseTempo")->isActive());
        QCOMPARE(w<Temporizador>("TimerBaseTempo")->interval(), 1000);
        QCOMPARE(p->estadoCiclo().passoCiclo, 3);
        QCOMPARE(w<Grafico>("chartDia")->rowCount(), 9); // 10h to 18h
    }

    // Closing unloads the panel; a new one starts its cycle from the beginning, while the
    // month's cycle count goes on.
    void fecharDescarregaEReabreDoZero()
    {
        QPointer<PainelAvancado> p = painel();
        for (int t = 0; t < 15; ++t)
            p->tiqueBaseTempo();
        const int ciclos = m_contadores.ciclosMes;
        p->close();
        QTRY_VERIFY(p.isNull());
        QCOMPARE(painel()->estadoCiclo().passoCiclo, 0);
        QCOMPARE(m_contadores.ciclosMes, ciclos);
        QVERIFY(ciclos > 0);
    }

    // Every hour 0.5 * 60 = 30 visits, every day 0.5 * 500 = 250; a single business hour must
    // not make the mean divide by zero.
    void demonstracao_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<QString>("total");
        QTest::newRow("8h a 18h") << u"08h"_s << u"18h"_s << u"330"_s;
        QTest::newRow("só 23h") << u"23h"_s << u"23h"_s << u"30"_s;
    }
    void demonstracao()
    {
        QFETCH(QString, inicio);
        QFETCH(QString, fim);
        costuras::aleatorio = [] { return 0.5; };
        m_ajustes.cmb_inicio = inicio;
        m_ajustes.cmb_fim = fim;
        painel();
        QTest::mouseClick(w<QLabel>("Label14"), Qt::LeftButton);
        QTEST(texto("lbl_total"), "total");
        QCOMPARE(texto("lbl_mediaHora"), u"30"_s);
        QCOMPARE(texto("lbl_mes"), u"7750"_s);
        QCOMPARE(w<Grafico>("chartDia")->valor(1, w<Grafico>("chartDia")->rowCount()).value_or(-1), 30.0);
    }

private:
    // What the history browser shows: selectors, series per chart, the export item, the
    // indicator and the figures on display.
    QString vista()
    {
        auto atual = [this](const char* nome) { return w<QComboBox>(nome)->currentText(); };
        QString v = u"%1/%2/%3 colunas %4+%5 "_s.arg(atual("cmb_ano"), atual("cmb_mes"), atual("cmb_dia"))
                        .arg(w<Grafico>("chartMes")->columnCount())
                        .arg(w<Grafico>("chartDia")->columnCount()) +
                    (exportar()->isEnabled() ? u"exportar"_s : u"sem exportar"_s);
        if (!w<QLabel>("lbl_relatorio")->isHidden())
            v += u' ' + texto("lbl_relatorio");
        if (!w<QLabel>("lbl_HistoricoTotalMes")->isHidden())
            v += u" mês "_s + texto("lbl_HistoricoTotalMes") + u'/' + texto("lbl_HistoricoMediaMes");
        if (!w<QLabel>("lbl_HistoricoTotalDia")->isHidden())
            v += u" dia "_s + texto("lbl_HistoricoTotalDia") + u'/' + texto("lbl_HistoricoMediaDia");
        return v;
    }
    PainelAvancado* painel()
    {
        auto pedir = [this](int n) { m_pedidos << n; };
        auto pedir6 = [this] { m_pedidos << 6; };
        auto pagina = [this](const QString& t) { m_paginas << t; };
        auto passo = [](const QString&) {};
        m_painel = new PainelAvancado({.contadores = m_contadores,
                                       .ajustes = m_ajustes,
                                       .banco = m_banco,
                                       .solicitarPagina = pedir,
                                       .solicitarPagina6 = pedir6,
                                       .mesLido = {},
                                       .diaLido = {},
                                       .definirPagina = pagina,
                                       .definirPasso = passo,
                                       .abrirAjustes = m_abrirAjustes});
        m_painel->carregar();
        return m_painel;
    }
    template <class T> T* w(const char* nome) const
    {
        return m_painel->findChild<T*>(QString::fromLatin1(nome));
    }
    QString texto(const char* nome) const { return w<QLabel>(nome)->text(); }
    QAction* exportar() const { return w<QAction>("menuExportarMensal"); }
    // A pick from the list, as the mouse makes it.
    static void escolher(QComboBox* c, const QString& item)
    {
        const int i = c->findText(item);
        QVERIFY(i >= 0);
        c->setCurrentIndex(i);
        Q_EMIT c->textActivated(item);
    }
    void executar(const QString& sql) { QCOMPARE(amb->executar(sql), QString()); }

    std::optional<apoio::Ambiente> amb;
    std::optional<RelogioManual> m_relogio;
    ciclo::Contadores m_contadores;
    ajustes::Avancado m_ajustes;
    banco::Banco m_banco;
    QPointer<PainelAvancado> m_painel;
    std::function<void(const std::function<void()>&)> m_abrirAjustes;
    QStringList m_paginas;
    QList<int> m_pedidos;
};

QTEST_MAIN(TestePainelAvancado)
#include "test_painelavancado.moc"
