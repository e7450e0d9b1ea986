#include "historicoAnterior.h"

#include "banco.h"
#include "datas.h"
#include "indices.h"
#include "regrasAjustes.h"
#include "serie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace importacao {

namespace {

QStringList colunasMeses()
{
    QStringList c;
    for (int m = 1; m <= 12; ++m)
        c << datas::colunaMes(m);
    return c;
}

QStringList colunasDias()
{
    QStringList c;
    for (int d = 1; d <= 31; ++d)
        c << u"hora%1"_s.arg(d);
    return c;
}

const QStringList camposEthernet = {u"txt_ip1CP"_s, u"txt_ip2CP"_s, u"txt_ip3CP"_s, u"txt_ip4CP"_s, u"dia"_s};
const QStringList camposSimples = {u"lotacaoFonte"_s,
                                   u"lotacaoPosicao"_s,
                                   u"totalFonte"_s,
                                   u"totalPosicao"_s,
                                   u"chktotal"_s,
                                   u"chklotacao"_s,
                                   u"tempoAtualizacao"_s,
                                   u"legendaFonteTotal"_s,
                                   u"legendaFonte"_s,
                                   u"legendaPosicao"_s,
                                   u"legendaTotalPosicao"_s,
                                   u"infoEmpresaFonte"_s,
                                   u"infoEmpresa"_s,
                                   u"dia"_s};
const QStringList camposAvancado = {u"cmb_inicio"_s, u"cmb_fim"_s, u"cmb_tempoMes"_s, u"cmb_tempoDia"_s};

// One named connection, removed when it goes out of scope.
class SessaoImportacao {
public:
    SessaoImportacao(const QString& caminho, bool somenteLeitura)
        : m_nome(u"importacao-%1"_s.arg(quintptr(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_nome);
        db.setDatabaseName(banco::uriBanco(caminho, somenteLeitura));
        db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=2000"_s +
                             (somenteLeitura ? u";QSQLITE_OPEN_READONLY"_s : QString()));
        m_aberta = db.open();
        if (!m_aberta)
            m_erro = db.lastError().text();
    }
    ~SessaoImportacao()
    {
        QSqlDatabase::database(m_nome, false).close();
        QSqlDatabase::removeDatabase(m_nome);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_nome, false); }
    bool aberta() const { return m_aberta; }
    QString erro() const { return m_erro; }

private:
    QString m_nome;
    bool m_aberta = false;
    QString m_erro;
};

bool executar(QSqlQuery& q, QString& erro)
{
    if (q.exec())
        return true;
    erro = q.lastError().text();
    return false;
}

bool executar(const QSqlDatabase& db, const QString& sql, QString& erro)
{
    QSqlQuery q(db);
    q.prepare(sql);
    return executar(q, erro);
}

QVariant nuloSeVazio(const QString& s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

std::optional<int> octeto(const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || v.isNull() || d != std::floor(d) || d < 0 || d > 255)
        return std::nullopt;
    return int(d);
}

