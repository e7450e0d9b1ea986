// The advanced panel settings window: loading and repairing the stored row, the hour lists,
// the coupled intervals, refused typing, and storing the row on every kind of close.
#include "../apoio/bancoTeste.h"
#include "banco.h"
#include "caixaAjuste.h"
#include "costuras.h"
#include "instanciaUnica.h"
#include "mensagens.h"
#include "painelavancadoAjustes.h"

#include <QAbstractItemView>
#include <QSpinBox>
#include <QtTest>

namespace {

QStringList linhaNoArquivo(const QString& arquivo)
{
    const QString r = apoio::consulta(
        arquivo, QStringLiteral("SELECT cmb_inicio||'|'||cmb_fim||'|'||cmb_tempoMes||'|'||cmb_tempoDia "
                                "FROM painelavancado"));
    return r.split(u'|');
}

bool gravarLinha(const QString& arquivo, const QStringList& c)
{
    return apoio::executar(arquivo, QStringLiteral("UPDATE painelavancado SET cmb_inicio='%1', cmb_fim='%2', "
                                                   "cmb_tempoMes='%3', cmb_tempoDia='%4'")
                                        .arg(c[0], c[1], c[2], c[3]))
        .isEmpty();
}

CaixaAjuste* caixa(PainelAvancadoAjustes* janela, const char* nome)
{
    return janela->findChild<CaixaAjuste*>(QLatin1String(nome));
}

QStringList mostrado(PainelAvancadoAjustes* j)
{
    return {caixa(j, "cmb_inicio")->texto(), caixa(j, "cmb_fim")->texto(), caixa(j, "cmb_tempoMes")->texto(),
            caixa(j, "cmb_tempoDia")->texto()};
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
    if (i < 0 || !c->view()->isVisible())
        return false;
    QAbstractItemView* lista = c->view();
    const QModelIndex item = lista->model()->index(i, 0);
    lista->scrollTo(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(item).center());
    return !lista->isVisible();
}

void abrirEFechar(QComboBox* c)
{
    c->showPopup();
    c->hidePopup();
}

QStringList horas(int de, int ate)
{
    QStringList l;
    for (int h = de; h <= ate; ++h)
        l << QStringLiteral("%1h").arg(h, 2, 10, QLatin1Char('0'));
    return l;
}

const QStringList entregue{"08h", "18h", "03 min", "30 seg"};

} // namespace

