// The advanced panel settings: the value read back, repaired and stored; the window's hour lists,
// coupled intervals and refused typing; the value edited at once and stored on every close.
#include "../apoio/ambienteTeste.h"
#include "ajustesAvancado.h"
#include "banco.h"
#include "caixaAjuste.h"
#include "painelavancadoAjustes.h"

#include <QAbstractItemView>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A row of table painelavancado as "inicio|fim|tempoMes|tempoDia".
const QString entregue = u"08h|18h|03 min|30 seg"_s;

// A list as "first..last (count)".
QString itens(QComboBox* c)
{
    return u"%1..%2 (%3)"_s.arg(c->itemText(0), c->itemText(c->count() - 1)).arg(c->count());
}

// Drops the list down as the user does, picks `texto` with the mouse and lets the list close.
bool escolher(QComboBox* c, const QString& texto)
{
    c->showPopup();
    const int i = c->findText(texto);
    QAbstractItemView* lista = c->view();
    if (i < 0 || !lista->isVisible())
        return false;
    const QModelIndex item = lista->model()->index(i, 0);
    lista->scrollTo(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(item).center());
    return !lista->isVisible();
}

} // namespace

class TestePainelAvancadoAjustes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        m_ajustes = {};
        // Each case is a fresh start: a failure told in an earlier one does not silence it.
        m_banco = banco::Banco();
    }
    void cleanup()
    {
        delete m_janela;
        amb.reset();
    }

    // Valid texts are kept exactly; empty or junk ones are made usable, so the day chart always
    // gets at least one business hour and the intervals are 30/60 and 3/10. The window shows
    // the value and stores what it shows on closing. (The hours and intervals as numbers: the
    // panel's tests, through its day chart and pace.)
    void linhaGuardada_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("validos") << u"23h|23h|10 min|60 seg"_s << u"23h|23h|10 min|60 seg"_s;
        QTest::newRow("vazios") << u"|||"_s << entregue;
        QTest::newRow("sem zeros") << u"8h|18|3 min|60"_s << u"08h|18h|03 min|60 seg"_s;
        QTest::newRow("fim antes do inicio") << u"20h|07h|03 min|30 seg"_s << u"20h|21h|03 min|30 seg"_s;
        QTest::newRow("fora da faixa") << u"99h|||45 seg"_s << u"23h|23h|03 min|30 seg"_s;
        QTest::newRow("mes segue o dia") << u"08h|18h||60 seg"_s << u"08h|18h|10 min|60 seg"_s;
    }
    void linhaGuardada()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, esperado);
        gravar(guardado);
        ajustes::Avancado& a = m_ajustes;
        QVERIFY(a.carregar(m_banco));
        QCOMPARE(QStringList({a.cmb_inicio, a.cmb_fim, a.cmb_tempoMes, a.cmb_tempoDia}).join(u'|'), esperado);
        abrir()->close();
        QCOMPARE(linha(), esperado);
        QVERIFY(amb->caixas.isEmpty());
    }

    // Picking a first hour moves the last one when it would lie before it; the end list then
    // shows the first hour until something is picked and offers the hours after it. The value
    // follows at once; the row only on closing.
    void escolherInicio_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<QString>("lista"); // the end list once a first hour was picked
        QTest::newRow("depois do fim") << entregue << u"20h"_s << u"21h"_s << u"21h..23h (3)"_s;
        QTest::newRow("antes do fim") << entregue << u"05h"_s << u"18h"_s << u"06h..23h (18)"_s;
        QTest::newRow("23h sobre 23h")
            << u"22h|23h|03 min|30 seg"_s << u"23h"_s << u"23h"_s << u"23h..23h (1)"_s;
    }
    void escolherInicio()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, inicio);
        QFETCH(QString, fim);
        gravar(guardado);
        abrir()->show();
        for (int vez = 0; vez < 2; ++vez) { // opening the list again does not add hours
            caixa("cmb_inicio")->showPopup();
            caixa("cmb_inicio")->hidePopup();
        }
        QCOMPARE(itens(caixa("cmb_inicio")), u"00h..23h (24)"_s);
        QVERIFY(escolher(caixa("cmb_inicio"), inicio));
        QCOMPARE(caixa("cmb_fim")->texto(), fim);
        QCOMPARE(m_ajustes.cmb_inicio + u'|' + m_ajustes.cmb_fim, inicio + u'|' + fim);
        QCOMPARE(linha(), guardado);
        caixa("cmb_fim")->showPopup();
        caixa("cmb_fim")->hidePopup();
        QCOMPARE(caixa("cmb_fim")->texto(), inicio);
        QTEST(itens(caixa("cmb_fim")), "lista");
        QVERIFY(escolher(caixa("cmb_fim"), u"23h"_s));
        m_janela->close();
        QCOMPARE(linha(), inicio + u"|23h|"_s + guardado.section(u'|', 2));
    }

    // Picking the day interval moves the month interval with it; the month one can still be
    // picked on its own.
    void intervalos()
    {
        abrir()->show();
        QVERIFY(escolher(caixa("cmb_tempoDia"), u"60 seg"_s));
        QCOMPARE(caixa("cmb_tempoMes")->texto(), u"10 min"_s);
        QCOMPARE(m_ajustes.lerTempoAtualizarMes(), 10);
        QVERIFY(escolher(caixa("cmb_tempoMes"), u"03 min"_s));
        QCOMPARE(m_ajustes.lerTempoAtualizarMes(), 3);
        m_janela->close();
        QCOMPARE(linha(), u"08h|18h|03 min|60 seg"_s);
    }

    // Neither typing, nor the arrow keys, nor type-ahead, nor the wheel changes a value.
    void teclasDescartadas()
    {
        abrir()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_janela));
        for (const char* nome : {"cmb_inicio", "cmb_tempoDia"}) {
            CaixaAjuste* c = caixa(nome);
            c->showPopup(); // the hour list is filled
            c->hidePopup();
            QVERIFY(c->count() > 1);
            c->setFocus();
            QTest::keyClicks(c, u"1260abc "_s);
            for (Qt::Key tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Backspace})
                QTest::keyClick(c, tecla);
            QWheelEvent roda(QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &roda);
            c->hidePopup(); // the space bar may have dropped the list down
        }
        m_janela->close();
        QCOMPARE(linha(), entregue);
    }

    // Every close stores what the window shows (overwriting a row edited behind its back), then
    // signals fechado once, then the window goes away. With the file gone, the close reports
    // the failure once, creates no file and still closes.
    void fecharGrava_data()
    {
        QTest::addColumn<QString>("modo");
        for (const char* modo : {"close", "escape", "accept", "exec", "invisivel", "sem arquivo"})
            QTest::newRow(modo) << modo;
    }
    void fecharGrava()
    {
        QFETCH(QString, modo);
        PainelAvancadoAjustes* janela = abrir();
        if (modo != u"invisivel"_s && modo != u"exec"_s && modo != u"sem arquivo"_s) {
            janela->show();
            QVERIFY(QTest::qWaitForWindowExposed(janela));
        }
        gravar(u"05h|06h|10 min|60 seg"_s);
        const bool semArquivo = modo == u"sem arquivo"_s;
        if (semArquivo)
            QVERIFY(QFile::remove(amb->banco));
        QStringList guardadoNoSinal;
        connect(janela, &PainelAvancadoAjustes::fechado, this, [&] { guardadoNoSinal << linha(); });
        if (modo == u"escape"_s)
            QTest::keyClick(caixa("cmb_fim"), Qt::Key_Escape);
        else if (modo == u"accept"_s)
            janela->accept();
        else if (modo == u"exec"_s) {
            QTimer::singleShot(0, janela, [janela] { QTest::keyClick(janela, Qt::Key_Escape); });
            janela->exec();
        } else
            janela->close();
        QTRY_VERIFY(!m_janela);
        QCOMPARE(guardadoNoSinal, QStringList{semArquivo ? QString() : entregue});
        QCOMPARE(m_ajustes.inicioExpediente(), 8);
        QCOMPARE(amb->caixas.size(), semArquivo ? 1 : 0);
        QCOMPARE(QFile::exists(amb->banco), !semArquivo);
    }

    void leituraFalhou_data()
    {
        QTest::addColumn<bool>("voltaAntesDeMostrar");
        QTest::newRow("volta antes de mostrar") << true;
        QTest::newRow("volta com a janela aberta") << false;
    }
    // The row could not be read when the window loaded: one message, the shipped values stand
    // in, the row is read when the window is shown, and a close without any choice never puts
    // the stand-ins over it. The business hours read at start-up are read again on use.
    void leituraFalhou()
    {
        QFETCH(bool, voltaAntesDeMostrar);
        gravar(u"05h|06h|10 min|60 seg"_s);
        const QString escondido = amb->banco + u".fora"_s;
        QVERIFY(QFile::rename(amb->banco, escondido));
        QVERIFY(!m_ajustes.carregar(m_banco));
        QCOMPARE(abrir()->findChild<CaixaAjuste*>(u"cmb_inicio"_s)->texto(), u"08h"_s);
        QCOMPARE(amb->caixas.size(), 1);
        if (voltaAntesDeMostrar)
            QVERIFY(QFile::rename(escondido, amb->banco));
        m_janela->show();
        if (!voltaAntesDeMostrar)
            QVERIFY(QFile::rename(escondido, amb->banco));
        QCOMPARE(caixa("cmb_inicio")->texto(), voltaAntesDeMostrar ? u"05h"_s : u"08h"_s);
        QCOMPARE(m_ajustes.inicioExpediente(), 5);
        m_janela->close();
        QCOMPARE(linha(), u"05h|06h|10 min|60 seg"_s);
        QCOMPARE(amb->caixas.size(), 1);
    }

    // The public display's capacity: re-read when the window comes back on screen (the simple
    // panel may have changed it meanwhile), stored when changed, the rest of its row kept.
    void lotacaoMaxima()
    {
        auto* maxima = abrir()->findChild<QSpinBox*>(u"txt_lotacaoMaxima"_s);
        QCOMPARE(maxima->value(), 0);
        QCOMPARE(amb->executar(u"UPDATE painelLotacao SET lotacaoMaxima = 80, infoLotado = 'Cheio'"_s),
                 QString());
        m_janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_janela));
        QCOMPARE(maxima->value(), 80);
        auto* aviso = m_janela->findChild<QSpinBox*>(u"txt_lotacaoAviso"_s);
        aviso->selectAll();
        QTest::keyClicks(aviso, u"70"_s);
        m_janela->close();
        // A percentage of the maximum; the level in people beside it for older builds.
        QCOMPARE(
            amb->consulta(u"SELECT lotacaoMaxima||'|'||avisoPercentual||'|'||lotacaoAviso||'|'||infoLotado "
                          "FROM painelLotacao"_s),
            u"80|70|56|Cheio"_s);
        QVERIFY(amb->caixas.isEmpty());
    }

private:
    PainelAvancadoAjustes* abrir()
    {
        m_janela = new PainelAvancadoAjustes(m_ajustes, m_banco);
        m_janela->carregar();
        return m_janela;
    }
    CaixaAjuste* caixa(const char* nome) const
    {
        return m_janela->findChild<CaixaAjuste*>(QLatin1String(nome));
    }
    void gravar(const QString& linha)
    {
        const QStringList c = linha.split(u'|');
        QCOMPARE(amb->executar(u"UPDATE painelavancado SET cmb_inicio='%1', cmb_fim='%2', cmb_tempoMes='%3', "
                               "cmb_tempoDia='%4'"_s.arg(c[0], c[1], c[2], c[3])),
                 QString());
    }
    QString linha() const
    {
        return amb->consulta(
            u"SELECT cmb_inicio||'|'||cmb_fim||'|'||cmb_tempoMes||'|'||cmb_tempoDia FROM painelavancado"_s);
    }

    std::optional<apoio::Ambiente> amb;
    ajustes::Avancado m_ajustes;
    banco::Banco m_banco;
    QPointer<PainelAvancadoAjustes> m_janela;
};

QTEST_MAIN(TestePainelAvancadoAjustes)
#include "test_painelavancadoAjustes.moc"