// The settings rows of `c`, made valid the way a stored row is when the program reads it; a
// value that cannot be made valid leaves the destination's as it is. Rows absent from `c` are
// left alone.
bool aplicarAjustes(const QSqlDatabase& db, const Conteudo& c, QString& erro)
{
    if (!c.ethernet.isEmpty()) {
        QList<int> ip;
        for (int i = 0; i < 4; ++i)
            if (const auto o = octeto(c.ethernet.value(camposEthernet[i])))
                ip << *o;
        if (ip.size() == 4) {
            QSqlQuery q(db);
            q.prepare(
                u"UPDATE ethernet SET txt_ip1CP = ?, txt_ip2CP = ?, txt_ip3CP = ?, txt_ip4CP = ?, dia = ?"_s);
            for (int o : ip)
                q.addBindValue(o);
            q.addBindValue(c.ethernet.value(u"dia"_s).toDate().toString(Qt::ISODate));
            if (!executar(q, erro))
                return false;
        }
    }
    if (!c.painelSimples.isEmpty()) {
        QStringList sets;
        QVariantList valores;
        for (const QString& campo : camposSimples) {
            const QVariant v = c.painelSimples.value(campo);
            QVariant valor;
            if (campo == u"tempoAtualizacao")
                valor = v.toString();
            else if (campo == u"infoEmpresa")
                valor = v.toString().trimmed();
            else if (campo == u"dia")
                valor = v.toDate().toString(Qt::ISODate);
            else if (campo.startsWith(u"chk"))
                valor = v.toDouble() != 0 ? 1 : 0;
            else if (bool ok = false; std::isfinite(v.toDouble(&ok)) && ok && !v.isNull())
                valor = v.toDouble();
            if (!valor.isValid())
                continue;
            sets << campo + u" = ?"_s;
            valores << valor;
        }
        QSqlQuery q(db);
        q.prepare(u"UPDATE painelSimples SET "_s + sets.join(u", "_s));
        for (const QVariant& v : valores)
            q.addBindValue(v);
        if (!executar(q, erro))
            return false;
    }
    if (!c.painelavancado.isEmpty()) {
        banco::PainelAvancado lido{c.painelavancado.value(u"cmb_inicio"_s).toString(),
                                   c.painelavancado.value(u"cmb_fim"_s).toString(),
                                   c.painelavancado.value(u"cmb_tempoMes"_s).toString(),
                                   c.painelavancado.value(u"cmb_tempoDia"_s).toString()};
        const banco::PainelAvancado v = ajustes::normalizar(lido);
        QSqlQuery q(db);
        q.prepare(
            u"UPDATE painelavancado SET cmb_inicio = ?, cmb_fim = ?, cmb_tempoMes = ?, cmb_tempoDia = ?"_s);
        for (const QString& s : {v.cmb_inicio, v.cmb_fim, v.cmb_tempoMes, v.cmb_tempoDia})
            q.addBindValue(s);
        if (!executar(q, erro))
            return false;
    }
    return true;
}

bool inserirHistorico(const QSqlDatabase& db, const QString& tabela, const QStringList& colunas,
                      const QList<QStringList>& linhas, QString& erro)
{
    QStringList marcas(colunas.size(), u"?"_s);
    QSqlQuery q(db);
    q.prepare(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(tabela, colunas.join(u','), marcas.join(u',')));
    for (const QStringList& l : linhas) {
        for (int i = 0; i < colunas.size(); ++i)
            q.addBindValue(nuloSeVazio(l.value(i)));
        if (!executar(q, erro))
            return false;
    }
    return true;
}

bool sincronizar(const QString& caminho)
{
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool mesmosBytes(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 16) != fb.read(1 << 16))
            return false;
    return true;
}

