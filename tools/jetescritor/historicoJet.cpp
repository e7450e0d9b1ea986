#include "historicoJet.h"

#include <QDate>
#include <QJsonArray>

namespace jet {

namespace {

// A small deterministic source, so the same seed gives the same file everywhere.
class Sorteio {
public:
    explicit Sorteio(quint32 semente) : m_estado(semente * 2654435761u + 1) {}
    int ate(int limite)
    {
        m_estado = m_estado * 1664525u + 1013904223u;
        return int((m_estado >> 8) % quint32(limite));
    }

private:
    quint32 m_estado;
};

QString serie(const QList<int>& contagens)
{
    QString s;
    for (int c : contagens)
        s += QString::number(c).rightJustified(5, u'0');
    return s;
}

const QStringList nomesMeses = {QStringLiteral("jan"), QStringLiteral("fev"), QStringLiteral("mar"),
                                QStringLiteral("abr"), QStringLiteral("mai"), QStringLiteral("jun"),
                                QStringLiteral("jul"), QStringLiteral("ago"), QStringLiteral("sete"),
                                QStringLiteral("out"), QStringLiteral("nov"), QStringLiteral("dez")};

QList<Coluna> textos(const QStringList& nomes)
{
    QList<Coluna> c;
    for (const QString& n : nomes)
        c << Coluna{n, Tipo::Texto};
    return c;
}

} // namespace

QList<Tabela> tabelasFluxora(const Opcoes& o)
{
    const QDateTime salvo(QDate(2020, 6, 15), QTime(0, 0));
    QList<Tabela> t;
    t << Tabela{QStringLiteral("ethernet"),
                {{QStringLiteral("txt_ip1CP"), Tipo::Longo},
                 {QStringLiteral("txt_ip2CP"), Tipo::Longo},
                 {QStringLiteral("txt_ip3CP"), Tipo::Byte},
                 {QStringLiteral("txt_ip4CP"), Tipo::Byte},
                 {QStringLiteral("dia"), Tipo::Data}},
                {{127, 0, 17, 9, salvo}}};
    Tabela simples{QStringLiteral("painelSimples"), {}, {}};
    QVariantList linha;
    const QStringList numeros = {QStringLiteral("lotacaoFonte"),
                                 QStringLiteral("lotacaoPosicao"),
                                 QStringLiteral("totalFonte"),
                                 QStringLiteral("totalPosicao"),
                                 QStringLiteral("chktotal"),
                                 QStringLiteral("chklotacao"),
                                 QStringLiteral("tempoAtualizacao"),
                                 QStringLiteral("legendaFonteTotal"),
                                 QStringLiteral("legendaFonte"),
                                 QStringLiteral("legendaPosicao"),
                                 QStringLiteral("legendaTotalPosicao"),
                                 QStringLiteral("infoEmpresaFonte"),
                                 QStringLiteral("infoEmpresa"),
                                 QStringLiteral("dia")};
    const QVariantList valores = {180.5f,
                                  40.0f,
                                  150.25f,
                                  400.0f,
                                  1,
                                  0,
                                  QStringLiteral("15s"),
                                  28.0f,
                                  26.5f,
                                  12.0f,
                                  350.0f,
                                  20.0f,
                                  QStringLiteral("  Loja Açaí – bem-vindos!  "),
                                  salvo};
    for (int i = 0; i < numeros.size(); ++i) {
        Tipo tipo = Tipo::Simples;
        if (i == 4 || i == 5)
            tipo = Tipo::Inteiro;
        else if (i == 6)
            tipo = Tipo::Texto;
        else if (i == 12)
            tipo = Tipo::Memo;
        else if (i == 13)
            tipo = Tipo::Data;
        simples.colunas << Coluna{numeros[i], tipo};
    }
    simples.linhas << valores;
    t << simples;
    t << Tabela{
        QStringLiteral("painelavancado"),
        textos({QStringLiteral("cmb_inicio"), QStringLiteral("cmb_fim"), QStringLiteral("cmb_tempoMes"),
                QStringLiteral("cmb_tempoDia")}),
        {{QStringLiteral("09h"), QStringLiteral("19h"), QStringLiteral("10 min"), QStringLiteral("60 seg")}}};

    Sorteio sorteio(o.semente);
    Tabela meses{QStringLiteral("Meses"), textos(QStringList{QStringLiteral("ano")} + nomesMeses), {}};
    QStringList colunasDias = {QStringLiteral("ano"), QStringLiteral("mes")};
    for (int d = 1; d <= 31; ++d)
        colunasDias << QStringLiteral("hora%1").arg(d);
    Tabela dias{QStringLiteral("Dias"), textos(colunasDias), {}};
    for (int ano = o.anoInicial; ano < o.anoInicial + o.anos; ++ano) {
        QVariantList linhaMes{QString::number(ano)};
        for (int mes = 1; mes <= 12; ++mes) {
            const int nDias = QDate(ano, mes, 1).daysInMonth();
            QList<int> porDia;
            QVariantList linhaDia{QString::number(ano), QString::number(mes).rightJustified(2, u'0')};
            for (int d = 1; d <= 31; ++d) {
                QList<int> porHora;
                for (int h = 0; h < 24 && d <= nDias; ++h)
                    porHora << (h >= 8 && h <= 19 ? sorteio.ate(120) : sorteio.ate(3));
                int total = 0;
                for (int c : porHora)
                    total += c;
                porDia << total;
                // Now and then a day the device never reported: an empty column.
                linhaDia << (porHora.isEmpty() || sorteio.ate(40) == 0 ? QVariant()
                                                                       : QVariant(serie(porHora)));
            }
            dias.linhas << linhaDia;
            porDia << 0; // the 32nd group is always zero
            const int forma = sorteio.ate(30);
            if (forma == 0)
                linhaMes << QVariant(); // a month never collected
            else if (forma == 1)
                linhaMes << serie(QList<int>(31, 0)); // a month the operator deleted
            else
                linhaMes << serie(porDia);
        }
        meses.linhas << linhaMes;
    }
    t << meses << dias;

    if (!o.semTabela.isEmpty())
        t.removeIf([&](const Tabela& x) { return x.nome == o.semTabela; });
    const QStringList partes = o.outroTipo.split(u'.');
    for (Tabela& x : t) {
        if (partes.size() != 2 || x.nome != partes[0])
            continue;
        for (int i = 0; i < x.colunas.size(); ++i) {
            if (x.colunas[i].nome != partes[1])
                continue;
            x.colunas[i].tipo = Tipo::Longo;
            for (QVariantList& l : x.linhas)
                l[i] = 7;
        }
    }
    return t;
}

QByteArray arquivoFluxora(const Opcoes& o)
{
    QByteArray b = escrever(tabelasFluxora(o), o.senha);
    if (b.isEmpty())
        return b;
    b[0x14] = char(o.versao);
    if (o.danificado)
        b.replace(2 * 4096, 4096, QByteArray(4096, '\x5a'));
    if (o.truncado)
        b.truncate(b.size() - 4096 - 1000);
    return b;
}

QJsonObject comoJson(const QList<Tabela>& tabelas)
{
    QJsonObject saida;
    for (const Tabela& t : tabelas) {
        QJsonArray colunas, linhas;
        for (const Coluna& c : t.colunas)
            colunas << c.nome;
        for (const QVariantList& l : t.linhas) {
            QJsonArray valores;
            for (int i = 0; i < l.size(); ++i) {
                const QVariant& v = l[i];
                if (v.isNull())
                    valores << QJsonValue();
                else if (t.colunas[i].tipo == Tipo::Data)
                    valores << v.toDate().toString(Qt::ISODate);
                else if (t.colunas[i].tipo == Tipo::Texto || t.colunas[i].tipo == Tipo::Memo)
                    valores << v.toString();
                else
                    valores << v.toDouble();
            }
            linhas << valores;
        }
        saida.insert(t.nome,
                     QJsonObject{{QStringLiteral("colunas"), colunas}, {QStringLiteral("linhas"), linhas}});
    }
    return saida;
}

} // namespace jet
