// The advanced panel settings window: loading from the settings row, the hour lists, the
// coupled intervals, refused typing, and storing the row on every kind of close.
#include "banco.h"
#include "caixaAjuste.h"
#include "costuras.h"
#include "mensagens.h"
#include "painelavancadoAjustes.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString conexaoTeste = QStringLiteral("verificacaoAjustes");

// The settings row as a list of its four fields, read straight from the file.
QStringList linhaNoArquivo(const QString& arquivo)
{
    QStringList campos;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexaoTeste);
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral(
                    "SELECT cmb_inicio, cmb_fim, cmb_tempoMes, cmb_tempoDia FROM painelavancado")) &&
                q.next()) {
                for (int i = 0; i < 4; ++i)
                    campos << q.value(i).toString();
            }
        }
    }
    QSqlDatabase::removeDatabase(conexaoTeste);
    return campos;
}

bool gravarLinha(const QString& arquivo, const QStringList& campos)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexaoTeste);
        db.setDatabaseName(arquivo);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(
                QStringLiteral("UPDATE painelavancado SET cmb_inicio = ?, cmb_fim = ?, cmb_tempoMes = ?, "
                               "cmb_tempoDia = ?"));
            for (const QString& c : campos)
                q.addBindValue(c);
            ok = q.exec() && q.numRowsAffected() == 1;
        }
    }
    QSqlDatabase::removeDatabase(conexaoTeste);
    return ok;
}

CaixaAjuste* caixa(PainelAvancadoAjustes* janela, const char* nome)
{
    return janela->findChild<CaixaAjuste*>(QLatin1String(nome));
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

// Drops the list down and closes it again without picking anything.
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

} // namespace

