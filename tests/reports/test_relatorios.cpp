// The reports' figures computed from a database the test fills: the year at a glance, the
// recorded days of a period, the busiest hours and the period's text file.
#include "../apoio/ambienteTeste.h"
#include "banco.h"
#include "relatorios.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using relatorios::Dia;

namespace {
// A day's column: the visits of the hours from `h` on, the other hours zero.
QString dia(int h, const QList<int>& visitas)
{
    QList<int> horas(24, 0);
    for (int i = 0; i < visitas.size(); ++i)
        horas[h + i] = visitas[i];
    return apoio::grupos(horas);
}
} // namespace

class TesteRelatorios : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        amb.emplace();
        QVERIFY(amb->valido());
        bd = banco::Banco{};
        QList<int> fev(32, 0);
        fev[0] = 5;
        fev[28] = 1024; // 29 February: a day in 2024, none in 2023
        const QStringList linhas{
            u"INSERT INTO Meses (ano, jan, fev, sete, dez) VALUES ('2024', '%1', '%2', '%3', NULL)"_s.arg(
                apoio::grupos({10, 20}), apoio::grupos(fev), apoio::grupos({0, 0, 77})),
            u"INSERT INTO Meses (ano, fev, mar) VALUES ('2023', '%1', '%2')"_s.arg(apoio::grupos(fev),
                                                                                   u"00000"_s.repeated(31)),
            // A damaged group counts no visits, never negative ones.
            u"INSERT INTO Meses (ano, jan) VALUES ('2021', '-000100003')"_s,
            // A second row of a year is never read.
            u"INSERT INTO Meses (ano, jan) VALUES ('2024', '00999')"_s,
            u"INSERT INTO Dias (mes, ano, hora18, hora25, hora28, hora31) VALUES ('12', '2023', '%1', '', "
            "'%2', '%3')"_s.arg(dia(9, {6}), dia(8, {24}), dia(0, {})),
            u"INSERT INTO Dias (mes, ano, hora1, hora2, hora8) VALUES ('01', '2024', '%1', '%2', '%3')"_s.arg(
                dia(9, {40, 8}), dia(0, {2}), dia(9, {20})),
            u"INSERT INTO Dias (mes, ano, hora1) VALUES ('01', '2024', '%1')"_s.arg(dia(0, {500})),
            u"INSERT INTO Dias (mes, ano, hora29, hora30) VALUES ('02', '2024', '%1', '%2')"_s.arg(
                apoio::grupos(QList<int>(24, 10)), dia(0, {7})),
            // A short column (an older writer): the missing hours are zero.
            u"INSERT INTO Dias (mes, ano, hora1) VALUES ('03', '2024', '00001')"_s,
        };
        for (const QString& sql : linhas)
            QCOMPARE(amb->executar(sql), QString());
    }
    void cleanup() { amb.reset(); }

    void resumoDoAno_data()
    {
        QTest::addColumn<int>("ano");
        QTest::addColumn<int>("mes");
        QTest::addColumn<long long>("visitas");
        QTest::newRow("29 fev 2024, ano bissexto") << 2024 << 2 << 1029LL;
        QTest::newRow("setembro em sete") << 2024 << 9 << 77LL;
        QTest::newRow("29 fev 2023 não existe") << 2023 << 2 << 5LL;
        QTest::newRow("mês zerado pela exclusão") << 2023 << 3 << 0LL;
        QTest::newRow("ano sem linha") << 2022 << 6 << 0LL;
        QTest::newRow("grupo danificado") << 2021 << 1 << 3LL;
    }
    void resumoDoAno()
    {
        QFETCH(int, ano);
        QFETCH(int, mes);
        QFETCH(long long, visitas);
        const std::optional<relatorios::Ano> a = relatorios::resumoDoAno(bd, ano);
        QVERIFY(a);
        QCOMPARE(a->meses[static_cast<size_t>(mes - 1)], visitas);
        QCOMPARE(a->registrado, ano != 2022);
        QVERIFY(amb->caixas.isEmpty());
    }

    void anosSemRepeticaoDoMaisNovo()
    {
        QCOMPARE(relatorios::anosRegistrados(bd, 2030).value(), (QList<int>{2024, 2023, 2021}));
        QCOMPARE(relatorios::resumoDoAno(bd, 2024)->total, 30 + 1029 + 77);
        QCOMPARE(amb->executar(u"DELETE FROM Meses"_s), QString());
        QCOMPARE(relatorios::anosRegistrados(bd, 2030).value(), QList<int>{2030});
    }

    void diasRegistrados_data()
    {
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fim");
        QTest::addColumn<QStringList>("dias"); // "dd/MM total"
        QTest::newRow("semana entre dois anos")
            << QDate(2023, 12, 28) << QDate(2024, 1, 3)
            << QStringList{u"28/12 24"_s, u"31/12 0"_s, u"01/01 48"_s, u"02/01 2"_s};
        QTest::newRow("dia bissexto, 30 de fevereiro fora")
            << QDate(2024, 2, 26) << QDate(2024, 3, 3) << QStringList{u"29/02 240"_s, u"01/03 1"_s};
        QTest::newRow("fim antes do início") << QDate(2024, 1, 3) << QDate(2024, 1, 1) << QStringList{};
    }
    void diasRegistrados()
    {
        QFETCH(QDate, inicio);
        QFETCH(QDate, fim);
        QFETCH(QStringList, dias);
        const QList<Dia> lidos = relatorios::diasRegistrados(bd, inicio, fim).value();
        QStringList obtidos;
        for (const Dia& d : lidos)
            obtidos << d.data.toString(u"dd/MM"_s) + u' ' + QString::number(d.total());
        QCOMPARE(obtidos, dias);
    }

    void horasDaSemana()
    {
        // The empty column of Monday 25 December is no day; Thursday 28/12 at 08h is the peak.
        const QList<Dia> dias =
            relatorios::diasRegistrados(bd, QDate(2023, 12, 18), QDate(2024, 1, 9)).value();
        const relatorios::MapaHoras m = relatorios::horasMovimentadas(dias);
        // Days per weekday (Mon 18/12, 01/01, 08/01; Sun 31/12 recorded with no visits), then means.
        QCOMPARE((QList<int>{m.dias[0], m.dias[1], m.dias[4], m.dias[6]}), (QList<int>{3, 1, 0, 1}));
        QCOMPARE((QList<double>{m.media[0][9], m.media[0][10], m.media[1][0], m.media[6][9], m.media[3][8]}),
                 (QList<double>{(6.0 + 40 + 20) / 3, 8.0 / 3, 2, 0, 24}));
        QCOMPARE(m.maximo, 24.0);
    }

    // UTF-8 with its mark, so that a spreadsheet shows "terça-feira".
    void csvDoPeriodo()
    {
        const QList<Dia> dias =
            relatorios::diasRegistrados(bd, QDate(2023, 12, 30), QDate(2024, 1, 2)).value();
        auto zeros = [](int n) { return QByteArray(";0").repeated(n); };
        QByteArray esperado = "\xEF\xBB\xBF"
                              "Data;Dia da semana;Total";
        for (int h = 0; h < 24; ++h)
            esperado += QByteArray(h < 10 ? ";0" : ";") + QByteArray::number(h) + 'h';
        esperado += "\r\n31/12/2023;domingo;0" + zeros(24) + "\r\n01/01/2024;segunda-feira;48" + zeros(9) +
                    ";40;8" + zeros(13) + "\r\n02/01/2024;terça-feira;2;2" + zeros(23) + "\r\n";
        QCOMPARE(relatorios::csvPeriodo(dias), esperado);
    }

private:
    std::optional<apoio::Ambiente> amb;
    banco::Banco bd;
};

QTEST_GUILESS_MAIN(TesteRelatorios)
#include "test_relatorios.moc"