std::optional<Conteudo> lerFluxora(const QString& caminho, QString& erro)
{
    const QString arquivo = QFileInfo(caminho).fileName();
    SessaoImportacao c(caminho, true);
    if (!c.aberta()) {
        erro = u"Não foi possível abrir o arquivo %1: %2"_s.arg(arquivo, c.erro());
        return std::nullopt;
    }
    auto tabela = [&](const QString& nome, const QStringList& campos) -> std::optional<QList<QStringList>> {
        if (!c.db().tables().contains(nome)) {
            erro = u"Falta a tabela %1 no arquivo %2."_s.arg(nome, arquivo);
            return std::nullopt;
        }
        QSqlQuery q(c.db());
        if (!q.exec(u"SELECT * FROM %1 ORDER BY rowid"_s.arg(nome))) {
            erro = u"O arquivo %1 está danificado: %2"_s.arg(arquivo, q.lastError().text());
            return std::nullopt;
        }
        for (const QString& campo : campos) {
            if (q.record().indexOf(campo) < 0) {
                erro = u"Falta o campo %1 na tabela %2 do arquivo %3."_s.arg(campo, nome, arquivo);
                return std::nullopt;
            }
        }
        QList<QStringList> linhas;
        while (q.next()) {
            QStringList l;
            for (const QString& campo : campos)
                l << q.value(campo).toString();
            linhas << l;
        }
        return linhas;
    };
    auto mapa = [](const QStringList& campos, const QList<QStringList>& linhas) {
        QVariantMap m;
        if (!linhas.isEmpty())
            for (int i = 0; i < campos.size(); ++i)
                m.insert(campos[i], linhas.first().value(i));
        return m;
    };
    Conteudo saida;
    const auto e = tabela(u"ethernet"_s, camposEthernet);
    const auto s = e ? tabela(u"painelSimples"_s, camposSimples) : std::nullopt;
    const auto a = s ? tabela(u"painelavancado"_s, camposAvancado) : std::nullopt;
    const auto m = a ? tabela(u"Meses"_s, QStringList{u"ano"_s} + colunasMeses()) : std::nullopt;
    const auto d = m ? tabela(u"Dias"_s, QStringList{u"ano"_s, u"mes"_s} + colunasDias()) : std::nullopt;
    if (!d)
        return std::nullopt;
    saida.ethernet = mapa(camposEthernet, *e);
    saida.ethernet[u"dia"_s] = QDate::fromString(saida.ethernet.value(u"dia"_s).toString(), Qt::ISODate);
    saida.painelSimples = mapa(camposSimples, *s);
    saida.painelSimples[u"dia"_s] =
        QDate::fromString(saida.painelSimples.value(u"dia"_s).toString(), Qt::ISODate);
    saida.painelavancado = mapa(camposAvancado, *a);
    saida.meses = *m;
    saida.dias = *d;
    return saida;
}

// Slot by slot: what the destination lacks comes from the source; where both hold different
// counts the larger stays, since a day's count only grows.
QString mesclarSerie(const QString& destino, const QString& origem, int grupos, bool& mudou, bool& diferente)
{
    auto semVisitas = [grupos](const QString& s) {
        for (int n = 1; n <= grupos; ++n)
            if (serie::valorGrupo(s, n) != 0)
                return false;
        return true;
    };
    // The common cases, a column only one side holds: the other's series arrives exactly.
    if (origem.isEmpty())
        return destino;
    if (destino.isEmpty()) {
        mudou = !semVisitas(origem);
        return mudou ? origem : destino;
    }
    QStringList slots;
    for (int n = 1; n <= grupos; ++n) {
        const int a = serie::valorGrupo(destino, n);
        const int b = serie::valorGrupo(origem, n);
        if (b != 0 && a != b) {
            diferente = diferente || a != 0;
            mudou = mudou || b > a;
        }
        slots << QString::number(std::max(a, b));
    }
    return mudou ? serie::montar(slots) : destino;
}

} // namespace

std::optional<Conteudo> ler(const QString& caminho, QString& erro)
{
    if (pareceJet(caminho))
        return lerJet(caminho, erro);
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        erro =
            u"Não foi possível abrir o arquivo %1: %2."_s.arg(QFileInfo(caminho).fileName(), f.errorString());
        return std::nullopt;
    }
    if (f.read(16) != QByteArray("SQLite format 3\0", 16)) {
        erro = u"O arquivo %1 não é um banco de dados Jet 4.0 nem do Fluxora."_s.arg(
            QFileInfo(caminho).fileName());
        return std::nullopt;
    }
    return lerFluxora(caminho, erro);
}

Resumo resumir(const Conteudo& c)
{
    QSet<QDate> datasComVisitas;
    for (const QStringList& l : c.meses) {
        const int ano = l.value(0).toInt();
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d)
                if (serie::valorGrupo(l.value(m), d) > 0)
                    datasComVisitas << QDate(ano, m, d);
    }
    for (const QStringList& l : c.dias) {
        const int ano = l.value(0).toInt(), mes = l.value(1).toInt();
        for (int d = 1; d <= 31; ++d)
            for (int h = 1; h <= 24; ++h)
                if (serie::valorGrupo(l.value(1 + d), h) > 0) {
                    datasComVisitas << QDate(ano, mes, d);
                    break;
                }
    }
    datasComVisitas.remove(QDate());
    Resumo r;
    QSet<int> anos, meses;
    for (const QDate& d : std::as_const(datasComVisitas)) {
        anos << d.year();
        meses << d.year() * 100 + d.month();
        if (!r.primeiro.isValid() || d < r.primeiro)
            r.primeiro = d;
        if (!r.ultimo.isValid() || d > r.ultimo)
            r.ultimo = d;
    }
    r.anos = int(anos.size());
    r.meses = int(meses.size());
    r.dias = int(datasComVisitas.size());
    return r;
}