class TestePainelAvancadoAjustes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_janelas = std::make_unique<InstanciaUnica<PainelAvancadoAjustes>>([] { return new PainelAvancadoAjustes(); });
        ajustes::definirJanela([this] { return m_janelas->obter(); });
        QVERIFY(m_pasta.isValid());
        QVERIFY(!apoio::copiarBancoEntregue(m_pasta).isEmpty());
        m_caixas.clear();
        // Each case is a fresh start: a failure told in an earlier one does not silence it.
        banco::novaAcaoDoOperador();
        mensagens::instalar([this](const mensagens::Pedido& p) {
            m_caixas.append(p);
            return mensagens::Resposta::Ok;
        });
    }
    void cleanup()
    {
        delete m_janelas->existente();
        QVERIFY(!m_janelas->existente());
        costuras::restaurar();
        mensagens::instalar({});
    }

    // Asking for a value with no window alive loads one window, hidden, and asks it again after.
    void funcaoCarregaInvisivel()
    {
        QVERIFY(gravarLinha(banco(), {"07h", "22h", "10 min", "60 seg"}));
        int criadas = 0;
        m_janelas->definirAoCriar([&](PainelAvancadoAjustes*) { ++criadas; });
        QCOMPARE(ajustes::inicioExpediente(), 7);
        PainelAvancadoAjustes* janela = m_janelas->existente();
        QVERIFY(janela);
        QVERIFY(!janela->isVisible());
        QCOMPARE(ajustes::fimExpediente(), 22);
        QCOMPARE(ajustes::lerTempoAtualizarDia(), 60);
        QCOMPARE(ajustes::lerTempoAtualizarMes(), 10);
        QCOMPARE(m_janelas->existente(), janela);
        QCOMPARE(criadas, 1);
        m_janelas->definirAoCriar({});
    }

    // Valid texts are kept exactly; empty or junk ones are made usable, so the day chart always
    // gets at least one business hour and the intervals are 30/60 and 3/10.
    void linhaGuardada_data()
    {
        QTest::addColumn<QStringList>("guardado");
        QTest::addColumn<QStringList>("esperado");
        QTest::addColumn<QList<int>>("valores");
        QTest::newRow("validos") << QStringList{"23h", "23h", "10 min", "60 seg"}
                                 << QStringList{"23h", "23h", "10 min", "60 seg"}
                                 << QList<int>{23, 23, 60, 10};
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
        QVERIFY(gravarLinha(banco(), guardado));
        PainelAvancadoAjustes* janela = m_janelas->obter();
        QCOMPARE(mostrado(janela), esperado);
        QCOMPARE((QList<int>{ajustes::inicioExpediente(), ajustes::fimExpediente(),
                             ajustes::lerTempoAtualizarDia(), ajustes::lerTempoAtualizarMes()}),
                 valores);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), esperado);
        QCOMPARE(m_caixas.size(), 0);
    }

    void listaDoFim_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QStringList>("lista");
        QTest::newRow("08h") << "08h" << horas(9, 23);
        QTest::newRow("23h") << "23h" << QStringList{"23h"};
    }
    // The start list offers the 24 hours once however often dropped down; the end list shows
    // the first hour until something is picked and offers the hours after it.
    void listaDoFim()
    {
        QFETCH(QString, inicio);
        QFETCH(QStringList, lista);
        PainelAvancadoAjustes* janela = m_janelas->obter();
        janela->show();
        abrirEFechar(caixa(janela, "cmb_inicio"));
        abrirEFechar(caixa(janela, "cmb_inicio"));
        QCOMPARE(itens(caixa(janela, "cmb_inicio")), horas(0, 23));
        QVERIFY(escolher(caixa(janela, "cmb_inicio"), inicio));
        CaixaAjuste* fim = caixa(janela, "cmb_fim");
        for (int vez = 0; vez < 2; ++vez) {
            abrirEFechar(fim);
            QCOMPARE(itens(fim), lista);
            QCOMPARE(fim->texto(), inicio);
        }
        QVERIFY(escolher(fim, lista.last()));
        QCOMPARE(janela->fimExpediente(), 23);
    }

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
        QVERIFY(gravarLinha(banco(), guardado));
        PainelAvancadoAjustes* janela = m_janelas->obter();
        janela->show();
        QVERIFY(escolher(caixa(janela, "cmb_inicio"), inicio));
        QCOMPARE(caixa(janela, "cmb_fim")->texto(), fim);
        // Not stored until the window closes.
        QCOMPARE(linhaNoArquivo(banco()), guardado);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), (QStringList{inicio, fim, guardado[2], guardado[3]}));
    }

    // Picking the day interval moves the month interval with it; the month one can still be
    // picked on its own.
    void intervalos()
    {
        PainelAvancadoAjustes* janela = m_janelas->obter();
        janela->show();
        QVERIFY(escolher(caixa(janela, "cmb_tempoDia"), QStringLiteral("60 seg")));
        QCOMPARE(caixa(janela, "cmb_tempoMes")->texto(), QStringLiteral("10 min"));
        QCOMPARE(ajustes::lerTempoAtualizarDia(), 60);
        QVERIFY(escolher(caixa(janela, "cmb_tempoMes"), QStringLiteral("03 min")));
        QCOMPARE(caixa(janela, "cmb_tempoDia")->texto(), QStringLiteral("60 seg"));
        QCOMPARE(ajustes::lerTempoAtualizarMes(), 3);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), (QStringList{"08h", "18h", "03 min", "60 seg"}));
    }

    void teclasDescartadas_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::newRow("cmb_fim") << "cmb_fim";
        QTest::newRow("cmb_tempoDia") << "cmb_tempoDia";
    }
    // Neither typing, nor the arrow keys, nor type-ahead, nor the wheel changes a value.
    void teclasDescartadas()
    {
        QFETCH(QString, nome);
        PainelAvancadoAjustes* janela = m_janelas->obter();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto* c = janela->findChild<CaixaAjuste*>(nome);
        abrirEFechar(caixa(janela, "cmb_inicio"));
        abrirEFechar(c); // the hour lists are filled
        QVERIFY(c->count() > 1);
        const QString antes = c->texto();
        c->setFocus();
        QTest::keyClicks(c, QStringLiteral("1260abc "));
        for (Qt::Key tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Backspace})
            QTest::keyClick(c, tecla);
        QWheelEvent roda(QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(c, &roda);
        c->hidePopup(); // the space bar may have dropped the list down
        QCOMPARE(c->texto(), antes);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()),
                 (QStringList{"08h", nome == "cmb_fim" ? "08h" : "18h", "03 min", "30 seg"}));
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
    // signals fechado once while the window still answers, then the window goes away.
    void fecharGrava()
    {
        QFETCH(QString, modo);
        PainelAvancadoAjustes* janela = m_janelas->obter();
        if (modo != "invisivel" && modo != "exec") {
            janela->show();
            QVERIFY(QTest::qWaitForWindowExposed(janela));
        }
        QVERIFY(gravarLinha(banco(), {"05h", "06h", "10 min", "60 seg"}));
        QStringList guardadoNoSinal;
        int inicioNoSinal = -1;
        int sinais = 0;
        connect(janela, &PainelAvancadoAjustes::fechado, this, [&] {
            ++sinais;
            guardadoNoSinal = linhaNoArquivo(banco());
            inicioNoSinal =
                m_janelas->existente() == janela ? ajustes::inicioExpediente() : -2;
        });
        if (modo == "escape")
            QTest::keyClick(caixa(janela, "cmb_fim"), Qt::Key_Escape);
        else if (modo == "accept")
            janela->accept();
        else if (modo == "exec") {
            QTimer::singleShot(0, janela, [janela] { QTest::keyClick(janela, Qt::Key_Escape); });
            janela->exec();
        } else
            janela->close();
        QCOMPARE(sinais, 1);
        QCOMPARE(guardadoNoSinal, entregue);
        QCOMPARE(inicioNoSinal, 8);
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(sinais, 1);
        QCOMPARE(m_caixas.size(), 0);
    }

    // A close while the file is gone reports the failure and still closes.
    void fecharSemArquivo()
    {
        PainelAvancadoAjustes* janela = m_janelas->obter();
        QSignalSpy fechado(janela, &PainelAvancadoAjustes::fechado);
        QVERIFY(QFile::remove(banco()));
        janela->close();
        QCOMPARE(fechado.count(), 1);
        QCOMPARE(m_caixas.size(), 1);
        QTRY_VERIFY(!m_janelas->existente());
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
        QFETCH(QStringList, guardado);
        QVERIFY(gravarLinha(banco(), {"05h", "06h", "10 min", "60 seg"}));
        const QString escondido = banco() + QStringLiteral(".fora");
        QVERIFY(QFile::rename(banco(), escondido));
        QCOMPARE(ajustes::inicioExpediente(), 8);
        QCOMPARE(ajustes::lerTempoAtualizarDia(), 30);
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(QFile::rename(escondido, banco()));

        PainelAvancadoAjustes* janela = m_janelas->existente();
        janela->show();
        if (escolheu)
            QVERIFY(escolher(caixa(janela, "cmb_tempoDia"), QStringLiteral("60 seg")));
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        QCOMPARE(linhaNoArquivo(banco()), guardado);
        QCOMPARE(m_caixas.size(), 1);
    }

    // The public display's capacity: re-read when the window comes back on screen (the simple
    // panel may have changed it meanwhile), stored when changed.
    void lotacaoMaxima()
    {
        PainelAvancadoAjustes* janela = m_janelas->obter();
        auto* maxima = janela->findChild<QSpinBox*>("txt_lotacaoMaxima");
        auto* aviso = janela->findChild<QSpinBox*>("txt_lotacaoAviso");
        QCOMPARE(maxima->value(), 0);
        banco::Lotacao v;
        v.maxima = 80;
        v.mensagemLotado = QStringLiteral("Cheio");
        QVERIFY(banco::salvarLotacao(v, QDate(2024, 3, 10)));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QCOMPARE(maxima->value(), 80);
        aviso->selectAll();
        QTest::keyClicks(aviso, QStringLiteral("70"));
        janela->close();
        QTRY_VERIFY(!m_janelas->existente());
        banco::Lotacao lido;
        QVERIFY(banco::lerLotacao(lido));
        QCOMPARE(lido.maxima, 80);
        QCOMPARE(lido.aviso, 70);
        QCOMPARE(lido.mensagemLotado, QStringLiteral("Cheio"));
        QCOMPARE(m_caixas.size(), 0);
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }
    std::unique_ptr<InstanciaUnica<PainelAvancadoAjustes>> m_janelas;
    QTemporaryDir m_pasta;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePainelAvancadoAjustes)
#include "test_painelavancadoAjustes.moc"