class TestePainelAvancadoAjustes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(m_pasta.isValid());
        QFile::remove(banco());
        QVERIFY(QFile::copy(FLUXORA_BANCO_MODELO, banco()));
        QFile::setPermissions(banco(), QFile::ReadOwner | QFile::WriteOwner);
        costuras::pastaAplicacao = [this] { return m_pasta.path(); };
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
        delete janelas::painelavancadoAjustesExistente();
        QVERIFY(!janelas::painelavancadoAjustesExistente());
        costuras::restaurar();
        mensagens::instalar({});
    }

    void textosDaJanela_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::newRow("Label5") << "Label5"
                                << "Ajustes";
        QTest::newRow("Label1") << "Label1"
                                << "Horário de Expediente";
        QTest::newRow("Label2") << "Label2"
                                << "      Início                  Fim";
        QTest::newRow("Label3") << "Label3"
                                << "Atualizar gráfico do mês a cada";
        QTest::newRow("Label4") << "Label4"
                                << "Atualizar gráfico do dia a cada";
        QTest::newRow("Label6")
            << "Label6"
            << "Mesmo que você personalize o horário de expediente, faremos o registro de visitas "
               "durante as 24h do dia. A média de visitas é calculada somente sobre o horário de "
               "expediente.";
        QTest::newRow("Label7")
            << "Label7"
            << "Para visualizar tudo oque estamos registrando, amplie a faixa de expediente das 00h "
               "até as 23h.";
    }
    void textosDaJanela()
    {
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        QCOMPARE(janela->objectName(), QStringLiteral("painelavancadoAjustes"));
        QCOMPARE(janela->windowTitle(), QStringLiteral("Ajustes"));
        auto* rotulo = janela->findChild<QLabel*>(nome);
        QVERIFY(rotulo);
        QCOMPARE(rotulo->text(), texto);
        // Shown in full: the text fits the label at its font.
        janela->show();
        const QRect usado = rotulo->fontMetrics().boundingRect(
            rotulo->contentsRect(), Qt::TextWordWrap | static_cast<int>(rotulo->alignment()), texto);
        QVERIFY2(rotulo->contentsRect().contains(usado), qPrintable(nome));
    }

    void dicas_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("dica");
        QTest::newRow("inicio") << "cmb_inicio"
                                << "Informe o horário de início de expediente";
        QTest::newRow("fim") << "cmb_fim"
                             << "Informe o horário de fim de expediente";
        QTest::newRow("dia") << "cmb_tempoDia"
                             << "Escolha o tempo entre cada atualização do gráfico diário";
        QTest::newRow("mes") << "cmb_tempoMes"
                             << "Escolha o tempo entre cada atualização do gráfico mensal";
    }
    void dicas()
    {
        QFETCH(QString, nome);
        QFETCH(QString, dica);
        auto* c = janelas::painelavancadoAjustes()->findChild<QComboBox*>(nome);
        QVERIFY(c);
        QCOMPARE(c->toolTip(), dica);
        QVERIFY(!c->isEditable());
    }

    // Loaded from the shipped row; the hour lists stay empty until dropped down.
    void carregaLinhaEntregue()
    {
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        QVERIFY(!janela->isVisible());
        QVERIFY(janela->configuracoesLidas());
        QCOMPARE(caixa(janela, "cmb_inicio")->texto(), QStringLiteral("08h"));
        QCOMPARE(caixa(janela, "cmb_fim")->texto(), QStringLiteral("18h"));
        QCOMPARE(caixa(janela, "cmb_tempoMes")->texto(), QStringLiteral("03 min"));
        QCOMPARE(caixa(janela, "cmb_tempoDia")->texto(), QStringLiteral("30 seg"));
        QCOMPARE(caixa(janela, "cmb_inicio")->count(), 0);
        QCOMPARE(caixa(janela, "cmb_fim")->count(), 0);
        QCOMPARE(itens(caixa(janela, "cmb_tempoMes")), (QStringList{"03 min", "10 min"}));
        QCOMPARE(itens(caixa(janela, "cmb_tempoDia")), (QStringList{"30 seg", "60 seg"}));
        QCOMPARE(janela->inicioExpediente(), 8);
        QCOMPARE(janela->fimExpediente(), 18);
        QCOMPARE(janela->lerTempoAtualizarDia(), 30);
        QCOMPARE(janela->lerTempoAtualizarMes(), 3);
        QCOMPARE(m_caixas.size(), 0);
    }

    void funcaoCarregaInvisivel_data()
    {
        QTest::addColumn<int>("funcao");
        QTest::addColumn<int>("valor");
        QTest::newRow("inicioExpediente") << 0 << 7;
        QTest::newRow("fimExpediente") << 1 << 22;
        QTest::newRow("lerTempoAtualizarDia") << 2 << 60;
        QTest::newRow("lerTempoAtualizarMes") << 3 << 10;
    }
    // With no window alive, asking for a value loads the window hidden from the stored row,
    // and the next question goes to that same window.
    void funcaoCarregaInvisivel()
    {
        QFETCH(int, funcao);
        QFETCH(int, valor);
        QVERIFY(gravarLinha(banco(), {"07h", "22h", "10 min", "60 seg"}));
        QVERIFY(!janelas::painelavancadoAjustesExistente());
        int criadas = 0;
        janelas::definirAoCriarPainelAvancadoAjustes([&](PainelAvancadoAjustes*) { ++criadas; });
        const std::function<int()> funcoes[] = {ajustes::inicioExpediente, ajustes::fimExpediente,
                                                ajustes::lerTempoAtualizarDia, ajustes::lerTempoAtualizarMes};
        QCOMPARE(funcoes[funcao](), valor);
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustesExistente();
        QVERIFY(janela);
        QVERIFY(!janela->isVisible());
        QCOMPARE(funcoes[funcao](), valor);
        QCOMPARE(janelas::painelavancadoAjustesExistente(), janela);
        QCOMPARE(criadas, 1);
        janelas::definirAoCriarPainelAvancadoAjustes({});
    }

    // Stored texts: valid ones are kept exactly; empty or junk ones are made usable, so the
    // day chart always gets at least one business hour and the intervals are 30/60 and 3/10.
    void linhaGuardada_data()
    {
        QTest::addColumn<QStringList>("guardado");
        QTest::addColumn<QStringList>("mostrado");
        QTest::addColumn<QList<int>>("valores");
        QTest::newRow("validos") << QStringList{"23h", "23h", "10 min", "60 seg"}
                                 << QStringList{"23h", "23h", "10 min", "60 seg"}
                                 << QList<int>{23, 23, 60, 10};
        QTest::newRow("meia-noite") << QStringList{"00h", "01h", "03 min", "60 seg"}
                                    << QStringList{"00h", "01h", "03 min", "60 seg"}
                                    << QList<int>{0, 1, 60, 3};
        QTest::newRow("vazios") << QStringList{"", "", "", ""}
                                << QStringList{"08h", "18h", "03 min", "30 seg"} << QList<int>{8, 18, 30, 3};
        QTest::newRow("sem numero") << QStringList{"abc", "h", "min", "seg"}
                                    << QStringList{"08h", "18h", "03 min", "30 seg"}
                                    << QList<int>{8, 18, 30, 3};
        QTest::newRow("sem zeros") << QStringList{"8h", "18", "3 min", "60"}
                                   << QStringList{"08h", "18h", "03 min", "60 seg"}
                                   << QList<int>{8, 18, 60, 3};
        QTest::newRow("fim antes do inicio")
            << QStringList{"20h", "07h", "03 min", "30 seg"} << QStringList{"20h", "21h", "03 min", "30 seg"}
            << QList<int>{20, 21, 30, 3};
        QTest::newRow("fim antes de 23h")
            << QStringList{"23h", "05h", "03 min", "30 seg"} << QStringList{"23h", "23h", "03 min", "30 seg"}
            << QList<int>{23, 23, 30, 3};
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
        QFETCH(QStringList, mostrado);
        QFETCH(QList<int>, valores);
        QVERIFY(gravarLinha(banco(), guardado));
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        QCOMPARE(
            (QStringList{caixa(janela, "cmb_inicio")->texto(), caixa(janela, "cmb_fim")->texto(),
                         caixa(janela, "cmb_tempoMes")->texto(), caixa(janela, "cmb_tempoDia")->texto()}),
            mostrado);
        QCOMPARE((QList<int>{ajustes::inicioExpediente(), ajustes::fimExpediente(),
                             ajustes::lerTempoAtualizarDia(), ajustes::lerTempoAtualizarMes()}),
                 valores);
        // Closing stores what the window showed.
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), mostrado);
        QCOMPARE(m_caixas.size(), 0);
    }

    // The start list offers the 24 hours, once, however often it is dropped down; closing it
    // without picking keeps the first hour.
    void listaDoInicio()
    {
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        CaixaAjuste* inicio = caixa(janela, "cmb_inicio");
        for (int vez = 0; vez < 3; ++vez) {
            abrirEFechar(inicio);
            QCOMPARE(itens(inicio), horas(0, 23));
            QCOMPARE(inicio->texto(), QStringLiteral("08h"));
            QCOMPARE(inicio->currentText(), QStringLiteral("08h"));
        }
        QCOMPARE(janela->inicioExpediente(), 8);
    }

    void listaDoFim_data()
    {
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QStringList>("lista");
        QTest::newRow("08h") << "08h" << horas(9, 23);
        QTest::newRow("00h") << "00h" << horas(1, 23);
        QTest::newRow("22h") << "22h" << QStringList{"23h"};
        QTest::newRow("23h") << "23h" << QStringList{"23h"};
    }
    // Dropping the end list down shows the first hour as its text until something is picked,
    // and offers the hours after it (only "23h" for a first hour of 23).
    void listaDoFim()
    {
        QFETCH(QString, inicio);
        QFETCH(QStringList, lista);
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        QVERIFY(escolher(caixa(janela, "cmb_inicio"), inicio));
        CaixaAjuste* fim = caixa(janela, "cmb_fim");
        for (int vez = 0; vez < 2; ++vez) {
            abrirEFechar(fim);
            QCOMPARE(itens(fim), lista);
            QCOMPARE(fim->texto(), inicio);
        }
        QCOMPARE(janela->fimExpediente(), janela->inicioExpediente());
        QVERIFY(escolher(fim, lista.last()));
        QCOMPARE(fim->texto(), QStringLiteral("23h"));
        QCOMPARE(janela->fimExpediente(), 23);
    }

    void escolherInicio_data()
    {
        QTest::addColumn<QStringList>("guardado");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        const QStringList entregue{"08h", "18h", "03 min", "30 seg"};
        QTest::newRow("depois do fim") << entregue << "20h"
                                       << "21h";
        QTest::newRow("igual ao fim") << entregue << "18h"
                                      << "19h";
        QTest::newRow("antes do fim") << entregue << "05h"
                                      << "18h";
        QTest::newRow("logo antes do fim") << entregue << "17h"
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
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        QVERIFY(escolher(caixa(janela, "cmb_inicio"), inicio));
        QCOMPARE(caixa(janela, "cmb_inicio")->texto(), inicio);
        QCOMPARE(caixa(janela, "cmb_fim")->texto(), fim);
        // Not stored until the window closes.
        QCOMPARE(linhaNoArquivo(banco()), guardado);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), (QStringList{inicio, fim, guardado[2], guardado[3]}));
    }

    void intervalos_data()
    {
        QTest::addColumn<QString>("dia");
        QTest::addColumn<QString>("mes");
        QTest::addColumn<int>("segundos");
        QTest::addColumn<int>("minutos");
        QTest::newRow("60 seg") << "60 seg"
                                << "10 min" << 60 << 10;
        QTest::newRow("30 seg") << "30 seg"
                                << "03 min" << 30 << 3;
    }
    // The two intervals move together when the day interval is picked; the month interval can
    // then still be picked on its own.
    void intervalos()
    {
        QFETCH(QString, dia);
        QFETCH(QString, mes);
        QFETCH(int, segundos);
        QFETCH(int, minutos);
        // Start from the opposite pair so that the coupling has something to change.
        QVERIFY(gravarLinha(banco(), {"08h", "18h", dia == "30 seg" ? "10 min" : "03 min",
                                      dia == "30 seg" ? "60 seg" : "30 seg"}));
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        QVERIFY(escolher(caixa(janela, "cmb_tempoDia"), dia));
        QCOMPARE(caixa(janela, "cmb_tempoMes")->texto(), mes);
        QCOMPARE(ajustes::lerTempoAtualizarDia(), segundos);
        QCOMPARE(ajustes::lerTempoAtualizarMes(), minutos);

        const QString outroMes = mes == "03 min" ? QStringLiteral("10 min") : QStringLiteral("03 min");
        QVERIFY(escolher(caixa(janela, "cmb_tempoMes"), outroMes));
        QCOMPARE(caixa(janela, "cmb_tempoDia")->texto(), dia);
        QCOMPARE(ajustes::lerTempoAtualizarMes(), outroMes == "03 min" ? 3 : 10);
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), (QStringList{"08h", "18h", outroMes, dia}));
    }

    void teclasDescartadas_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::newRow("cmb_inicio") << "cmb_inicio";
        QTest::newRow("cmb_fim") << "cmb_fim";
        QTest::newRow("cmb_tempoMes") << "cmb_tempoMes";
        QTest::newRow("cmb_tempoDia") << "cmb_tempoDia";
    }
    // Neither typing, nor the arrow keys, nor type-ahead, nor the wheel changes a value.
    void teclasDescartadas()
    {
        QFETCH(QString, nome);
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        auto* c = janela->findChild<CaixaAjuste*>(nome);
        abrirEFechar(caixa(janela, "cmb_inicio"));
        abrirEFechar(c); // the hour lists are filled
        QVERIFY(c->count() > 1);
        const QString antes = c->texto();
        c->setFocus();
        QTest::keyClicks(c, QStringLiteral("1260abc "));
        for (Qt::Key tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home,
                              Qt::Key_End, Qt::Key_Delete, Qt::Key_Backspace})
            QTest::keyClick(c, tecla);
        QWheelEvent roda(QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(c, &roda);
        QCOMPARE(c->texto(), antes);
        c->hidePopup(); // the space bar may have dropped the list down
        QCOMPARE(c->texto(), antes);
        QVERIFY(janela->isVisible());
        // Dropping the end list down showed the first hour in it; the other values are loaded ones.
        const QStringList mostrado{caixa(janela, "cmb_inicio")->texto(), caixa(janela, "cmb_fim")->texto(),
                                   caixa(janela, "cmb_tempoMes")->texto(),
                                   caixa(janela, "cmb_tempoDia")->texto()};
        QCOMPARE(mostrado, (QStringList{"08h", nome == "cmb_fim" ? "08h" : "18h", "03 min", "30 seg"}));
        janela->close();
        QCOMPARE(linhaNoArquivo(banco()), mostrado);
    }

    void fecharGrava_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("caixa de fechar") << "close";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("reject") << "reject";
        QTest::newRow("accept") << "accept";
        QTest::newRow("exec e Escape") << "exec";
        QTest::newRow("carregada invisivel") << "invisivel";
    }
    // Every close stores the row, even with nothing changed (the row edited behind the
    // window's back is overwritten with what the window shows), then signals fechado while the
    // window still answers with the stored values, then the window goes away.
    void fecharGrava()
    {
        QFETCH(QString, modo);
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        if (modo != "invisivel" && modo != "exec") {
            janela->show();
            QVERIFY(QTest::qWaitForWindowExposed(janela));
        }
        QVERIFY(gravarLinha(banco(), {"05h", "06h", "10 min", "60 seg"}));

        QStringList guardadoNoSinal;
        int inicioNoSinal = -1;
        bool mesmaJanela = false;
        int sinais = 0;
        connect(janela, &PainelAvancadoAjustes::fechado, this, [&] {
            ++sinais;
            guardadoNoSinal = linhaNoArquivo(banco());
            mesmaJanela = janelas::painelavancadoAjustesExistente() == janela;
            inicioNoSinal = ajustes::inicioExpediente();
        });

        if (modo == "close")
            janela->close();
        else if (modo == "escape")
            QTest::keyClick(caixa(janela, "cmb_fim"), Qt::Key_Escape);
        else if (modo == "reject")
            janela->reject();
        else if (modo == "accept")
            janela->accept();
        else if (modo == "invisivel")
            janela->close();
        else {
            QTimer::singleShot(0, janela, [janela] { QTest::keyClick(janela, Qt::Key_Escape); });
            janela->exec();
        }

        const QStringList esperado{"08h", "18h", "03 min", "30 seg"};
        QCOMPARE(sinais, 1);
        QCOMPARE(guardadoNoSinal, esperado);
        QVERIFY(mesmaJanela);
        QCOMPARE(inicioNoSinal, 8);
        QTRY_VERIFY(!janelas::painelavancadoAjustesExistente());
        QCOMPARE(sinais, 1);
        QCOMPARE(linhaNoArquivo(banco()), esperado);
        QCOMPARE(m_caixas.size(), 0);
    }

    // A close while the file is gone reports the failure and still closes.
    void fecharSemArquivo()
    {
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        QSignalSpy fechado(janela, &PainelAvancadoAjustes::fechado);
        QVERIFY(QFile::remove(banco()));
        janela->close();
        QCOMPARE(fechado.count(), 1);
        QCOMPARE(m_caixas.size(), 1);
        QTRY_VERIFY(!janelas::painelavancadoAjustesExistente());
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
        QFile::remove(escondido);
        QVERIFY(QFile::rename(banco(), escondido));
        QCOMPARE(ajustes::inicioExpediente(), 8);
        QCOMPARE(ajustes::fimExpediente(), 18);
        QCOMPARE(ajustes::lerTempoAtualizarDia(), 30);
        QCOMPARE(m_caixas.size(), 1);
        QVERIFY(QFile::rename(escondido, banco()));

        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustesExistente();
        janela->show();
        if (escolheu)
            QVERIFY(escolher(caixa(janela, "cmb_tempoDia"), QStringLiteral("60 seg")));
        janela->close();
        QTRY_VERIFY(!janelas::painelavancadoAjustesExistente());
        QCOMPARE(linhaNoArquivo(banco()), guardado);
        QCOMPARE(m_caixas.size(), 1);
    }

    // The public display's capacity: shown from the new table, re-read when the window comes
    // back on screen (the simple panel may have changed it meanwhile), stored when changed.
    void lotacaoMaxima()
    {
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        auto* maxima = janela->findChild<QSpinBox*>("txt_lotacaoMaxima");
        auto* aviso = janela->findChild<QSpinBox*>("txt_lotacaoAviso");
        QCOMPARE(maxima->value(), 0);
        QCOMPARE(maxima->text(), QStringLiteral("Sem limite"));
        banco::Lotacao v;
        v.maxima = 80;
        v.mensagemLotado = QStringLiteral("Cheio");
        QVERIFY(banco::salvarLotacao(v, QDate(2024, 3, 10)));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QCOMPARE(maxima->value(), 80);
        QCOMPARE(aviso->text(), QStringLiteral("90%"));
        aviso->selectAll();
        QTest::keyClicks(aviso, QStringLiteral("70"));
        janela->close();
        QTRY_VERIFY(!janelas::painelavancadoAjustesExistente());
        banco::Lotacao lido;
        QVERIFY(banco::lerLotacao(lido));
        QCOMPARE(lido.maxima, 80);
        QCOMPARE(lido.aviso, 70);
        QCOMPARE(lido.mensagemLotado, QStringLiteral("Cheio"));
        QCOMPARE(m_caixas.size(), 0);
    }

    // Set FLUXORA_CAPTURA to a file name to look at the window as the operator sees it.
    void captura()
    {
        const QString destino = qEnvironmentVariable("FLUXORA_CAPTURA");
        if (destino.isEmpty())
            QSKIP("FLUXORA_CAPTURA not set");
        PainelAvancadoAjustes* janela = janelas::painelavancadoAjustes();
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        QVERIFY(janela->grab().save(destino));
    }

private:
    QString banco() const { return m_pasta.filePath("Fluxoradb.mdb"); }
    QTemporaryDir m_pasta;
    QList<mensagens::Pedido> m_caixas;
};

QTEST_MAIN(TestePainelAvancadoAjustes)
#include "test_painelavancadoAjustes.moc"
