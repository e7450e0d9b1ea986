// The advanced panel settings: the value read back, repaired and stored; the window's hour lists,
// coupled intervals and refused typing; the value edited at once and stored on every close.
#include "../apoio/bancoTeste.h"
#include "ajustesAvancado.h"
#include "banco.h"
#include "caixaAjuste.h"
#include "mensagens.h"
#include "painelavancadoAjustes.h"

#include <QAbstractItemView>
#include <QSpinBox>
#include <QtTest>

namespace {

const QStringList entregue{"08h", "18h", "03 min", "30 seg"};

QStringList horas(int de, int ate)
{
    QStringList l;
    for (int h = de; h <= ate; ++h)
        l << QStringLiteral("%1h").arg(h, 2, 10, QLatin1Char('0'));
    return l;
}

QStringList itens(QComboBox* c)
{
    QStringList lista;
    for (int i = 0; i < c->count(); ++i)
        lista << c->itemText(i);
    return lista;
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
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        m_caixas = 0;
        m_ajustes = {};
        // Each case is a fresh start: a failure told in an earlier one does not silence it.
        m_banco = banco::Banco();
        mensagens::instalar([this](const mensagens::Pedido&) {
            ++m_caixas;
            return mensagens::Resposta::Ok;
        });
    }
    void cleanup()
    {
        delete m_janela;
        costuras::restaurar();
        mensagens::instalar({});
    }

    // Valid texts are kept exactly; empty or junk ones are made usable, so the day chart always
    // gets at least one business hour and the intervals are 30/60 and 3/10.
    void linhaGuardada_data()
    {
        QTest::addColumn<QStringList>("guardado");
        QTest::addColumn<QStringList>("esperado");
        QTest::addColumn<QList<int>>("valores");
        const QStringList validos{"23h", "23h", "10 min", "60 seg"};
        QTest::newRow("validos") << validos << validos << QList<int>{23, 23, 60, 10};
        QTest::newRow("vazios") << QStringList{"", "", "", ""} << entregue << QList<int>{8, 18, 30, 3};
        QTest::newRow("sem zeros") << QStringList{"8h", "18", "3 min", "60"}
                                   << QStringList{"08h", "18h", "03 min", "60 seg"}
                                   << QList<int>{8, 18, 60, 3};
        QTest::newRow("fim antes do inicio")
            << QStringList{"20h", "07h", "03 min", "30 seg"} << QStringList{"20h", "21h", "03 min", "30 seg"}
            << QList<int>{20, 21, 30, 3};
        QTest::newRow("fora da faixa")
            << QStringList{"99h", "", "", "45 seg"} << QStringList{"23h", "23h", "03 min", "30 seg"}
            << QList<int>{23, 23, 30, 3};
        QTest::newRow("mes segue o dia")
            << QStringList{"08h", "18h", "", "60 seg"} << QStringList{"08h", "18h", "10 min", "60 seg"}
            << QList<int>{8, 18, 60, 10};
    }
    void linhaGuardada()
    {
        QFETCH(QStringList, guardado);
        QFETCH(QStringList, esperado);
        QFETCH(QList<int>, valores);
        QVERIFY(gravar(guardado));
        ajustes::Avancado& a = m_ajustes;
        QVERIFY(a.carregar(m_banco));
        QCOMPARE((QStringList{a.cmb_inicio, a.cmb_fim, a.cmb_tempoMes, a.cmb_tempoDia}), esperado);
        QCOMPARE((QList<int>{a.inicioExpediente(), a.fimExpediente(), a.lerTempoAtualizarDia(),
                             a.lerTempoAtualizarMes()}),
                 valores);
        // The window shows the value and stores it back on closing.
        QCOMPARE(mostrado(abrir()), esperado);
        m_janela->close();
        QCOMPARE(linha(), esperado);
        QCOMPARE(m_caixas, 0);
    }