QString nomeOriginal(const QString& caminho)
{
    const QFileInfo info(caminho);
    return info.dir().filePath(info.completeBaseName() + u"-original-jet4.mdb"_s);
}

bool converter(const QString& caminho, QString& erro, QString* guardado,
               const std::function<bool()>& antesDeTrocar)
{
    const std::optional<Conteudo> c = lerJet(caminho, erro);
    if (!c)
        return false;
    const QString novo = caminho + u".convertendo"_s;
    QFile::remove(novo); // what an interrupted conversion left
    QString falha;
    if (!banco::criarBancoEntregue(novo, &falha)) {
        erro = u"Não foi possível criar o novo banco de dados: %1"_s.arg(falha);
        return false;
    }
    bool ok = false;
    {
        SessaoImportacao con(novo, false);
        ok =
            con.aberta() && executar(con.db(), u"PRAGMA synchronous=FULL"_s, falha) &&
            banco::garantirIndices(con.db()) && executar(con.db(), u"BEGIN IMMEDIATE"_s, falha) &&
            aplicarAjustes(con.db(), *c, falha) &&
            inserirHistorico(con.db(), u"Meses"_s, QStringList{u"ano"_s} + colunasMeses(), c->meses, falha) &&
            inserirHistorico(con.db(), u"Dias"_s, QStringList{u"ano"_s, u"mes"_s} + colunasDias(), c->dias,
                             falha) &&
            executar(con.db(), u"COMMIT"_s, falha);
        if (!con.aberta())
            falha = con.erro();
    }
    ok = ok && sincronizar(novo);
    if (!ok) {
        QFile::remove(novo);
        erro = u"Não foi possível gravar o novo banco de dados: %1"_s.arg(falha);
        return false;
    }
    // The Jet file stays as it is, under a second name: a hard link shares its very bytes; a
    // copy where links are not possible.
    // A name already holding these very bytes is what an interrupted conversion kept: reused.
    QString original = nomeOriginal(caminho);
    for (int n = 2; QFileInfo::exists(original) && !mesmosBytes(original, caminho); ++n)
        original = nomeOriginal(caminho).replace(u".mdb"_s, u"-%1.mdb"_s.arg(n));
    const QByteArray de = QFile::encodeName(caminho), para = QFile::encodeName(original);
    if (!QFileInfo::exists(original) && ::link(de.constData(), para.constData()) != 0 &&
        !(QFile::copy(caminho, original) && sincronizar(original))) {
        QFile::remove(original);
        QFile::remove(novo);
        erro = u"Não foi possível guardar o arquivo original como %1."_s.arg(QFileInfo(original).fileName());
        return false;
    }
    if (antesDeTrocar && !antesDeTrocar())
        return false;
    // One rename: a power cut leaves either the Jet file or the whole new database in place.
    if (::rename(QFile::encodeName(novo).constData(), de.constData()) != 0) {
        QFile::remove(novo);
        erro = u"Não foi possível pôr o novo banco de dados no lugar do antigo."_s;
        return false;
    }
    sincronizar(QFileInfo(caminho).absolutePath());
    if (guardado)
        *guardado = original;
    return true;
}