    // Picking a first hour moves the last one when it would lie before it; the end list then
    // shows the first hour until something is picked and offers the hours after it. The value
    // follows at once; the row only on closing.
    void escolherInicio_data()
    {
        QTest::addColumn<QStringList>("guardado");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        QTest::newRow("depois do fim") << entregue << "20h"
                                       << "21h";
        QTest::newRow("antes do fim") << entregue << "05h"
                                      << "18h";
        QTest::newRow("23h sobre 23h") << QStringList{"22h", "23h", "03 min", "30 seg"} << "23h"
                                       << "23h";
    }
    void escolherInicio()
    {
        QFETCH(QStringList, guardado);
        QFETCH(QString, inicio);
        QFETCH(QString, fim);
        QVERIFY(gravar(guardado));
        PainelAvancadoAjustes* janela = abrir();
        janela->show();
        for (int vez = 0; vez < 2; ++vez) {
            caixa("cmb_inicio")->showPopup();
            caixa("cmb_inicio")->hidePopup();
        }
        QCOMPARE(itens(caixa("cmb_inicio")), horas(0, 23));
        QVERIFY(escolher(caixa("cmb_inicio"), inicio));
        QCOMPARE(caixa("cmb_fim")->texto(), fim);
        QCOMPARE(m_ajustes.cmb_inicio, inicio);
        QCOMPARE(m_ajustes.cmb_fim, fim);
        QCOMPARE(linha(), guardado);
        caixa("cmb_fim")->showPopup();
        caixa("cmb_fim")->hidePopup();
        QCOMPARE(caixa("cmb_fim")->texto(), inicio);
        const int s = inicio.left(2).toInt();
        QCOMPARE(itens(caixa("cmb_fim")), horas(s < 23 ? s + 1 : s, 23));
        QVERIFY(escolher(caixa("cmb_fim"), QStringLiteral("23h")));
        QCOMPARE(m_ajustes.fimExpediente(), 23);
        janela->close();
        QCOMPARE(linha(), (QStringList{inicio, QStringLiteral("23h"), guardado[2], guardado[3]}));
    }

    // Picking the day interval moves the month interval with it; the month one can still be
    // picked on its own.
    void intervalos()
    {
        abrir()->show();
        QVERIFY(escolher(caixa("cmb_tempoDia"), QStringLiteral("60 seg")));
        QCOMPARE(caixa("cmb_tempoMes")->texto(), QStringLiteral("10 min"));
        QCOMPARE(m_ajustes.lerTempoAtualizarDia(), 60);
        QCOMPARE(m_ajustes.lerTempoAtualizarMes(), 10);
        QVERIFY(escolher(caixa("cmb_tempoMes"), QStringLiteral("03 min")));
        QCOMPARE(m_ajustes.lerTempoAtualizarMes(), 3);
        m_janela->close();
        QCOMPARE(linha(), (QStringList{"08h", "18h", "03 min", "60 seg"}));
    }

    // Neither typing, nor the arrow keys, nor type-ahead, nor the wheel changes a value.
    void teclasDescartadas()
    {
        PainelAvancadoAjustes* janela = abrir();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        for (const char* nome : {"cmb_inicio", "cmb_tempoDia"}) {
            CaixaAjuste* c = caixa(nome);
            c->showPopup(); // the hour list is filled
            c->hidePopup();
            QVERIFY(c->count() > 1);
            c->setFocus();
            QTest::keyClicks(c, QStringLiteral("1260abc "));
            for (Qt::Key tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Backspace})
                QTest::keyClick(c, tecla);
            QWheelEvent roda(QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(c, &roda);
            c->hidePopup(); // the space bar may have dropped the list down
        }
        janela->close();
        QCOMPARE(linha(), entregue);
    }