std::optional<Mescla> mesclar(const QString& destino, const Conteudo& origem, bool ajustes, QString& erro,
                              const std::function<void(int, int)>& progresso)
{
    SessaoImportacao con(destino, false);
    if (!con.aberta()) {
        erro = u"Não foi possível abrir o banco de dados atual: %1"_s.arg(con.erro());
        return std::nullopt;
    }
    const QSqlDatabase db = con.db();
    if (!executar(db, u"BEGIN IMMEDIATE"_s, erro))
        return std::nullopt;
    Mescla r;
    const int total = int(origem.meses.size() + origem.dias.size());
    int feito = 0;
    // One pass per table: the destination's first row of each key (the one every reader uses),
    // then the source's rows merged into it.
    auto tabela = [&](const QString& nome, const QStringList& chaves, const QStringList& colunas, int grupos,
                      const QList<QStringList>& linhas, int& contador, auto rotulo) {
        QHash<QString, std::pair<qlonglong, QStringList>> atuais;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(u"SELECT rowid, %1, %2 FROM %3 ORDER BY rowid"_s.arg(chaves.join(u','),
                                                                         colunas.join(u','), nome))) {
            erro = q.lastError().text();
            return false;
        }
        while (q.next()) {
            QStringList chave, valores;
            for (int i = 0; i < chaves.size(); ++i)
                chave << q.value(1 + i).toString();
            for (int i = 0; i < colunas.size(); ++i)
                valores << q.value(1 + int(chaves.size()) + i).toString();
            atuais.insert(chave.join(u'/'), {q.value(0).toLongLong(), valores});
        }
        QSet<QString> vistas;
        for (const QStringList& l : linhas) {
            if (progresso)
                progresso(++feito, total);
            const QString chave = l.mid(0, chaves.size()).join(u'/');
            if (vistas.contains(chave))
                continue; // a second row of a key is never read
            vistas << chave;
            auto atual = atuais.value(chave, {-1, QStringList(colunas.size(), QString())});
            bool linhaMudou = false;
            for (int i = 0; i < colunas.size(); ++i) {
                bool mudou = false, diferente = false;
                const QString origemCol = l.value(int(chaves.size()) + i);
                atual.second[i] = mesclarSerie(atual.second[i], origemCol, grupos, mudou, diferente);
                contador += mudou ? 1 : 0;
                linhaMudou = linhaMudou || mudou;
                if (diferente)
                    r.diferentes << rotulo(l, i);
            }
            if (!linhaMudou)
                continue;
            QSqlQuery w(db);
            if (atual.first >= 0) {
                QStringList sets;
                for (const QString& c : colunas)
                    sets << c + u" = ?"_s;
                w.prepare(u"UPDATE %1 SET %2 WHERE rowid = ?"_s.arg(nome, sets.join(u',')));
                for (const QString& v : std::as_const(atual.second))
                    w.addBindValue(nuloSeVazio(v));
                w.addBindValue(atual.first);
            } else {
                QStringList todas = chaves + colunas;
                w.prepare(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                    nome, todas.join(u','), QStringList(todas.size(), u"?"_s).join(u',')));
                for (int i = 0; i < chaves.size(); ++i)
                    w.addBindValue(l.value(i));
                for (const QString& v : std::as_const(atual.second))
                    w.addBindValue(nuloSeVazio(v));
            }
            if (!executar(w, erro))
                return false;
        }
        return true;
    };
    const bool ok =
        tabela(u"Meses"_s, {u"ano"_s}, colunasMeses(), 32, origem.meses, r.meses,
               [](const QStringList& l, int i) {
                   return u"%1/%2"_s.arg(QString::number(i + 1).rightJustified(2, u'0'), l.value(0));
               }) &&
        tabela(u"Dias"_s, {u"ano"_s, u"mes"_s}, colunasDias(), 24, origem.dias, r.dias,
               [](const QStringList& l, int i) {
                   return u"%1/%2/%3"_s.arg(QString::number(i + 1).rightJustified(2, u'0'), l.value(1),
                                            l.value(0));
               }) &&
        (!ajustes || aplicarAjustes(db, origem, erro)) && executar(db, u"COMMIT"_s, erro);
    if (!ok) {
        executar(db, u"ROLLBACK"_s, erro);
        return std::nullopt;
    }
    return r;
}

} // namespace importacao