    void fecharGrava_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("caixa de fechar") << "close";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("accept") << "accept";
        QTest::newRow("exec e Escape") << "exec";
        QTest::newRow("carregada invisivel") << "invisivel";
    }
    // Every close stores what the window shows (overwriting a row edited behind its back), then
    // signals fechado once, then the window goes away.
    void fecharGrava()
    {
        QFETCH(QString, modo);
        PainelAvancadoAjustes* janela = abrir();
        if (modo != "invisivel" && modo != "exec") {
            janela->show();
            QVERIFY(QTest::qWaitForWindowExposed(janela));
        }
        QVERIFY(gravar({"05h", "06h", "10 min", "60 seg"}));
        QStringList guardadoNoSinal;
        connect(janela, &PainelAvancadoAjustes::fechado, this, [&] { guardadoNoSinal << linha(); });
        if (modo == "escape")
            QTest::keyClick(caixa("cmb_fim"), Qt::Key_Escape);
        else if (modo == "accept")
            janela->accept();
        else if (modo == "exec") {
            QTimer::singleShot(0, janela, [janela] { QTest::keyClick(janela, Qt::Key_Escape); });
            janela->exec();
        } else
            janela->close();
        QTRY_VERIFY(!m_janela);
        QCOMPARE(guardadoNoSinal, entregue);
        QCOMPARE(m_ajustes.inicioExpediente(), 8);
        QCOMPARE(m_caixas, 0);
    }

    // A close while the file is gone reports the failure and still closes.
    void fecharSemArquivo()
    {
        QSignalSpy fechado(abrir(), &PainelAvancadoAjustes::fechado);
        QVERIFY(QFile::remove(banco()));
        m_janela->close();
        QCOMPARE(fechado.count(), 1);
        QCOMPARE(m_caixas, 1);
        QTRY_VERIFY(!m_janela);
        QVERIFY(!QFile::exists(banco()));
    }

    void leituraFalhou_data()
    {
        QTest::addColumn<bool>("escolheu");
        QTest::addColumn<QStringList>("guardado");
        QTest::newRow("sem escolha") << false << QStringList{"05h", "06h", "10 min", "60 seg"};
        QTest::newRow("com escolha") << true << QStringList{"08h", "18h", "10 min", "60 seg"};
    }
    // The row could not be read when the window loaded: one message, the shipped values stand
    // in, and a close without any choice leaves the operator's row as it was.
    void leituraFalhou()
    {
        QFETCH(bool, escolheu);
        QVERIFY(gravar({"05h", "06h", "10 min", "60 seg"}));
        const QString escondido = banco() + QStringLiteral(".fora");
        QVERIFY(QFile::rename(banco(), escondido));
        PainelAvancadoAjustes* janela = abrir();
        QCOMPARE(mostrado(janela), entregue);
        QCOMPARE(m_caixas, 1);
        QVERIFY(QFile::rename(escondido, banco()));
        janela->show();
        if (escolheu)
            QVERIFY(escolher(caixa("cmb_tempoDia"), QStringLiteral("60 seg")));
        janela->close();
        QTEST(linha(), "guardado");
        QCOMPARE(m_caixas, 1);
    }

    // The public display's capacity: re-read when the window comes back on screen (the simple
    // panel may have changed it meanwhile), stored when changed, the rest of its row kept.
    void lotacaoMaxima()
    {
        PainelAvancadoAjustes* janela = abrir();
        auto* maxima = janela->findChild<QSpinBox*>("txt_lotacaoMaxima");
        QCOMPARE(maxima->value(), 0);
        banco::Lotacao v;
        v.maxima = 80;
        v.mensagemLotado = QStringLiteral("Cheio");
        QVERIFY(m_banco.salvarLotacao(v, QDate(2024, 3, 10)));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QCOMPARE(maxima->value(), 80);
        auto* aviso = janela->findChild<QSpinBox*>("txt_lotacaoAviso");
        aviso->selectAll();
        QTest::keyClicks(aviso, QStringLiteral("70"));
        janela->close();
        banco::Lotacao lido;
        QVERIFY(m_banco.lerLotacao(lido));
        QCOMPARE((QList<int>{lido.maxima, lido.aviso}), (QList<int>{80, 70}));
        QCOMPARE(lido.mensagemLotado, QStringLiteral("Cheio"));
        QCOMPARE(m_caixas, 0);
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
    QStringList mostrado(PainelAvancadoAjustes*) const
    {
        return {caixa("cmb_inicio")->texto(), caixa("cmb_fim")->texto(), caixa("cmb_tempoMes")->texto(),
                caixa("cmb_tempoDia")->texto()};
    }
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }
    bool gravar(const QStringList& c) const
    {
        return apoio::executar(banco(),
                               QStringLiteral("UPDATE painelavancado SET cmb_inicio='%1', cmb_fim='%2', "
                                              "cmb_tempoMes='%3', cmb_tempoDia='%4'")
                                   .arg(c[0], c[1], c[2], c[3]))
            .isEmpty();
    }
    QStringList linha() const
    {
        return apoio::consulta(banco(),
                               QStringLiteral("SELECT cmb_inicio||'|'||cmb_fim||'|'||cmb_tempoMes||'|'||"
                                              "cmb_tempoDia FROM painelavancado"))
            .split(u'|');
    }

    QTemporaryDir m_pasta;
    int m_caixas = 0;
    ajustes::Avancado m_ajustes;
    banco::Banco m_banco;
    QPointer<PainelAvancadoAjustes> m_janela;
};

QTEST_MAIN(TestePainelAvancadoAjustes)
#include "test_painelavancadoAjustes.moc"
